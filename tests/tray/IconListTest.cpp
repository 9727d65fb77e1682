// The icon list: copies kept in order, its change notifications and its stored form.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/tray/TestIcons.h"
#include "tray/IconList.h"

namespace velloran {
namespace {

using namespace traytest;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kNone = 0xFFFFFFFF;
constexpr uint32_t kResourceColor = 0x2060C0;  // the colour of TrayFrame.ico

std::vector<uint32_t> Colors(const TIconList& list) {
    std::vector<uint32_t> colors;
    for (int i = 0; i < list.Count(); ++i) colors.push_back(IconColor(*list.Items(i)));
    return colors;
}

TEST(IconList, KeepsCopiesInOrderThroughEveryOperation) {
    TIcon red, green, blue, empty;
    PaintIcon(red, kRed);
    PaintIcon(green, kGreen);
    PaintIcon(blue, kBlue);
    TIconList list;
    EXPECT_EQ(list.Add(red), 0);
    list.Add(green);
    list.Insert(0, blue);
    EXPECT_NE(list.Items(1)->Handle(), red.Handle());
    list.Put(3, red);    // at the count: appended
    list.Put(0, empty);  // an empty slot
    EXPECT_EQ(Colors(list), (std::vector<uint32_t>{kNone, kRed, kGreen, kRed}));
    list.Exchange(0, 2);
    list.Move(0, 3);
    EXPECT_EQ(Colors(list), (std::vector<uint32_t>{kRed, kNone, kRed, kGreen}));
    EXPECT_EQ(list.IndexOf(list.Items(3)), 3);
    EXPECT_EQ(list.IndexOf(&green), -1);
    list.Delete(1);
    EXPECT_THROW(list.Items(3), std::out_of_range);
    EXPECT_THROW(list.Put(4, red), std::out_of_range);
    EXPECT_THROW(list.Move(0, 3), std::out_of_range);

    const HINSTANCE module = GetModuleHandleA(nullptr);
    list.InsertResource(1, module, kFrameResource);
    EXPECT_EQ(list.Items(1)->Width(), 16);
    EXPECT_THROW(list.AddResource(module, "NO_SUCH_ICON"), EGraphicsError);
    EXPECT_EQ(Colors(list), (std::vector<uint32_t>{kRed, kResourceColor, kRed, kGreen}));

    TIconList copy;
    copy.Assign(list);
    EXPECT_EQ(Colors(copy), Colors(list));
    EXPECT_NE(copy.Items(0)->Handle(), list.Items(0)->Handle());
    copy.Assign(blue);
    EXPECT_EQ(Colors(copy), (std::vector<uint32_t>{kBlue}));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(IconList, NotifiesEveryChangeOrOncePerOutermostUpdate) {
    TIconList list;
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    TIcon icon;
    PaintIcon(icon, kGreen);
    list.Add(icon);
    list.Add(icon);
    list.Put(0, icon);
    list.Exchange(0, 1);
    list.Move(1, 0);
    list.Delete(0);
    EXPECT_EQ(changes, 6);
    PaintIcon(*list.Items(0), kBlue);  // an icon of the list changed
    EXPECT_EQ(changes, 7);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(icon);
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(changes, 7);
    list.EndUpdate();
    EXPECT_EQ(changes, 8);

    TIconList other;
    other.Add(icon);
    other.Add(icon);
    list.Assign(other);
    list.Assign(icon);
    EXPECT_EQ(changes, 10);
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

TEST(IconList, StoredFormIsACountThenSizedIconFiles) {
    TIcon red, empty;
    PaintIcon(red, kRed);
    TIconList list;
    list.Add(red);
    list.Add(empty);
    const std::vector<uint8_t> file = red.SaveToBytes();
    ASSERT_FALSE(file.empty());
    std::vector<uint8_t> stored;
    PutU32(stored, 2);
    PutU32(stored, static_cast<uint32_t>(file.size()));
    stored.insert(stored.end(), file.begin(), file.end());
    PutU32(stored, 0);
    EXPECT_EQ(list.SaveToBytes(), stored);

    TIconList loaded;
    loaded.LoadFromBytes(stored);
    EXPECT_EQ(Colors(loaded), (std::vector<uint32_t>{kRed, kNone}));
    EXPECT_EQ(loaded.SaveToBytes(), stored);

    std::vector<std::vector<uint8_t>> malformed;
    for (size_t cut : {size_t{0}, size_t{3}, size_t{7}, stored.size() - 1})
        malformed.emplace_back(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(cut));
    malformed.push_back(stored);
    malformed.back()[0] = 3;  // one icon more than there is
    malformed.push_back(stored);
    malformed.back().push_back(0);  // a byte past the last icon
    malformed.push_back({0xFF, 0xFF, 0xFF, 0xFF});
    for (size_t i = 0; i < malformed.size(); ++i) {
        EXPECT_THROW(loaded.LoadFromBytes(malformed[i]), EPropertyError) << "case " << i;
        EXPECT_EQ(loaded.Count(), 2);
    }
}

}  // namespace
}  // namespace velloran
