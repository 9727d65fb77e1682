// Arbitrary colour texts, blends, gradients and saturations: results must stay
// colours, and gradients must run from their first colour to their last.

#include "skin/data/SkinColors.h"
#include "tests/fuzz/FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace velloran;

using fuzztest::Require;

TColorValue SystemColor(int index) {
    Require(index >= 0 && index <= 0xFF);
    return 0xFFFFFFFFu - static_cast<TColorValue>(index);
}

uint32_t ReadUint32(const uint8_t* bytes) {
    uint32_t value = 0;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

int ChannelOf(TColorValue color, int channel) { return static_cast<int>((color >> (8 * channel)) & 0xFF); }

bool Between(int value, int a, int b) { return (a <= value && value <= b) || (b <= value && value <= a); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TColorValue parsed = ParseColorText(text);
    Require(parsed <= 0xFFFFFF);
    Require(ParseColorText(" \t" + std::string(text) + "\r\n ") == parsed);

    // 14 control bytes: two colours, a weight and a gradient length.
    constexpr std::size_t kControlBytes = 14;
    if (size < kControlBytes) return 0;
    const TColorValue c1 = ReadUint32(data), c2 = ReadUint32(data + 4);
    const int weight = static_cast<int32_t>(ReadUint32(data + 8));
    const int count = 1 + (data[12] | (data[13] & 0x0F) << 8);

    const TColorValue mixed = Blend(c1, c2, weight, SystemColor);
    Require(mixed <= 0xFFFFFF);
    for (int channel = 0; channel < 3; ++channel)
        Require(Between(ChannelOf(mixed, channel), ChannelOf(ResolveColor(c1, SystemColor), channel),
                        ChannelOf(ResolveColor(c2, SystemColor), channel)));

    const int saturation = ColorSaturation(c1);
    Require((saturation >= 0 && saturation <= 255) || saturation == 200);

    TGradientCache cache;
    const TColorValue from = c1 & 0xFFFFFF, to = c2 & 0xFFFFFF;
    const int slot = cache.GradientTable(count, from, to);
    const auto table = cache.Table(slot);
    Require(table.size() == static_cast<std::size_t>(count));
    Require(count == 1 || (table.front() == from && table.back() == to));
    for (std::size_t i = 0; i < table.size(); ++i)
        for (int channel = 0; channel < 3; ++channel) {
            Require(Between(ChannelOf(table[i], channel), ChannelOf(from, channel), ChannelOf(to, channel)));
            if (i > 0)
                Require(
                    Between(ChannelOf(table[i], channel), ChannelOf(table[i - 1], channel), ChannelOf(to, channel)));
        }
    Require(cache.GradientTable(count, from, to) == slot);
    return 0;
}
