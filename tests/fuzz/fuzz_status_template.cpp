// Arbitrary templates, player titles and list lines through the status engine
// and its text helpers; besides not crashing, the results must keep the shapes
// the helpers promise.

#include "app/ProfileText.h"
#include "app/StatusEngine.h"
#include "app/StatusTemplate.h"
#include "tests/fuzz/FuzzStatusSources.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using namespace velloran;

using fuzztest::Require;
using fuzztest::TFuzzSources;

int32_t ReadInt32(const uint8_t* bytes)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return static_cast<int32_t>(value);
}

void CheckHelpers(std::string_view text)
{
    const std::string cut = CutPlayerSuffix(text);
    Require(text.substr(0, cut.size()) == cut);
    const std::string stripped = StripTrackNumber(text);
    Require(stripped.size() <= text.size() && text.substr(text.size() - stripped.size()) == stripped);

    if (const auto value = ParseProfileInteger(text))
    {
        Require(ProfileBool(text, false) == (*value != 0));
        Require(ParseDecimalInt32(std::to_string(*value)) == *value);
    }
    Require(TruncateProfileText(text).size() < kProfileBufferSize);

    const std::string replaced = ReplaceTagIgnoreCase(text, "%quote%", "");
    Require(ContainsTagIgnoreCase(text, "%quote%") ? replaced.size() < text.size() : replaced == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // Input layout: 12 control bytes (position, length, flags, random seed), then
    // fields separated by NUL: template, title, then quote and lyric lines
    // alternately.
    constexpr std::size_t kControlBytes = 12;
    if (size < kControlBytes)
        return 0;

    TFuzzSources sources;
    sources.PositionMs = ReadInt32(data);
    sources.LengthSeconds = ReadInt32(data + 4);
    sources.RandomQuotes = (data[8] & 1) != 0;
    sources.RandomLyrics = (data[8] & 2) != 0;
    const bool forceEachUpdate = (data[8] & 4) != 0;
    sources.Seed = static_cast<uint32_t>(ReadInt32(data + 8));

    const std::string_view rest(reinterpret_cast<const char*>(data + kControlBytes), size - kControlBytes);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;)
    {
        const std::size_t end = rest.find('\0', start);
        fields.push_back(rest.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    const std::string_view messageTemplate = fields[0];
    sources.Title = fields.size() > 1 ? std::string(fields[1]) : std::string();
    for (std::size_t i = 2; i < fields.size(); ++i)
        (i % 2 == 0 ? sources.Quotes : sources.Lyrics).emplace_back(fields[i]);

    for (std::string_view field : fields)
        CheckHelpers(field);

    if (const auto cell = ProgressCell(sources.PositionMs, sources.LengthSeconds))
        Require(*cell >= 0 && *cell <= kProgressCells);
    const std::string bar = ProgressBar(ReadInt32(data + 4));
    Require(bar.size() == kProgressCells && bar.find('|') == bar.rfind('|') && bar.find('|') != std::string::npos);

    // A few updates in a row, so that the change test and the kept lines see
    // an earlier state; the player moves on between them.
    TStatusEngineState state;
    for (int update = 0; update < 3; ++update)
    {
        state.ForcePublish = state.ForcePublish || forceEachUpdate;
        const bool mustPublish = state.ForcePublish;
        const auto text = ExpandStatus(state, messageTemplate, sources);
        Require(!mustPublish || text.has_value());
        if (text)
            Require(!state.ForcePublish && state.LastSongTitle == StripTrackNumber(CutPlayerSuffix(sources.Title)));
        sources.PositionMs = static_cast<int32_t>(static_cast<uint32_t>(sources.PositionMs) + 30000u);
    }
    return 0;
}
