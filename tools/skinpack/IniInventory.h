#pragma once

// What a skin description holds, line by line, so that the checker can say
// which sections and keys the program never reads. Lines are kept and split
// exactly as TQuickIni keeps them; a look-up marks the line TQuickIni would
// answer it from.

#include "skin/data/CaseInsensitiveMap.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

class TIniInventory {
public:
    explicit TIniInventory(std::string_view text);

    // The program looked up this key in this section.
    void MarkRead(std::string_view section, std::string_view key);

    // One line per section or key that no look-up reached, with the reason.
    std::vector<std::string> Ignored() const;

private:
    struct TLine {
        std::string Text;
        std::string Key;  // trimmed text before the first '='; empty without '='
        bool HasEquals = false;
        bool Read = false;
    };
    // Name -> index of its first occurrence, so that neither a look-up nor the report scans
    // the text again.
    using TFirstIndex = TCaseInsensitiveMap<std::size_t>;

    struct TSection {
        std::string Header;  // with its brackets
        bool LookedUp = false;
        std::vector<TLine> Lines;
        TFirstIndex FirstKeyLine;  // lines with '=' only
    };

    std::vector<TLine> preamble_;  // lines before the first header
    std::vector<TSection> sections_;
    TFirstIndex firstSection_;  // by the text between the brackets
};

}  // namespace velloran
