#pragma once
// A radio button, for choices the framework has no control for yet: checking it runs its click
// handler, a click on a checked one changes nothing, and unchecking the others of its group is
// left to the handler.
#include "framework/StdCtrls.h"

namespace velloran {

class TChoiceButton : public TCheckBox {
    VELLORAN_CLASS(TChoiceButton)
public:
    explicit TChoiceButton(TComponent* owner);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

}  // namespace velloran
