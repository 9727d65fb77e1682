#include "app/ListFile.h"

namespace velloran {

std::string ListFileText(std::string_view bytes) { return std::string(bytes.substr(0, bytes.find('\0'))); }

}  // namespace velloran
