#pragma once

// The unpacking benchmark's corpus of real data: the project's skin bitmaps,
// its C++ headers and the running benchmark's own executable code.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velloran::test {

// The three kinds in turn, file by file (the executable in 64 KB pieces),
// starting over when a kind runs out, until size bytes.
std::vector<uint8_t> ProjectCorpus(const std::string& sourceDir, const std::string& executable, std::size_t size);

}  // namespace velloran::test
