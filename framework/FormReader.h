#pragma once
// Turns parsed form data into live components: the form's own properties, the components it
// owns, their nesting, event handlers bound to the form's methods and references between them.
#include <string_view>

#include "framework/Classes.h"
#include "framework/FormData.h"

namespace velloran {

// Messages of property errors read "Error reading Label1.Caption: <reason> (line N)".
class EReadError : public EPropertyError {
public:
    using EPropertyError::EPropertyError;
};

// Reads form data into an existing root component, normally a form whose constructor calls
// this. Every component created is owned by the root, however deep it is nested; on an error
// the ones already created stay with the root and go when it goes.
void ReadRootComponent(TComponent& root, const TFormObject& tree);

// Parses the text first; malformed text is reported as EReadError with the parser's message.
void ReadRootComponentFromText(TComponent& root, std::string_view text);

}  // namespace velloran
