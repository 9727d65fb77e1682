#include "app/StatusTemplate.h"

#include <algorithm>
#include <charconv>

namespace velloran
{

namespace
{

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoreCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// Position of the first case-insensitive occurrence of tag at or after from.
std::size_t FindTag(std::string_view text, std::string_view tag, std::size_t from)
{
    if (tag.empty() || tag.size() > text.size())
        return std::string_view::npos;
    for (std::size_t pos = from; pos + tag.size() <= text.size(); ++pos)
    {
        if (SameIgnoreCase(text.substr(pos, tag.size()), tag))
            return pos;
    }
    return std::string_view::npos;
}

} // namespace

std::optional<int32_t> ParseDecimalInt32(std::string_view text)
{
    // std::from_chars takes a '-' but no '+'; a '+' may not be followed by another sign.
    if (!text.empty() && text.front() == '+')
    {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
    if (error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::string CutPlayerSuffix(std::string_view title)
{
    const std::size_t dash = title.rfind('-');
    if (dash == std::string_view::npos || dash < 2)
        return {};
    return std::string(title.substr(0, dash - 1));
}

std::string StripTrackNumber(std::string_view title)
{
    const std::size_t dot = title.find('.');
    if (dot == std::string_view::npos || dot == 0 || !ParseDecimalInt32(title.substr(0, dot)))
        return std::string(title);
    // The number, the dot and the blank that normally follows it; a title that
    // ends right after the dot loses everything.
    const std::size_t cut = std::min(dot + 2, title.size());
    return std::string(title.substr(cut));
}

bool ContainsTagIgnoreCase(std::string_view text, std::string_view tag)
{
    return FindTag(text, tag, 0) != std::string_view::npos;
}

std::string ReplaceTagIgnoreCase(std::string_view text, std::string_view tag, std::string_view value)
{
    std::string result;
    result.reserve(text.size());
    std::size_t done = 0;
    for (std::size_t pos = FindTag(text, tag, 0); pos != std::string_view::npos;
         pos = FindTag(text, tag, done))
    {
        result.append(text.substr(done, pos - done));
        result.append(value);
        done = pos + tag.size();
    }
    result.append(text.substr(done));
    return result;
}

std::optional<int> ProgressCell(int32_t positionMs, int32_t lengthSeconds)
{
    const int32_t positionSeconds = positionMs / 1000;
    if (lengthSeconds <= 0 || positionSeconds < 0)
        return std::nullopt;
    const int64_t cell = int64_t{positionSeconds} * kProgressCells / lengthSeconds;
    return static_cast<int>(std::min<int64_t>(cell, kProgressCells));
}

std::string ProgressBar(int cell)
{
    std::string bar(kProgressCells, '-');
    bar[static_cast<std::size_t>(std::clamp(cell, 0, kProgressCells - 1))] = '|';
    return bar;
}

} // namespace velloran
