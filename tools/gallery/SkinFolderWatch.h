#pragma once
// Watches a skin folder for changes: any file added, removed, resized or written again. A change
// is reported once the folder has stayed the same for a short while, so that a file still being
// written by an editor is not read half-way.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ExtCtrls.h"

namespace velloran {

// What the folder's files look like now: name, size and last write time of each, in name order.
struct TFolderFileStamp {
    std::string Name;
    uintmax_t Size = 0;
    std::filesystem::file_time_type Written;
    bool operator==(const TFolderFileStamp&) const = default;
};
using TFolderStamp = std::vector<TFolderFileStamp>;

// The stamp of the folder's regular files (not its subfolders); empty when it cannot be read.
TFolderStamp StampFolder(const std::filesystem::path& folder);

class TSkinFolderWatch {
public:
    static constexpr int kPollMs = 100;
    // How long the folder must stay the same after a change before it is reported.
    static constexpr int kSettleMs = 200;

    // Starts watching at once; changed runs on the thread's message loop after each change.
    TSkinFolderWatch(std::filesystem::path folder, std::function<void()> changed);

    const std::filesystem::path& Folder() const { return folder_; }

private:
    void Poll();

    std::filesystem::path folder_;
    std::function<void()> changed_;
    TFolderStamp reported_;
    TFolderStamp seen_;
    int unchangedMs_ = 0;
    std::unique_ptr<TTimer> timer_;
};

}  // namespace velloran
