#include "tests/framework/FrameworkTestMain.h"

#include <gtest/gtest.h>

#include "framework/Forms.h"

namespace velloran::fwtest {

namespace {
// One application for the whole run, as a program has: it registers the framework's classes
// and owns the hidden window that error boxes and forms belong to.
class TApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        app_ = std::make_unique<TApplication>(nullptr);
        Application->Initialize();
        Application->SetTitle(kAppTitle);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);
}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        Application->ProcessMessages();
        if (done()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

const TClassInfo& TTestForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TTestForm>("TTestForm", &TForm::StaticClassInfo());
    return info;
}

TOwned<TTestForm> MakeForm(int clientWidth, int clientHeight) {
    TOwned<TTestForm> form(new TTestForm(nullptr));
    form->SetBounds(40, 40, 0, 0);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    return form;
}

TOwned<TTestForm> MakePaintForm(int clientWidth, int clientHeight, TColor color) {
    TOwned<TTestForm> form = MakeForm(clientWidth, clientHeight);
    form->SetColor(color);
    form->SetFormStyle(fsStayOnTop);
    return form;
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
    TWindowDC dc(wnd);
    return GetPixel(dc.get(), x, y);
}

void PostKey(HWND wnd, WORD vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(wnd, WM_KEYDOWN, vk, scan | 1);
    PostMessageA(wnd, WM_KEYUP, vk, scan | 1 | (1 << 30) | (1u << 31));
}

void PostChars(HWND wnd, std::string_view text) {
    for (char c : text) PostMessageA(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TWindowWatcher::TWindowWatcher(std::string className, std::string caption, TAction action)
    : className_(std::move(className)), caption_(std::move(caption)), action_(std::move(action)),
      thread_([this] { Run(); }) {}

TWindowWatcher::~TWindowWatcher() {
    stop_ = true;
    thread_.join();
}

void TWindowWatcher::Run() {
    // Bounded so that a window that never comes cannot keep the run alive.
    for (int i = 0; i < 1000 && !stop_; ++i) {
        HWND wnd = FindWindowA(className_.c_str(), caption_.c_str());
        DWORD pid = 0;
        if (wnd) GetWindowThreadProcessId(wnd, &pid);
        if (wnd && pid == GetCurrentProcessId() && IsWindowVisible(wnd)) {
            found_ = true;
            action_(wnd);
            return;
        }
        Sleep(10);
    }
}

std::string ClassNameOf(HWND wnd) {
    char name[64] = {};
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

std::string WindowTextOf(HWND wnd) {
    char buf[1024] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &got))
        return {};
    return std::string(buf, got);
}

std::string MessageBoxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0 || (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::string part = WindowTextOf(child);
        if (!part.empty()) text += part;
    }
    return text;
}

void PressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace velloran::fwtest
