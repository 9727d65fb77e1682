#include "tools/gallery/WatchedSkin.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "skin/data/SkinRead.h"
#include "tools/skinpack/SkinCheck.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran {

namespace fs = std::filesystem;

namespace {

std::string ProblemStatus(const std::vector<std::string>& problems) {
    return "Not applied, " + std::to_string(problems.size()) +
           (problems.size() == 1 ? " problem: " : " problems, the first: ") + problems.front();
}

// The time of day, so that the author sees that a save was taken up even when the line is the same.
std::string TimeOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[16];
    snprintf(text, sizeof text, "%02u:%02u:%02u", unsigned{now.wHour}, unsigned{now.wMinute}, unsigned{now.wSecond});
    return text;
}

std::string LoadFailure(TSkinLoadResult result) {
    switch (result) {
        case TSkinLoadResult::UnknownFormat: return "the packed skin has an unknown format";
        case TSkinLoadResult::TooLarge: return "the skin is too large to load";
        case TSkinLoadResult::TooManyMembers: return "the folder holds too many files for one skin";
        case TSkinLoadResult::Loaded: break;
    }
    return {};
}

}  // namespace

TWatchedSkin::TWatchedSkin(const fs::path& folder, const fs::path& packedFolder)
    : folder_(folder), packedFolder_(packedFolder) {
    std::error_code error;
    if (!fs::is_directory(folder_, error)) throw std::runtime_error("No skin folder " + folder_.string());
    fs::create_directories(packedFolder_, error);
    if (error) throw std::runtime_error("Cannot create " + packedFolder_.string());
    // "DIR/" names the folder as well as "DIR" does.
    const fs::path absolute = fs::absolute(folder_, error);
    packed_.Name = (absolute.has_filename() ? absolute : absolute.parent_path()).filename().string();
    packed_.File = packedFolder_ / (packed_.Name + ".skn");
}

TWatchedSkin::~TWatchedSkin() {
    std::error_code ignored;
    fs::remove_all(packedFolder_, ignored);
}

TSkinRefresh TWatchedSkin::Refresh() {
    std::vector<uint8_t> bytes;
    try {
        bytes = PackedSkinAt(folder_);
    } catch (const std::exception& e) {
        // A file the editor holds locked, or more members than a skin may have.
        return {false, std::string("Not applied: ") + e.what()};
    }
    TSkinReader reader;
    if (const TSkinLoadResult result = reader.Load(bytes); result != TSkinLoadResult::Loaded)
        return {false, "Not applied: " + LoadFailure(result)};
    if (const std::vector<std::string> problems = SkinProblems(reader); !problems.empty())
        return {false, ProblemStatus(problems)};
    try {
        WriteFileBytes(packed_.File, bytes);
    } catch (const std::exception& e) {
        return {false, std::string("Not applied: ") + e.what()};
    }
    return {true, "Applied " + folder_.string() + " at " + TimeOfDay()};
}

}  // namespace velloran
