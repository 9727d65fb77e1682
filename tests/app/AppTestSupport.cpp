#include "tests/app/AppTestSupport.h"

#include <chrono>
#include <fstream>
#include <sstream>

#include "app/ListEditor.h"
#include "app/Main.h"
#include "app/Publisher.h"
#include "framework/Forms.h"
#include "skin/manager/SkinManage.h"

namespace velloran::apptest {

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!pred()) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return true;
}

void PumpFor(int ms) {
    PumpUntil([] { return false; }, ms);
}

namespace {
HWND MakeWindow(const char* cls, const char* title, WNDPROC proc) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}
}  // namespace

TFakePlayer::TFakePlayer(const std::string& title, int32_t positionMs, int32_t lengthSeconds) {
    position_ = positionMs;
    length_ = lengthSeconds;
    wnd_ = MakeWindow("Winamp v1.x", title.c_str(), &TFakePlayer::Proc);
}

TFakePlayer::~TFakePlayer() { DestroyWindow(wnd_); }

void TFakePlayer::SetTitle(const std::string& title) { SetWindowTextA(wnd_, title.c_str()); }

LRESULT CALLBACK TFakePlayer::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_USER && lParam == 105) return wParam == 0 ? position_ : wParam == 1 ? length_ : 0;
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

TFakeMessenger::TFakeMessenger() {
    notifications_ = 0;
    wnd_ = MakeWindow("YahooBuddyMain", "", &TFakeMessenger::Proc);
}

TFakeMessenger::~TFakeMessenger() { DestroyWindow(wnd_); }

LRESULT CALLBACK TFakeMessenger::Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && wParam == 388 && lParam == 1) {
        ++notifications_;
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

TBoxWatcher::TBoxWatcher(std::string caption, TAction action)
    : caption_(std::move(caption)), action_(std::move(action)), thread_([this] { Run(); }) {}

TBoxWatcher::~TBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<std::string> TBoxWatcher::Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

void TBoxWatcher::Run() {
    while (!stop_) {
        HWND box = FindWindowA(nullptr, caption_.c_str());
        if (box && IsWindowVisible(box)) {
            char text[4096] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                texts_.push_back(text);
            }
            if (action_)
                action_(box);
            else
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            // Wait for this box to go before looking for the next one.
            for (int i = 0; i < 500 && IsWindow(box) && IsWindowVisible(box) && !stop_; ++i) Sleep(10);
        }
        Sleep(20);
    }
}

std::optional<TRegValue> ReadValue(const std::string& keyPath, const std::string& name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return std::nullopt;
    TRegKey key(raw);
    TRegValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.Type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.Type, value.Data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.Data.resize(size);
    return value;
}

void DeleteTree(const std::string& keyPath) { RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str()); }

void SetStringValue(const std::string& keyPath, const std::string& name, const std::string& value) {
    HKEY raw = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr);
    TRegKey key(raw);
    RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

std::string TestFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string SettingsPath() { return TestFolder() + "Velloran.ini"; }

void WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void RemovePath(const std::string& path) {
    DWORD attrs = GetFileAttributesA(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        RemoveDirectoryA(path.c_str());
    else
        DeleteFileA(path.c_str());
}

namespace {
class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        app_ = std::make_unique<TApplication>(nullptr);
        Application->Initialize();
        Application->SetTitle(kTitle);
        Application->SetShowMainForm(false);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
}  // namespace

void TProgramWindowsTest::SetUp() {
    for (const char* f : {"Velloran.ini", "Velloran.dat", "Velloran Lyrics.dat", "plugin.log"})
        RemovePath(TestFolder() + f);
    DeleteTree("Software\\Yahoo");
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &raw) == ERROR_SUCCESS) {
        TRegKey key(raw);
        RegDeleteValueA(key.get(), "Velloran");
    }
    SetEnvironmentVariableA("VELLORAN_PLUGIN_LOG", (TestFolder() + "plugin.log").c_str());
    SetEnvironmentVariableA("VELLORAN_PLUGIN_ID", "tester");
}

void TProgramWindowsTest::TearDown() {
    Free(LyricsForm);
    Free(QuotesForm);
    Free(MainForm);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    // Each test starts as the program does: without a skin manager.
    TSkinManage::Shutdown();
    RemovePath(SettingsPath());
}

void TProgramWindowsTest::CreateForms() {
    Application->CreateForm(MainForm);
    Application->CreateForm(QuotesForm);
    Application->CreateForm(LyricsForm);
}

void TProgramWindowsTest::PressOk(const std::string& text) {
    MainForm->Show();
    MainForm->Status->SetText(text);
    SendMessageA(MainForm->btnOK->Handle(), BM_CLICK, 0, 0);
}

std::string TProgramWindowsTest::Profile(const std::string& id) { return ProfileKeyPath(id); }

}  // namespace velloran::apptest
