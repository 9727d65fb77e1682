#pragma once
// Support for the in-process tests of the program's windows: the application object, stand-in
// player and messenger windows in the test's own thread, a watcher that answers message boxes,
// and registry and settings helpers.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/Handles.h"

namespace velloran::apptest {

inline constexpr char kTitle[] = "Velloran\xAE";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Runs the message loop of the calling thread until pred holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000);
void PumpFor(int ms);

// Top-level windows of this thread posing as the player and the messenger.
class TFakePlayer {
public:
    TFakePlayer(const std::string& title, int32_t positionMs, int32_t lengthSeconds);
    ~TFakePlayer();
    void SetTitle(const std::string& title);
    void SetPosition(int32_t ms) { position_ = ms; }
    void SetLength(int32_t s) { length_ = s; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND wnd_ = nullptr;
    static inline int32_t position_ = 0, length_ = 0;
};

class TFakeMessenger {
public:
    TFakeMessenger();
    ~TFakeMessenger();
    // Commands 388 received so far (the pump delivers them).
    int Notifications() const { return notifications_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND wnd_ = nullptr;
    static inline int notifications_ = 0;
};

// Answers every message box or modal form with the given caption from another thread: records
// the box's text and presses a button (IDOK by default), or runs a custom action.
class TBoxWatcher {
public:
    using TAction = std::function<void(HWND box)>;
    explicit TBoxWatcher(std::string caption, TAction action = nullptr);
    ~TBoxWatcher();
    std::vector<std::string> Texts() const;

private:
    void Run();
    std::string caption_;
    TAction action_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

// Registry helpers under HKEY_CURRENT_USER.
struct TRegValue {
    DWORD Type = 0;
    std::vector<uint8_t> Data;
};
std::optional<TRegValue> ReadValue(const std::string& keyPath, const std::string& name);
void DeleteTree(const std::string& keyPath);
void SetStringValue(const std::string& keyPath, const std::string& name, const std::string& value);

// The settings file beside the test executable.
std::string TestFolder();
std::string SettingsPath();
void WriteTextFile(const std::string& path, const std::string& text);
std::string ReadTextFile(const std::string& path);
void RemovePath(const std::string& path);

// The program's three windows in this process, as the entry creates them, over a clean
// settings file, list files, Messenger profile and Run value; the application object lives
// for the whole test program.
class TProgramWindowsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void CreateForms();
    // OK in the status window with the given template.
    void PressOk(const std::string& text);
    static std::string Profile(const std::string& id);
};

}  // namespace velloran::apptest
