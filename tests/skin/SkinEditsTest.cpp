// The edit and spin skinners on real windows: the edit's frame ring by ring, the borderless edit
// left alone, the print variant and the self-paint exchange, the spin found inside an edit and
// kept clear of its frame, every state of both spin kinds against the skin's own frames, the
// fallback drawing, skin off giving the native frames back, and no handle left behind by
// edits, spins and combo boxes.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/ComboBoxes.h"
#include "framework/UpDowns.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinSpin.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {

// An edit without the client edge.
class TFlatEdit : public TEdit {
    VELLORAN_CLASS(TFlatEdit)
public:
    using TEdit::TEdit;

protected:
    void CreateParams(TCreateParams& params) override {
        TEdit::CreateParams(params);
        params.ExStyle &= ~WS_EX_CLIENTEDGE;
    }
};

const TClassInfo& TFlatEdit::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TFlatEdit>("TFlatEdit", &TEdit::StaticClassInfo());
    return info;
}

namespace {

using namespace fwtest;
using namespace skintest;


// The pixels of the ring `inset` pixels in from the image's edge that are not `colour`.
int RingMismatches(const TDecodedBitmap& image, int inset, uint32_t colour) {
    int count = 0;
    for (int y = inset; y < image.Height - inset; ++y)
        for (int x = inset; x < image.Width - inset; ++x) {
            const bool onRing = x == inset || y == inset || x == image.Width - 1 - inset || y == image.Height - 1 - inset;
            if (onRing && PixelAt(image, x, y) != colour) ++count;
        }
    return count;
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r;
}

// A spin control, as a child of `parent`, covering the parent's client area's right 16 pixels.
HWND CreateSpin(HWND parent) {
    RECT client{};
    GetClientRect(parent, &client);
    return CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16, client.bottom,
                           parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// What a spin half in `frame` shows: the strip's frame stretched over the half on the skin
// background, the glyph's frame centred on it at its own size.
TDecodedBitmap ExpectedHalf(TSkinData& data, TDataSkinBorder& art, int frame, int width, int height) {
    TBitmap out;
    out.SetSize(width, height);
    const HDC dc = out.Canvas().Handle();
    TBrushHandle face(CreateSolidBrush(ColorToRGB(static_cast<TColor>(data.Colors[ciButtonFace]))));
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, face.get());
    StretchFrame(dc, all, *art.Bitmap, true, art.Frame, frame);
    const int glyphWidth = art.Bitmap2->Width() / art.Frame, glyphHeight = art.Bitmap2->Height();
    const int left = (width - glyphWidth) / 2, top = (height - glyphHeight) / 2;
    StretchFrame(dc, RECT{left, top, left + glyphWidth, top + glyphHeight}, *art.Bitmap2, true, art.Frame, frame);
    return GetBitmapPixels(out);
}

TEST(SkinEdit, FramesABorderedEditOnlyPrintsWithTheDCsBrushAndGivesTheFrameBack) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* edit = AddControl<TEdit>(*form, "Text", 10, 10, 120, 24);
    auto* flat = AddControl<TFlatEdit>(*form, "Flat", 10, 50, 120, 24);
    const TDecodedBitmap flatNative = PaintedPixels(flat->Handle());
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinEdit>(form->Handle(), edit->Handle()), nullptr);
    ASSERT_NE(ChildSkinner<TSkinEdit>(form->Handle(), flat->Handle()), nullptr);

    const uint32_t border = SkinColour(data, ciButtonShadow);
    const TDecodedBitmap framed = PaintedPixels(edit->Handle());
    EXPECT_EQ(RingMismatches(framed, 0, border), 0);
    EXPECT_EQ(RingMismatches(framed, 1, 0xFFFFFF), 0);
    EXPECT_EQ(RingMismatches(framed, 2, 0xFFFFFF), 0);
    // A borderless edit is not framed: it paints as it did before skinning.
    EXPECT_EQ(PaintedPixels(flat->Handle()).Pixels, flatNative.Pixels);

    // Printed: the outer ring in the border colour, the next with the brush the DC holds.
    const TDecodedBitmap printed = WindowSizedPixels(edit->Handle(), [&](HDC dc, HDC) {
        TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
        TSelectObject select(dc, red.get());
        SendMessageW(edit->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    EXPECT_EQ(RingMismatches(printed, 0, border), 0);
    EXPECT_EQ(RingMismatches(printed, 1, 0xFF0000), 0);

    // The exchange lets the edit paint itself, unframed, and is answered with its code.
    SendMessageW(edit->Handle(), SM_SKINENABLE, 0, 0);
    const TDecodedBitmap native = PaintedPixels(edit->Handle());
    SendMessageW(edit->Handle(), SM_SKINENABLE, 1, 0);
    LRESULT answer = 0;
    const TDecodedBitmap selfPainted = WindowSizedPixels(edit->Handle(), [&](HDC dc, HDC) {
        answer = SendMessageW(edit->Handle(), SM_EDITSELFPAINT, reinterpret_cast<WPARAM>(dc), kEditSelfPaintCode);
    });
    EXPECT_EQ(answer, kEditSelfPaintCode);
    EXPECT_EQ(selfPainted.Pixels, native.Pixels);
    EXPECT_EQ(SendMessageW(edit->Handle(), SM_EDITSELFPAINT, 0, 1), 0);

    // Skin off: the system's own edge, not the skin's frame.
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsSkinned(edit->Handle()));
    const TDecodedBitmap given = PaintedPixels(edit->Handle());
    EXPECT_GT(RingMismatches(given, 0, border) + RingMismatches(given, 1, 0xFFFFFF), 0);
}

TEST(SkinEdit, TheRowsGatesAndMappingChooseIt) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    std::vector<std::string> mapping = data.Skin3rd();
    mapping.insert(mapping.begin(), "TFlatEdit=edit");
    data.SetSkin3rd(mapping);
    auto form = MakeControlForm();
    auto* flat = AddControl<TFlatEdit>(*form, "Flat", 10, 50, 120, 24);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    // Mapped as an edit, a borderless one gets no skinner.
    EXPECT_FALSE(IsSkinned(flat->Handle()));

    const HWND dialog = CreateTemplateDialog({{L"EDIT", L"Bare", WS_BORDER, 101, 10, 10, 80, 14}}, nullptr);
    ASSERT_NE(dialog, nullptr);
    TWindowHandle owned(dialog);
    ASSERT_NE(ShowSkinned(dialog), nullptr);
    EXPECT_NE(ChildSkinner<TSkinEdit>(dialog, GetDlgItem(dialog, 101)), nullptr);

    data.SetSkinControls(data.SkinControls() & ~SkinBit(xcEdit));
    auto* gated = AddControl<TEdit>(*form, "Gated", 10, 10, 120, 24);
    SendMessageW(form->Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    EXPECT_FALSE(IsSkinned(gated->Handle()));
}

// One state of the spin: what is done to it, and the frames its first and second halves show.
struct TSpinCase {
    const char* Name;
    int FirstFrame, SecondFrame;
};

TEST(SkinUpDown, EmbeddedAndFreeSpinsShowEveryStateFromTheSkinAndFallBackWithoutIt) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* edit = AddControl<TEdit>(*form, "12", 10, 10, 120, 24);
    auto* upDown = new TUpDown(form.get());
    upDown->SetOrientation(udHorizontal);
    upDown->SetParent(form.get());
    upDown->SetBounds(200, 10, 32, 24);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const HWND inner = CreateSpin(edit->Handle());
    const HWND free = upDown->Handle();
    ASSERT_NE(inner, nullptr);
    PaintedPixels(edit->Handle());
    auto* editSkinner = ChildSkinner<TSkinEdit>(form->Handle(), edit->Handle());
    ASSERT_NE(editSkinner, nullptr);
    TSkinUpDown* embedded = editSkinner->Spin();
    ASSERT_NE(embedded, nullptr);
    EXPECT_EQ(ChildSkinner(form->Handle(), inner), embedded);
    EXPECT_TRUE(embedded->Embedded);
    auto* loose = ChildSkinner<TSkinUpDown>(form->Handle(), free);
    ASSERT_NE(loose, nullptr);
    EXPECT_FALSE(loose->Embedded);

    // The embedded spin keeps 3 pixels from the edit's top, bottom and right edges.
    const RECT editRect = WindowRectOf(edit->Handle()), spinRect = WindowRectOf(inner);
    const RECT painted = embedded->PaintedRect();
    EXPECT_GE(spinRect.top + painted.top - editRect.top, 3);
    EXPECT_GE(editRect.bottom - (spinRect.top + painted.bottom), 3);
    EXPECT_GE(editRect.right - (spinRect.left + painted.right), 3);
    EXPECT_EQ(PixelAt(PaintedPixels(inner), 0, 0), 0xFFFFFFu);

    const TSpinCase cases[] = {{"normal", 1, 5}, {"hot", 4, 5}, {"pressed", 2, 5}, {"disabled", 3, 7}};
    for (const auto& [wnd, skinner, art] : {std::tuple{inner, embedded, data.UpDownVert.get()},
                                           std::tuple{free, loose, data.UpDownHorz.get()}}) {
        ASSERT_TRUE(art && !art->Bitmap->Empty());
        const RECT area = skinner->PaintedRect();
        const int width = area.right - area.left, height = area.bottom - area.top;
        const bool horizontal = wnd == free;
        const RECT halves[] = {
            horizontal ? RECT{0, 0, width / 2, height} : RECT{0, 0, width, height / 2},
            horizontal ? RECT{width / 2, 0, width, height} : RECT{0, height / 2, width, height}};
        const LPARAM firstHalf = MAKELPARAM(area.left + 2, area.top + 2);
        for (const TSpinCase& c : cases) {
            const std::string name = c.Name;
            if (name == "hot") SendMessageW(wnd, WM_MOUSEMOVE, 0, firstHalf);
            if (name == "pressed") SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, firstHalf);
            if (name == "disabled") EnableWindow(wnd, FALSE);
            const TDecodedBitmap shown = PaintedPixels(wnd);
            for (int half = 0; half < 2; ++half) {
                RECT at = halves[half];
                OffsetRect(&at, area.left, area.top);
                const int frame = half == 0 ? c.FirstFrame : c.SecondFrame;
                EXPECT_EQ(Mismatches(shown,
                                     ExpectedHalf(data, *art, frame, at.right - at.left, at.bottom - at.top), at,
                                     SkinColour(data, ciButtonFace)),
                          0)
                    << (horizontal ? "free " : "embedded ") << name << " half " << half;
            }
            if (name == "pressed") SendMessageW(wnd, WM_LBUTTONUP, 0, firstHalf);
            if (name == "hot") SendMessageW(wnd, WM_MOUSELEAVE, 0, 0);
        }
        EnableWindow(wnd, TRUE);
    }

    // Without the skin's images: boxes outlined in the line colour, filled with the background,
    // or with the border colour while pressed.
    data.UpDownVert.reset();
    const RECT area = embedded->PaintedRect();
    const LPARAM firstHalf = MAKELPARAM(area.left + 1, area.top + 1);
    const auto fallback = PaintedPixels(inner);
    EXPECT_EQ(PixelAt(fallback, area.left, area.top), SkinColour(data, ciButtonDkShadow));
    EXPECT_EQ(PixelAt(fallback, area.left + 1, area.top + 1), SkinColour(data, ciButtonFace));
    SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, firstHalf);
    EXPECT_EQ(PixelAt(PaintedPixels(inner), area.left + 1, area.top + 1), SkinColour(data, ciButtonShadow));
    SendMessageW(inner, WM_LBUTTONUP, 0, firstHalf);
}

TEST(SkinEdit, SkinOffOnAndManyHoverPressAndSkinSwitchCyclesOfEditsSpinsAndCombosLeakNoHandles) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* edit = AddControl<TEdit>(*form, "12", 10, 10, 120, 24);
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetBounds(10, 50, 150, 22);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* comboSkinner = ChildSkinner<TSkinComBox>(form->Handle(), combo->Handle());
    ASSERT_NE(comboSkinner, nullptr);
    const RECT button = comboSkinner->HotRect();
    const LPARAM onButton = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    const HWND spin = CreateSpin(edit->Handle());
    ASSERT_NE(spin, nullptr);
    PaintedPixels(edit->Handle());
    ASSERT_TRUE(IsSkinned(spin));

    // Off gives both back their own painting, on takes them again.
    const TDecodedBitmap skinnedSpin = PaintedPixels(spin);
    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsSkinned(edit->Handle()) || IsSkinned(spin));
    EXPECT_NE(PaintedPixels(spin).Pixels, skinnedSpin.Pixels);
    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(edit->Handle()); }));
    PaintedPixels(edit->Handle());
    EXPECT_TRUE(IsSkinned(spin));

    ExpectNoHandleLeftAfterCycles(skinning, "edits", [&](int) {
        SendMessageW(spin, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
        SendMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(spin, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        SendMessageW(spin, WM_MOUSELEAVE, 0, 0);
        SendMessageW(combo->Handle(), WM_MOUSEMOVE, 0, onButton);
        SendMessageW(combo->Handle(), WM_MOUSELEAVE, 0, 0);
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    });
    EXPECT_TRUE(IsSkinned(edit->Handle()) && IsSkinned(spin) && IsSkinned(combo->Handle()));
}

}  // namespace
}  // namespace velloran
