#pragma once

// The commands of the skinpack program: packing skin folders, looking into
// packed skins, checking them and turning them into form data.

#include <ostream>
#include <span>
#include <string>

namespace velloran {

// Exit codes.
inline constexpr int kSkinpackOk = 0;
inline constexpr int kSkinpackProblems = 1;  // check found problems
inline constexpr int kSkinpackFailed = 2;    // wrong usage, unreadable input, nothing done

// args excludes the program name. Results go to out, messages to err.
int RunSkinpack(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace velloran
