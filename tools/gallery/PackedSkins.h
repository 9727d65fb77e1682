#pragma once
// The skins of a folder, one subfolder each, packed into a temporary folder as NAME.skn so that
// the skin data can load them by file name. The temporary folder goes with this object.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

struct TPackedSkin {
    std::string Name;             // the subfolder's name
    std::filesystem::path File;   // NAME.skn in the temporary folder
};

class TPackedSkins {
public:
    // Packs every subfolder of skinsFolder, in name order, into the new folder packedFolder.
    // Throws std::runtime_error naming the folder or file that cannot be read or written.
    TPackedSkins(const std::filesystem::path& skinsFolder, const std::filesystem::path& packedFolder);
    ~TPackedSkins();
    TPackedSkins(const TPackedSkins&) = delete;
    TPackedSkins& operator=(const TPackedSkins&) = delete;

    const std::vector<TPackedSkin>& Skins() const { return skins_; }
    // The skin of that name, compared ignoring case; null when there is none.
    const TPackedSkin* Find(std::string_view name) const;
    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    std::vector<TPackedSkin> skins_;
};

}  // namespace velloran
