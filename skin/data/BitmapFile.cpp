#include "skin/data/BitmapFile.h"

#include <algorithm>
#include <array>
#include <optional>

namespace velloran {
namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kCoreHeaderSize = 12;
constexpr std::uint64_t kInfoHeaderSize = 40;
constexpr std::uint64_t kSeparateMasksSize = 12;    // three masks after a 40-byte header
constexpr std::uint32_t kRgbCompression = 0;        // BI_RGB
constexpr std::uint32_t kBitFieldsCompression = 3;  // BI_BITFIELDS

// Little-endian reads of the file. Offsets come from the file itself, so each
// range is checked with Holds before it is read.
class TByteSource {
public:
    explicit TByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Holds(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint8_t Byte(std::uint64_t offset) const { return bytes_[static_cast<std::size_t>(offset)]; }
    std::uint16_t Word(std::uint64_t offset) const {
        return static_cast<std::uint16_t>(Byte(offset) | Byte(offset + 1) << 8);
    }
    std::uint32_t Dword(std::uint64_t offset) const {
        return static_cast<std::uint32_t>(Word(offset)) | static_cast<std::uint32_t>(Word(offset + 2)) << 16;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class TChannelMask {
public:
    static std::optional<TChannelMask> FromMask(std::uint32_t mask) {
        TChannelMask channel;
        if (mask == 0) return channel;
        while (((mask >> channel.shift_) & 1u) == 0) ++channel.shift_;
        channel.mask_ = mask;
        channel.maximum_ = mask >> channel.shift_;
        // Scattered bits are no colour channel any writer produces.
        if (((std::uint64_t{channel.maximum_} + 1) & channel.maximum_) != 0) return std::nullopt;
        return channel;
    }

    std::uint32_t Extract(std::uint32_t pixel) const {
        if (maximum_ == 0) return 0;
        const std::uint64_t value = (pixel & mask_) >> shift_;
        return static_cast<std::uint32_t>((value * 255 + maximum_ / 2) / maximum_);
    }

private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    std::uint32_t maximum_ = 0;
};

struct TBitmapLayout {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    std::uint64_t PixelOffset = 0;
    std::array<TChannelMask, 3> Masks{};  // red, green, blue; 16 and 32 bits
    std::vector<std::uint32_t> Palette;   // 1 << BitCount entries; 8 bits and fewer
};

std::uint32_t RgbFromBytes(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return std::uint32_t{red} << 16 | std::uint32_t{green} << 8 | blue;
}

bool ReadMasks(const TByteSource& source, std::uint32_t compression, int bitCount, std::uint64_t masksAt,
               TBitmapLayout& layout) {
    std::array<std::uint32_t, 3> masks{};
    if (compression == kBitFieldsCompression) {
        if (!source.Holds(masksAt, kSeparateMasksSize)) return false;
        for (std::size_t i = 0; i < masks.size(); ++i) masks[i] = source.Dword(masksAt + 4 * i);
    } else if (bitCount == 16)
        masks = {0x7C00, 0x03E0, 0x001F};
    else
        masks = {0xFF0000, 0x00FF00, 0x0000FF};

    for (std::size_t i = 0; i < masks.size(); ++i) {
        const auto channel = TChannelMask::FromMask(masks[i]);
        if (!channel) return false;
        layout.Masks[i] = *channel;
    }
    return true;
}

// Entries that do not fit before the pixel data are black, like the indices
// that the palette does not cover.
void ReadPalette(const TByteSource& source, std::uint64_t at, std::uint64_t entrySize, std::uint64_t declared,
                 TBitmapLayout& layout) {
    layout.Palette.assign(std::size_t{1} << layout.BitCount, 0);
    const std::uint64_t room = layout.PixelOffset - at;
    const std::uint64_t count = std::min({declared, std::uint64_t{layout.Palette.size()}, room / entrySize});
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t entry = at + i * entrySize;
        layout.Palette[static_cast<std::size_t>(i)] =
            RgbFromBytes(source.Byte(entry + 2), source.Byte(entry + 1), source.Byte(entry));
    }
}

bool SupportedFormat(bool core, std::uint32_t compression, int bits) {
    const bool indexed = bits == 1 || bits == 4 || bits == 8;
    if (core) return indexed || bits == 24;
    if (compression == kRgbCompression) return indexed || bits == 16 || bits == 24 || bits == 32;
    return compression == kBitFieldsCompression && (bits == 16 || bits == 32);
}

std::optional<TBitmapLayout> ReadLayout(const TByteSource& source) {
    if (!source.Holds(0, kFileHeaderSize + 4) || source.Byte(0) != 'B' || source.Byte(1) != 'M') return std::nullopt;
    TBitmapLayout layout;
    layout.PixelOffset = source.Dword(10);
    const std::uint64_t headerSize = source.Dword(kFileHeaderSize);
    const bool core = headerSize == kCoreHeaderSize;
    if (!core && headerSize != kInfoHeaderSize && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return std::nullopt;
    if (!source.Holds(kFileHeaderSize, headerSize)) return std::nullopt;

    constexpr std::uint64_t info = kFileHeaderSize;
    std::int64_t width = 0, height = 0;
    std::uint32_t compression = kRgbCompression, colorsUsed = 0;
    unsigned planes = 0;
    if (core) {
        width = source.Word(info + 4);
        height = source.Word(info + 6);
        planes = source.Word(info + 8);
        layout.BitCount = source.Word(info + 10);
    } else {
        width = static_cast<std::int32_t>(source.Dword(info + 4));
        height = static_cast<std::int32_t>(source.Dword(info + 8));
        planes = source.Word(info + 12);
        layout.BitCount = source.Word(info + 14);
        compression = source.Dword(info + 16);
        colorsUsed = source.Dword(info + 32);
    }

    layout.TopDown = height < 0;
    height = height < 0 ? -height : height;
    if (planes != 1 || width <= 0 || height <= 0 || width > kMaxBitmapDimension || height > kMaxBitmapDimension ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxBitmapPixels)
        return std::nullopt;
    layout.Width = static_cast<std::uint32_t>(width);
    layout.Height = static_cast<std::uint32_t>(height);

    const int bits = layout.BitCount;
    if (!SupportedFormat(core, compression, bits)) return std::nullopt;

    // Masks live in the larger headers, or in three words right after a 40-byte one.
    const std::uint64_t masksAt = info + kInfoHeaderSize;
    const bool separateMasks = compression == kBitFieldsCompression && headerSize == kInfoHeaderSize;
    const std::uint64_t tablesAt = info + headerSize + (separateMasks ? kSeparateMasksSize : 0);
    if (layout.PixelOffset < tablesAt || !source.Holds(0, layout.PixelOffset)) return std::nullopt;

    if ((bits == 16 || bits == 32) && !ReadMasks(source, compression, bits, masksAt, layout)) return std::nullopt;
    if (bits <= 8) {
        const std::uint64_t full = std::uint64_t{1} << bits;
        ReadPalette(source, tablesAt, core ? 3 : 4, core || colorsUsed == 0 ? full : colorsUsed, layout);
    }
    return layout;
}

std::uint32_t DecodePixel(const TByteSource& source, const TBitmapLayout& layout, std::uint64_t row, std::uint32_t x) {
    const int bits = layout.BitCount;
    if (bits <= 8) {
        const std::uint64_t bit = std::uint64_t{x} * static_cast<std::uint64_t>(bits);
        const unsigned shift = static_cast<unsigned>(8 - bits - static_cast<int>(bit % 8));
        const unsigned index = (source.Byte(row + bit / 8) >> shift) & ((1u << bits) - 1);
        return layout.Palette[index];
    }
    if (bits == 24) {
        const std::uint64_t at = row + std::uint64_t{x} * 3;
        return RgbFromBytes(source.Byte(at + 2), source.Byte(at + 1), source.Byte(at));
    }
    const std::uint32_t raw =
        bits == 16 ? source.Word(row + std::uint64_t{x} * 2) : source.Dword(row + std::uint64_t{x} * 4);
    return layout.Masks[0].Extract(raw) << 16 | layout.Masks[1].Extract(raw) << 8 | layout.Masks[2].Extract(raw);
}

}  // namespace

TDecodedBitmap ReadBitmapFile(std::span<const std::uint8_t> bytes) {
    const TByteSource source(bytes);
    const auto layout = ReadLayout(source);
    if (!layout) return {};

    const std::uint64_t rowBits = std::uint64_t{layout->Width} * static_cast<std::uint64_t>(layout->BitCount);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    // The padding of the last row may be missing; its pixels may not.
    const std::uint64_t needed = stride * (layout->Height - 1) + (rowBits + 7) / 8;
    if (!source.Holds(layout->PixelOffset, needed)) return {};

    TDecodedBitmap image;
    image.Width = static_cast<int>(layout->Width);
    image.Height = static_cast<int>(layout->Height);
    image.Pixels.resize(std::size_t{layout->Width} * layout->Height);
    auto out = image.Pixels.begin();
    for (std::uint32_t y = 0; y < layout->Height; ++y) {
        const std::uint32_t stored = layout->TopDown ? y : layout->Height - 1 - y;
        const std::uint64_t row = layout->PixelOffset + stride * stored;
        for (std::uint32_t x = 0; x < layout->Width; ++x) *out++ = DecodePixel(source, *layout, row, x);
    }
    return image;
}

}  // namespace velloran
