#pragma once
// Progress bars and track bars from the skin. A progress bar shows the skin's track with the
// filled part over it (the progress image's second frame, or the chunk image over a one-frame
// track); a vertical one is drawn lying down and turned upright. A track bar keeps its own tics
// and takes its channel and thumb from the skin through custom draw, with a plain thumb for a
// skin without one.
#include <string>

#include "skin/controls/SkinControl.h"

namespace velloran {

// How the progress image is cut: a track and a bar, or a track only with chunks over it.
enum TProgressStyle : int { psTrackAndBar = 0, psTrackAndChunks = 1 };
enum TProgressFrame : int { pfTrack = 1, pfBar = 2 };
// The frame of the track bar's thumb images that is drawn.
constexpr int kThumbFrame = 2;

class TSkinProgress : public TSkinControl {
    VELLORAN_CLASS(TSkinProgress)
public:
    using TSkinControl::TSkinControl;

    // The filled length of a bar `length` long at position p of lo..hi, as the style counts it.
    static int FilledLength(TProgressStyle style, int length, int p, int lo, int hi);

protected:
    bool BeforeProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    bool HasImage() const;
    // The bar lying down, `length` by `thickness`.
    void PaintLying(HDC dc, int length, int thickness);
    void PaintChunks(HDC dc, int filled, int thickness);
};

class TSkinTrackBar : public TSkinControl {
    VELLORAN_CLASS(TSkinTrackBar)
public:
    using TSkinControl::TSkinControl;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    // The control draws its thumb anew as it gains the focus: it is lent the focus, which is
    // then given back, where the user's form is the active one; then it is repainted.
    void SkinChanged() override;

protected:
    bool BeforeProc(TMessage& message) override;

private:
    bool Vertical() const;
    // The bar can take the focus for a moment without the user seeing another window come forward.
    bool CanLendFocus() const;
    // Answers the custom-draw stage; false for notifications it leaves to the control.
    bool CustomDraw(TMessage& message);
    void DrawThumb(HDC dc);
    // False when the skin has no channel image: the control draws its own.
    bool DrawChannel(HDC dc);

    std::string savedTransparent_;
};

}  // namespace velloran
