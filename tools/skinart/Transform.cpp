#include "tools/skinart/Transform.h"

namespace velloran::skinart {

Image FlippedVertically(const Image& image) {
    Image result(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) result.Set(x, image.Height() - 1 - y, image.At(x, y));
    return result;
}

Image FlippedHorizontally(const Image& image) {
    Image result(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) result.Set(image.Width() - 1 - x, y, image.At(x, y));
    return result;
}

Image Transposed(const Image& image) {
    Image result(image.Height(), image.Width());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) result.Set(y, x, image.At(x, y));
    return result;
}

Image Cropped(const Image& image, Rect r) {
    Image result(r.Width(), r.Height());
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x) result.Set(x, y, image.At(r.left + x, r.top + y));
    return result;
}

}  // namespace velloran::skinart
