#include "app/StatusEngine.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace velloran
{
namespace
{

// A scripted player and two line lists; records what the engine asked the player.
class TFakeSources : public TStatusSources
{
public:
    std::string Title;
    int32_t PositionMs = -1;
    int32_t LengthSeconds = 0;
    std::vector<std::string> Quotes, Lyrics;
    bool RandomQuotes = false, RandomLyrics = false;
    std::deque<int> RandomPicks;
    std::vector<int> PlayerQueries;

    std::string PlayerTitle() override { return Title; }
    int32_t QueryPlayer(int mode) override
    {
        PlayerQueries.push_back(mode);
        return mode == kPlayerPosition ? PositionMs : LengthSeconds;
    }
    int QuoteCount() override { return static_cast<int>(Quotes.size()); }
    std::optional<std::string> QuoteLine(int index) override { return LineAt(Quotes, index); }
    bool QuotesRandom() override { return RandomQuotes; }
    int LyricCount() override { return static_cast<int>(Lyrics.size()); }
    std::optional<std::string> LyricLine(int index) override { return LineAt(Lyrics, index); }
    bool LyricsRandom() override { return RandomLyrics; }
    int RandomIndex(int count) override
    {
        const int pick = RandomPicks.empty() ? 0 : RandomPicks.front();
        if (!RandomPicks.empty())
            RandomPicks.pop_front();
        return pick % count;
    }

private:
    static std::optional<std::string> LineAt(const std::vector<std::string>& lines, int index)
    {
        if (index < 0 || index >= static_cast<int>(lines.size()))
            return std::nullopt;
        return lines[static_cast<std::size_t>(index)];
    }
};

class StatusEngine : public ::testing::Test
{
protected:
    TStatusEngineState State;
    TFakeSources Sources;

    std::optional<std::string> Update(std::string_view messageTemplate)
    {
        return ExpandStatus(State, messageTemplate, Sources);
    }
    std::optional<std::string> Play(const std::string& song, std::string_view messageTemplate)
    {
        Sources.Title = song + " - Winamp";
        return Update(messageTemplate);
    }
};

TEST_F(StatusEngine, SongTitleLosesTrackNumberAndPlayerName)
{
    Sources.Title = "5. Band - Track - Winamp";
    EXPECT_EQ(Update("Now: %SONG%"), "Now: Band - Track");
    Sources.Title = "1.Band - Track - Winamp";
    EXPECT_EQ(Update("%song%"), "and - Track");
    EXPECT_EQ(State.LastSongTitle, "and - Track");
}

TEST_F(StatusEngine, NothingIsPublishedWithoutPlayerUntilForced)
{
    EXPECT_FALSE(Update("[%song%] %progress%"));
    EXPECT_EQ(Sources.PlayerQueries, (std::vector<int>{kPlayerPosition, kPlayerLength}));
    State.ForcePublish = true;
    EXPECT_EQ(Update("[%song%] %progress%"), "[] %progress%");
    EXPECT_FALSE(State.ForcePublish);
}

TEST_F(StatusEngine, ProgressBarFollowsThePlayer)
{
    Sources.LengthSeconds = 200;
    Sources.PositionMs = 95000;
    EXPECT_EQ(Play("A", "%PROGRESS%"), "----|-----");
    Sources.PositionMs = 200000;
    EXPECT_EQ(Play("B", "%progress%"), "---------|");
    Sources.PositionMs = -1;
    EXPECT_EQ(Play("C", "%progress%"), "|---------");
    Sources.PositionMs = 2000000;
    EXPECT_EQ(Play("D", "%progress%"), "---------|");
    Sources.LengthSeconds = 0;
    EXPECT_EQ(Play("E", "%Progress%"), "%Progress%");
}

TEST_F(StatusEngine, PlayerIsQueriedOnlyForAProgressTag)
{
    Sources.LengthSeconds = 100;
    Play("A", "%song% %quote%");
    EXPECT_TRUE(Sources.PlayerQueries.empty());
    // A tag that arrives with the song title counts too.
    Play("%progress%", "%song%");
    EXPECT_EQ(Sources.PlayerQueries, (std::vector<int>{kPlayerPosition, kPlayerLength}));
}

TEST_F(StatusEngine, WithoutProgressEachSongIsPublishedOnce)
{
    Sources.Quotes = {"q1", "q2"};
    Sources.LengthSeconds = 100;
    int publications = 0;
    for (int32_t ms = 0; ms <= 100000; ms += 2500)
    {
        Sources.PositionMs = ms;
        publications += Play("Band - One", "%song% %quote%").has_value();
    }
    EXPECT_EQ(publications, 1);
    EXPECT_EQ(Play("Band - Two", "%song% %quote%"), "Band - Two q2");
}

TEST_F(StatusEngine, WithProgressEachNewCellPublishesKeepingQuoteAndLyric)
{
    Sources.Quotes = {"q1", "q2", "q3"};
    Sources.Lyrics = {"l1", "l2"};
    Sources.LengthSeconds = 100;
    std::vector<std::string> published;
    for (int32_t ms = 0; ms <= 110000; ms += 2500)
    {
        Sources.PositionMs = ms;
        if (auto text = Play("Song", "%progress% %quote% %lyrics%"))
            published.push_back(*text);
    }
    // The first update publishes for the new song; cells 1 to 10 each publish once more.
    ASSERT_EQ(published.size(), 11u);
    EXPECT_EQ(published.front(), "|--------- q1 l1");
    EXPECT_EQ(published[4], "----|----- q1 l1");
    EXPECT_EQ(published.back(), "---------| q1 l1");
    // Every publication moved the sequence on, even though the kept lines were shown.
    EXPECT_EQ(State.QuoteIndex, 10 % 3);
    EXPECT_EQ(State.LyricIndex, 10 % 2);
}

TEST_F(StatusEngine, SequentialQuotesWrapAround)
{
    Sources.Quotes = {"A", "B", "C"};
    std::vector<std::string> shown;
    for (const char* song : {"S1", "S2", "S3", "S1"})
        shown.push_back(Play(song, "%quote%").value_or("<none>"));
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "B", "C", "A"}));
}

TEST_F(StatusEngine, ClosingTheQuoteEditorMidSongKeepsTheQuote)
{
    Sources.Quotes = {"A", "B", "C"};
    EXPECT_EQ(Play("S1", "%quote%"), "A");
    // The editor's hiding resets its index and forces an update.
    State.QuoteIndex = -1;
    State.ForcePublish = true;
    EXPECT_EQ(Play("S1", "%quote%"), "A");
    EXPECT_EQ(State.QuoteIndex, 0);
    EXPECT_EQ(Play("S2", "%quote%"), "B");
}

TEST_F(StatusEngine, RandomPicksUseTheDrawnIndex)
{
    Sources.Quotes = {"only"};
    Sources.RandomQuotes = true;
    Sources.Lyrics = {"l0", "l1", "l2"};
    Sources.RandomLyrics = true;
    Sources.RandomPicks = {0, 2, 0, 1};
    EXPECT_EQ(Play("S1", "%quote%/%lyrics%"), "only/l2");
    EXPECT_EQ(Play("S2", "%quote%/%lyrics%"), "only/l1");
    EXPECT_EQ(State.QuoteIndex, -1);
}

TEST_F(StatusEngine, EmptiedListKeepsTheQuoteUntilTheNextSong)
{
    Sources.Quotes = {"kept"};
    EXPECT_EQ(Play("S1", "<%quote%>"), "<kept>");
    Sources.Quotes.clear();
    State.ForcePublish = true;
    EXPECT_EQ(Play("S1", "<%quote%>"), "<kept>");
    EXPECT_EQ(Play("S2", "<%quote%>"), "<>");
}

TEST_F(StatusEngine, SongThatStartedWithoutALineTakesTheNextPick)
{
    EXPECT_EQ(Play("S1", "<%lyrics%>"), "<>");
    Sources.Lyrics = {"late", "later"};
    State.ForcePublish = true;
    EXPECT_EQ(Play("S1", "<%lyrics%>"), "<late>");
    State.ForcePublish = true;
    EXPECT_EQ(Play("S1", "<%lyrics%>"), "<late>");
}

TEST_F(StatusEngine, UnreadableLineLeavesTheTagEmpty)
{
    class TUnreadableQuotes : public TFakeSources
    {
    public:
        std::optional<std::string> QuoteLine(int) override { return std::nullopt; }
    } sources;
    sources.Title = "S1 - Winamp";
    sources.Quotes = {"A"};
    sources.Lyrics = {"L"};
    EXPECT_EQ(ExpandStatus(State, "<%quote%|%lyrics%>", sources), "<|L>");
    EXPECT_EQ(State.QuoteIndex, 0);
}

TEST_F(StatusEngine, LaterTagsAreReplacedInsideEarlierReplacements)
{
    Sources.Quotes = {"q %LYRICS%"};
    Sources.Lyrics = {"la %song%"};
    EXPECT_EQ(Play("%lyrics% band", "%song% | %quote%"), "la %song% band | q la %song%");
}

} // namespace
} // namespace velloran
