#pragma once
// The modal input box.
#include <string>

namespace velloran {

// Shows a modal box with a prompt, an edit holding value, OK and Cancel. On OK stores the
// entered text in value and returns true; on Cancel leaves value alone and returns false.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace velloran
