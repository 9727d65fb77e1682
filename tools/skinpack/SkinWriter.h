#pragma once

// Writer of skin containers in the current format, for the packing tool.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velloran {

struct TSkinMemberSource {
    std::string Name;  // bare file name; stored as given, the reader ignores case
    std::vector<uint8_t> Bytes;
};

// The packed container: format kSkinCurrentFormat, a zero skipped block,
// the names one per CR LF line, the sizes, the members, all packed with
// PackLzh. Throws std::invalid_argument for an empty name or one holding a
// line break, and std::length_error for more than kSkinMaxMembers members or
// an unpacked image the reader would refuse as too large.
std::vector<uint8_t> WriteSkinContainer(std::span<const TSkinMemberSource> members);

}  // namespace velloran
