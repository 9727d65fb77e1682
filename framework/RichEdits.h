#pragma once
// The rich edit: a memo kept by the system's rich text control.
#include "framework/StdCtrls.h"

namespace velloran {

class TRichEdit : public TMemo {
    VELLORAN_CLASS(TRichEdit)
public:
    explicit TRichEdit(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

}  // namespace velloran
