// Velloran.exe as a user runs it, next to the stand-ins for Winamp, Yahoo! Messenger and the
// Trillian plug-in: what it publishes, when it publishes, and that it leaves its settings alone.
#include "tests/tools/ChildProcess.h"
#include "tests/tools/ScratchFolder.h"
#include "tests/tools/ScopedEnvironment.h"
#include "tests/tray/TrayTestSupport.h"
#include "tools/substitutes/SubstituteProtocol.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using velloran::testing::ChildProcess;
using velloran::testing::ScopedEnvironment;
using namespace std::chrono_literals;

constexpr char kYahooId[] = "e2e_user";
constexpr char kMainWindowClass[] = "TMainForm";
// A step that has to happen gets this long; the program ticks every 2.5 s.
constexpr auto kStepTimeout = 15s;
// Long enough for two ticks, for checking that a tick publishes nothing.
constexpr auto kTwoTicks = 6s;

fs::path binaryDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

std::string quoted(const fs::path& path) { return '"' + path.string() + '"'; }

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

std::vector<std::string> readLines(const fs::path& path) {
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    return lines;
}

// The lines of a log another process appends to, once there are at least COUNT of them or the
// step has timed out.
std::vector<std::string> waitForLines(const fs::path& path, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + kStepTimeout;
    auto lines = readLines(path);
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(50ms);
        lines = readLines(path);
    }
    return lines;
}

std::string lowercaseHex(const std::string& bytes) {
    std::string hex;
    for (const unsigned char byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return hex;
}

// What the messenger stand-in prints for a status published by Velloran when not busy.
std::string messengerStatusLine(const std::string& text) {
    return "status \"" + text + "\" busy=0 bin=" + lowercaseHex(text + '\0') + " w=\"" + text + "\" dnd1=0";
}

// What the plug-in stand-in logs for one publication: the registry already holds the text when
// the library loads, and the messenger command went to the messenger's window rather than to
// Velloran's own queue.
std::vector<std::string> pluginPublicationLines(const std::string& text) {
    return {"load reg5=\"" + text + "\" posted=0", "call \"" + text + "\" 0", "free"};
}

std::vector<std::string> concatenated(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
};

std::optional<RegistryValue> readProfileValue(const char* name) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, substitute::customMessagesKey(kYahooId).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return std::nullopt;
    const velloran::TRegKey key(raw);
    RegistryValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    if (RegQueryValueExA(key.get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

bool profileKeyExists() {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, substitute::customMessagesKey(kYahooId).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(raw);
    return true;
}

void deleteProfile() {
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string("Software\\Yahoo\\Pager\\profiles\\") + kYahooId).c_str());
}

void expectProfileHolds(const std::string& text) {
    const std::string withZero = text + '\0';
    const std::string notBusy(4, '\0');
    const auto expectValue = [](const char* name, DWORD type, const std::string& bytes) {
        const std::optional<RegistryValue> value = readProfileValue(name);
        ASSERT_TRUE(value) << "no value " << name;
        EXPECT_EQ(value->type, type) << name;
        EXPECT_EQ(value->bytes, bytes) << name;
    };
    expectValue("5", REG_SZ, withZero);
    expectValue("5_bin", REG_BINARY, withZero);
    expectValue("5_DND", REG_DWORD, notBusy);
    expectValue("1_DND", REG_DWORD, notBusy);
    expectValue("1_W", REG_SZ, withZero);
}


// Makes FOLDER the current directory, and so the one the programs started meanwhile begin in.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~ScopedCurrentDirectory() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    fs::path previous_;
};

// The Yahoo! profile Velloran writes to, absent when the test starts and removed when it ends.
class CleanProfile {
public:
    CleanProfile() { deleteProfile(); }
    ~CleanProfile() { deleteProfile(); }
    CleanProfile(const CleanProfile&) = delete;
    CleanProfile& operator=(const CleanProfile&) = delete;
};

class VelloranEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Another player would be the one Velloran reads; the checks below would mean nothing.
        ASSERT_EQ(FindWindowA(substitute::kPlayerWindowClass, nullptr), nullptr) << "a player is already running";
        ASSERT_EQ(FindWindowA(substitute::kMessengerWindowClass, nullptr), nullptr) << "a messenger is already running";

        fs::copy_file(binaryDirectory() / "Velloran.exe", folder.path() / "Velloran.exe");
        fs::copy_file(binaryDirectory() / "Velloran.dll", folder.path() / "Velloran.dll");
        writeFile(settingsPath(),
                  "[General]\r\n"
                  "Msg=Now: %song% %progress%\r\n"
                  "[Yahoo!]\r\n"
                  "ID=e2e_user\r\n"
                  "Trillian=1\r\n");
        writeFile(quotesPath(), "Fortune favours the bold.\r\nLess is more.\r\n");
        writeFile(lyricsPath(), "la\nli\nlo");
        settingsAtStart = readFile(settingsPath());
        quotesAtStart = readFile(quotesPath());
        lyricsAtStart = readFile(lyricsPath());

        messenger.emplace(quoted(binaryDirectory() / "SubstituteMessenger.exe") + " --id " + kYahooId + " --log " +
                          quoted(messengerLog()));
        ASSERT_NE(messenger->waitForWindow(substitute::kMessengerWindowClass), nullptr);
    }

    HWND startPlayer(const std::string& title, int positionMs, int lengthSeconds) {
        player.emplace(quoted(binaryDirectory() / "SubstitutePlayer.exe") + " --title \"" + title + "\" --position " +
                       std::to_string(positionMs) + " --length " + std::to_string(lengthSeconds));
        return player->waitForWindow(substitute::kPlayerWindowClass);
    }

    void startVelloran() {
        const ScopedCurrentDirectory inFolder(folder.path());
        velloran.emplace(quoted(folder.path() / "Velloran.exe"));
    }

    HWND velloranMainWindow() const { return velloran->waitForWindow(kMainWindowClass, kStepTimeout); }

    // Closing the main window ends the program; it must end cleanly and leave its files as they were.
    void closeVelloranAndCheckFiles() {
        const HWND mainWindow = velloranMainWindow();
        ASSERT_NE(mainWindow, nullptr) << "Velloran has no window of class " << kMainWindowClass;
        EXPECT_FALSE(IsWindowVisible(mainWindow)) << "Velloran runs hidden";
        ASSERT_TRUE(PostMessageA(mainWindow, WM_CLOSE, 0, 0));
        EXPECT_EQ(velloran->waitForExit(kStepTimeout), std::optional<DWORD>(0));
        EXPECT_EQ(readFile(settingsPath()), settingsAtStart) << "Velloran.ini was rewritten";
        EXPECT_EQ(readFile(quotesPath()), quotesAtStart) << "Velloran.dat was rewritten";
        EXPECT_EQ(readFile(lyricsPath()), lyricsAtStart) << "Velloran Lyrics.dat was rewritten";
    }

    fs::path settingsPath() const { return folder.path() / "Velloran.ini"; }
    fs::path quotesPath() const { return folder.path() / "Velloran.dat"; }
    fs::path lyricsPath() const { return folder.path() / "Velloran Lyrics.dat"; }
    fs::path messengerLog() const { return folder.path() / "messenger.log"; }
    fs::path pluginLog() const { return folder.path() / "plugin.log"; }

    // Declared first so that it goes last, after every program that uses it has ended.
    velloran::testing::ScratchFolder folder{"velloran_e2e"};
    CleanProfile profile;
    ScopedEnvironment pluginLogVariable{substitute::kPluginLogVariable, pluginLog().string()};
    ScopedEnvironment pluginIdVariable{substitute::kPluginIdVariable, kYahooId};
    std::string settingsAtStart;
    std::string quotesAtStart;
    std::string lyricsAtStart;
    std::optional<ChildProcess> messenger;
    std::optional<ChildProcess> player;
    std::optional<ChildProcess> velloran;
};

TEST_F(VelloranEndToEndTest, PublishesEachNewSongAndMarkerMoveOnceThroughAllThreeChannels) {
    // 85 s of 200 s: the fifth of ten cells.
    const HWND playerWindow = startPlayer("12. Artist - Song - Winamp", 85000, 200);
    ASSERT_NE(playerWindow, nullptr);
    startVelloran();

    const std::string first = "Now: Artist - Song ----|-----";
    EXPECT_EQ(waitForLines(messengerLog(), 1), std::vector<std::string>{messengerStatusLine(first)});
    EXPECT_EQ(waitForLines(pluginLog(), 3), pluginPublicationLines(first));
    expectProfileHolds(first);

    // The same song at the same marker is not published again.
    std::this_thread::sleep_for(kTwoTicks);
    EXPECT_EQ(readLines(messengerLog()).size(), 1u);
    EXPECT_EQ(readLines(pluginLog()).size(), 3u);

    const char nextTitle[] = "3. Other Band - Other Song - Winamp";
    SendMessageA(playerWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(nextTitle));
    const std::string second = "Now: Other Band - Other Song ----|-----";
    EXPECT_EQ(waitForLines(messengerLog(), 2),
              (std::vector<std::string>{messengerStatusLine(first), messengerStatusLine(second)}));
    EXPECT_EQ(waitForLines(pluginLog(), 6),
              concatenated(pluginPublicationLines(first), pluginPublicationLines(second)));
    expectProfileHolds(second);

    // 150 s of 200 s moves the marker to the eighth cell: the same song is published again.
    SendMessageA(playerWindow, substitute::kSetPositionMessage, 150000, 0);
    const std::string third = "Now: Other Band - Other Song -------|--";
    EXPECT_EQ(waitForLines(messengerLog(), 3),
              (std::vector<std::string>{messengerStatusLine(first), messengerStatusLine(second),
                                        messengerStatusLine(third)}));
    EXPECT_EQ(waitForLines(pluginLog(), 9),
              concatenated(concatenated(pluginPublicationLines(first), pluginPublicationLines(second)),
                           pluginPublicationLines(third)));
    expectProfileHolds(third);

    // The position moves on within the same cell: nothing new to publish.
    SendMessageA(playerWindow, substitute::kSetPositionMessage, 155000, 0);
    std::this_thread::sleep_for(kTwoTicks);
    EXPECT_EQ(readLines(messengerLog()).size(), 3u);
    EXPECT_EQ(readLines(pluginLog()).size(), 9u);

    closeVelloranAndCheckFiles();
    // Each call freed the plug-in, so none is left loaded to note the end of the process.
    EXPECT_EQ(readLines(pluginLog()).size(), 9u);
}

TEST_F(VelloranEndToEndTest, PublishesNothingWhileNoPlayerRuns) {
    startVelloran();
    // Two ticks, counted from the moment the program is up.
    EXPECT_NE(velloranMainWindow(), nullptr);
    std::this_thread::sleep_for(kTwoTicks);
    EXPECT_EQ(readLines(messengerLog()), std::vector<std::string>{});
    EXPECT_FALSE(profileKeyExists());
    EXPECT_FALSE(fs::exists(pluginLog()));

    closeVelloranAndCheckFiles();
}

TEST_F(VelloranEndToEndTest, LivesInTheTrayAndTakesQuotesAndLyricsInTurn) {
    writeFile(settingsPath(),
              "[General]\r\n"
              "Msg=%song%: %quote% | %lyrics%\r\n"
              "Random=0\r\n"
              "RandomLyrics=0\r\n"
              "[Yahoo!]\r\n"
              "ID=e2e_user\r\n");
    settingsAtStart = readFile(settingsPath());
    const HWND playerWindow = startPlayer("Band - One - Winamp", 1000, 200);
    ASSERT_NE(playerWindow, nullptr);
    startVelloran();

    std::vector<std::string> expected{messengerStatusLine("Band - One: Fortune favours the bold. | la")};
    EXPECT_EQ(waitForLines(messengerLog(), 1), expected);

    // Exactly one of the program's hidden windows holds an icon in the notification area.
    std::vector<HWND> inTray;
    for (HWND wnd : velloran->windows("TPUtilWindow"))
        if (velloran::traytest::InShell(wnd)) inTray.push_back(wnd);
    ASSERT_EQ(inTray.size(), 1u);

    for (const auto& [title, status] :
         {std::pair{"Band - Two - Winamp", "Band - Two: Less is more. | li"},
          std::pair{"Band - Three - Winamp", "Band - Three: Fortune favours the bold. | lo"},
          std::pair{"Band - Four - Winamp", "Band - Four: Less is more. | la"}}) {
        SendMessageA(playerWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title));
        expected.push_back(messengerStatusLine(status));
        EXPECT_EQ(waitForLines(messengerLog(), expected.size()), expected);
    }

    closeVelloranAndCheckFiles();
    EXPECT_FALSE(velloran::traytest::InShell(inTray.front())) << "the icon outlived the program";
}

}  // namespace
