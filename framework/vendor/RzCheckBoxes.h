#pragma once
// Check boxes and radio buttons of a second outside vendor. They draw themselves, either from a
// glyph strip the program gives them or, without one, as the platform draws its own. A strip
// given in CustomGlyphs is taken only when UseCustomGlyphs turns true. The strip holds equal
// slots side by side: the marks unpressed, the same pressed, the same disabled. Pixels of
// TransparentColor in a slot show the background.
#include <memory>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace velloran {

// What the vendor's check box and radio button share: the glyph strip, the press, the painting.
class TRzCustomCheck : public TWinControl {
    VELLORAN_CLASS(TRzCustomCheck)
public:
    explicit TRzCustomCheck(TComponent* owner);
    TBitmap* CustomGlyphs() const { return customGlyphs_.get(); }
    int TransparentColor() const { return transparentColor_; }
    void SetTransparentColor(int colour);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    void SetUseCustomGlyphs(bool use);
    virtual bool Checked() const = 0;
    virtual void SetChecked(bool checked) = 0;
    void WndProc(TMessage& message) override;

protected:
    // The three rows of slots in a strip, each Marks() slots wide.
    enum TGlyphRow { grNormal, grPressed, grDisabled };
    void PaintWindow(HDC dc) override;
    // The mark shown now: its slot within a row of the strip.
    virtual int Mark() const = 0;
    virtual int Marks() const = 0;
    // DrawFrameControl's DFCS_BUTTON... flags for the mark shown now.
    virtual UINT PlatformLook() const = 0;

private:
    TGlyphRow Row() const;
    // A strip wide enough for every slot was given.
    bool HasStrip() const;
    SIZE GlyphSize() const;
    void DrawGlyph(HDC dc, const RECT& box);
    void DrawCaption(HDC dc, RECT room);
    void MouseReleased(POINT p);

    std::unique_ptr<TBitmap> customGlyphs_;
    TBitmap shownGlyphs_;  // the strip taken when UseCustomGlyphs last turned true
    int transparentColor_ = 0;
    bool useCustomGlyphs_ = false;
    bool pressed_ = false;  // held by the left button
};

class TRzCheckBox : public TRzCustomCheck {
    VELLORAN_CLASS(TRzCheckBox)
public:
    using TRzCustomCheck::TRzCustomCheck;
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState state);
    bool Checked() const override { return state_ == cbChecked; }
    void SetChecked(bool checked) override { SetState(checked ? cbChecked : cbUnchecked); }
    void Click() override;

protected:
    int Mark() const override { return state_; }
    int Marks() const override { return 3; }
    UINT PlatformLook() const override;

private:
    TCheckBoxState state_ = cbUnchecked;
};

// Checking one unchecks the vendor's other radio buttons of the same parent.
class TRzRadioButton : public TRzCustomCheck {
    VELLORAN_CLASS(TRzRadioButton)
public:
    using TRzCustomCheck::TRzCustomCheck;
    bool Checked() const override { return checked_; }
    void SetChecked(bool checked) override;
    void Click() override;

protected:
    int Mark() const override { return checked_ ? 1 : 0; }
    int Marks() const override { return 2; }
    UINT PlatformLook() const override { return DFCS_BUTTONRADIO | (checked_ ? DFCS_CHECKED : 0); }

private:
    bool checked_ = false;
};

// Makes the classes known to form data by name.
void RegisterRzCheckBoxes();

}  // namespace velloran
