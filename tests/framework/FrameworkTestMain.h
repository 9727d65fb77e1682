#pragma once
// Support for the framework's tests under Wine: the one application object of the run, message
// pumping through the framework's own loop, posted keys, a watcher for windows that block the
// test thread (message boxes, modal forms), and counts of the process's handles.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "framework/Classes.h"

namespace velloran::fwtest {

// The application's title, and so the caption of its error boxes.
constexpr char kAppTitle[] = "Framework Tests";

// Runs Application->ProcessMessages until done holds; false when timeoutMs passed first. The
// bound only keeps a broken test from hanging; no test asserts on how long anything took.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void PumpFor(int ms);

// Posts what a key press leaves in the queue: WM_KEYDOWN then WM_KEYUP, with the scan code.
void PostKey(HWND wnd, WORD vk);
// Posts one WM_CHAR per character, as typing does after TranslateMessage.
void PostChars(HWND wnd, std::string_view text);

// Frees a component the way its owner would.
struct TFreeComponent {
    void operator()(TComponent* c) const { Free(c); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeComponent>;

// Waits on its own thread for a visible top-level window of this process with the class and
// caption given, then runs action on that thread once. The test thread keeps pumping meanwhile
// (in a message box or a modal loop), so the action may send messages to the window.
class TWindowWatcher {
public:
    using TAction = std::function<void(HWND)>;
    TWindowWatcher(std::string className, std::string caption, TAction action);
    ~TWindowWatcher();
    TWindowWatcher(const TWindowWatcher&) = delete;
    TWindowWatcher& operator=(const TWindowWatcher&) = delete;
    bool Found() const { return found_; }

private:
    void Run();
    std::string className_, caption_;
    TAction action_;
    std::atomic<bool> found_{false}, stop_{false};
    std::thread thread_;
};

std::string ClassNameOf(HWND wnd);
// Text of a window of another thread, without hanging if that thread stops answering.
std::string WindowTextOf(HWND wnd);
// Text of the message of a message box: its static text that is not the icon.
std::string MessageBoxText(HWND box);
// Presses the button with the given identifier in a dialog owned by another thread.
void PressDialogButton(HWND dialog, int id);

// GDI and USER objects (windows, menus) of this process. Wine's GetGuiResources answers 0, so
// there the handle tables are scanned.
int CountGdiObjects();
int CountUserObjects();

}  // namespace velloran::fwtest
