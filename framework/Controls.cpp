#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "framework/Forms.h"

namespace velloran {

const TEnumInfo AnchorKindEnum{{"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumInfo BiDiModeEnum{{"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};

uint32_t KeyboardShiftState() {
    uint32_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    return s;
}

uint32_t MouseShiftState(WPARAM keys, bool doubleClick) {
    uint32_t s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (doubleClick) s |= ssDouble;
    return s;
}

std::optional<TMouseButton> PressedMouseButton(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            return mbLeft;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            return mbRight;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return mbMiddle;
        default:
            return std::nullopt;
    }
}

bool IsDoubleClick(UINT msg) { return msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK; }

// ---- TControl ----------------------------------------------------------------------------

const TClassInfo& TControl::StaticClassInfo() {
    using C = TControl;
    static const TClassInfo info = DefineClass<C>(
        "TControl", &TComponent::StaticClassInfo(),
        {props::Int("Left", &C::Left, &C::SetLeft), props::Int("Top", &C::Top, &C::SetTop),
         props::Int("Width", &C::Width, &C::SetWidth), props::Int("Height", &C::Height, &C::SetHeight),
         props::Set("Anchors", AnchorKindEnum, &C::Anchors, &C::SetAnchors),
         props::Bool("Visible", &C::Visible, &C::SetVisible), props::Bool("Enabled", &C::Enabled, &C::SetEnabled),
         props::Int("Color", &C::Color, &C::SetColor), props::SubObject("Font", &C::Font),
         props::Bool("ParentFont", &C::ParentFont, &C::SetParentFont),
         props::Bool("ParentColor", &C::ParentColor, &C::SetParentColor),
         props::String("Caption", &C::Caption, &C::SetCaption), props::String("Text", &C::Text, &C::SetText),
         props::String("Hint", &C::Hint, &C::SetHint),
         props::Enum("BiDiMode", BiDiModeEnum, &C::BiDiMode, &C::SetBiDiMode), props::Event("OnClick", &C::OnClick),
         props::Event("OnMouseDown", &C::OnMouseDown)});
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) {
        parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw std::invalid_argument("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* wc = dynamic_cast<TWinControl*>(parent)) SetParent(wc);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetBounds(int left, int top, int width, int height) {
    bool changed = left != left_ || top != top_ || width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!anchoring_) RememberAnchorBase();
    if (changed) {
        BoundsChanged();
        if (parent_) parent_->Invalidate();
    }
}

void TControl::SetAnchors(uint32_t anchors) {
    anchors_ = anchors;
    RememberAnchorBase();
}

void TControl::RememberAnchorBase() {
    anchorBase_.Valid = parent_ != nullptr;
    if (!parent_) return;
    anchorBase_.Bounds = BoundsRect();
    anchorBase_.ParentWidth = parent_->ClientWidth();
    anchorBase_.ParentHeight = parent_->ClientHeight();
}

void TControl::ApplyAnchors(int parentWidth, int parentHeight) {
    if (!anchorBase_.Valid) return;
    const RECT& b = anchorBase_.Bounds;
    int dw = parentWidth - anchorBase_.ParentWidth;
    int dh = parentHeight - anchorBase_.ParentHeight;
    int left = b.left, top = b.top, width = b.right - b.left, height = b.bottom - b.top;
    if (anchors_ & AnchorBit(akRight)) {
        if (anchors_ & AnchorBit(akLeft)) width += dw; else left += dw;
    } else if (!(anchors_ & AnchorBit(akLeft))) {
        left += dw / 2;
    }
    if (anchors_ & AnchorBit(akBottom)) {
        if (anchors_ & AnchorBit(akTop)) height += dh; else top += dh;
    } else if (!(anchors_ & AnchorBit(akTop))) {
        top += dh / 2;
    }
    anchoring_ = true;
    SetBounds(left, top, std::max(width, 0), std::max(height, 0));
    anchoring_ = false;
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
    if (parent_) parent_->Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color_ == color) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::ColorChanged() {
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value && parent_) {
        auto handler = std::move(font_->OnChange);
        font_->Assign(*parent_->Font());
        font_->OnChange = std::move(handler);
        FontChanged();
    }
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED);
    Invalidate();
}

void TControl::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::Invalidate() {}
void TControl::Repaint() { Invalidate(); }

void TControl::WndProc(TMessage& message) {
    if (DispatchMouseDown(message)) return;
    if (message.Msg == WM_LBUTTONUP && enabled_) {
        // Released elsewhere after a press here is no click.
        POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
        RECT client = ClientRect();
        if (PtInRect(&client, p)) Click();
        return;
    }
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, uint32_t shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

bool TControl::DispatchMouseDown(const TMessage& m) {
    const std::optional<TMouseButton> button = PressedMouseButton(m.Msg);
    if (!button) return false;
    MouseDown(*button, MouseShiftState(m.WParam, IsDoubleClick(m.Msg)), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    return true;
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (mode == biDiMode_) return;
    biDiMode_ = mode;
    BiDiModeChanged();
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

// ---- TGraphicControl ---------------------------------------------------------------------

const TClassInfo& TGraphicControl::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGraphicControl>("TGraphicControl", &TControl::StaticClassInfo());
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TGraphicControl::PaintTo(HDC dc) { Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc)); }

void TGraphicControl::WndProc(TMessage& message) {
    if (message.Msg != WM_PAINT || !message.WParam) {
        TControl::WndProc(message);
        return;
    }
    struct TCanvasDC {
        TCanvas& Canvas;
        ~TCanvasDC() { Canvas.SetHandle(nullptr); }
    } paintDC{canvas_};
    canvas_.SetHandle(reinterpret_cast<HDC>(message.WParam));
    canvas_.Font()->Assign(*Font());
    Paint(canvas_);
}

void TGraphicControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(parent_->Handle(), &r, FALSE);
    }
}

// ---- window classes and the window procedure ---------------------------------------------

namespace {
thread_local TWinControl* t_creating = nullptr;

// One registration per class name, system class and (for classes of our own) class style: a
// control must never run the default procedure of another base that asked for the same name.
struct TWindowClassKey {
    std::string Name, SysClass;
    UINT Style;
    auto operator<=>(const TWindowClassKey&) const = default;
};

struct TWindowClass {
    std::string Name;  // as registered
    WNDPROC DefProc;
};

std::map<TWindowClassKey, TWindowClass>& WindowClasses() {
    static std::map<TWindowClassKey, TWindowClass> classes;
    return classes;
}

// Registers (once) the window class a control asks for and puts its registered name in the
// parameters; system classes are superclassed so that their own procedure stays the default
// handler. The first base to ask for a name gets it as it is (the skin's selection of bare
// windows matches on these names); a name already taken gets a number added.
WNDPROC EnsureWindowClass(TCreateParams& p) {
    const TWindowClassKey key{p.WinClassName, p.SysClassName, p.SysClassName.empty() ? p.ClassStyle : 0u};
    auto& classes = WindowClasses();
    if (auto known = classes.find(key); known != classes.end()) {
        p.WinClassName = known->second.Name;
        return known->second.DefProc;
    }
    WNDCLASSA wc{};
    WNDPROC defProc = DefWindowProcA;
    if (!p.SysClassName.empty()) {
        if (!GetClassInfoA(nullptr, p.SysClassName.c_str(), &wc))
            throw std::runtime_error("Window class " + p.SysClassName + " not found");
        defProc = wc.lpfnWndProc;
    } else {
        wc.style = p.ClassStyle;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    wc.lpfnWndProc = FrameworkWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = nullptr;
    constexpr int kMostNamesakes = 100;
    for (int namesake = 1; namesake <= kMostNamesakes; ++namesake) {
        const std::string name = namesake == 1 ? key.Name : key.Name + ":" + std::to_string(namesake);
        wc.lpszClassName = name.c_str();
        if (RegisterClassA(&wc)) {
            classes.emplace(key, TWindowClass{name, defProc});
            p.WinClassName = name;
            return defProc;
        }
        if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("Cannot register window class " + key.Name);
}
}  // namespace

ATOM TWinControl::ControlAtom() {
    static const ATOM atom = [] {
        char name[64];
        std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX",
                      static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr))),
                      static_cast<unsigned long>(GetCurrentThreadId()));
        RegisterWindowMessageA(name);
        return GlobalAddAtomA(name);
    }();
    return atom;
}

TWinControl* TWinControl::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    return static_cast<TWinControl*>(GetPropA(wnd, MAKEINTATOM(ControlAtom())));
}

LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = TWinControl::FromHandle(wnd);
    if (!control) {
        control = t_creating;
        if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
        t_creating = nullptr;
        control->handle_ = wnd;
        SetPropA(wnd, MAKEINTATOM(TWinControl::ControlAtom()), control);
    }
    TMessage m{msg, wParam, lParam, 0};
    try {
        control->WindowProc(m);
    } catch (...) {
        HandleCallbackException();
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(wnd, MAKEINTATOM(TWinControl::ControlAtom()));
        if (control->handle_ == wnd) control->handle_ = nullptr;
    }
    return m.Result;
}

TWinControl* FindChildControl(TWinControl* parent, int id) {
    if (!parent || !parent->HandleAllocated()) return nullptr;
    return TWinControl::FromHandle(GetDlgItem(parent->Handle(), id));
}

// ---- TWinControl -------------------------------------------------------------------------

const TClassInfo& TWinControl::StaticClassInfo() {
    using C = TWinControl;
    static const TClassInfo info = DefineClass<C>(
        "TWinControl", &TControl::StaticClassInfo(),
        {props::Int("TabOrder", &C::TabOrder, &C::SetTabOrder), props::Bool("TabStop", &C::TabStop, &C::SetTabStop),
         props::Bool("ParentBackground", &C::ParentBackground, &C::SetParentBackground),
         props::Event("OnKeyPress", &C::OnKeyPress), props::Event("OnKeyDown", &C::OnKeyDown),
         props::Event("OnKeyUp", &C::OnKeyUp), props::Event("OnEnter", &C::OnEnter),
         props::Event("OnExit", &C::OnExit)});
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Leave the parent while still a TWinControl: from ~TControl it could not tell this is one
    // and would keep it in its tab order.
    SetParent(nullptr);
    DestroyHandle();
    // Children stay owned by their owner; they only lose their parent.
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* wc = dynamic_cast<TWinControl*>(control)) tabOrder_.push_back(wc);
    if (control->parentFont_) control->SetParentFont(true);
    if (control->parentColor_) control->SetParentColor(true);
    control->RememberAnchorBase();
    if (auto* wc = dynamic_cast<TWinControl*>(control); wc && HandleAllocated()) wc->HandleNeeded();
    Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (auto* wc = dynamic_cast<TWinControl*>(control)) {
        wc->DestroyHandle();
        tabOrder_.erase(std::remove(tabOrder_.begin(), tabOrder_.end(), wc), tabOrder_.end());
    }
    if (hoverControl_ == control) hoverControl_ = nullptr;
    if (mouseControl_ == control) mouseControl_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    Invalidate();
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabOrder_; }

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabOrder_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabOrder_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    order = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + order, this);
}

void TWinControl::SetParentBackground(bool value) {
    if (parentBackground_ == value) return;
    parentBackground_ = value;
    Invalidate();
}

HWND TWinControl::Handle() {
    if (!handle_) CreateWnd();
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.Caption = text_;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) p.Style |= WS_VISIBLE;
    if (!enabled_) p.Style |= WS_DISABLED;
    if (tabStop_) p.Style |= WS_TABSTOP;
    p.ExStyle |= BiDiExStyle();
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    if (p.Style & WS_CHILD) {
        if (!parent_) throw std::runtime_error("Control '" + Name() + "' has no parent window");
        p.WndParent = parent_->Handle();
        // Making the parent's window made its children's windows, this one's among them.
        if (handle_) return;
    }
    defWndProc_ = EnsureWindowClass(p);
    sysClass_ = p.SysClassName;
    HWND wnd = nullptr;
    t_creating = this;
    try {
        wnd = CreateWindowHandle(p);
    } catch (...) {
        t_creating = nullptr;
        throw;
    }
    t_creating = nullptr;
    if (!wnd) throw std::runtime_error("Error creating window " + p.WinClassName);
    handle_ = wnd;
    InitializeWnd();
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->HandleNeeded();
    // Children join in creation order; put the windows in tab order for the platform too.
    HWND after = HWND_TOP;
    for (TWinControl* wc : tabOrder_) {
        if (!wc->HandleAllocated()) continue;
        SetWindowPos(wc->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = wc->handle_;
    }
}

UINT TWinControl::FreeChildId() {
    // Owner-draw and command reflection find a child by its identifier, which WM_COMMAND carries
    // in 16 bits. The range starts above the dialog manager's IDOK..IDCONTINUE and ends below
    // the SC_ values, which a skinned frame reads in a WM_COMMAND as a system command.
    constexpr UINT kFirst = 0x100, kLast = 0xEFFF;
    for (UINT tried = 0; tried <= kLast - kFirst; ++tried) {
        lastChildId_ = lastChildId_ >= kFirst && lastChildId_ < kLast ? lastChildId_ + 1 : kFirst;
        // Windows made outside the framework can hold any identifier.
        if (!GetDlgItem(handle_, static_cast<int>(lastChildId_))) return lastChildId_;
    }
    throw std::runtime_error("Control '" + Name() + "' has no identifier left for another child window");
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& p) {
    TWinControl* const parent = (p.Style & WS_CHILD) ? FromHandle(p.WndParent) : nullptr;
    const UINT_PTR id = parent ? parent->FreeChildId() : 0;
    return CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                           p.WndParent, reinterpret_cast<HMENU>(id), GetModuleHandleA(nullptr), nullptr);
}

void TWinControl::InitializeWnd() {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::DestroyWnd() {
    if (handle_) DestroyWindow(handle_);
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    // The window holds what the user typed; the next window starts from it.
    text_ = GetText();
    for (TControl* c : controls_)
        if (auto* wc = dynamic_cast<TWinControl*>(c)) wc->DestroyHandle();
    DestroyWnd();
    handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (!handle_) return;
    Perform(CM_RECREATEWND);
    DestroyHandle();
    HandleNeeded();
    // Forms leave WS_VISIBLE out of their creation style: one that was on screen goes back.
    if (visible_ && !(GetWindowLongPtrA(handle_, GWL_STYLE) & WS_VISIBLE)) ShowWindow(handle_, SW_SHOW);
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_ || !c->enabled_) return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
    if (TForm* form = ParentForm(); form && form != this)
        form->FocusControl(this);
    else if (CanFocus())
        ::SetFocus(Handle());
}

int TWinControl::ClientWidth() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.right;
    }
    return width_;
}

int TWinControl::ClientHeight() const {
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r.bottom;
    }
    return height_;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (handle_ && (left != left_ || top != top_ || width != width_ || height != height_)) {
        // The window reports the change back through WM_WINDOWPOSCHANGED.
        bool anchoring = anchoring_;
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        anchoring_ = anchoring;
        // Keep what the window took, which can differ from what was asked (a form held within
        // its constraints). A minimised window reports nothing: keep the request then.
        if (!IsIconic(handle_)) {
            UpdateBoundsFromWindow();
            return;
        }
    }
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::UpdateBoundsFromWindow() {
    if (!handle_ || IsIconic(handle_)) return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtrA(handle_, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    }
    bool sized = (r.right - r.left) != width_ || (r.bottom - r.top) != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (!anchoring_) RememberAnchorBase();
    if (sized) BoundsChanged();
    // The client area can change inside a window of the same size (a menu bar, another frame);
    // anchors follow the client area. Aligning again at the same size moves nothing.
    AlignControls();
}

void TWinControl::AlignControls() {
    int w = ClientWidth(), h = ClientHeight();
    for (TControl* c : controls_) c->ApplyAnchors(w, h);
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (handle_) EnableWindow(handle_, enabled);
}

std::string TWinControl::GetText() const {
    if (!handle_) return text_;
    int len = GetWindowTextLengthA(handle_);
    std::string s(static_cast<size_t>(len) + 1, '\0');
    int got = GetWindowTextA(handle_, s.data(), len + 1);
    s.resize(static_cast<size_t>(std::max(got, 0)));
    return s;
}

void TWinControl::SetText(const std::string& text) {
    if (handle_) {
        if (GetText() == text) return;
        text_ = text;
        SetWindowTextA(handle_, text.c_str());
        Perform(CM_TEXTCHANGED);
        return;
    }
    TControl::SetText(text);
}

void TWinControl::Invalidate() {
    if (handle_) InvalidateRect(handle_, nullptr, !OwnPaint());
}

void TWinControl::Repaint() {
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void TWinControl::ColorChanged() {
    TControl::ColorChanged();
    for (TControl* c : controls_)
        if (c->parentColor_) c->SetParentColor(true);
}

void TWinControl::FontChanged() {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* c : controls_)
        if (c->parentFont_) c->SetParentFont(true);
    TControl::FontChanged();
}

DWORD TWinControl::BiDiExStyle() const {
    DWORD exStyle = 0;
    if (UseRightToLeftReading()) exStyle |= WS_EX_RTLREADING;
    if (biDiMode_ == bdRightToLeft) exStyle |= WS_EX_RIGHT;
    if (biDiMode_ == bdRightToLeft || biDiMode_ == bdRightToLeftNoAlign) exStyle |= WS_EX_LEFTSCROLLBAR;
    return exStyle;
}

// The window keeps its handle (its hooks and subclasses stay): only its extended styles change.
void TWinControl::BiDiModeChanged() {
    if (!handle_) return;
    constexpr DWORD kBiDiStyles = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, static_cast<LONG_PTR>((exStyle & ~kBiDiStyles) | BiDiExStyle()));
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Invalidate();
}

HBRUSH TWinControl::ColorBrush() {
    TColor rgb = ColorToRGB(Color());
    if (!colorBrush_ || colorBrushColor_ != rgb) {
        colorBrush_.reset(CreateSolidBrush(static_cast<COLORREF>(rgb)));
        colorBrushColor_ = rgb;
    }
    return colorBrush_.get();
}

void TWinControl::PaintBackground(HDC dc) {
    if (!parentBackground_ || !parent_ || !parent_->HandleAllocated()) {
        RECT r = ClientRect();
        FillRect(dc, &r, ColorBrush());
        return;
    }
    // The client area's place in the parent's client area.
    POINT at{left_, top_};
    if (handle_) {
        at = {0, 0};
        MapWindowPoints(handle_, parent_->handle_, &at, 1);
    }
    TSavedDC saved(dc);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x - at.x, origin.y - at.y, nullptr);
    IntersectClipRect(dc, at.x, at.y, at.x + ClientWidth(), at.y + ClientHeight());
    parent_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    parent_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
}

void TWinControl::PaintWindow(HDC dc) {
    RECT r = ClientRect();
    FillRect(dc, &r, ColorBrush());
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* c : controls_) {
        auto* g = dynamic_cast<TGraphicControl*>(c);
        if (!g || !g->Visible()) continue;
        TSavedDC saved(dc);
        RECT b = g->BoundsRect();
        IntersectClipRect(dc, b.left, b.top, b.right, b.bottom);
        POINT old;
        OffsetViewportOrgEx(dc, b.left, b.top, &old);
        g->PaintTo(dc);
    }
}

TGraphicControl* TWinControl::GraphicControlAt(POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        auto* g = dynamic_cast<TGraphicControl*>(*it);
        if (!g || !g->Visible()) continue;
        RECT b = g->BoundsRect();
        if (PtInRect(&b, p)) return g;
    }
    return nullptr;
}

// Composes the client area off screen and copies it in one blit, so nothing flickers.
void TWinControl::PaintHandler() {
    TPaintScope paint(handle_);
    RECT client;
    GetClientRect(handle_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    TMemoryDC mem(CreateCompatibleDC(paint.dc()));
    TBitmapHandle bmp(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
    if (!mem || !bmp) return;
    TSelectObject selectBmp(mem.get(), bmp.get());
    PaintWindow(mem.get());
    PaintControls(mem.get());
    const RECT& r = paint.rect();
    BitBlt(paint.dc(), r.left, r.top, r.right - r.left, r.bottom - r.top, mem.get(), r.left, r.top, SRCCOPY);
}

// A DC that comes with the message (a skinner composing a parent's background, for one) is
// painted as it is: no validation, and the caller's clip and origin stand.
void TWinControl::PaintInto(HDC dc) {
    TSavedDC saved(dc);
    PaintWindow(dc);
    PaintControls(dc);
}

void TWinControl::TrackMouse(TMessage& m) {
    if (!trackingMouse_) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
        if (TrackMouseEvent(&tme)) {
            trackingMouse_ = true;
            Perform(CM_MOUSEENTER);
        }
    }
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TGraphicControl* over = GraphicControlAt(p);
    if (over != hoverControl_) {
        if (hoverControl_) hoverControl_->Perform(CM_MOUSELEAVE);
        hoverControl_ = over;
        if (over) over->Perform(CM_MOUSEENTER);
    }
}

// A press on a window-less child captures the mouse for it, so that the moves and the release
// reach it wherever the mouse goes.
bool TWinControl::ForwardMouse(TMessage& m) {
    POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    TGraphicControl* target = mouseControl_;
    if (!target && m.Msg != WM_MOUSEMOVE) target = GraphicControlAt(p);
    if (!target) return false;
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        mouseControl_ = target;
        SetCapture(handle_);
    } else if (m.Msg == WM_LBUTTONUP) {
        mouseControl_ = nullptr;
        if (GetCapture() == handle_) ReleaseCapture();
    }
    target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
    return true;
}

bool TWinControl::ReflectToChild(TMessage& m) {
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    case WM_NOTIFY:
        // Nothing below 64 KB is mapped, so such an lParam is no notification; the skin engine
        // relies on it, sending a small key with its message of the reflected number.
        if (static_cast<ULONG_PTR>(m.LParam) < 0x10000) return false;
        child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM:
        if (m.WParam) child = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem;
        break;
    case WM_MEASUREITEM:
        if (m.WParam) child = GetDlgItem(handle_, static_cast<int>(m.WParam));
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        child = reinterpret_cast<HWND>(m.LParam);
        break;
    default:
        return false;
    }
    TWinControl* target = FromHandle(child);
    if (!target || target == this) return false;
    m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::DoKeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        if (OwnPaint()) {
            if (m.WParam)
                PaintInto(reinterpret_cast<HDC>(m.WParam));
            else
                PaintHandler();
            return;
        }
        break;
    case WM_PRINTCLIENT:
        if (OwnPaint()) {
            if (m.WParam) PaintInto(reinterpret_cast<HDC>(m.WParam));
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (OwnPaint()) {
            m.Result = 1;
            return;
        }
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        if (ReflectToChild(m)) return;
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
        SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(Color())));
        m.Result = reinterpret_cast<LRESULT>(ColorBrush());
        return;
    }
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(m);
        UpdateBoundsFromWindow();
        return;
    case WM_SETFOCUS:
        DefaultHandler(m);
        if (TForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
        if (OnEnter) OnEnter(this);
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        Perform(CM_EXIT);
        if (OnExit) OnExit(this);
        return;
    case WM_CHAR: {
        char key = static_cast<char>(m.WParam);
        DoKeyPress(key);
        if (key == 0) return;
        m.WParam = static_cast<unsigned char>(key);
        break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const TKeyEvent& ev = (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) ? OnKeyDown : OnKeyUp;
        if (ev) {
            WORD key = static_cast<WORD>(m.WParam);
            ev(this, key, KeyboardShiftState());
            if (key == 0) return;
            m.WParam = key;
        }
        break;
    }
    case WM_MOUSEMOVE:
        TrackMouse(m);
        if (OwnPaint()) ForwardMouse(m);
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != handle_) mouseControl_ = nullptr;
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        if (hoverControl_) hoverControl_->Perform(CM_MOUSELEAVE);
        hoverControl_ = nullptr;
        Perform(CM_MOUSELEAVE);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (OwnPaint() && ForwardMouse(m)) return;
        DispatchMouseDown(m);
        break;
    case WM_LBUTTONUP:
        if (OwnPaint() && ForwardMouse(m)) return;
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        DispatchMouseDown(m);
        break;
    default:
        break;
    }
    DefaultHandler(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    if (!handle_) return;
    m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

}  // namespace velloran
