// Group boxes and panels skinned on real windows, reached through the skin data's class mapping:
// the rounded frame in the skin's border colour from half the caption height down (with or
// without a caption), and a panel in the skin's face colour that gets its own back.
#include <windows.h>

#include <gtest/gtest.h>

#include "skin/controls/SkinGroupBox.h"
#include "tests/skin/PixelChecks.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// A group box of a vendor the program knows only by name.
class TVendorGroupBox : public TWinControl {
    VELLORAN_CLASS(TVendorGroupBox)
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.SysClassName = "BUTTON";
        params.Style |= BS_GROUPBOX;
    }
};

const TClassInfo& TVendorGroupBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TVendorGroupBox>("TVendorGroupBox", &TWinControl::StaticClassInfo());
    return info;
}

// A panel of the same vendor: a window that paints itself in its colour.
class TVendorPanel : public TWinControl {
    VELLORAN_CLASS(TVendorPanel)
public:
    using TWinControl::TWinControl;
};

const TClassInfo& TVendorPanel::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TVendorPanel>("TVendorPanel", &TWinControl::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;

TEST(SkinGroupBox, TheFrameStartsAtHalfTheCaptionHeightWithOrWithoutACaption) {
    TSkinnedProcess skinning("Contrast");
    std::vector<std::string> mapping = skinning.Data->Skin3rd();
    mapping.push_back("TVendorGroupBox=groupbox");
    skinning.Data->SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* titled = AddControl<TVendorGroupBox>(*form, "Group", 10, 10, 140, 80);
    auto* bare = AddControl<TVendorGroupBox>(*form, "", 160, 10, 140, 80);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const uint32_t border = SkinColour(*skinning.Data, ciButtonShadow);
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    const int lineTop = GroupFrameLine(*titled);
    for (TVendorGroupBox* box : {titled, bare}) {
        ASSERT_NE(ChildSkinner<TSkinGroupBox>(form->Handle(), box->Handle()), nullptr);
        ExpectPixels(PaintedPixels(box->Handle()), {{100, lineTop, border},
                                                    {1, 40, border},
                                                    {70, 78, border},
                                                    {70, 40, face},
                                                    {0, 40, face},
                                                    {100, lineTop - 1, face}});
    }
    // The caption covers the line where it stands.
    EXPECT_NE(PixelAt(PaintedPixels(titled->Handle()), 9, lineTop), border);
    EXPECT_EQ(PixelAt(PaintedPixels(bare->Handle()), 9, lineTop), border);
}

TEST(SkinBox, APanelTakesTheFaceColourAndGetsItsOwnBack) {
    TSkinnedProcess skinning;
    std::vector<std::string> mapping = skinning.Data->Skin3rd();
    mapping.push_back("TVendorPanel=panel");
    skinning.Data->SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* panel = AddControl<TVendorPanel>(*form, "", 10, 10, 140, 80);
    panel->SetColor(clAqua);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinBox>(form->Handle(), panel->Handle()), nullptr);
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    EXPECT_EQ(PixelAt(PaintedPixels(panel->Handle()), 70, 40), face);
    EXPECT_FALSE(panel->ParentBackground());

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_TRUE(panel->ParentBackground());
}

}  // namespace
}  // namespace velloran
