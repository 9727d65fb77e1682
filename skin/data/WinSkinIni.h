#pragma once

// Read-only INI reader over text held in memory: the skin description comes
// out of the skin container, never from a file of its own.
// Plain standard C++; no Windows headers.

#include "skin/data/CaseInsensitiveMap.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

class TStrings;

// The lines of INI text that count: the text ends at the first NUL byte, each line is trimmed,
// and blank lines and lines starting with ';' are dropped. CR LF is one break; any other pair of
// breaks only adds an empty line.
std::vector<std::string_view> MeaningfulIniLines(std::string_view text);

// A trimmed line that opens a section: "[" ... "]".
bool IsIniSectionHeader(std::string_view line);

class TQuickIni {
public:
    // Replaces whatever was loaded before. The text ends at the first NUL byte;
    // blank lines and lines starting with ';' are dropped.
    void LoadFromStream(std::span<const std::uint8_t> bytes);

    // The value of the first line of the first section of that name whose key
    // matches; both names compare without regard to ASCII letter case. A key
    // given with an empty value yields the default and hides any later line
    // with the same key.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // Decimal with an optional sign, or hexadecimal after '$' or "0x"; up to
    // eight hexadecimal digits give the 32-bit pattern, so "$FF00000F" is a
    // system colour. Anything else, an overflow included, yields the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Every header in file order, brackets removed and the name trimmed again.
    // A header with inner blanks is listed here although look-ups, which
    // compare the whole bracketed text, do not find it.
    void ReadSections(TStrings& strings) const;

private:
    // What a look-up can find in one section: per key, the value of its first
    // line. Built once on loading, so that a look-up costs the same however
    // many sections and lines the text has.
    using TKeyValues = TCaseInsensitiveMap<std::string>;

    // The value a look-up answers with, when it is not the default.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    std::vector<std::string> headers_;          // names in file order
    TCaseInsensitiveMap<TKeyValues> sections_;  // by the text between the brackets
};

}  // namespace velloran
