#include "skin/data/WinSkinIni.h"

#include "framework/Classes.h"
#include "skin/data/TextTrim.h"

#include <cstdint>
#include <optional>

namespace velloran {
namespace {

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

// "$" followed by hexadecimal digits whose value fits in 32 bits.
std::optional<int32_t> ParseHexadecimal(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        const auto digit = HexDigitValue(c);
        if (!digit) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(*digit);
        if (value > UINT32_MAX) return std::nullopt;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<int32_t> ParseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::optional<int32_t> ParseInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return ParseHexadecimal(text.substr(2));
    if (!text.empty() && text.front() == '$') return ParseHexadecimal(text.substr(1));
    return ParseDecimal(text);
}

}  // namespace

std::vector<std::string_view> MeaningfulIniLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = TrimBlanks(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.front() != ';') lines.push_back(line);
    }
    return lines;
}

bool IsIniSectionHeader(std::string_view line) { return !line.empty() && line.front() == '[' && line.back() == ']'; }

void TQuickIni::LoadFromStream(std::span<const std::uint8_t> bytes) {
    headers_.clear();
    sections_.clear();

    // Lines before the first header, and those of a section named again, belong to no
    // section a look-up finds.
    TKeyValues* section = nullptr;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const std::string_view line : MeaningfulIniLines(text)) {
        if (IsIniSectionHeader(line)) {
            headers_.emplace_back(TrimBlanks(line.substr(1, line.size() - 2)));
            const auto [entry, added] = sections_.try_emplace(std::string(line.substr(1, line.size() - 2)));
            section = added ? &entry->second : nullptr;
            continue;
        }
        if (!section) continue;
        // A line without '=' has an empty key and value: it answers a look-up of the empty key
        // with the default.
        const std::size_t equals = line.find('=');
        const std::string_view name = equals == std::string_view::npos ? std::string_view() : line.substr(0, equals);
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
        if (!section->contains(TrimBlanks(name))) section->emplace(TrimBlanks(name), TrimBlanks(value));
    }
}

std::optional<std::string_view> TQuickIni::Find(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(section);
    if (found == sections_.end()) return std::nullopt;
    const auto value = found->second.find(key);
    if (value == found->second.end() || value->second.empty()) return std::nullopt;
    return value->second;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return std::string(Find(section, key).value_or(defaultValue));
}

int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    const std::optional<std::string_view> value = Find(section, key);
    return (value ? ParseInteger(*value) : std::nullopt).value_or(defaultValue);
}

void TQuickIni::ReadSections(TStrings& strings) const {
    strings.Clear();
    for (const std::string& header : headers_) strings.Add(header);
}

}  // namespace velloran
