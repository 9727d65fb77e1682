#include "framework/Dialogs.h"

#include <memory>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace velloran {

namespace {
struct TFreeComponent {
    void operator()(TComponent* c) const { Free(c); }
};
}  // namespace

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    std::unique_ptr<TForm, TFreeComponent> form(new TForm(nullptr));
    form->SetBorderStyle(bsDialog);
    form->SetPosition(poScreenCenter);
    form->SetCaption(caption);
    form->Font()->SetName("Tahoma");
    form->Font()->SetHeight(-11);
    form->SetClientWidth(300);
    form->SetClientHeight(98);

    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetBounds(12, 10, 276, 16);
    label->SetCaption(prompt);

    auto* edit = new TEdit(form.get());
    edit->SetName("Edit");
    edit->SetParent(form.get());
    edit->SetBounds(12, 30, 276, 21);
    edit->SetText(value);

    auto* ok = new TButton(form.get());
    ok->SetName("OKButton");
    ok->SetParent(form.get());
    ok->SetBounds(68, 64, 75, 25);
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);

    auto* cancel = new TButton(form.get());
    cancel->SetName("CancelButton");
    cancel->SetParent(form.get());
    cancel->SetBounds(157, 64, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);

    form->SetActiveControl(edit);
    form->OnShow = [edit](TObject*) { edit->SelectAll(); };
    if (form->ShowModal() != mrOk) return false;
    value = edit->Text();
    return true;
}

}  // namespace velloran
