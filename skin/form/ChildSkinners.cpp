// The form skinner's side of its children: the list of their skinners, the offer of every child to
// the selection when the window is initialised, and the skinners' end with the window's skinning.
#include <algorithm>

#include "framework/Forms.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {
TChildSelection* g_selection = nullptr;

bool AnswersSkinned(HWND window) { return window && SendMessageW(window, SM_ISSKINNED, 0, 0) == 1; }
}  // namespace

void SetChildSelection(TChildSelection* selection) { g_selection = selection; }
TChildSelection* ChildSelection() { return g_selection; }

void TChildSkinner::Release() { Free(this); }

bool TWinSkinForm::RegisterSkinner(TChildSkinner* skinner) {
    if (std::find(skinners_.begin(), skinners_.end(), skinner) != skinners_.end()) return true;
    skinners_.push_back(skinner);
    return false;
}

void TWinSkinForm::UnregisterSkinner(TChildSkinner* skinner) {
    const auto found = std::find(skinners_.rbegin(), skinners_.rend(), skinner);
    if (found != skinners_.rend()) skinners_.erase(std::next(found).base());
}

TChildSkinner* TWinSkinForm::FindSkinner(HWND window) const {
    for (auto it = skinners_.rbegin(); it != skinners_.rend(); ++it)
        if ((*it)->SkinnedWindow() == window) return *it;
    return nullptr;
}

bool TWinSkinForm::IsSkinned(TControl* control) const {
    if (!control) return false;
    if (auto* windowed = dynamic_cast<TWinControl*>(control);
        windowed && windowed->HandleAllocated() && AnswersSkinned(windowed->Handle()))
        return true;
    return std::any_of(skinners_.begin(), skinners_.end(),
                       [control](const TChildSkinner* s) { return s->SkinnedControl() == control; });
}

void TWinSkinForm::SkinChildWindow(HWND window) {
    if (TChildSelection* selection = ChildSelection()) selection->SkinChildWindow(*this, window);
}

void TWinSkinForm::SizeGripCreated(HWND grip) { SkinChildWindow(grip); }

void TWinSkinForm::SkinChildren() {
    TChildSelection* selection = ChildSelection();
    if (!selection) return;
    if (!Form) {
        for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) selection->SkinChildWindow(*this, child);
        return;
    }
    FreeDestroyedSkinners();
    // The list can change under the offer (a control made by an event handler): offer a copy.
    const std::vector<TComponent*> components = Form->ComponentList();
    for (TComponent* component : components)
        if (auto* control = dynamic_cast<TControl*>(component)) selection->SkinControl(*this, *control);
    // Controls that are not the form's components (made by code, owned elsewhere) are reached
    // through the tab order, nested containers included.
    std::vector<TWinControl*> pending = Form->TabList();
    while (!pending.empty()) {
        TWinControl* control = pending.front();
        pending.erase(pending.begin());
        const std::vector<TWinControl*> inner = control->TabList();
        pending.insert(pending.end(), inner.begin(), inner.end());
        OfferControl(*selection, *control);
    }
}

void TWinSkinForm::OfferControl(TChildSelection& selection, TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed || !windowed->HandleAllocated()) return;
    if (control.Tag() == SkinData->DisableTag() || AnswersSkinned(windowed->Handle())) return;
    selection.SkinControl(*this, control);
}

void TWinSkinForm::ReskinScroll(HWND window) {
    TChildSelection* selection = ChildSelection();
    TChildSkinner* skinner = FindSkinner(window);
    if (!selection || !skinner) return;
    if (selection->ReskinScroll(*this, *skinner)) {
        UnregisterSkinner(skinner);
        skinner->Release();
    }
}

void TWinSkinForm::FreeSkinners() {
    while (!skinners_.empty()) {
        TChildSkinner* skinner = skinners_.back();
        skinners_.pop_back();
        if (!skinner->WindowDestroyed()) skinner->RestoreControl();
        skinner->Release();
    }
}

void TWinSkinForm::FreeDestroyedSkinners() {
    const std::vector<TChildSkinner*> skinners = skinners_;
    for (TChildSkinner* skinner : skinners)
        if (skinner->WindowDestroyed()) {
            UnregisterSkinner(skinner);
            skinner->Release();
        }
}

}  // namespace velloran
