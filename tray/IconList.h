#pragma once
// An ordered list of owned icons: the frames of an animated tray icon.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Graphics.h"

namespace velloran {

// Every slot holds an icon of its own; an empty slot is an empty icon. Icons come in by copy
// and are freed with their slot. Indices out of range throw std::out_of_range.
class TIconList : public TPersistent {
    VELLORAN_CLASS(TIconList)
public:
    TIconList() = default;
    TIconList(const TIconList&) = delete;
    TIconList& operator=(const TIconList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TIcon* Items(int index) const;
    void Put(int index, const TIcon& icon);  // index == Count() appends
    int Add(const TIcon& icon);
    int AddResource(HINSTANCE instance, const std::string& name);
    void Insert(int index, const TIcon& icon);
    void InsertResource(int index, HINSTANCE instance, const std::string& name);
    void Delete(int index);
    void Exchange(int index1, int index2);
    void Move(int from, int to);
    int IndexOf(const TIcon* icon) const;  // -1 when the icon is not one of ours
    void Clear();
    void Assign(const TIconList& other);
    void Assign(const TIcon& icon);  // a list of that one icon

    // Changes made between these raise one notification, when the outermost update closes.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    // Raised after every change of the list or of one of its icons while no update is open.
    std::function<void(TObject*)> OnChange;

    // Stored form: 32-bit little-endian count, then per icon a 32-bit little-endian size and
    // that many bytes of icon file; size 0 is an empty slot.
    std::vector<uint8_t> SaveToBytes() const;
    // Replaces the whole list; malformed data throws EPropertyError and leaves it as it was.
    void LoadFromBytes(const std::vector<uint8_t>& bytes);

private:
    void CheckIndex(int index, bool allowEnd) const;
    // Takes the icon into slot index, listening to its changes.
    void InsertItem(int index, std::unique_ptr<TIcon> icon);
    void ReplaceAll(std::vector<std::unique_ptr<TIcon>> icons);
    void Changed();

    std::vector<std::unique_ptr<TIcon>> items_;
    int updateCount_ = 0;
};

}  // namespace velloran
