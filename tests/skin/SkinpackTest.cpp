#include "tools/skinpack/SkinpackCommands.h"

#include "framework/FormData.h"
#include "skin/data/LittleEndian.h"
#include "skin/data/SkinRead.h"
#include "tools/skinpack/IniInventory.h"
#include "tools/skinpack/SkinCheck.h"
#include "tools/skinpack/SkinFiles.h"
#include "tools/skinpack/SkinWriter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace velloran {
namespace {

namespace fs = std::filesystem;

struct TRun {
    int Code = 0;
    std::string Out;
    std::string Err;
};

TRun Skinpack(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = RunSkinpack(args, out, err);
    return {code, out.str(), err.str()};
}

// A folder of the test's own, removed with its content.
class TScratch {
public:
    TScratch() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ =
            fs::temp_directory_path() / ("velloran_skinpack_" + std::string(test->name()) + "_" +
                                         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(path_);
    }
    ~TScratch() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;

    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

fs::path SkinFolder(const std::string& name) { return fs::path(VELLORAN_SKINS_DIR) / name; }

void WriteText(const fs::path& path, const std::string& text) {
    WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string ReadText(const fs::path& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    return {bytes.begin(), bytes.end()};
}

class ProjectSkinPack : public ::testing::TestWithParam<const char*> {};

TEST_P(ProjectSkinPack, PacksListsChecksCleanAndExtractsByteIdentical) {
    const TScratch scratch;
    const fs::path folder = SkinFolder(GetParam());
    const std::string packed = (scratch / "skin.skn").string();

    const TRun pack = Skinpack({"pack", folder.string(), packed});
    ASSERT_EQ(pack.Code, kSkinpackOk) << pack.Err;

    const TRun list = Skinpack({"list", packed});
    ASSERT_EQ(list.Code, kSkinpackOk) << list.Err;
    std::size_t files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        ++files;
        const std::regex line("\\b" + std::to_string(entry.file_size()) + "  " + entry.path().filename().string() +
                              "\n");
        EXPECT_TRUE(std::regex_search(list.Out, line)) << entry.path().filename() << "\n" << list.Out;
    }
    EXPECT_NE(list.Out.find(", " + std::to_string(files) + " members,"), std::string::npos) << list.Out;

    const TRun check = Skinpack({"check", packed});
    EXPECT_EQ(check.Code, kSkinpackOk) << check.Out;
    EXPECT_NE(check.Out.find("\n0 problems\n"), std::string::npos);
    EXPECT_EQ(check.Out.find("Ignored"), std::string::npos) << check.Out;
    EXPECT_EQ(check.Out.find("Members no section names"), std::string::npos) << check.Out;
    // The folder itself checks the same.
    EXPECT_EQ(Skinpack({"check", folder.string()}).Out, check.Out);

    const fs::path extracted = scratch / "out";
    ASSERT_EQ(Skinpack({"extract", packed, extracted.string()}).Code, kSkinpackOk);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        EXPECT_EQ(ReadFileBytes(extracted / entry.path().filename()), ReadFileBytes(entry.path()))
            << entry.path().filename();
    EXPECT_EQ(std::distance(fs::directory_iterator(extracted), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(files));

    const TRun ini = Skinpack({"ini", packed});
    EXPECT_EQ(ini.Out, ReadText(folder / "skin.ini"));
}

INSTANTIATE_TEST_SUITE_P(Skins, ProjectSkinPack, ::testing::Values("Default", "Contrast"));

TEST(Skinpack, StreamIsTheFormDataOfTheSizeAndThePackedSkin) {
    const TScratch scratch;
    const std::string packed = (scratch / "skin.skn").string();
    ASSERT_EQ(Skinpack({"pack", SkinFolder("Contrast").string(), packed}).Code, kSkinpackOk);

    const TRun stream = Skinpack({"stream", packed});
    ASSERT_EQ(stream.Code, kSkinpackOk) << stream.Err;
    const TFormObject form = ParseFormData("object SkinData: TSkinData\n" + stream.Out + "end\n");
    ASSERT_EQ(form.Properties.size(), 1u);
    EXPECT_EQ(form.Properties[0].Name, "SkinStream");
    const std::vector<uint8_t> skin = ReadFileBytes(packed);
    std::vector<uint8_t> expected;
    AppendInt32LE(expected, static_cast<int32_t>(skin.size()));
    expected.insert(expected.end(), skin.begin(), skin.end());
    EXPECT_EQ(form.Properties[0].Value.AsBinary(), expected);

    // Not a skin: nothing is printed for the form.
    WriteText(scratch / "junk.skn", "not a skin at all");
    const TRun junk = Skinpack({"stream", (scratch / "junk.skn").string()});
    EXPECT_EQ(junk.Code, kSkinpackFailed);
    EXPECT_TRUE(junk.Out.empty());
}

TEST(Skinpack, CheckReportsEveryKindOfProblem) {
    const TScratch scratch;
    const fs::path folder = scratch / "broken";
    fs::create_directories(folder);
    for (const std::string name : {"button.bmp", "tabs.bmp", "header.bmp", "track.bmp"})
        fs::copy_file(SkinFolder("Default") / name, folder / name);
    WriteText(folder / "notes.bmp", "these are not pixels");
    WriteText(folder / "skin.ini",
              "[Buttons]\nBitmap=BUTTON.BMP\nCheckButton=check.bmp\n"
              "[Tabs]\nImage=tabs.bmp\n"
              "[Headerbar]\nImage=header.bmp\nFrame=3\n"
              "[MenuItem]\nImage=notes.bmp\n");

    const TRun check = Skinpack({"check", folder.string()});
    EXPECT_EQ(check.Code, kSkinpackProblems);
    const std::string problems = check.Out.substr(check.Out.find("Problems\n"));
    EXPECT_NE(problems.find("Button: \"BUTTON.BMP\" names no image"), std::string::npos) << problems;
    EXPECT_NE(problems.find("Button check box: check.bmp is not in the skin"), std::string::npos) << problems;
    EXPECT_NE(problems.find("Headerbar: header.bmp is 80 pixels wide, which does not divide into 3 frames"),
              std::string::npos)
        << problems;
    EXPECT_NE(problems.find("MenuItem: notes.bmp is not a bitmap"), std::string::npos) << problems;
    EXPECT_NE(problems.find("\n4 problems\n"), std::string::npos) << problems;
    EXPECT_EQ(problems.find("Tabs"), std::string::npos) << problems;
    // Bitmaps no section names are reported, but are no problem.
    EXPECT_NE(check.Out.find("Members no section names\n  button.bmp\n  track.bmp\n"), std::string::npos) << check.Out;
}

// The problems alone, which the gallery's watch mode shows, are the lines the check reports.
TEST(Skinpack, ProblemsAloneAreTheLinesOfTheCheckReport) {
    const TScratch scratch;
    auto problemsOf = [](const fs::path& folder) {
        TSkinReader reader;
        EXPECT_EQ(reader.Load(PackedSkinAt(folder)), TSkinLoadResult::Loaded);
        return SkinProblems(reader);
    };
    auto reportedLines = [](const fs::path& folder) {
        const std::string out = Skinpack({"check", folder.string()}).Out;
        std::vector<std::string> lines;
        std::istringstream section(out.substr(out.find("Problems\n") + 9));
        for (std::string line; std::getline(section, line) && line.starts_with("  ");) lines.push_back(line.substr(2));
        return lines;
    };
    for (const char* sound : {"Default", "Contrast"}) EXPECT_TRUE(problemsOf(SkinFolder(sound)).empty()) << sound;

    const fs::path broken = scratch / "broken";
    fs::copy(SkinFolder("Default"), broken);
    std::string ini = ReadText(broken / "skin.ini");
    for (const std::string key : {"Top=top.bmp", "Bitmap=button.bmp"}) {
        ASSERT_NE(ini.find(key), std::string::npos) << key;
        ini.replace(ini.find(key), key.size(), key.substr(0, key.find('=') + 1) + "gone.bmp");
    }
    WriteText(broken / "skin.ini", ini);
    const std::vector<std::string> problems = problemsOf(broken);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems, reportedLines(broken));
    for (const std::string& problem : problems) EXPECT_NE(problem.find("gone.bmp is not in the skin"), std::string::npos) << problem;

    const fs::path bare = scratch / "bare";
    fs::create_directories(bare);
    fs::copy_file(SkinFolder("Default") / "button.bmp", bare / "button.bmp");
    EXPECT_EQ(problemsOf(bare), std::vector<std::string>{"the skin has no description (no member named *.ini)"});
    EXPECT_EQ(Skinpack({"check", bare.string()}).Out,
              "Problems\n  the skin has no description (no member named *.ini)\n1 problem\n");
}

TEST(Skinpack, CheckListsWhatTheProgramIgnoresWithoutFailing) {
    const TScratch scratch;
    const fs::path folder = scratch / "odd";
    fs::create_directories(folder);
    WriteText(folder / "skin.ini",
              "stray=1\n"
              "[Buttons]\nLeftWidth=2\nleftwidth=3\nShade=1\nno sign\n"
              "[ Tabs ]\nImage=tabs.bmp\n"
              "[Wallpaper]\nImage=wall.bmp\n"
              "[buttons]\nTopHeight=1\n");
    const TRun check = Skinpack({"check", folder.string()});
    EXPECT_EQ(check.Code, kSkinpackOk) << check.Out;
    const std::string ignored = check.Out.substr(check.Out.find("Ignored\n"));
    for (const char* line :
         {"  stray=1  (outside any section)\n",
          "  [Buttons] leftwidth=3  (repeats an earlier key; only the first is read)\n",
          "  [Buttons] Shade=1  (key not read)\n", "  [Buttons] no sign  (no '=' in the line)\n",
          "  [ Tabs ]  (blanks inside the brackets keep it from being found)\n", "  [Wallpaper]  (section not read)\n",
          "  [buttons]  (repeats an earlier section of that name; only the first is read)\n"})
        EXPECT_NE(ignored.find(line), std::string::npos) << line << ignored;
    EXPECT_EQ(ignored.find("LeftWidth=2"), std::string::npos);
}

// A description of thousands of sections and keys, which the gallery's watch mode checks on
// every save, is inventoried in time that grows with its length alone.
TEST(Skinpack, InventoryOfALongDescriptionNamesEachRepeatOnce) {
    constexpr int kCount = 10000;
    std::string text = "[Keys]\n";
    for (int i = 0; i < kCount; ++i) text += "K" + std::to_string(i % (kCount / 2)) + "=1\n";
    for (int i = 0; i < kCount; ++i) text += "[S" + std::to_string(i % (kCount / 2)) + "]\n";

    const auto start = std::chrono::steady_clock::now();
    TIniInventory inventory(text);
    for (int i = 0; i < kCount; i += 2) inventory.MarkRead("keys", "k" + std::to_string(i));
    inventory.MarkRead("s7", "x");
    const std::vector<std::string> ignored = inventory.Ignored();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    int repeatedKeys = 0, repeatedSections = 0;
    for (const std::string& line : ignored) {
        repeatedKeys += line.ends_with("(repeats an earlier key; only the first is read)");
        repeatedSections += line.ends_with("(repeats an earlier section of that name; only the first is read)");
    }
    EXPECT_EQ(repeatedKeys, kCount / 2);
    EXPECT_EQ(repeatedSections, kCount / 2);
    // Unread keys and sections, besides the repeats: the odd keys and all first sections but [S7].
    EXPECT_EQ(ignored.size(), static_cast<std::size_t>(kCount + kCount / 4 + kCount / 2 - 1));
}

TEST(Skinpack, RefusesWhatItCannotUse) {
    const TScratch scratch;
    fs::create_directories(scratch / "bitmaps only");
    WriteText(scratch / "bitmaps only" / "a.bmp", "x");
    const TRun noDescription = Skinpack({"pack", (scratch / "bitmaps only").string(), (scratch / "a.skn").string()});
    EXPECT_EQ(noDescription.Code, kSkinpackFailed);
    EXPECT_FALSE(fs::exists(scratch / "a.skn"));

    WriteText(scratch / "old.skn", std::string("\x08\0\0\0garbage!", 12));
    EXPECT_EQ(Skinpack({"list", (scratch / "old.skn").string()}).Code, kSkinpackFailed);
    const TRun check = Skinpack({"check", (scratch / "old.skn").string()});
    EXPECT_EQ(check.Code, kSkinpackProblems);
    EXPECT_NE(check.Out.find("not a skin the program reads"), std::string::npos);

    EXPECT_EQ(Skinpack({"check", (scratch / "nowhere").string()}).Code, kSkinpackFailed);
    EXPECT_EQ(Skinpack({"pack", "only-one-argument"}).Code, kSkinpackFailed);
    EXPECT_EQ(Skinpack({}).Code, kSkinpackFailed);
}

TEST(Skinpack, ExtractWritesOnlyPlainNamesInsideTheFolder) {
    const TScratch scratch;
    const std::vector<TSkinMemberSource> members = {
        {"../escape.bmp", {1}}, {"Skin.INI", {'[', 'a', ']'}}, {"c:evil.bmp", {2}}, {"ok.bmp", {3, 4}}};
    WriteFileBytes(scratch / "tricky.skn", WriteSkinContainer(members));

    const TRun all = Skinpack({"extract", (scratch / "tricky.skn").string(), (scratch / "out").string()});
    EXPECT_EQ(all.Code, kSkinpackFailed);
    EXPECT_FALSE(fs::exists(scratch / "escape.bmp"));
    EXPECT_FALSE(fs::exists(scratch / "out" / "c:evil.bmp"));
    EXPECT_EQ(ReadFileBytes(scratch / "out" / "ok.bmp"), (std::vector<uint8_t>{3, 4}));
    EXPECT_EQ(ReadText(scratch / "out" / "skin.ini"), "[a]");

    const TRun named = Skinpack({"extract", (scratch / "tricky.skn").string(), (scratch / "one").string(), "OK.BMP"});
    EXPECT_EQ(named.Code, kSkinpackOk);
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch / "one"), fs::directory_iterator()), 1);
    EXPECT_EQ(Skinpack({"extract", (scratch / "tricky.skn").string(), (scratch / "two").string(), "absent.bmp"}).Code,
              kSkinpackFailed);
}

}  // namespace
}  // namespace velloran
