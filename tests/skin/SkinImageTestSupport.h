#pragma once
// Test images for the bitmap routines and the image primitives. Pixels are 0x00RRGGBB, rows
// from the top, as GetBitmapPixels gives them (its orientation is checked against GDI itself in
// ImgUtilTest).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <sstream>

#include "framework/Graphics.h"
#include "skin/data/ImgUtil.h"

namespace velloran::skintest {

using TPixelOf = std::function<std::uint32_t(int x, int y)>;

constexpr std::uint32_t kKeyPixel = 0xFF00FF;

inline std::unique_ptr<TBitmap> Image(int width, int height, const TPixelOf& pixel) {
    TDecodedBitmap image;
    image.Width = width;
    image.Height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.Pixels.push_back(pixel(x, y));
    auto bitmap = std::make_unique<TBitmap>();
    SetBitmapPixels(*bitmap, image);
    return bitmap;
}

inline std::unique_ptr<TBitmap> Solid(int width, int height, std::uint32_t pixel) {
    return Image(width, height, [pixel](int, int) { return pixel; });
}

inline std::uint32_t At(const TDecodedBitmap& image, int x, int y) {
    return image.Pixels.at(static_cast<std::size_t>(y * image.Width + x));
}

// Every pixel of the bitmap against the expectation; names the first few that differ.
inline ::testing::AssertionResult PixelsAre(const TBitmap& bitmap, int width, int height, const TPixelOf& expected) {
    const TDecodedBitmap image = GetBitmapPixels(bitmap);
    if (image.Width != width || image.Height != height)
        return ::testing::AssertionFailure()
               << "size " << image.Width << "x" << image.Height << ", expected " << width << "x" << height;
    int wrong = 0;
    std::ostringstream where;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (At(image, x, y) != expected(x, y) && wrong++ < 5)
                where << std::hex << " (" << std::dec << x << "," << y << ")=" << std::hex << At(image, x, y) << " not "
                      << expected(x, y);
    if (wrong == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ:" << where.str();
}

}  // namespace velloran::skintest
