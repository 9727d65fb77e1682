#pragma once
// A skin folder an author is editing: packed in memory and checked after each change, and written
// as a packed file for the skin data only when the check finds nothing wrong, so that a broken
// description never reaches the windows half-way.
#include <filesystem>
#include <string>

#include "tools/gallery/PackedSkins.h"

namespace velloran {

struct TSkinRefresh {
    bool Applied = false;  // the packed file now holds the folder as it is
    std::string Status;    // one line for the status bar
};

class TWatchedSkin {
public:
    // Creates packedFolder, removed with this object; the packed file is NAME.skn in it, NAME
    // being the folder's name. Throws std::runtime_error when either folder cannot be made or read.
    TWatchedSkin(const std::filesystem::path& folder, const std::filesystem::path& packedFolder);
    ~TWatchedSkin();
    TWatchedSkin(const TWatchedSkin&) = delete;
    TWatchedSkin& operator=(const TWatchedSkin&) = delete;

    // Packs and checks the folder; writes the packed file only when it is sound.
    TSkinRefresh Refresh();

    const std::filesystem::path& Folder() const { return folder_; }
    const TPackedSkin& Packed() const { return packed_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path packedFolder_;
    TPackedSkin packed_;
};

}  // namespace velloran
