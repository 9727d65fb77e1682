#pragma once
// Buttons with a picture beside their caption: the bit button (a push button drawn by the
// framework) and the window-less speed button of tool bars.
#include <memory>
#include <string>
#include <vector>

#include "framework/ImgList.h"
#include "framework/StdCtrls.h"

namespace velloran {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// Up, disabled, pressed, and held down by its group: also the order of a glyph strip's frames.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
extern const TEnumInfo ButtonLayoutEnum;
extern const TEnumInfo BitBtnKindEnum;

// Where a button of client size puts a glyph and a caption of the sizes given, relative to its
// client area. Margin is the gap from the edge the glyph sits at, Spacing the gap between glyph
// and caption; -1 makes either automatic: both automatic share the free space in three, one
// automatic takes what the other leaves. Across the layout axis both are centred.
struct TButtonPlacement {
    POINT Glyph;
    POINT Text;
};
TButtonPlacement PlaceGlyphAndText(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing);

// The picture of a bit or speed button: a bitmap strip of NumGlyphs equal frames (up, disabled,
// down, exclusive, as TButtonState), or else an image of an image list. The bitmap's
// bottom-left pixel is its transparent colour.
class TButtonGlyph {
public:
    TButtonGlyph();
    TBitmap* Bitmap() const { return bitmap_.get(); }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int n);  // 1 to 4
    TImageList* Images = nullptr;
    int ImageIndex = -1;
    int DisabledIndex = -1;  // the image shown when disabled; -1: ImageIndex embossed

    SIZE Size() const;
    // The 1-based frame of the strip shown in state; 0 when the state has no frame of its own:
    // a missing disabled frame is the first frame embossed, any other missing frame the first.
    int FrameFor(TButtonState state) const;
    // Draws the glyph and the caption in client, moved by offset (a pressed button's one pixel).
    // The caption is drawn in font and colour, embossed when disabled.
    void Draw(HDC dc, const RECT& client, POINT offset, const std::string& caption, TButtonLayout layout, int margin,
              int spacing, TButtonState state, const TFont& font) const;

private:
    void DrawPicture(HDC dc, POINT at, TButtonState state) const;
    void DrawBitmapFrame(HDC dc, POINT at, int frame) const;
    void DrawEmbossedFirstFrame(HDC dc, POINT at) const;

    std::unique_ptr<TBitmap> bitmap_;
    int numGlyphs_ = 1;
};

// What bit and speed buttons share: a glyph placed beside the caption by Layout, Margin and
// Spacing, and a repaint when any of them changes. Base is the control the button is made from.
template <class Base>
class TGlyphButton : public Base {
public:
    explicit TGlyphButton(TComponent* owner) : Base(owner) {
        glyph_.Bitmap()->OnChange = [this](TObject*) { this->Invalidate(); };
    }

    TBitmap* Glyph() const { return glyph_.Bitmap(); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int n) {
        glyph_.SetNumGlyphs(n);
        this->Invalidate();
    }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout v) { Changed(layout_, v); }
    int Margin() const { return margin_; }
    void SetMargin(int v) { Changed(margin_, v); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { Changed(spacing_, v); }

protected:
    // The published properties above, for the description of each button class.
    static std::vector<TPropInfo> GlyphProps() {
        using C = TGlyphButton;
        return {props::SubObject("Glyph", &C::Glyph), props::Int("NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs),
                props::Enum("Layout", ButtonLayoutEnum, &C::Layout, &C::SetLayout),
                props::Int("Margin", &C::Margin, &C::SetMargin), props::Int("Spacing", &C::Spacing, &C::SetSpacing)};
    }

    template <class V>
    void Changed(V& field, V value) {
        if (field == value) return;
        field = value;
        this->Invalidate();
    }

    // Glyph and caption in client, moved by offset (a pressed button's one pixel).
    void DrawGlyphAndCaption(HDC dc, const RECT& client, POINT offset, TButtonState state) const {
        glyph_.Draw(dc, client, offset, this->GetText(), layout_, margin_, spacing_, state, *this->Font());
    }

    TButtonGlyph glyph_;

private:
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
};

// A push button that draws itself: its glyph (Glyph, or Images and ImageIndex) placed by
// Layout, Margin and Spacing beside its caption. A Kind other than bkCustom gives the button
// that kind's caption, glyph, modal result and default or cancel role.
class TBitBtn : public TGlyphButton<TButton> {
    VELLORAN_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);

    TBitBtnKind Kind() const { return kind_; }
    void SetKind(TBitBtnKind v);
    TImageList* Images() const { return glyph_.Images; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return glyph_.ImageIndex; }
    void SetImageIndex(int v) { Changed(glyph_.ImageIndex, v); }
    int DisabledIndex() const { return glyph_.DisabledIndex; }
    void SetDisabledIndex(int v) { Changed(glyph_.DisabledIndex, v); }

    // A close button closes its form; the others act as push buttons.
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);

    TBitBtnKind kind_ = bkCustom;
};

// A window-less button for tool bars. With a GroupIndex it stays down when clicked, and the
// other buttons of its parent with the same GroupIndex come up; AllowAllUp lets a click bring
// the down one up too. A Flat button shows its frame only while the mouse is over it.
class TSpeedButton : public TGlyphButton<TGraphicControl> {
    VELLORAN_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* owner);

    bool Flat() const { return flat_; }
    void SetFlat(bool v) { Changed(flat_, v); }
    bool Down() const { return down_; }
    void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { Changed(transparent_, v); }

    // What the button shows now.
    TButtonState State() const { return state_; }
    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    void MouseMoved(POINT p);
    void MouseReleased(POINT p);
    // Brings up the other down button of the group and hands the group AllowAllUp.
    void UpdateExclusive();
    bool Inside(POINT p) const;

    bool flat_ = false;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool transparent_ = true;
    TButtonState state_ = bsUp;
    bool dragging_ = false;  // pressed with the left button, not yet released
    bool mouseInControl_ = false;
};

void RegisterButtonControls();

}  // namespace velloran
