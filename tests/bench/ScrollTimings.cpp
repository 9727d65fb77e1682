// A memo of 10,000 lines with both bars, scrolled down a page at a time through WM_VSCROLL,
// unskinned and skinned in the same run, with their ratio; and one repaint of the overlay of
// its skinned vertical bar, with the messages of one skinned page step.
#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinnerSelection.h"
#include "tests/bench/TimingSupport.h"

namespace velloran::bench {

namespace {

constexpr int kLines = 10000;
constexpr int kBlocks = 10;

TMemo* AddLongMemo(TForm& form) {
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(10, 10, 360, 240);
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    std::string text;
    for (int i = 0; i < kLines; ++i) {
        text += "Line ";
        text += std::to_string(i);
        text += " of a memo long enough to scroll by the page, and wide enough to scroll sideways too\r\n";
    }
    memo->Lines()->SetText(text);
    return memo;
}

void PaintPending(HWND form) { RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

bool AtEnd(HWND memo) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
    return !GetScrollInfo(memo, SB_VERT, &info) || info.nPos + static_cast<int>(info.nPage) > info.nMax;
}

bool IsSkinnedMemo(TWinSkinForm& skinner, HWND memo) {
    auto* bars = dynamic_cast<TSkinScrollbar*>(skinner.FindSkinner(memo));
    return bars && bars->Vertical() && bars->Vertical()->Shown();
}

void PageDown(HWND memo, HWND form) {
    SendMessageA(memo, WM_VSCROLL, SB_PAGEDOWN, 0);
    PaintPending(form);
}

// The mean of `steps` page steps down, each until the form and its controls are painted; what
// was left to paint before, and going back to the top at the end of the text, are not timed.
double PageStepMilliseconds(HWND memo, HWND form, int steps) {
    PaintPending(form);
    double total = 0;
    for (int i = 0; i < steps; ++i) {
        if (AtEnd(memo)) {
            SendMessageA(memo, WM_VSCROLL, SB_TOP, 0);
            PaintPending(form);
        }
        total += MeanMilliseconds(1, [&] { PageDown(memo, form); });
    }
    return total / steps;
}

}  // namespace

void MemoScrollTimings(TSkinData& data, int runs) {
    InstallSkinnerSelection();
    TForm form(nullptr);
    form.SetClientWidth(380);
    form.SetClientHeight(260);
    form.SetCaption("A long memo");
    TMemo* memo = AddLongMemo(form);
    form.Show();
    // Unskinned and skinned steps in turns, a block of each, so that other work on the machine
    // weighs on both alike.
    const int block = std::max(1, runs / kBlocks);
    double plain = 0, skinned = 0;
    for (int i = 0; i < kBlocks; ++i) {
        plain += PageStepMilliseconds(memo->Handle(), form.Handle(), block) / kBlocks;
        const TSkinnedForm skinner(data, form);
        if (!IsSkinnedMemo(*skinner, memo->Handle())) {
            std::printf("The memo's bars are not skinned: no scrolling timings\n");
            return;
        }
        skinned += PageStepMilliseconds(memo->Handle(), form.Handle(), block) / kBlocks;
    }
    std::printf("Page step of a %d-line memo with both bars: %.3f ms unskinned, %.3f ms skinned, ratio %.2f, "
                "mean over %d steps each, in %d turns\n",
                kLines, plain, skinned, skinned / plain, block * kBlocks, kBlocks);

    const TSkinnedForm skinner(data, form);
    PaintPending(form.Handle());
    if (!IsSkinnedMemo(*skinner, memo->Handle())) return;
    TWScrollbar& overlay = *dynamic_cast<TSkinScrollbar&>(*skinner->FindSkinner(memo->Handle())).Vertical();
    const double repaint = MeanMilliseconds(runs, [&] { overlay.Repaint(); });
    std::printf("Overlay repaint of the memo's skinned vertical bar: %.3f ms mean over %d runs\n", repaint, runs);

    if (AtEnd(memo->Handle())) SendMessageA(memo->Handle(), WM_VSCROLL, SB_TOP, 0);
    PaintPending(form.Handle());
    const HWND memoWindow = memo->Handle(), overlayWindow = overlay.Handle();
    const TMessageCensus::TCount census = TMessageCensus::Take([&] { PageDown(memoWindow, form.Handle()); });
    std::printf("Messages of one skinned page step:\n  memo: %s\n  its vertical overlay: %s\n  other windows: %s\n",
                TMessageCensus::Describe(census, [&](HWND w) { return w == memoWindow; }).c_str(),
                TMessageCensus::Describe(census, [&](HWND w) { return w == overlayWindow; }).c_str(),
                TMessageCensus::Describe(census, [&](HWND w) { return w != memoWindow && w != overlayWindow; })
                    .c_str());
}

}  // namespace velloran::bench
