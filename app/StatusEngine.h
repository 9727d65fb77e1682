#pragma once

// The periodic status update: expands the user's template from the player and
// the two line lists and decides whether the result is worth publishing.
// Trimming the working set and publishing stay with the caller.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace velloran
{

// Engine state owned by the main window (which derives from this struct).
struct TStatusEngineState
{
    std::string LastSongTitle, MessageTemplate, AwayMessage, YahooId;
    bool EnableAwayMsg = false, Busy = false, ForcePublish = false, ShowingStatusDialog = false;
    int32_t QuoteIndex = -1, LyricIndex = -1, LastProgressCell = 0;
    std::string StickyQuote, StickyLyric;
};

// What an update reads from the outside world.
class TStatusSources
{
public:
    virtual ~TStatusSources() = default;

    // The player's main window title as read into its 2048-byte buffer; empty
    // when the player is not running.
    virtual std::string PlayerTitle() = 0;
    // Mode 0: play position in ms (negative when stopped); mode 1: length in s
    // (zero or negative when unknown). 0 when the player is not running.
    virtual int32_t QueryPlayer(int mode) = 0;

    virtual int QuoteCount() = 0;
    virtual std::optional<std::string> QuoteLine(int index) = 0;
    virtual bool QuotesRandom() = 0;

    virtual int LyricCount() = 0;
    virtual std::optional<std::string> LyricLine(int index) = 0;
    virtual bool LyricsRandom() = 0;

    // Uniform over 0 .. count - 1; count is at least 1.
    virtual int RandomIndex(int count) = 0;
};

inline constexpr int kPlayerPosition = 0;
inline constexpr int kPlayerLength = 1;

// Runs one update on state. Returns the text to publish, or nothing when
// neither the song nor the progress marker changed and no publication was
// forced (state is then unchanged).
std::optional<std::string> ExpandStatus(TStatusEngineState& state, std::string_view messageTemplate,
                                        TStatusSources& sources);

// Uniform list picks, seeded once from the clock when constructed.
class TClockSeededRandom
{
public:
    TClockSeededRandom();
    // 0 .. count - 1; 0 for a count below 2.
    int Index(int count);

private:
    std::mt19937 Engine;
};

} // namespace velloran
