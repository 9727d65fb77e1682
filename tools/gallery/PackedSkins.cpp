#include "tools/gallery/PackedSkins.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "framework/Classes.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran {

namespace fs = std::filesystem;

TPackedSkins::TPackedSkins(const fs::path& skinsFolder, const fs::path& packedFolder) : folder_(packedFolder) {
    std::error_code error;
    if (!fs::is_directory(skinsFolder, error)) throw std::runtime_error("No skins folder " + skinsFolder.string());
    std::vector<fs::path> sources;
    for (const fs::directory_entry& entry : fs::directory_iterator(skinsFolder))
        if (entry.is_directory()) sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    fs::create_directories(folder_, error);
    if (error) throw std::runtime_error("Cannot create " + folder_.string());
    try {
        for (const fs::path& source : sources) {
            TPackedSkin skin{source.filename().string(), folder_ / (source.filename().string() + ".skn")};
            try {
                WriteFileBytes(skin.File, PackedSkinAt(source));
            } catch (const std::logic_error& e) {
                // The writer refuses members it cannot store (too many, too large, bad names).
                throw std::runtime_error("Cannot pack " + source.string() + ": " + e.what());
            }
            skins_.push_back(std::move(skin));
        }
    } catch (...) {
        fs::remove_all(folder_, error);
        throw;
    }
}

TPackedSkins::~TPackedSkins() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

const TPackedSkin* TPackedSkins::Find(std::string_view name) const {
    auto it = std::find_if(skins_.begin(), skins_.end(), [&](const TPackedSkin& s) { return SameText(s.Name, name); });
    return it == skins_.end() ? nullptr : &*it;
}

}  // namespace velloran
