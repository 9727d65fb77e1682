#pragma once
// A window's pixels as the screen shows them, frame included, saved as a 24-bit bitmap file.
#include <windows.h>

#include <filesystem>

namespace velloran {

// Reads the window's rectangle back from the screen, so whatever covers the window is in the
// picture too; a menu or list reaching past the window's edge widens the picture to hold it. Throws std::runtime_error when the pixels cannot be read or the file written.
void SaveWindowBitmap(HWND window, const std::filesystem::path& file);

}  // namespace velloran
