#include "framework/vendor/AcmeTabs.h"

#include <commctrl.h>

#include "framework/Messages.h"

namespace velloran {

const TClassInfo& TAcmePageControl::StaticClassInfo() {
    using C = TAcmePageControl;
    static const TClassInfo info =
        DefineClass<C>("TAcmePageControl", &TPageControl::StaticClassInfo(),
                       {props::SubObject("TabBackGround", &C::TabBackGround),
                        props::SubObject("TabBackGroundActive", &C::TabBackGroundActive)});
    return info;
}

TAcmePageControl::TAcmePageControl(TComponent* owner)
    : TPageControl(owner), tabBackGround_(std::make_unique<TBitmap>()), tabBackGroundActive_(std::make_unique<TBitmap>()) {
    SetOwnerDraw(true);
    tabBackGround_->OnChange = [this](TObject*) { Invalidate(); };
    tabBackGroundActive_->OnChange = [this](TObject*) { Invalidate(); };
}

void TAcmePageControl::WndProc(TMessage& m) {
    // The system leaves the row beside the tabs to the program that draws them.
    if (m.Msg == WM_ERASEBKGND) {
        RECT client = ClientRect();
        FillRect(reinterpret_cast<HDC>(m.WParam), &client, ColorBrush());
        m.Result = 1;
        return;
    }
    if (m.Msg == CN_DRAWITEM) {
        DrawTab(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    }
    TPageControl::WndProc(m);
}

void TAcmePageControl::DrawTab(const DRAWITEMSTRUCT& item) {
    const bool selected = static_cast<int>(item.itemID) == TabIndex();
    TBitmap& picture = selected ? *tabBackGroundActive_ : *tabBackGround_;
    RECT r = item.rcItem;
    if (picture.Empty()) {
        FillRect(item.hDC, &r, GetSysColorBrush(selected ? COLOR_WINDOW : COLOR_BTNFACE));
    } else {
        TCanvas canvas(item.hDC);
        canvas.StretchDraw(r, picture);
    }
    char text[80] = {};
    TCITEMA tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = text;
    tab.cchTextMax = sizeof text;
    SendMessageA(handle_, TCM_GETITEMA, item.itemID, reinterpret_cast<LPARAM>(&tab));
    SetBkMode(item.hDC, TRANSPARENT);
    // Dark text on a light picture, light text on a dark one.
    const TColor middle = picture.Empty() ? static_cast<TColor>(GetSysColor(COLOR_BTNFACE))
                                          : picture.Canvas().Pixels(picture.Width() / 2, picture.Height() / 2);
    const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(middle));
    const int lightness = (GetRValue(rgb) * 299 + GetGValue(rgb) * 587 + GetBValue(rgb) * 114) / 1000;
    SetTextColor(item.hDC, lightness < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0));
    DrawTextA(item.hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void RegisterAcmeTabs() { RegisterComponentClass(TAcmePageControl::StaticClassInfo()); }

}  // namespace velloran
