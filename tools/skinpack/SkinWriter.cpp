#include "tools/skinpack/SkinWriter.h"

#include "skin/data/LittleEndian.h"
#include "skin/data/SkinFormat.h"
#include "tools/skinpack/LzhEncoder.h"

#include <stdexcept>

namespace velloran {

std::vector<uint8_t> WriteSkinContainer(std::span<const TSkinMemberSource> members) {
    if (members.size() > static_cast<std::size_t>(kSkinMaxMembers))
        throw std::length_error("WriteSkinContainer: too many members");

    std::string nameList;
    uint64_t imageSize = kSkinHeaderSize + static_cast<uint64_t>(*SkippedBlockSize(kSkinCurrentFormat));
    for (const TSkinMemberSource& member : members) {
        if (member.Name.empty() || member.Name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("WriteSkinContainer: member name empty or with a line break: " + member.Name);
        nameList += member.Name;
        nameList += "\r\n";
        imageSize += member.Name.size() + 2 + 4 + member.Bytes.size();
    }
    if (imageSize > static_cast<uint64_t>(kSkinMaxUnpackedSize))
        throw std::length_error("WriteSkinContainer: skin too large");

    std::vector<uint8_t> image;
    image.reserve(static_cast<std::size_t>(imageSize));
    AppendInt32LE(image, kSkinCurrentFormat);
    AppendInt32LE(image, static_cast<int32_t>(nameList.size()));
    AppendInt32LE(image, 0);
    AppendInt32LE(image, 0);
    image.resize(image.size() + static_cast<std::size_t>(*SkippedBlockSize(kSkinCurrentFormat)), 0);
    image.insert(image.end(), nameList.begin(), nameList.end());
    for (const TSkinMemberSource& member : members) AppendInt32LE(image, static_cast<int32_t>(member.Bytes.size()));
    for (const TSkinMemberSource& member : members) image.insert(image.end(), member.Bytes.begin(), member.Bytes.end());
    return PackLzh(image);
}

}  // namespace velloran
