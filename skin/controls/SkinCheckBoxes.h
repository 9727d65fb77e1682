#pragma once
// The check box and radio button skinners: the skin's check strip (check.bmp) or radio strip
// (radio.bmp) beside the caption; and the skinner that hands outside vendors' check and radio
// controls a glyph strip cut from those images instead of painting them.
#include "skin/controls/SkinControl.h"

namespace velloran {

// Strips of this many frames hold every check (or radio) state in a frame of its own.
inline constexpr int kFullCheckStripFrames = 12;
inline constexpr int kFullRadioStripFrames = 8;

// What check boxes and radio buttons share: the image beside the caption, the transparent
// background, the repaint on every change of the check.
class TSkinCheckMark : public TSkinControl {
    VELLORAN_CLASS(TSkinCheckMark)
public:
    using TSkinControl::TSkinControl;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) override;

    bool TransparentBackground = false;
    // The frame of the strip the control shows now.
    virtual int FrameIndex() const = 0;

protected:
    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

    virtual TBitmap& Strip() const = 0;
    virtual int StripFrames() const = 0;
    // The number of frames from which a strip holds every state in its own frame.
    virtual int FullStripFrames() const = 0;
    // Pixels between the image and the right edge when the caption is at the left.
    virtual int RightInset() const = 0;
    // A base state index with the disabled offset, remapped for a full strip.
    int StripFrame(int index, bool indeterminate) const;

private:
    void ReadKind();
};

class TSkinCheckBox : public TSkinCheckMark {
    VELLORAN_CLASS(TSkinCheckBox)
public:
    using TSkinCheckMark::TSkinCheckMark;
    int FrameIndex() const override;
    // The last BM_SETCHECK argument + 1 (1 unchecked, 2 checked, 3 indeterminate); 0 before any.
    int32_t CheckValue = 0;

protected:
    void AfterProc(TMessage& message) override;
    TBitmap& Strip() const override;
    int StripFrames() const override;
    int FullStripFrames() const override { return kFullCheckStripFrames; }
    int RightInset() const override { return 0; }
};

class TSkinRadioButton : public TSkinCheckMark {
    VELLORAN_CLASS(TSkinRadioButton)
public:
    using TSkinCheckMark::TSkinCheckMark;
    int FrameIndex() const override;

protected:
    TBitmap& Strip() const override;
    int StripFrames() const override;
    int FullStripFrames() const override { return kFullRadioStripFrames; }
    int RightInset() const override { return 1; }
};

// Which outside vendor's control a TSkinObjImage serves.
enum TObjImageKind : int32_t { oiVendorCheckBox = 1, oiVendorRadioButton = 2, oiSecondVendorCheckBox = 3 };

class TSkinObjImage : public TSkinControl {
    VELLORAN_CLASS(TSkinObjImage)
public:
    using TSkinControl::TSkinControl;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;

private:
    // Cuts the glyph strip from the skin's image and gives it to the control.
    void Build();
};

}  // namespace velloran
