#include "tray/TrayIcon.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "framework/Forms.h"
#include "tray/TimerThread.h"

namespace velloran {

namespace {

// The first form of the record: what every shell understands.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88);
constexpr size_t kTipSize = 64;  // the tip's size in that form, its terminating zero included

// The animation thread's tick, handled on the window's own thread.
constexpr UINT kFrameMessage = WM_APP + 1;

// Brings a window to the foreground when the scope ends, however it ends.
class TForegroundOnExit {
public:
    explicit TForegroundOnExit(HWND wnd) : wnd_(wnd) {}
    TForegroundOnExit(const TForegroundOnExit&) = delete;
    TForegroundOnExit& operator=(const TForegroundOnExit&) = delete;
    ~TForegroundOnExit() { SetForegroundWindow(wnd_); }

private:
    HWND wnd_;
};

// A capture left on the active form (or the main form) would keep the menu from tracking.
void CancelFormCapture() {
    TForm* form = Screen->ActiveForm() ? Screen->ActiveForm() : Screen->MainForm();
    if (!form || !form->HandleAllocated()) return;
    const HWND capture = GetCapture();
    if (capture && (capture == form->Handle() || IsChild(form->Handle(), capture))) ReleaseCapture();
}

}  // namespace

const TClassInfo& TTrayIcon::StaticClassInfo() {
    using C = TTrayIcon;
    static const TClassInfo info = DefineClass<C>(
        "TTrayIcon", &TComponent::StaticClassInfo(),
        {props::Bool("Active", &C::Active, &C::SetActive), props::Bool("Enabled", &C::Enabled, &C::SetEnabled),
         props::String("Hint", &C::Hint, &C::SetHint), props::SubObject("Icon", &C::Icon),
         props::Binary("Icons", &C::IconsData, &C::SetIconsData),
         props::Bool("Animated", &C::Animated, &C::SetAnimated), props::Int("Interval", &C::Interval, &C::SetInterval),
         props::Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu),
         props::Bool("ShowDesign", &C::ShowDesign, &C::SetShowDesign), props::Event("OnClick", &C::OnClick),
         props::Event("OnDblClick", &C::OnDblClick), props::Event("OnMouseMove", &C::OnMouseMove),
         props::Event("OnMouseDown", &C::OnMouseDown), props::Event("OnMouseUp", &C::OnMouseUp)});
    return info;
}

TTrayIcon::TTrayIcon(TComponent* owner)
    : TComponent(owner),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")),
      window_(std::make_unique<TUtilWindow>([this](TMessage& m) { return WindowMessage(m); })),
      icon_(std::make_unique<TIcon>()),
      icons_(std::make_unique<TIconList>()) {
    // The identity of the icon is known from the start, so that removing it is always aimed
    // at our own icon, added or not.
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = window_->Handle();
    record_.uID = 0;
    icon_->OnChange = [this](TObject*) { RefreshTrayIcon(); };
    icons_->OnChange = [this](TObject*) { RefreshTrayIcon(); };
}

TTrayIcon::~TTrayIcon() {
    Destroying();
    enabled_ = false;
    icon_->OnChange = nullptr;
    icons_->OnChange = nullptr;
    SetAnimated(false);
    RemoveFromTray();
    if (popupMenu_ && popupMenu_->PopupComponent() == this) popupMenu_->SetPopupComponent(nullptr);
    window_.reset();
    icon_.reset();
    icons_.reset();
}

void TTrayIcon::Loaded() {
    TComponent::Loaded();
    if (active_ && !Designing()) AddToTray();
}

// ---- properties ------------------------------------------------------------------------------

void TTrayIcon::SetActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    if (Designing() || !Settled()) return;
    if (active)
        AddToTray();
    else
        RemoveFromTray();
}

void TTrayIcon::SetShowDesign(bool show) {
    if (showDesign_ == show) return;
    showDesign_ = show;
    if (!Designing() || !Settled()) return;
    if (show)
        AddToTray();
    else
        RemoveFromTray();
}

void TTrayIcon::SetHint(const std::string& hint) {
    if (hint_ == hint) return;
    hint_ = hint;
    RefreshTrayIcon();
}

void TTrayIcon::SetAnimated(bool animated) {
    if (Animated() == animated) return;
    if (animated) {
        if (icons_->Count() == 0) return;
        thread_ = std::make_unique<TTimerThread>(window_->Handle(), kFrameMessage, interval_, added_);
    } else {
        thread_.reset();
    }
    frame_ = 0;
    RefreshTrayIcon();
}

void TTrayIcon::SetInterval(uint16_t ms) {
    interval_ = ms;
    if (thread_) thread_->SetInterval(ms);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_ == menu) return;
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == popupMenu_) popupMenu_ = nullptr;
}

// ---- the notification area -----------------------------------------------------------------

std::string TTrayIcon::ShortHint() const { return hint_.substr(0, std::min(hint_.find('|'), kTipSize - 1)); }

TIcon* TTrayIcon::CurrentIcon() const {
    const int count = icons_->Count();
    if (thread_ && count > 0) return icons_->Items(std::clamp(frame_, 0, count - 1));
    return icon_.get();
}

void TTrayIcon::FillNotifyRecord() {
    record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record_.hWnd = window_->Handle();
    record_.uID = 0;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = TrayCallbackMessage;
    record_.hIcon = CurrentIcon()->Handle();
    const std::string tip = ShortHint();
    std::memset(record_.szTip, 0, kTipSize);
    std::memcpy(record_.szTip, tip.data(), tip.size());
}

void TTrayIcon::AddToTray() {
    RemoveFromTray();
    // The animation runs whenever the icon is meant to be seen, through blank frames too:
    // the next frame with a picture shows the icon again.
    if (thread_) thread_->Resume();
    if (CurrentIcon()->Empty()) return;
    pressed_ = 0;
    FillNotifyRecord();
    added_ = Shell_NotifyIconA(NIM_ADD, &record_) != FALSE;
    if (added_ && ShortHint().empty()) Shell_NotifyIconA(NIM_MODIFY, &record_);
}

void TTrayIcon::RemoveFromTray() {
    Shell_NotifyIconA(NIM_DELETE, &record_);
    added_ = false;
    pressed_ = 0;
    if (thread_) thread_->Suspend();
}

void TTrayIcon::RefreshTrayIcon() {
    if (icons_->Count() == 0) SetAnimated(false);
    if (!Settled()) return;
    const bool shown = Designing() ? showDesign_ : active_;
    if (added_) {
        if (!CurrentIcon()->Empty()) {
            FillNotifyRecord();
            Shell_NotifyIconA(NIM_MODIFY, &record_);
        } else if (shown) {
            AddToTray();  // takes the icon away, keeping the animation going
        } else {
            RemoveFromTray();
        }
    } else if (shown) {
        AddToTray();
    }
}

void TTrayIcon::NextFrame() {
    if (HasState(csDestroying)) return;
    const int count = icons_->Count();
    if (count == 0) return;
    frame_ = frame_ + 1 >= count ? 0 : frame_ + 1;
    RefreshTrayIcon();
}

// ---- messages of the hidden window ---------------------------------------------------------

bool TTrayIcon::WindowMessage(TMessage& message) {
    if (message.Msg == TrayCallbackMessage) {
        if (!enabled_) return false;
        MouseAction(message.LParam);
        return true;
    }
    if (message.Msg == kFrameMessage) {
        if (thread_) {
            thread_->TickHandled();
            NextFrame();
        }
        return true;
    }
    // The shell broadcasts this when it has been restarted, with an empty notification area.
    if (taskbarCreated_ && message.Msg == taskbarCreated_) {
        if (active_ && !Designing()) AddToTray();
        return true;
    }
    return false;
}

void TTrayIcon::MouseAction(LPARAM action) {
    POINT at{};
    GetCursorPos(&at);
    const uint32_t shift = KeyboardShiftState();
    switch (action) {
        case WM_MOUSEMOVE:
            NotifyMouseMove(shift, at.x, at.y);
            break;
        case WM_LBUTTONDOWN:
            NotifyMouseDown(mbLeft, shift | ssLeft, at.x, at.y);
            pressed_ |= pressedLeft;
            break;
        case WM_LBUTTONUP:
            ButtonUp(mbLeft, pressedLeft, shift | ssLeft, at);
            break;
        case WM_LBUTTONDBLCLK:
            NotifyDblClick();
            NotifyMouseDown(mbLeft, shift | ssDouble, at.x, at.y);
            break;
        case WM_RBUTTONDOWN:
            NotifyMouseDown(mbRight, shift | ssRight, at.x, at.y);
            pressed_ |= pressedRight;
            break;
        case WM_RBUTTONUP:
            ButtonUp(mbRight, pressedRight, shift | ssRight, at);
            break;
        case WM_RBUTTONDBLCLK:
            NotifyMouseDown(mbRight, shift | ssDouble, at.x, at.y);
            break;
        case WM_MBUTTONDOWN:
            NotifyMouseDown(mbMiddle, shift | ssMiddle, at.x, at.y);
            break;
        case WM_MBUTTONUP:
            NotifyMouseUp(mbMiddle, shift | ssMiddle, at.x, at.y);
            break;
        case WM_MBUTTONDBLCLK:
            NotifyMouseDown(mbMiddle, shift | ssDouble, at.x, at.y);
            break;
        default:
            break;
    }
}

// A click needs the press on the icon too: a button pressed elsewhere and released over the
// icon is no click.
void TTrayIcon::ButtonUp(TMouseButton button, TPressed pressed, uint32_t shift, POINT at) {
    if (pressed_ & pressed) {
        pressed_ &= ~static_cast<uint32_t>(pressed);
        NotifyClick(button, shift, at.x, at.y);
    }
    NotifyMouseUp(button, shift, at.x, at.y);
}

// ---- default behaviour of the overridable operations ---------------------------------------

void TTrayIcon::NotifyDblClick() {
    if (ClickDefaultItem()) return;
    if (OnDblClick) OnDblClick(this);
}

void TTrayIcon::NotifyClick(TMouseButton button, uint32_t shift, int x, int y) {
    if (button == mbRight && PopupAtCursor(x, y)) return;
    if (OnClick) OnClick(this, button, shift, x, y);
}

void TTrayIcon::NotifyMouseDown(TMouseButton button, uint32_t shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TTrayIcon::NotifyMouseMove(uint32_t shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TTrayIcon::NotifyMouseUp(TMouseButton button, uint32_t shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

bool TTrayIcon::ClickDefaultItem() {
    if (Designing() || !active_ || !popupMenu_) return false;
    TMenuItem* items = popupMenu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
        TMenuItem* item = items->Items(i);
        if (item->Default() && item->Enabled()) {
            item->Click();
            return true;
        }
    }
    return false;
}

bool TTrayIcon::PopupAtCursor(int x, int y) {
    if (Designing() || !active_ || !popupMenu_ || !popupMenu_->AutoPopup()) return false;
    popupMenu_->SetPopupComponent(this);
    CancelFormCapture();
    const HWND wnd = window_->Handle();
    // Only the foreground window's menus close when the user clicks elsewhere.
    if (IsWindowEnabled(wnd)) SetForegroundWindow(wnd);
    if (Application) Application->ProcessMessages();
    // The messages just processed may have freed the menu.
    if (!popupMenu_) return false;
    TForegroundOnExit foregroundAgain(wnd);
    popupMenu_->Popup(x, y);
    return true;
}

void RegisterTrayClasses() { RegisterComponentClass(TTrayIcon::StaticClassInfo()); }

}  // namespace velloran
