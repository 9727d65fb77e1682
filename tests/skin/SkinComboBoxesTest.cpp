// The combo box skinner on real combo boxes of both dropping styles: every state against the
// skin's own frames outside the text area, hot tracking on the button only, the drop-down state
// from the control's notifications, the left-scroll-bar layout, the simple combo left to the
// system, the extended combo's arrow, and skin off giving the combo its own look back.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/ComboBoxes.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// A combo box laid out from right to left: its button at the left.
class TLeftComboBox : public TComboBox {
    VELLORAN_CLASS(TLeftComboBox)
public:
    using TComboBox::TComboBox;

protected:
    void CreateParams(TCreateParams& params) override {
        TComboBox::CreateParams(params);
        params.ExStyle |= WS_EX_LEFTSCROLLBAR;
    }
};

const TClassInfo& TLeftComboBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TLeftComboBox>("TLeftComboBox", &TComboBox::StaticClassInfo());
    return info;
}

// Another vendor's extended combo, mapped to its kind by class name.
class TExtendedCombo : public TComboBox {
    VELLORAN_CLASS(TExtendedCombo)
public:
    using TComboBox::TComboBox;
};

const TClassInfo& TExtendedCombo::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TExtendedCombo>("TExtendedCombo", &TComboBox::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;


TComboBox* AddCombo(TForm& form, TComboBoxStyle style, int top, TComboBox* combo = nullptr) {
    if (!combo) combo = new TComboBox(&form);
    combo->SetStyle(style);
    combo->SetParent(&form);
    combo->SetBounds(10, top, 150, 22);
    for (const char* item : {"One", "Two", "Three"}) combo->AddItem(item);
    combo->SetItemIndex(0);
    return combo;
}

// The text area the control paints itself, which the skin leaves alone.
RECT TextArea(HWND combo, bool left) {
    RECT r{};
    GetWindowRect(combo, &r);
    const int width = r.right - r.left, height = r.bottom - r.top, arrow = GetSystemMetrics(SM_CXHSCROLL);
    return left ? RECT{arrow + 4, 2, width - 2, height - 2} : RECT{2, 2, width - arrow - 4, height - 2};
}

int FrameMismatches(TSkinData& data, HWND combo, TDataSkinObject& image, int frame, bool left = false) {
    RECT r{};
    GetWindowRect(combo, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    return Mismatches(PaintedPixels(combo), FittedFrame(image, image.Frame, frame, width, height),
                      RECT{0, 0, width, height}, SkinColour(data, ciButtonFace), TextArea(combo, left));
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(SkinComBox, EachDroppingStyleShowsEveryStateOnTheButtonOnly) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    ASSERT_EQ(data.ComboButton->Style, 2);
    auto form = MakeControlForm();
    auto* focus = AddControl<TEdit>(*form, "", 200, 10, 80, 22);
    TComboBox* combos[] = {AddCombo(*form, csDropDown, 10), AddCombo(*form, csDropDownList, 50)};
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SetFocus(focus->Handle());
    for (TComboBox* combo : combos) {
        const HWND wnd = combo->Handle();
        auto* skinner = ChildSkinner<TSkinComBox>(form->Handle(), wnd);
        ASSERT_NE(skinner, nullptr);
        const std::string name = combo->Style() == csDropDown ? "drop-down" : "drop-down list";
        EXPECT_EQ(FrameMismatches(data, wnd, *data.ComboButton, cfNormal), 0) << name;

        // Over the text the combo stays as it is; over the button it is hot, until the mouse leaves.
        const POINT text = Centre(TextArea(wnd, false)), button = Centre(skinner->HotRect());
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(text.x, text.y));
        EXPECT_FALSE(skinner->Hot()) << name;
        EXPECT_EQ(FrameMismatches(data, wnd, *data.ComboButton, cfNormal), 0) << name;
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, button.y));
        EXPECT_TRUE(skinner->Hot()) << name;
        EXPECT_EQ(FrameMismatches(data, wnd, *data.ComboButton, cfHot), 0) << name;
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(text.x, text.y));
        EXPECT_FALSE(skinner->Hot()) << name;

        // Pressed on the button, the list drops and says so; closed, it says that too.
        SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
        EXPECT_EQ(FrameMismatches(data, wnd, *data.ComboButton, cfPressed), 0) << name;
        EXPECT_TRUE(skinner->DroppedDown()) << name;
        SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
        combo->SetDroppedDown(false);
        EXPECT_FALSE(skinner->DroppedDown()) << name;
        SetFocus(focus->Handle());

        // Disabled: frame 3, button and glyph, and no hot tracking.
        EnableWindow(wnd, FALSE);
        SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, button.y));
        EXPECT_FALSE(skinner->Hot()) << name;
        EXPECT_EQ(FrameMismatches(data, wnd, *data.ComboButton, cfDisabled), 0) << name;
        EnableWindow(wnd, TRUE);
    }
}

TEST(SkinComBox, LeftLayoutsSimpleCombosExtendedCombosAndSkinOff) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    std::vector<std::string> mapping = data.Skin3rd();
    mapping.insert(mapping.begin(), "TExtendedCombo=comboboxex");
    data.SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* focus = AddControl<TEdit>(*form, "", 200, 10, 80, 22);
    TComboBox* left = AddCombo(*form, csDropDownList, 10, new TLeftComboBox(form.get()));
    TComboBox* simple = AddCombo(*form, csSimple, 50);
    simple->SetHeight(80);
    TComboBox* extended = AddCombo(*form, csDropDownList, 140, new TExtendedCombo(form.get()));
    const TDecodedBitmap simpleNative = PaintedPixels(simple->Handle());
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    SetFocus(focus->Handle());

    // The mirrored image for a combo with its button at the left.
    ASSERT_NE(ChildSkinner<TSkinComBox>(form->Handle(), left->Handle()), nullptr);
    EXPECT_EQ(FrameMismatches(data, left->Handle(), *data.SunkEdge, cfNormal, true), 0);
    EXPECT_GT(FrameMismatches(data, left->Handle(), *data.ComboButton, cfNormal, true), 0);
    // A simple combo has no button to draw: the system paints it.
    EXPECT_NE(ChildSkinner<TSkinComBox>(form->Handle(), simple->Handle()), nullptr);
    EXPECT_EQ(PaintedPixels(simple->Handle()).Pixels, simpleNative.Pixels);

    // The extended combo's button is the skin's combo arrow.
    auto* extendedSkinner = ChildSkinner<TSkinComBox>(form->Handle(), extended->Handle());
    ASSERT_NE(extendedSkinner, nullptr);
    EXPECT_TRUE(extendedSkinner->Extended);
    COMBOBOXINFO info{sizeof info};
    ASSERT_TRUE(GetComboBoxInfo(extended->Handle(), &info));
    const RECT& button = info.rcButton;
    TDataSkinObject& arrow = *data.ComboArrow;
    TBitmap expected;
    expected.SetSize(button.right - button.left, button.bottom - button.top);
    StretchFrame(expected.Canvas().Handle(), RECT{0, 0, expected.Width(), expected.Height()}, *arrow.Bitmap, false,
                 arrow.Frame, cfNormal);
    EXPECT_EQ(Mismatches(PaintedPixels(extended->Handle()), GetBitmapPixels(expected), button,
                         SkinColour(data, ciButtonFace)),
              0);

    // Skin off: the combo's own look again.
    SendMessageW(left->Handle(), SM_SKINENABLE, 0, 0);
    const TDecodedBitmap leftNative = PaintedPixels(left->Handle());
    SendMessageW(left->Handle(), SM_SKINENABLE, 1, 0);
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsSkinned(left->Handle()));
    EXPECT_GT(FrameMismatches(data, left->Handle(), *data.SunkEdge, cfNormal, true), 0);
    EXPECT_EQ(PaintedPixels(left->Handle()).Pixels, leftNative.Pixels);
}

}  // namespace
}  // namespace velloran
