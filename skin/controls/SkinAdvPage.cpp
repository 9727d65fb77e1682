#include "skin/controls/SkinAdvPage.h"

#include "skin/controls/SkinTabs.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {
// The size the pictures are made in; the control stretches them to its tabs.
constexpr int kPictureWidth = 100;
constexpr int kPictureHeight = 21;
}  // namespace

const TClassInfo& TSkinAdvPage::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinAdvPage>("TSkinAdvPage", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinAdvPage::TSkinAdvPage(TComponent* owner) : TSkinControl(owner) {}

void TSkinAdvPage::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Attached) return;
    Kind = kAdvancedPageKind;
    GivePictures(false);
}

void TSkinAdvPage::RestoreControl() {
    GivePictures(true);
    TSkinControl::RestoreControl();
}

void TSkinAdvPage::SkinChanged() {
    GivePictures(false);
    TSkinControl::SkinChanged();
}

void TSkinAdvPage::GivePictures(bool clear) {
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    const struct {
        const char* Property;
        int Frame;
    } pictures[] = {{"TabBackGround", 1}, {"TabBackGroundActive", 2}};
    for (const auto& picture : pictures) {
        auto* target = dynamic_cast<TBitmap*>(GetPropObject(Control, picture.Property));
        if (!target) continue;
        std::unique_ptr<TBitmap> image;
        if (!clear && tabs && !tabs->Bitmap->Empty())
            image = ComposeSkinImage({0, 0, kPictureWidth, kPictureHeight}, *tabs->Bitmap, tabs->Margins(), false,
                                     tabs->Tile == 1, tabs->Frame, picture.Frame);
        if (!image) {
            target->SetSize(0, 0);
            continue;
        }
        image->Transparent = tabs->Trans == 1;
        image->TransparentColor = static_cast<TColor>(kSkinKeyColor);
        target->Assign(*image);
    }
}

void TSkinAdvPage::PaintControl(HDC, const RECT&) { SkinTabArrows(Form, TabArrows(Window), SkinData, Canvas); }

}  // namespace velloran
