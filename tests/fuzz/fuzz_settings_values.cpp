// Arbitrary text as a value read back from the settings file: integers and
// switches must read as an independent reading of the documented forms says,
// whatever the text; what the program writes must read back as written.

#include "app/ProfileText.h"
#include "tests/fuzz/FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace velloran;

using fuzztest::Require;

std::optional<int> DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    if (value >= base) return std::nullopt;
    return value;
}

// At least one digit and nothing else; nothing once the value passes `limit`.
std::optional<uint64_t> Digits(std::string_view text, int base, uint64_t limit) {
    if (text.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const std::optional<int> digit = DigitValue(c, base);
        if (!digit) return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(*digit);
        if (value > limit) return std::nullopt;
    }
    return value;
}

// "0x"/"0X" and hexadecimal digits for a 32-bit pattern, or a signed decimal
// within 32 bits.
std::optional<int32_t> ExpectedInteger(std::string_view text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::optional<uint64_t> pattern = Digits(text.substr(2), 16, 0xFFFFFFFFu);
        if (!pattern) return std::nullopt;
        return static_cast<int32_t>(static_cast<uint32_t>(*pattern));
    }
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    const std::optional<uint64_t> magnitude = Digits(text, 10, negative ? 0x80000000u : 0x7FFFFFFFu);
    if (!magnitude) return std::nullopt;
    return static_cast<int32_t>(negative ? -static_cast<int64_t>(*magnitude) : static_cast<int64_t>(*magnitude));
}

std::string HexText(int32_t value, bool upper) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, upper ? "0X%X" : "0x%x", static_cast<unsigned>(static_cast<uint32_t>(value)));
    return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // The profile functions hand back a C string, cut to the read buffer.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::string stored = TruncateProfileText(raw.substr(0, raw.find('\0')));
    Require(stored.size() < kProfileBufferSize && raw.starts_with(stored));

    const std::optional<int32_t> value = ParseProfileInteger(stored);
    Require(value == ExpectedInteger(stored));
    Require(ProfileBool(stored, false) == (value && *value != 0));
    Require(ProfileBool(stored, true) == (!value || *value != 0));
    if (value) {
        Require(ParseProfileInteger(std::to_string(*value)) == value);
        Require(ParseProfileInteger(HexText(*value, (size & 1) != 0)) == value);
        const bool on = *value != 0;
        Require(ProfileBool(ProfileBoolText(on), !on) == on);
    }
    return 0;
}
