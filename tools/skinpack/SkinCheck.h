#pragma once

// The skin checker: reads a skin's description exactly as the program does and
// reports, section by section, what it makes of it.

#include <ostream>
#include <string>
#include <vector>

namespace velloran {

class TSkinReader;

// Writes the report to `out` and returns the number of problems: no
// description, images that are missing, unreadable or not named as images, and
// strips that do not divide into their frames. Sections and keys the program
// ignores, and members no section names, are reported but are no problem.
int CheckSkin(const TSkinReader& skin, std::ostream& out);

// The problems alone, as CheckSkin lists them ("where: what"); empty for a sound skin.
std::vector<std::string> SkinProblems(const TSkinReader& skin);

}  // namespace velloran
