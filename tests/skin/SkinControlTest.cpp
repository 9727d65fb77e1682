// The control skinner base and the selection on real windows: attaching once, answering
// SM_ISSKINNED, switching off and on, giving the control back, hook links leaving in any order,
// the selection's tag, mapping, event and gate rules, skinning going off and on and changing
// skin with open windows, and no handle left behind after many cycles.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "framework/ControlHook.h"
#include "framework/ExtCtrls.h"
#include "framework/ImgList.h"
#include "framework/vendor/RzCheckBoxes.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinnerSelection.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// A button of another vendor, known to the program only by its class name.
class TVendorButton : public TButton {
    VELLORAN_CLASS(TVendorButton)
public:
    using TButton::TButton;
};

const TClassInfo& TVendorButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TVendorButton>("TVendorButton", &TButton::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;


// Counts the messages of one kind that reach the control below the hooks installed after it.
struct TCountingLink {
    UINT Msg;
    int Seen = 0;
    TControlHook Hook;
    TCountingLink(TControl& control, UINT msg)
        : Msg(msg), Hook(control, [this](TMessage& m, const TControlHook::TNext& next) {
              if (m.Msg == Msg) ++Seen;
              next(m);
          }) {}
};

TEST(SkinControl, AttachesOnceAnswersSkinnedAndSwitchesOffAndOn) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "", 10, 10, 90, 28);
    TCountingLink skinnedQuery(*button, SM_ISSKINNED);
    TCountingLink paints(*button, WM_PAINT);
    TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
    ASSERT_NE(formSkinner, nullptr);
    auto* skinner = ChildSkinner<TSkinButton>(form->Handle(), button->Handle());
    ASSERT_NE(skinner, nullptr);

    const size_t count = formSkinner->Skinners().size();
    const TDecodedBitmap skinned = PaintedPixels(button->Handle());
    skinner->InitSkin(formSkinner, skinning.Data.get(), true, &formSkinner->ControlCanvas);
    EXPECT_EQ(formSkinner->Skinners().size(), count);
    EXPECT_EQ(button->Color(), clBtnFace);
    SendMessageW(form->Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    EXPECT_EQ(formSkinner->Skinners().size(), count);

    skinnedQuery.Seen = 0;
    EXPECT_EQ(SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(skinnedQuery.Seen, 0);

    // Off: every message reaches the control, painting included; on: the skin again at once.
    paints.Seen = 0;
    SendMessageW(button->Handle(), SM_SKINENABLE, 0, 0);
    const TDecodedBitmap native = PaintedPixels(button->Handle());
    EXPECT_GT(paints.Seen, 0);
    EXPECT_NE(native.Pixels, skinned.Pixels);
    EXPECT_EQ(SendMessageW(button->Handle(), SM_ISSKINNED, 0, 0), 0);
    SendMessageW(button->Handle(), SM_SKINENABLE, 1, 0);
    paints.Seen = 0;
    EXPECT_EQ(PaintedPixels(button->Handle()).Pixels, skinned.Pixels);
    EXPECT_EQ(paints.Seen, 0);
}

TEST(SkinControl, ColourAndParentBackgroundComeBackWhenTheWindowGoes) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* edit = AddControl<TEdit>(*form, "", 10, 10, 90, 22);
    edit->SetColor(clYellow);
    TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
    ASSERT_NE(formSkinner, nullptr);
    ASSERT_TRUE(edit->ParentBackground());
    auto* box = new TSkinBox(edit);
    box->InitSkin(formSkinner, skinning.Data.get(), true, &formSkinner->ControlCanvas);
    EXPECT_EQ(ColorToRGB(edit->Color()), ColorToRGB(static_cast<TColor>(skinning.Data->Colors[ciButtonFace])));
    EXPECT_FALSE(edit->ParentBackground());
    EXPECT_EQ(box->Kind, 1);

    edit->DestroyHandle();
    EXPECT_TRUE(box->WindowDestroyed());
    EXPECT_EQ(edit->Color(), clYellow);
    EXPECT_TRUE(edit->ParentBackground());
    // The next initialisation drops the skinner of the dead window. (Its address may well come
    // back for the skinner of the edit's new window, so the list is asked for dead windows.)
    SendMessageW(form->Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    const auto& listed = formSkinner->Skinners();
    EXPECT_TRUE(std::none_of(listed.begin(), listed.end(), [](TChildSkinner* s) { return s->WindowDestroyed(); }));
}

TEST(SkinControl, HookLinksLeaveInEveryOrder) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "", 10, 10, 90, 28);
    TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
    ASSERT_NE(formSkinner, nullptr);
    auto* skinner = ChildSkinner<TSkinButton>(form->Handle(), button->Handle());
    ASSERT_NE(skinner, nullptr);

    // A link installed after the skinner stays when the skinner goes first.
    auto later = std::make_unique<TCountingLink>(*button, WM_PAINT);
    const TDecodedBitmap skinned = PaintedPixels(button->Handle());
    Free(skinner);
    EXPECT_FALSE(IsSkinned(button->Handle()));
    later->Seen = 0;
    EXPECT_NE(PaintedPixels(button->Handle()).Pixels, skinned.Pixels);
    EXPECT_EQ(later->Seen, 1);
    later.reset();

    // Skinned again, then a later link goes first: the skinner keeps painting.
    SendMessageW(form->Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    ASSERT_TRUE(IsSkinned(button->Handle()));
    later = std::make_unique<TCountingLink>(*button, WM_PAINT);
    later.reset();
    EXPECT_EQ(PaintedPixels(button->Handle()).Pixels, skinned.Pixels);
}

TEST(SkinnerSelection, TagsMappingsTheApplicationAndTheGatesDecide) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    std::vector<std::string> mapping = data.Skin3rd();
    mapping.insert(mapping.begin(), {"TVendorButton=nil", "TCheckBox=button"});
    data.SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* tagged = AddControl<TButton>(*form, "Tagged", 10, 10, 90, 28);
    tagged->SetTag(data.DisableTag());
    auto* vendor = AddControl<TVendorButton>(*form, "Vendor", 110, 10, 90, 28);
    auto* mapped = AddControl<TCheckBox>(*form, "Mapped", 10, 50, 90, 20);
    auto* chosen = AddControl<TButton>(*form, "Chosen", 110, 50, 90, 28);
    auto* plain = AddControl<TButton>(*form, "Plain", 210, 50, 90, 28);
    TSkinButton* given = nullptr;
    data.OnSkinControl = [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::string& className,
                             TComponent*& skinner) {
        if (control != chosen) return;
        EXPECT_EQ(className, "TBUTTON");
        given = new TSkinMenuButton(control);
        skinner = given;
    };
    TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
    ASSERT_NE(formSkinner, nullptr);

    EXPECT_FALSE(IsSkinned(tagged->Handle()));
    // The mapping comes before the class tests: "nil" keeps a button of a button class unskinned.
    EXPECT_FALSE(IsSkinned(vendor->Handle()));
    EXPECT_NE(ChildSkinner<TSkinButton>(form->Handle(), mapped->Handle()), nullptr);
    EXPECT_EQ(ChildSkinner(form->Handle(), chosen->Handle()), given);
    EXPECT_NE(ChildSkinner<TSkinButton>(form->Handle(), plain->Handle()), nullptr);

    // Offered again, nothing is skinned twice.
    const size_t count = formSkinner->Skinners().size();
    TSkinnerSelection selection;
    for (TControl* control : {static_cast<TControl*>(tagged), static_cast<TControl*>(plain)})
        selection.SkinControl(*formSkinner, *control);
    EXPECT_EQ(formSkinner->Skinners().size(), count);

    // A family whose member of SkinControls is off stays unskinned.
    data.SetSkinControls(data.SkinControls() & ~SkinBit(xcButton));
    auto* gated = AddControl<TButton>(*form, "Gated", 210, 10, 90, 28);
    selection.SkinControl(*formSkinner, *gated);
    EXPECT_FALSE(IsSkinned(gated->Handle()));
}

TEST(SkinnerSelection, AnOutsideVendorsCheckBoxGetsAGlyphStripCutFromTheSkin) {
    TSkinnedProcess skinning("Contrast");
    auto form = MakeControlForm();
    auto* box = AddControl<TRzCheckBox>(*form, "Vendor", 10, 10, 120, 20);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinObjImage>(form->Handle(), box->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->Kind, oiVendorCheckBox);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->TransparentColor(), 0xFF00FF);

    TDataSkinButton& art = skinning.Data->Button;
    const int width = art.CheckBitmap->Width() / art.CheckFrame;
    const TDecodedBitmap strip = GetBitmapPixels(*box->CustomGlyphs());
    ASSERT_EQ(strip.Width, width * 9);
    // Each slot shows the frame of the skin's full strip that its own check box shows: slots 0 and 3
    // unchecked, 1 and 4 checked, 2 and 5 grayed, then unchecked, checked and grayed disabled.
    ASSERT_EQ(art.CheckFrame, kFullCheckStripFrames);
    for (const auto& [slot, frame] :
         {std::pair{0, 1}, {3, 1}, {1, 5}, {4, 5}, {2, 9}, {5, 9}, {6, 4}, {7, 8}, {8, 12}})
        EXPECT_EQ(Mismatches(strip, StripFramePixels(*art.CheckBitmap, art.CheckFrame, frame),
                             RECT{slot * width, 0, (slot + 1) * width, strip.Height}, 0xFF00FF),
                  0)
            << slot;

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(box->UseCustomGlyphs());
}

// The shared drawing routines of the base, called as a painter calls them.
class TDrawingProbe : public TSkinControl {
public:
    using TSkinControl::BlitStripFrame;
    using TSkinControl::DrawIconAndCaption;
    using TSkinControl::DrawStripFrame;
    using TSkinControl::TSkinControl;
};

// The bounding box of the pixels of one colour; empty when there are none.
RECT InkOf(const TDecodedBitmap& pixels, const std::function<bool(uint32_t)>& is) {
    RECT box{pixels.Width, pixels.Height, 0, 0};
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            if (is(PixelAt(pixels, x, y))) {
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
            }
    return box;
}

TEST(SkinControl, EachFormOfTheStripFrameCutsTheSameColumns) {
    // Column x of the strip has red x; the columns past 5 x 20 are green, in no frame.
    TBitmap strip;
    strip.SetSize(103, 4);
    for (int x = 0; x < 103; ++x)
        for (int y = 0; y < 4; ++y) SetPixel(strip.Canvas().Handle(), x, y, x < 100 ? RGB(x, 0, 100) : RGB(0, 255, 0));
    const std::function<void(TBitmap&, const RECT&, int)> forms[] = {
        [&strip](TBitmap& out, const RECT& r, int frame) {
            TDrawingProbe::DrawStripFrame(out.Canvas().Handle(), r, 5, frame, strip);
        },
        [&strip](TBitmap& out, const RECT& r, int frame) {
            TDrawingProbe::DrawStripFrame(out.Canvas(), r, 5, frame, strip);
        },
        [&strip](TBitmap& out, const RECT& r, int frame) {
            TDrawingProbe::BlitStripFrame(out.Canvas().Handle(), r, 5, frame, strip);
        },
    };
    for (size_t form = 0; form < std::size(forms); ++form) {
        SCOPED_TRACE(form);
        TBitmap out;
        out.SetSize(60, 4);
        forms[form](out, RECT{0, 0, 20, 4}, 3);
        forms[form](out, RECT{20, 0, 60, 4}, 5);  // stretched twice as wide
        const TDecodedBitmap pixels = GetBitmapPixels(out);
        for (int x = 0; x < 20; ++x) EXPECT_EQ(PixelAt(pixels, x, 2), Rgb(RGB(40 + x, 0, 100))) << x;
        EXPECT_EQ(PixelAt(pixels, 20, 2), Rgb(RGB(80, 0, 100)));
        EXPECT_EQ(PixelAt(pixels, 59, 2), Rgb(RGB(99, 0, 100)));
        const RECT remainder = InkOf(pixels, [](uint32_t p) { return p == 0x00FF00; });
        EXPECT_TRUE(IsRectEmpty(&remainder));
    }
}

TEST(SkinControl, IconAndCaptionLandByAlignmentAndNeverLeftOfTheEdge) {
    constexpr int kIcon = 16;
    constexpr COLORREF kIconColour = RGB(0, 200, 0);
    TImageList images(nullptr);
    images.SetSize(kIcon, kIcon);
    TBitmap icon;
    icon.SetSize(kIcon, kIcon);
    const RECT whole{0, 0, kIcon, kIcon};
    TBrushHandle green(CreateSolidBrush(kIconColour));
    FillRect(icon.Canvas().Handle(), &whole, green.get());
    ASSERT_EQ(images.AddMasked(icon, static_cast<TColor>(RGB(255, 0, 255))), 0);
    const std::wstring caption = L"Tab";
    TDrawingProbe probe(nullptr);
    const struct {
        TCaptionAlignment Alignment;
        int Width;
        int IconLeft;  // -1: the right-aligned place, 2 pixels from the edge
    } cases[] = {{caLeft, 200, 3}, {caCenter, 200, -2}, {caRight, 200, -1}, {caRight, 30, 1}, {caCenter, 30, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "alignment " << c.Alignment << " width " << c.Width);
        TBitmap out;
        out.SetSize(c.Width, 30);
        const RECT outer{0, 0, c.Width, 30};
        FillRect(out.Canvas().Handle(), &outer, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const HDC dc = out.Canvas().Handle();
        TSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, RGB(0, 0, 0));
        SIZE text{};
        GetTextExtentPoint32W(dc, caption.c_str(), 3, &text);
        const auto place = probe.DrawIconAndCaption(dc, images.Handle(), 0, caption, outer, c.Alignment);
        const int pair = kIcon + 2 + text.cx;
        const int expected = c.IconLeft == -1   ? c.Width - 2 - pair
                             : c.IconLeft == -2 ? (c.Width - pair) / 2
                                                : c.IconLeft;
        const TDecodedBitmap pixels = GetBitmapPixels(out);
        const RECT iconInk = InkOf(pixels, [](uint32_t p) { return p == Rgb(kIconColour); });
        EXPECT_EQ(iconInk.left, expected);
        EXPECT_EQ(iconInk.top, (30 - kIcon) / 2);
        EXPECT_EQ(place.Icon.left, expected);
        EXPECT_EQ(place.Text.left, expected + kIcon + 2);
        const RECT textInk = InkOf(pixels, [](uint32_t p) { return p != 0xFFFFFF && p != Rgb(kIconColour); });
        EXPECT_GE(textInk.left, expected + kIcon + 2);
        EXPECT_LE(textInk.left, expected + kIcon + 2 + 3);
        EXPECT_LE(textInk.right, c.Width);
    }
    // Without an image the caption alone takes the place.
    TBitmap out;
    out.SetSize(200, 30);
    const auto place = probe.DrawIconAndCaption(out.Canvas().Handle(), nullptr, -1, caption, {0, 0, 200, 30}, caLeft);
    EXPECT_EQ(place.Text.left, 3);
}

TEST(SkinnerSelection, APanelWithoutSkinnerTakesTheSkinBackgroundAndItsChildrenAreSkinned) {
    TSkinnedProcess skinning("Contrast");
    auto form = MakeControlForm();
    // Left alone by the form's own selection, so that it reaches the bare-window row.
    auto* panel = AddControl<TPanel>(*form, "", 10, 10, 200, 100);
    panel->SetTag(skinning.Data->DisableTag());
    panel->SetColor(clRed);
    // A window without a control object: only the panel's row reaches it.
    TWindowHandle inside(CreateWindowExW(0, L"BUTTON", L"Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 28,
                                         panel->Handle(), reinterpret_cast<HMENU>(1), nullptr, nullptr));
    ASSERT_TRUE(inside);
    TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
    ASSERT_NE(formSkinner, nullptr);
    ASSERT_FALSE(IsSkinned(inside.get()));
    ASSERT_NE(ColorToRGB(panel->Color()), ColorToRGB(static_cast<TColor>(skinning.Data->Colors[ciButtonFace])));

    formSkinner->SkinChildWindow(panel->Handle());
    EXPECT_NE(ChildSkinner<TSkinButton>(form->Handle(), inside.get()), nullptr);
    EXPECT_EQ(ColorToRGB(panel->Color()), ColorToRGB(static_cast<TColor>(skinning.Data->Colors[ciButtonFace])));
}

TEST(SkinControl, SkinOffOnAndASkinSwitchWithOpenWindows) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "", 10, 10, 90, 28);
    auto* box = AddControl<TCheckBox>(*form, "Box", 10, 50, 120, 20);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_TRUE(IsSkinned(button->Handle()) && IsSkinned(box->Handle()));
    const auto showsFrame = [&](const TSkinData& data) {
        TDataSkinButton& art = const_cast<TSkinData&>(data).Button;
        return Mismatches(PaintedPixels(button->Handle()), FittedFrame(art, art.Frame, bfNormal, 90, 28),
                          RECT{0, 0, 90, 28}, SkinColour(data, ciButtonFace)) == 0;
    };
    EXPECT_TRUE(showsFrame(*skinning.Data));

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsSkinned(button->Handle()));
    EXPECT_FALSE(IsSkinned(box->Handle()));
    EXPECT_FALSE(showsFrame(*skinning.Data));
    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(button->Handle()) && IsSkinned(box->Handle()); }));
    EXPECT_TRUE(showsFrame(*skinning.Data));

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-controls-contrast.skn";
    WriteProjectSkin("Contrast", file);
    int changed = 0;
    skinning.Data->OnSkinChanged = [&changed](TObject*) { ++changed; };
    skinning.Data->SetSkinFile(file.string());
    ASSERT_TRUE(PumpUntil([&] { return changed > 0; }));
    auto contrast = LoadProjectSkin("Contrast");
    EXPECT_TRUE(showsFrame(*contrast));
    std::filesystem::remove(file);
}

TEST(SkinControl, ManyHoverPressPaintAndSkinSwitchCyclesLeakNoHandles) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* button = AddControl<TButton>(*form, "Press", 10, 10, 90, 28);
    auto* box = AddControl<TCheckBox>(*form, "Box", 10, 50, 120, 20);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ExpectNoHandleLeftAfterCycles(skinning, "controls", [&](int i) {
        SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        SendMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
        box->SetChecked(i % 2 == 0);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    EXPECT_TRUE(IsSkinned(button->Handle()));
}

}  // namespace
}  // namespace velloran
