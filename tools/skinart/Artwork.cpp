#include "tools/skinart/Artwork.h"

#include "tools/skinart/BmpWriter.h"
#include "tools/skinart/ProgramBitmaps.h"
#include "tools/skinart/SkinBitmaps.h"
#include "tools/skinart/SkinStyle.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace velloran::skinart {

namespace {

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteImages(const std::filesystem::path& folder, const std::vector<NamedImage>& images) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) throw std::runtime_error("cannot create " + folder.string() + ": " + error.message());
    for (const NamedImage& named : images) {
        const std::vector<uint8_t> bytes = EncodeBmp(named.image);
        WriteFile(folder / named.fileName, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    }
}

}  // namespace

void WriteArtwork(const std::filesystem::path& outdir) {
    for (const SkinStyle& style : {DefaultStyle(), ContrastStyle()})
        WriteImages(outdir / style.name, DrawSkinBitmaps(style));
    const std::vector<NamedImage> program = DrawProgramBitmaps();
    WriteImages(outdir / "resources", program);
    WriteFile(outdir / "resources" / "bitmaps.rc", ResourceScript(program, "bitmaps"));
}

}  // namespace velloran::skinart
