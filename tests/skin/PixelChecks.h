#pragma once
// Checks of single pixels of what a skinner paints, and where a group box's frame line runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "framework/Controls.h"
#include "tests/skin/SkinFormTestSupport.h"

namespace velloran::skintest {

// The row where a group box's frame line runs: half the height of a digit in its font, less one.
inline int GroupFrameLine(TWinControl& box) {
    TWindowDC dc(box.Handle());
    TSelectObject font(dc.get(), box.Font()->Handle());
    SIZE digit{};
    GetTextExtentPoint32A(dc.get(), "0", 1, &digit);
    return digit.cy / 2 - 1;
}

// A point of a painted image and the colour it must show there.
struct TPixelCheck {
    int X, Y;
    uint32_t Want;
};

inline void ExpectPixels(const TDecodedBitmap& image, std::initializer_list<TPixelCheck> checks) {
    for (const TPixelCheck& c : checks) EXPECT_EQ(PixelAt(image, c.X, c.Y), c.Want) << "at " << c.X << "," << c.Y;
}

}  // namespace velloran::skintest
