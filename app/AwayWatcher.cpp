// The dormant auto-away watcher: while its timer runs and the switch is on, it notes the
// Messenger instant-message windows that are asking for attention.
#include <windows.h>

#include <cstring>

#include "app/Main.h"
#include "framework/UtilWindow.h"

namespace velloran {

namespace {
constexpr char kImWindowClass[] = "YSearchMenuWndClass";
constexpr char kImTitleMark[] = " - Instant Message";
constexpr int kTextBufferSize = 100;

// The five 32-bit fields of the flash record; its size must be the one of this build.
static_assert(sizeof(FLASHWINFO) == 20 || sizeof(void*) != 4, "flash record is 20 bytes in the 32-bit build");
}  // namespace

void TMainForm::AwayTimerTimer(TObject*) {
    if (!EnableAwayMsg) return;
    AwayTimer->SetEnabled(false);
    EnumWindows(&EnumImWindowsProc, reinterpret_cast<LPARAM>(this));
    AwayTimer->SetEnabled(true);
}

namespace {
void WatchImWindow(HWND window, TMainForm& form) {
    char title[kTextBufferSize] = {};
    char className[kTextBufferSize] = {};
    if (GetWindowTextA(window, title, kTextBufferSize) <= 0) title[0] = 0;
    if (GetClassNameA(window, className, kTextBufferSize) <= 0) className[0] = 0;
    if (std::strcmp(className, kImWindowClass) != 0) return;
    if (UpperCase(title).find(UpperCase(kImTitleMark)) == std::string::npos) return;

    // Stopping the flashing answers whether the caption was active before the call.
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window;
    flash.dwFlags = FLASHW_STOP;
    if (!FlashWindowEx(&flash)) return;
    FlashWindow(window, TRUE);

    HWND found = FindWindowA(className, title);
    std::string key = std::to_string(static_cast<long long>(reinterpret_cast<intptr_t>(found)));
    if (form.WatchedWindows->IndexOf(key) < 0) form.WatchedWindows->Add(key);
}
}  // namespace

BOOL CALLBACK EnumImWindowsProc(HWND window, LPARAM param) {
    try {
        WatchImWindow(window, *reinterpret_cast<TMainForm*>(param));
    } catch (...) {
        HandleCallbackException();
    }
    return TRUE;
}

}  // namespace velloran
