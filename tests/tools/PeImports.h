#pragma once
// The import table of a Windows executable, read from its bytes on any platform. The bytes come
// from outside: every offset is checked, and a damaged file gives an error, never a read past
// its end.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velloran::peimports {

struct TImport {
    std::string Module;    // as the file spells it
    std::string Function;  // "#N" for an import by ordinal N
};

struct TImportTable {
    bool Wide = false;  // a 64-bit (PE32+) image
    std::vector<TImport> Imports;
};

// Throws std::runtime_error naming what is wrong when the bytes are not a readable PE image.
TImportTable ReadImports(std::span<const std::uint8_t> image);

}  // namespace velloran::peimports
