#pragma once
// Controls made in code the way form data makes them: owned by and placed on the form.
#include <string>

#include "framework/Forms.h"

namespace velloran {

struct TPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

template <class T>
T* PlaceControl(TForm& form, TPlace place, const std::string& caption = {}) {
    auto* control = new T(&form);
    control->SetParent(&form);
    control->SetBounds(place.Left, place.Top, place.Width, place.Height);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
}

// The look every gallery window shares with the program's own windows.
inline void UseProgramFont(TForm& form) {
    form.Font()->SetName("Tahoma");
    form.Font()->SetHeight(-11);
}

}  // namespace velloran
