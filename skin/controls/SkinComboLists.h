#pragma once
// The scroll bars of a combo box's lists. The list always shown under a simple combo is a child
// window of the combo: it gets two overlays, as any scrolling control. The list that drops from
// the other combos is a pop-up that holds the mouse while open: its vertical bar is painted
// straight into its non-client area, and a press on the thumb is followed by a drag loop of the
// skinner's own, which scrolls the list by its scroll messages.
#include <windows.h>

#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollBars.h"

namespace velloran {

// Sent by a combo to its list when it drops; the list then paints afresh.
constexpr UINT LBCB_STARTTRACK = 0x1AE;

// A window without a control object whose two native bars are covered by overlays.
class TSkinScrollbarH : public TSkinControl {
    VELLORAN_CLASS(TSkinScrollbarH)
public:
    explicit TSkinScrollbarH(TComponent* owner);
    ~TSkinScrollbarH() override;
    void InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) override;
    void RestoreControl() override;

    TWScrollbar* Horizontal() const { return bars_.Horizontal(); }
    TWScrollbar* Vertical() const { return bars_.Vertical(); }

protected:
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinSwitched(bool on) override;

private:
    TOverlayPair bars_;
};

// Where a thumb dragged `travel` pixels along a track lands, as a position of the bar's range.
// `offset0` is the thumb's start at the press, from the end of the first arrow; `track` the
// length between the arrows and `thumb` the thumb's length. Dragged past the end, the position
// is the last one a page can start at (nMax - nPage + 1).
int DraggedPosition(const SCROLLINFO& info, int offset0, int travel, int track, int thumb);

// The drop-down list of a combo box: its vertical bar drawn from the skin in the non-client area.
class TComboxScrollBar : public TSkinControl {
    VELLORAN_CLASS(TComboxScrollBar)
public:
    explicit TComboxScrollBar(TComponent* owner);
    void RestoreControl() override;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinSwitched(bool on) override;

private:
    // Follows a press at `screen` on the thumb until the button goes up; false (and nothing done)
    // when the press is not on the thumb.
    bool DragThumb(POINT screen);

    int arrowSize_;
};

}  // namespace velloran
