#include "tray/IconList.h"

#include <stdexcept>
#include <utility>

namespace velloran {

namespace {

std::unique_ptr<TIcon> CopyOf(const TIcon& icon) {
    auto copy = std::make_unique<TIcon>();
    copy->Assign(icon);
    return copy;
}

std::unique_ptr<TIcon> FromResource(HINSTANCE instance, const std::string& name) {
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromResourceName(instance, name);
    return icon;
}

void PutU32(std::vector<uint8_t>& out, size_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Reads the stored form front to back; every read checks the bytes are there.
class TIconListReader {
public:
    explicit TIconListReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    uint32_t U32() {
        Need(4);
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | bytes_[pos_ + static_cast<size_t>(i)];
        pos_ += 4;
        return value;
    }
    std::vector<uint8_t> Bytes(uint32_t size) {
        Need(size);
        auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(pos_);
        pos_ += size;
        return {first, first + static_cast<std::ptrdiff_t>(size)};
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    void Need(size_t size) const {
        if (size > bytes_.size() - pos_) throw EPropertyError("Icon list data is truncated");
    }
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
};

}  // namespace

const TClassInfo& TIconList::StaticClassInfo() {
    static const TClassInfo info{"TIconList", &TPersistent::StaticClassInfo()};
    return info;
}

void TIconList::CheckIndex(int index, bool allowEnd) const {
    const int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

TIcon* TIconList::Items(int index) const {
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)].get();
}

// Callers check the index first, before they make the icon.
void TIconList::InsertItem(int index, std::unique_ptr<TIcon> icon) {
    icon->OnChange = [this](TObject*) { Changed(); };
    items_.insert(items_.begin() + index, std::move(icon));
    Changed();
}

void TIconList::Put(int index, const TIcon& icon) {
    CheckIndex(index, true);
    if (index == Count()) {
        Add(icon);
        return;
    }
    // Replacing an icon by an equally empty one is still a replacement the listener hears of.
    BeginUpdate();
    try {
        items_[static_cast<size_t>(index)]->Assign(icon);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TIconList::Add(const TIcon& icon) {
    const int index = Count();
    Insert(index, icon);
    return index;
}

int TIconList::AddResource(HINSTANCE instance, const std::string& name) {
    const int index = Count();
    InsertResource(index, instance, name);
    return index;
}

void TIconList::Insert(int index, const TIcon& icon) {
    CheckIndex(index, true);
    InsertItem(index, CopyOf(icon));
}

void TIconList::InsertResource(int index, HINSTANCE instance, const std::string& name) {
    CheckIndex(index, true);
    InsertItem(index, FromResource(instance, name));
}

void TIconList::Delete(int index) {
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
    Changed();
}

void TIconList::Exchange(int index1, int index2) {
    CheckIndex(index1, false);
    CheckIndex(index2, false);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TIconList::Move(int from, int to) {
    CheckIndex(from, false);
    CheckIndex(to, false);
    std::unique_ptr<TIcon> icon = std::move(items_[static_cast<size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(icon));
    Changed();
}

int TIconList::IndexOf(const TIcon* icon) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == icon) return static_cast<int>(i);
    return -1;
}

void TIconList::Clear() {
    items_.clear();
    Changed();
}

void TIconList::Assign(const TIconList& other) {
    if (&other == this) return;
    std::vector<std::unique_ptr<TIcon>> copies;
    for (const auto& icon : other.items_) copies.push_back(CopyOf(*icon));
    ReplaceAll(std::move(copies));
}

void TIconList::Assign(const TIcon& icon) {
    std::vector<std::unique_ptr<TIcon>> copy;
    copy.push_back(CopyOf(icon));
    ReplaceAll(std::move(copy));
}

// The icons are made before the list changes, so that one that cannot be made leaves it as it was.
void TIconList::ReplaceAll(std::vector<std::unique_ptr<TIcon>> icons) {
    BeginUpdate();
    items_.clear();
    for (auto& icon : icons) InsertItem(Count(), std::move(icon));
    EndUpdate();
}

void TIconList::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) Changed();
}

void TIconList::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange(this);
}

std::vector<uint8_t> TIconList::SaveToBytes() const {
    std::vector<uint8_t> out;
    PutU32(out, items_.size());
    for (const auto& icon : items_) {
        const std::vector<uint8_t> file = icon->SaveToBytes();
        PutU32(out, file.size());
        out.insert(out.end(), file.begin(), file.end());
    }
    return out;
}

void TIconList::LoadFromBytes(const std::vector<uint8_t>& bytes) {
    TIconListReader reader(bytes);
    const uint32_t count = reader.U32();
    std::vector<std::unique_ptr<TIcon>> icons;
    for (uint32_t i = 0; i < count; ++i) {
        auto icon = std::make_unique<TIcon>();
        if (const uint32_t size = reader.U32()) icon->LoadFromStream(reader.Bytes(size));
        icons.push_back(std::move(icon));
    }
    if (!reader.AtEnd()) throw EPropertyError("Icon list data has bytes past its last icon");
    ReplaceAll(std::move(icons));
}

}  // namespace velloran
