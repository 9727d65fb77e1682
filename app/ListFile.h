#pragma once
// The text of a quote or lyric list file as the editors take it in.
#include <string>
#include <string_view>

namespace velloran {

// The list is plain text: it ends at the first zero byte, whatever follows.
std::string ListFileText(std::string_view bytes);

}  // namespace velloran
