#pragma once
// The edit skinner: a flat frame in the skin's border colour with a white lining around an edit
// that has a border, drawn after the edit painted itself; the edit keeps its own text painting.
// A spin button living inside the edit is found by its class name and skinned with it.
#include "skin/controls/SkinControl.h"

namespace velloran {

class TSkinUpDown;

// Asks an edit skinner to let its edit paint itself into the DC in wParam; answered with the
// same code when a skinner did.
constexpr UINT SM_EDITSELFPAINT = 0xBC4A;
constexpr LPARAM kEditSelfPaintCode = 0x41A2;

class TSkinEdit : public TSkinControl {
    VELLORAN_CLASS(TSkinEdit)
public:
    explicit TSkinEdit(TComponent* owner);

    // The spin skinner found inside the edit, or null.
    TSkinUpDown* Spin() const;

protected:
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void FindSpin();
    // WM_PRINTCLIENT: the frame drawn with the DC's own brush inside the border colour.
    void PrintBorder(HDC dc);
    // The window has no border: its client area is as wide or as high as the window, less slack.
    bool Borderless(int slack) const;

    HWND spinWindow_ = nullptr;
};

// The edit's flat frame: one pixel in the border colour, then `linings` white ones inside.
void DrawEditFrame(HDC dc, const RECT& rect, COLORREF border, int linings);

// True for the class names of spin buttons that may live inside an edit.
bool IsSpinClassName(const std::string& className);

}  // namespace velloran
