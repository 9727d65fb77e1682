// The stand-ins for Winamp, Yahoo! Messenger and the Trillian plug-in behave as the Velloran
// tests and the demo rely on.
#include "ChildProcess.h"
#include "ScratchFolder.h"
#include "ScopedEnvironment.h"
#include "tools/substitutes/SubstituteProtocol.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using velloran::testing::ChildProcess;
using velloran::testing::ScopedEnvironment;
using namespace std::chrono_literals;

fs::path binaryDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
}

std::string quoted(const fs::path& path)
{
    std::string text = path.string();
    text.insert(text.begin(), '"');
    text.push_back('"');
    return text;
}

// A Yahoo! profile that exists only for the test; its key tree is deleted at the end.
class ScratchProfile {
public:
    ScratchProfile() : id_(velloran::testing::UniqueTestName("substitutes_test")) {}
    ~ScratchProfile() { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\Yahoo\\Pager\\profiles\\" + id_).c_str()); }
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

    const std::string& id() const { return id_; }

    void write(const char* name, DWORD type, const void* data, std::size_t size) const
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, substitute::customMessagesKey(id_).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const velloran::TRegKey owner(key);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size)),
                  ERROR_SUCCESS);
    }
    void writeString(const char* name, const std::string& text) const
    {
        write(name, REG_SZ, text.c_str(), text.size() + 1);
    }
    void writeDword(const char* name, DWORD number) const { write(name, REG_DWORD, &number, sizeof number); }

private:
    std::string id_;
};


std::vector<std::string> readLines(const fs::path& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// The lines of a file that another process appends to, once there are at least COUNT of them.
std::vector<std::string> waitForLines(const fs::path& path, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    auto lines = readLines(path);
    while (lines.size() < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
        lines = readLines(path);
    }
    return lines;
}

std::string windowTitle(HWND window)
{
    char title[512] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

// ---------------------------------------------------------------------------------------------

class SubstitutePlayerTest : public ::testing::Test {
protected:
    static std::string player() { return quoted(binaryDirectory() / "SubstitutePlayer.exe"); }

    static LRESULT position(HWND window)
    {
        return SendMessageA(window, WM_USER, substitute::kOutputTimePosition, substitute::kIpcGetOutputTime);
    }
    static LRESULT length(HWND window)
    {
        return SendMessageA(window, WM_USER, substitute::kOutputTimeLength, substitute::kIpcGetOutputTime);
    }
};

TEST_F(SubstitutePlayerTest, ShowsTheTitleAndAnswersTheTimesGivenOnItsCommandLine)
{
    ChildProcess process(player() + " --title \"12. Artist - Song - Winamp\" --position 61500 --length 245");
    const HWND window = process.waitForWindow(substitute::kPlayerWindowClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(windowTitle(window), "12. Artist - Song - Winamp");
    EXPECT_EQ(position(window), 61500);
    EXPECT_EQ(length(window), 245);
}

TEST_F(SubstitutePlayerTest, IsStoppedUntilToldAPosition)
{
    ChildProcess process(player() + " --title \"1. A - B - Winamp\"");
    const HWND window = process.waitForWindow(substitute::kPlayerWindowClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(position(window), -1);
    EXPECT_EQ(length(window), 0);
}

TEST_F(SubstitutePlayerTest, TakesNewTitlePositionAndLengthWhileRunning)
{
    ChildProcess process(player() + " --title \"1. A - B - Winamp\" --position 1000 --length 100");
    const HWND window = process.waitForWindow(substitute::kPlayerWindowClass);
    ASSERT_NE(window, nullptr);

    const char newTitle[] = "7. Someone Else - Another Song - Winamp";
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newTitle));
    EXPECT_EQ(windowTitle(window), newTitle);

    SendMessageA(window, substitute::kSetPositionMessage, 183250, 0);
    SendMessageA(window, substitute::kSetLengthMessage, 301, 0);
    EXPECT_EQ(position(window), 183250);
    EXPECT_EQ(length(window), 301);

    // Stopping is a negative position passed as a 32-bit value.
    SendMessageA(window, substitute::kSetPositionMessage, static_cast<WPARAM>(static_cast<std::uint32_t>(-1)), 0);
    EXPECT_EQ(position(window), -1);
}

TEST_F(SubstitutePlayerTest, DemoPlaysAMadeUpSongInRealTime)
{
    ChildProcess process(player() + " --demo");
    const HWND window = process.waitForWindow(substitute::kPlayerWindowClass);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(std::regex_match(windowTitle(window), std::regex(R"(1\. [^-]+ - [^-]+ - Winamp)")))
        << windowTitle(window);
    EXPECT_GE(length(window), 15);
    EXPECT_LE(length(window), 25);

    const LRESULT before = position(window);
    std::this_thread::sleep_for(1s);
    const LRESULT after = position(window);
    EXPECT_GE(before, 0);
    EXPECT_GE(after - before, 600);
    EXPECT_LE(after - before, 3000);
}

TEST_F(SubstitutePlayerTest, RefusesArgumentsItDoesNotKnow)
{
    ChildProcess unknown(player() + " --volume 3");
    EXPECT_EQ(unknown.waitForExit(), 2u);
    ChildProcess notANumber(player() + " --position soon");
    EXPECT_EQ(notANumber.waitForExit(), 2u);
}

// ---------------------------------------------------------------------------------------------

class SubstituteMessengerTest : public ::testing::Test {
protected:
    std::string messenger(const std::string& arguments) const
    {
        return quoted(binaryDirectory() / "SubstituteMessenger.exe") + " --id " + profile.id() + " --log " +
               quoted(log()) + arguments;
    }
    fs::path log() const { return scratch.path() / "messenger.log"; }

    velloran::testing::ScratchFolder scratch{"velloran_substitutes"};
    ScratchProfile profile;
};

TEST_F(SubstituteMessengerTest, ReportsTheCustomMessagesOnEachStatusCommand)
{
    ChildProcess process(messenger(""), true);
    const HWND window = process.waitForWindow(substitute::kMessengerWindowClass);
    ASSERT_NE(window, nullptr);

    profile.writeString("5", "Now: Song");
    const char withZero[] = "Now: Song";
    profile.write("5_bin", REG_BINARY, withZero, sizeof withZero);
    profile.writeDword("5_DND", 1);
    profile.writeDword("1_DND", 1);
    profile.writeString("1_W", "Now: Song");
    PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, substitute::kStatusChangedLParam);
    const std::string first = R"(status "Now: Song" busy=1 bin=4e6f773a20536f6e6700 w="Now: Song" dnd1=1)";
    EXPECT_EQ(process.readOutputLine(), first);

    profile.writeString("5", "Next");
    profile.write("5_bin", REG_BINARY, "Next", 5);
    profile.writeDword("5_DND", 0);
    profile.writeDword("1_DND", 0);
    profile.writeString("1_W", "Next");
    PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, substitute::kStatusChangedLParam);
    const std::string second = R"(status "Next" busy=0 bin=4e65787400 w="Next" dnd1=0)";
    EXPECT_EQ(process.readOutputLine(), second);

    EXPECT_EQ(waitForLines(log(), 2), (std::vector<std::string>{first, second}));
}

// The demo's line per publication: the plug-in's part compares the status with the newest call
// that its log gained since the last line.
TEST_F(SubstituteMessengerTest, SummarisesEachPublicationWithWhatThePluginGot)
{
    const fs::path pluginLog = scratch.path() / "plugin.log";
    std::ofstream(pluginLog) << "load reg5=\"\" posted=0\ncall \"before the start\" 0\nfree\n";
    ChildProcess process(messenger(" --summary " + quoted(pluginLog)), true);
    const HWND window = process.waitForWindow(substitute::kMessengerWindowClass);
    ASSERT_NE(window, nullptr);
    const auto publish = [&](const char* status, const char* pluginLine) {
        profile.writeString("5", status);
        profile.writeDword("5_DND", 1);
        PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, substitute::kStatusChangedLParam);
        if (pluginLine)
            std::ofstream(pluginLog, std::ios::app) << pluginLine << "\n";
        return process.readOutputLine().value_or("(no line)");
    };
    const std::regex time(R"(\d\d:\d\d:\d\d  )");
    const auto withoutTime = [&](const std::string& line) { return std::regex_replace(line, time, ""); };

    EXPECT_EQ(withoutTime(publish("Now: Song", "call \"Now: Song\" 1")),
              R"("Now: Song"  busy=1  plug-in got the same text)");
    EXPECT_EQ(withoutTime(publish("Next", nullptr)), R"("Next"  busy=1  plug-in not called)");
    EXPECT_EQ(withoutTime(publish("Third", "call \"Other \" text\" 0")),
              R"("Third"  busy=1  plug-in got "Other " text")");
}

TEST_F(SubstituteMessengerTest, ShowsMissingAndMistypedValuesAsNone)
{
    ChildProcess process(messenger(""), true);
    const HWND window = process.waitForWindow(substitute::kMessengerWindowClass);
    ASSERT_NE(window, nullptr);

    PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, substitute::kStatusChangedLParam);
    EXPECT_EQ(process.readOutputLine(), "status none busy=none bin=none w=none dnd1=none");

    profile.writeString("5", "");
    profile.writeString("5_DND", "1");
    profile.write("5_bin", REG_BINARY, "", 0);
    profile.writeString("1_DND", "0");
    PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, substitute::kStatusChangedLParam);
    EXPECT_EQ(process.readOutputLine(), R"(status "" busy=none bin= w=none dnd1=none)");
}

TEST_F(SubstituteMessengerTest, ReportsOtherCommandsWithoutReadingTheStatus)
{
    ChildProcess process(messenger(""), true);
    const HWND window = process.waitForWindow(substitute::kMessengerWindowClass);
    ASSERT_NE(window, nullptr);
    profile.writeString("5", "ignored");

    PostMessageA(window, WM_COMMAND, substitute::kStatusChangedCommand, 0);
    PostMessageA(window, WM_COMMAND, 389, substitute::kStatusChangedLParam);
    EXPECT_EQ(process.readOutputLine(), "command wParam=388 lParam=0");
    EXPECT_EQ(process.readOutputLine(), "command wParam=389 lParam=1");
    EXPECT_EQ(waitForLines(log(), 2),
              (std::vector<std::string>{"command wParam=388 lParam=0", "command wParam=389 lParam=1"}));
}

TEST_F(SubstituteMessengerTest, OpensAnInstantMessageWindowWhenAsked)
{
    ChildProcess process(messenger(" --im-window \"alice - Instant Message\""));
    const HWND window = process.waitForWindow(substitute::kImWindowClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowTitle(window), "alice - Instant Message");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(process.waitForWindow(substitute::kMessengerWindowClass), nullptr);
    EXPECT_EQ(SendMessageA(window, substitute::kImCaptionActiveMessage, 0, 0), 0);

    // The title and the caption's state change on request.
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("bob - Chat"));
    EXPECT_EQ(windowTitle(window), "bob - Chat");
    SendMessageA(window, substitute::kSetImCaptionMessage, 1, 0);
    EXPECT_EQ(SendMessageA(window, substitute::kImCaptionActiveMessage, 0, 0), 1);
    SendMessageA(window, substitute::kSetImCaptionMessage, 0, 0);
    EXPECT_EQ(SendMessageA(window, substitute::kImCaptionActiveMessage, 0, 0), 0);
}

TEST_F(SubstituteMessengerTest, DrawsTheInstantMessageCaptionActiveWhenAsked)
{
    ChildProcess process(messenger(" --im-window \"carol - Instant Message\" --im-active"));
    const HWND window = process.waitForWindow(substitute::kImWindowClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, substitute::kImCaptionActiveMessage, 0, 0), 1);
}

TEST_F(SubstituteMessengerTest, NeedsAYahooId)
{
    ChildProcess process(quoted(binaryDirectory() / "SubstituteMessenger.exe") + " --log " + quoted(log()));
    EXPECT_EQ(process.waitForExit(), 2u);
}

// ---------------------------------------------------------------------------------------------

using SetStatus = void(__stdcall*)(const char* text, BOOL autoRespond);

class TrillianPluginTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Nothing this test posted to its own queue may reach the next one.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    static void postToOwnQueue(WPARAM command)
    {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // makes sure the thread has a queue
        ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_COMMAND, command, substitute::kStatusChangedLParam));
    }

    velloran::testing::ScratchFolder scratch{"velloran_substitutes"};
    ScratchProfile profile;
    fs::path log = scratch.path() / "plugin.log";
    ScopedEnvironment logVariable{substitute::kPluginLogVariable, log.string()};
    ScopedEnvironment idVariable{substitute::kPluginIdVariable, std::nullopt};
};

TEST_F(TrillianPluginTest, NotesRegistryAndQueuedCommandAtLoadThenEachCallThenTheFree)
{
    profile.writeString("5", "Now: Song 1:02");
    const ScopedEnvironment withId(substitute::kPluginIdVariable, profile.id());
    postToOwnQueue(substitute::kStatusChangedCommand);

    velloran::TModuleHandle plugin(LoadLibraryA((binaryDirectory() / "Velloran.dll").string().c_str()));
    ASSERT_TRUE(plugin);
    const auto setStatus = reinterpret_cast<SetStatus>(GetProcAddress(plugin.get(), substitute::kTrillianExport));
    ASSERT_NE(setStatus, nullptr);
    EXPECT_EQ(GetProcAddress(plugin.get(), "MyTrill_SetStatus@8"), nullptr);

    setStatus("Now: Song 1:02", TRUE);
    setStatus("low byte clear", 0x100);
    setStatus("low byte set", static_cast<BOOL>(0xffffff01));
    plugin.reset();

    EXPECT_EQ(readLines(log), (std::vector<std::string>{
                                  R"(load reg5="Now: Song 1:02" posted=1)",
                                  R"(call "Now: Song 1:02" 1)",
                                  R"(call "low byte clear" 0)",
                                  R"(call "low byte set" 1)",
                                  "free",
                              }));
}

TEST_F(TrillianPluginTest, NotesNeitherWithoutAnIdOrAStatusCommand)
{
    profile.writeString("5", "not asked for");
    postToOwnQueue(substitute::kStatusChangedCommand + 1);

    velloran::TModuleHandle plugin(LoadLibraryA((binaryDirectory() / "Velloran.dll").string().c_str()));
    ASSERT_TRUE(plugin);
    plugin.reset();

    EXPECT_EQ(readLines(log), (std::vector<std::string>{R"(load reg5="" posted=0)", "free"}));
}

TEST_F(TrillianPluginTest, WritesBesideItselfWhenNoLogIsNamed)
{
    const ScopedEnvironment noLog(substitute::kPluginLogVariable, std::nullopt);
    const fs::path copy = scratch.path() / "Velloran.dll";
    fs::copy_file(binaryDirectory() / "Velloran.dll", copy);

    velloran::TModuleHandle plugin(LoadLibraryA(copy.string().c_str()));
    ASSERT_TRUE(plugin);
    const auto setStatus = reinterpret_cast<SetStatus>(GetProcAddress(plugin.get(), substitute::kTrillianExport));
    ASSERT_NE(setStatus, nullptr);
    setStatus("beside", FALSE);
    plugin.reset();

    EXPECT_EQ(readLines(scratch.path() / "Velloran.dll.log"),
              (std::vector<std::string>{R"(load reg5="" posted=0)", R"(call "beside" 0)", "free"}));
    EXPECT_FALSE(fs::exists(log));
}

TEST_F(TrillianPluginTest, NoExportBuildLoadsWithoutTheEntryPoint)
{
    velloran::TModuleHandle plugin(LoadLibraryA((binaryDirectory() / "noexport" / "Velloran.dll").string().c_str()));
    ASSERT_TRUE(plugin);
    EXPECT_EQ(GetProcAddress(plugin.get(), substitute::kTrillianExport), nullptr);
    plugin.reset();

    EXPECT_EQ(readLines(log), (std::vector<std::string>{R"(load reg5="" posted=0)", "free"}));
}

}  // namespace
