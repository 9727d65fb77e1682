#pragma once
// The scroll-bar skinners: a control that scrolls (memo, list, grid) gets one overlay over each
// of its native bars and, when it has a border, a 2-pixel frame in the skin's colours; a
// stand-alone scroll bar control gets one overlay over the whole of it.
#include <memory>
#include <optional>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinScrollOverlay.h"

namespace velloran {

// Draw the control's border into the DC in wParam; answered with the key when lParam holds it.
constexpr UINT SM_DRAWBORDER = 0xBC4B;
constexpr LPARAM kDrawBorderKey = 0x41A2;

// The overlays over a window's two bars, as the skinners of scrolling windows keep them; empty
// until created and after freed.
class TOverlayPair {
public:
    void Create(TSkinData& skinData, HWND window);
    void Free();
    TWScrollbar* Horizontal() const { return horizontal_.get(); }
    TWScrollbar* Vertical() const { return vertical_.get(); }
    void Place();
    void Hide();
    void SetEnabled(bool enabled);
    void RepaintShown();
    // A WM_HSCROLL or WM_VSCROLL: its request code lights that part of its bar.
    void ShowRequest(UINT msg, WPARAM wParam);
    // The square between the two bars, in the window's coordinates, when both are shown.
    std::optional<RECT> Corner() const;

private:
    std::unique_ptr<TWScrollbar> horizontal_, vertical_;
};

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

    TWScrollbar* Horizontal() const { return bars_.Horizontal(); }
    TWScrollbar* Vertical() const { return bars_.Vertical(); }
    bool Border = false;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinSwitched(bool on) override;

private:
    void DrawBorder(HDC dc);
    void TakeFixedColour();

    TOverlayPair bars_;
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
    void SkinSwitched(bool on) override;

private:
    std::unique_ptr<TWScrollbar> bar_;
};

}  // namespace velloran
