#include "skin/data/SkinRead.h"

#include "framework/Classes.h"
#include "skin/data/LZH.h"
#include "skin/data/LittleEndian.h"

#include <algorithm>

namespace velloran {

namespace {

// Sequential reads that stop at the end of the image, like a memory stream's.
class TImageCursor {
public:
    explicit TImageCursor(std::span<const uint8_t> image) : image_(image) {}

    std::span<const uint8_t> Read(int64_t count) {
        const std::size_t n =
            static_cast<std::size_t>(std::clamp<int64_t>(count, 0, static_cast<int64_t>(image_.size() - position_)));
        const std::span<const uint8_t> bytes = image_.subspan(position_, n);
        position_ += n;
        return bytes;
    }

    // Bytes missing at the end read as zero.
    int32_t ReadInt32() {
        std::array<uint8_t, 4> bytes{};
        const std::span<const uint8_t> read = Read(4);
        std::copy(read.begin(), read.end(), bytes.begin());
        return LoadInt32LE(bytes);
    }

    std::span<const uint8_t> Rest() { return Read(static_cast<int64_t>(image_.size() - position_)); }

private:
    std::span<const uint8_t> image_;
    std::size_t position_ = 0;
};

}  // namespace

void TSkinReader::Clear() {
    names_.clear();
    sizes_.fill(0);
    data_.clear();
    header_.fill(0);
}

TSkinLoadResult TSkinReader::Load(std::span<const uint8_t> packed) {
    Clear();
    if (TLZH::StoredSize(packed) > kSkinMaxUnpackedSize) return TSkinLoadResult::TooLarge;

    const std::vector<uint8_t> image = TLZH::DecodeStream(packed);
    TImageCursor cursor(image);
    for (int32_t& field : header_) field = cursor.ReadInt32();

    const std::optional<int> skipped = SkippedBlockSize(header_[0]);
    if (!skipped) return TSkinLoadResult::UnknownFormat;
    cursor.Read(*skipped);

    const std::span<const uint8_t> nameText = cursor.Read(header_[1]);
    std::vector<std::string> names =
        SplitLines(LowerCase(std::string_view(reinterpret_cast<const char*>(nameText.data()), nameText.size())));
    if (names.size() > static_cast<std::size_t>(kSkinMaxMembers)) return TSkinLoadResult::TooManyMembers;

    names_ = std::move(names);
    for (std::size_t i = 0; i < names_.size(); ++i) sizes_[i] = cursor.ReadInt32();
    const std::span<const uint8_t> data = cursor.Rest();
    data_.assign(data.begin(), data.end());
    return TSkinLoadResult::Loaded;
}

void TSkinReader::CopyMember(std::size_t index, std::vector<uint8_t>& out) const {
    // Offsets are summed wide: sizes come from the file and may be anything.
    int64_t start = 0;
    for (std::size_t i = 0; i < index; ++i) start += sizes_[i];
    // A negative size ends before it starts: nothing.
    const int64_t end = start + sizes_[index];
    const int64_t dataSize = static_cast<int64_t>(data_.size());
    const int64_t first = std::clamp<int64_t>(start, 0, dataSize);
    const int64_t last = std::clamp<int64_t>(end, first, dataSize);
    out.assign(data_.begin() + first, data_.begin() + last);
}

void TSkinReader::ExtractMember(std::string_view name, std::vector<uint8_t>& out) const {
    out.clear();
    const std::string wanted = LowerCase(name);
    const auto found = std::find(names_.begin(), names_.end(), wanted);
    if (found != names_.end()) CopyMember(static_cast<std::size_t>(found - names_.begin()), out);
}

std::string TSkinReader::FindMember(std::string_view text, std::vector<uint8_t>& out) const {
    out.clear();
    const auto found = std::find_if(names_.begin(), names_.end(),
                                    [&](const std::string& stored) { return stored.find(text) != std::string::npos; });
    if (found == names_.end()) return {};
    CopyMember(static_cast<std::size_t>(found - names_.begin()), out);
    return *found;
}

}  // namespace velloran
