#include "tools/gallery/ButtonsForm.h"

#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/ImgList.h"
#include "framework/StdCtrls.h"
#include "framework/vendor/AcmeControls.h"
#include "framework/vendor/RzCheckBoxes.h"
#include "skin/controls/SkinControl.h"
#include "tools/gallery/BareDialog.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

namespace {

constexpr int kGlyphSize = 16;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 25;
constexpr int kRowStep = 31;
// The magenta of the glyph's bottom-left pixel is transparent.
constexpr COLORREF kGlyphKey = RGB(255, 0, 255);

// A strip of three frames (up, disabled, pressed) of a round lamp.
void DrawLampStrip(TBitmap& strip) {
    strip.SetSize(kGlyphSize * 3, kGlyphSize);
    const HDC dc = strip.Canvas().Handle();
    const COLORREF lamps[3] = {RGB(40, 170, 60), RGB(150, 150, 150), RGB(20, 110, 200)};
    TBrushHandle key(CreateSolidBrush(kGlyphKey));
    const RECT all{0, 0, kGlyphSize * 3, kGlyphSize};
    FillRect(dc, &all, key.get());
    for (int frame = 0; frame < 3; ++frame) {
        TBrushHandle lamp(CreateSolidBrush(lamps[frame]));
        TSelectObject select(dc, lamp.get());
        const int left = frame * kGlyphSize;
        Ellipse(dc, left + 2, 2, left + kGlyphSize - 2, kGlyphSize - 2);
    }
}

}  // namespace

const TClassInfo& TGalleryButtonsForm::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TGalleryButtonsForm>("TGalleryButtonsForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryButtonsForm::TGalleryButtonsForm(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetCaption("Buttons and check boxes");
    UseProgramFont(*this);
    SetClientWidth(500);
    SetClientHeight(330);
    AddPushButtons();
    AddGlyphButtons();
    AddChecks();
    AddOthers();
    AddVendorChecks();
}

void TGalleryButtonsForm::AddPushButtons() {
    const int left = 12;
    PlaceControl<TButton>(*this, {left, 12, kButtonWidth, kButtonHeight}, "Normal");
    PlaceControl<TButton>(*this, {left, 12 + kRowStep, kButtonWidth, kButtonHeight}, "Default")->SetDefault(true);
    PlaceControl<TButton>(*this, {left, 12 + 2 * kRowStep, kButtonWidth, kButtonHeight}, "Disabled")
        ->SetEnabled(false);
    PlaceControl<TButton>(*this, {left, 12 + 3 * kRowStep, kButtonWidth, 36}, "Two||lines");
    PlaceControl<TAcmeMenuButton>(*this, {left, 12 + 3 * kRowStep + 42, kButtonWidth, kButtonHeight},
                                               "Menu button");
    PlaceControl<TAcmeButton>(*this, {left, 12 + 4 * kRowStep + 42, kButtonWidth, kButtonHeight}, "Acme button");
    PlaceControl<TButton>(*this, {left, 12 + 5 * kRowStep + 42, kButtonWidth, kButtonHeight}, "Right to left!")
        ->SetBiDiMode(bdRightToLeft);
    auto* bare =
        PlaceControl<TButton>(*this, {left, 12 + 6 * kRowStep + 42, kButtonWidth, kButtonHeight}, "Bare dialog...");
    bare->OnClick = [this](TObject*) { OpenBareDialog(); };
}

HWND TGalleryButtonsForm::OpenBareDialog() { return velloran::OpenBareDialog(Handle()); }

void TGalleryButtonsForm::AddGlyphButtons() {
    const int left = 134;
    const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
    const char* captions[] = {"Left", "Right", "Top", "Bottom"};
    for (int i = 0; i < 4; ++i) {
        const bool tall = layouts[i] == blGlyphTop || layouts[i] == blGlyphBottom;
        const int top = 12 + (i < 2 ? i * kRowStep : 2 * kRowStep + (i - 2) * 48);
        auto* button = PlaceControl<TBitBtn>(*this, {left, top, kButtonWidth, tall ? 42 : kButtonHeight}, captions[i]);
        DrawLampStrip(*button->Glyph());
        button->SetNumGlyphs(3);
        button->SetLayout(layouts[i]);
    }
    images_ = new TImageList(this);
    images_->SetSize(kGlyphSize, kGlyphSize);
    TBitmap strip;
    DrawLampStrip(strip);
    TBitmap lamp;
    lamp.SetSize(kGlyphSize, kGlyphSize);
    BitBlt(lamp.Canvas().Handle(), 0, 0, kGlyphSize, kGlyphSize, strip.Canvas().Handle(), 2 * kGlyphSize, 0, SRCCOPY);
    images_->AddMasked(lamp, static_cast<TColor>(kGlyphKey));
    auto* listed = PlaceControl<TBitBtn>(*this, {left, 12 + 2 * kRowStep + 96, kButtonWidth, kButtonHeight}, "Image list");
    listed->SetImages(images_);
    listed->SetImageIndex(0);

    // Speed buttons: flat, down in a group, and its group's other button.
    const int speedTop = 12 + 2 * kRowStep + 96 + kRowStep;
    auto* flat = PlaceControl<TSpeedButton>(*this, {left, speedTop, 34, kButtonHeight}, "Flat");
    flat->SetFlat(true);
    for (int i = 0; i < 2; ++i) {
        auto* grouped = PlaceControl<TSpeedButton>(*this, {left + 38 + i * 36, speedTop, 34, kButtonHeight}, "");
        DrawLampStrip(*grouped->Glyph());
        grouped->SetNumGlyphs(3);
        grouped->SetGroupIndex(1);
        grouped->SetDown(i == 0);
    }
}

void TGalleryButtonsForm::AddChecks() {
    const int left = 256;
    PlaceControl<TCheckBox>(*this, {left, 12, 110, 17}, "Unchecked");
    PlaceControl<TCheckBox>(*this, {left, 34, 110, 17}, "Checked")->SetChecked(true);
    auto* grayed = PlaceControl<TCheckBox>(*this, {left, 56, 110, 17}, "Grayed");
    grayed->SetAllowGrayed(true);
    grayed->SetState(cbGrayed);
    auto* disabled = PlaceControl<TCheckBox>(*this, {left, 78, 110, 17}, "Disabled");
    disabled->SetChecked(true);
    disabled->SetEnabled(false);
    PlaceControl<TCheckBox>(*this, {left, 100, 110, 17}, "Text at left")->SetAlignment(taLeftJustify);
    PlaceControl<TRadioButton>(*this, {left, 128, 110, 17}, "Radio one")->SetChecked(true);
    PlaceControl<TRadioButton>(*this, {left, 150, 110, 17}, "Radio two");
    auto* group = PlaceControl<TRadioGroup>(*this, {left, 176, 110, 80}, "Radio group");
    for (const char* item : {"First", "Second", "Third"}) group->Items()->Add(item);
    group->SetItemIndex(1);
}

void TGalleryButtonsForm::AddOthers() {
    const int left = 378;
    auto* panel = PlaceControl<TPanel>(*this, {left, 12, 110, 70}, "");
    panel->SetTag(kTransparentTag);
    auto* onPanel = new TButton(this);
    onPanel->SetParent(panel);
    onPanel->SetBounds(8, 22, 94, kButtonHeight);
    onPanel->SetCaption("Tag 5555");
    onPanel->SetTag(kTransparentTag);
    auto* alone = PlaceControl<TButton>(*this, {left, 94, 110, kButtonHeight}, "Not skinned");
    // The tag by which the skin data is told to leave a control alone.
    if (GalleryMainForm) alone->SetTag(GalleryMainForm->SkinData->DisableTag());
    PlaceControl<TAcmePanel>(*this, {left, 130, 110, 60}, "Acme panel");
    auto* picture = PlaceControl<TAcmePngButton>(*this, {left, 196, 110, kButtonHeight}, "Acme picture");
    TBitmap strip;
    DrawLampStrip(strip);
    picture->PngImage()->SetSize(kGlyphSize, kGlyphSize);
    BitBlt(picture->PngImage()->Canvas().Handle(), 0, 0, kGlyphSize, kGlyphSize, strip.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

// The other vendor's check boxes and radio button, which a skin gives a glyph strip to draw.
void TGalleryButtonsForm::AddVendorChecks() {
    const int left = 378;
    PlaceControl<TRzCheckBox>(*this, {left, 230, 110, 17}, "Rz unchecked");
    PlaceControl<TRzCheckBox>(*this, {left, 252, 110, 17}, "Rz checked")->SetChecked(true);
    auto* disabled = PlaceControl<TRzCheckBox>(*this, {left, 274, 110, 17}, "Rz disabled");
    disabled->SetChecked(true);
    disabled->SetEnabled(false);
    PlaceControl<TRzRadioButton>(*this, {left, 296, 110, 17}, "Rz radio")->SetChecked(true);
}

}  // namespace velloran
