#include "skin/form/MenuItemPaint.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/ImgList.h"
#include "framework/MenuMetrics.h"
#include "framework/Menus.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/MenuItemImages.h"

namespace velloran {

namespace {

// The item strip holds five frames; these are the ones drawn.
constexpr int kItemFrames = 5;
enum TItemFrame : int { ifNormal = 1, ifSeparator = 2, ifSelected = 4 };

// The glyph box of an item without an image list, and the least one of a checked item.
constexpr int kGlyphSize = 16;
constexpr int kRawTextLength = 80;
// The system's check-mark bitmap (OBM_CHECK, declared only with OEMRESOURCE).
constexpr int kSystemCheckMark = 32760;

constexpr int kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;

COLORREF SkinColor(const TSkinData& skin, TSkinColorIndex index) {
    return ColorToRGB(static_cast<TColor>(skin.Colors[index]));
}

int ItemLeftWidth(const TSkinData& skin) { return skin.MenuItem ? skin.MenuItem->LeftWidth : 0; }

bool HasItemStrip(const TSkinData& skin) { return skin.MenuItem && !skin.MenuItem->Bitmap->Empty(); }

// A bitmap of the rectangle's size to compose the item on, then copied to the target in one go:
// its own, or the popup's scratch image, whose DC state is put back when the item is done.
class TItemImage {
public:
    explicit TItemImage(const RECT& rect, TMenuItemImages* images = nullptr) : rect_(rect) {
        const int width = std::max<int>(rect.right - rect.left, 1), height = std::max<int>(rect.bottom - rect.top, 1);
        if (images) {
            bitmap_ = &images->Scratch(width, height);
        } else {
            own_.SetSize(width, height);
            bitmap_ = &own_;
        }
        dc_ = bitmap_->Canvas().Handle();
        saved_.emplace(dc_);
    }
    HDC dc() const { return dc_; }
    RECT Local() const { return {0, 0, rect_.right - rect_.left, rect_.bottom - rect_.top}; }
    void CopyTo(HDC target) const {
        BitBlt(target, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, dc_, 0, 0, SRCCOPY);
    }
    // Read from the bitmap's bits: asking the DC costs as much as drawing a line of text.
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        DIBSECTION dib{};
        if (GetObjectA(GetCurrentObject(dc_, OBJ_BITMAP), sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits ||
            dib.dsBm.bmBitsPixel != 32 || x < 0 || y < 0 || x >= dib.dsBm.bmWidth || y >= dib.dsBm.bmHeight)
            return GetPixel(dc_, x, y);
        const int row = dib.dsBmih.biHeight < 0 ? y : dib.dsBm.bmHeight - 1 - y;
        const BYTE* pixel = static_cast<const BYTE*>(dib.dsBm.bmBits) + row * dib.dsBm.bmWidthBytes + x * 4;
        return RGB(pixel[2], pixel[1], pixel[0]);
    }

private:
    RECT rect_;
    TBitmap own_;
    TBitmap* bitmap_ = nullptr;
    HDC dc_ = nullptr;
    std::optional<TSavedDC> saved_;
};

void Fill(HDC dc, const RECT& rect, COLORREF color) {
    TBrushHandle brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

// The part of the popup's background under the item at `rect`, or the skin's menu colour, drawn
// at `at`.
void FillBackground(const TSkinData& skin, HDC dc, const RECT& at, const RECT& rect, const TPopupBackground& background) {
    if (!background.Image || background.Image->Empty()) {
        Fill(dc, at, SkinColor(skin, ciMenu));
        return;
    }
    BitBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, background.Image->Canvas().Handle(),
           rect.left + background.ClientOffset.x, rect.top + background.ClientOffset.y, SRCCOPY);
}

TPopupBackground BackgroundOf(HMENU menu) {
    const TFormSkinnerHost* host = TFormSkinnerHost::Current();
    return host && menu ? host->PopupBackground(menu) : TPopupBackground{};
}

// Frame 2 of the strip: its bottom rows when the item is lower than the strip, the side columns
// at their width and the middle stretched, keyed over what the image holds.
void DrawSeparator(const TSkinData& skin, HDC target, const RECT& at) {
    TBitmap& strip = *skin.MenuItem->Bitmap;
    const RECT local{0, 0, at.right - at.left, at.bottom - at.top};
    const RECT frame = StripFrame(strip, false, kItemFrames, ifSeparator);
    const int frameHeight = frame.bottom - frame.top;
    const int height = std::min<int>(local.bottom, frameHeight);
    const int top = frame.top + frameHeight - height;
    const int left = std::min<int>(skin.MenuItem->LeftWidth, local.right);
    const int right = std::min<int>(skin.MenuItem->RightWidth, local.right - left);
    const int frameMiddle = (frame.right - frame.left) - skin.MenuItem->LeftWidth - skin.MenuItem->RightWidth;

    TBitmap separator;
    separator.SetSize(local.right, local.bottom);
    const HDC dc = separator.Canvas().Handle();
    const HDC source = strip.Canvas().Handle();
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, left, local.bottom, source, frame.left, top, left, height, SRCCOPY);
    StretchBlt(dc, left, 0, local.right - left - right, local.bottom, source, frame.left + skin.MenuItem->LeftWidth,
               top, std::max(frameMiddle, 1), height, SRCCOPY);
    StretchBlt(dc, local.right - right, 0, right, local.bottom, source, frame.right - right, top, right, height,
               SRCCOPY);
    TransparentBlit(target, at, separator, kSkinKeyColor);
}

// A check of the checked item's image: the platform's checker of button face and highlight.
void FillCheckedPattern(HDC dc, const RECT& box) {
    static const WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    TBitmapHandle pattern(CreateBitmap(8, 8, 1, 1, kChecker));
    TBrushHandle brush(CreatePatternBrush(pattern.get()));
    SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &box, brush.get());
}

// The system's check mark, its set pixels in the colour, the rest left as they are.
void DrawCheckMark(HDC dc, const RECT& glyph, const RECT& item, COLORREF color) {
    TBitmapHandle check(static_cast<HBITMAP>(LoadImageA(nullptr, MAKEINTRESOURCEA(kSystemCheckMark), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP info{};
    if (!check || !GetObjectA(check.get(), sizeof info, &info)) return;
    const int x = glyph.left + (glyph.right - glyph.left - info.bmWidth) / 2 + 1;
    const int y = item.top + (item.bottom - item.top - info.bmHeight) / 2 + 1;
    TMemoryDC source(CreateCompatibleDC(dc));
    TSelectObject selectBitmap(source.get(), check.get());
    TBrushHandle brush(CreateSolidBrush(color));
    TSelectObject selectBrush(dc, brush.get());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    // Where the mark's bitmap is black the brush goes, where it is white the target stays.
    constexpr DWORD kPatternWhereSourceIsBlack = 0x00B8074A;
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, kPatternWhereSourceIsBlack);
}

COLORREF TextColor(const TSkinData& skin, const TMenuItemLook& look, bool selected) {
    if (!look.Enabled) {
        // Grey text the same as the normal text would not look disabled at all.
        const COLORREF shadow = SkinColor(skin, ciButtonShadow);
        return shadow == SkinColor(skin, ciMenuText) ? GetSysColor(COLOR_BTNSHADOW) : shadow;
    }
    return SkinColor(skin, selected ? ciHilightText : ciMenuText);
}

// The item shows a picture of its image list.
bool ShowsImage(const TMenuItemLook& look) {
    return look.Images && look.ImageIndex >= 0 && look.ImageIndex < look.Images->Count();
}

// Glyph, caption and shortcut of the item in the rectangle.
void DrawContent(const TSkinData& skin, HDC dc, const TMenuItemLook& look, const RECT& r, bool selected) {
    const bool hasList = look.Images != nullptr;
    int glyphSize = hasList ? look.Images->Width() : kGlyphSize;
    if (look.Checked) glyphSize = std::max(glyphSize, kGlyphSize);
    RECT glyph{r.left + 1 + ItemLeftWidth(skin), r.top + 1, 0, 0};
    glyph.right = glyph.left + glyphSize;
    glyph.bottom = glyph.top + glyphSize;
    const int height = r.bottom - r.top;
    if (look.IsLine()) {
        glyph = {0, 0, 0, 0};
    } else if (ShowsImage(look)) {
        const int glyphHeight = look.Checked ? kGlyphSize : look.Images->Height();
        OffsetRect(&glyph, 0, r.top + (height - glyphHeight) / 2 - glyph.top);
        if (look.Checked) {
            FillCheckedPattern(dc, glyph);
            DrawEdge(dc, &glyph, BDR_SUNKENOUTER, BF_RECT);
        }
        TCanvas canvas(dc);
        look.Images->Draw(canvas, glyph.left, glyph.top, look.ImageIndex, look.Enabled);
    } else if (look.Checked) {
        DrawCheckMark(dc, glyph, r, SkinColor(skin, ciButtonText));
    }

    RECT text{glyph.right + 3, r.top, r.right - 1, r.bottom};
    if (look.IsLine()) {
        RECT line{text.left, r.top + 4, text.right, r.top + 6};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TSelectObject font(dc, MenuFont(look.Default));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColor(skin, look, selected));
    // An empty caption (or a lone prefix mark) still measures a line's height.
    const std::string measured = look.Caption.empty() || look.Caption == "&" ? look.Caption + " " : look.Caption;
    RECT size = text;
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &size,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    const int textHeight = size.bottom - size.top;
    RECT caption{text.left, r.top + (height - textHeight) / 2, text.right, 0};
    caption.bottom = caption.top + textHeight;
    DrawTextA(dc, look.Caption.c_str(), static_cast<int>(look.Caption.size()), &caption, DT_EXPANDTABS | DT_SINGLELINE);
    if (look.ShortCut.empty()) return;
    RECT shortcut{size.right, caption.top, r.right - 11, caption.bottom};
    DrawTextA(dc, look.ShortCut.c_str(), static_cast<int>(look.ShortCut.size()), &shortcut,
              DT_RIGHT | DT_EXPANDTABS | DT_SINGLELINE);
}

// The system draws a submenu's arrow after the item, from a one-bit picture in the DC's text and
// background colours, which it set to its own highlight colours for a selected item: the item's
// text colour over the strip's pixel where the arrow goes keeps the arrow off a box of them.
COLORREF ArrowBack(const TItemImage& image) {
    const RECT local = image.Local();
    const int arrowLeft = std::max<int>(local.right - 1 - MenuMetrics().CheckWidth, 0);
    return image.Pixel(arrowLeft, (local.top + local.bottom) / 2);
}

void LeaveArrowColours(const TSkinData& skin, HDC target, COLORREF arrowBack, const TMenuItemLook& look,
                       bool selected) {
    SetBkColor(target, arrowBack);
    SetTextColor(target, TextColor(skin, look, selected));
}

// What a popup's finished items are made of besides their looks.
TItemBaseSource ItemSource(const TSkinData& skin, const TPopupBackground& background) {
    return {skin.MenuItem->Bitmap->Serial(),
            background.Image ? background.Image->Serial() : 0,
            SkinColor(skin, ciMenu),
            {SkinColor(skin, ciMenuText), SkinColor(skin, ciHilightText), SkinColor(skin, ciButtonShadow),
             SkinColor(skin, ciButtonText), GetSysColor(COLOR_BTNSHADOW)}};
}

void DrawLook(const TSkinData& skin, HDC dc, const TMenuItemLook& look, const RECT& rect, bool selected,
              const TPopupBackground& background) {
    if (!HasItemStrip(skin)) {
        DrawPlainItem(skin, dc, look, rect, selected);
        return;
    }
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    const TItemBase base = look.IsLine() ? TItemBase::ibSeparator : selected ? TItemBase::ibSelected : TItemBase::ibNormal;
    const auto compose = [&](HDC target, const RECT& at) {
        FillBackground(skin, target, at, rect, background);
        if (base == TItemBase::ibSeparator) {
            DrawSeparator(skin, target, at);
            return;
        }
        const TDataSkinObject& item = *skin.MenuItem;
        const int frame = base == TItemBase::ibSelected ? ifSelected : ifNormal;
        if (!background.Items) {
            DrawSkinObject(target, at, *item.Bitmap, false, item.Tile != 0, item.Trans != 0, kItemFrames, frame,
                           item.Margins());
            return;
        }
        // The items of a popup share a few sizes: each fitting of the strip serves them all.
        const RECT size{0, 0, at.right - at.left, at.bottom - at.top};
        TBitmap& fitted = background.Items->FittedFrame(size.right, size.bottom, frame, [&] {
            return ComposeSkinImage(size, *item.Bitmap, item.Margins(), false, item.Tile != 0, kItemFrames, frame);
        });
        if (item.Trans != 0)
            TransparentBlit(target, at, fitted, kSkinKeyColor);
        else
            BitBlt(target, at.left, at.top, size.right, size.bottom, fitted.Canvas().Handle(), 0, 0, SRCCOPY);
    };
    TMenuItemImages* const store = background.Items;
    if (store) {
        store->Validate(ItemSource(skin, background));
        COLORREF arrowBack = 0;
        if (const HDC finished = store->Finished(rect, base, look, arrowBack)) {
            BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, finished, rect.left,
                   rect.top, SRCCOPY);
            LeaveArrowColours(skin, dc, arrowBack, look, selected);
            return;
        }
    }
    TItemImage image(rect, store);
    const RECT local = image.Local();
    if (const HDC made = store ? store->Base(rect, base, compose) : nullptr)
        BitBlt(image.dc(), 0, 0, local.right, local.bottom, made, rect.left, rect.top, SRCCOPY);
    else
        compose(image.dc(), local);
    if (!look.IsLine()) DrawContent(skin, image.dc(), look, local, selected);
    image.CopyTo(dc);
    const COLORREF arrowBack = ArrowBack(image);
    LeaveArrowColours(skin, dc, arrowBack, look, selected);
    // The pictures of an image list may change under the same look.
    if (store && !ShowsImage(look)) store->KeepFinished(rect, base, look, image.dc(), arrowBack);
}

// Runs the item's own measuring without its measure event, which may be this painter's.
void MeasureOwn(TMenuItem& item, HDC dc, int& width, int& height) {
    TMenuMeasureItemEvent saved = std::exchange(item.OnMeasureItem, nullptr);
    struct TRestore {
        TMenuItem& Item;
        TMenuMeasureItemEvent& Saved;
        ~TRestore() { Item.OnMeasureItem = std::move(Saved); }
    } restore{item, saved};
    item.MeasureItem(dc, width, height);
}

const TImageList* ImagesOf(const TMenuItem& item) {
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

}  // namespace

HFONT MenuFont(bool bold) {
    static const auto make = [](bool heavy) {
        NONCLIENTMETRICSA metrics;
        if (!ReadNonClientMetrics(metrics)) return TFontHandle();
        if (heavy) metrics.lfMenuFont.lfWeight = FW_BOLD;
        return TFontHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    };
    static const TFontHandle plain = make(false), heavy = make(true);
    return bold ? heavy.get() : plain.get();
}

std::string ShortCutText(int shortCut) {
    const UINT key = static_cast<UINT>(shortCut & 0xFF);
    if (key == 0) return {};
    std::string text;
    if (shortCut & kCtrl) text += "Ctrl+";
    if (shortCut & kShift) text += "Shift+";
    if (shortCut & kAlt) text += "Alt+";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<char>(key);
    if (key >= VK_F1 && key <= VK_F24) return text + "F" + std::to_string(key - VK_F1 + 1);
    char name[64] = {};
    LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    if (key >= VK_PRIOR && key <= VK_DELETE) scan |= 1 << 24;  // the keys of the navigation block
    return GetKeyNameTextA(scan, name, sizeof name) > 0 ? text + name : std::string();
}

TMenuItemLook LookOf(const TMenuItem& item) {
    TMenuItemLook look;
    look.Caption = item.Caption();
    look.ShortCut = ShortCutText(item.ShortCut());
    look.Enabled = item.Enabled();
    look.Checked = item.Checked();
    look.Default = item.Default();
    look.Images = ImagesOf(item);
    look.ImageIndex = item.ImageIndex();
    return look;
}

TMenuItemLook RawItemLook(HMENU menu, UINT command) {
    TMenuItemLook look;
    char text[kRawTextLength + 1] = {};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    look.Caption = text[0] ? text : "-";
    // The system menu's texts carry their shortcut after a tab.
    if (const size_t tab = look.Caption.find('\t'); tab != std::string::npos) {
        look.ShortCut = look.Caption.substr(tab + 1);
        look.Caption.resize(tab);
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    if (GetMenuItemInfoA(menu, command, FALSE, &info)) {
        look.Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        look.Checked = (info.fState & MFS_CHECKED) != 0;
        look.Default = (info.fState & MFS_DEFAULT) != 0;
    }
    return look;
}

void MeasurePopupItem(const TSkinData& skin, const TMenuItem& item, int& width) {
    width += ItemLeftWidth(skin) + (ImagesOf(item) ? 0 : 23) + 12;
}

void MeasureMainItem(const TSkinData& skin, TMenuItem& item, HDC dc, int& width, int& height) {
    {
        TSelectObject font(dc, MenuFont());
        MeasureOwn(item, dc, width, height);
    }
    width += ItemLeftWidth(skin) + (ImagesOf(item) ? 0 : 25) + 10;
}

void MeasureRawItem(const TSkinData& skin, HMENU menu, UINT command, int& width, int& height) {
    char text[kRawTextLength + 1] = {};
    const int length = GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    TWindowDC screen(nullptr);
    TSelectObject font(screen.get(), MenuFont());
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text, length, &size);
    width = size.cx + 26 + ItemLeftWidth(skin);
    height = length > 0 ? height + 4 : 8;
    // The older family of the platform draws menu items 4 pixels taller.
    if (!IsWindowsNT()) height += 4;
}

HMENU MenuHolding(HMENU menu, UINT command) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.wID == command) return menu;
        if (info.hSubMenu)
            if (HMENU found = MenuHolding(info.hSubMenu, command)) return found;
    }
    return nullptr;
}

HMENU ParentMenuHandle(const TMenuItem& item) {
    TMenu* menu = item.GetParentMenu();
    return menu && menu->HandleAllocated() ? MenuHolding(menu->Handle(), item.Command()) : nullptr;
}

void DrawMenuItem(const TSkinData& skin, HDC dc, const TMenuItem& item, const RECT& rect, bool selected) {
    const HMENU menu = ParentMenuHandle(item);
    if (TFormSkinnerHost* host = TFormSkinnerHost::Current(); host && menu) host->AssignMenuHandle(menu);
    DrawLook(skin, dc, LookOf(item), rect, selected, BackgroundOf(menu));
}

void DrawRawItem(const TSkinData& skin, HDC dc, HMENU menu, UINT command, const RECT& rect, bool selected) {
    DrawLook(skin, dc, RawItemLook(menu, command), rect, selected, BackgroundOf(menu));
}

void DrawPlainItem(const TSkinData& skin, HDC dc, const TMenuItemLook& look, const RECT& rect, bool selected) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    TItemImage image(rect);
    Fill(image.dc(), image.Local(), SkinColor(skin, selected ? ciHilight : ciMenu));
    DrawContent(skin, image.dc(), look, image.Local(), selected);
    image.CopyTo(dc);
    LeaveArrowColours(skin, dc, ArrowBack(image), look, selected);
}

}  // namespace velloran
