#pragma once
// The button skinners: push buttons (also the bare "button" windows of dialogs) and menu buttons,
// drawn from the skin's button strip (button.bmp: normal, pressed, disabled, hot, focused or
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
};

// A button with a drop-down arrow at its right.
class TSkinMenuButton : public TSkinButton {
    VELLORAN_CLASS(TSkinMenuButton)
public:
    using TSkinButton::TSkinButton;

protected:
    void PaintControl(HDC dc, const RECT& rect) override;
};

}  // namespace velloran
