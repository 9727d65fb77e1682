#pragma once

// Colour values of the skin engine: reading them from the skin description,
// mixing them, the cached gradient tables and the saturation measure that
// picks the toolbar tint.
// Plain standard C++; no Windows headers. The Windows side supplies the
// system colours through a TSystemColorLookup.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velloran {

// red + green * 256 + blue * 65536; with the top bit set (0xFF000000 + n) the
// value stands for the Windows system colour n.
using TColorValue = std::uint32_t;

// Returns the current value of Windows system colour n (GetSysColor).
using TSystemColorLookup = TColorValue (*)(int index);

// Three decimal numbers, red, green and blue, separated by any non-digit
// characters ("235 235 235", "10,20,30"). The text is trimmed; each run of
// digits ended by a non-digit fills the next of red, green and blue, while a
// run ending the text counts only as blue after exactly two others, so
// "235 235" is red 235 alone. Runs past the third are ignored, components
// keep their low 8 bits and missing ones are 0.
TColorValue ParseColorText(std::string_view text);

// System colours through the lookup, which must not be null; other values
// keep their low 24 bits.
TColorValue ResolveColor(TColorValue color, TSystemColorLookup systemColor);

// Mixes weight parts of c1 into c2, out of 100 parts for weights below 100
// and out of 1000 otherwise (150 is 15 %, 100 is 10 %). Weights outside
// 0..1000 are held to that range so that every channel stays a byte.
TColorValue Blend(TColorValue c1, TColorValue c2, int weight, TSystemColorLookup systemColor);

// (max - min) / max of the channels scaled to 0..255, rounded half to even,
// for colours with a channel of 160 or more; 200 for all darker colours.
int ColorSaturation(TColorValue color);

// The last sixteen gradients asked for, so that repainting a gradient area of
// the same size and colours does not recompute its table. The painters use it
// from the GUI thread only.
class TGradientCache {
public:
    static constexpr int kSlotCount = 16;

    // Slot of a table of count colours running from `from` to `to`, both
    // included; a gradient not cached is built into the oldest slot. Channels
    // are interpolated with rounding, so that a falling channel mirrors a
    // rising one and the last entry is exactly `to`. A single entry is the
    // midpoint. Throws std::invalid_argument("Assertion failure") for count <= 0.
    int GradientTable(int count, TColorValue from, TColorValue to);

    // Valid until the slot is rebuilt by a later GradientTable call.
    std::span<const TColorValue> Table(int slot) const;

private:
    struct TSlot {
        int Count = 0;
        TColorValue From = 0;
        TColorValue To = 0;
        std::vector<TColorValue> Colors;
    };

    std::array<TSlot, kSlotCount> slots_;
    int nextSlot_ = 0;
};

// The one cache the painters share.
TGradientCache& SharedGradientCache();

}  // namespace velloran
