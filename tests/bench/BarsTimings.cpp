// 100 steps of the progress bar of the gallery's bars-and-gauges page, unskinned and skinned in
// the same run, with their ratio.
#include <cstdio>

#include "framework/Gauges.h"
#include "skin/controls/SkinnerSelection.h"
#include "tests/bench/TimingSupport.h"
#include "tools/gallery/BarsForm.h"

namespace velloran::bench {

namespace {

// 100 steps of one per cent, each painted before the next.
void HundredSteps(TProgressBar& bar) {
    bar.SetStep(1);
    bar.SetPosition(0);
    for (int i = 0; i < 100; ++i) {
        bar.StepIt();
        UpdateWindow(bar.Handle());
    }
}

}  // namespace

void BarsPageTimings(TSkinData& data, int runs) {
    InstallSkinnerSelection();
    TGalleryBarsForm form(nullptr);
    form.Show();
    TProgressBar& bar = *form.Progress();
    const double plainSteps = MeanMilliseconds(runs, [&] { HundredSteps(bar); });

    const TSkinnedForm skinner(data, form);
    const double skinnedSteps = MeanMilliseconds(runs, [&] { HundredSteps(bar); });
    std::printf("100 progress steps, each painted: %.3f ms unskinned, %.3f ms skinned, ratio %.2f, mean over %d runs\n",
                plainSteps, skinnedSteps, skinnedSteps / plainSteps, runs);
}

}  // namespace velloran::bench
