#pragma once
// A folder of its own for each Windows test, under the temporary folder, removed with
// everything in it at the end.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

namespace velloran::testing {

// stem + process id + the running test's name: unique per test, readable in a leftover.
inline std::string UniqueTestName(const std::string& stem)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return stem + "_" + std::to_string(GetCurrentProcessId()) + "_" + test->name();
}

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& stem)
        : path_(std::filesystem::temp_directory_path() / UniqueTestName(stem))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace velloran::testing
