#include "skin/manager/PopupImages.h"

#include <algorithm>

namespace velloran {

namespace {

// Enough for the menus of a program open one after the other (a menu and its submenus).
constexpr size_t kKeptSizes = 4;

}  // namespace

std::shared_ptr<TPopupImages> TPopupImageStore::For(int width, int height, std::uint64_t source) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const TEntry& entry) {
        return entry.Width == width && entry.Height == height && entry.Source == source;
    });
    if (found != entries_.end()) {
        std::rotate(found, found + 1, entries_.end());
        return entries_.back().Images;
    }
    if (entries_.size() == kKeptSizes) entries_.erase(entries_.begin());
    entries_.push_back({width, height, source, std::make_shared<TPopupImages>()});
    return entries_.back().Images;
}

}  // namespace velloran
