#pragma once
// The status engine's outside world as a fuzz target makes it up: a player title and
// position, two line lists and a predictable random generator.
#include "app/StatusEngine.h"
#include "tests/fuzz/FuzzRequire.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velloran::fuzztest
{

struct TFuzzSources : TStatusSources
{
    std::string Title;
    int32_t PositionMs = 0, LengthSeconds = 0;
    std::vector<std::string> Quotes, Lyrics;
    bool RandomQuotes = false, RandomLyrics = false;
    uint32_t Seed = 0;

    std::string PlayerTitle() override { return Title; }
    int32_t QueryPlayer(int mode) override { return mode == kPlayerPosition ? PositionMs : LengthSeconds; }
    int QuoteCount() override { return CountOf(Quotes); }
    int LyricCount() override { return CountOf(Lyrics); }
    std::optional<std::string> QuoteLine(int index) override { return LineAt(Quotes, index); }
    std::optional<std::string> LyricLine(int index) override { return LineAt(Lyrics, index); }
    bool QuotesRandom() override { return RandomQuotes; }
    bool LyricsRandom() override { return RandomLyrics; }
    int RandomIndex(int count) override
    {
        Require(count >= 1);
        Seed = Seed * 1103515245u + 12345u;
        return static_cast<int>(Seed % static_cast<uint32_t>(count));
    }

    static int CountOf(const std::vector<std::string>& lines) { return static_cast<int>(lines.size()); }
    // The engine asks only for lines the count promised.
    static std::optional<std::string> LineAt(const std::vector<std::string>& lines, int index)
    {
        Require(index >= 0 && index < static_cast<int>(lines.size()));
        return lines[static_cast<std::size_t>(index)];
    }
};

} // namespace velloran::fuzztest
