#pragma once

// Writes all the art: outdir/Default and outdir/Contrast with each skin's bitmaps, and
// outdir/resources with the program's bitmaps and "bitmaps.rc", a resource script that
// names them (for a script that lives beside a "bitmaps" folder holding those files).

#include <filesystem>

namespace velloran::skinart {

// Throws std::runtime_error when a folder or file cannot be written.
void WriteArtwork(const std::filesystem::path& outdir);

}  // namespace velloran::skinart
