#include "framework/Forms.h"

#include <algorithm>
#include <stdexcept>

#include "framework/Buttons.h"
#include "framework/CoolBars.h"
#include "framework/FormReader.h"
#include "framework/ExtCtrls.h"
#include "framework/Grids.h"
#include "framework/MediaPlayers.h"
#include "framework/ImgList.h"
#include "framework/MenuMetrics.h"
#include "framework/Menus.h"
#include "framework/ListViews.h"
#include "framework/ScrollCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBars.h"
#include "framework/XPMan.h"

namespace velloran {

TApplication* Application = nullptr;
namespace {
TScreen g_screen;
}
TScreen* Screen = &g_screen;

const TEnumInfo BorderStyleEnum{{"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo BorderIconEnum{{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo PositionEnum{
    {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter"}};
const TEnumInfo WindowStateEnum{{"wsNormal", "wsMinimized", "wsMaximized"}};
const TEnumInfo FormStyleEnum{{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};

void HandleCallbackException() noexcept {
    try {
        if (Application) {
            Application->HandleException(std::current_exception());
            return;
        }
        try {
            throw;
        } catch (const std::exception& e) {
            MessageBoxA(nullptr, e.what(), "Error", MB_OK | MB_ICONSTOP);
        }
    } catch (...) {
        // Nothing more can be reported from here.
    }
}

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = Application ? Application->Handle() : nullptr;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

// ---- TSizeConstraints --------------------------------------------------------------------

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    using C = TSizeConstraints;
    static const TClassInfo info = DefineClass<C>(
        "TSizeConstraints", &TPersistent::StaticClassInfo(),
        {props::Int("MaxHeight", &C::MaxHeight, &C::SetMaxHeight), props::Int("MaxWidth", &C::MaxWidth, &C::SetMaxWidth),
         props::Int("MinHeight", &C::MinHeight, &C::SetMinHeight),
         props::Int("MinWidth", &C::MinWidth, &C::SetMinWidth)});
    return info;
}

void TSizeConstraints::Apply(MINMAXINFO& info) const {
    if (minWidth_ > 0) info.ptMinTrackSize.x = minWidth_;
    if (minHeight_ > 0) info.ptMinTrackSize.y = minHeight_;
    if (maxWidth_ > 0) info.ptMaxTrackSize.x = maxWidth_;
    if (maxHeight_ > 0) info.ptMaxTrackSize.y = maxHeight_;
}

// ---- TForm -------------------------------------------------------------------------------

const TClassInfo& TForm::StaticClassInfo() {
    using C = TForm;
    static const TClassInfo info = DefineClass<C>(
        "TForm", &TWinControl::StaticClassInfo(),
        {props::Enum("BorderStyle", BorderStyleEnum, &C::BorderStyle, &C::SetBorderStyle),
         props::Set("BorderIcons", BorderIconEnum, &C::BorderIcons, &C::SetBorderIcons),
         props::Enum("Position", PositionEnum, &C::Position, &C::SetPosition),
         props::Enum("FormStyle", FormStyleEnum, &C::FormStyle, &C::SetFormStyle),
         props::Enum("WindowState", WindowStateEnum, &C::WindowState, &C::SetWindowState),
         props::Bool("AutoScroll", &C::AutoScroll, &C::SetAutoScroll),
         props::SubObject("Constraints", &C::Constraints), props::Reference("Menu", &C::Menu, &C::SetMenu),
         props::Reference("WindowMenu", &C::WindowMenu, &C::SetWindowMenu),
         props::Int("ClientWidth", &C::ClientWidth, &C::SetClientWidth),
         props::Int("ClientHeight", &C::ClientHeight, &C::SetClientHeight),
         props::Reference("ActiveControl", &C::ActiveControl, &C::SetActiveControl),
         props::Event("OnCreate", &C::OnCreate), props::Event("OnShow", &C::OnShow),
         props::Event("OnHide", &C::OnHide), props::Event("OnDestroy", &C::OnDestroy),
         props::Event("OnActivate", &C::OnActivate), props::Event("OnDeactivate", &C::OnDeactivate),
         props::Event("OnClose", &C::OnClose), props::Event("OnCloseQuery", &C::OnCloseQuery)});
    return info;
}

TForm::TForm(TComponent* owner) : TWinControl(owner), constraints_(std::make_unique<TSizeConstraints>()) {
    visible_ = false;
    Screen->forms_.push_back(this);
}

TForm::~TForm() {
    DestroyHandle();
    auto& forms = Screen->forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
}

void TForm::BeforeDestruction() {
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleCallbackException();
        }
    }
    DestroyHandle();
}

void TForm::Loaded() {
    TWinControl::Loaded();
    if (formStyle_ == fsMDIChild) Show();
}

void TForm::LoadFormData() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, ClassName().c_str(), RT_RCDATA);
    if (!res) throw std::runtime_error("Resource " + ClassName() + " not found");
    HGLOBAL data = LoadResource(module, res);
    const char* text = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!text) throw std::runtime_error("Resource " + ClassName() + " not found");
    ReadRootComponentFromText(*this, std::string_view(text, SizeofResource(module, res)));
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            HandleCallbackException();
        }
    }
}

void TForm::SetBorderStyle(TBorderStyle style) {
    if (borderStyle_ == style) return;
    borderStyle_ = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(uint32_t icons) {
    if (borderIcons_ == icons) return;
    borderIcons_ = icons;
    RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
    if (formStyle_ == style) return;
    formStyle_ = style;
    RecreateWnd();
}

TWindowState TForm::WindowState() const {
    if (handle_ && IsWindowVisible(handle_)) {
        if (IsIconic(handle_)) return wsMinimized;
        if (IsZoomed(handle_)) return wsMaximized;
        return wsNormal;
    }
    return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
    windowState_ = state;
    if (!handle_ || !visible_) return;
    if (IsMDIChildWindow())
        ShowMDIChildState();
    else
        ShowWindow(handle_, state == wsMaximized ? SW_MAXIMIZE : state == wsMinimized ? SW_MINIMIZE : SW_RESTORE);
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = menu;
    if (menu_) menu_->FreeNotification(this);
    if (!handle_) return;
    ::SetMenu(handle_, menu_ ? menu_->Handle() : nullptr);
    UpdateMDIMenu();
}

void TForm::SetWindowMenu(TMenuItem* item) {
    if (windowMenu_) windowMenu_->RemoveFreeNotification(this);
    windowMenu_ = item;
    if (windowMenu_) windowMenu_->FreeNotification(this);
    UpdateMDIMenu();
}

// ---- MDI ---------------------------------------------------------------------------------

namespace {
// Identifier of the first child in the window menu; the client numbers the others upwards.
constexpr UINT kFirstMDIChildId = 0xFF00;
constexpr char kNoMDIForm[] = "Cannot create form. No MDI forms are currently active";
}  // namespace

bool TForm::IsMDIChildWindow() const {
    return handle_ && (GetWindowLongPtrA(handle_, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0;
}

HMENU TForm::WindowMenuHandle() {
    if (!menu_ || !windowMenu_ || windowMenu_->GetParentMenu() != menu_) return nullptr;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu_->Handle(), windowMenu_->Command(), FALSE, &mii)) return nullptr;
    return mii.hSubMenu;
}

void TForm::CreateMDIClient() {
    CLIENTCREATESTRUCT ccs{WindowMenuHandle(), kFirstMDIChildId};
    RECT client;
    GetClientRect(handle_, &client);
    clientHandle_.reset(CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                        WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                        client.right, client.bottom, handle_, nullptr, GetModuleHandleA(nullptr), &ccs));
    if (!clientHandle_) throw std::runtime_error("Cannot create the MDI client window");
}

void TForm::UpdateMDIMenu() {
    if (!clientHandle_ || !menu_) return;
    SendMessageA(clientHandle_.get(), WM_MDISETMENU, reinterpret_cast<WPARAM>(menu_->Handle()),
                 reinterpret_cast<LPARAM>(WindowMenuHandle()));
    DrawMenuBar(handle_);
}

std::vector<TForm*> TForm::MDIChildList() const {
    std::vector<TForm*> children;
    if (!clientHandle_) return children;
    for (HWND w = GetWindow(clientHandle_.get(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (auto* form = dynamic_cast<TForm*>(FromHandle(w)); form && form->formStyle_ == fsMDIChild)
            children.push_back(form);
    return children;
}

int TForm::MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }

TForm* TForm::MDIChildren(int index) const { return MDIChildList().at(static_cast<size_t>(index)); }

TForm* TForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(SendMessageA(clientHandle_.get(), WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TForm*>(FromHandle(active));
}

void TForm::Cascade() {
    if (clientHandle_) SendMessageA(clientHandle_.get(), WM_MDICASCADE, 0, 0);
}

void TForm::Tile() {
    if (clientHandle_) SendMessageA(clientHandle_.get(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
}

void TForm::ArrangeIcons() {
    if (clientHandle_) SendMessageA(clientHandle_.get(), WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next() {
    if (clientHandle_) SendMessageA(clientHandle_.get(), WM_MDINEXT, 0, 0);
}

void TForm::Previous() {
    if (clientHandle_) SendMessageA(clientHandle_.get(), WM_MDINEXT, 0, 1);
}

void TForm::ShowMDIChildState() {
    HWND client = GetParent(handle_);
    switch (windowState_) {
    case wsMaximized: SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(handle_), 0); break;
    case wsMinimized: ShowWindow(handle_, SW_MINIMIZE); break;
    case wsNormal: SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(handle_), 0); break;
    }
}

void TForm::MDIActivated(bool active) {
    if (!active) {
        if (OnDeactivate) OnDeactivate(this);
        return;
    }
    if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
    if (OnActivate) OnActivate(this);
}

TForm* TForm::MDIFrame() const { return Application ? Application->MainForm() : nullptr; }

HWND TForm::CreateWindowHandle(const TCreateParams& p) {
    if (formStyle_ != fsMDIChild) return TWinControl::CreateWindowHandle(p);
    TForm* frame = MDIFrame();
    if (!frame || frame->formStyle_ != fsMDIForm || !frame->clientHandle_) throw std::runtime_error(kNoMDIForm);
    defWndProc_ = DefMDIChildProcA;
    MDICREATESTRUCTA mcs{p.WinClassName.c_str(), p.Caption.c_str(), GetModuleHandleA(nullptr), p.X, p.Y, p.Width,
                         p.Height, p.Style, 0};
    return reinterpret_cast<HWND>(
        SendMessageA(frame->clientHandle_.get(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

// Children go first, through their client, so that a maximised child gives the frame's menu
// back before the frame's window goes.
void TForm::DestroyWnd() {
    if (IsMDIChildWindow()) {
        SendMessageA(GetParent(handle_), WM_MDIDESTROY, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    if (clientHandle_) {
        for (TForm* child : MDIChildList()) child->DestroyHandle();
        clientHandle_.reset();
    }
    TWinControl::DestroyWnd();
}

void TForm::DefaultHandler(TMessage& m) {
    if (handle_ && clientHandle_) {
        m.Result = DefFrameProcA(handle_, clientHandle_.get(), m.Msg, m.WParam, m.LParam);
        return;
    }
    TWinControl::DefaultHandler(m);
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::Remove) return;
    if (component == menu_) {
        menu_ = nullptr;
        if (handle_) ::SetMenu(handle_, nullptr);
    }
    if (component == windowMenu_) windowMenu_ = nullptr;
    if (component == activeControl_) activeControl_ = nullptr;
}

namespace {
RECT FrameFor(const TCreateParams& p, bool hasMenu) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, p.Style, hasMenu, p.ExStyle);
    return r;
}
}  // namespace

// Before the window exists and with only the outer size given, the client area is what the
// frame will leave of it; anchored children take their margins from it.
// What the frame of the window this form would create takes from its outer size.
RECT TForm::PredictedFrame() const {
    TCreateParams p;
    const_cast<TForm*>(this)->CreateParams(p);
    return FrameFor(p, menu_ != nullptr);
}

int TForm::ClientWidth() const {
    if (handle_) return TWinControl::ClientWidth();
    if (clientWidth_) return clientWidth_;
    const RECT frame = PredictedFrame();
    return std::max(width_ - static_cast<int>(frame.right - frame.left), 0);
}

int TForm::ClientHeight() const {
    if (handle_) return TWinControl::ClientHeight();
    if (clientHeight_) return clientHeight_;
    const RECT frame = PredictedFrame();
    return std::max(height_ - static_cast<int>(frame.bottom - frame.top), 0);
}

void TForm::SetClientWidth(int w) {
    const RECT frame = PredictedFrame();
    if (handle_) {
        SetWidth(Width() - TWinControl::ClientWidth() + w);
        return;
    }
    clientWidth_ = w;
    width_ = w + (frame.right - frame.left);
}

void TForm::SetClientHeight(int h) {
    const RECT frame = PredictedFrame();
    if (handle_) {
        SetHeight(Height() - TWinControl::ClientHeight() + h);
        return;
    }
    clientHeight_ = h;
    height_ = h + (frame.bottom - frame.top);
}

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.ExStyle = BiDiExStyle();
    bool caption = true;
    switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; caption = false; break;
    case bsSingle: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        p.Style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow: p.Style |= WS_CAPTION; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; p.ExStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (caption && (borderIcons_ & (1u << biSystemMenu))) {
        p.Style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_ & (1u << biMinimize)) p.Style |= WS_MINIMIZEBOX;
            if (borderIcons_ & (1u << biMaximize)) p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (parent_) {
        // Embedded in a control: a plain child window at its bounds, without frame or caption.
        p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
        p.ExStyle = BiDiExStyle();
        return;
    }
    if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
    p.WndParent = Application ? Application->Handle() : nullptr;
    if (formStyle_ == fsMDIChild) {
        // The MDI client makes the window a child of its own; it takes no owner.
        p.Style &= ~WS_POPUP;
        p.ExStyle |= WS_EX_MDICHILD;
        p.WndParent = nullptr;
    }
    if (clientWidth_ || clientHeight_) {
        RECT frame = FrameFor(p, menu_ != nullptr);
        if (clientWidth_) p.Width = clientWidth_ + frame.right - frame.left;
        if (clientHeight_) p.Height = clientHeight_ + frame.bottom - frame.top;
    }
}

void TForm::InitializeWnd() {
    TWinControl::InitializeWnd();
    const bool mdiChild = IsMDIChildWindow();
    if (menu_ && !mdiChild) ::SetMenu(handle_, menu_->Handle());
    ApplyDesignClientSize();
    if (!mdiChild && !parent_ && (position_ == poScreenCenter || position_ == poDesktopCenter)) CenterOnScreen();
    if (formStyle_ == fsMDIForm) CreateMDIClient();
}

// The frame the platform draws may differ from what AdjustWindowRectEx predicts; make the client
// area exactly the designed size so anchored children keep their margins.
void TForm::ApplyDesignClientSize() {
    RECT client, window;
    GetClientRect(handle_, &client);
    GetWindowRect(handle_, &window);
    int w = window.right - window.left, h = window.bottom - window.top;
    if (clientWidth_) w += clientWidth_ - client.right;
    if (clientHeight_) h += clientHeight_ - client.bottom;
    if (w != window.right - window.left || h != window.bottom - window.top)
        SetWindowPos(handle_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::CenterOnScreen() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r;
    GetWindowRect(handle_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = work.left + ((work.right - work.left) - w) / 2;
    int y = work.top + ((work.bottom - work.top) - h) / 2;
    SetWindowPos(handle_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (activeControl_ == control) return;
    if (activeControl_) activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (control) control->FreeNotification(this);
}

void TForm::FocusControl(TWinControl* control) {
    SetActiveControl(control);
    if (handle_ && GetActiveWindow() == handle_ && control && control->CanFocus()) ::SetFocus(control->Handle());
}

void TForm::FocusChanged(TWinControl* control) {
    SetActiveControl(control);
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
}

namespace {
// The arrows move the focus among the controls of the focused one's parent, tab stops or not,
// as from one radio button of a group to the next: the next (or previous) one in tab order that
// can take the focus, null when none can.
TWinControl* NextSibling(TWinControl& current, bool forward) {
    const std::vector<TWinControl*> siblings = current.Parent()->TabList();
    const auto it = std::find(siblings.begin(), siblings.end(), &current);
    if (it == siblings.end()) return nullptr;
    const size_t n = siblings.size(), start = static_cast<size_t>(it - siblings.begin());
    for (size_t step = 1; step < n; ++step) {
        TWinControl* c = siblings[forward ? (start + step) % n : (start + n - step) % n];
        if (c->CanFocus()) return c;
    }
    return nullptr;
}
}  // namespace

void TForm::SelectNext(TWinControl* current, bool forward) {
    // Flatten the tab order of the whole form, depth first.
    std::vector<TWinControl*> order;
    std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
        for (TWinControl* c : parent->TabList()) {
            order.push_back(c);
            collect(c);
        }
    };
    collect(this);
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), current);
    size_t start = it == order.end() ? (forward ? order.size() - 1 : 0) : static_cast<size_t>(it - order.begin());
    size_t n = order.size();
    for (size_t step = 1; step <= n; ++step) {
        size_t i = forward ? (start + step) % n : (start + n - step) % n;
        TWinControl* c = order[i];
        if (c->TabStop() && c->CanFocus()) {
            FocusControl(c);
            return;
        }
    }
}

void TForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TForm::SetVisible(bool visible) {
    if (parent_) {
        // An embedded form shows and hides like any control; it is never activated.
        TWinControl::SetVisible(visible);
        return;
    }
    if (visible == visible_) {
        if (visible) BringToFront();
        return;
    }
    if (visible) {
        HandleNeeded();
        visible_ = true;
        // A failing OnShow is reported, and the form comes on screen all the same: one believed
        // visible but left off screen could never be shown again.
        try {
            DoShow();
        } catch (...) {
            HandleCallbackException();
        }
        // OnShow, or a message handled while its error box was up, may have hidden the form.
        if (!visible_) return;
        if (IsMDIChildWindow()) {
            // Showing does not activate a child window: the client does.
            ShowWindow(handle_, SW_SHOWNORMAL);
            SendMessageA(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
            if (windowState_ != wsNormal) ShowMDIChildState();
        } else {
            int cmd = windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                      : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL;
            ShowWindow(handle_, cmd);
        }
        shownOnce_ = true;
        Perform(CM_VISIBLECHANGED, 1);
    } else {
        visible_ = false;
        if (handle_) ShowWindow(handle_, SW_HIDE);
        Perform(CM_VISIBLECHANGED, 0);
        DoHide();
    }
}

void TForm::BringToFront() {
    if (!handle_) return;
    if (IsMDIChildWindow()) {
        SendMessageA(GetParent(handle_), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(handle_), 0);
        return;
    }
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(handle_);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild) action = (borderIcons_ & (1u << biMinimize)) ? caMinimize : caNone;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree:
        if (handle_) PostMessageA(handle_, CM_RELEASE, 0, 0);
        break;
    case caNone: break;
    }
}

namespace {
// Disables the thread's other top-level windows while a modal form runs, and enables them
// again however the modal loop ends.
class TModalDisabler {
public:
    explicit TModalDisabler(HWND except) : except_(except) {
        EnumThreadWindows(GetCurrentThreadId(), &TModalDisabler::Collect, reinterpret_cast<LPARAM>(this));
        for (HWND w : disabled_) EnableWindow(w, FALSE);
    }
    TModalDisabler(const TModalDisabler&) = delete;
    TModalDisabler& operator=(const TModalDisabler&) = delete;
    ~TModalDisabler() {
        for (HWND w : disabled_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
    }

private:
    static BOOL CALLBACK Collect(HWND wnd, LPARAM param) {
        auto* self = reinterpret_cast<TModalDisabler*>(param);
        if (wnd != self->except_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) self->disabled_.push_back(wnd);
        return TRUE;
    }
    HWND except_;
    std::vector<HWND> disabled_;
};
}  // namespace

TModalResult TForm::ShowModal() {
    if (visible_ || modal_) throw std::runtime_error("Cannot make a visible window modal");
    HWND activeBefore = GetActiveWindow();
    modalResult_ = mrNone;
    modal_ = true;
    {
        TModalDisabler disabler(Handle());
        try {
            Show();
            while (Application && !Application->Terminated()) {
                Application->HandleMessage();
                if (modalResult_ == mrNone) continue;
                // Closing a modal form asks it first, as closing any form does.
                TCloseAction action = CloseQuery() ? caHide : caNone;
                if (action != caNone && OnClose) OnClose(this, action);
                if (action != caNone) break;
                modalResult_ = mrNone;
            }
        } catch (...) {
            modal_ = false;
            Hide();
            throw;
        }
    }
    modal_ = false;
    Hide();
    if (activeBefore && IsWindow(activeBefore)) SetActiveWindow(activeBefore);
    return modalResult_;
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_DESTROY:
        // The platform destroys a window's menu with the window, but the menu belongs to the
        // TMainMenu and serves the form's next window too.
        if (menu_ && !IsMDIChildWindow()) ::SetMenu(handle_, nullptr);
        break;
    case WM_NCDESTROY:
        // Destroyed from outside (its owner went): the client went with it.
        static_cast<void>(clientHandle_.release());
        break;
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(m.LParam) == handle_)
            MDIActivated(true);
        else if (reinterpret_cast<HWND>(m.WParam) == handle_)
            MDIActivated(false);
        break;
    case WM_SETFOCUS:
        // A child that gets the focus from its frame passes it on to its own control.
        if (IsMDIChildWindow() && activeControl_ && activeControl_->CanFocus()) {
            DefaultHandler(m);
            ::SetFocus(activeControl_->Handle());
            return;
        }
        break;
    case CM_MENUCHANGED:
        // The menu was rebuilt: the client must hold the new window menu.
        UpdateMDIMenu();
        break;
    case WM_QUERYENDSESSION:
        m.Result = CloseQuery() ? 1 : 0;
        return;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            Screen->activeForm_ = this;
            // The frame's default handling gives the focus to the active child.
            if (clientHandle_ && !activeControl_) {
                DefaultHandler(m);
                if (OnActivate) OnActivate(this);
                return;
            }
            if (!activeControl_) SelectNext(nullptr, true);
            if (activeControl_ && activeControl_->CanFocus()) ::SetFocus(activeControl_->Handle());
            if (OnActivate) OnActivate(this);
            return;
        }
        if (OnDeactivate) OnDeactivate(this);
        break;
    case WM_GETMINMAXINFO:
        DefaultHandler(m);
        constraints_->Apply(*reinterpret_cast<MINMAXINFO*>(m.LParam));
        return;
    case CM_DIALOGKEY:
        if (m.WParam == VK_TAB) {
            SelectNext(activeControl_, (KeyboardShiftState() & ssShift) == 0);
            m.Result = 1;
            return;
        }
        if (m.WParam == VK_LEFT || m.WParam == VK_RIGHT || m.WParam == VK_UP || m.WParam == VK_DOWN) {
            if (!activeControl_ || !activeControl_->Parent()) return;
            if (TWinControl* next = NextSibling(*activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN))
                FocusControl(next);
            m.Result = 1;
            return;
        }
        // Default and cancel buttons answer Enter and Escape.
        for (int i = 0; i < ComponentCount() && !m.Result; ++i)
            if (auto* c = dynamic_cast<TControl*>(Components(i)); c && c->Visible() && c->Enabled())
                m.Result = c->Perform(CM_DIALOGKEY, m.WParam, m.LParam);
        return;
    case CM_RELEASE:
        Free(this);
        return;
    case WM_SETTINGCHANGE:
        MenuMetricsChanged();
        break;
    case WM_COMMAND:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchMenuMessage(m)) return;
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---- TApplication ------------------------------------------------------------------------

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TApplication>("TApplication", &TComponent::StaticClassInfo());
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    if (!Application) Application = this;
}

TApplication::~TApplication() {
    Destroying();
    DestroyComponents();
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    TWinControl::ControlAtom();
    RegisterGraphicsClasses();
    RegisterMenuClasses();
    RegisterStdControls();
    RegisterScrollControls();
    RegisterListViewControls();
    RegisterGridControls();
    RegisterExtControls();
    RegisterButtonControls();
    RegisterToolBars();
    RegisterCoolBars();
    RegisterMediaPlayer();
    RegisterComponentClass(TXPManifest::StaticClassInfo());
}

namespace {
LRESULT CALLBACK ApplicationWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_CLOSE && Application && Application->MainForm()) {
            Application->MainForm()->Close();
            return 0;
        }
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}
}  // namespace

HWND TApplication::Handle() {
    if (!handle_) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ApplicationWndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TApplication";
        wc.hIcon = LoadIconA(wc.hInstance, "MAINICON");
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("Cannot register the application window class");
        int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
        handle_.reset(CreateWindowExA(0, "TApplication", title_.c_str(),
                                      WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0,
                                      0, nullptr, nullptr, wc.hInstance, nullptr));
        if (!handle_) throw std::runtime_error("Cannot create the application window");
    }
    return handle_.get();
}

void TApplication::SetTitle(const std::string& title) {
    title_ = title;
    if (handle_) SetWindowTextA(handle_.get(), title.c_str());
}

std::string TApplication::ExeName() const {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void TApplication::Run() {
    Handle();
    if (showMainForm_ && mainForm_) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage() {
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (!terminated_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            break;
        }
        ProcessMessage(msg);
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (IsMDIMsg(msg)) return true;
    if (IsDialogKey(msg)) return true;
    if (IsDialogChar(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

// Ctrl+F4, Ctrl+F6 and the child's system menu keys, for windows inside the main MDI frame only:
// a dialog of its own must not close the active child.
bool TApplication::IsMDIMsg(MSG& msg) {
    if (!mainForm_ || mainForm_->FormStyle() != fsMDIForm || !mainForm_->ClientHandle()) return false;
    if (!msg.hwnd || GetAncestor(msg.hwnd, GA_ROOT) != mainForm_->Handle()) return false;
    return TranslateMDISysAccel(mainForm_->ClientHandle(), &msg) != FALSE;
}

// Tab, Enter, Escape and the arrows go to the form first unless the focused control wants them.
bool TApplication::IsDialogKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    WPARAM key = msg.wParam;
    bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE && !arrow) return false;
    TWinControl* control = nullptr;
    for (HWND w = msg.hwnd; w && !control; w = GetParent(w)) control = TWinControl::FromHandle(w);
    if (!control) return false;
    LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS) return false;
    if (key == VK_TAB && (code & DLGC_WANTTAB)) return false;
    if (arrow && (code & DLGC_WANTARROWS)) return false;
    TForm* form = dynamic_cast<TForm*>(control);
    if (!form) form = control->ParentForm();
    return form && form->Perform(CM_DIALOGKEY, key, 0) != 0;
}

bool TApplication::IsDialogChar(MSG& msg) {
    if (msg.message != WM_SYSCHAR) return false;
    TWinControl* control = nullptr;
    for (HWND w = msg.hwnd; w && !control; w = GetParent(w)) control = TWinControl::FromHandle(w);
    if (!control) return false;
    TForm* form = dynamic_cast<TForm*>(control);
    if (!form) form = control->ParentForm();
    return form && form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

void TApplication::BringToFront() {
    HWND top = GetLastActivePopup(Handle());
    if (top && top != handle_.get() && IsWindowVisible(top) && IsWindowEnabled(top)) SetForegroundWindow(top);
}

void TApplication::HandleException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
}

void TApplication::ShowException(const std::string& message) {
    ::MessageBoxA(Handle(), message.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return ::MessageBoxA(Handle(), text.c_str(), caption.c_str(), flags);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == mainForm_) mainForm_ = nullptr;
}

TForm* TScreen::MainForm() const { return Application ? Application->MainForm() : nullptr; }

}  // namespace velloran
