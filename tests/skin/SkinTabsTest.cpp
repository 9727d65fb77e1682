// Tab skinners on real windows, pixels compared with the skin's own tab, page and button images:
// every tab edge with its images turned or flipped, close boxes answered by the form skinner
// under real pointer clicks, a tab set showing only the tabs that fit, scroll arrows left to
// their own skinner, each tab family chosen by the selection and given back when skinning ends.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/TabControls.h"
#include "framework/TabSets.h"
#include "framework/vendor/AcmeTabs.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinSpin.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabs.h"
#include "skin/data/ImgUtil.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

// A page control on the form with pages "Page 1" ... owned by the form.
TPageControl* AddPages(TForm& form, const RECT& bounds, int count, TTabPosition position = tpTop,
                       TPageControl* pages = nullptr) {
    if (!pages) pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    pages->SetTabPosition(position);
    for (int i = 1; i <= count; ++i) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetPageControl(pages);
        sheet->SetCaption("Page " + std::to_string(i));
    }
    return pages;
}

// The skin's mapping list sends the vendor's page control to its skinner.
void MapVendorPages(TSkinData& data) {
    std::vector<std::string> mapping = data.Skin3rd();
    mapping.push_back("TAcmePageControl=advpagecontrol");
    data.SetSkin3rd(mapping);
}

RECT ItemRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

TDecodedBitmap Composed(TBitmap& image, const TSkinMargins& margins, int frameCount, int frame, int width, int height,
                        bool tile) {
    auto composed = ComposeSkinImage({0, 0, width, height}, image, margins, false, tile, frameCount, frame);
    return composed ? GetBitmapPixels(*composed) : TDecodedBitmap{};
}

TDecodedBitmap Turned(TDecodedBitmap pixels, TTabEdge edge) {
    TBitmap bitmap;
    SetBitmapPixels(bitmap, pixels);
    if (edge == teLeft) RotateLeft(bitmap);
    if (edge == teRight) RotateRight(bitmap);
    return GetBitmapPixels(bitmap);
}

// Mismatches along the two ends of a tab across the row (its edges, clear of the caption): the
// left and right columns for a row at the top or bottom, the top and bottom rows for a side.
int TabEndMismatches(const TDecodedBitmap& painted, const TDecodedBitmap& expected, const RECT& at, bool side,
                     uint32_t background, const RECT& page = RECT{}) {
    constexpr int kBand = 3;
    const int width = at.right - at.left, height = at.bottom - at.top;
    int count = 0;
    const RECT first = side ? RECT{0, 0, width, kBand} : RECT{0, 0, kBand, height};
    const RECT last = side ? RECT{0, height - kBand, width, height} : RECT{width - kBand, 0, width, height};
    for (const RECT& band : {first, last}) {
        TDecodedBitmap part;
        part.Width = band.right - band.left;
        part.Height = band.bottom - band.top;
        for (int y = band.top; y < band.bottom; ++y)
            for (int x = band.left; x < band.right; ++x) part.Pixels.push_back(PixelAt(expected, x, y));
        RECT area = band;
        OffsetRect(&area, at.left, at.top);
        count += Mismatches(painted, part, area, background, page);
    }
    return count;
}

struct TEdgeCase {
    const char* Skin;
    TTabPosition Position;
    TTabEdge Edge;
};

TEST(SkinTab, EachEdgeDrawsTheSelectedTabAndThePageFromTheSkinsImagesTurnedForIt) {
    const TEdgeCase cases[] = {{"Default", tpTop, teTop},       {"Default", tpBottom, teBottom},
                               {"Default", tpLeft, teLeft},     {"Default", tpRight, teRight},
                               {"Contrast", tpTop, teTop},      {"Contrast", tpBottom, teBottom},
                               {"Contrast", tpLeft, teLeft},    {"Contrast", tpRight, teRight}};
    for (const TEdgeCase& c : cases) {
        SCOPED_TRACE(std::string(c.Skin) + " edge " + std::to_string(c.Edge));
        TSkinnedProcess skinning(c.Skin);
        auto form = MakeControlForm();
        TPageControl* pages = AddPages(*form, {10, 10, 290, 180}, 3, c.Position);
        ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
        const HWND tabs = pages->Handle();
        auto* skinner = ChildSkinner<TSkinTab>(form->Handle(), tabs);
        ASSERT_NE(skinner, nullptr);
        EXPECT_EQ(skinner->Position, c.Edge);
        EXPECT_EQ(skinner->Kind, kPageControlKind);
        const TDecodedBitmap painted = PaintedPixels(tabs);
        const int w = painted.Width, h = painted.Height;
        // The far corner of the row, where no tab reaches.
        const uint32_t background = PixelAt(painted, c.Edge == teLeft ? 0 : w - 1, c.Edge == teTop ? 0 : h - 1);

        TDataSkinBorder& art = *skinning.Data->Tabs;
        TBitmap page;
        TSkinMargins pageMargins = art.Style == 0 ? TSkinMargins{4, 5, 4, 4} : skinning.Data->TabPane->Margins();
        page.Assign(art.Style == 0 ? *art.Bitmap2 : *skinning.Data->TabPane->Bitmap);
        TBitmap tab;
        tab.Assign(*art.Bitmap);
        TSkinMargins tabMargins = art.Margins();
        if (c.Edge == teBottom) {
            FlipBitmap(page);
            FlipBitmap(tab);
            std::swap(pageMargins.Top, pageMargins.Bottom);
            std::swap(tabMargins.Top, tabMargins.Bottom);
        } else if (c.Edge == teLeft) {
            RotateLeft(page);
            pageMargins = {pageMargins.Top, pageMargins.Right, pageMargins.Bottom, pageMargins.Left};
        } else if (c.Edge == teRight) {
            RotateRight(page);
            pageMargins = {pageMargins.Bottom, pageMargins.Left, pageMargins.Top, pageMargins.Right};
        }

        const RECT pageRect = TabPageRect(tabs, {0, 0, w, h}, c.Edge);
        const TDecodedBitmap pageImage = Composed(page, pageMargins, 1, 1, pageRect.right - pageRect.left,
                                                  pageRect.bottom - pageRect.top, art.Style == 0 && art.Tile == 1);
        EXPECT_EQ(Mismatches(painted, pageImage, pageRect, background), 0);

        // The selected first tab in the selected frame and the second in the normal one, each a
        // pixel nearer the page.
        const bool side = c.Edge == teLeft || c.Edge == teRight;
        const int toPage = c.Edge == teTop || c.Edge == teLeft ? 1 : -1;
        for (const auto& [index, frame] : {std::pair{0, 2}, std::pair{1, 1}}) {
            SCOPED_TRACE(index);
            RECT at = ItemRect(tabs, index);
            OffsetRect(&at, side ? toPage : 0, side ? 0 : toPage);
            const int along = side ? at.bottom - at.top : at.right - at.left;
            const int across = side ? at.right - at.left : at.bottom - at.top;
            const TDecodedBitmap expected =
                Turned(Composed(tab, tabMargins, art.Frame, frame, along, across, art.Tile == 1), c.Edge);
            EXPECT_EQ(TabEndMismatches(painted, expected, at, side, background, pageRect), 0);
            if (c.Edge == teBottom && index == 0) {
                // Drawn the right way up, the image would not match.
                const TDecodedBitmap upright =
                    Composed(*art.Bitmap, art.Margins(), art.Frame, frame, along, across, art.Tile == 1);
                EXPECT_GT(TabEndMismatches(painted, upright, at, side, background, pageRect), 0);
            }
        }
    }
}

// The centre of tab `index`'s close box on the screen.
POINT CloseBoxOnScreen(const TSkinTab& skinner, HWND tabs, int index) {
    const RECT box = skinner.CloseBoxes.at(static_cast<size_t>(index));
    POINT p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    ClientToScreen(tabs, &p);
    return p;
}

TEST(SkinTab, AClickOnACloseBoxClosesThePageTheFormAgreesToAndAClickElsewhereSelectsTheTab) {
    if (!HasXinputRelay()) GTEST_SKIP() << "run through ctest, beside the xdotool relay";
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    auto* pages = new TPageControl(form.get());
    pages->SetTag(kCloseBoxTag);
    AddPages(*form, {10, 10, 310, 150}, 4, tpBottom, pages);
    // A page control on several rows gets no close boxes.
    auto* rows = new TPageControl(form.get());
    rows->SetTag(kCloseBoxTag);
    rows->SetMultiLine(true);
    AddPages(*form, {10, 155, 310, 195}, 2, tpTop, rows);
    TTabSheet* kept = pages->Pages(3);
    kept->SetCaption("Kept");
    pages->OnCloseQuery = [kept](TObject*, TTabSheet* page, bool& allow) { allow = page != kept; };
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const HWND tabs = pages->Handle();
    auto* skinner = ChildSkinner<TSkinTab>(form->Handle(), tabs);
    ASSERT_NE(skinner, nullptr);
    EXPECT_FALSE(ChildSkinner<TSkinTab>(form->Handle(), rows->Handle())->CloseBoxesOn);
    ASSERT_TRUE(skinner->CloseBoxesOn);
    UpdateWindow(tabs);
    ASSERT_EQ(skinner->CloseBoxes.size(), 4u);

    // The box of a tab not selected, in the normal tab text colour.
    const TDecodedBitmap painted = PaintedPixels(tabs);
    const RECT box = skinner->CloseBoxes[1];
    const uint32_t pen = Rgb(ColorToRGB(static_cast<TColor>(skinning.Data->Tabs->NormalColour2)));
    EXPECT_EQ(PixelAt(painted, box.left, box.top), pen);
    EXPECT_EQ(PixelAt(painted, (box.left + box.right) / 2, (box.top + box.bottom) / 2), pen);

    TTabSheet* second = pages->Pages(1);
    TTabSheet* third = pages->Pages(2);
    EXPECT_TRUE(XClickAt(CloseBoxOnScreen(*skinner, tabs, 1)));
    ASSERT_TRUE(PumpUntil([&] { return pages->PageCount() == 3; }, 2000));
    EXPECT_EQ(pages->Pages(1), third);
    EXPECT_NE(pages->Pages(0), second);
    PumpFor(50);
    ASSERT_EQ(skinner->CloseBoxes.size(), 3u);

    // The form refuses the page "Kept": it stays.
    EXPECT_TRUE(XClickAt(CloseBoxOnScreen(*skinner, tabs, 2)));
    PumpFor(100);
    EXPECT_EQ(pages->PageCount(), 3);
    EXPECT_EQ(SendMessageW(form->Handle(), SM_CLOSETAB, reinterpret_cast<WPARAM>(tabs), 2), 1);

    // A click beside the box selects the tab and shows its page.
    const RECT item = ItemRect(tabs, 1);
    POINT beside{item.left + 4, (item.top + item.bottom) / 2};
    ClientToScreen(tabs, &beside);
    EXPECT_TRUE(XClickAt(beside));
    ASSERT_TRUE(PumpUntil([&] { return pages->TabIndex() == 1; }, 2000));
    EXPECT_EQ(pages->ActivePage(), third);
    EXPECT_TRUE(third->Visible());
    EXPECT_EQ(pages->PageCount(), 3);
}

TEST(SkinTab31, ATabSetShowsOnlyTheTabsThatFitBeforeItsEndMargin) {
    TSkinnedProcess skinning("Contrast");
    auto form = MakeControlForm();
    auto* tabSet = new TTabSet(form.get());
    tabSet->SetParent(form.get());
    tabSet->SetBounds(10, 150, 240, 24);
    std::vector<std::string> names;
    for (int i = 1; i <= 12; ++i) names.push_back("Sheet " + std::to_string(i));
    tabSet->SetTabs(names);
    tabSet->SetTabIndex(1);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinTab31>(form->Handle(), tabSet->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_TRUE(tabSet->Scroller()->Visible());
    EXPECT_NE(ChildSkinner<TSkinUpDown>(form->Handle(), tabSet->Scroller()->Handle()), nullptr);
    const TDecodedBitmap painted = PaintedPixels(tabSet->Handle());
    const std::vector<RECT>& drawn = skinner->TabRects();
    ASSERT_GT(drawn.size(), 1u);
    ASSERT_LT(drawn.size(), names.size());

    // Each tab is its caption and 9 pixels wide, from the start margin on; the next one would
    // not leave the scroller its room.
    SIZE next{};
    {
        TWindowDC dc(tabSet->Handle());
        TSelectObject font(dc.get(), tabSet->Font()->Handle());
        int x = tabSet->StartMargin();
        for (size_t i = 0; i < drawn.size(); ++i) {
            SIZE text{};
            GetTextExtentPoint32A(dc.get(), names[i].c_str(), static_cast<int>(names[i].size()), &text);
            EXPECT_EQ(drawn[i].left, x);
            EXPECT_EQ(drawn[i].right, x + text.cx + 9);
            x = drawn[i].right;
        }
        const std::string& hidden = names[drawn.size()];
        GetTextExtentPoint32A(dc.get(), hidden.c_str(), static_cast<int>(hidden.size()), &next);
    }
    EXPECT_GT(drawn.back().right + next.cx + 9 + 21, tabSet->ClientWidth() - tabSet->EndMargin());

    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    TDataSkinBorder& art = *skinning.Data->Tabs;
    TBitmap hanging;
    hanging.Assign(*art.Bitmap);
    FlipBitmap(hanging);
    for (size_t i = 0; i < drawn.size(); ++i) {
        const RECT& r = drawn[i];
        const TDecodedBitmap expected = Composed(hanging, art.Margins(), art.Frame, i == 1 ? 2 : 1, r.right - r.left,
                                                 r.bottom - r.top, art.Tile == 1);
        EXPECT_EQ(TabEndMismatches(painted, expected, r, false, face), 0) << "tab " << i;
    }
    // Past the last tab only the face shows, up to the scroller's room.
    const RECT rest{drawn.back().right, 0, tabSet->ClientWidth() - tabSet->EndMargin() - 21, painted.Height};
    TDecodedBitmap plain;
    plain.Width = rest.right - rest.left;
    plain.Height = rest.bottom;
    plain.Pixels.assign(static_cast<size_t>(plain.Width * plain.Height), face);
    EXPECT_EQ(Mismatches(painted, plain, rest, face), 0);
}

TEST(SkinTab, VisibleScrollArrowsStayDrawnByTheirOwnSkinner) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm();
    TPageControl* pages = AddPages(*form, {10, 10, 230, 150}, 20);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const HWND tabs = pages->Handle();
    const HWND arrows = TabArrows(tabs);
    ASSERT_NE(arrows, nullptr);
    ASSERT_TRUE(IsWindowVisible(arrows));
    ASSERT_NE(ChildSkinner<TSkinUpDown>(form->Handle(), arrows), nullptr);
    RECT keep{};
    GetWindowRect(arrows, &keep);
    MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&keep), 2);

    // The tab skinner's copy leaves the arrows' place untouched.
    constexpr COLORREF kMarker = RGB(0x12, 0x34, 0x56);
    const TDecodedBitmap painted = WindowSizedPixels(tabs, [tabs](HDC dc, HDC) {
        RECT all{0, 0, 2000, 2000};
        TBrushHandle marker(CreateSolidBrush(kMarker));
        FillRect(dc, &all, marker.get());
        SendMessageW(tabs, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    });
    int markedInside = 0, markedOutside = 0;
    for (int y = 0; y < painted.Height; ++y)
        for (int x = 0; x < painted.Width; ++x) {
            const bool marked = PixelAt(painted, x, y) == Rgb(kMarker);
            const POINT p{x, y};
            (PtInRect(&keep, p) ? markedInside : markedOutside) += marked ? 1 : 0;
        }
    EXPECT_EQ(markedInside, (keep.right - keep.left) * (keep.bottom - keep.top));
    EXPECT_EQ(markedOutside, 0);

    // On screen the arrows show what their skinner paints.
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(50);
    const TDecodedBitmap screen = ScreenPixels(tabs);
    const TDecodedBitmap own = PaintedPixels(arrows);
    EXPECT_EQ(Mismatches(screen, own, keep, 0), 0);
}

// A dialog made from a template with two tab controls that have no control objects: 101 plain,
// 102 drawn by its program.
HWND BareTabsDialog() {
    return CreateTemplateDialog({{WC_TABCONTROLW, L"", 0, 101, 10, 10, 120, 40},
                                 {WC_TABCONTROLW, L"", TCS_OWNERDRAWFIXED, 102, 10, 60, 120, 40}},
                                nullptr);
}

template <class T>
bool Has(HWND form, HWND window) {
    return ChildSkinner<T>(form, window) != nullptr;
}

TEST(SkinnerSelection, EveryTabFamilyGetsItsSkinnerAndAllAreGivenBackWhenSkinningEnds) {
    TSkinnedProcess skinning;
    MapVendorPages(*skinning.Data);
    auto form = MakeControlForm();
    form->SetClientWidth(640);
    form->SetClientHeight(420);
    TPageControl* pages = AddPages(*form, {10, 10, 200, 110}, 2);
    auto* buttons = new TPageControl(form.get());
    buttons->SetStyle(tsButtons);
    AddPages(*form, {210, 10, 400, 110}, 2, tpTop, buttons);
    auto* tabControl = AddControl<TTabControl>(*form, "", 410, 10, 200, 100);
    tabControl->SetTabs({"One", "Two"});
    auto* buttonTabs = AddControl<TTabControl>(*form, "", 10, 120, 200, 100);
    buttonTabs->SetStyle(tsFlatButtons);
    buttonTabs->SetTabs({"One", "Two"});
    auto* notebook = AddControl<TTabbedNotebook>(*form, "", 210, 120, 200, 100);
    notebook->SetPages({"First", "Second"});
    auto* tabSet = AddControl<TTabSet>(*form, "", 410, 120, 200, 24);
    tabSet->SetTabs({"A", "B"});
    auto* vendor = new TAcmePageControl(form.get());
    AddPages(*form, {10, 230, 200, 330}, 2, tpTop, vendor);
    TWindowHandle dialog(BareTabsDialog());
    ASSERT_NE(ShowSkinned(dialog.get()), nullptr);
    const HWND bare = GetDlgItem(dialog.get(), 101);
    EXPECT_TRUE(Has<TSkinTab>(dialog.get(), bare));
    EXPECT_FALSE(Has<TSkinControl>(dialog.get(), GetDlgItem(dialog.get(), 102)));
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    const HWND f = form->Handle();

    const struct {
        HWND Window;
        bool (*Skinned)(HWND, HWND);
    } families[] = {{pages->Handle(), &Has<TSkinTab>},         {pages->Pages(0)->Handle(), &Has<TSkinTabSheet>},
                    {buttons->Handle(), &Has<TSkinTabBtn>},    {tabControl->Handle(), &Has<TSkinTab>},
                    {buttonTabs->Handle(), &Has<TSkinTabBtn>}, {notebook->Handle(), &Has<TSkinTab>},
                    {tabSet->Handle(), &Has<TSkinTab31>},      {vendor->Handle(), &Has<TSkinAdvPage>}};
    for (const auto& family : families) EXPECT_TRUE(family.Skinned(f, family.Window)) << WindowClassName(family.Window);
    EXPECT_EQ(ChildSkinner<TSkinTab>(f, tabControl->Handle())->Kind, 0);
    ASSERT_TRUE(Has<TSkinAdvPage>(f, vendor->Handle()));
    EXPECT_EQ(ChildSkinner<TSkinAdvPage>(f, vendor->Handle())->Kind, kAdvancedPageKind);

    // A page in the skin's face; the vendor's tabs with the skin's tab image, normal and selected.
    const uint32_t face = SkinColour(*skinning.Data, ciButtonFace);
    const TDecodedBitmap sheet = PaintedPixels(pages->Pages(0)->Handle());
    EXPECT_EQ(PixelAt(sheet, 5, 5), face);
    EXPECT_EQ(PixelAt(sheet, sheet.Width - 5, sheet.Height - 5), face);
    TDataSkinBorder& art = *skinning.Data->Tabs;
    for (const auto& [picture, frame] : {std::pair{vendor->TabBackGround(), 1}, std::pair{vendor->TabBackGroundActive(), 2}}) {
        ASSERT_EQ(picture->Width(), 100);
        ASSERT_EQ(picture->Height(), 21);
        const TDecodedBitmap expected = Composed(*art.Bitmap, art.Margins(), art.Frame, frame, 100, 21, art.Tile == 1);
        EXPECT_EQ(Mismatches(GetBitmapPixels(*picture), expected, {0, 0, 100, 21}, 0xFF00FF), 0);
    }
    // The selected button of the page control in button style, from the button image.
    TDataSkinButton& button = skinning.Data->Button;
    const TDecodedBitmap pressed = PaintedPixels(buttons->Handle());
    RECT at = ItemRect(buttons->Handle(), 0);
    OffsetRect(&at, 0, 1);
    const TDecodedBitmap expected = FittedFrame(button, button.Frame, 2, at.right - at.left, at.bottom - at.top);
    EXPECT_EQ(TabEndMismatches(pressed, expected, at, false, face), 0);

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    for (HWND window : {pages->Handle(), pages->Pages(0)->Handle(), buttons->Handle(), tabControl->Handle(),
                        buttonTabs->Handle(), notebook->Handle(), tabSet->Handle(), vendor->Handle(), bare,
                        tabSet->Scroller()->Handle()})
        EXPECT_FALSE(IsSkinned(window)) << WindowClassName(window);
    EXPECT_TRUE(vendor->TabBackGround()->Empty());
    EXPECT_TRUE(vendor->TabBackGroundActive()->Empty());
}

TEST(SkinnerSelection, TabFamiliesStayUnskinnedWithTheirGateOff) {
    TSkinnedProcess skinning;
    skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(xcTab));
    auto form = MakeControlForm();
    TPageControl* pages = AddPages(*form, {10, 10, 200, 110}, 2);
    auto* tabSet = AddControl<TTabSet>(*form, "", 10, 120, 200, 24);
    tabSet->SetTabs({"A", "B"});
    TWindowHandle dialog(BareTabsDialog());
    ASSERT_NE(ShowSkinned(dialog.get()), nullptr);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    for (HWND window : {pages->Handle(), pages->Pages(0)->Handle(), tabSet->Handle(), GetDlgItem(dialog.get(), 101)})
        EXPECT_FALSE(IsSkinned(window)) << WindowClassName(window);
}

TEST(SkinTab, TabSwitchesCloseBoxesAndSkinChangesLeaveNoHandleBehind) {
    TSkinnedProcess skinning;
    MapVendorPages(*skinning.Data);
    auto form = MakeControlForm();
    auto* closing = new TPageControl(form.get());
    closing->SetTag(kCloseBoxTag);
    AddPages(*form, {10, 10, 150, 90}, 3, tpLeft, closing);
    auto* vendor = new TAcmePageControl(form.get());
    AddPages(*form, {160, 10, 310, 90}, 8, tpBottom, vendor);
    auto* tabSet = AddControl<TTabSet>(*form, "", 10, 100, 200, 22);
    tabSet->SetTabs({"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"});
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    int made = 0;
    ExpectNoHandleLeftAfterCycles(skinning, "tabs", [&](int i) {
        SendMessageW(vendor->Handle(), TCM_SETCURFOCUS, static_cast<WPARAM>(i % 8), 0);
        tabSet->SetTabIndex(i % 8);
        // A page closed by its box and a new one made in its place.
        if (auto* skinner = ChildSkinner<TSkinTab>(form->Handle(), closing->Handle());
            skinner && skinner->CloseBoxes.size() == 3) {
            const RECT box = skinner->CloseBoxes[2];
            SendMessageW(closing->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + 1, box.top + 1));
            auto* sheet = new TTabSheet(form.get());
            sheet->SetCaption("New " + std::to_string(++made));
            sheet->SetPageControl(closing);
        }
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    });
    EXPECT_GT(made, 1000);
    EXPECT_EQ(closing->PageCount(), 3);
    EXPECT_TRUE(IsSkinned(closing->Handle()) && IsSkinned(vendor->Handle()) && IsSkinned(tabSet->Handle()));
}

}  // namespace
}  // namespace velloran
