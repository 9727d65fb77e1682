#pragma once
// The functions the oldest supported Windows exports, per system library, as far as the program
// imports them; and the imports of an executable that are not among them.
//
// The list's text: "[module.dll]" opens a module, then its function names separated by spaces or
// line ends; "[module.dll/32]" and "[module.dll/64]" hold what only one architecture's system
// exports; "#" starts a comment. Module names compare without regard to case, as the loader
// compares them.
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/tools/PeImports.h"

namespace velloran::peimports {

// By lower-case module name, with "/32" or "/64" for one architecture's part.
using TFloorExports = std::map<std::string, std::set<std::string>>;

// Throws std::runtime_error with the line number for a name outside any module.
TFloorExports ParseFloorExports(std::string_view text);

std::vector<TImport> ImportsMissingFromFloor(const TFloorExports& floor, const TImportTable& table);

}  // namespace velloran::peimports
