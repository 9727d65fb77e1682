#include "skin/form/TabCloseReport.h"

#include "framework/TabControls.h"

namespace velloran {

LRESULT AnswerTabClose(HWND tabs, int index) {
    auto* pages = dynamic_cast<TPageControl*>(TWinControl::FromHandle(tabs));
    TTabSheet* page = pages ? pages->PageOfTab(index) : nullptr;
    return page && pages->CanClosePage(page) ? 0 : 1;
}

}  // namespace velloran
