// Arbitrary skin containers through the reader. The first byte chooses how
// the rest is taken: as a packed container (its announced size bounded so
// that runs stay short), or as an unpacked image that is packed here first,
// so that the directory parsing sees the fuzzer's bytes directly.

#include "framework/Classes.h"
#include "skin/data/LZH.h"
#include "skin/data/LittleEndian.h"
#include "skin/data/SkinRead.h"
#include "tests/fuzz/FuzzRequire.h"
#include "tools/skinpack/LzhEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

constexpr int32_t kSizeBound = 1 << 12;
constexpr std::size_t kMembersChecked = 32;

std::vector<uint8_t> BoundedPacked(std::span<const uint8_t> packed) {
    std::vector<uint8_t> bounded;
    AppendInt32LE(bounded, TLZH::StoredSize(packed) % kSizeBound);
    if (packed.size() > 4) bounded.insert(bounded.end(), packed.begin() + 4, packed.end());
    return bounded;
}

void CheckDirectory(const TSkinReader& reader) {
    Require(reader.Names().size() <= static_cast<std::size_t>(kSkinMaxMembers));
    std::vector<uint8_t> member, again;
    for (std::size_t i = 0; i < std::min(reader.Names().size(), kMembersChecked); ++i) {
        const std::string& name = reader.Names()[i];
        Require(name == LowerCase(name) && name.find_first_of("\r\n") == std::string::npos);
        reader.ExtractMember(name, member);
        Require(member.size() <= reader.DataSize());
        reader.ExtractMember(UpperCase(name), again);
        Require(again == member);
    }
    const std::string ini = reader.FindMember(".ini", member);
    Require(ini.empty() ? member.empty() : ini.find(".ini") != std::string::npos);
    Require(member.size() <= reader.DataSize());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::span<const uint8_t> rest(data + 1, size - 1);
    const std::vector<uint8_t> packed = (data[0] & 1) ? PackLzh(rest) : BoundedPacked(rest);

    TSkinReader reader;
    const TSkinLoadResult result = reader.Load(packed);
    if (result == TSkinLoadResult::Loaded) {
        Require(SkippedBlockSize(reader.Header()[0]).has_value());
        CheckDirectory(reader);
    } else {
        Require(reader.Names().empty() && reader.DataSize() == 0);
    }
    return 0;
}
