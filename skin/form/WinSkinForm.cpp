#include "skin/form/WinSkinForm.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/form/WinSkinMenu.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/TabCloseReport.h"

namespace velloran {

namespace {

// Border thickness along one axis of a frame image: its size over its frame count. A frame count
// of 0 means the skin gave that side no usable image: no border there.
int FrameThickness(const TDataSkinBorder& frame, bool vertical) {
    if (frame.Frame <= 0 || frame.Bitmap->Empty()) return 0;
    return (vertical ? frame.Bitmap->Height() : frame.Bitmap->Width()) / frame.Frame;
}

bool IsSystemCommandForFrame(UINT code) {
    switch (code) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE:
            return true;
        default:
            return false;
    }
}

}  // namespace

// Counts the skinner's procedures on the stack, so that it is never freed under them; the last
// one to return frees a skinner that the manager has let go meanwhile.
class TWinSkinForm::TRunScope {
public:
    explicit TRunScope(TWinSkinForm& skinner) : skinner_(skinner) { ++skinner_.runDepth_; }
    ~TRunScope() {
        if (--skinner_.runDepth_ == 0 && skinner_.release_ == srFreeOnReturn) Free(&skinner_);
    }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;

private:
    TWinSkinForm& skinner_;
};

const TClassInfo& TWinSkinForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TWinSkinForm>("TWinSkinForm", &TComponent::StaticClassInfo(), {});
    return info;
}

TWinSkinForm::TWinSkinForm(TComponent* owner) : TComponent(owner) {
    DoubleClickTime = static_cast<int32_t>(GetDoubleClickTime());
    LoadSystemCaptionFont(TitleFont);
}

TWinSkinForm::~TWinSkinForm() {
    if (Subclassed() && Stage != stDestroyed) {
        Stage = stDetaching;
        Detach();
    }
    FreeSkinners();
    if (TFormSkinnerHost* manager = TFormSkinnerHost::Current()) manager->RemoveFormSkinner(this);
}

void TWinSkinForm::ReleaseFromManager() {
    if (!Running()) {
        Free(this);
        return;
    }
    Stage = stDestroyed;
    release_ = srFreeOnReturn;
}

// ---- attach -----------------------------------------------------------------------------

void TWinSkinForm::SkinForm(TSkinData* skinData, TForm* form) {
    Form = form;
    if (skinData->OnBeforeSkinForm) skinData->OnBeforeSkinForm(form, Handle, Name);
    if (skinData->SkinControls() & SkinBit(xcMenuItem)) form->SetAutoScroll(false);
    SkinWindow(skinData);
    if (SkinFrame) HookForm();
    SetFormMenusOwnerDraw(true);
    FormColor = form->Color();
    form->SetColor(static_cast<TColor>(skinData->Colors[ciButtonFace]));
    RecolourLabels();
}

void TWinSkinForm::RecolourLabels() {
    if (!Form) return;
    const auto text = static_cast<TColor>(SkinData->Colors[ciButtonText]);
    for (TComponent* component : Form->ComponentList()) {
        auto* label = dynamic_cast<TLabel*>(component);
        if (!label) continue;
        auto known = std::find_if(labels_.begin(), labels_.end(), [label](const TLabelLook& l) { return l.Label == label; });
        if (known == labels_.end()) {
            const TColor color = label->Font()->Color();
            if (color != clWindowText && color != clBtnText) continue;
            labels_.push_back({label, color, label->ParentFont()});
        }
        label->Font()->SetColor(text);
        label->Invalidate();
    }
}

void TWinSkinForm::RestoreLabels() {
    for (const TLabelLook& look : labels_) {
        look.Label->Font()->SetColor(look.FontColor);
        if (look.ParentFont) look.Label->SetParentFont(true);
        look.Label->Invalidate();
    }
    labels_.clear();
}

void TWinSkinForm::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::Remove) return;
    labels_.erase(std::remove_if(labels_.begin(), labels_.end(),
                                 [component](const TLabelLook& l) { return l.Label == component; }),
                  labels_.end());
}

void TWinSkinForm::SkinWindow(TSkinData* skinData) {
    if (Subclassed()) return;
    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    if (manager && manager->Started == 0) manager->Started = 1;
    SkinData = skinData;

    SkinFrame = (skinData->SkinControls() & SkinBit(xcMainMenu)) != 0;
    Style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
    ClassName = WindowClassName(Handle);
    OwnerWindow = GetWindow(Handle, GW_OWNER);
    Unicode = IsWindowUnicode(Handle) != FALSE;
    Classify();
    ComputeBorders();

    if (manager && manager->HideWhileSkinning && !ChildWindow && SkinFrame && BorderKind != bkNone) {
        Style &= ~WS_VISIBLE;
        SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(Style));
    }
    if (MDIKind == mkFrame) {
        SavedMenuUpdate = skinData->MenuUpdate();
        clientSubclass_ = std::make_unique<TWindowSubclass>(
            MDIClient, [this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return ClientWindowProc(w, m, wp, lp); });
    }
    subclass_ = std::make_unique<TWindowSubclass>(Handle, [this](HWND, UINT msg, WPARAM wp, LPARAM lp) {
        TMessage m{msg, wp, lp, 0};
        WindowProc(m);
        return m.Result;
    });

    if (SkinFrame) {
        WindowMenu = GetMenu(Handle);
        // The bar takes the menu over; the window gets it back when skinning ends.
        if (WindowMenu && !IsMdiChild()) CreateMenuBar();
        RebuildButtons();
    } else {
        Stage = stSkinned;
    }
    if (IsMdiChild()) {
        const int minimum = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
        if (BorderTop < minimum) MenuHeight = minimum - BorderTop;
        if (WindowState == stateMaximized && manager && !manager->MdiMaximized) manager->SetMdiMaximized(true);
    }
}

void TWinSkinForm::Classify() {
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
    RightToLeft = (exStyle & WS_EX_LEFTSCROLLBAR) != 0;
    ChildWindow = (Style & WS_CHILD) != 0;

    Caps = 0;
    if ((Style & WS_SYSMENU) || SystemMenu) Caps |= capSysMenu;
    if (Style & WS_MINIMIZEBOX) Caps |= capMinimize;
    if (Style & WS_MAXIMIZEBOX) Caps |= capMaximize;
    if (exStyle & WS_EX_CONTEXTHELP) Caps |= capHelp;

    ReadWindowState();
    Sizeable = (Style & WS_THICKFRAME) != 0;

    MDIKind = mkNone;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SameText(WindowClassName(child), "MDIClient")) {
            MDIKind = mkFrame;
            MDIClient = child;
            if (TFormSkinnerHost* manager = TFormSkinnerHost::Current()) {
                manager->MdiClient = child;
                manager->MdiFrameForm = Form;
            }
            break;
        }
    }
    if (MDIKind == mkNone && (exStyle & WS_EX_MDICHILD)) MDIKind = mkChild;
    if (IsMdiChild() && (SkinData->Options() & SkinBit(xoMDIChildBorder))) SkinFrame = false;

    if ((Style & WS_CAPTION) != WS_CAPTION)
        BorderKind = bkNone;
    else if (Style & WS_THICKFRAME)
        BorderKind = bkSizeable;
    else if (Style & DS_MODALFRAME)
        BorderKind = bkDialog;
    else
        BorderKind = bkSingle;
    if (exStyle & WS_EX_DLGMODALFRAME) BorderKind = bkDialog;
    MessageDialog = ClassName == "#32770" || ClassName == "TMessageForm";
    if (MessageDialog) BorderKind = bkDialog;

    if (WindowsMajorVersion() >= 5 && WindowsMinorVersion() == 0 &&
        (((exStyle & WS_EX_APPWINDOW) && IsWindowsNT()) || (!OwnerWindow && !IsMdiChild())))
        Caps |= capKeepSysMenu;
    if (!IsWindowsNT()) SkinData->SetSkinControls(SkinData->SkinControls() & ~SkinBit(xcSystemMenu));
}

void TWinSkinForm::ComputeBorders() {
    if (!SkinData || SkinData->Empty) return;
    if (BorderKind == bkNone) {
        BorderLeft = BorderTop = BorderRight = BorderBottom = 0;
        MenuHeight = 0;
        return;
    }
    BorderTop = FrameThickness(SkinData->FrameTop, true);
    BorderBottom = FrameThickness(SkinData->FrameBottom, true);
    BorderLeft = FrameThickness(SkinData->FrameLeft, false);
    BorderRight = FrameThickness(SkinData->FrameRight, false);
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(Handle, &placement)) return;
    switch (placement.showCmd) {
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            WindowState = stateMinimized;
            break;
        case SW_SHOWMAXIMIZED:
            WindowState = stateMaximized;
            break;
        default:
            WindowState = stateNormal;
    }
}

void TWinSkinForm::HookForm() {
    if (formHook_ || !Form) return;
    formHook_ = std::make_unique<TControlHook>(
        *Form, [this](TMessage& m, const TControlHook::TNext& next) { FormWindowProc(m, next); });
}

void TWinSkinForm::UnhookForm() { formHook_.reset(); }

// ---- initialisation ---------------------------------------------------------------------

void TWinSkinForm::InitSkin() {
    // Activation may have moved on while the window waited for this message with its
    // activation messages held back.
    Active = IsMdiChild() ? reinterpret_cast<HWND>(SendMessageW(GetParent(Handle), WM_MDIGETACTIVE, 0, 0)) == Handle
                          : GetActiveWindow() == Handle;
    SystemMenu = GetSystemMenu(Handle, FALSE);
    RenderIcon();
    GetClientRect(Handle, &ClientRect);
    RECT window{};
    GetWindowRect(Handle, &window);
    SysFrameWidth = (window.right - window.left) - (ClientRect.right - ClientRect.left);
    SysFrameHeight = (window.bottom - window.top) - (ClientRect.bottom - ClientRect.top);

    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    if (manager && manager->HideWhileSkinning) {
        manager->HideWhileSkinning = false;
        Style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
        if (!(Style & WS_VISIBLE)) {
            Style |= WS_VISIBLE;
            SetWindowLongPtrW(Handle, GWL_STYLE, static_cast<LONG_PTR>(Style));
        }
    }
    SkinChildren();

    if (Stage == stAttached) {
        if (IsMdiChild()) {
            if (WindowState == stateMaximized) {
                PostMessageW(GetParent(Handle), SM_MDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
            } else if (WindowState == stateNormal) {
                Stage = stSizing;
                ResizeToClient(false);
                Stage = stSkinned;
                UpdateRegion();
            }
        } else if (!ChildWindow && BorderKind != bkNone && WindowState != stateMinimized) {
            Stage = stSizing;
            ResizeToClient(false);
            Stage = stSkinned;
            if (WindowState == stateMaximized)
                FrameChanged();
            else
                UpdateRegion();
        }
    }
    SendMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageKey);
    if (SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(Form, Handle, Name);
    Stage = stSkinned;
    SetHoverTimer(true);
}

void TWinSkinForm::ResizeToClient(bool keepCurrent) {
    if (WindowState == stateMaximized) {
        FrameChanged();
        return;
    }
    RECT window{};
    GetWindowRect(Handle, &window);
    if (MessageDialog || Stage == stRefreshing) GetClientRect(Handle, &ClientRect);
    int width = (ClientRect.right - ClientRect.left) + BorderLeft + BorderRight;
    if (keepCurrent) {
        GetClientRect(Handle, &ClientRect);
    } else if (Form) {
        width = Form->ClientWidth() + BorderLeft + BorderRight;
        ClientRect.bottom = IsMdiChild() ? Form->ClientHeight() : Form->ClientHeight() - MenuHeight;
    }
    const int height = ClientRect.bottom + BorderTop + BorderBottom + MenuHeight;
    if (MessageDialog && !keepCurrent) ResizeForMessageDialog(width);
    SetWindowPos(Handle, nullptr, window.left, window.top, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    // The client area moved inside the window and the system kept its old bits, which a window
    // that is being shown for the first time never painted: paint it whole.
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// A message box whose caption is wider than its body grows to show the caption, its contents
// moved right to stay centred.
void TWinSkinForm::ResizeForMessageDialog(int& width) {
    DialogCaption = WindowText();
    {
        TWindowDC dc(Handle, true);
        TSelectObject font(dc.get(), TitleFont.Handle());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), DialogCaption.c_str(), static_cast<int>(DialogCaption.size()), &extent);
        CaptionWidth = extent.cx;
    }
    const int needed = SkinData->Title.LeftWidth + CaptionWidth + SkinData->Title.RightWidth;
    if (width >= needed) return;
    const int shift = (needed - width) / 2;
    for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        GetWindowRect(child, &r);
        POINT topLeft{r.left, r.top};
        ScreenToClient(Handle, &topLeft);
        SetWindowPos(child, nullptr, topLeft.x + shift, topLeft.y, r.right - r.left, r.bottom - r.top,
                     SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    width = needed;
}

void TWinSkinForm::FrameChanged() {
    SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::SetHoverTimer(bool on) {
    if (on && Subclassed())
        hoverTimer_.Start(Handle, kHoverTimerId, 250);
    else
        hoverTimer_.Stop();
}

// ---- skin change, unskin, detach ---------------------------------------------------------

void TWinSkinForm::SkinChanged() {
    FrameImages.Drop();
    SetFormMenusOwnerDraw(true);
    if (Form) {
        const TColor face = static_cast<TColor>(SkinData->Colors[ciButtonFace]);
        Form->SetColor(face);
        RecolourLabels();
        // Setting a colour repaints only when it differs.
        for (TComponent* component : Form->ComponentList())
            if (auto* inner = dynamic_cast<TForm*>(component)) inner->SetColor(face);
    }
    // Before painting goes off: a control's own change may ask whether it is shown.
    for (TChildSkinner* skinner : skinners_) skinner->SkinChanged();
    {
        // The size and the region change one after the other; the window is painted once, at
        // the end.
        TRedrawOff quiet(Handle);
        Stage = stRefreshing;
        if (SkinFrame) {
            ResizeToClient(true);
            // A form lays itself out again; a bare window has nothing more to do.
            if (Form) {
                Form->SetHeight(Form->Height() + 1);
                Form->SetHeight(Form->Height() - 1);
            }
        }
        UpdateRegion();
    }
    SendMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageKey);
    if (SkinData->OnAfterSkinForm) SkinData->OnAfterSkinForm(Form, Handle, Name);
    Stage = stSkinned;
    RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::RestoreProcedures() {
    if (subclass_) subclass_->Detach();
    if (clientSubclass_) clientSubclass_->Detach();
}

void TWinSkinForm::RestoreFormLook() {
    if (!Form || Stage == stDetaching) return;
    Form->SetColor(FormColor);
    RestoreLabels();
}

// The first steps of Unskin and Detach; false when there is nothing more to undo.
bool TWinSkinForm::BeginUndo() {
    if (!SkinFrame) {
        DetachUnframed();
        return false;
    }
    if (SysMenuPopup) {
        Free(SysMenuPopup);
        SysMenuPopup = nullptr;
    }
    SetHoverTimer(false);
    if (!subclass_ || !subclass_->Attached()) return false;
    UnhookForm();
    return true;
}

void TWinSkinForm::Unskin() {
    // The form's menus are taken back last, on every path: child skinners that lent menus to the
    // painters (tool bars) put back what they found, which the form's own hooking had set.
    struct TMenusBack {
        TWinSkinForm& Form;
        ~TMenusBack() { Form.SetFormMenusOwnerDraw(false); }
    } menusBack{*this};
    FrameShape.Drop();
    FrameImages.Drop();
    if (!BeginUndo()) return;
    subclass_->Detach();
    // Before painting goes off: a control giving its look back may ask whether it is shown.
    FreeSkinners();
    RestoreFormLook();
    // The menu, the frame and the region go back one after the other; the caller paints the
    // window once when the skinner is gone.
    TRedrawOff quiet(Handle);
    SetSysMenuStyle(false);
    if (MenuBar && IsMenu(MenuBar->MenuHandle)) SetMenu(Handle, MenuBar->MenuHandle);
    MenuBar.reset();
    if (clientSubclass_) clientSubclass_->Detach();
    if (Stage != stDetaching && (IsMdiChild() || !ChildWindow)) {
        RECT window{};
        GetWindowRect(Handle, &window);
        POINT topLeft{window.left, window.top};
        if (IsMdiChild()) ScreenToClient(GetParent(Handle), &topLeft);
        const int width = (window.right - window.left) - BorderLeft - BorderRight + SysFrameWidth;
        const int height = (window.bottom - window.top) - BorderTop - BorderBottom + SysFrameHeight;
        if (WindowState == stateNormal)
            SetWindowPos(Handle, nullptr, topLeft.x, topLeft.y, width, height,
                         SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
        else
            FrameChanged();
    }
    SetWindowRgn(Handle, nullptr, TRUE);
    OwnsRegion = false;
    Region = nullptr;
    RegionWidth = RegionHeight = 0;
}

void TWinSkinForm::Detach() {
    if (!BeginUndo()) return;
    RestoreProcedures();
    FreeSkinners();
    MenuBar.reset();
}

void TWinSkinForm::DetachUnframed() {
    SetHoverTimer(false);
    FreeSkinners();
    RestoreFormLook();
    UnhookForm();
    RestoreProcedures();
    if (Form && Stage != stDetaching)
        for (TComponent* component : Form->ComponentList())
            if (auto* control = dynamic_cast<TControl*>(component)) control->Invalidate();
}

// ---- maximised MDI children --------------------------------------------------------------

void TWinSkinForm::EnterMdiMaximized() {
    DropRegion();
    FrameChanged();
}

void TWinSkinForm::LeaveMdiMaximized(bool restoreNormal) {
    if (!restoreNormal) {
        DropRegion();
        return;
    }
    WindowState = stateNormal;
    FrameChanged();
    UpdateRegion();
}

// ---- message routing ---------------------------------------------------------------------

void TWinSkinForm::CallDefault(TMessage& message) {
    message.Result = TWindowSubclass::CallNext(Handle, message.Msg, message.WParam, message.LParam);
}

void TWinSkinForm::WindowProc(TMessage& message) {
    const TRunScope running(*this);
    if (StageA(message)) return;
    if (ChildWindow && !IsMdiChild()) {
        CallDefault(message);
        return;
    }
    if (StageB(message)) return;
    StageC(message);
}

bool TWinSkinForm::StageA(TMessage& m) {
    const bool bare = Form == nullptr;
    switch (m.Msg) {
        case WM_NCPAINT:
            if (Stage != stAttached) break;
            m.Result = 0;
            return true;
        case WM_ERASEBKGND:
            CallDefault(m);
            if (bare && SkinData->FaceBrush) {
                RECT client{};
                GetClientRect(Handle, &client);
                FillRect(reinterpret_cast<HDC>(m.WParam), &client, SkinData->FaceBrush.get());
                m.Result = 1;
            }
            return true;
        case WM_NCDESTROY:
            Stage = stDetaching;
            Detach();
            CallDefault(m);
            Stage = stDestroyed;
            if (TFormSkinnerHost* manager = TFormSkinnerHost::Current()) manager->SchedulePurge();
            return true;
        case WM_NCACTIVATE:
            if (Stage == stAttached && !IsMdiChild()) {
                m.Result = 0;
                return true;
            }
            if (!SkinFrame) {
                CallDefault(m);
                return true;
            }
            return false;
        case 0xAE:  // the themed caption redraw of newer systems: our caption is already drawn
            m.Result = 0;
            return true;
        case WM_TIMER:
            if (m.WParam != kHoverTimerId) break;
            HoverCheck();
            m.Result = 0;
            return true;
        case WM_MENUSELECT:
            if (MenuTracking) MenuLoopSelect(m.WParam, m.LParam);
            CallDefault(m);
            return true;
        case WM_INITMENUPOPUP:
            initialisedPopup_ = reinterpret_cast<HMENU>(m.WParam);
            if (TFormSkinnerHost* manager = TFormSkinnerHost::Current())
                manager->MenuKind = reinterpret_cast<HMENU>(m.WParam) == SystemMenu ? 2 : 1;
            CallDefault(m);
            return true;
        case WM_CTLCOLORBTN:
            CallDefault(m);
            if (bare) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            return true;
        case WM_CTLCOLORSTATIC:
            CallDefault(m);
            if (bare) {
                const auto dc = reinterpret_cast<HDC>(m.WParam);
                SetBkMode(dc, TRANSPARENT);
                // On the skin's face the system's text colour may not be readable (a dark skin).
                SetTextColor(dc, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonText])));
                m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush.get());
            }
            return true;
        case SM_INITSKIN:
            InitSkin();
            return true;
        case SM_RESKINSCROLL:
            ReskinScroll(reinterpret_cast<HWND>(m.WParam));
            m.Result = 0;
            return true;
        case SM_CLOSETAB:
            m.Result = AnswerTabClose(reinterpret_cast<HWND>(m.WParam), static_cast<int>(m.LParam));
            return true;
        case SM_ISSKINNED:
            m.Result = 1;
            PostMessageW(Handle, SM_SKINAPPLIED, 0, kSkinMessageKey);
            return true;
        default:
            break;
    }
    if (SkinFrame) return false;
    CallDefault(m);
    return true;
}

bool TWinSkinForm::StageB(TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
            SizeHandler(m);
            return true;
        case WM_ACTIVATE:
            Active = LOWORD(m.WParam) != WA_INACTIVE;
            return false;
        case WM_GETMINMAXINFO:
            CallDefault(m);
            ReadWindowState();
            return true;
        case WM_WINDOWPOSCHANGED:
            ReadWindowState();
            CallDefault(m);
            return true;
        case WM_SETICON:
            CallDefault(m);
            RenderIcon();
            return true;
        case WM_NCACTIVATE:
            Active = m.WParam != 0;
            return false;
        case WM_COMMAND: {
            const UINT code = LOWORD(m.WParam);
            if (code < 0xFF00 && IsSystemCommandForFrame(code)) {
                PostMessageW(Handle, WM_SYSCOMMAND, code, 0);
                m.Result = 0;
            } else {
                CallDefault(m);
            }
            return true;
        }
        case WM_SYSCOMMAND:
            SysCommand(m);
            return true;
        case CM_MENUCHANGED:
            MenuChanged([&] { CallDefault(m); });
            return true;
        default:
            return false;
    }
}

void TWinSkinForm::StageC(TMessage& m) {
    if (Stage == stAttached || MaximizedMdiChild()) {
        CallDefault(m);
        return;
    }
    switch (m.Msg) {
        case WM_NCCALCSIZE:
            NcCalcSize(m);
            return;
        case WM_NCHITTEST:
            NcHitTest(m);
            return;
        case WM_NCPAINT:
            NcPaint(m);
            return;
        case WM_NCACTIVATE:
            NcActivate(m);
            return;
        case WM_NCLBUTTONDOWN:
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
            if (!NcMouse(m)) CallDefault(m);
            return;
        case SM_REPAINTFRAME:
            PaintFrame(nullptr);
            m.Result = 0;
            return;
        case SM_MENUHOTTRACK:
            MenuHotTrack(m);
            return;
        case WM_MEASUREITEM:
            MeasureMenuItemMessage(m);
            return;
        case WM_DRAWITEM:
            DrawMenuItemMessage(m);
            return;
        default:
            CallDefault(m);
    }
}

void TWinSkinForm::MenuChanged(const std::function<void()>& callDefault) {
    const bool paint = SkinData->FramePaintEnabled;
    SkinData->FramePaintEnabled = false;
    callDefault();
    SkinData->FramePaintEnabled = paint;
    if (!GetMenu(Handle) || IsMdiChild()) return;
    if (!MenuBar) {
        CreateMenuBar();
        FrameChanged();
        return;
    }
    // The skin data decides whether the bar follows a changed menu; the system's own menu bar
    // stays off either way.
    if (SkinData->MenuUpdate()) {
        MenuBar->BuildButtons();
        PaintFrame(nullptr);
    }
    SetMenu(Handle, nullptr);
}

void TWinSkinForm::CreateMenuBar() {
    MenuHeight = GetSystemMetrics(SM_CYMENU);
    MenuBar = std::make_unique<TWinSkinMenu>(*this, SkinData);
    MenuBar->BuildButtons();
    // A window without a form object keeps its menu in the bar even when nothing was built.
    SetMenu(Handle, nullptr);
}

void TWinSkinForm::SizeHandler(TMessage& m) {
    CallDefault(m);
    switch (m.WParam) {
        case SIZE_RESTORED:
            WindowState = stateNormal;
            break;
        case SIZE_MINIMIZED:
            WindowState = stateMinimized;
            break;
        case SIZE_MAXIMIZED:
            WindowState = stateMaximized;
            break;
        default:
            break;
    }
    if (WindowState == stateMinimized) return;
    if (IsMdiChild()) {
        TFormSkinnerHost* manager = TFormSkinnerHost::Current();
        // Maximised by the program or the MDI client rather than by our caption button.
        if (manager && WindowState == stateMaximized && !manager->MdiMaximized && !manager->SwitchingMdi())
            manager->SetMdiMaximized(true);
        if ((manager && manager->MdiMaximized) || WindowState != stateNormal) return;
    }
    if (Stage == stSkinned || Stage == stRefreshing) UpdateRegion();
}

void TWinSkinForm::SysCommand(TMessage& m) {
    const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
    const WORD key = LOWORD(m.LParam);
    // The menu key alone is ours even without a menu: the system's own menu-bar mode has
    // nothing to show inside a skinned frame.
    if (command == SC_KEYMENU && !MenuTracking && key != ' ' && key != '-' && !GetCapture() && MenuKey(key)) {
        m.Result = 1;
        return;
    }
    if (command == SC_KEYMENU && !MenuTracking && key == ' ') {
        POINT origin{0, 0};
        ClientToScreen(Handle, &origin);
        ShowSystemMenu(origin.x, origin.y);
        // Our popup replaces the system's own: nothing more to do for Alt+Space.
        m.Result = 0;
        return;
    }
    if (command == SC_MINIMIZE) {
        WindowState = stateMinimized;
    } else if (command == SC_MAXIMIZE) {
        WindowState = stateMaximized;
    } else if (command == SC_RESTORE) {
        WindowState = stateNormal;
        TFormSkinnerHost* manager = TFormSkinnerHost::Current();
        if (IsMdiChild() && manager && manager->MdiMaximized) manager->SetMdiMaximized(false);
    }
    CallDefault(m);
}

bool TWinSkinForm::MenuKey(WORD key) {
    TMenuBtn* button = nullptr;
    if (MenuBar) {
        if (key == 0 && !MenuBar->Buttons.empty())
            button = MenuBar->Buttons.front().get();
        else
            button = MenuBar->MenuButtonByAccel(static_cast<wchar_t>(key));
    }
    if (!button && key != 0) return false;
    OpenMenuButton(button);
    return true;
}

void TWinSkinForm::MenuHotTrack(TMessage& m) {
    m.Result = 0;
    const POINT p = ToWindowPoint(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
    if (ButtonAt(p) || !MenuBar) return;
    OpenMenuButton(MenuBar->MenuButtonAt(p));
}

void TWinSkinForm::DialogChar(TMessage& m, const TControlHook::TNext& next) {
    next(m);
    if (m.Result != 0) return;
    const uint32_t shift = KeyboardShiftState() & (ssShift | ssAlt | ssCtrl);
    TMenuBtn* button = MenuBar ? MenuBar->MenuButtonByAccel(static_cast<wchar_t>(m.WParam)) : nullptr;
    if (button && shift == ssAlt) {
        ClickMenuButton(button);
        m.Result = 1;
        return;
    }
    // A window without the button hands the key on: an MDI child to its frame, a secondary
    // non-modal form to the main form.
    TForm* target = nullptr;
    if (IsMdiChild()) {
        if (TFormSkinnerHost* manager = TFormSkinnerHost::Current()) target = manager->MdiFrameForm;
    } else if (Application && Application->MainForm() != Form && !Form->Modal()) {
        target = Application->MainForm();
    }
    m.Result = target && target != Form && target->HandleAllocated() ? target->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) : 0;
}

void TWinSkinForm::NcActivate(TMessage& m) {
    Active = m.WParam != 0;
    SetHoverTimer(Active);
    if (MDIKind == mkFrame && MDIClient) SendMessageW(MDIClient, WM_NCACTIVATE, m.WParam, 0);
    if (IsMdiChild()) CallDefault(m);
    if (!MaximizedMdiChild()) PaintFrame(nullptr);
    m.Result = 1;
}

void TWinSkinForm::NcCalcSize(TMessage& m) {
    CallDefault(m);
    if (m.WParam == 0) {
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if ((IsMdiChild() && WindowState != stateNormal) || BorderKind == bkNone) {
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
        return;
    }
    const WINDOWPOS& pos = *params->lppos;
    const RECT client{pos.x + BorderLeft, pos.y + BorderTop + MenuHeight, pos.x + pos.cx - BorderRight,
                      pos.y + pos.cy - BorderBottom};
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    m.Result = WVR_VALIDRECTS;
}

// ---- the form object's handler and the MDI client ----------------------------------------

void TWinSkinForm::FormWindowProc(TMessage& m, const TControlHook::TNext& next) {
    const TRunScope running(*this);
    switch (m.Msg) {
        case WM_SETTEXT:
            next(m);
            if (IsWindowVisible(Handle)) {
                TFormSkinnerHost* manager = TFormSkinnerHost::Current();
                if (WindowState == stateMaximized && manager && manager->MdiClient)
                    PostMessageW(manager->MdiClient, SM_MDIREDRAW, reinterpret_cast<WPARAM>(Handle), 0);
                if (WindowState == stateMinimized)
                    PaintFrame(nullptr);
                else
                    FrameChanged();
            }
            return;
        case SM_SKINCHANGED:
            SkinChanged();
            return;
        case CM_MENUCHANGED:
            // The form object tells itself of a rebuilt menu without going through the window.
            MenuChanged([&] { next(m); });
            return;
        case CM_DIALOGCHAR:
            DialogChar(m, next);
            return;
        case SM_PAINTFRAMEDC:
            if (m.LParam != kSkinMessageKey) break;
            if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
            m.Result = kSkinMessageKey;
            return;
        case SM_QUERYFRAME:
            m.Result = m.LParam == kSkinMessageKey ? kSkinMessageKey : 1;
            return;
        default:
            break;
    }
    next(m);
}

LRESULT TWinSkinForm::ClientWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const TRunScope running(*this);
    TFormSkinnerHost* manager = TFormSkinnerHost::Current();
    switch (msg) {
        case WM_NCDESTROY: {
            const LRESULT result = TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
            if (clientSubclass_) clientSubclass_->Detach();
            return result;
        }
        case WM_NCCALCSIZE:
            if (SkinFrame && !(SkinData->Options() & SkinBit(xoMDIScrollbar))) {
                const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
                SetWindowLongPtrW(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
            }
            break;
        case WM_MDICREATE:
            SkinData->SetMenuUpdate(false);
            break;
        case WM_MDIDESTROY: {
            const LRESULT result = TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
            if (SkinFrame && manager) manager->SetMdiMaximized(ActiveMdiChildMaximized());
            if (!ActiveMdiChild()) {
                SkinData->SetMenuUpdate(SavedMenuUpdate);
                if (MenuBar) MenuBar->BuildButtons();
                PaintFrame(nullptr);
            }
            return result;
        }
        case WM_MDITILE:
        case WM_MDICASCADE:
            if (SkinFrame && manager && manager->MdiMaximized) manager->SetMdiMaximized(false);
            break;
        case WM_MDISETMENU: {
            const LRESULT result = TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
            if (SkinFrame) {
                if (wParam && MenuBar) MenuBar->RebuildForMDI();
                SetMenu(Handle, nullptr);
                PaintFrame(nullptr);
            }
            return result;
        }
        case SM_MDIREDRAW:
            RedrawWindow(Handle, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            return 0;
        default:
            break;
    }
    return TWindowSubclass::CallNext(wnd, msg, wParam, lParam);
}

void RegisterSkinFormClasses() { RegisterComponentClass(TWinSkinForm::StaticClassInfo()); }

}  // namespace velloran
