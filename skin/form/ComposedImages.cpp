#include "skin/form/ComposedImages.h"

namespace velloran {
namespace {

bool SameMargins(const TSkinMargins& a, const TSkinMargins& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

bool SameKey(const TComposeKey& a, const TComposeKey& b) {
    return a.Strip == b.Strip && a.StripHandle == b.StripHandle && a.StripSerial == b.StripSerial && a.StripWidth == b.StripWidth && a.StripHeight == b.StripHeight &&
           a.FrameCount == b.FrameCount && a.Frame == b.Frame && SameMargins(a.Margins, b.Margins) &&
           a.Vertical == b.Vertical && a.Tile == b.Tile && a.Width == b.Width && a.Height == b.Height;
}

}  // namespace

// The handle is read from the strip's canvas: asking the bitmap for it would take it out of its
// canvas, whose DC the next composition then makes again.
TComposeKey ComposeKey(TBitmap& strip, int frameCount, int frame, const TSkinMargins& margins, bool vertical, bool tile,
                       int width, int height) {
    return {&strip, GetCurrentObject(strip.Canvas().Handle(), OBJ_BITMAP), strip.Serial(), strip.Width(), strip.Height(), frameCount, frame, margins, vertical, tile, width, height};
}

TBitmap& TComposedImages::Get(std::size_t slot, const TComposeKey& key, const TCompose& compose) {
    if (slot >= entries_.size()) entries_.resize(slot + 1);
    TEntry& entry = entries_[slot];
    if (!entry.Image || !SameKey(entry.Key, key)) {
        // The old image goes first: a slot never holds two.
        entry.Image.reset();
        entry.Image = compose();
        entry.Key = key;
    }
    return *entry.Image;
}

void TComposedImages::Drop() { entries_.clear(); }

}  // namespace velloran
