#pragma once
// GDI and USER objects (windows, menus) of this process, for the tests that must give back every
// handle they take. Wine's GetGuiResources answers 0, so there the handle tables are scanned.
// Header only: both the framework's test main and the program's window tests count with it.
#include <windows.h>

namespace velloran::fwtest {

inline int CountGdiObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    // A handle whose upper word is 0 names its table slot, whatever the slot's generation.
    int count = 0;
    for (UINT_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) ++count;
    return count;
}

namespace handlecount {
inline BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

inline BOOL CALLBACK CountProcessWindow(HWND wnd, LPARAM count) {
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId()) {
        CountWindow(wnd, count);
        EnumChildWindows(wnd, &CountWindow, count);
    }
    return TRUE;
}
}  // namespace handlecount

inline int CountUserObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return static_cast<int>(n);
    // Windows: the process's top-level windows and everything inside them.
    int count = 0;
    EnumWindows(&handlecount::CountProcessWindow, reinterpret_cast<LPARAM>(&count));
    // Menus: USER handles are slot * 2 + 0x20 in the low word, and the upper word may be left 0.
    for (UINT_PTR value = 0x20; value < 0xFFF0; value += 2)
        if (IsMenu(reinterpret_cast<HMENU>(value))) ++count;
    return count;
}

}  // namespace velloran::fwtest
