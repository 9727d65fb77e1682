#include "tools/gallery/ChoiceButton.h"

namespace velloran {

const TClassInfo& TChoiceButton::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TChoiceButton>("TChoiceButton", &TCheckBox::StaticClassInfo());
    return info;
}

TChoiceButton::TChoiceButton(TComponent* owner) : TCheckBox(owner) {}

void TChoiceButton::CreateParams(TCreateParams& p) {
    TCheckBox::CreateParams(p);
    p.Style = (p.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_RADIOBUTTON;
}

void TChoiceButton::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        if (!Checked()) SetChecked(true);
        return;
    }
    TCheckBox::WndProc(m);
}

}  // namespace velloran
