#pragma once
// Messages of the framework itself, beside the platform's.
#include <windows.h>

namespace velloran {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Notifications the framework sends to a control when the named thing happens.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = 0xB005;
constexpr UINT CM_DIALOGCHAR = 0xB006;
constexpr UINT CM_FOCUSCHANGED = 0xB007;
constexpr UINT CM_VISIBLECHANGED = 0xB00B;
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_COLORCHANGED = 0xB00D;
constexpr UINT CM_FONTCHANGED = 0xB00E;
constexpr UINT CM_TEXTCHANGED = 0xB012;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
constexpr UINT CM_MENUCHANGED = 0xB015;
constexpr UINT CM_EXIT = 0xB01B;
constexpr UINT CM_RELEASE = 0xB021;
constexpr UINT CM_RECREATEWND = 0xB033;

// Messages a parent reflects to the child control that caused them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;       // 0xBD11
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;         // 0xBC4E
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;       // 0xBD15
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;

// Whether a reflected WM_NOTIFY's lParam is a real notification: only one points into memory,
// and nothing below 64 KB is mapped; the skin engine sends small keys with the same number.
inline bool IsNotification(LPARAM lParam) { return static_cast<ULONG_PTR>(lParam) >= 0x10000; }

}  // namespace velloran
