// A tab switch on a page control of 20 tabs, unskinned and skinned in the same run: the selection
// moves to the next tab and everything it left to paint (the tabs and the page shown) is painted
// before the time is taken.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "framework/TabControls.h"
#include "skin/controls/SkinnerSelection.h"
#include "tests/bench/TimingSupport.h"

namespace velloran::bench {

namespace {

constexpr int kTabs = 20;

class TTabsForm : public TForm {
    VELLORAN_CLASS(TTabsForm)
public:
    explicit TTabsForm(TComponent* owner) : TForm(owner) {
        SetBounds(40, 40, 0, 0);
        SetClientWidth(420);
        SetClientHeight(260);
        Pages = new TPageControl(this);
        Pages->SetParent(this);
        Pages->SetBounds(8, 8, 404, 244);
        for (int i = 1; i <= kTabs; ++i) {
            auto* sheet = new TTabSheet(this);
            sheet->SetPageControl(Pages);
            sheet->SetCaption("Tab " + std::to_string(i));
        }
    }
    TPageControl* Pages = nullptr;
};

// The next tab selected as a click selects it: the control's own selection, then its notice.
void SwitchTab(TPageControl& pages, int& step) {
    step = (step + 1) % kTabs;
    const HWND tabs = pages.Handle();
    SendMessageA(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(step), 0);
    RedrawWindow(GetParent(tabs), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace

const TClassInfo& TTabsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TTabsForm>("TBenchTabsForm", &TForm::StaticClassInfo());
    return info;
}

void TabSwitchTimings(TSkinData& data, int runs) {
    InstallSkinnerSelection();
    TTabsForm form(nullptr);
    form.Show();
    int step = 0;
    const double plain = MeanMilliseconds(runs, [&] { SwitchTab(*form.Pages, step); });
    const TSkinnedForm skinner(data, form);
    const double skinned = MeanMilliseconds(runs, [&] { SwitchTab(*form.Pages, step); });
    std::printf("Tab switch on a %d-tab page control: %.3f ms unskinned, %.3f ms skinned, ratio %.2f, mean over %d "
                "runs\n",
                kTabs, plain, skinned, skinned / plain, runs);
}

}  // namespace velloran::bench
