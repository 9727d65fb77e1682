#pragma once
#include <string>

namespace substitute {

// Appends LINE and a '\n' to the file at PATH, creating it when needed. Opens and closes the file
// each time so that a test can read it while the writer keeps running. Returns false on failure.
bool appendLine(const std::string& path, const std::string& line);

}  // namespace substitute
