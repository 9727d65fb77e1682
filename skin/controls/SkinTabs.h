#pragma once
// Tab and page controls drawn from the skin's tab image (Tabs), with the page under them from its
// border image or, for a skin whose Tabs Style is 1, from the TabPane image; tab controls in
// button style from the button image; and the pages themselves in the skin's face colour.
//
// Tabs at the bottom use the images flipped top to bottom; tabs at a side are drawn as a row at
// the top and the row is turned a quarter to that side, the page image with it.
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinImage.h"

namespace velloran {

// The edge the tabs stand on, from the tab control's style.
enum TTabEdge : uint8_t { teTop = 0, teBottom = 1, teLeft = 2, teRight = 3 };
TTabEdge TabEdgeOfStyle(DWORD style);

// A page control's Tag that asks for a close box on each tab.
constexpr int32_t kCloseBoxTag = 7777;
// The kind of TSkinTab on a page control, whose window-less children are painted after the page.
constexpr int32_t kPageControlKind = 2;

// The area of the page in window coordinates: the display area inflated by 4 pixels, one pixel
// less on the tabs' side.
RECT TabPageRect(HWND tabs, const RECT& window, TTabEdge edge);

// What a tab shows, read by the W or A message as the window is Unicode or not.
struct TTabRead {
    std::wstring Text;
    int Image = -1;
};
bool ReadTab(HWND tabs, bool unicode, int index, TTabRead& tab);

// Horizontal scroll arrows of tabs (null: none) get an up-down skinner of their own, unless the
// form already has one for them.
void SkinTabArrows(TWinSkinForm* form, HWND arrows, TSkinData* skinData, TCanvas* canvas);
// The scroll arrows a tab control makes when its tabs outgrow it; null while it has none.
HWND TabArrows(HWND tabs);

class TSkinTab : public TSkinControl {
    VELLORAN_CLASS(TSkinTab)
public:
    explicit TSkinTab(TComponent* owner);
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) override;
    void SkinChanged() override;

    TTabEdge Position = teTop;
    // On a page control with Tag 7777 that is not multi-line (see WantsCloseBoxes).
    bool CloseBoxesOn = false;
    // The close box last drawn on each tab, in window coordinates.
    std::vector<RECT> CloseBoxes;

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool WantsCloseBoxes() const;
    void PrepareImages();
    // Gives the tab control's scroll arrows their own skinner, once they exist.
    void SkinScrollArrows();
    // A press on a close box: reported to the form skinner, and the page freed when it agrees.
    bool CloseBoxPressed(POINT point);
    void DrawStrip(HDC dc, const RECT& strip);
    void DrawPage(HDC dc, const RECT& page);

    TBitmap tabImage_;
    TBitmap pageImage_;
    TSkinMargins pageMargins_{};
    TSkinMargins tabMargins_{};
    bool pageTile_ = false;
    bool pageKeyed_ = false;
};

// A tab control in button style: each tab a button from the skin's button image.
class TSkinTabBtn : public TSkinControl {
    VELLORAN_CLASS(TSkinTabBtn)
public:
    explicit TSkinTabBtn(TComponent* owner);

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A page of a page control, in the skin's face colour.
class TSkinTabSheet : public TSkinControl {
    VELLORAN_CLASS(TSkinTabSheet)
public:
    explicit TSkinTabSheet(TComponent* owner);

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
};

}  // namespace velloran
