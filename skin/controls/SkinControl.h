#pragma once
// The base of every control skinner. A skinner sits in the message stream of one child control
// of a skinned window, either as a hook on the control object's handler chain or, for a window
// without a control object, as a subclass of the window; it paints the control from the skin
// and gives the control back untouched when skinning goes off or the window dies.
//
// Message order for every message while skinning is on: BeforeProc; when it answers true, the
// rest of the chain (CallDefault), then AfterProc. SM_SKINENABLE switches skinning off and on;
// while off every message passes through unchanged.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "framework/ControlHook.h"
#include "framework/Controls.h"
#include "framework/Handles.h"
#include "framework/Subclass.h"
#include "skin/form/ChildSkinning.h"

namespace velloran {

class TBitmap;
class TDataSkinObject;
class TSkinData;
class TWinSkinForm;

// Skinning on (wParam > 0) or off for one control.
constexpr UINT SM_SKINENABLE = 0x3506;
// A button's Tag that asks for its parent's background under it.
constexpr int32_t kTransparentTag = 5555;

// Where the icon-and-caption routine puts the pair (the numbers of the controls' own alignments).
enum TCaptionAlignment : int { caLeft = 0, caCenter = 1, caRight = 2 };
enum TSkinMouseFlag : uint8_t { mfHot = 1, mfPressed = 2 };
enum TSkinnerStage : int32_t { sgCreated = 0, sgAttached = 1, sgWindowDestroyed = 6 };

// A bitmap of the given size to compose a paint in, copied to its target in one blit.
class TOffscreen {
public:
    TOffscreen(HDC like, int width, int height);
    HDC DC() const { return dc_.get(); }
    explicit operator bool() const { return dc_ && bitmap_; }
    bool HasSize(int width, int height) const { return width_ == width && height_ == height; }
    void CopyTo(HDC target, int x, int y) const;

private:
    int width_, height_;
    TMemoryDC dc_;
    TBitmapHandle bitmap_;
    std::unique_ptr<TSelectObject> select_;
};

class TSkinControl : public TChildSkinner {
    VELLORAN_CLASS(TSkinControl)
public:
    // owner: the control object to skin, or the form skinner for a bare window.
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // Attaches to the owner control object; a second attach changes nothing.
    virtual void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas);
    // Attaches to a window without a control object.
    virtual void InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas);
    void RestoreControl() override;
    void SkinChanged() override;
    void Release() override;

    HWND SkinnedWindow() const override { return Window; }
    TControl* SkinnedControl() const override { return Control; }
    bool WindowDestroyed() const override { return State == sgWindowDestroyed; }

    void Refresh();
    bool Hot() const { return (MouseState & mfHot) != 0; }
    bool Pressed() const { return (MouseState & mfPressed) != 0; }

    // ---- published properties by name; neutral answers for a null object or a missing one ----
    static int64_t GetPropOrd(const TPersistent* object, std::string_view name);
    static std::string GetPropEnumText(const TPersistent* object, std::string_view name);
    static std::wstring GetPropText(const TPersistent* object, std::string_view name);
    static TPersistent* GetPropObject(const TPersistent* object, std::string_view name, const TClassInfo* cls = nullptr);
    static void SetPropText(TPersistent* object, std::string_view name, std::string_view text);
    static bool HasProp(const TPersistent* object, std::string_view name);
    // The property's identifier, compared without case ("True").
    static bool PropIs(const TPersistent* object, std::string_view name, std::string_view value);

    uint8_t MouseState = 0;
    TCanvas* Canvas = nullptr;
    bool Enabled = false;
    bool Focused = false;
    std::wstring Caption;
    bool SkinActive = true;
    bool Unicode = false;
    TSkinData* SkinData = nullptr;
    HWND Window = nullptr;
    TControl* Control = nullptr;
    RECT WindowRect{};
    // A window-less control repainted instead of the window.
    TGraphicControl* GraphicControl = nullptr;
    bool UseSkinColour = false;
    TColor SavedColour = 0;
    bool SavedParentColour = false;
    bool Attached = false;
    TSkinnerStage State = sgCreated;
    TWinSkinForm* Form = nullptr;
    int32_t Kind = 0;
    bool Sized = false;
    bool ParentBackgroundSaved = false;

protected:
    // True: pass the message on, then AfterProc. False: handled here (the result is set).
    virtual bool BeforeProc(TMessage& message);
    virtual void AfterProc(TMessage& message);
    // Paints the whole window into dc, or into its window DC when dc is null.
    virtual void PaintWindow(HDC dc);
    virtual void PaintControl(HDC dc, const RECT& rect);
    // SM_SKINENABLE switched skinning of this control on or off; windows of the skinner's own
    // that cover parts of the control follow.
    virtual void SkinSwitched(bool on) {}
    void CallDefault(TMessage& message);

    // WM_PAINT of the classes that paint in BeforeProc: the DC in wParam, or BeginPaint's.
    void PaintBeginEnd(TMessage& message);
    // WM_PAINT or WM_ERASEBKGND of a skinner whose off-screen paint covers the whole window: the
    // paint done by PaintBeginEnd, the erase answered as done so that nothing shows through first.
    void PaintWithoutErase(TMessage& message);
    // WM_ERASEBKGND: the parent's background under the control, or the background colour.
    void EraseBackground(TMessage& message);
    // The skinner's own off-screen bitmap of the given size, kept from one paint to the next
    // (the one thing a skinner keeps between paints) and made again for another size.
    TOffscreen& Offscreen(HDC like, int width, int height);
    // Hooks the control object (for classes that attach their own way).
    void HookControl(TControl& control);
    void Register();
    // Hands a button-down message the skinner swallowed to the control's mouse-down handler.
    void ForwardMouseDown(const TMessage& message);

    // ---- colours ----
    COLORREF SkinBackground() const;
    // The Color of the control's parent, or the skin background.
    COLORREF ControlBackground() const;
    static void FillColour(HDC dc, const RECT& rect, COLORREF colour);
    static void FrameColour(HDC dc, const RECT& rect, COLORREF colour);
    // The parent's look under the control when transparent is set (with a control object), else
    // the skin background.
    void FillBackground(HDC dc, const RECT& rect, bool transparent) const;

    // ---- drawing ----
    // Frame `frame` of a skin object cut into frameCount horizontal frames, nine-grid fitted.
    static void DrawSkinFrame(HDC dc, const RECT& rect, int frameCount, int frame, TDataSkinObject& object);
    // Frame `frame` of a horizontal strip stretched over the rectangle, magenta transparent: on a
    // DC, on a canvas, or on a DC through TransparentBlit. One cut for all three.
    static void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& bitmap);
    static void DrawStripFrame(TCanvas& canvas, const RECT& rect, int frameCount, int frame, TBitmap& bitmap);
    static void BlitStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& bitmap);
    // Text flags with right-to-left reading added for a right-to-left control.
    UINT TextFlags(UINT flags) const;
    // The caption measured in `outer`, centred horizontally for DT_CENTER, placed vertically at
    // (outer height - text height) div 2 - 1 and drawn transparent; in the button-shadow colour
    // when disabled. Answers where it was drawn.
    RECT DrawMultiLineCaption(HDC dc, const std::wstring& text, const RECT& outer, UINT alignment, bool enabled) const;
    // An image of the list (none for a null list or index -1) and 2 pixels after it the caption on
    // one line, the pair left-aligned 3 pixels in, centred, or right-aligned 2 pixels from the
    // edge, never closer than 1 pixel to the left edge, centred vertically.
    struct TIconCaptionPlace {
        RECT Icon;
        RECT Text;
    };
    TIconCaptionPlace DrawIconAndCaption(HDC dc, HIMAGELIST images, int index, const std::wstring& text,
                                         const RECT& outer, TCaptionAlignment alignment) const;
    // The focus rectangle around a drawn caption, clipped to outer.
    static void DrawFocusAround(HDC dc, const RECT& textRect, const RECT& outer);

    // ---- reading the control ----
    std::wstring ReadWindowText() const;
    // The Caption property with a control object, else the window text.
    std::wstring ReadCaption() const;
    // The control's font, or the window's (WM_GETFONT).
    HFONT ControlFont() const;
    // The control's font colour, or the skin's text colour for a bare window.
    COLORREF FontColour() const;
    DWORD WindowStyle() const;

private:
    class TRunScope;
    void SkinWindowProc(TMessage& message);
    void PaintAtOrigin(HDC dc);
    void SwitchParentBackground(bool on);

    std::unique_ptr<TOffscreen> offscreen_;
    std::unique_ptr<TControlHook> hook_;
    std::unique_ptr<TWindowSubclass> subclass_;
    // The rest of the control's chain for the message being handled.
    const TControlHook::TNext* next_ = nullptr;
    int runDepth_ = 0;
    TSkinnerRelease release_ = srHeld;
};

// The paint for WM_PAINT: into the DC that came in wParam, or between BeginPaint and EndPaint.
template <class Paint>
void PaintForMessage(HWND window, WPARAM dcParam, Paint&& paint) {
    if (dcParam) {
        paint(reinterpret_cast<HDC>(dcParam));
        return;
    }
    TPaintScope scope(window);
    paint(scope.dc());
}

// A control's class name as the selection and the painters compare it.
std::string ControlClassName(const TControl& control);

}  // namespace velloran
