#pragma once

// Trimming as the skin description files have always been read: every byte
// up to and including the space counts as blank, so tabs, CR and other control
// characters go with the spaces.

#include <string_view>

namespace velloran {

constexpr bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

constexpr std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace velloran
