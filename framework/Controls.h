#pragma once
// Controls: window-less (TGraphicControl) and windowed (TWinControl). Every message of a
// control passes through its WindowProc, where the hooks of framework/ControlHook.h see it.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/ControlHook.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/Messages.h"
#include "framework/UtilWindow.h"

namespace velloran {

class TWinControl;
class TForm;

using TNotifyEvent = std::function<void(TObject*)>;
using TKeyPressEvent = std::function<void(TObject*, char&)>;
using TKeyEvent = std::function<void(TObject*, WORD&, uint32_t)>;

enum TAnchorKind : uint32_t { akLeft, akTop, akRight, akBottom };
constexpr uint32_t AnchorBit(TAnchorKind k) { return 1u << k; }
extern const TEnumInfo AnchorKindEnum;

enum TShiftStateFlag : uint32_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
uint32_t KeyboardShiftState();
// The shift state of a mouse message's key flags (MK_*); `doubleClick` for a double-click message.
uint32_t MouseShiftState(WPARAM keys, bool doubleClick);

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// The button of a button-down or double-click message; nothing for any other message.
std::optional<TMouseButton> PressedMouseButton(UINT msg);
bool IsDoubleClick(UINT msg);
using TMouseEvent = std::function<void(TObject*, TMouseButton, uint32_t shift, int x, int y)>;

// Reading order and alignment of a control's text: right-to-left reading, mirrored alignment and
// the scroll bar at the left, or some of these.
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumInfo BiDiModeEnum;

class TControl : public TComponent {
    VELLORAN_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

    uint32_t Anchors() const { return anchors_; }
    void SetAnchors(uint32_t anchors);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    // Setting a colour of its own ends taking the parent's.
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_.get(); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const { return biDiMode_ == bdRightToLeft || biDiMode_ == bdRightToLeftReadingOnly; }

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual void Invalidate();
    void Refresh() { Repaint(); }
    virtual void Repaint();

    // Every message of the control passes through here: its hooks (TControlHook), newest
    // first, then WndProc.
    void WindowProc(TMessage& message) { hooks_.Dispatch(*this, message); }
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    TNotifyEvent OnClick;
    virtual void Click();
    TMouseEvent OnMouseDown;
    // A mouse button went down at (x, y) in client coordinates.
    virtual void MouseDown(TMouseButton button, uint32_t shift, int x, int y);

    // The form this control sits on, or null.
    TForm* ParentForm() const;

protected:
    // Called by the parent when its client area changed size.
    void ApplyAnchors(int parentWidth, int parentHeight);
    void RememberAnchorBase();
    virtual void FontChanged();
    virtual void ColorChanged();
    virtual void BoundsChanged() {}
    virtual void BiDiModeChanged() {}
    // Passes a button-down message to MouseDown; false for other messages.
    bool DispatchMouseDown(const TMessage& message);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string text_;
    std::string hint_;
    TBiDiMode biDiMode_ = bdLeftToRight;

private:
    friend class TWinControl;
    friend class TControlHook;
    struct TAnchorBase {
        RECT Bounds{};
        int ParentWidth = 0, ParentHeight = 0;
        bool Valid = false;
    };
    uint32_t anchors_ = AnchorBit(akLeft) | AnchorBit(akTop);
    TAnchorBase anchorBase_;
    bool anchoring_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TControlHookChain hooks_;
};

// A control without a window of its own: its parent paints it and passes it mouse messages.
class TGraphicControl : public TControl {
    VELLORAN_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    // Paints into dc, whose origin is the control's top-left. The paint goes through WindowProc
    // as WM_PAINT with the DC in wParam, so a hook there can paint the control instead.
    void PaintTo(HDC dc);
    void Invalidate() override;
    void WndProc(TMessage& message) override;
    // Holds the DC of the paint in progress; none outside a paint.
    TCanvas& Canvas() { return canvas_; }

protected:
    virtual void Paint(TCanvas& canvas) = 0;

private:
    TCanvas canvas_;
};

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;  // the class the window is created with
    std::string SysClassName;  // a system class it is derived from ("EDIT"), empty for our own
    UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
    VELLORAN_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // Windowed children in tab order.
    std::vector<TWinControl*> TabList() const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void Invalidate() override;
    void Repaint() override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Paints the window-less children into dc (client coordinates).
    void PaintControls(HDC dc);
    TGraphicControl* GraphicControlAt(POINT clientPoint) const;

    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The framework object of a window, or null for windows it did not create.
    static TWinControl* FromHandle(HWND wnd);
    static ATOM ControlAtom();

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Makes the window itself from params; the framework's procedure receives its first message.
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // Called once the window exists: push stored state (text, font, ...) into it.
    virtual void InitializeWnd();
    virtual void DestroyWnd();
    // Paints the client area of our own (non-system) window classes; dc is off screen or the
    // one a WM_PAINT or WM_PRINTCLIENT brought.
    virtual void PaintWindow(HDC dc);
    virtual void AlignControls();
    virtual void DoKeyPress(char& key);
    void FontChanged() override;
    void ColorChanged() override;
    void BiDiModeChanged() override;
    // The extended window styles of the control's BiDiMode.
    DWORD BiDiExStyle() const;
    HBRUSH ColorBrush();
    // Fills the client area of dc with Color, or, with ParentBackground set, has the parent paint
    // there what it shows under this control.
    void PaintBackground(HDC dc);
    bool OwnPaint() const { return sysClass_.empty(); }

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = DefWindowProcA;

private:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void UpdateBoundsFromWindow();
    void PaintHandler();
    void PaintInto(HDC dc);
    void TrackMouse(TMessage& message);
    bool ForwardMouse(TMessage& message);
    bool ReflectToChild(TMessage& message);
    // An identifier no child window of this one has yet, for a child window being made.
    UINT FreeChildId();

    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabOrder_;
    bool tabStop_ = false;
    bool parentBackground_ = true;
    bool trackingMouse_ = false;
    TGraphicControl* hoverControl_ = nullptr;
    TGraphicControl* mouseControl_ = nullptr;  // pressed with the left button, holds the capture
    std::string sysClass_;
    TBrushHandle colorBrush_;
    TColor colorBrushColor_ = 0;
    UINT lastChildId_ = 0;
};

LRESULT CALLBACK FrameworkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Looks a control up by its child-window identifier under parent.
TWinControl* FindChildControl(TWinControl* parent, int id);

}  // namespace velloran
