#pragma once
// The button skinners: push buttons (also the bare "button" windows of dialogs), menu buttons, and
// bit and speed buttons with their pictures, drawn from the skin's button strip (button.bmp: normal, pressed, disabled, hot, focused or
// default) with the caption, or caption and drop-down arrow, on top.
#include "skin/controls/SkinControl.h"

namespace velloran {

// Frames of the skin's button strip.
enum TButtonFrame : int { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfFocused = 5 };

class TSkinButton : public TSkinControl {
    VELLORAN_CLASS(TSkinButton)
public:
    explicit TSkinButton(TComponent* owner);
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;

    // The parent's background under the button instead of the skin's colour.
    bool TransparentBackground = false;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    // Reads focus, enabled state and caption, and answers the state frame.
    TButtonFrame ReadState(bool focusUsesHot);
    // The skin image of the state over the background.
    void DrawFace(HDC dc, const RECT& rect, TButtonFrame frame) const;
    // The caption's colour in the state: the font's, the skin's colours where it gives them, the
    // button-shadow colour when disabled. The skin's normal colour stands for every state of a
    // push button, for the normal state only of a menu button.
    COLORREF TextColour(TButtonFrame frame, bool normalColourEverywhere) const;
    bool WantsFocusRect() const;

private:
    void Click();
    // A change of hover state, painted at once over the whole button, which then has nothing
    // left to paint (the native button invalidates itself for its own hot state).
    void ShowHoverState();
};

// A button with a drop-down arrow at its right.
class TSkinMenuButton : public TSkinButton {
    VELLORAN_CLASS(TSkinMenuButton)
public:
    using TSkinButton::TSkinButton;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

// What bit and speed buttons share: the picture (the Glyph strip, or an image of Images) placed
// beside the caption by Layout, Margin and Spacing.
class TSkinGlyphButton : public TSkinButton {
    VELLORAN_CLASS(TSkinGlyphButton)
public:
    using TSkinButton::TSkinButton;

    // The property the picture is read from: "Glyph", or another vendor's name for it ("PngImage").
    std::string PictureProperty = "Glyph";

protected:
    // Draws the picture and the caption over rect in colour; answers where the caption went.
    // A speed button's held-down state shows the strip's fourth frame.
    RECT DrawGlyphAndCaption(HDC dc, const RECT& rect, TButtonFrame frame, bool heldDown, COLORREF colour,
                             bool rightAlignBesideRightGlyph);
    // The glyph's size, none when the button has no picture.
    SIZE GlyphSize() const;

private:
    void DrawGlyph(HDC dc, POINT at, SIZE size, TButtonFrame frame, bool heldDown) const;
    TBitmap* Picture() const;
};

// A push button with a picture.
class TSkinBitButton : public TSkinGlyphButton {
    VELLORAN_CLASS(TSkinBitButton)
public:
    using TSkinGlyphButton::TSkinGlyphButton;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

// A window-less tool button. It has no window: it is hooked on the control object alone and paints
// in the control's own paint, on the DC the parent gives it.
class TSkinSpeedButton : public TSkinGlyphButton {
    VELLORAN_CLASS(TSkinSpeedButton)
public:
    using TSkinGlyphButton::TSkinGlyphButton;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    // Outside a paint the button has no DC: it asks for a paint instead.
    void PaintWindow(HDC dc) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    TButtonFrame SpeedState() const;
    bool painting_ = false;
};

}  // namespace velloran
