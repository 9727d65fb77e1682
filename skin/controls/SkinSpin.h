#pragma once
// The up-down (spin) skinner: two halves, up and down or left and right, each drawn from the
// skin's UpDownVert or UpDownHorz strip with its arrow glyph on top, or, for a skin without
// them, as plain boxes with a small arrow. A spin inside an edit keeps clear of the edit's frame.
#include "skin/controls/SkinControl.h"

namespace velloran {

// State frames of one spin half.
enum TSpinFrame : int { sfNormal = 1, sfPressed = 2, sfDisabled = 3, sfHot = 4 };
enum TSpinHalf : int { shFirst = 0, shSecond = 1, shNone = -1 };

class TSkinUpDown : public TSkinControl {
    VELLORAN_CLASS(TSkinUpDown)
public:
    explicit TSkinUpDown(TComponent* owner);

    // Found inside an edit: painted inset so that the edit's frame shows around it.
    bool Embedded = false;
    bool Horizontal = false;

    // The rectangle painted, in the spin's window coordinates.
    RECT PaintedRect() const;
    // The half the point (window coordinates) lies in.
    TSpinHalf HalfAt(POINT point) const;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool IsHorizontal() const;
    TSpinFrame HalfState(TSpinHalf half) const;
    void DrawHalfFromSkin(HDC dc, const RECT& half, int frame) const;
    void DrawHalfFallback(HDC dc, const RECT& half, TSpinHalf which, TSpinFrame state) const;
    void Track(LPARAM point);

    POINT mouse_{-1, -1};
};

}  // namespace velloran
