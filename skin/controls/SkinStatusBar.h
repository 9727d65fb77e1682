#pragma once
// Status bars drawn from the skin's status-bar edges: the whole bar in simple mode, else each
// panel framed by its bevel with its text placed by its alignment, and the size grip from the
// skin's extra images at the bottom-right corner.
#include <string>
#include <vector>

#include "skin/controls/SkinControl.h"

namespace velloran {

// The frames of the status-bar edges, by what they frame.
enum TStatusEdgeFrame : int { seLowered = 1, seRaised = 2, seFlat = 3 };
// The frame of the skin's extra images that is the size grip.
constexpr int kSizeGripFrame = 5;

// What a panel shows, from the bar's panel objects or, without them, from the window.
struct TStatusPanelLook {
    std::wstring Text;
    TStatusEdgeFrame Edge = seLowered;
    UINT Alignment = DT_LEFT;
    bool OwnerDraw = false;
};

class TSkinStatusBar : public TSkinControl {
    VELLORAN_CLASS(TSkinStatusBar)
public:
    using TSkinControl::TSkinControl;

    // Where the grip goes in a bar of the given size, for a grip image of the given size.
    static RECT GripPlace(const RECT& bar, SIZE grip);

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool RightToLeft() const;
    bool SimpleMode() const;
    std::wstring SimpleText() const;
    std::vector<TStatusPanelLook> Panels() const;
    void PaintSimple(HDC dc, const RECT& rect);
    void PaintPanels(HDC dc, const RECT& rect);
    void PaintGrip(HDC dc, const RECT& rect);
    void DrawEdges(HDC dc, const RECT& rect, TStatusEdgeFrame frame);
};

}  // namespace velloran
