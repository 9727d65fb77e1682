// Menu items painted from the project skin's item strip, compared pixel by pixel with the strip's
// own frames, and measured for popup, main and raw menus.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "skin/form/MenuItemPaint.h"
#include "tests/skin/SkinFormTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr int kWidth = 160, kHeight = 22;
constexpr uint32_t kKey = 0xFF00FF;

uint32_t Rgb(COLORREF c) { return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c); }

class MenuItemPaint : public ::testing::Test {
protected:
    void SetUp() override {
        popup_->SetImages(&images_);
        AddMenuGlyph(images_);
    }
    // An item of the menu with the image list, or of the one without (listed false).
    TMenuItem& Item(const std::string& caption, const std::function<void(TMenuItem&)>& set = nullptr,
                    bool listed = true) {
        TPopupMenu& menu = listed ? *popup_ : *bare_;
        auto* item = new TMenuItem(&menu);
        item->SetCaption(caption);
        if (set) set(*item);
        menu.Items()->Add(item);
        return *item;
    }
    TDecodedBitmap Paint(const std::function<void(HDC)>& draw, int height = kHeight) {
        TBitmap target;
        target.SetSize(kWidth, height);
        draw(target.Canvas().Handle());
        return GetBitmapPixels(target);
    }
    TDecodedBitmap Draw(const TMenuItem& item, bool selected, int height = kHeight) {
        return Paint([&](HDC dc) { DrawMenuItem(*data_, dc, item, {0, 0, kWidth, height}, selected); }, height);
    }
    // The item strip's frame as the painter fits it to an item, keyed pixels showing the menu colour.
    TDecodedBitmap Frame(int frame, int height = kHeight) {
        TDataSkinObject& strip = *data_->MenuItem;
        auto image = ComposeSkinImage({0, 0, kWidth, height}, *strip.Bitmap, strip.Margins(), false, strip.Tile != 0,
                                      5, frame);
        TDecodedBitmap pixels = GetBitmapPixels(*image);
        for (uint32_t& p : pixels.Pixels)
            if (p == kKey) p = Color(ciMenu);
        return pixels;
    }
    uint32_t Color(TSkinColorIndex index) const {
        return Rgb(ColorToRGB(static_cast<TColor>(data_->Colors[index])));
    }
    // Pixels of the area that differ from the frame and have the colour.
    static int Marks(const TDecodedBitmap& shot, const TDecodedBitmap& frame, RECT area, uint32_t color) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += PixelAt(shot, x, y) != PixelAt(frame, x, y) && PixelAt(shot, x, y) == color;
        return count;
    }
    static bool SameIn(const TDecodedBitmap& a, const TDecodedBitmap& b, RECT area) {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (PixelAt(a, x, y) != PixelAt(b, x, y)) return false;
        return true;
    }

    TOwned<TSkinData> data_ = LoadProjectSkin("Default");
    TImageList images_{nullptr};
    TOwned<TPopupMenu> bare_{new TPopupMenu(nullptr)};
    TOwned<TPopupMenu> popup_{new TPopupMenu(nullptr)};
};

TEST_F(MenuItemPaint, ItemKindsShowTheirFrameAndTextColour) {
    const int left = data_->MenuItem->LeftWidth;
    const RECT rightSide{kWidth - 10, 0, kWidth, kHeight};
    const RECT glyph{left + 1, 1, left + 17, kHeight - 1};
    const RECT caption{left + 20, 0, kWidth - 40, kHeight};
    struct TKind {
        const char* Name;
        bool Selected, Enabled, Checked, Default;
        int Frame;
        TSkinColorIndex Text;
    };
    const TKind kinds[] = {{"normal", false, true, false, false, 1, ciMenuText},
                           {"selected", true, true, false, false, 4, ciHilightText},
                           {"disabled", false, false, false, false, 1, ciButtonShadow},
                           {"checked", false, true, true, false, 1, ciMenuText},
                           {"default", false, true, false, true, 1, ciMenuText}};
    for (const TKind& kind : kinds) {
        // No image list: the check mark stands for the image.
        TMenuItem& item = Item("Wide &Item", [&](TMenuItem& i) {
            i.SetEnabled(kind.Enabled), i.SetChecked(kind.Checked), i.SetDefault(kind.Default);
            i.SetShortCut(0x4000 | 'S');
        }, false);
        const TDecodedBitmap shot = Draw(item, kind.Selected), frame = Frame(kind.Frame);
        EXPECT_TRUE(SameIn(shot, frame, rightSide)) << kind.Name;
        EXPECT_GT(Marks(shot, frame, caption, Color(kind.Text)), 0) << kind.Name;
        EXPECT_EQ(Marks(shot, frame, glyph, Color(ciButtonText)) > 0, kind.Checked) << kind.Name;
        if (!kind.Enabled) {
            EXPECT_EQ(Marks(shot, frame, caption, Color(ciMenuText)), 0);
        }
    }

    // The default item is bold, an item object as a raw item (the system menu's Close): its
    // caption runs further right.
    auto lastMarked = [&](const TDecodedBitmap& shot) {
        const TDecodedBitmap frame = Frame(1);
        int last = 0;
        for (int x = caption.left; x < caption.right; ++x)
            if (Marks(shot, frame, {x, 0, x + 1, kHeight}, Color(ciMenuText))) last = x;
        return last;
    };
    TMenuHandle raw(CreatePopupMenu());
    AppendMenuA(raw.get(), MF_STRING, SC_MOVE, "Wide");
    AppendMenuA(raw.get(), MF_STRING, SC_CLOSE, "Wide");
    SetMenuDefaultItem(raw.get(), SC_CLOSE, FALSE);
    struct TDefaultKind {
        const char* Name;
        std::function<TDecodedBitmap(bool isDefault)> Draw;
    };
    const TDefaultKind defaults[] = {
        {"item object",
         [&](bool isDefault) { return Draw(Item("Wide", [&](TMenuItem& i) { i.SetDefault(isDefault); }), false); }},
        {"raw item", [&](bool isDefault) {
             return Paint([&](HDC dc) {
                 DrawRawItem(*data_, dc, raw.get(), isDefault ? SC_CLOSE : SC_MOVE, {0, 0, kWidth, kHeight}, false);
             });
         }}};
    for (const TDefaultKind& kind : defaults)
        EXPECT_GT(lastMarked(kind.Draw(true)), lastMarked(kind.Draw(false))) << kind.Name;
}

TEST_F(MenuItemPaint, ACheckedImageSitsOnASunkenCheckerAndAnUncheckedOneOnTheFrame) {
    const int gx = data_->MenuItem->LeftWidth + 1, gy = (kHeight - 16) / 2;
    const TDecodedBitmap frame = Frame(1);
    const TDecodedBitmap checked = Draw(Item("Image", [](TMenuItem& i) { i.SetImageIndex(0), i.SetChecked(true); }),
                                        false);
    EXPECT_EQ(PixelAt(checked, gx + 8, gy + 8), 0xFF0000u);
    EXPECT_EQ(PixelAt(checked, gx, gy), Rgb(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(PixelAt(checked, gx + 15, gy + 15), Rgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
    const uint32_t face = Rgb(GetSysColor(COLOR_BTNFACE)), light = Rgb(GetSysColor(COLOR_BTNHIGHLIGHT));
    const uint32_t a = PixelAt(checked, gx + 2, gy + 2), b = PixelAt(checked, gx + 3, gy + 2);
    EXPECT_TRUE((a == face && b == light) || (a == light && b == face)) << std::hex << a << " " << b;

    const TDecodedBitmap plain = Draw(Item("Image", [](TMenuItem& i) { i.SetImageIndex(0); }), false);
    EXPECT_EQ(PixelAt(plain, gx + 8, gy + 8), 0xFF0000u);
    EXPECT_TRUE(SameIn(plain, frame, {gx, gy, gx + 4, gy + 4}));
}

// Over an open popup's background: see the popup menu tests.
TEST_F(MenuItemPaint, ASeparatorShowsTheStripsBottomRowsWithUnscaledEndsOverTheMenuColour) {
    TDataSkinObject& skin = *data_->MenuItem;
    const TDecodedBitmap strip = GetBitmapPixels(*skin.Bitmap);
    const int fw = strip.Width / 5, height = 8;
    ASSERT_GT(strip.Height, height);
    {
        const uint32_t behind = Color(ciMenu);
        const TDecodedBitmap shot = Draw(Item("-"), false, height);
        for (int y = 0; y < height; ++y) {
            const int row = strip.Height - height + y;
            for (int x = 0; x < skin.LeftWidth; ++x) {
                const uint32_t p = PixelAt(strip, fw + x, row);
                EXPECT_EQ(PixelAt(shot, x, y), p == kKey ? behind : p) << x << "," << y;
            }
            for (int x = 0; x < skin.RightWidth; ++x) {
                const uint32_t p = PixelAt(strip, 2 * fw - skin.RightWidth + x, row);
                EXPECT_EQ(PixelAt(shot, kWidth - skin.RightWidth + x, y), p == kKey ? behind : p) << x << "," << y;
            }
        }
    }
}

TEST_F(MenuItemPaint, DisabledTextFallsBackToTheSystemShadowWhenTheSkinsColoursAreEqual) {
    const RECT caption{data_->MenuItem->LeftWidth + 20, 0, kWidth - 40, kHeight};
    TMenuItem& item = Item("Disabled", [](TMenuItem& i) { i.SetEnabled(false); });
    data_->Colors[ciButtonShadow] = data_->Colors[ciMenuText];
    const TDecodedBitmap shot = Draw(item, false), frame = Frame(1);
    EXPECT_GT(Marks(shot, frame, caption, Rgb(GetSysColor(COLOR_BTNSHADOW))), 0);
    EXPECT_EQ(Marks(shot, frame, caption, Color(ciMenuText)), 0);

    // Without the item strip the item is flat in the skin's colours.
    data_->MenuItem.reset();
    const TDecodedBitmap flat = Paint([&](HDC dc) { DrawMenuItem(*data_, dc, Item("Flat"), {0, 0, kWidth, kHeight}, true); });
    EXPECT_EQ(PixelAt(flat, kWidth - 2, kHeight / 2), Color(ciHilight));
    const TDecodedBitmap fill{kWidth, kHeight, std::vector<uint32_t>(size_t(kWidth * kHeight), Color(ciHilight))};
    EXPECT_GT(Marks(flat, fill, caption, Color(ciHilightText)), 0);
}

TEST_F(MenuItemPaint, RawItemsAreDrawnAndMeasuredFromTheMenuHandle) {
    TMenuHandle menu(CreatePopupMenu());
    AppendMenuA(menu.get(), MF_STRING | MF_GRAYED, SC_CLOSE, "&Close\tAlt+F4");
    AppendMenuA(menu.get(), MF_STRING | MF_CHECKED, SC_MOVE, "&Move");
    AppendMenuA(menu.get(), MF_SEPARATOR, 0xF200, nullptr);
    EXPECT_EQ(RawItemLook(menu.get(), SC_CLOSE).ShortCut, "Alt+F4");

    const RECT caption{data_->MenuItem->LeftWidth + 20, 0, kWidth - 40, kHeight};
    const TDecodedBitmap shot = Paint([&](HDC dc) { DrawRawItem(*data_, dc, menu.get(), SC_CLOSE, {0, 0, kWidth, kHeight}, true); });
    const TDecodedBitmap frame = Frame(4);
    EXPECT_TRUE(SameIn(shot, frame, {kWidth - 10, 0, kWidth, kHeight}));
    EXPECT_GT(Marks(shot, frame, caption, Color(ciButtonShadow)), 0);

    int width = 0, height = 18;
    MeasureRawItem(*data_, menu.get(), SC_MOVE, width, height);
    TWindowDC screen(nullptr);
    TSelectObject font(screen.get(), MenuFont());
    SIZE text{};
    GetTextExtentPoint32A(screen.get(), "&Move", 5, &text);
    EXPECT_EQ(width, text.cx + 26 + data_->MenuItem->LeftWidth);
    EXPECT_EQ(height, 22);
    MeasureRawItem(*data_, menu.get(), 0xF200, width, height);
    EXPECT_EQ(height, 8);
}

TEST_F(MenuItemPaint, MeasuresWidenForTheSkinAndLeaveTheItemsOwnEventInPlace) {
    const int left = data_->MenuItem->LeftWidth;
    TMenuItem& listed = Item("Listed");
    TMenuItem& unlisted = Item("Unlisted", nullptr, false);
    int width = 100;
    MeasurePopupItem(*data_, listed, width);
    EXPECT_EQ(width, 100 + left + 12);
    width = 100;
    MeasurePopupItem(*data_, unlisted, width);
    EXPECT_EQ(width, 100 + left + 23 + 12);

    // The item's own measure event (which may be the painter's) is left out, and kept.
    int calls = 0;
    unlisted.OnMeasureItem = [&](TObject*, TCanvas*, int& w, int&) { ++calls, w += 1000; };
    TWindowDC screen(nullptr);
    int own = 0, ownHeight = 0, measured = 0, height = 0;
    MeasureMainItem(*data_, unlisted, screen.get(), measured, height);
    TSelectObject font(screen.get(), MenuFont());
    Item("Unlisted", nullptr, false).MeasureItem(screen.get(), own, ownHeight);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(measured, own + left + 25 + 10);
    EXPECT_EQ(height, ownHeight);
    EXPECT_TRUE(unlisted.OnMeasureItem);
}

}  // namespace
}  // namespace velloran
