// The gallery's buttons page: one hover repaint of a skinned push button, followed by the pieces such a repaint is made of and
// the messages it sends, so that a slow repaint shows where its time goes.
#include <cstdio>

#include "framework/ControlHook.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinnerSelection.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinImage.h"
#include "tests/bench/TimingSupport.h"
#include "tools/gallery/ButtonsForm.h"

namespace velloran::bench {

namespace {

// Entering lights the button up, leaving puts it back; whatever either left to paint, on the
// button or around it, is painted before the time is taken.
void Hover(HWND button) {
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    RedrawWindow(GetParent(button), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void PrintPiece(const char* piece, double milliseconds) { std::printf("  %-58s %8.3f ms\n", piece, milliseconds); }

// The parts of one repaint of the button, each timed alone, and the messages of one hover.
void HoverPieces(TSkinData& data, TForm& form, HWND button, int runs) {
    RECT r{};
    GetWindowRect(button, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const TWindowDC screen(nullptr);
    std::printf("Pieces of a repaint of that %dx%d button, mean over %d runs:\n", width, height, runs);
    PrintPiece("off-screen bitmap made and freed (TOffscreen)",
               MeanMilliseconds(runs, [&] { TOffscreen off(screen.get(), width, height); }));
    PrintPiece("GetWindowDC and ReleaseDC", MeanMilliseconds(runs, [&] { TWindowDC dc(button, true); }));
    const TOffscreen target(screen.get(), width, height);
    PrintPiece("the skin's button frame composed (DrawSkinObject)", MeanMilliseconds(runs, [&] {
                   TDataSkinButton& art = data.Button;
                   DrawSkinObject(target.DC(), {0, 0, width, height}, *art.Bitmap, false, art.Tile == 1,
                                  art.Trans == 1, art.Frame, 1, art.Margins());
               }));
    PrintPiece("whole painter into a memory DC (WM_PAINT with a DC)", MeanMilliseconds(runs, [&] {
                   SendMessageA(button, WM_PAINT, reinterpret_cast<WPARAM>(target.DC()), 0);
               }));
    {
        const TWindowDC dc(button, true);
        PrintPiece("final BitBlt to the window", MeanMilliseconds(runs, [&] {
                       BitBlt(dc.get(), 0, 0, width, height, target.DC(), 0, 0, SRCCOPY);
                   }));
    }
    PrintPiece("InvalidateRect and UpdateWindow (Refresh), state unchanged", MeanMilliseconds(runs, [&] {
                   InvalidateRect(button, nullptr, TRUE);
                   UpdateWindow(button);
               }));
    PrintPiece("a message through the button's handler chain (WM_NULL)",
               MeanMilliseconds(runs, [&] { SendMessageA(button, WM_NULL, 0, 0); }));
    PrintPiece("GetFocus, read at every paint", MeanMilliseconds(runs, [] { GetFocus(); }));
    PrintPiece("the caption read by its property, at every paint", MeanMilliseconds(runs, [&] {
                   TSkinControl::GetPropText(TWinControl::FromHandle(button), "Caption");
               }));
    PrintPiece("the hover's closing update of the page, nothing to paint", MeanMilliseconds(runs, [&] {
                   RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
               }));
    PrintPiece("asking for the leave (RequestMouseLeave)", MeanMilliseconds(runs, [&] { RequestMouseLeave(button); }));

    // The form's own handler also sees what is performed on it directly (a parent's background
    // painted under a control), which no window message shows.
    int formPaints = 0;
    const TControlHook counter(form, [&formPaints](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg == WM_PAINT || m.Msg == WM_ERASEBKGND) ++formPaints;
        next(m);
    });
    const TMessageCensus::TCount census = TMessageCensus::Take([&] { Hover(button); });
    const HWND formWindow = form.Handle();
    std::printf("Messages of one hover (enter and leave):\n  button: %s\n  form: %s (its handler: %d paints "
                "and erases)\n  other windows: %s\n",
                TMessageCensus::Describe(census, [&](HWND w) { return w == button; }).c_str(),
                TMessageCensus::Describe(census, [&](HWND w) { return w == formWindow; }).c_str(), formPaints,
                TMessageCensus::Describe(census, [&](HWND w) { return w != button && w != formWindow; }).c_str());
}

}  // namespace

void ButtonsPageTimings(TSkinData& data, int runs) {
    InstallSkinnerSelection();
    TGalleryButtonsForm form(nullptr);
    form.Show();
    const TSkinnedForm skinner(data, form);

    TButton* button = nullptr;
    for (TComponent* component : form.ComponentList())
        if ((button = dynamic_cast<TButton*>(component)) && skinner->FindSkinner(button->Handle())) break;
    if (!button) return;
    // Two repaints.
    const double hover = MeanMilliseconds(runs, [&] { Hover(button->Handle()); });
    std::printf("Hover repaint of a skinned push button: %.3f ms mean over %d runs\n", hover / 2, runs);
    HoverPieces(data, form, button->Handle(), runs);
}

}  // namespace velloran::bench
