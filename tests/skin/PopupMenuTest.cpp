// Skinned popup menus on real popup windows: the frame and background from the skin's
// MenuBackground, which menus are skinned, the items drawn over their part of the background,
// choosing items with the real pointer and keyboard, and nothing left behind after many menus.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "skin/form/MenuItemPaint.h"
#include "skin/form/MenuOwnerDraw.h"
#include "tests/skin/MenuScript.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

constexpr uint32_t kKey = 0xFF00FF;
constexpr int kFrame = 3;

TSkinManage& Manager() { return *TSkinManage::Instance(); }

// The skinner of the n-th open popup (in opening order), or null.
TWinSkinPopMenu* OpenPopup(size_t n = 0) {
    const auto& skinners = Manager().PopupSkinners();
    return n < skinners.size() ? skinners[n].get() : nullptr;
}

// The popup shown and painted: its items drawn over its background.
bool Painted(size_t n = 0) {
    TWinSkinPopMenu* popup = OpenPopup(n);
    if (!popup || !IsWindowVisible(popup->Window) || !popup->MenuHandle) return false;
    UpdateWindow(popup->Window);
    return true;
}

BOOL CALLBACK FindShownPopup(HWND wnd, LPARAM out) {
    if (ClassNameOf(wnd) != "#32768" || !IsWindowVisible(wnd)) return TRUE;
    *reinterpret_cast<HWND*>(out) = wnd;
    return FALSE;
}

// The first visible popup menu window, skinned or not.
HWND ShownPopupWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The item's rectangle in the popup window's coordinates.
RECT ItemRect(HWND popup, HMENU menu, int position) {
    RECT item{}, window{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
    GetWindowRect(popup, &window);
    OffsetRect(&item, -window.left, -window.top);
    return item;
}

POINT ItemCentre(HMENU menu, int position) {
    RECT item{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item);
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

// The item's right end as the item strip's frame puts it over the popup's background: the
// columns right of any text.
void ExpectItemEnd(const TSkinData& skin, const TDecodedBitmap& shot, const TDecodedBitmap& background, const RECT& item,
                   int frame, const char* what) {
    TDataSkinObject& strip = *skin.MenuItem;
    auto image = ComposeSkinImage({0, 0, item.right - item.left, item.bottom - item.top}, *strip.Bitmap,
                                  strip.Margins(), false, strip.Tile != 0, 5, frame);
    const TDecodedBitmap cells = GetBitmapPixels(*image);
    int differ = 0;
    for (int y = 0; y < cells.Height; ++y)
        for (int x = cells.Width - strip.RightWidth; x < cells.Width; ++x) {
            const uint32_t p = PixelAt(cells, x, y);
            const int sx = item.left + x, sy = item.top + y;
            differ += PixelAt(shot, sx, sy) != (p == kKey ? PixelAt(background, sx, sy) : p);
        }
    EXPECT_EQ(differ, 0) << what;
}

class PopupMenu : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        AddMenuGlyph(images_);
        menu_ = new TPopupMenu(form_.get());
        menu_->SetImages(&images_);
    }
    TMenuItem& Add(const std::string& caption, TMenuItem* parent = nullptr,
                   const std::function<void(TMenuItem&)>& set = nullptr) {
        auto* item = new TMenuItem(form_.get());
        item->SetCaption(caption);
        if (set) set(*item);
        (parent ? parent : menu_->Items())->Add(item);
        return *item;
    }
    // The form shown and skinned, which hands its popup menu to the skin's item painters.
    void ShowForm() { ASSERT_NE(ShowSkinned(form_->Handle()), nullptr); }
    void Popup() {
        SetForegroundWindow(form_->Handle());
        menu_->Popup(200, 120);
    }
    TDecodedBitmap Composed(HWND popup) const {
        RECT r{};
        GetWindowRect(popup, &r);
        TDataSkinObject& back = *process_.Data->MenuBackground;
        auto image = ComposeSkinImage({0, 0, r.right - r.left, r.bottom - r.top}, *back.Bitmap, back.Margins(), false,
                                      back.Tile != 0, 1, 1);
        return GetBitmapPixels(*image);
    }
    // Pixels of the frame ring (kFrame wide) that differ between the two images.
    static int RingDifferences(const TDecodedBitmap& a, const TDecodedBitmap& b) {
        int differ = 0;
        for (int y = 0; y < a.Height; ++y)
            for (int x = 0; x < a.Width; ++x) {
                const bool ring = x < kFrame || y < kFrame || x >= a.Width - kFrame || y >= a.Height - kFrame;
                differ += ring && PixelAt(a, x, y) != PixelAt(b, x, y);
            }
        return differ;
    }
    TSkinData& Skin() const { return *process_.Data; }
    // The system's arrow of the selected submenu item at `position`, drawn after the item: only
    // the strip's colour and the selected text colour where it goes, no box of other colours.
    void ExpectArrowOnStrip(HWND popup, HMENU menu, int position) const {
        const TDecodedBitmap shot = ScreenPixels(popup);
        const RECT item = ItemRect(popup, menu, position);
        const int arrowLeft = item.right - 1 - GetSystemMetrics(SM_CXMENUCHECK);
        const int middle = (item.top + item.bottom) / 2;
        const uint32_t strip = PixelAt(shot, arrowLeft - 1, middle);
        const uint32_t text = SkinColour(Skin(), ciHilightText);
        int stray = 0;
        for (int y = middle - 2; y <= middle + 2; ++y)
            for (int x = arrowLeft; x < item.right - Skin().MenuItem->RightWidth; ++x) {
                const uint32_t p = PixelAt(shot, x, y);
                stray += p != strip && p != text;
            }
        EXPECT_EQ(stray, 0) << "pixels of neither the strip nor the text round the submenu arrow";
    }

    TSkinnedProcess process_{GetParam()};
    TOwned<TTestForm> form_ = MakeForm(300, 200);
    TImageList images_{nullptr};
    TPopupMenu* menu_ = nullptr;
};

TEST_P(PopupMenu, TheFrameComesFromTheSkinAndSeparatorsAndCheckedImagesLieOnTheBackground) {
    Add("Open");
    Add("-");
    Add("Checked image", nullptr, [](TMenuItem& i) { i.SetImageIndex(0), i.SetChecked(true); });
    Add("Last");
    ShowForm();
    TDecodedBitmap shot, background, composed;
    RECT first{}, separator{}, checked{};
    TMenuScript script{{[] { return Painted(); },
                        [&] {
                            TWinSkinPopMenu& popup = *OpenPopup();
                            EXPECT_EQ(popup.MenuHandle, menu_->Handle());
                            shot = ScreenPixels(popup.Window);
                            background = GetBitmapPixels(*popup.Background);
                            composed = Composed(popup.Window);
                            first = ItemRect(popup.Window, menu_->Handle(), 0);
                            separator = ItemRect(popup.Window, menu_->Handle(), 1);
                            checked = ItemRect(popup.Window, menu_->Handle(), 2);
                            return true;
                        }}};
    ASSERT_TRUE(script.Run([&] { Popup(); }));
    ASSERT_GT(shot.Width, 2 * kFrame);
    EXPECT_EQ(RingDifferences(shot, background), 0);
    EXPECT_EQ(RingDifferences(background, composed), 0);
    ExpectItemEnd(Skin(), shot, background, first, 1, "first item");

    // The separator: frame 2 of the item strip, its bottom rows, side columns at their width,
    // keyed pixels showing the popup's background at that place.
    const TDataSkinObject& strip = *Skin().MenuItem;
    const TDecodedBitmap cells = GetBitmapPixels(*strip.Bitmap);
    const int fw = cells.Width / 5, height = separator.bottom - separator.top;
    ASSERT_GT(height, 0);
    ASSERT_LE(height, cells.Height);
    // Each side: where its columns are cut from the strip, where they are shown, how many.
    const struct {
        int From, To, Width;
    } sides[] = {{fw, separator.left, strip.LeftWidth},
                 {2 * fw - strip.RightWidth, separator.right - strip.RightWidth, strip.RightWidth}};
    for (int y = 0; y < height; ++y) {
        const int row = cells.Height - height + y, sy = separator.top + y;
        for (const auto& side : sides)
            for (int x = 0; x < side.Width; ++x) {
                const uint32_t p = PixelAt(cells, side.From + x, row);
                const int sx = side.To + x;
                EXPECT_EQ(PixelAt(shot, sx, sy), p == kKey ? PixelAt(background, sx, sy) : p) << sx << "," << sy;
            }
    }
    // The checked item with an image: the image on a sunken square.
    const int gx = checked.left + strip.LeftWidth + 1, gy = checked.top + (checked.bottom - checked.top - 16) / 2;
    EXPECT_EQ(PixelAt(shot, gx + 8, gy + 8), 0xFF0000u);
    EXPECT_EQ(PixelAt(shot, gx, gy), Rgb(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_TRUE(Manager().PopupSkinners().empty());
}

// The background and the items are composed once and kept: a popup painted again after a skin
// switch or a size change shows the new skin's frames at its new size, nothing of the old ones.
TEST_P(PopupMenu, AnOpenPopupPaintedAgainShowsTheNewSkinAndSize) {
    Add("Open");
    Add("-");
    Add("Last");
    ShowForm();
    const std::string other = std::string(GetParam()) == "Default" ? "Contrast" : "Default";
    struct TChange {
        const char* Name;
        std::function<void(HWND popup)> Apply;
    };
    const TChange changes[] = {
        {"skin switch", [&](HWND) { Skin().SetSkinStreamData(StoredSkin(PackedSkinAt(kSkins / other))); }},
        {"size change", [](HWND popup) {
             RECT r{};
             GetWindowRect(popup, &r);
             SetWindowPos(popup, nullptr, 0, 0, r.right - r.left + 24, r.bottom - r.top + 10,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
         }}};
    for (const TChange& change : changes) {
        TDecodedBitmap shot, background, composed;
        RECT first{};
        TMenuScript script{{[] { return Painted(); },
                            [&] {
                                TWinSkinPopMenu& popup = *OpenPopup();
                                change.Apply(popup.Window);
                                RedrawWindow(popup.Window, nullptr, nullptr,
                                             RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                                PumpFor(30);
                                shot = ScreenPixels(popup.Window);
                                background = GetBitmapPixels(*popup.Background);
                                composed = Composed(popup.Window);
                                first = ItemRect(popup.Window, menu_->Handle(), 0);
                                return true;
                            }}};
        ASSERT_TRUE(script.Run([&] { Popup(); })) << change.Name;
        ASSERT_GT(shot.Width, 2 * kFrame) << change.Name;
        ASSERT_EQ(shot.Width, composed.Width) << change.Name;
        EXPECT_EQ(RingDifferences(shot, composed), 0) << change.Name;
        EXPECT_EQ(RingDifferences(background, composed), 0) << change.Name;
        ExpectItemEnd(Skin(), shot, background, first, 1, change.Name);
    }
}

// A menu opened again at the same size takes the images kept from before: its items must still
// show what they are now, each as a popup made from nothing would show it, and the images go with
// the skin.
TEST_P(PopupMenu, APopupOpenedAgainShowsItsItemsAsTheyAreNow) {
    Add("The widest item of this menu");
    TMenuItem& renamed = Add("Beta");
    TMenuItem& checked = Add("Checked");
    TMenuItem& disabled = Add("Disabled");
    Add("Image", nullptr, [](TMenuItem& i) { i.SetImageIndex(0); });
    ShowForm();
    std::weak_ptr<TBitmap> kept;
    const auto open = [&] {
        TDecodedBitmap shot;
        TMenuScript script{{[] { return Painted(); },
                            [&] {
                                TWinSkinPopMenu& popup = *OpenPopup();
                                shot = ScreenPixels(popup.Window);
                                EXPECT_TRUE(kept.expired() || kept.lock() == popup.Background) << "images not kept";
                                kept = popup.Background;
                                return true;
                            }}};
        EXPECT_TRUE(script.Run([&] { Popup(); }));
        return shot;
    };
    const TDecodedBitmap before = open();
    renamed.SetCaption("Gamma");
    checked.SetChecked(true);
    disabled.SetEnabled(false);
    images_.Clear();
    TBitmap glyph;
    glyph.SetSize(16, 16);
    TDecodedBitmap blue{16, 16, std::vector<uint32_t>(256, 0x0000FF)};
    SetBitmapPixels(glyph, blue);
    images_.AddMasked(glyph, clFuchsia);
    const TDecodedBitmap again = open();
    ASSERT_FALSE(kept.expired());
    Manager().PopupImages().Clear();
    const TDecodedBitmap fresh = open();
    ASSERT_EQ(again.Width, fresh.Width);
    ASSERT_EQ(again.Height, fresh.Height);
    ASSERT_EQ(before.Width, fresh.Width);
    int stale = 0, changed = 0;
    for (int y = 0; y < fresh.Height; ++y)
        for (int x = 0; x < fresh.Width; ++x) {
            stale += PixelAt(again, x, y) != PixelAt(fresh, x, y);
            changed += PixelAt(before, x, y) != PixelAt(fresh, x, y);
        }
    EXPECT_EQ(stale, 0);
    EXPECT_GT(changed, 0);

    // A new skin leaves nothing of the old one's popup images behind.
    bool switched = false;
    Skin().OnSkinChanged = [&switched](TObject*) { switched = true; };
    const std::string other = std::string(GetParam()) == "Default" ? "Contrast" : "Default";
    Skin().SetSkinStreamData(StoredSkin(PackedSkinAt(kSkins / other)));
    Skin().ApplySkin();
    EXPECT_TRUE(PumpUntil([&] { return switched; }));
    EXPECT_TRUE(kept.expired());
}

TEST_P(PopupMenu, ASkinWithoutMenuBackgroundLeavesTheSystemsFrame) {
    Add("Open");
    Add("Close");
    const auto capture = [&](TDecodedBitmap& shot, size_t skinners) {
        TMenuScript script{{[] { return ShownPopupWindow() != nullptr; },
                            [&] {
                                UpdateWindow(ShownPopupWindow());
                                PumpFor(30);
                                EXPECT_EQ(Manager().PopupSkinners().size(), skinners);
                                shot = ScreenPixels(ShownPopupWindow());
                                return true;
                            }}};
        EXPECT_TRUE(script.Run([&] { Popup(); }));
    };
    TDecodedBitmap system, skinned;
    Manager().Enabled = false;
    capture(system, 0);
    Manager().Enabled = true;
    Skin().MenuBackground->Bitmap = std::make_unique<TBitmap>();
    capture(skinned, 1);
    ASSERT_EQ(system.Width, skinned.Width);
    EXPECT_EQ(RingDifferences(system, skinned), 0);
    EXPECT_GT(system.Width, 0);
}

TEST_P(PopupMenu, EachKindOfMenuIsSkinnedOnlyWithItsFamily) {
    Add("Item");
    struct TCase {
        TMenuKind Kind;
        uint32_t Families;
        bool Skinned;
    };
    const uint32_t popup = SkinBit(xcPopupMenu), main = SkinBit(xcMainMenu), items = SkinBit(xcMenuItem),
                   system = SkinBit(xcSystemMenu);
    const TCase cases[] = {{menuContext, popup, true},         {menuContext, main | items | system, false},
                           {menuWindow, main, true},           {menuWindow, items, true},
                           {menuWindow, popup | system, false}, {menuSystem, system, true},
                           {menuSystem, popup | main, false}};
    for (const TCase& c : cases) {
        Skin().SetSkinControls(c.Families);
        bool skinned = false, answered = false;
        TMenuScript script{{[] { return ShownPopupWindow() != nullptr; },
                            [&] {
                                skinned = OpenPopup() != nullptr;
                                answered = SendMessageW(ShownPopupWindow(), SM_ISSKINNED, 0, 0) == 1;
                                return true;
                            }}};
        EXPECT_TRUE(script.Run([&] {
            Manager().MenuKind = c.Kind;
            Popup();
        }));
        EXPECT_EQ(skinned, c.Skinned) << c.Kind << " " << c.Families;
        EXPECT_EQ(answered, c.Skinned) << c.Kind << " " << c.Families;
        // Whatever it was, the next menu starts as a context menu.
        EXPECT_EQ(Manager().MenuKind, menuContext);
    }
}

// A link of the popup's procedure below the skinner's: it sees what the skinner passes on.
struct TEraseWatch {
    static int& Erased() {
        static int erased = 0;
        return erased;
    }
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
        if (msg == WM_ERASEBKGND) ++Erased();
        return DefSubclassProc(wnd, msg, wParam, lParam);
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && ClassNameOf(reinterpret_cast<HWND>(wParam)) == "#32768")
            SetWindowSubclass(reinterpret_cast<HWND>(wParam), &Proc, 1, 0);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

TEST_P(PopupMenu, TheSkinsMenuBackgroundOptionKeepsThePlatformFromErasing) {
    Add("Item");
    // Installed after the manager's hook, this one runs first: its link ends up below.
    THookHandle hook(SetWindowsHookExW(WH_CBT, &TEraseWatch::Hook, nullptr, GetCurrentThreadId()));
    for (const bool keep : {false, true}) {
        Skin().SetOptions(keep ? Skin().Options() | SkinBit(xoMenuBG) : Skin().Options() & ~SkinBit(xoMenuBG));
        LRESULT result = 0;
        int passed = -1;
        TMenuScript script{{[] { return Painted(); },
                            [&] {
                                TEraseWatch::Erased() = 0;
                                TWindowDC dc(OpenPopup()->Window);
                                result = SendMessageW(OpenPopup()->Window, WM_ERASEBKGND,
                                                      reinterpret_cast<WPARAM>(dc.get()), 0);
                                passed = TEraseWatch::Erased();
                                return true;
                            }}};
        EXPECT_TRUE(script.Run([&] { Popup(); }));
        EXPECT_EQ(result, 1);
        EXPECT_EQ(passed, keep ? 0 : 1) << keep;
    }
}

TEST_P(PopupMenu, ASubmenuGetsItsOwnPopupAndMenuHandle) {
    Add("First");
    TMenuItem& more = Add("More");
    Add("Inner one", &more);
    Add("Inner two", &more);
    ShowForm();
    HMENU outer = nullptr, inner = nullptr;
    TMenuScript script{{[] { return Painted(); },
                        [&] {
                            outer = menu_->Handle();
                            inner = GetSubMenu(outer, 1);
                            PostKey(OpenPopup()->Window, VK_DOWN);
                            PostKey(OpenPopup()->Window, VK_DOWN);
                            PostKey(OpenPopup()->Window, VK_RIGHT);
                            return true;
                        },
                        [] { return Painted(1); },
                        [&] {
                            // The outer popup paints its items again while the submenu is open.
                            RedrawWindow(OpenPopup(0)->Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                            EXPECT_EQ(OpenPopup(0)->MenuHandle, outer);
                            EXPECT_EQ(OpenPopup(1)->MenuHandle, inner);
                            EXPECT_EQ(Manager().PopupBackground(inner).Image, OpenPopup(1)->Background.get());
                            EXPECT_NE(OpenPopup(1)->Background, nullptr);
                            // The outer menu painting again before the submenu's first paint
                            // keeps its own popup and leaves the submenu's to the submenu.
                            OpenPopup(1)->MenuHandle = nullptr;
                            Manager().AssignMenuHandle(outer);
                            EXPECT_EQ(OpenPopup(1)->MenuHandle, nullptr);
                            RedrawWindow(OpenPopup(1)->Window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                            EXPECT_EQ(OpenPopup(1)->MenuHandle, inner);
                            ExpectArrowOnStrip(OpenPopup(0)->Window, outer, 1);
                            return true;
                        }}};
    EXPECT_TRUE(script.Run([&] { Popup(); }));
    EXPECT_TRUE(Manager().PopupSkinners().empty());
}

TEST_P(PopupMenu, ChoosingAnItemRunsItsCommandOnceByMouseAndByKeyboard) {
    if (!HasXinputRelay()) GTEST_SKIP() << "needs the xdotool relay";
    int first = 0, second = 0;
    Add("First").OnClick = [&](TObject*) { ++first; };
    Add("Second").OnClick = [&](TObject*) { ++second; };
    ShowForm();
    TMenuScript byMouse{{[] { return Painted(); },
                         [&] { return XClickAt(ItemCentre(menu_->Handle(), 1)); }},
                        true};
    EXPECT_TRUE(byMouse.Run([&] { Popup(); }));
    PumpFor(50);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    TMenuScript byKeyboard{{[] { return Painted(); }, [] { return Xdotool("key Down Return"); }}, true};
    EXPECT_TRUE(byKeyboard.Run([&] { Popup(); }));
    PumpFor(50);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
}

// A link on the form above the skinner's: sees what the skinner answers to WM_MEASUREITEM.
struct TMeasured {
    std::vector<std::pair<UINT, SIZE>> Items;
    TWindowSubclass Link;
    explicit TMeasured(HWND form)
        : Link(form, [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
              const LRESULT result = TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
              if (msg == WM_MEASUREITEM) {
                  const auto& m = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                  Items.push_back({m.itemID, {LONG(m.itemWidth), LONG(m.itemHeight)}});
              }
              return result;
          }) {}
    SIZE Of(UINT command) const {
        for (const auto& item : Items)
            if (item.first == command) return item.second;
        return {-1, -1};
    }
};

TEST_P(PopupMenu, TheWindowsOwnMenuItemsFollowTheRawRulesButItsApplicationCommandsStayItsOwn) {
    auto* bar = new TMainMenu(form_.get());
    auto* file = new TMenuItem(form_.get());
    file->SetCaption("&File");
    bar->Items()->Add(file);
    form_->SetMenu(bar);
    ShowForm();
    TMenuHandle raw(CreatePopupMenu());
    constexpr UINT kOwnCommand = 0x123;
    const std::pair<UINT, const char*> items[] = {{SC_MINIMIZE, "Minimize"}, {kOwnCommand, "Own command"}};
    for (const auto& [command, text] : items) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.fType = MFT_OWNERDRAW;
        info.wID = command;
        info.dwTypeData = const_cast<char*>(text);
        InsertMenuItemA(raw.get(), 99, TRUE, &info);
    }
    TMeasured measured(form_->Handle());
    TDecodedBitmap shot, background;
    RECT system{};
    TMenuScript script{{[] { return Painted(); },
                        [&] {
                            TWinSkinPopMenu& popup = *OpenPopup();
                            EXPECT_EQ(popup.MenuHandle, raw.get());
                            shot = ScreenPixels(popup.Window);
                            background = GetBitmapPixels(*popup.Background);
                            system = ItemRect(popup.Window, raw.get(), 0);
                            return true;
                        }}};
    EXPECT_TRUE(script.Run([&] {
        SetForegroundWindow(form_->Handle());
        TrackPopupMenu(raw.get(), TPM_RETURNCMD, 200, 120, 0, form_->Handle(), nullptr);
    }));
    TWindowDC screen(nullptr);
    TSelectObject font(screen.get(), MenuFont());
    const auto rawWidth = [&](const char* text) {
        SIZE size{};
        GetTextExtentPoint32A(screen.get(), text, int(strlen(text)), &size);
        return size.cx + 26 + Skin().MenuItem->LeftWidth;
    };
    EXPECT_EQ(measured.Of(SC_MINIMIZE).cx, rawWidth("Minimize"));
    EXPECT_NE(measured.Of(kOwnCommand).cx, rawWidth("Own command"));
    EXPECT_NE(measured.Of(kOwnCommand).cx, -1);
    ASSERT_GT(system.bottom, system.top);
    ExpectItemEnd(Skin(), shot, background, system, 1, "system command");
    EXPECT_TRUE(Manager().PopupSkinners().empty());
}

// Slow: one skin is enough.
class ManyPopupMenus : public PopupMenu {};

TEST_P(ManyPopupMenus, OpenedNavigatedAndClosedLeaveNoHandlesOrSkinners) {
    TMenuItem& more = Add("More");
    Add("Inner", &more);
    Add("Last");
    ShowForm();
    TWinSkinForm* skinner = SkinnerOf(form_->Handle());
    ASSERT_NE(skinner, nullptr);
    // A context menu with its submenu opened, and the skinned system menu.
    const auto cycle = [&](bool system) {
        TMenuScript script{{[] { return Painted(); },
                            [&] {
                                PostKey(OpenPopup()->Window, VK_DOWN);
                                if (!system) PostKey(OpenPopup()->Window, VK_RIGHT);
                                return true;
                            },
                            [&] { return system || Painted(1); }}};
        EXPECT_TRUE(script.Run([&] {
            if (system)
                skinner->ShowSystemMenu(200, 120);
            else
                Popup();
        }, 1));
        skinner->LastSysMenuTime = 0;
    };
    for (const bool system : {false, true}) {
        for (int i = 0; i < 5; ++i) cycle(system);
        PumpFor(20);
        const int gdi = CountGdiObjects(), user = CountUserObjects();
        for (int i = 0; i < 500; ++i) cycle(system);
        PumpFor(50);
        EXPECT_EQ(CountGdiObjects(), gdi) << system;
        EXPECT_EQ(CountUserObjects(), user) << system;
        EXPECT_TRUE(Manager().PopupSkinners().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Skins, PopupMenu, ::testing::Values("Default", "Contrast"));
INSTANTIATE_TEST_SUITE_P(Skin, ManyPopupMenus, ::testing::Values("Default"));

}  // namespace
}  // namespace velloran
