#pragma once
// Line breaks as the platform's multi-line edit control wants them.
#include <string>
#include <string_view>

namespace velloran {

// Every CR LF, lone CR and lone LF of the text becomes CR LF; the lines themselves are kept
// (SplitLines gives the same lines before and after).
std::string NormalizeLineBreaks(std::string_view text);

}  // namespace velloran
