#include "tools/gallery/PackedSkins.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "tools/skinpack/SkinWriter.h"

namespace velloran {

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot read " + file.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> PackFolder(const fs::path& folder) {
    std::vector<TSkinMemberSource> members;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) members.push_back({entry.path().filename().string(), ReadBytes(entry.path())});
    // The same skin packs to the same bytes whatever order the folder lists its files in.
    std::sort(members.begin(), members.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return WriteSkinContainer(members);
}

void WriteBytes(const fs::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("Cannot write " + file.string());
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

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
                WriteBytes(skin.File, PackFolder(source));
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
    auto it = std::find_if(skins_.begin(), skins_.end(), [&](const TPackedSkin& s) { return SameName(s.Name, name); });
    return it == skins_.end() ? nullptr : &*it;
}

}  // namespace velloran
