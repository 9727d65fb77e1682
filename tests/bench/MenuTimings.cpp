// Opening a 20-item popup menu (from the call to the menu loop's first idle moment, when every
// item is painted) and moving its selection by one item (from the key to the next idle moment),
// unskinned and then skinned in the same run.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "framework/Menus.h"
#include "skin/manager/SkinManage.h"
#include "tests/bench/TimingSupport.h"

namespace velloran::bench {

namespace {

constexpr int kItems = 20;
constexpr int kMoves = 10;

using TClock = std::chrono::steady_clock;

double Since(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// The menu's owner: the loop tells it through WM_ENTERIDLE when the popup has painted and waits.
class TMenuOwnerForm : public TForm {
public:
    using TForm::TForm;

    double OpenMs = 0;
    double MoveMs = 0;
    bool SkinnedPopup = false;

    void Open(TPopupMenu& menu) {
        idles_ = 0;
        MoveMs = 0;
        start_ = TClock::now();
        TrackPopupMenu(menu.Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_NONOTIFY | TPM_RETURNCMD, 200, 120, 0,
                       Handle(), nullptr);
    }

    void WndProc(TMessage& m) override {
        if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU) {
            Idle(reinterpret_cast<HWND>(m.LParam));
            m.Result = 0;
            return;
        }
        TForm::WndProc(m);
    }

private:
    void Idle(HWND popup) {
        if (idles_ == 0) {
            OpenMs = Since(start_);
            const TSkinManage* manager = TSkinManage::Instance();
            SkinnedPopup = manager && !manager->PopupSkinners().empty();
        } else {
            MoveMs += Since(start_);
        }
        if (idles_++ == kMoves) {
            EndMenu();
            return;
        }
        start_ = TClock::now();
        PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    }

    int idles_ = 0;
    TClock::time_point start_;
};

struct TMenuFigures {
    double Open = 0;
    double Move = 0;
};

TMenuFigures TimeMenu(TMenuOwnerForm& form, TPopupMenu& menu, int runs) {
    TMenuFigures figures;
    for (int i = 0; i < runs; ++i) {
        form.Open(menu);
        figures.Open += form.OpenMs / runs;
        figures.Move += form.MoveMs / kMoves / runs;
    }
    return figures;
}

void Pump(int ms) {
    const auto end = TClock::now() + std::chrono::milliseconds(ms);
    MSG msg;
    while (TClock::now() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
}

void FreeForm(TForm* form) { Free(form); }

using TOwnedForm = std::unique_ptr<TMenuOwnerForm, void (*)(TForm*)>;

// A shown form with a popup menu of kItems items, some checked, some with shortcuts, and separators.
TOwnedForm MenuForm(TPopupMenu*& menu) {
    TOwnedForm form(new TMenuOwnerForm(nullptr), &FreeForm);
    form->SetBounds(100, 100, 400, 300);
    menu = new TPopupMenu(form.get());
    for (int i = 0; i < kItems; ++i) {
        auto* item = new TMenuItem(form.get());
        item->SetCaption(i % 5 == 4 ? std::string("-") : std::string("Menu item ").append(std::to_string(i + 1)));
        item->SetShortCut(i % 3 == 0 ? (0x4000 | ('A' + i)) : 0);
        item->SetChecked(i % 4 == 1);
        menu->Items()->Add(item);
    }
    form->Show();
    SetForegroundWindow(form->Handle());
    return form;
}

}  // namespace

void MenuTimings(int runs) {
    TPopupMenu* menu = nullptr;
    TMenuFigures plain;
    {
        const TOwnedForm form = MenuForm(menu);
        Pump(100);
        plain = TimeMenu(*form, *menu, runs);
    }

    // Skinned as the program skins: the manager skins the form as it is made, which hands its popup
    // menu to the skin's item painters, and skins the popup window as it is made.
    auto data = std::make_unique<TSkinData>(nullptr);
    data->SkinStream = PackedDefaultSkin();
    if (!data->LoadSkin()) return;
    data->SetActive(true);
    data->Loaded();
    const TOwnedForm form = MenuForm(menu);
    for (int wait = 0; wait < 100 && !TSkinManage::Instance()->FindFormSkinner(form->Handle()); ++wait) Pump(50);
    Pump(100);
    const TMenuFigures skinned = TimeMenu(*form, *menu, runs);
    const bool popupWasSkinned = form->SkinnedPopup;
    const bool itemsBySkin = menu->OwnerDraw();
    const bool formSkinned = TSkinManage::Instance()->FindFormSkinner(form->Handle()) != nullptr;
    const size_t popupSkinners = TSkinManage::Instance()->PopupSkinners().size();

    std::printf("A %d-item popup menu, mean over %d opens (form skinned: %s, popup window skinned: %s, items drawn by "
                "the skin: %s):\n",
                kItems, runs, formSkinned ? "yes" : "NO", popupWasSkinned ? "yes" : "NO", itemsBySkin ? "yes" : "NO");
    std::printf("  open to painted   %8.3f ms unskinned %8.3f ms skinned  ratio %5.2f\n", plain.Open, skinned.Open,
                skinned.Open / plain.Open);
    std::printf("  selection move    %8.3f ms unskinned %8.3f ms skinned  ratio %5.2f%s\n", plain.Move, skinned.Move,
                skinned.Move / plain.Move, popupSkinners == 0 ? "" : "  (popup skinners left over!)");
    data.reset();
    TSkinManage::Shutdown();
}

}  // namespace velloran::bench
