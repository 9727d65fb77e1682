// The combo box skinner on real combo boxes of both dropping styles: every state of each of its
// three looks against the skin's own frames outside the text area, hot tracking on the button only, the drop-down state
// from the control's notifications, the left-scroll-bar layout, the simple combo left to the
// system, the extended combo's arrow, and skin off giving the combo its own look back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// A pixel that any colour may take.
constexpr uint32_t kAnyColour = 0xFF000000;

TDecodedBitmap Filled(int width, int height, uint32_t colour) {
    return TDecodedBitmap{width, height, std::vector<uint32_t>(static_cast<size_t>(width * height), colour)};
}

void Fill(TDecodedBitmap& image, const RECT& r, uint32_t colour) {
    for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, image.Height); ++y)
        for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, image.Width); ++x)
            image.Pixels[static_cast<size_t>(y * image.Width + x)] = colour;
}

// The pixels of `image` other than magenta, laid on `onto` with their top-left at (left, top).
void Overlay(TDecodedBitmap& onto, const TDecodedBitmap& image, int left, int top) {
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            if (const uint32_t pixel = PixelAt(image, x, y); pixel != 0xFF00FF)
                Fill(onto, RECT{left + x, top + y, left + x + 1, top + y + 1}, pixel);
}

// Frame `frame` of a strip stretched to the rectangle's size.
TDecodedBitmap StretchedFrame(TBitmap& strip, int frameCount, int frame, const RECT& r) {
    TBitmap out;
    out.SetSize(r.right - r.left, r.bottom - r.top);
    StretchFrame(out.Canvas().Handle(), RECT{0, 0, out.Width(), out.Height()}, strip, false, frameCount, frame);
    return GetBitmapPixels(out);
}

int Frames(const TDataSkinObject& object) { return std::max(object.Frame, 1); }

// The first look: the sunken edge all round, the button's frame over the arrow's strip and the
// arrow glyph centred on it.
TDecodedBitmap EdgeAndButtonLook(TSkinData& data, int width, int height, int state, bool left) {
    TDataSkinObject& edge = *data.SunkEdge;
    TDecodedBitmap image = FittedFrame(edge, Frames(edge), state, width, height);
    for (uint32_t& pixel : image.Pixels)
        if (pixel == 0xFF00FF) pixel = SkinColour(data, ciButtonFace);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const RECT place = left ? RECT{0, 0, arrow + 2, height} : RECT{width - arrow - 2, 0, width, height};
    TDataSkinBorder& button = *data.ComboButton;
    // The left layout draws the mirrored strip, whose frames run the other way.
    const int frames = Frames(button);
    const bool mirrored = left && !button.Bitmap2->Empty();
    Overlay(image, StretchedFrame(mirrored ? *button.Bitmap2 : *button.Bitmap, frames, mirrored ? frames - state + 1 : state, place),
            place.left, place.top);
    TDataSkinObject& glyphs = *data.ExtraImages;
    const TDecodedBitmap glyph = StripFramePixels(*glyphs.Bitmap, Frames(glyphs), state);
    Overlay(image, glyph, place.left + (place.right - place.left - glyph.Width) / 2, (height - glyph.Height) / 2);
    return image;
}

// The simple look: a frame in the border colour, and the button's frame, one frame wide, at the
// end of a strip in the control's own colour; where the frame is wider than the strip, the skin's
// background shows through its transparent parts.
TDecodedBitmap SimpleLook(TSkinData& data, int width, int height, int state, bool left) {
    TDecodedBitmap image = Filled(width, height, kAnyColour);
    const uint32_t border = SkinColour(data, ciButtonShadow), own = Rgb(GetSysColor(COLOR_WINDOW));
    Fill(image, RECT{0, 0, width, 1}, border);
    Fill(image, RECT{0, height - 1, width, height}, border);
    Fill(image, RECT{0, 0, 1, height}, border);
    Fill(image, RECT{width - 1, 0, width, height}, border);
    TDataSkinBorder& button = *data.ComboButton;
    const int frameWidth = button.Bitmap->Width() / Frames(button), strip = GetSystemMetrics(SM_CYVTHUMB);
    RECT place = left ? RECT{1, 1, 1 + frameWidth, height - 1} : RECT{width - 1 - frameWidth, 1, width - 1, height - 1};
    place.bottom = std::min<int>(place.bottom, place.top + button.Bitmap->Height());
    const RECT stripRect = left ? RECT{1, 1, 1 + strip, height - 1} : RECT{width - 1 - strip, 1, width - 1, height - 1};
    RECT underButton{};
    IntersectRect(&underButton, &place, &stripRect);
    Fill(image, place, SkinColour(data, ciButtonFace));
    Fill(image, underButton, own);
    // The ring just inside the border is in the control's colour too.
    for (const RECT& side : {RECT{1, 1, width - 1, 2}, RECT{1, height - 2, width - 1, height - 1}, RECT{1, 1, 2, height - 1},
                             RECT{width - 2, 1, width - 1, height - 1}}) {
        RECT shown{};
        if (IntersectRect(&shown, &side, &place)) Fill(image, shown, own);
    }
    Overlay(image, StretchedFrame(*button.Bitmap, Frames(button), state, place), place.left, place.top);
    return image;
}

int LookMismatches(HWND combo, const TDecodedBitmap& expected, bool left) {
    const TDecodedBitmap actual = PaintedPixels(combo);
    const RECT text = TextArea(combo, left);
    int count = 0;
    for (int y = 0; y < expected.Height; ++y)
        for (int x = 0; x < expected.Width; ++x) {
            const uint32_t want = PixelAt(expected, x, y);
            const POINT p{x, y};
            if (want != kAnyColour && !PtInRect(&text, p) && PixelAt(actual, x, y) != want) ++count;
        }
    return count;
}

TEST(SkinComBox, TheFirstAndTheSimpleLookShowEveryStateFromTheSkinsFrames) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    ASSERT_TRUE(data.SunkEdge && data.ExtraImages);
    auto form = MakeControlForm();
    auto* focus = AddControl<TEdit>(*form, "", 200, 10, 80, 22);
    TComboBox* right = AddCombo(*form, csDropDownList, 10);
    TComboBox* left = AddCombo(*form, csDropDownList, 50, new TLeftComboBox(form.get()));
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    struct TLook {
        int Style;
        TDecodedBitmap (*Expected)(TSkinData&, int, int, int, bool);
    };
    for (const TLook& look : {TLook{0, &EdgeAndButtonLook}, TLook{1, &SimpleLook}}) {
        data.ComboButton->Style = look.Style;
        for (TComboBox* combo : {right, left}) {
            const bool leftLayout = combo == left;
            const HWND wnd = combo->Handle();
            auto* skinner = ChildSkinner<TSkinComBox>(form->Handle(), wnd);
            ASSERT_NE(skinner, nullptr);
            SetFocus(focus->Handle());
            RECT r{};
            GetWindowRect(wnd, &r);
            const auto mismatches = [&](int state) {
                return LookMismatches(wnd, look.Expected(data, r.right - r.left, r.bottom - r.top, state, leftLayout),
                                      leftLayout);
            };
            const std::string name = "style " + std::to_string(look.Style) + (leftLayout ? ", left" : ", right");
            EXPECT_EQ(mismatches(cfNormal), 0) << name;
            // The look's own button is where the mouse makes it hot.
            PaintedPixels(wnd);
            const POINT button = Centre(skinner->HotRect());
            SendMessageW(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(button.x, button.y));
            EXPECT_TRUE(skinner->Hot()) << name;
            EXPECT_EQ(mismatches(cfHot), 0) << name;
            SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
            EXPECT_EQ(mismatches(cfPressed), 0) << name;
            SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(button.x, button.y));
            combo->SetDroppedDown(false);
            SendMessageW(wnd, CM_MOUSELEAVE, 0, 0);
            SetFocus(focus->Handle());
            EnableWindow(wnd, FALSE);
            EXPECT_EQ(mismatches(cfDisabled), 0) << name;
            EnableWindow(wnd, TRUE);
        }
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
    // That image is the composed strip mirrored whole: its frames run the other way, so the normal
    // look is its last frame, the mirror of the right-hand combo's first.
    const int frames = std::max(data.SunkEdge->Frame, 1);
    TDecodedBitmap normal = StripFramePixels(*data.ComboButton->Bitmap, frames, cfNormal);
    for (int y = 0; y < normal.Height; ++y)
        std::reverse(normal.Pixels.begin() + y * normal.Width, normal.Pixels.begin() + (y + 1) * normal.Width);
    EXPECT_EQ(StripFramePixels(*data.SunkEdge->Bitmap, frames, frames - cfNormal + 1).Pixels, normal.Pixels);
    EXPECT_EQ(FrameMismatches(data, left->Handle(), *data.SunkEdge, frames - cfNormal + 1, true), 0);
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
