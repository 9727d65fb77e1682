#include "framework/LineBreaks.h"

namespace velloran {

std::string NormalizeLineBreaks(std::string_view text) {
    std::string normalized;
    normalized.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            normalized += c;
            continue;
        }
        normalized += "\r\n";
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    return normalized;
}

}  // namespace velloran
