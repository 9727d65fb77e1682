#include "skin/controls/SkinControl.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/TypInfo.h"
#include "framework/UtilWindow.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/data/SkinImage.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

// ---- TOffscreen --------------------------------------------------------------------------

namespace {

// A 32-bit DIB section: the skin's images are copied onto its pixels directly (KeyedCopy), and
// it costs far less to make than a bitmap compatible with the screen.
HBITMAP NewOffscreenBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

TOffscreen::TOffscreen(HDC like, int width, int height)
    : width_(width), height_(height), dc_(CreateCompatibleDC(like)), bitmap_(NewOffscreenBitmap(width, height)) {
    if (dc_ && bitmap_) select_ = std::make_unique<TSelectObject>(dc_.get(), bitmap_.get());
}

void TOffscreen::CopyTo(HDC target, int x, int y) const {
    if (*this) BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

// ---- TSkinControl ------------------------------------------------------------------------

// Counts the skinner's procedures on the stack, so that it is never freed under them (a click
// handler can switch skinning off); the last one to return frees a skinner let go meanwhile.
class TSkinControl::TRunScope {
public:
    explicit TRunScope(TSkinControl& skinner) : skinner_(skinner) { ++skinner_.runDepth_; }
    ~TRunScope() {
        if (--skinner_.runDepth_ == 0 && skinner_.release_ == srFreeOnReturn) Free(&skinner_);
    }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;

private:
    TSkinControl& skinner_;
};

const TClassInfo& TSkinControl::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinControl>("TSkinControl", &TComponent::StaticClassInfo());
    return info;
}

TSkinControl::TSkinControl(TComponent* owner) : TChildSkinner(owner) {}

TSkinControl::~TSkinControl() {
    hook_.reset();
    subclass_.reset();
    if (Form) Form->UnregisterSkinner(this);
}

std::string ControlClassName(const TControl& control) { return control.ClassInfo().Name; }

void TSkinControl::Register() { Form->RegisterSkinner(this); }

void TSkinControl::Release() {
    if (runDepth_ == 0) {
        Free(this);
        return;
    }
    // Its form may go before the running procedures return: until then the skinner only passes
    // messages on.
    Form = nullptr;
    SkinActive = false;
    release_ = srFreeOnReturn;
}

void TSkinControl::HookControl(TControl& control) {
    hook_ = std::make_unique<TControlHook>(control, [this](TMessage& m, const TControlHook::TNext& next) {
        // Declared first, so that it frees a released skinner after everything else here is done.
        const TRunScope running(*this);
        const TControlHook::TNext* outer = next_;
        next_ = &next;
        struct TRestore {
            const TControlHook::TNext*& slot;
            const TControlHook::TNext* value;
            ~TRestore() { slot = value; }
        } restore{next_, outer};
        SkinWindowProc(m);
    });
}

// Coordinates in a mouse message are 16-bit and wrap on a control past 0x8000 pixels; the
// cursor's position does not.
void TSkinControl::ForwardMouseDown(const TMessage& m) {
    const std::optional<TMouseButton> button = PressedMouseButton(m.Msg);
    if (!Control || !button) return;
    constexpr int kLargestMessageCoordinate = 0x8000;
    POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    if (Control->Width() > kLargestMessageCoordinate || Control->Height() > kLargestMessageCoordinate) {
        GetCursorPos(&at);
        if (GraphicControl) {
            ScreenToClient(GraphicControl->Parent()->Handle(), &at);
            at.x -= GraphicControl->Left();
            at.y -= GraphicControl->Top();
        } else {
            ScreenToClient(Window, &at);
        }
    }
    Control->MouseDown(*button, MouseShiftState(m.WParam, IsDoubleClick(m.Msg)), at.x, at.y);
}

void TSkinControl::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    auto* windowed = dynamic_cast<TWinControl*>(Owner());
    if (!windowed) return;
    UseSkinColour = useSkinColour;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Control = windowed;
    Window = windowed->Handle();
    Unicode = IsWindowUnicode(Window) != FALSE;
    HookControl(*windowed);
    Register();
    if (UseSkinColour) {
        SwitchParentBackground(false);
        SavedColour = Control->Color();
        SavedParentColour = Control->ParentColor();
        Control->SetColor(static_cast<TColor>(SkinBackground()));
    }
    if (ParentBackgroundSaved) Kind = 1;
    Control->Invalidate();
    Attached = true;
    State = sgAttached;
}

void TSkinControl::InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached) return;
    SkinData = skinData;
    Canvas = canvas;
    Form = form;
    Window = window;
    Enabled = true;
    Kind = 0;
    Register();
    Unicode = IsWindowUnicode(Window) != FALSE;
    Caption = ReadWindowText();
    subclass_ = std::make_unique<TWindowSubclass>(Window, [this](HWND, UINT msg, WPARAM wp, LPARAM lp) {
        const TRunScope running(*this);
        TMessage m{msg, wp, lp, 0};
        SkinWindowProc(m);
        return m.Result;
    });
    InvalidateRect(Window, nullptr, TRUE);
    Attached = true;
    State = sgAttached;
}

// ParentBackground lets a control show its parent through it; a control in the skin's colour
// must paint itself, unless the skin asks to keep the parent's background.
void TSkinControl::SwitchParentBackground(bool on) {
    if (!Control || (SkinData->Options() & SkinBit(xoParentBackGround)) || !HasProp(Control, "ParentBackground"))
        return;
    if (!on && PropIs(Control, "ParentBackground", "true")) {
        SetPropText(Control, "ParentBackground", "False");
        ParentBackgroundSaved = true;
    } else if (on && ParentBackgroundSaved) {
        SetPropText(Control, "ParentBackground", "True");
        ParentBackgroundSaved = false;
    }
}

void TSkinControl::RestoreControl() {
    if (!UseSkinColour || !Control) return;
    SwitchParentBackground(true);
    Control->SetColor(SavedColour);
    if (SavedParentColour) Control->SetParentColor(true);
}

void TSkinControl::SkinChanged() {
    if (UseSkinColour && Control) Control->SetColor(static_cast<TColor>(SkinBackground()));
    Refresh();
}

void TSkinControl::Refresh() {
    if (GraphicControl) {
        GraphicControl->Invalidate();
        return;
    }
    InvalidateRect(Window, nullptr, TRUE);
    UpdateWindow(Window);
}

// ---- messages ----------------------------------------------------------------------------

void TSkinControl::SkinWindowProc(TMessage& m) {
    if (m.Msg == SM_SKINENABLE) {
        SkinActive = release_ == srHeld && static_cast<INT_PTR>(m.WParam) > 0;
        SkinSwitched(SkinActive);
        if (SkinActive) Refresh();
        return;
    }
    if (!SkinActive) {
        CallDefault(m);
        return;
    }
    if (!BeforeProc(m)) return;
    CallDefault(m);
    // Let go while the message was handled: nothing more to draw.
    if (SkinActive) AfterProc(m);
}

void TSkinControl::CallDefault(TMessage& m) {
    if (subclass_) {
        m.Result = TWindowSubclass::CallNext(Window, m.Msg, m.WParam, m.LParam);
    } else if (next_) {
        (*next_)(m);
    }
}

bool TSkinControl::BeforeProc(TMessage& m) {
    switch (m.Msg) {
        case WM_NCDESTROY:
            CallDefault(m);
            SkinActive = false;
            State = sgWindowDestroyed;
            RestoreControl();
            return false;
        case SM_ISSKINNED:
            m.Result = 1;
            return false;
        default:
            return true;
    }
}

void TSkinControl::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case CM_ENABLEDCHANGED:
            Refresh();
            break;
        case WM_PAINT:
            PaintWindow(reinterpret_cast<HDC>(m.WParam));
            break;
        default:
            break;
    }
}

// ---- painting ----------------------------------------------------------------------------

void TSkinControl::PaintControl(HDC, const RECT&) {}

TOffscreen& TSkinControl::Offscreen(HDC like, int width, int height) {
    if (!offscreen_ || !offscreen_->HasSize(width, height))
        offscreen_ = std::make_unique<TOffscreen>(like, width, height);
    return *offscreen_;
}

void TSkinControl::PaintAtOrigin(HDC dc) {
    RECT r{};
    if (!GetWindowRect(Window, &r)) return;
    WindowRect = r;
    OffsetRect(&r, -r.left, -r.top);
    // A paint that fails leaves what was drawn so far; the window goes on working.
    try {
        PaintControl(dc, r);
    } catch (...) {
    }
}

void TSkinControl::PaintWindow(HDC dc) {
    if (dc) {
        PaintAtOrigin(dc);
        return;
    }
    TWindowDC windowDC(Window, true);
    if (windowDC) PaintAtOrigin(windowDC.get());
}

void TSkinControl::PaintBeginEnd(TMessage& m) {
    PaintForMessage(Window, m.WParam, [this](HDC dc) { PaintAtOrigin(dc); });
    m.Result = 0;
}

void TSkinControl::PaintWithoutErase(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    PaintBeginEnd(m);
}

void TSkinControl::EraseBackground(TMessage& m) {
    const auto dc = reinterpret_cast<HDC>(m.WParam);
    if (Control) {
        PaintParentBackground(*Control, dc);
    } else {
        RECT client{};
        GetClientRect(Window, &client);
        FillColour(dc, client, ControlBackground());
    }
    m.Result = 1;
}

COLORREF TSkinControl::SkinBackground() const { return ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonFace])); }

COLORREF TSkinControl::ControlBackground() const {
    const TWinControl* parent = Control ? Control->Parent() : nullptr;
    const TPropInfo* colour = parent ? GetPropInfo(*parent, "Color") : nullptr;
    if (colour && colour->Kind == TPropKind::Integer)
        return ColorToRGB(static_cast<TColor>(velloran::GetPropOrd(*parent, "Color")));
    return SkinBackground();
}

void TSkinControl::FillColour(HDC dc, const RECT& rect, COLORREF colour) {
    TBrushHandle brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.get());
}

void TSkinControl::FrameColour(HDC dc, const RECT& rect, COLORREF colour) {
    TBrushHandle brush(CreateSolidBrush(colour));
    FrameRect(dc, &rect, brush.get());
}

void TSkinControl::FillBackground(HDC dc, const RECT& rect, bool transparent) const {
    if (transparent && Control)
        PaintParentBackground(*Control, dc);
    else
        FillColour(dc, rect, SkinBackground());
}

void TSkinControl::DrawSkinFrame(HDC dc, const RECT& rect, int frameCount, int frame, TDataSkinObject& object) {
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    DrawSkinObject(dc, rect, *object.Bitmap, false, object.Tile == 1, object.Trans == 1, frameCount, frame,
                   object.Margins());
}

void TSkinControl::DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& bitmap) {
    TCanvas canvas(dc);
    DrawStripFrame(canvas, rect, frameCount, frame, bitmap);
}

void TSkinControl::DrawStripFrame(TCanvas& canvas, const RECT& rect, int frameCount, int frame, TBitmap& bitmap) {
    const auto image = StretchedFrame(rect, bitmap, frameCount, frame);
    if (image->Empty()) return;
    image->Transparent = true;
    image->TransparentColor = static_cast<TColor>(kSkinKeyColor);
    canvas.Draw(rect.left, rect.top, *image);
}

void TSkinControl::BlitStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& bitmap) {
    const auto image = StretchedFrame(rect, bitmap, frameCount, frame);
    if (!image->Empty()) TransparentBlit(dc, rect, *image, kSkinKeyColor);
}

UINT TSkinControl::TextFlags(UINT flags) const {
    const TPersistent* source = GraphicControl ? static_cast<const TPersistent*>(GraphicControl) : Control;
    const bool rightToLeft =
        source ? PropIs(source, "BiDiMode", "bdRightToLeft") || PropIs(source, "BiDiMode", "bdRightToLeftReadingOnly")
               : (GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    return rightToLeft ? flags | DT_RTLREADING : flags;
}

TSkinControl::TIconCaptionPlace TSkinControl::DrawIconAndCaption(HDC dc, HIMAGELIST images, int index,
                                                                 const std::wstring& text, const RECT& outer,
                                                                 TCaptionAlignment alignment) const {
    int iconWidth = 0, iconHeight = 0;
    const bool hasIcon = images && index >= 0 && ImageList_GetIconSize(images, &iconWidth, &iconHeight);
    const SIZE icon = hasIcon ? SIZE{iconWidth, iconHeight} : SIZE{};
    const int gap = hasIcon ? 2 : 0;
    RECT measured{0, 0, std::max<LONG>(outer.right - outer.left - icon.cx - gap, 0), outer.bottom - outer.top};
    if (!text.empty())
        SkinDrawText(dc, text, measured,
                     TextFlags(DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_END_ELLIPSIS));
    else
        measured = {};
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    const int total = icon.cx + gap + textWidth;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    int x = alignment == caCenter  ? outer.left + (width - total) / 2
            : alignment == caRight ? outer.right - 2 - total
                                   : outer.left + 3;
    x = std::max<int>(x, outer.left + 1);

    TIconCaptionPlace place{};
    place.Icon = {x, outer.top + (height - icon.cy) / 2, 0, 0};
    place.Icon.right = place.Icon.left + icon.cx;
    place.Icon.bottom = place.Icon.top + icon.cy;
    if (hasIcon) ImageList_Draw(images, index, dc, place.Icon.left, place.Icon.top, ILD_TRANSPARENT);
    place.Text.left = x + icon.cx + gap;
    place.Text.top = outer.top + (height - textHeight) / 2;
    place.Text.right = std::min<LONG>(place.Text.left + textWidth, outer.right);
    place.Text.bottom = place.Text.top + textHeight;
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT drawn = place.Text;
    SkinDrawText(dc, text, drawn, TextFlags(DT_EXPANDTABS | DT_WORDBREAK | DT_END_ELLIPSIS));
    SetBkMode(dc, mode);
    return place;
}

RECT TSkinControl::DrawMultiLineCaption(HDC dc, const std::wstring& text, const RECT& outer, UINT alignment,
                                        bool enabled) const {
    RECT measured = outer;
    SkinDrawText(dc, text, measured, TextFlags(DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | alignment));
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    RECT placed = outer;
    if (alignment == DT_CENTER) {
        placed.left = outer.left + (outer.right - outer.left - width) / 2;
        placed.right = placed.left + width;
    }
    placed.top = outer.top + (outer.bottom - outer.top - height) / 2 - 1;
    placed.bottom = placed.top + height;
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF colour = enabled ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    SkinDrawText(dc, text, placed, TextFlags(DT_EXPANDTABS | DT_WORDBREAK | alignment));
    SetTextColor(dc, colour);
    SetBkMode(dc, mode);
    return placed;
}

void TSkinControl::DrawFocusAround(HDC dc, const RECT& textRect, const RECT& outer) {
    RECT focus = textRect;
    InflateRect(&focus, 2, 1);
    IntersectRect(&focus, &focus, &outer);
    DrawFocusRect(dc, &focus);
}

// ---- reading the control -----------------------------------------------------------------

std::wstring TSkinControl::ReadWindowText() const {
    if (IsWindowsNT()) {
        const int length = GetWindowTextLengthW(Window) + 1;
        std::wstring text(static_cast<size_t>(length), L'\0');
        const int got = GetWindowTextW(Window, text.data(), length);
        text.resize(static_cast<size_t>(std::max(got, 0)));
        return text;
    }
    char buffer[1000] = {};
    SendMessageA(Window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return AnsiToWide(buffer);
}

std::wstring TSkinControl::ReadCaption() const { return Control ? GetPropText(Control, "Caption") : ReadWindowText(); }

HFONT TSkinControl::ControlFont() const {
    if (Control) return Control->Font()->Handle();
    return reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
}

// A font left in the system's text colour takes the skin's, as labels of a skinned form do: on a
// dark skin the system's black would be unreadable.
COLORREF TSkinControl::FontColour() const {
    const TColor skinText = static_cast<TColor>(SkinData->Colors[ciButtonText]);
    if (!Control) return ColorToRGB(skinText);
    const TColor own = Control->Font()->Color();
    return ColorToRGB(own == clWindowText || own == clBtnText ? skinText : own);
}

DWORD TSkinControl::WindowStyle() const { return static_cast<DWORD>(GetWindowLongPtrW(Window, GWL_STYLE)); }

// ---- properties by name ------------------------------------------------------------------

int64_t TSkinControl::GetPropOrd(const TPersistent* object, std::string_view name) {
    return object ? velloran::GetPropOrd(*object, name) : -1;
}

std::string TSkinControl::GetPropEnumText(const TPersistent* object, std::string_view name) {
    return object ? velloran::GetPropEnumText(*object, name) : std::string();
}

std::wstring TSkinControl::GetPropText(const TPersistent* object, std::string_view name) {
    return object ? AnsiToWide(velloran::GetPropText(*object, name)) : std::wstring();
}

TPersistent* TSkinControl::GetPropObject(const TPersistent* object, std::string_view name, const TClassInfo* cls) {
    return object ? velloran::GetPropObject(*object, name, cls) : nullptr;
}

void TSkinControl::SetPropText(TPersistent* object, std::string_view name, std::string_view text) {
    if (!object || !GetPropInfo(*object, name)) return;
    // A value the property refuses is dropped, as for a missing property.
    try {
        velloran::SetPropText(*object, name, text);
    } catch (const EPropertyError&) {
    }
}

bool TSkinControl::HasProp(const TPersistent* object, std::string_view name) {
    return object && GetPropInfo(*object, name);
}

bool TSkinControl::PropIs(const TPersistent* object, std::string_view name, std::string_view value) {
    return SameText(GetPropEnumText(object, name), value);
}

}  // namespace velloran
