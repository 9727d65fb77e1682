// The control classes as form data and the skin engine meet them: created by class name from
// form text, their published properties read and written by name, and bitmaps kept as data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/Buttons.h"
#include "framework/ExtCtrls.h"
#include "framework/FormReader.h"
#include "framework/vendor/AcmeControls.h"
#include "framework/vendor/RzCheckBoxes.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    char digits[3];
    for (uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        out += digits;
    }
    return out;
}

std::string FormText(const std::string& glyphData) {
    return R"(object Form: TTestForm
  object Group: TRadioGroup
    Columns = 2
    Items.Strings = ('One' 'Two' 'Three')
    ItemIndex = 1
  end
  object Frame: TGroupBox
    object Left: TRadioButton
      Alignment = taLeftJustify
    end
    object Right: TRadioButton
      Checked = True
    end
  end
  object Panel: TPanel
    BevelInner = bvLowered
    BorderWidth = 3
    Alignment = taLeftJustify
    ParentBackground = False
    Color = clRed
    object Bold: TSpeedButton
      Down = True
      GroupIndex = 1
      Flat = True
    end
    object Italic: TSpeedButton
      GroupIndex = 1
    end
  end
  object Images: TImageList
  end
  object Picture: TBitBtn
    Glyph.Data = {)" + glyphData + R"(}
    NumGlyphs = 2
    Layout = blGlyphTop
    Spacing = 3
    Images = Images
    ImageIndex = 0
  end
  object Ok: TBitBtn
    Kind = bkOK
  end
  object Options: TCheckGroup
    Items.Strings = ('x' 'y')
  end
  object Vendor: TAcmeButton
    Default = True
  end
  object VendorMenu: TAcmeMenuButton
    DropDownMenu = Menu
  end
  object VendorPanel: TAcmePanel
  end
  object VendorCheck: TRzCheckBox
    Caption = 'Remember'
    Checked = True
    TransparentColor = 16711935
  end
  object VendorRadioA: TRzRadioButton
    Checked = True
  end
  object VendorRadioB: TRzRadioButton
  end
  object Menu: TPopupMenu
  end
end
)";
}

template <class T>
T& Component(TComponent& owner, const char* name) {
    auto* c = dynamic_cast<T*>(owner.FindComponent(name));
    if (!c) throw std::runtime_error(std::string("no ") + name);
    return *c;
}

LONG_PTR Style(TWinControl& control) { return GetWindowLongPtrA(control.Handle(), GWL_STYLE); }

TEST(ControlFormData, EachClassIsCreatedByNameWithItsPublishedProperties) {
    RegisterAcmeControls();
    RegisterRzCheckBoxes();
    TBitmap twoPixels;
    twoPixels.SetSize(2, 1);
    SetPixel(twoPixels.Canvas().Handle(), 0, 0, RGB(255, 0, 0));
    SetPixel(twoPixels.Canvas().Handle(), 1, 0, RGB(0, 0, 255));
    auto form = MakeForm();
    ReadRootComponentFromText(*form, FormText(Hex(twoPixels.SaveToData())));

    auto& group = Component<TRadioGroup>(*form, "Group");
    EXPECT_EQ(GetPropOrd(group, "ItemIndex"), 1);
    auto* items = static_cast<TStrings*>(GetPropObject(group, "Items", &TStrings::StaticClassInfo()));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->ToVector(), (std::vector<std::string>{"One", "Two", "Three"}));
    ASSERT_EQ(group.ButtonCount(), 3);
    EXPECT_EQ(group.Buttons(2)->Caption(), "Three");
    EXPECT_TRUE(group.Buttons(1)->Checked());

    auto& left = Component<TRadioButton>(*form, "Left");
    auto& right = Component<TRadioButton>(*form, "Right");
    EXPECT_EQ(GetPropEnumText(left, "Alignment"), "taLeftJustify");
    EXPECT_EQ(GetPropEnumText(right, "Checked"), "True");

    auto& panel = Component<TPanel>(*form, "Panel");
    EXPECT_EQ(GetPropEnumText(panel, "BevelInner"), "bvLowered");
    EXPECT_EQ(GetPropEnumText(panel, "ParentBackground"), "False");
    EXPECT_EQ(GetPropOrd(panel, "Color"), clRed);

    // Down came before GroupIndex in the text: the button is down all the same.
    EXPECT_EQ(GetPropEnumText(Component<TSpeedButton>(*form, "Bold"), "Down"), "True");
    EXPECT_EQ(GetPropOrd(Component<TSpeedButton>(*form, "Italic"), "GroupIndex"), 1);

    auto& picture = Component<TBitBtn>(*form, "Picture");
    auto* glyph = static_cast<TBitmap*>(GetPropObject(picture, "Glyph", &TBitmap::StaticClassInfo()));
    ASSERT_NE(glyph, nullptr);
    ASSERT_EQ(glyph->Width(), 2);
    EXPECT_EQ(GetPixel(glyph->Canvas().Handle(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(glyph->Canvas().Handle(), 1, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPropOrd(picture, "NumGlyphs"), 2);
    EXPECT_EQ(GetPropEnumText(picture, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetPropOrd(picture, "Spacing"), 3);
    EXPECT_EQ(GetPropObject(picture, "Images"), form->FindComponent("Images"));

    // A kind brings its caption, result, role and a glyph of two frames.
    auto& ok = Component<TBitBtn>(*form, "Ok");
    EXPECT_EQ(GetPropText(ok, "Caption"), "OK");
    EXPECT_EQ(GetPropOrd(ok, "ModalResult"), IDOK);
    EXPECT_EQ(GetPropEnumText(ok, "Default"), "True");
    EXPECT_EQ(GetPropOrd(ok, "NumGlyphs"), 2);
    EXPECT_FALSE(ok.Glyph()->Empty());

    EXPECT_EQ(Component<TCheckGroup>(*form, "Options").Buttons(1)->Caption(), "y");
    EXPECT_EQ(GetPropEnumText(Component<TAcmeButton>(*form, "Vendor"), "Default"), "True");
    EXPECT_EQ(GetPropObject(Component<TAcmeMenuButton>(*form, "VendorMenu"), "DropDownMenu"),
              form->FindComponent("Menu"));
    EXPECT_TRUE(Component<TAcmePanel>(*form, "VendorPanel").InheritsFrom(TCustomPanel::StaticClassInfo()));
    // The other vendor's check box toggles on a click; its radio buttons check one of a parent.
    auto& vendorCheck = Component<TRzCheckBox>(*form, "VendorCheck");
    EXPECT_EQ(vendorCheck.Caption(), "Remember");
    EXPECT_EQ(vendorCheck.TransparentColor(), 0xFF00FF);
    EXPECT_TRUE(vendorCheck.Checked());
    vendorCheck.Click();
    EXPECT_FALSE(vendorCheck.Checked());
    auto& radioA = Component<TRzRadioButton>(*form, "VendorRadioA");
    auto& radioB = Component<TRzRadioButton>(*form, "VendorRadioB");
    EXPECT_TRUE(radioA.Checked());
    for (int click = 0; click < 2; ++click) {
        radioB.Click();
        EXPECT_TRUE(radioB.Checked());
        EXPECT_FALSE(radioA.Checked());
    }

    // The windows carry the platform's styles for what they are.
    EXPECT_EQ(Style(left) & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_NE(Style(left) & BS_LEFTTEXT, 0);
    EXPECT_EQ(SendMessageA(right.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Style(Component<TGroupBox>(*form, "Frame")) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(Style(picture) & BS_TYPEMASK, BS_OWNERDRAW);
    picture.SetDefault(true);  // the default look is drawn, not a style
    EXPECT_EQ(Style(picture) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST(ControlFormData, PropertiesWrittenByNameActOnTheControls) {
    auto form = MakeForm();
    auto* group = AddControl<TRadioGroup>(*form, 10, 10, 200, 100);
    SetPropText(*group->Items(), "Strings", "a\r\nb\r\nc");
    SetPropText(*group, "ItemIndex", "7");  // held to the last item
    EXPECT_TRUE(group->Buttons(2)->Checked());
    EXPECT_EQ(group->ItemIndex(), 2);

    auto* first = AddControl<TRadioButton>(*form, 10, 120, 100, 17);
    auto* second = AddControl<TRadioButton>(*form, 10, 140, 100, 17);
    SetPropText(*first, "Checked", "True");
    SetPropText(*second, "Checked", "True");
    EXPECT_FALSE(first->Checked());
    SetPropText(*first, "Alignment", "taLeftJustify");
    EXPECT_NE(GetWindowLongPtrA(first->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);
    // A box sits left or right of its caption, never in the middle.
    EXPECT_THROW(SetPropText(*first, "Alignment", "taCenter"), EPropertyError);

    auto* panel = AddControl<TPanel>(*form, 10, 160, 100, 40);
    SetPropText(*panel, "ParentBackground", "False");
    SetPropText(*panel, "BevelOuter", "bvLowered");
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_EQ(panel->BevelOuter(), bvLowered);

    auto* bit = AddControl<TBitBtn>(*form, 120, 160, 75, 25);
    SetPropText(*bit, "Layout", "blGlyphRight");
    SetPropText(*bit, "Kind", "bkCancel");
    EXPECT_EQ(bit->Layout(), blGlyphRight);
    EXPECT_TRUE(bit->Cancel());
    EXPECT_EQ(bit->Caption(), "Cancel");

    auto* a = AddControl<TSpeedButton>(*form, 200, 160, 23, 22);
    auto* b = AddControl<TSpeedButton>(*form, 223, 160, 23, 22);
    for (TSpeedButton* s : {a, b}) SetPropText(*s, "GroupIndex", "3");
    SetPropText(*a, "Down", "True");
    SetPropText(*b, "Down", "True");
    EXPECT_EQ(GetPropEnumText(*a, "Down"), "False");
    EXPECT_EQ(GetPropEnumText(*b, "Down"), "True");
}

// ---- bitmaps as form data ------------------------------------------------------------------

// A bitmap file with its length in front, as form data holds it: bits per pixel, a palette,
// rows as given (top-down with a negative height).
std::vector<uint8_t> BitmapData(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                                const std::vector<uint8_t>& bits, DWORD compression = BI_RGB) {
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + static_cast<DWORD>(palette.size() * 4);
    const uint32_t length = offset + static_cast<uint32_t>(bits.size());
    const BITMAPFILEHEADER file{0x4D42, length, 0, 0, offset};  // "BM"
    const BITMAPINFOHEADER info{sizeof info, width, height, 1, static_cast<WORD>(bpp), compression,
                                static_cast<DWORD>(bits.size()), 0, 0, static_cast<DWORD>(palette.size()), 0};
    std::vector<uint8_t> data(4 + length);
    std::memcpy(data.data(), &length, 4);
    std::memcpy(data.data() + 4, &file, sizeof file);
    std::memcpy(data.data() + 4 + sizeof file, &info, sizeof info);
    if (!palette.empty()) std::memcpy(data.data() + 4 + sizeof file + sizeof info, palette.data(), palette.size() * 4);
    if (!bits.empty()) std::memcpy(data.data() + 4 + offset, bits.data(), bits.size());
    return data;
}

TEST(BitmapData, PaletteAndTopDownFilesAreReadAndMalformedDataLeavesTheBitmapEmpty) {
    TBitmap bitmap;
    // 8 bits, bottom-up: the first row of the file is the bottom row. Rows are 4 bytes.
    bitmap.LoadFromData(BitmapData(2, 2, 8, {0x0000FF, 0x00FF00}, {1, 0, 0, 0, 0, 1, 0, 0}));
    ASSERT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 1), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 1, 0), RGB(0, 255, 0));

    // 24 bits, top-down.
    bitmap.LoadFromData(BitmapData(1, -2, 24, {}, {0, 0, 255, 0, 255, 0, 0, 0}));
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), 0, 1), RGB(0, 0, 255));

    const std::vector<uint8_t> good = BitmapData(2, 2, 8, {0, 0xFFFFFF}, {1, 0, 0, 0, 0, 1, 0, 0});
    std::vector<std::vector<uint8_t>> bad = {
        {},
        std::vector<uint8_t>(good.begin(), good.end() - 1),               // a row cut short
        BitmapData(2, 2, 8, {0, 0xFFFFFF}, {1, 0, 0, 0, 0, 1, 0, 0}, BI_RLE8),  // compressed
        BitmapData(100, 1, 32, {}, {0, 0, 0, 0}),                         // wider than its bits
        BitmapData(2, 2, 8, std::vector<uint32_t>(300, 0), {}),           // more colours than 8 bits hold
    };
    bad.push_back(good);
    bad.back()[0] = 0xFF;  // a length beyond the data
    for (size_t i = 0; i < bad.size(); ++i) {
        bitmap.LoadFromData(good);
        bitmap.LoadFromData(bad[i]);
        EXPECT_TRUE(bitmap.Empty()) << "case " << i;
    }
}

}  // namespace
}  // namespace velloran
