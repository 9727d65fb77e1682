#pragma once

// Reader of the skin container: unpacks it once and hands out its members
// (bitmaps and the one INI description) by name.

#include "skin/data/SkinFormat.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velloran {

// What the user is told, in a message box, for every refused container.
inline constexpr const char* kOlderSkinFileMessage = "This is Older Skin File\rPlease update to new version !";

enum class TSkinLoadResult {
    Loaded,
    UnknownFormat,   // format number not one of the known ones
    TooLarge,        // announced unpacked size above kSkinMaxUnpackedSize; not unpacked
    TooManyMembers,  // more than kSkinMaxMembers names
};

class TSkinReader {
public:
    // Unpacks the packed container and reads its directory. On any result
    // but Loaded the directory is left empty.
    TSkinLoadResult Load(std::span<const uint8_t> packed);

    // The first member whose name equals `name` in ASCII lower case; `out`
    // is left empty when there is none. Member bytes past the end of the
    // data area are not there and are not copied.
    void ExtractMember(std::string_view name, std::vector<uint8_t>& out) const;

    // The first member whose stored (lower-case) name contains `text`, which
    // is matched as given. Returns that name, or empty text with `out` empty.
    std::string FindMember(std::string_view text, std::vector<uint8_t>& out) const;

    const std::vector<std::string>& Names() const { return names_; }
    const std::array<int32_t, 4>& Header() const { return header_; }
    std::size_t DataSize() const { return data_.size(); }

private:
    void Clear();
    void CopyMember(std::size_t index, std::vector<uint8_t>& out) const;

    std::vector<std::string> names_;
    std::array<int32_t, kSkinMaxMembers> sizes_{};
    std::vector<uint8_t> data_;
    std::array<int32_t, 4> header_{};
};

}  // namespace velloran
