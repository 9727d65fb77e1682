#include "tools/skinpack/SkinFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace velloran {

std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + path.string());
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::vector<TSkinMemberSource> ReadSkinFolder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::ranges::sort(files,
                      [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });

    std::vector<TSkinMemberSource> members;
    for (const std::filesystem::path& file : files) members.push_back({file.filename().string(), ReadFileBytes(file)});
    return members;
}

std::vector<uint8_t> PackedSkinAt(const std::filesystem::path& path) {
    if (std::filesystem::is_directory(path)) return WriteSkinContainer(ReadSkinFolder(path));
    return ReadFileBytes(path);
}

}  // namespace velloran
