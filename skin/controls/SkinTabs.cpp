#include "skin/controls/SkinTabs.h"

#include <windowsx.h>
#include <commctrl.h>

#include "framework/TabControls.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

// The page border image of a skin whose Tabs Style is 0 keeps these widths unscaled; its tab side
// is a pixel thicker.
constexpr TSkinMargins kBorderImageMargins{4, 5, 4, 4};
// The close box: a square this far in from a tab's top-right corner, this big.
constexpr int kCloseBoxInset = 2;
constexpr int kCloseBoxSize = 6;

enum TTabFrame : int { tfNormal = 1, tfSelected = 2 };

TSkinMargins Flipped(const TSkinMargins& m) { return {m.Left, m.Bottom, m.Right, m.Top}; }
// The margins of an image turned a quarter counter-clockwise, or clockwise.
TSkinMargins TurnedLeft(const TSkinMargins& m) { return {m.Top, m.Right, m.Bottom, m.Left}; }
TSkinMargins TurnedRight(const TSkinMargins& m) { return {m.Bottom, m.Left, m.Top, m.Right}; }

COLORREF SkinColour(TColorValue value) { return ColorToRGB(static_cast<TColor>(value)); }

}  // namespace

const TClassInfo& TSkinTab::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinTab>("TSkinTab", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinTab::TSkinTab(TComponent* owner) : TSkinControl(owner) {}

void TSkinTab::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Attached) return;
    Enabled = !(WindowStyle() & WS_DISABLED);
    CloseBoxesOn = WantsCloseBoxes();
    PrepareImages();
    SkinScrollArrows();
}

void TSkinTab::InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkinHandle(window, skinData, form, canvas);
    Enabled = !(WindowStyle() & WS_DISABLED);
    PrepareImages();
    SkinScrollArrows();
}

// Close boxes are for page controls with the agreed Tag that keep their tabs on one row. On
// several rows a click selects a tab and the rows turn so that its row meets the page: a second
// click aimed at one tab's close box could then land on another tab's box and close the wrong page.
bool TSkinTab::WantsCloseBoxes() const {
    return Control && Control->Tag() == kCloseBoxTag && dynamic_cast<TPageControl*>(Control) &&
           !PropIs(Control, "MultiLine", "True");
}

void TSkinTab::SkinChanged() {
    PrepareImages();
    TSkinControl::SkinChanged();
}

void TSkinTab::PrepareImages() {
    Position = TabEdgeOfStyle(WindowStyle());
    const TDataSkinBorder* tabs = SkinData->Tabs.get();
    tabImage_.SetSize(0, 0);
    pageImage_.SetSize(0, 0);
    if (!tabs) return;
    tabImage_.Assign(*tabs->Bitmap);
    tabMargins_ = tabs->Margins();
    if (tabs->Style == 0) {
        pageImage_.Assign(*tabs->Bitmap2);
        pageMargins_ = kBorderImageMargins;
        pageTile_ = tabs->Tile == 1;
        pageKeyed_ = tabs->Trans == 1;
    } else if (const TDataSkinObject* pane = SkinData->TabPane.get()) {
        pageImage_.Assign(*pane->Bitmap);
        pageMargins_ = pane->Margins();
        pageTile_ = pane->Tile == 1;
        pageKeyed_ = pane->Trans == 1;
    }
    // The margins go with the image, so that the rounded side keeps its size where it went.
    switch (Position) {
        case teTop:
            break;
        case teBottom:
            if (!tabImage_.Empty()) FlipBitmap(tabImage_);
            if (!pageImage_.Empty()) FlipBitmap(pageImage_);
            tabMargins_ = Flipped(tabMargins_);
            pageMargins_ = Flipped(pageMargins_);
            break;
        case teLeft:
            if (!pageImage_.Empty()) RotateLeft(pageImage_);
            pageMargins_ = TurnedLeft(pageMargins_);
            break;
        case teRight:
            if (!pageImage_.Empty()) RotateRight(pageImage_);
            pageMargins_ = TurnedRight(pageMargins_);
            break;
    }
}

void TSkinTab::SkinScrollArrows() { SkinTabArrows(Form, TabArrows(Window), SkinData, Canvas); }

bool TSkinTab::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            PaintBeginEnd(m);
            return false;
        case WM_LBUTTONDOWN:
            if (CloseBoxesOn && CloseBoxPressed({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
                m.Result = 0;
                return false;
            }
            break;
        default:
            break;
    }
    return TSkinControl::BeforeProc(m);
}

bool TSkinTab::CloseBoxPressed(POINT point) {
    for (size_t i = 0; i < CloseBoxes.size(); ++i) {
        // The box's last row and column count: it is drawn with them.
        RECT box = CloseBoxes[i];
        ++box.right;
        ++box.bottom;
        if (!PtInRect(&box, point)) continue;
        if (!Form) return true;
        const LRESULT answer = SendMessageW(Form->Handle, SM_CLOSETAB, reinterpret_cast<WPARAM>(Window),
                                            static_cast<LPARAM>(i));
        auto* pages = dynamic_cast<TPageControl*>(Control);
        if (answer == 0 && pages)
            if (TTabSheet* page = pages->PageOfTab(static_cast<int>(i))) Free(page);
        return true;
    }
    return false;
}

void TSkinTab::PaintControl(HDC dc, const RECT& rect) {
    Enabled = !(WindowStyle() & WS_DISABLED);
    const RECT page = TabPageRect(Window, rect, Position);
    const int count = static_cast<int>(SendMessageW(Window, TCM_GETITEMCOUNT, 0, 0));
    CloseBoxes.assign(static_cast<size_t>(count > 0 ? count : 0), RECT{});
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    FillColour(off.DC(), rect, ControlBackground());
    if (!tabImage_.Empty()) {
        RECT strip = rect;
        switch (Position) {
            case teTop:
                strip.bottom = page.top;
                break;
            case teBottom:
                strip.top = page.bottom;
                break;
            case teLeft:
                strip.right = page.left;
                break;
            case teRight:
                strip.left = page.right;
                break;
        }
        DrawStrip(off.DC(), strip);
    }
    if (!pageImage_.Empty()) DrawPage(off.DC(), page);
    if (Kind == kPageControlKind)
        if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(off.DC());
    // The scroll arrows are a window of their own, drawn by their own skinner: the copy leaves them.
    TSavedDC saved(dc);
    const HWND arrows = TabArrows(Window);
    if (arrows && IsWindowVisible(arrows)) {
        RECT keep{};
        GetWindowRect(arrows, &keep);
        MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&keep), 2);
        ExcludeClipRect(dc, keep.left, keep.top, keep.right, keep.bottom);
    }
    off.CopyTo(dc, rect.left, rect.top);
    // The arrows appear once the tabs outgrow the control.
    if (arrows) SkinScrollArrows();
}

// The tabs are drawn as a row standing on the page below it, into a bitmap as long as the strip;
// for tabs at a side the bitmap is then turned to that side.
void TSkinTab::DrawStrip(HDC dc, const RECT& strip) {
    const bool side = Position == teLeft || Position == teRight;
    const int stripWidth = strip.right - strip.left, stripHeight = strip.bottom - strip.top;
    const int length = side ? stripHeight : stripWidth;
    const int thickness = side ? stripWidth : stripHeight;
    if (length <= 0 || thickness <= 0) return;
    TBitmap row;
    row.SetSize(length, thickness);
    const HDC rowDC = row.Canvas().Handle();
    FillColour(rowDC, {0, 0, length, thickness}, ControlBackground());
    TSelectObject font(rowDC, ControlFont());
    SetBkMode(rowDC, TRANSPARENT);
    TDataSkinBorder& tabs = *SkinData->Tabs;
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Window, TCM_GETIMAGELIST, 0, 0));
    const int focused = static_cast<int>(SendMessageW(Window, TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < static_cast<int>(CloseBoxes.size()); ++i) {
        TTabRead tab;
        RECT item{};
        if (!ReadTab(Window, Unicode, i, tab) ||
            !SendMessageW(Window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        OffsetRect(&item, -strip.left, -strip.top);
        // In the row's coordinates, a pixel nearer the page.
        RECT r = item;
        switch (Position) {
            case teTop:
                OffsetRect(&r, 0, 1);
                break;
            case teBottom:
                OffsetRect(&r, 0, -1);
                break;
            case teLeft:
                r = {length - item.bottom, item.left + 1, length - item.top, item.right + 1};
                break;
            case teRight:
                r = {item.top, thickness - item.right + 1, item.bottom, thickness - item.left + 1};
                break;
        }
        const int frame = i == focused ? tfSelected : tfNormal;
        DrawSkinObject(rowDC, r, tabImage_, false, tabs.Tile == 1, tabs.Trans == 1, tabs.Frame, frame, tabMargins_);
        const COLORREF text = SkinColour(frame == tfSelected ? tabs.MouseOverColour2 : tabs.NormalColour2);
        SetTextColor(rowDC, text);
        if (CloseBoxesOn) {
            const RECT box{r.right - kCloseBoxInset - kCloseBoxSize, r.top + kCloseBoxInset, r.right - kCloseBoxInset,
                           r.top + kCloseBoxInset + kCloseBoxSize};
            TPenHandle pen(CreatePen(PS_SOLID, 1, text));
            TSelectObject selected(rowDC, pen.get());
            const POINT square[] = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom},
                                    {box.left, box.bottom}, {box.left, box.top}, {box.right, box.bottom}};
            Polyline(rowDC, square, 6);
            MoveToEx(rowDC, box.right, box.top, nullptr);
            LineTo(rowDC, box.left, box.bottom);
            // Where the box is on the window once the row is turned back.
            RECT onWindow = box;
            if (Position == teLeft)
                onWindow = {box.top, length - box.right, box.bottom, length - box.left};
            else if (Position == teRight)
                onWindow = {thickness - box.bottom, box.left, thickness - box.top, box.right};
            OffsetRect(&onWindow, strip.left, strip.top);
            CloseBoxes[static_cast<size_t>(i)] = onWindow;
        }
        // The caption keeps clear of the close box.
        RECT caption = r;
        if (CloseBoxesOn) caption.right -= kCloseBoxInset + kCloseBoxSize;
        DrawIconAndCaption(rowDC, images, tab.Image, tab.Text, caption, caCenter);
    }
    if (Position == teLeft) RotateLeft(row);
    if (Position == teRight) RotateRight(row);
    BitBlt(dc, strip.left, strip.top, stripWidth, stripHeight, row.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinTab::DrawPage(HDC dc, const RECT& page) {
    DrawSkinObject(dc, page, pageImage_, false, pageTile_, pageKeyed_, 1, 1, pageMargins_);
}

// ---- TSkinTabBtn --------------------------------------------------------------------------

const TClassInfo& TSkinTabBtn::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinTabBtn>("TSkinTabBtn", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinTabBtn::TSkinTabBtn(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabBtn::BeforeProc(TMessage& m) {
    if (m.Msg != WM_PAINT) return TSkinControl::BeforeProc(m);
    PaintBeginEnd(m);
    return false;
}

void TSkinTabBtn::PaintControl(HDC dc, const RECT& rect) {
    Enabled = !(WindowStyle() & WS_DISABLED);
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    FillColour(off.DC(), rect, SkinBackground());
    TDataSkinButton& button = SkinData->Button;
    if (!button.Bitmap->Empty()) {
        TSelectObject font(off.DC(), ControlFont());
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Window, TCM_GETIMAGELIST, 0, 0));
        const int focused = static_cast<int>(SendMessageW(Window, TCM_GETCURFOCUS, 0, 0));
        const int count = static_cast<int>(SendMessageW(Window, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            TTabRead tab;
            RECT r{};
            if (!ReadTab(Window, Unicode, i, tab) ||
                !SendMessageW(Window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
                continue;
            OffsetRect(&r, 0, 1);
            const int frame = i == focused ? tfSelected : tfNormal;
            DrawSkinFrame(off.DC(), r, button.Frame, frame, button);
            COLORREF text = RGB(0, 0, 0);
            if (frame == tfNormal && button.HasNormalColour2) text = SkinColour(button.NormalColour2);
            if (frame == tfSelected && button.HasPressedColour2) text = SkinColour(button.PressedColour2);
            SetTextColor(off.DC(), text);
            DrawIconAndCaption(off.DC(), images, tab.Image, tab.Text, r, caCenter);
        }
    }
    off.CopyTo(dc, rect.left, rect.top);
    SkinTabArrows(Form, TabArrows(Window), SkinData, Canvas);
}

// ---- TSkinTabSheet ------------------------------------------------------------------------

const TClassInfo& TSkinTabSheet::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinTabSheet>("TSkinTabSheet", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinTabSheet::TSkinTabSheet(TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabSheet::BeforeProc(TMessage& m) {
    if (!TSkinControl::BeforeProc(m)) return false;
    if (Kind != 0) return true;
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            PaintBeginEnd(m);
            return false;
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(Window, &client);
            FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->FaceBrush.get());
            m.Result = 1;
            return false;
        }
        default:
            return true;
    }
}

void TSkinTabSheet::PaintControl(HDC dc, const RECT& rect) {
    TOffscreen& off = Offscreen(dc, rect.right, rect.bottom);
    if (!off) return;
    FillColour(off.DC(), rect, SkinBackground());
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(off.DC());
    off.CopyTo(dc, rect.left, rect.top);
}

}  // namespace velloran
