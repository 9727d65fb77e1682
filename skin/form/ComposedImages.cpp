#include "skin/form/ComposedImages.h"

namespace velloran {

TComposeKey ComposeKey(const TBitmap& strip, int frameCount, int frame, const TSkinMargins& margins, bool vertical,
                       bool tile, int width, int height) {
    return {strip.Identity(), frameCount, frame, margins, vertical, tile, width, height};
}

TBitmap& TComposedImages::Get(std::size_t slot, const TComposeKey& key, const TCompose& compose) {
    if (slot >= entries_.size()) entries_.resize(slot + 1);
    TEntry& entry = entries_[slot];
    if (!entry.Image || entry.Key != key) {
        // The old image goes first: a slot never holds two.
        entry.Image.reset();
        entry.Image = compose();
        entry.Key = key;
    }
    return *entry.Image;
}

void TComposedImages::Drop() { entries_.clear(); }

}  // namespace velloran
