#include "app/ProfileText.h"

#include "app/StatusTemplate.h"

#include <charconv>

namespace velloran
{

std::optional<int32_t> ParseProfileInteger(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    {
        const std::string_view digits = text.substr(2);
        uint32_t pattern = 0;
        const char* end = digits.data() + digits.size();
        // Unsigned parsing refuses any sign after the prefix.
        const auto [stop, error] = std::from_chars(digits.data(), end, pattern, 16);
        if (error != std::errc{} || stop != end)
            return std::nullopt;
        return static_cast<int32_t>(pattern);
    }
    return ParseDecimalInt32(text);
}

bool ProfileBool(std::string_view stored, bool defaultValue)
{
    const std::optional<int32_t> value = ParseProfileInteger(stored);
    return value ? *value != 0 : defaultValue;
}

const char* ProfileBoolText(bool value)
{
    return value ? "1" : "0";
}

std::string TruncateProfileText(std::string_view text)
{
    return std::string(text.substr(0, kProfileBufferSize - 1));
}

} // namespace velloran
