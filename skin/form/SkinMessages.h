#pragma once
// The skin engine's private window messages. The skin manager, the form skinner and the control
// skinners use the same numbers, and applications may send some of them.
#include <windows.h>

#include "framework/Messages.h"

namespace velloran {

constexpr UINT SM_SKINCHANGED = 0x3401;    // to a form: take the skin again
constexpr UINT SM_REPAINTFRAME = 0x3502;   // repaint the skinned frame
constexpr UINT SM_INITSKIN = 0x3503;       // posted after attach: finish skinning the window
// A tab's close box was clicked: wParam the tab control, lParam the tab; answered 0 to close it.
constexpr UINT SM_CLOSETAB = 0x3507;
constexpr UINT SM_BUTTONACTION = 0x3514;   // a caption button with an application action was clicked
constexpr UINT SM_BUTTONVISIBLE = 0x3515;  // is the application's caption button shown? (> 0: yes)
constexpr UINT SM_MDIREDRAW = 0x3516;      // to an MDI client: redraw the frame and its children
constexpr UINT SM_RESKINSCROLL = 0x3517;   // give window wParam a scroll-bar skinner instead
constexpr UINT SM_MENUHOTTRACK = 0x3518;   // open the menu-bar button under the screen point lParam
constexpr UINT SM_ISSKINNED = 0x3523;      // answered 1 by a skinned window
constexpr UINT SM_PAINTFRAMEDC = 0xBC4B;   // paint the frame into the DC in wParam
constexpr UINT SM_QUERYFRAME = 0xBC4D;
constexpr UINT SM_SKINAPPLIED = 0xBC4E;    // sent to a window after each skinning

// The lParam that SM_PAINTFRAMEDC, SM_QUERYFRAME and SM_SKINAPPLIED carry, and the answer.
constexpr LPARAM kSkinMessageKey = 0x41A2;

// SM_SKINAPPLIED has the number of the framework's reflected WM_NOTIFY, whose lParam is an NMHDR
// pointer. The key tells them apart: the lowest 64 KB of an address space are never mapped, so
// no notification's pointer is ever the key (and the framework reflects none below 64 KB).
static_assert(SM_SKINAPPLIED == CN_NOTIFY);
constexpr bool IsSkinApplied(UINT msg, LPARAM lParam) { return msg == SM_SKINAPPLIED && lParam == kSkinMessageKey; }

// The SM_INITSKIN lParam the manager posts.
constexpr LPARAM kInitSkinFromManager = 1000;

}  // namespace velloran
