#include "skin/data/SkinColors.h"

#include "skin/data/TextTrim.h"

#include <algorithm>
#include <stdexcept>

namespace velloran {
namespace {

constexpr TColorValue kSystemColorBit = 0x80000000u;

int Channel(TColorValue color, int index) { return static_cast<int>((color >> (8 * index)) & 0xFFu); }

TColorValue FromChannels(const std::array<int, 3>& rgb) {
    return static_cast<TColorValue>(rgb[0]) | static_cast<TColorValue>(rgb[1]) << 8 |
           static_cast<TColorValue>(rgb[2]) << 16;
}

// Division rounding toward minus infinity, for a positive divisor.
int64_t FloorDivide(int64_t dividend, int64_t divisor) {
    const int64_t quotient = dividend / divisor;
    return dividend % divisor < 0 ? quotient - 1 : quotient;
}

std::vector<TColorValue> BuildGradient(int count, TColorValue from, TColorValue to) {
    std::array<int, 3> start{}, delta{};
    for (int channel = 0; channel < 3; ++channel) {
        start[channel] = Channel(from, channel);
        delta[channel] = Channel(to, channel) - start[channel];
    }

    std::vector<TColorValue> colors(static_cast<std::size_t>(count));
    if (count == 1) {
        std::array<int, 3> middle{};
        for (int channel = 0; channel < 3; ++channel) middle[channel] = start[channel] + delta[channel] / 2;
        colors[0] = FromChannels(middle);
        return colors;
    }

    // Offsetting by half a step before dividing rounds to the nearest value;
    // flooring (not truncating) keeps that true for falling channels too.
    const int64_t steps = count - 1;
    const int64_t half = steps / 2;
    for (int64_t i = 0; i < count; ++i) {
        std::array<int, 3> rgb{};
        for (int channel = 0; channel < 3; ++channel)
            rgb[channel] = start[channel] + static_cast<int>(FloorDivide(half + i * delta[channel], steps));
        colors[static_cast<std::size_t>(i)] = FromChannels(rgb);
    }
    return colors;
}

}  // namespace

TColorValue ParseColorText(std::string_view text) {
    text = TrimBlanks(text);
    std::array<int, 3> rgb{};
    int runs = 0;
    int run = 0;  // low 8 bits of the digits so far
    bool inRun = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + (c - '0')) & 0xFF;
            inRun = true;
            continue;
        }
        if (inRun && runs < 3) rgb[static_cast<std::size_t>(runs++)] = run;
        run = 0;
        inRun = false;
    }
    if (inRun && runs == 2) rgb[2] = run;
    return FromChannels(rgb);
}

TColorValue ResolveColor(TColorValue color, TSystemColorLookup systemColor) {
    if ((color & kSystemColorBit) != 0) return systemColor(static_cast<int>(color & 0xFFu)) & 0xFFFFFFu;
    return color & 0xFFFFFFu;
}

TColorValue Blend(TColorValue c1, TColorValue c2, int weight, TSystemColorLookup systemColor) {
    c1 = ResolveColor(c1, systemColor);
    c2 = ResolveColor(c2, systemColor);
    const int scale = weight < 100 ? 100 : 1000;
    weight = std::clamp(weight, 0, scale);
    std::array<int, 3> rgb{};
    for (int channel = 0; channel < 3; ++channel)
        rgb[channel] = (Channel(c2, channel) * (scale - weight) + Channel(c1, channel) * weight + scale / 2) / scale;
    return FromChannels(rgb);
}

int ColorSaturation(TColorValue color) {
    const int r = Channel(color, 0), g = Channel(color, 1), b = Channel(color, 2);
    const int high = std::max({r, g, b});
    if (high < 160) return 200;
    const int low = std::min({r, g, b});
    // Exact rational rounding: (high - low) * 255 / high, halves to even.
    const int numerator = (high - low) * 255;
    const int quotient = numerator / high;
    const int twiceRemainder = 2 * (numerator % high);
    if (twiceRemainder > high || (twiceRemainder == high && quotient % 2 == 1)) return quotient + 1;
    return quotient;
}

int TGradientCache::GradientTable(int count, TColorValue from, TColorValue to) {
    if (count <= 0) throw std::invalid_argument("Assertion failure");
    for (int slot = kSlotCount - 1; slot >= 0; --slot) {
        const TSlot& cached = slots_[static_cast<std::size_t>(slot)];
        if (cached.Count == count && cached.From == from && cached.To == to) return slot;
    }

    const int slot = nextSlot_;
    nextSlot_ = (nextSlot_ + 1) % kSlotCount;
    slots_[static_cast<std::size_t>(slot)] = TSlot{count, from, to, BuildGradient(count, from, to)};
    return slot;
}

std::span<const TColorValue> TGradientCache::Table(int slot) const {
    return slots_.at(static_cast<std::size_t>(slot)).Colors;
}

TGradientCache& SharedGradientCache() {
    static TGradientCache cache;
    return cache;
}

}  // namespace velloran
