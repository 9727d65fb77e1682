#include "tools/gallery/BarsForm.h"

#include "framework/ExtCtrls.h"
#include "framework/Frames.h"
#include "framework/Gauges.h"
#include "framework/HeaderControls.h"
#include "framework/StatusBars.h"
#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

namespace {

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 420;
constexpr int kBarHeight = 22;
// Posted to the page to make its size grip after the showing.
constexpr UINT kMakeSizeGrip = WM_APP + 1;

// A control placed inside another control, owned by the form.
template <class T>
T* PlaceInside(TForm& form, TWinControl& parent, TPlace place, const std::string& caption = {}) {
    auto* control = new T(&form);
    control->SetParent(&parent);
    control->SetBounds(place.Left, place.Top, place.Width, place.Height);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

// A small form shown inside the page as one of its controls, reading right to left.
class TRightToLeftForm : public TForm {
public:
    explicit TRightToLeftForm(TComponent* owner) : TForm(owner) {
        SetBorderStyle(bsNone);
        SetBiDiMode(bdRightToLeft);
        UseProgramFont(*this);
        auto* box = PlaceControl<TGroupBox>(*this, {6, 4, 228, 58}, "Right to left");
        box->SetBiDiMode(bdRightToLeft);
        PlaceInside<TCheckBox>(*this, *box, {10, 22, 150, 17}, "Option")->SetBiDiMode(bdRightToLeft);
        auto* status = PlaceControl<TStatusBar>(*this, {0, 70, 240, kBarHeight});
        status->SetBiDiMode(bdRightToLeft);
        status->AddPanel("Left", 110)->SetAlignment(taLeftJustify);
        status->AddPanel("Right", 110)->SetAlignment(taRightJustify);
    }
};

}  // namespace

const TClassInfo& TGalleryBarsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryBarsForm>("TGalleryBarsForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryBarsForm::TGalleryBarsForm(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetCaption("Bars and gauges");
    UseProgramFont(*this);
    SetClientWidth(kClientWidth);
    SetClientHeight(kClientHeight);
    AddGauges();
    AddContainers();
    AddStatusBars();
}

void TGalleryBarsForm::AddStatusBars() {
    auto* simple = PlaceControl<TStatusBar>(*this, {0, kClientHeight - 2 * kBarHeight - 4, kClientWidth, kBarHeight});
    simple->SetSimpleText("Simple mode: one text across the bar");
    simple->SetSizeGrip(false);
    // The bar leaves the corner to the bare size grip.
    auto* panels = PlaceControl<TStatusBar>(
        *this, {0, kClientHeight - kBarHeight, kClientWidth - GetSystemMetrics(SM_CXVSCROLL), kBarHeight});
    panels->SetSizeGrip(false);
    panels->SetAnchors(AnchorBit(akLeft) | AnchorBit(akRight) | AnchorBit(akBottom));
    panels->AddPanel("Lowered, left", 120);
    TStatusPanel* raised = panels->AddPanel("Raised, right", 120);
    raised->SetBevel(pbRaised);
    raised->SetAlignment(taRightJustify);
    TStatusPanel* flat = panels->AddPanel("No bevel, centre", 130);
    flat->SetBevel(pbNone);
    flat->SetAlignment(taCenter);
    panels->AddPanel("", 100)->SetStyle(psOwnerDraw);
    panels->OnDrawPanel = [](TStatusBar*, TStatusPanel*, HDC dc, const RECT& r) {
        // Three lamps, drawn by the panel's owner.
        const COLORREF lamps[] = {RGB(40, 170, 60), RGB(230, 180, 30), RGB(200, 50, 40)};
        const int size = r.bottom - r.top - 8;
        for (int i = 0; i < 3; ++i) {
            TBrushHandle brush(CreateSolidBrush(lamps[i]));
            TSelectObject select(dc, brush.get());
            const int left = r.left + 6 + i * (size + 4);
            Ellipse(dc, left, r.top + 4, left + size, r.top + 4 + size);
        }
    };
}

// The skin takes a bare size grip only when it is made in a window that is skinned already: the
// page makes it once it is on screen, and so once activated and skinned.
void TGalleryBarsForm::MakeSizeGrip() {
    if (sizeGrip_ || !HandleAllocated()) return;
    sizeGrip_.reset(CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0,
                                    GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL), Handle(), nullptr,
                                    GetModuleHandleW(nullptr), nullptr));
    PlaceSizeGrip();
}

void TGalleryBarsForm::PlaceSizeGrip() {
    if (!sizeGrip_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    RECT grip{};
    GetWindowRect(sizeGrip_.get(), &grip);
    SetWindowPos(sizeGrip_.get(), nullptr, client.right - (grip.right - grip.left), client.bottom - (grip.bottom - grip.top),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGalleryBarsForm::WndProc(TMessage& m) {
    switch (m.Msg) {
        case kMakeSizeGrip:
            MakeSizeGrip();
            return;
        case WM_SHOWWINDOW:
            if (m.WParam && !sizeGrip_) PostMessageW(Handle(), kMakeSizeGrip, 0, 0);
            break;
        case WM_DESTROY:
            sizeGrip_.reset();  // while its parent still stands, and only once
            break;
        default:
            break;
    }
    TForm::WndProc(m);
    if (m.Msg == WM_SIZE) PlaceSizeGrip();
}

void TGalleryBarsForm::AddGauges() {
    auto* header = PlaceControl<THeaderControl>(*this, {12, 12, 300, 20});
    for (const char* title : {"Name", "Size", "Modified"}) header->AddSection(title, 100);

    const int positions[] = {30, 75};
    for (int i = 0; i < 2; ++i) {
        auto* bar = PlaceControl<TProgressBar>(*this, {12, 44 + i * 26, 300, 18});
        bar->SetPosition(positions[i]);
        if (i == 0) progress_ = bar;
    }
    auto* ranged = PlaceControl<TProgressBar>(*this, {12, 96, 300, 18});
    ranged->SetMin(10);
    ranged->SetMax(20);
    ranged->SetPosition(15);
    for (int i = 0; i < 2; ++i) {
        auto* upright = PlaceControl<TProgressBar>(*this, {324 + i * 26, 12, 18, 120});
        upright->SetOrientation(pbVertical);
        upright->SetPosition(i == 0 ? 40 : 90);
    }
    auto* lying = PlaceControl<TTrackBar>(*this, {12, 124, 300, 34});
    lying->SetPosition(3);
    auto* upright = PlaceControl<TTrackBar>(*this, {380, 8, 40, 150});
    upright->SetOrientation(trVertical);
    upright->SetPosition(6);
    auto* label = PlaceControl<TLabel>(*this, {430, 12, 120, 16}, "Track: 6");
    upright->OnChange = [upright, label](TObject*) { label->SetCaption("Track: " + std::to_string(upright->Position())); };
}

void TGalleryBarsForm::AddContainers() {
    const int top = 168;
    auto* titled = PlaceControl<TGroupBox>(*this, {12, top, 170, 90}, "Group box");
    PlaceInside<TCheckBox>(*this, *titled, {12, 24, 140, 17}, "Inside a group");
    PlaceInside<TRadioButton>(*this, *titled, {12, 48, 140, 17}, "And a radio button")->SetChecked(true);
    auto* bare = PlaceControl<TGroupBox>(*this, {190, top, 122, 90});
    PlaceInside<TCheckBox>(*this, *bare, {12, 30, 100, 17}, "No caption");
    auto* panel = PlaceControl<TPanel>(*this, {12, top + 98, 170, 66});
    panel->SetBevelOuter(bvRaised);
    PlaceInside<TCheckBox>(*this, *panel, {12, 24, 140, 17}, "On a panel")->SetChecked(true);
    auto* frame = PlaceControl<TFrame>(*this, {190, top + 98, 122, 66});
    PlaceInside<TLabel>(*this, *frame, {6, 6, 110, 16}, "A frame");
    PlaceInside<TProgressBar>(*this, *frame, {6, 30, 110, 16})->SetPosition(60);

    auto* embedded = new TRightToLeftForm(this);
    embedded->SetParent(this);
    embedded->SetBounds(320, top, 240, 100);
    embedded->Show();
}

}  // namespace velloran
