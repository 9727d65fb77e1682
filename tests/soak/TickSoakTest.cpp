// The main window's timer handler over many ticks while the player changes songs every few ticks
// and its position moves the progress marker: every tick that should publish does so once, with
// the status the player's title and position call for, in the registry, to the messenger and to
// the plug-in, no other tick publishes, the timer keeps its period, and the process gives back
// what it took.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "app/Main.h"
#include "app/Publisher.h"
#include "tests/app/AppTestSupport.h"
#include "tests/soak/ProcessFigures.h"

namespace velloran::soak {
namespace {

using namespace apptest;
using TickSoak = TProgramWindowsTest;

constexpr int32_t kSongSeconds = 200;

// Where the player stands at one tick: which song, and which cell of the progress bar.
struct TPlayerState {
    int Song;
    int Cell;  // 0 to 10; 10 is the song's end, drawn in the last cell
};

// Songs last 2 to 5 ticks; the marker moves every second tick of a song and jumps to the end on
// the fifth, so some ticks publish for the song, some for the marker and some not at all.
class TPlayerSchedule {
public:
    TPlayerState Next() {
        if (tick_ == TicksOfSong(song_)) ++song_, tick_ = 0;
        const int cell = tick_ == 4 ? 10 : tick_ / 2;
        ++tick_;
        return {song_, cell};
    }

private:
    static int TicksOfSong(int song) { return 2 + song % 4; }
    int song_ = 0, tick_ = 0;
};

std::string PlayerTitle(int song) {
    // Every other title carries a track number, which the status leaves out.
    const std::string name = "Band " + std::to_string(song) + " - Track " + std::to_string(song);
    return (song % 2 ? std::to_string(song % 90 + 1) + ". " : "") + name + " - Winamp";
}

std::string ExpectedStatus(const TPlayerState& state) {
    std::string bar(10, '-');
    bar[std::min(state.Cell, 9)] = '|';
    return "Now: Band " + std::to_string(state.Song) + " - Track " + std::to_string(state.Song) + " " + bar;
}

// What the plug-in stand-in wrote to its log since the last look; read piecewise so that a long run
// holds no growing copy of it.
class TLogTail {
public:
    explicit TLogTail(std::string path) : path_(std::move(path)) {}
    std::string Next() {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        if (!in) return {};
        const std::streamoff end = in.tellg();
        if (end <= read_) return {};
        std::string added(static_cast<size_t>(end - read_), '\0');
        in.seekg(read_);
        in.read(added.data(), static_cast<std::streamsize>(added.size()));
        read_ = end;
        return added;
    }

private:
    std::string path_;
    std::streamoff read_ = 0;
};

// The messages the handler posted (the messenger's command), handled without waiting.
void DeliverPosted() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string RegistryStatus() {
    const auto value = ReadValue(ProfileKeyPath("soak"), "5");
    return value ? std::string(value->Data.begin(), value->Data.end()) : "<missing>";
}

TEST_F(TickSoak, EveryTickPublishesWhatThePlayerShowsAndTheProcessStaysFlat) {
    WriteTextFile(SettingsPath(), "[General]\r\nMsg=Now: %Song% %PROGRESS%\r\n[Yahoo!]\r\nID=soak\r\nTrillian=1\r\n");
    SetEnvironmentVariableA("VELLORAN_PLUGIN_ID", "soak");
    TFakePlayer player(PlayerTitle(0), 0, kSongSeconds);
    TFakeMessenger messenger;
    CreateForms();

    TPlayerSchedule schedule;
    TPlayerState last{-1, 0};  // the handler starts without a song, its marker in cell 0
    int publications = 0;
    TLogTail pluginLog(TestFolder() + "plugin.log");
    auto tick = [&] {
        const TPlayerState now = schedule.Next();
        player.SetTitle(PlayerTitle(now.Song));
        player.SetPosition(now.Cell * kSongSeconds * 100);
        MainForm->TimerTimer(nullptr);
        DeliverPosted();
        ASSERT_TRUE(MainForm->Timer->Enabled());
        if (now.Song != last.Song || now.Cell != last.Cell) {
            ++publications;
            const std::string status = ExpectedStatus(now);
            ASSERT_EQ(RegistryStatus(), status + '\0') << "publication " << publications;
            ASSERT_EQ(pluginLog.Next(), "load reg5=\"" + status + "\" posted=1\ncall \"" + status + "\" 0\nfree\n")
                << "publication " << publications;
        }
        ASSERT_EQ(pluginLog.Next(), "") << "song " << now.Song << ", cell " << now.Cell;
        ASSERT_EQ(messenger.Notifications(), publications) << "song " << now.Song << ", cell " << now.Cell;
        last = now;
    };

    // A warm-up song first: whatever the first publication sets up for good is made by then.
    for (int i = 0; i < 5; ++i) tick();
    const int ticks = SoakCount("VELLORAN_SOAK_TICKS", 200);
    TSoakRun run("timer ticks", ticks);
    for (int i = 0; i < ticks && !HasFatalFailure(); ++i) tick();
    run.Finish();
    EXPECT_EQ(MainForm->Timer->Interval(), 2500);
    std::printf("[soak] timer ticks: %d publications, each as expected in the registry, the messenger and the plug-in\n",
                publications);
}

}  // namespace
}  // namespace velloran::soak
