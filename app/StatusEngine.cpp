#include "app/StatusEngine.h"

#include "app/StatusTemplate.h"

#include <chrono>

namespace velloran
{

namespace
{

constexpr std::string_view kSongTag = "%song%";
constexpr std::string_view kProgressTag = "%progress%";
constexpr std::string_view kQuoteTag = "%quote%";
constexpr std::string_view kLyricsTag = "%lyrics%";

using TReadLine = std::optional<std::string> (TStatusSources::*)(int);

// One line of a list, drawn at random or the next in sequence; empty when the
// list is empty or the line cannot be read.
std::string PickLine(TStatusSources& sources, int count, bool randomly, int32_t& sequentialIndex,
                     TReadLine readLine)
{
    if (count < 1)
        return {};
    int index = 0;
    if (randomly)
    {
        index = sources.RandomIndex(count);
    }
    else
    {
        // Same as "add 1, back to 0 when it reaches count", without overflowing.
        sequentialIndex = sequentialIndex >= count - 1 ? 0 : sequentialIndex + 1;
        index = sequentialIndex;
    }
    return (sources.*readLine)(index).value_or(std::string());
}

// While one song plays, forced publications repeat the line the song started
// with; while the kept line is empty, each new pick becomes the kept one.
void KeepLineForSong(bool sameSong, std::string& line, std::string& sticky)
{
    if (sameSong && !sticky.empty())
        line = sticky;
    else
        sticky = line;
}

} // namespace

std::optional<std::string> ExpandStatus(TStatusEngineState& state, std::string_view messageTemplate,
                                        TStatusSources& sources)
{
    const std::string title = StripTrackNumber(CutPlayerSuffix(sources.PlayerTitle()));
    std::string text = ReplaceTagIgnoreCase(messageTemplate, kSongTag, title);

    if (ContainsTagIgnoreCase(text, kProgressTag))
    {
        const int32_t positionMs = sources.QueryPlayer(kPlayerPosition);
        const int32_t lengthSeconds = sources.QueryPlayer(kPlayerLength);
        if (const std::optional<int> cell = ProgressCell(positionMs, lengthSeconds))
        {
            if (*cell != state.LastProgressCell)
            {
                state.ForcePublish = true;
                state.LastProgressCell = *cell;
            }
            text = ReplaceTagIgnoreCase(text, kProgressTag, ProgressBar(*cell));
        }
    }

    const bool sameSong = title == state.LastSongTitle;
    if (sameSong && !state.ForcePublish)
        return std::nullopt;
    state.ForcePublish = false;

    std::string quote = PickLine(sources, sources.QuoteCount(), sources.QuotesRandom(), state.QuoteIndex,
                                 &TStatusSources::QuoteLine);
    std::string lyric = PickLine(sources, sources.LyricCount(), sources.LyricsRandom(), state.LyricIndex,
                                 &TStatusSources::LyricLine);

    KeepLineForSong(sameSong, quote, state.StickyQuote);
    text = ReplaceTagIgnoreCase(text, kQuoteTag, quote);
    KeepLineForSong(sameSong, lyric, state.StickyLyric);
    text = ReplaceTagIgnoreCase(text, kLyricsTag, lyric);

    state.LastSongTitle = title;
    return text;
}

TClockSeededRandom::TClockSeededRandom()
    : Engine(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count()))
{
}

int TClockSeededRandom::Index(int count)
{
    if (count < 2)
        return 0;
    return std::uniform_int_distribution<int>(0, count - 1)(Engine);
}

} // namespace velloran
