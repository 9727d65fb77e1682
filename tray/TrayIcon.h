#pragma once
// The notification-area icon: one icon with a tooltip, mouse actions on it turned into events,
// a popup menu on a right click, and an optional animation through a list of icons.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "framework/UtilWindow.h"
#include "tray/IconList.h"

namespace velloran {

class TTimerThread;

// The message the notification area sends to the icon's window; lParam names the mouse action.
constexpr UINT TrayCallbackMessage = 0xB054;

// TMouseButton, TMouseEvent and the shift state's mouse bits are the framework's (Controls.h).
using TMouseMoveEvent = std::function<void(TObject*, uint32_t shift, int x, int y)>;

class TTrayIcon : public TComponent {
    VELLORAN_CLASS(TTrayIcon)
public:
    explicit TTrayIcon(TComponent* owner);
    ~TTrayIcon() override;

    bool Active() const { return active_; }
    void SetActive(bool active);
    // While false, the notification area's mouse messages go to the default window procedure.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    TIcon* Icon() const { return icon_.get(); }
    TIconList* Icons() const { return icons_.get(); }
    // The stored form of Icons, as form data holds it.
    std::vector<uint8_t> IconsData() const { return icons_->SaveToBytes(); }
    void SetIconsData(const std::vector<uint8_t>& bytes) { icons_->LoadFromBytes(bytes); }
    bool Animated() const { return thread_ != nullptr; }
    void SetAnimated(bool animated);
    uint16_t Interval() const { return interval_; }
    void SetInterval(uint16_t ms);
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    bool ShowDesign() const { return showDesign_; }
    void SetShowDesign(bool show);

    TMouseEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    void AddToTray();
    void RemoveFromTray();
    void RefreshTrayIcon();
    // The frame of Icons while animated, otherwise Icon; never null, possibly empty.
    TIcon* CurrentIcon() const;
    void NextFrame();
    bool PopupAtCursor(int x, int y);
    bool ClickDefaultItem();

    // Whether the icon is in the notification area now.
    bool Added() const { return added_; }
    // The hidden window the notification area talks to.
    HWND Handle() const { return window_->Handle(); }

    void Loaded() override;

protected:
    virtual void NotifyDblClick();
    virtual void NotifyClick(TMouseButton button, uint32_t shift, int x, int y);
    virtual void NotifyMouseDown(TMouseButton button, uint32_t shift, int x, int y);
    virtual void NotifyMouseMove(uint32_t shift, int x, int y);
    virtual void NotifyMouseUp(TMouseButton button, uint32_t shift, int x, int y);
    virtual void FillNotifyRecord();

    // The record handed to Shell_NotifyIconA, in its first (Windows 95) form.
    NOTIFYICONDATAA& NotifyRecord() { return record_; }
    void Notification(TComponent* component, TOperation operation) override;

private:
    enum TPressed : uint32_t { pressedLeft = 1, pressedRight = 2 };

    bool WindowMessage(TMessage& message);
    void MouseAction(LPARAM action);
    void ButtonUp(TMouseButton button, TPressed pressed, uint32_t shift, POINT at);
    bool Designing() const { return HasState(csDesigning); }
    // Changes to the notification area wait until the form data has been read.
    bool Settled() const { return !HasState(csLoading) && !HasState(csDestroying); }
    std::string ShortHint() const;

    bool active_ = true;
    bool enabled_ = true;
    bool showDesign_ = false;
    bool added_ = false;
    uint16_t interval_ = 150;
    uint32_t pressed_ = 0;
    int frame_ = -1;
    std::string hint_;
    TPopupMenu* popupMenu_ = nullptr;
    NOTIFYICONDATAA record_{};
    UINT taskbarCreated_ = 0;
    std::unique_ptr<TUtilWindow> window_;
    std::unique_ptr<TIcon> icon_;
    std::unique_ptr<TIconList> icons_;
    std::unique_ptr<TTimerThread> thread_;
};

// Makes TTrayIcon known to form data. Safe to call more than once.
void RegisterTrayClasses();

}  // namespace velloran
