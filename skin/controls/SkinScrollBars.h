#pragma once
// The scroll-bar skinners: a control that scrolls (memo, list, grid) gets one overlay over each
// of its native bars and, when it has a border, a 2-pixel frame in the skin's colours; a
// stand-alone scroll bar control gets one overlay over the whole of it.
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollOverlay.h"

namespace velloran {

// Draw the control's border into the DC in wParam; answered with the key when lParam holds it.
constexpr UINT SM_DRAWBORDER = 0xBC4B;
constexpr LPARAM kDrawBorderKey = 0x41A2;

// The skinner's Kind: the bars and the frame, or the bars alone.
enum TScrollSkinKind : int32_t { skWhole = 0, skBarsOnly = 1 };

class TSkinScrollbar : public TSkinControl {
    VELLORAN_CLASS(TSkinScrollbar)
public:
    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;
    // Attaches, lays the two overlays over the control's bars and frames the control.
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;
    bool ScrollSkinner() const override { return true; }

    TWScrollbar* Horizontal() const { return horizontal_.get(); }
    TWScrollbar* Vertical() const { return vertical_.get(); }
    bool Border = false;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void PlaceBars();
    void DrawBorder(HDC dc);
    void TakeFixedColour();

    std::unique_ptr<TWScrollbar> horizontal_, vertical_;
    bool useSkinFixedColour_ = false;
    int64_t savedFixedColour_ = 0;
};

// A list view: its bars as any scrolling control's, and its column header skinned as well.
class TSkinListView : public TSkinScrollbar {
    VELLORAN_CLASS(TSkinListView)
public:
    using TSkinScrollbar::TSkinScrollbar;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
};

// A size grip (a bare scroll bar window that is no tab stop): the skin's background.
class TSkinSizer : public TSkinControl {
    VELLORAN_CLASS(TSkinSizer)
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

class TSkinScControl : public TSkinControl {
    VELLORAN_CLASS(TSkinScControl)
public:
    explicit TSkinScControl(TComponent* owner);
    ~TSkinScControl() override;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    bool ScrollSkinner() const override { return true; }
    TWScrollbar* Bar() const { return bar_.get(); }

protected:
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    std::unique_ptr<TWScrollbar> bar_;
};

}  // namespace velloran
