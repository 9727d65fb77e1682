// The framework's combo box, date/time picker, up-down and rich edit on real windows: the system
// class and styles each setting gives, and the values that survive a window re-created for a
// style change.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include "framework/ComboBoxes.h"
#include "framework/DateTimePickers.h"
#include "framework/Forms.h"
#include "framework/RichEdits.h"
#include "framework/UpDowns.h"
#include "framework/TypInfo.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

DWORD StyleOf(HWND wnd) { return static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE)); }

template <class T>
T* Add(TForm& form) {
    auto* control = new T(&form);
    control->SetParent(&form);
    return control;
}

TEST(CommonControls, ComboBoxStylesKeepTheirItemsAndSelectionAcrossARecreatedWindow) {
    TOwned<TForm> form(new TForm(nullptr));
    auto* combo = Add<TComboBox>(*form);
    for (const char* item : {"One", "Two", "Three"}) combo->AddItem(item);
    combo->SetItemIndex(1);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(StyleOf(combo->Handle()) & 3, static_cast<DWORD>(CBS_DROPDOWN));
    for (const auto& [style, bits] : {std::pair{csSimple, CBS_SIMPLE}, {csDropDownList, CBS_DROPDOWNLIST}}) {
        combo->SetStyle(style);
        EXPECT_EQ(StyleOf(combo->Handle()) & 3, static_cast<DWORD>(bits));
        EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(combo->ItemIndex(), 1);
    }
    EXPECT_EQ(GetPropEnumText(*combo, "Style"), "csDropDownList");
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->DroppedDown());
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->DroppedDown());
}

TEST(CommonControls, PickersUpDownsAndRichEditsGetTheSystemClassesAndStyles) {
    TOwned<TForm> form(new TForm(nullptr));
    auto* date = Add<TDateTimePicker>(*form);
    auto* time = Add<TDateTimePicker>(*form);
    time->SetKind(dtkTime);
    auto* spinDate = Add<TDateTimePicker>(*form);
    spinDate->SetDateMode(dmUpDown);
    SYSTEMTIME shown{};
    EXPECT_EQ(SendMessageA(date->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)), GDT_VALID);
    EXPECT_FALSE(date->UsesUpDown());
    EXPECT_TRUE(time->UsesUpDown() && spinDate->UsesUpDown());
    EXPECT_EQ(StyleOf(time->Handle()) & DTS_TIMEFORMAT, static_cast<DWORD>(DTS_TIMEFORMAT));
    EXPECT_EQ(StyleOf(spinDate->Handle()) & DTS_UPDOWN, static_cast<DWORD>(DTS_UPDOWN));

    auto* upDown = Add<TUpDown>(*form);
    upDown->SetMin(-5);
    upDown->SetMax(5);
    upDown->SetPosition(3);
    upDown->SetOrientation(udHorizontal);
    EXPECT_TRUE(StyleOf(upDown->Handle()) & UDS_HORZ);
    EXPECT_EQ(upDown->Position(), 3);
    upDown->SetPosition(9);
    EXPECT_EQ(upDown->Position(), 5);

    auto* rich = Add<TRichEdit>(*form);
    // Only the rich text control knows its background colour message.
    EXPECT_NE(SendMessageA(rich->Handle(), EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3)), 0);
    rich->Lines()->SetText("first\r\nsecond");
    EXPECT_EQ(rich->Lines()->Count(), 2);
    EXPECT_EQ(rich->Lines()->Get(1), "second");
}

}  // namespace
}  // namespace velloran
