#include "skin/controls/SkinEdits.h"

#include "skin/controls/SkinSpin.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {
constexpr COLORREF kLining = RGB(255, 255, 255);

// The edit leaves its client clip on a DC it was given to paint in; the frame lies outside it.
void OpenClip(HDC dc) { SelectClipRgn(dc, nullptr); }
}  // namespace

void DrawEditFrame(HDC dc, const RECT& rect, COLORREF border, int linings) {
    TBrushHandle outer(CreateSolidBrush(border)), lining(CreateSolidBrush(kLining));
    FrameRect(dc, &rect, outer.get());
    RECT inner = rect;
    for (int i = 0; i < linings; ++i) {
        InflateRect(&inner, -1, -1);
        FrameRect(dc, &inner, lining.get());
    }
}

bool IsSpinClassName(const std::string& className) {
    const std::string lower = LowerCase(className);
    return lower == "msctls_updown32" || lower.find("spin") != std::string::npos ||
           lower.find("updown") != std::string::npos;
}

const TClassInfo& TSkinEdit::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinEdit>("TSkinEdit", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinEdit::TSkinEdit(TComponent* owner) : TSkinControl(owner) {}

void TSkinEdit::AfterProc(TMessage& m) {
    switch (m.Msg) {
        case WM_PRINTCLIENT:
            PrintBorder(m.WParam ? reinterpret_cast<HDC>(m.WParam) : nullptr);
            break;
        case WM_NCPAINT:
            // The system's edge was just drawn over the frame.
            PaintWindow(nullptr);
            break;
        case SM_EDITSELFPAINT:
            if (m.LParam != kEditSelfPaintCode) break;
            {
                TMessage paint{WM_PAINT, m.WParam, 0, 0};
                CallDefault(paint);
            }
            m.Result = kEditSelfPaintCode;
            break;
        default:
            TSkinControl::AfterProc(m);
            break;
    }
}

bool TSkinEdit::Borderless(int slack) const {
    RECT window{}, client{};
    GetWindowRect(Window, &window);
    GetClientRect(Window, &client);
    return client.right + slack >= window.right - window.left || client.bottom + slack >= window.bottom - window.top;
}

TSkinUpDown* TSkinEdit::Spin() const {
    return spinWindow_ && Form ? dynamic_cast<TSkinUpDown*>(Form->FindSkinner(spinWindow_)) : nullptr;
}

// The spin's skinner belongs to the form skinner, as any skinner of a bare window, so that it
// goes with the spin's window whatever becomes of the edit's.
void TSkinEdit::FindSpin() {
    if (Spin() || !(SkinData->SkinControls() & SkinBit(xcSpin))) return;
    for (HWND child = GetTopWindow(Window); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSpinClassName(WindowClassName(child))) continue;
        auto* spin = new TSkinUpDown(Form);
        spin->Embedded = true;
        spin->InitSkinHandle(child, SkinData, Form, Canvas);
        spinWindow_ = child;
        return;
    }
}

void TSkinEdit::PaintControl(HDC dc, const RECT& rect) {
    FindSpin();
    if (Borderless(0)) return;
    TSavedDC saved(dc);
    OpenClip(dc);
    DrawEditFrame(dc, rect, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])), 2);
}

void TSkinEdit::PrintBorder(HDC dc) {
    if (Borderless(2)) return;
    if (!dc) {
        TWindowDC windowDC(Window, true);
        if (windowDC) PrintBorder(windowDC.get());
        return;
    }
    RECT window{};
    GetWindowRect(Window, &window);
    const RECT outer{0, 0, window.right - window.left, window.bottom - window.top};
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    TSavedDC saved(dc);
    OpenClip(dc);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    FrameColour(dc, outer, ColorToRGB(static_cast<TColor>(SkinData->Colors[ciButtonShadow])));
}

}  // namespace velloran
