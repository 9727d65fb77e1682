// Arbitrary skin folders through the skin checker, which the gallery's watch
// mode runs on whatever the user saves. The input is the description text up
// to the first zero byte, then members: one byte choosing a name, two bytes of
// length and the member's bytes. The checker must report every problem it
// counts, the same way each time it is asked.

#include "skin/data/SkinFormat.h"
#include "skin/data/SkinRead.h"
#include "tests/fuzz/FuzzRequire.h"
#include "tools/skinpack/SkinCheck.h"
#include "tools/skinpack/SkinWriter.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

// Names the project's skins use, and some the description can only get wrong.
constexpr std::array<std::string_view, 12> kMemberNames{
    "left.bmp",     "bottom.bmp",   "chunk.bmp",  "groupbox.bmp", "tabpage.bmp", "track.bmp",
    "menuback.bmp", "progress.bmp", "Close.BMP",  "notes.txt",    "skin.ini",    "second.ini"};

std::vector<TSkinMemberSource> MembersOf(std::span<const uint8_t> input) {
    std::vector<TSkinMemberSource> members;
    std::size_t textEnd = 0;
    while (textEnd < input.size() && input[textEnd] != 0) ++textEnd;
    members.push_back({"skin.ini", {input.begin(), input.begin() + static_cast<std::ptrdiff_t>(textEnd)}});
    // A folder of more members than a skin holds is refused by the writer before any check, as
    // its callers know; the rest of the input is left out.
    for (std::size_t at = textEnd + 1;
         at + 3 <= input.size() && members.size() < static_cast<std::size_t>(kSkinMaxMembers);) {
        const std::string_view name = kMemberNames[input[at] % kMemberNames.size()];
        const std::size_t length = std::min<std::size_t>(input[at + 1] | input[at + 2] << 8, input.size() - at - 3);
        const auto first = input.begin() + static_cast<std::ptrdiff_t>(at + 3);
        members.push_back({std::string(name), {first, first + static_cast<std::ptrdiff_t>(length)}});
        at += 3 + length;
    }
    return members;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<TSkinMemberSource> members = MembersOf(std::span<const uint8_t>(data, size));
    TSkinReader skin;
    Require(skin.Load(WriteSkinContainer(members)) == TSkinLoadResult::Loaded);
    Require(skin.Names().size() == members.size());

    std::ostringstream report;
    const int count = CheckSkin(skin, report);
    const std::vector<std::string> problems = SkinProblems(skin);
    Require(count == static_cast<int>(problems.size()));
    const std::string text = report.str();
    Require(text.ends_with("\n" + std::to_string(count) + (count == 1 ? " problem\n" : " problems\n")));
    for (const std::string& problem : problems) {
        Require(problem.find(": ") != std::string::npos);
        Require(text.find(problem) != std::string::npos);
    }
    return 0;
}
