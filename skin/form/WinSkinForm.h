#pragma once
// The form skinner: one per skinned top-level window. It takes the window's non-client area over
// (frame, caption, caption buttons, menu bar, window region) from the skin, tracks the window's
// state, and gives everything back when the window dies or skinning is switched off.
//
// Its code is split by concern: WinSkinForm.cpp (attach, state, message routing, detach),
// FramePaint.cpp (frame, caption and region), CaptionButtons.cpp (buttons, hit test, mouse,
// actions), SystemMenu.cpp (the skinned system menu), WinSkinMenu.cpp and MenuLoop.cpp (the menu
// bar and its drop-downs), MenuItemMessages.cpp (the owner-drawn items of the window's menus) and
// ChildSkinners.cpp (the skinners of the window's children).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/ControlHook.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/Subclass.h"
#include "skin/data/SkinObjects.h"
#include "skin/form/ChildSkinning.h"
#include "skin/form/ComposedImages.h"
#include "skin/form/FrameShape.h"

namespace velloran {

class TForm;
class TLabel;
class TMenuBtn;
class TPopupMenu;
class TSkinData;
class TWinSkinForm;
class TWinSkinMenu;

enum TMDIKind : uint8_t { mkNone, mkFrame, mkChild };
enum TSkinBorderKind : uint8_t { bkSizeable, bkSingle, bkNone, bkDialog };
enum TSkinFormCap : uint8_t { capMaximize = 1, capMinimize = 2, capHelp = 4, capSysMenu = 8, capKeepSysMenu = 16 };
enum TSkinWindowState : uint8_t { stateNormal, stateMaximized, stateMinimized };
enum TSkinStage : int32_t {
    stAttached = 0,    // subclassed, not yet initialised
    stSkinned = 1,     // normal operation
    stRefreshing = 3,  // taking a changed skin: the region cache is ignored
    stDetaching = 4,   // the window is being destroyed
    stSizing = 5,      // the first resize that keeps the client size
    stDestroyed = 6    // the window is gone
};

// A clickable object of the non-client area: a caption button, or a menu-bar button.
class TNCObject {
public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    TWinSkinForm* Form;
    RECT Rect{};  // window coordinates
    bool Visible = false;
    int State = 1;  // 1 normal, 2 pressed, 3 hot
    bool Enabled = true;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseHover();
    virtual void MouseLeave();
    virtual void Paint() {}
};

// A caption button made from one of the skin's button sections.
class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* skinButton) : TNCObject(form), SkinButton(skinButton) {}
    TDataSkinSysButton* SkinButton;
    bool IsIcon() const;
    void Paint() override;
};

class TWinSkinForm : public TComponent {
    VELLORAN_CLASS(TWinSkinForm)
public:
    // owner: the form object of the window, or null for a bare window.
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;
    void Notification(TComponent* component, TOperation operation) override;

    // ---- set by the manager before attaching ----
    HWND Handle = nullptr;
    uintptr_t ManagerStamp = 0;
    std::string Name;

    // ---- attach, change, detach (WinSkinForm.cpp) ----
    void SkinForm(TSkinData* skinData, TForm* form);
    void SkinWindow(TSkinData* skinData);
    // Border thickness from the skin's frame images (a frame count of 0 gives a zero border).
    void ComputeBorders();
    void SkinChanged();
    // Gives the window its own frame, menu and controls back; the caller then paints it once.
    void Unskin();
    void Detach();
    void FrameChanged();
    bool Subclassed() const { return subclass_ != nullptr; }
    // True while one of the skinner's procedures is on the stack (a modal loop may run inside it).
    bool Running() const { return runDepth_ > 0; }
    // Called by the manager instead of freeing: frees the skinner now, or, while it is running,
    // marks it dead (nothing more is painted or shaped) and leaves the freeing to the last of
    // its procedures to return. The caller must not touch the skinner afterwards.
    void ReleaseFromManager();
    void ResizeToClient(bool keepCurrent);
    // The maximised-MDI-child presentation, switched by the manager.
    void EnterMdiMaximized();
    void LeaveMdiMaximized(bool restoreNormal);

    // ---- frame and caption (FramePaint.cpp) ----
    void PaintFrame(HDC dc);
    void PaintBorder(int part, const RECT& rect, HDC dc);
    void PaintCaption(HDC dc);
    void PaintCaptionText(TCanvas& canvas, const RECT& caption);
    // The title's text background over the rectangle of the caption.
    void PaintTextBack(HDC dc, const RECT& rect);
    // A caption button's frame stretched to its rectangle, keyed.
    void PaintButtonFrame(HDC dc, std::size_t slot, const RECT& rect, TBitmap& strip, int frameCount, int frame);
    // The menu band (L, T, W - R, T + M).
    void PaintMenuBand(HDC dc, const RECT& band);
    void UpdateRegion();
    // The region UpdateRegion gives a window of this size (in window coordinates).
    TRegionHandle WindowRegion(int width, int height);
    void DropRegion();
    void SetSysMenuStyle(bool strip);
    // The window's caption as drawn: prefix + text + suffix.
    std::wstring CaptionText() const;
    // The window text, wide, read as the window's character set asks.
    std::wstring WindowText() const;
    // WM_NCPAINT of stage C.
    void NcPaint(TMessage& message);

    // ---- caption buttons, hit test and mouse (CaptionButtons.cpp) ----
    // ComputeBorders, then one button per skin entry.
    void RebuildButtons();
    void FreeButtons();
    bool ButtonVisible(int index);
    void LayoutButtons();
    void PaintButtons(TCanvas& canvas);
    POINT ToWindowPoint(int screenX, int screenY) const;
    TWinSysButton* ButtonAt(POINT p) const;
    // The caption button at the point, else the menu bar's button there; null for none.
    TNCObject* ObjectAt(POINT p) const;
    void ButtonAction(int x, int y);
    void ToggleMaximize();
    void Restore();
    void ToggleMinimize();
    void RenderIcon();
    void DrawIcon(HDC dc, const RECT& rect) const;
    // The non-client mouse messages; true when handled (not to be passed on).
    bool NcMouse(TMessage& message);
    void NcHitTest(TMessage& message);
    void HoverCheck();
    // The active MDI child of an MDI frame, and whether it is maximised.
    HWND ActiveMdiChild(bool* maximized = nullptr) const;
    bool ActiveMdiChildMaximized() const;
    bool SystemMenuHasClose() const;

    // ---- the menu bar's drop-downs (MenuLoop.cpp) ----
    // Runs the button's command and tracks its drop-down; true when it has one.
    bool OpenMenuButton(TMenuBtn* button);
    // Posts the non-client press on the button that opens it once the current drop-down closed.
    void ClickMenuButton(TMenuBtn* button);

    // ---- system menu (SystemMenu.cpp) ----
    void ShowSystemMenu(int x, int y);
    void BuildSysMenuPopup();

    // ---- owner-drawn menu items (MenuItemMessages.cpp) ----
    // The form's popup menus, and its main menus when the skin paints menu items, handed to the
    // skin's item painters (on) or given back (off).
    void SetFormMenusOwnerDraw(bool on);
    // WM_MEASUREITEM and WM_DRAWITEM: the items of the window's menus and of its system menu.
    void MeasureMenuItemMessage(TMessage& message);
    void DrawMenuItemMessage(TMessage& message);

    // ---- the skinners of the children (ChildSkinners.cpp) ----
    // Adds the skinner unless it is listed; answers whether it was.
    bool RegisterSkinner(TChildSkinner* skinner);
    void UnregisterSkinner(TChildSkinner* skinner);
    TChildSkinner* FindSkinner(HWND window) const;
    // The control answers SM_ISSKINNED, or a skinner of the list skins it.
    bool IsSkinned(TControl* control) const;
    // Offers a child window without a control object to the selection.
    void SkinChildWindow(HWND window);
    // The manager saw a size-grip scroll bar being created inside this window.
    void SizeGripCreated(HWND grip);
    const std::vector<TChildSkinner*>& Skinners() const { return skinners_; }
    // Shared with every child skinner, which draws with it while it paints.
    TCanvas ControlCanvas;

    // ---- state ----
    TSkinData* SkinData = nullptr;
    TForm* Form = nullptr;
    TPopupMenu* SysMenuPopup = nullptr;  // owned (a component of this skinner)

    std::wstring CaptionPrefix = L"  ";
    std::wstring CaptionSuffix = L" ";
    std::string ClassName;
    bool SavedMenuUpdate = false;
    bool SkinFrame = false;
    RECT ClientRect{};
    DWORD LastSysMenuTime = 0;
    int32_t DoubleClickTime = 0;
    int32_t CaptionWidth = 0;
    HWND OwnerWindow = nullptr;
    HICON Icon = nullptr;
    int32_t IconSize = 0;
    std::wstring DialogCaption;
    int32_t BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
    RECT WindowRect{};
    RECT TextRect{};
    int32_t SysFrameWidth = 0, SysFrameHeight = 0;
    int32_t MenuHeight = 0;
    int32_t ButtonCount = 0;
    bool MenuTracking = false;
    bool RightToLeft = false;
    bool Sizeable = false;
    bool Unicode = false;
    bool MessageDialog = false;
    bool ChildWindow = false;
    HWND MDIClient = nullptr;
    HMENU WindowMenu = nullptr;
    HMENU SystemMenu = nullptr;
    TColor FormColor = 0;
    DWORD Style = 0;
    int32_t RightReserve = 0;
    TNCObject* HotObject = nullptr;
    bool OwnsRegion = false;
    HRGN Region = nullptr;  // set on the window; the system owns it once set
    TFrameShape FrameShape;  // the frame images' masks, kept while the skin stays
    // The composed frame images of the last paint: the four sides, the text background, the buttons.
    static constexpr std::size_t kSideImageSlot = 0, kTextBackImageSlot = 4, kButtonImageSlot = 5;
    TComposedImages FrameImages;
    TFont TitleFont;
    TBitmap IconBitmap;
    TBitmap FrameBitmap;
    std::vector<std::unique_ptr<TWinSysButton>> Buttons;
    // The bar that shows the window's menu inside the skinned frame; null without a menu.
    std::unique_ptr<TWinSkinMenu> MenuBar;
    HMENU TrackedPopup = nullptr;  // the drop-down open from the bar
    int32_t WindowWidth = 0, WindowHeight = 0;
    int32_t RegionWidth = 0, RegionHeight = 0;
    bool Active = true;
    TMDIKind MDIKind = mkNone;
    TSkinBorderKind BorderKind = bkSizeable;
    uint8_t Caps = 0;
    TSkinWindowState WindowState = stateNormal;
    TSkinStage Stage = stAttached;

    // The hover timer of the caption buttons (250 ms), on the skinned window itself.
    void SetHoverTimer(bool on);
    bool HoverTimerOn() const { return hoverTimer_.Running(); }
    static constexpr UINT_PTR kHoverTimerId = 0x5EED;

    bool IsMdiChild() const { return MDIKind == mkChild; }
    bool MaximizedMdiChild() const { return MDIKind == mkChild && WindowState == stateMaximized; }

private:
    class TRunScope;
    void Classify();
    void InitSkin();
    void WindowProc(TMessage& message);
    bool StageA(TMessage& message);
    bool StageB(TMessage& message);
    void StageC(TMessage& message);
    void FormWindowProc(TMessage& message, const TControlHook::TNext& next);
    LRESULT ClientWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void SizeHandler(TMessage& message);
    // The form's menu was rebuilt: the band takes the new one from the window when the skin
    // data's MenuUpdate allows it.
    void MenuChanged(const std::function<void()>& callDefault);
    void SysCommand(TMessage& message);
    void NcActivate(TMessage& message);
    void NcCalcSize(TMessage& message);
    void ReadWindowState();
    void CallDefault(TMessage& message);
    void HookForm();
    void UnhookForm();
    void RestoreProcedures();
    void RestoreFormLook();
    void DetachUnframed();
    bool BeginUndo();
    // The form's labels in the system's text colour take the skin's, so that they stay readable
    // on its face; RestoreLabels gives them their own back.
    void RecolourLabels();
    void RestoreLabels();
    void ResizeForMessageDialog(int& width);
    // The form library's dialog character: Alt and a menu accelerator.
    void DialogChar(TMessage& message, const TControlHook::TNext& next);
    // SC_KEYMENU: true when the key was the menu bar's.
    bool MenuKey(WORD key);
    void MenuHotTrack(TMessage& message);
    // A window that got a menu while skinned gets a bar for it.
    void CreateMenuBar();
    // SM_INITSKIN: the form's controls, or the bare window's children, go to the selection.
    void SkinChildren();
    void OfferControl(TChildSelection& selection, TControl& control);
    void ReskinScroll(HWND window);
    // Each skinner gives its control back (unless the window is gone) and is freed.
    void FreeSkinners();
    void FreeDestroyedSkinners();

    std::unique_ptr<TWindowSubclass> subclass_;
    std::unique_ptr<TWindowSubclass> clientSubclass_;
    std::unique_ptr<TControlHook> formHook_;
    TTimerHandle hoverTimer_;
    struct TLabelLook {
        TLabel* Label;
        TColor FontColor;
        bool ParentFont;
    };
    std::vector<TLabelLook> labels_;
    std::vector<TChildSkinner*> skinners_;
    int runDepth_ = 0;
    TSkinnerRelease release_ = srHeld;
    // The menu last opened from this window: its items are measured before they are drawn, and
    // the measuring names no menu.
    HMENU initialisedPopup_ = nullptr;
};

void RegisterSkinFormClasses();

}  // namespace velloran
