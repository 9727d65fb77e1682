// The selection rows of the grid, the header control, the extended combo box (through the skin's
// mapping list and without it), the outside vendor's edit with buttons (known by its class name
// only), and the status, progress and track bars (the last also mapped): each control gets the
// skinner of its row, on the window that row names, and nothing when its family is switched off.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/ComboBoxExs.h"
#include "framework/Gauges.h"
#include "framework/Grids.h"
#include "framework/HeaderControls.h"
#include "framework/StatusBars.h"
#include "framework/vendor/AcmeEdits.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinGauges.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinnerSelection.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

// The vendor's edit, made from its class name as form data makes it.
TWinControl* MakeButtonEdit(TForm& form, const char* buttons) {
    auto* edit = dynamic_cast<TWinControl*>(GetClass("TDCEdit").Create(&form));
    TSkinControl::SetPropText(edit, "NumButtons", buttons);
    return edit;
}

// The skin's mapping list sends track bars through the mapped type, gated by the button family.
void TrackBarsMapped(TSkinData& data) {
    std::vector<std::string> lines = data.Skin3rd();
    lines.push_back("TTrackBar=trackbar");
    data.SetSkin3rd(lines);
}

// The skin's mapping list without its line for the extended combo box.
void Unmapped(TSkinData& data) {
    std::vector<std::string> lines;
    for (const std::string& line : data.Skin3rd())
        if (!LowerCase(line).starts_with("tcomboboxex=")) lines.push_back(line);
    data.SetSkin3rd(lines);
}

struct TRowCase {
    const char* Name;
    std::function<TWinControl*(TForm&)> Make;
    void (*Prepare)(TSkinData&);
    TSkinControlType Family;
    // The window the skinner must sit on, given the control.
    std::function<HWND(TWinControl&)> Skinned;
    // Whether the skinner found there is the right one; null: no skinner at all.
    std::function<bool(TChildSkinner*, TWinControl&)> Right;
};

HWND OwnWindow(TWinControl& control) { return control.Handle(); }

template <class T>
bool WithControl(TChildSkinner* skinner, TWinControl& control) {
    return dynamic_cast<T*>(skinner) && skinner->SkinnedControl() == &control;
}

TEST(SkinnerSelection, GridsHeadersExtendedCombosAndButtonEditsGetTheSkinnerOfTheirRow) {
    RegisterAcmeEdits();
    const TRowCase cases[] = {
        {"grid", [](TForm& f) { return new TStringGrid(&f); }, nullptr, xcScrollbar, OwnWindow,
         WithControl<TSkinScrollbar>},
        {"header", [](TForm& f) { return new THeaderControl(&f); }, nullptr, xcPanel, OwnWindow,
         WithControl<TSkinHeader>},
        // The skin's list maps the class to the plain combo skinner, which takes the frame.
        {"extended combo, mapped", [](TForm& f) { return new TComboBoxEx(&f); }, nullptr, xcCombo, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinComBox>(s, c) && !static_cast<TSkinComBox*>(s)->Extended;
         }},
        {"extended combo", [](TForm& f) { return new TComboBoxEx(&f); }, &Unmapped, xcCombo,
         [](TWinControl& c) { return static_cast<TComboBoxEx&>(c).ComboHandle(); },
         [](TChildSkinner* s, TWinControl&) {
             auto* combo = dynamic_cast<TSkinComBox*>(s);
             return combo && combo->Extended && !combo->SkinnedControl();
         }},
        {"edit with a button", [](TForm& f) { return MakeButtonEdit(f, "1"); }, nullptr, xcCombo, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinComBox>(s, c) && !static_cast<TSkinComBox*>(s)->Extended;
         }},
        {"edit without buttons", [](TForm& f) { return MakeButtonEdit(f, "0"); }, nullptr, xcEdit, OwnWindow,
         [](TChildSkinner* s, TWinControl&) { return dynamic_cast<TSkinEdit*>(s) && !s->SkinnedControl(); }},
        {"edit with two buttons", [](TForm& f) { return MakeButtonEdit(f, "2"); }, nullptr, xcCombo, OwnWindow,
         nullptr},
        {"status bar", [](TForm& f) { return new TStatusBar(&f); }, nullptr, xcStatusBar, OwnWindow,
         WithControl<TSkinStatusBar>},
        {"progress bar", [](TForm& f) { return new TProgressBar(&f); }, nullptr, xcProgress, OwnWindow,
         WithControl<TSkinProgress>},
        {"track bar", [](TForm& f) { return new TTrackBar(&f); }, nullptr, xcTrackBar, OwnWindow,
         WithControl<TSkinTrackBar>},
        {"track bar, mapped", [](TForm& f) { return new TTrackBar(&f); }, &TrackBarsMapped, xcButton, OwnWindow,
         WithControl<TSkinTrackBar>},
    };
    for (const bool familyOn : {true, false}) {
        for (const TRowCase& row : cases) {
            SCOPED_TRACE(std::string(row.Name) + (familyOn ? "" : ", family off"));
            TSkinnedProcess skinning;
            if (row.Prepare) row.Prepare(*skinning.Data);
            if (!familyOn) skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(row.Family));
            auto form = MakeControlForm();
            TWinControl* control = row.Make(*form);
            control->SetParent(form.get());
            control->SetBounds(10, 10, 200, 60);
            ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
            const HWND window = row.Skinned(*control);
            ASSERT_NE(window, nullptr);
            TChildSkinner* skinner = ChildSkinner<TChildSkinner>(form->Handle(), window);
            if (familyOn && row.Right)
                EXPECT_TRUE(row.Right(skinner, *control));
            else
                EXPECT_EQ(skinner, nullptr);
            // Offered again, nothing gets a second skinner.
            const size_t count = SkinnerOf(form->Handle())->Skinners().size();
            TSkinnerSelection().SkinControl(*SkinnerOf(form->Handle()), *control);
            EXPECT_EQ(SkinnerOf(form->Handle())->Skinners().size(), count);
        }
    }
}

}  // namespace
}  // namespace velloran
