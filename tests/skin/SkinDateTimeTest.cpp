// The date/time picker skinner on real pickers: the arrow button laid over the picker's own
// button and drawn from the skin in its normal and hot frames, its click opening the calendar as
// a click on the picker's button does, the pickers with a spin framed as edits, and the arrow
// button gone when skinning goes off.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/DateTimePickers.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

TDateTimePicker* AddPicker(TForm& form, int top, TDateTimeKind kind, TDTDateMode mode) {
    auto* picker = new TDateTimePicker(&form);
    picker->SetKind(kind);
    picker->SetDateMode(mode);
    picker->SetParent(&form);
    picker->SetBounds(10, top, 160, 24);
    return picker;
}

bool CalendarShown(HWND picker) {
    const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    return calendar && IsWindowVisible(calendar);
}

TEST(SkinDateTime, TheArrowButtonIsDrawnFromTheSkinAndOpensTheCalendarAsThePickersOwnButton) {
    TSkinnedProcess skinning;
    TSkinData& data = *skinning.Data;
    auto form = MakeControlForm();
    auto* date = AddPicker(*form, 10, dtkDate, dmComboBox);
    auto* time = AddPicker(*form, 50, dtkTime, dmComboBox);
    auto* upDown = AddPicker(*form, 90, dtkDate, dmUpDown);
    auto* other = AddPicker(*form, 130, dtkDate, dmComboBox);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    auto* skinner = ChildSkinner<TSkinDateTime>(form->Handle(), date->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_NE(ChildSkinner<TSkinEdit>(form->Handle(), time->Handle()), nullptr);
    EXPECT_NE(ChildSkinner<TSkinEdit>(form->Handle(), upDown->Handle()), nullptr);
    ASSERT_NE(skinner->ArrowButton(), nullptr);
    const HWND arrow = skinner->ArrowButton()->Handle();
    ASSERT_TRUE(IsWindow(arrow));
    EXPECT_EQ(GetParent(arrow), date->Handle());
    EXPECT_FALSE(GetWindowLongPtrW(arrow, GWL_STYLE) & WS_TABSTOP);

    // Over the picker's button, of the arrow's width and the picker's height less 4.
    RECT picker{}, button{};
    GetWindowRect(date->Handle(), &picker);
    GetWindowRect(arrow, &button);
    const int arrowWidth = GetSystemMetrics(SM_CXHSCROLL), pickerHeight = picker.bottom - picker.top;
    EXPECT_EQ(button.right - button.left, arrowWidth);
    EXPECT_EQ(button.bottom - button.top, pickerHeight - 4);
    POINT origin{0, 0};
    ClientToScreen(date->Handle(), &origin);
    EXPECT_EQ(button.left - origin.x, picker.right - picker.left - arrowWidth - 4);

    // Normal, then hot: the skin's combo arrow frames 1 and 4.
    TDataSkinObject& art = *data.ComboArrow;
    const RECT whole{0, 0, arrowWidth, pickerHeight - 4};
    for (const int frame : {1, 4}) {
        if (frame == 4) SendMessageW(arrow, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        TBitmap expected;
        expected.SetSize(whole.right, whole.bottom);
        StretchFrame(expected.Canvas().Handle(), whole, *art.Bitmap, false, art.Frame, frame);
        EXPECT_EQ(Mismatches(PaintedPixels(arrow), GetBitmapPixels(expected), whole, SkinColour(data, ciButtonFace)), 0)
            << frame;
    }
    // The picker itself: the border colour, then a white lining.
    const TDecodedBitmap framed = PaintedPixels(date->Handle());
    EXPECT_EQ(PixelAt(framed, 0, pickerHeight / 2), SkinColour(data, ciButtonShadow));
    EXPECT_EQ(PixelAt(framed, 1, pickerHeight / 2), 0xFFFFFFu);

    // A click on a picker's own button opens its calendar; so does one on the arrow button over it.
    const int x = arrowWidth / 2, y = (pickerHeight - 4) / 2;
    POINT inPicker{x, y};
    MapWindowPoints(arrow, date->Handle(), &inPicker, 1);
    SendMessageW(other->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inPicker.x, inPicker.y));
    SendMessageW(other->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(inPicker.x, inPicker.y));
    PumpFor(20);
    EXPECT_TRUE(CalendarShown(other->Handle()));
    EXPECT_FALSE(CalendarShown(date->Handle()));
    SendMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpFor(20);
    EXPECT_TRUE(CalendarShown(date->Handle()));

    // Skin off: no arrow button left on the picker.
    data.SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_FALSE(IsWindow(arrow));
    EXPECT_EQ(GetTopWindow(date->Handle()), nullptr);
}

}  // namespace
}  // namespace velloran
