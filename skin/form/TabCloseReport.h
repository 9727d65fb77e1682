#pragma once
// The form skinner's answer when a tab's close box is clicked.
#include <windows.h>

namespace velloran {

// 0 when the page of tab `index` of the tab control may close: a page control's page whose
// control agrees (its OnCloseQuery). Anything else, 1: the tab stays.
LRESULT AnswerTabClose(HWND tabs, int index);

}  // namespace velloran
