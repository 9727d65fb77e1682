#include "tools/skinart/Strip.h"

#include "tools/skinart/Paint.h"
#include "tools/skinart/Transform.h"

#include <cassert>

namespace velloran::skinart {

Image DrawStrip(int frameWidth, int frameHeight, int count, Stacking stacking,
                const std::function<void(Canvas& frame, int index)>& paint) {
    const bool across = stacking == Stacking::Across;
    Image strip(across ? frameWidth * count : frameWidth, across ? frameHeight : frameHeight * count);
    for (int index = 1; index <= count; ++index) {
        const int offset = (index - 1) * (across ? frameWidth : frameHeight);
        const Rect area = across ? Rect{offset, 0, offset + frameWidth, frameHeight}
                                 : Rect{0, offset, frameWidth, offset + frameHeight};
        Canvas frame(strip, area);
        paint(frame, index);
    }
    return strip;
}

Image JoinStrip(const std::vector<Image>& frames, Stacking stacking) {
    assert(!frames.empty());
    const Image& first = frames.front();
    const int count = static_cast<int>(frames.size());
    return DrawStrip(first.Width(), first.Height(), count, stacking, [&frames](Canvas& frame, int index) {
        const Image& source = frames[static_cast<size_t>(index - 1)];
        assert(source.Width() == frame.Width() && source.Height() == frame.Height());
        Blit(frame, 0, 0, source);  // the frame is all key colour, so this copies every pixel
    });
}

Image MapFrames(const Image& strip, int count, const std::function<Image(const Image&)>& transform) {
    const int frameWidth = strip.Width() / count;
    std::vector<Image> frames;
    for (int index = 0; index < count; ++index)
        frames.push_back(transform(Cropped(strip, {index * frameWidth, 0, (index + 1) * frameWidth, strip.Height()})));
    return JoinStrip(frames, Stacking::Across);
}

}  // namespace velloran::skinart
