// The skinner selection walked row by row: every class row and every type name of the skin's
// mapping list. Each control gets the skinner of its row, on the window that row names (for
// containers: on their children), and nothing when its family is switched off. Classes of
// outside vendors are known by their names only, so they are made here as named classes that
// behave like the framework class they derive from. Bare child windows, as system dialogs hold
// them, are chosen by their window class and style.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <optional>
#include <typeinfo>

#include "framework/Buttons.h"
#include "framework/ComboBoxExs.h"
#include "framework/ComboBoxes.h"
#include "framework/DateTimePickers.h"
#include "framework/ExtCtrls.h"
#include "framework/Frames.h"
#include "framework/Gauges.h"
#include "framework/Grids.h"
#include "framework/HeaderControls.h"
#include "framework/ListViews.h"
#include "framework/MediaPlayers.h"
#include "framework/RichEdits.h"
#include "framework/ScrollCtrls.h"
#include "framework/StatusBars.h"
#include "framework/StdCtrls.h"
#include "framework/TabControls.h"
#include "framework/TabSets.h"
#include "framework/ToolBars.h"
#include "framework/UpDowns.h"
#include "framework/vendor/AcmeControls.h"
#include "framework/vendor/AcmeEdits.h"
#include "framework/vendor/AcmeTabs.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinCheckBoxes.h"
#include "skin/controls/SkinComboBoxes.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinGauges.h"
#include "skin/controls/SkinGroupBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinScrollBars.h"
#include "skin/controls/SkinSpin.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinnerSelection.h"
#include "tests/skin/SkinControlsTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

// A control known by its class name only: a framework class under another name, several bases
// sharing one name here.
template <const char* Name, class Base>
class TNamed : public Base {
    VELLORAN_CLASS(TNamed)
public:
    using Base::Base;
};

template <const char* Name, class Base>
const TClassInfo& TNamed<Name, Base>::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TNamed>(Name, &Base::StaticClassInfo());
    return info;
}

constexpr char kMvcPanel[] = "TMVCPanel";
constexpr char kSpinButton[] = "TSpinButton";
constexpr char kNavigator[] = "TDBNavigator";
constexpr char kRzCheckBox[] = "TRzCheckBox";
constexpr char kRzRadioButton[] = "TRzRadioButton";
constexpr char kCxCheckBox[] = "TcxCheckBox";
constexpr char kTntComboBox[] = "TTntComboBox";
constexpr char kDbRichEdit[] = "TwwDBRichEdit";
constexpr char kDbMemo[] = "TdxDBMemo";
constexpr char kTreeList[] = "TdxTreeList";
constexpr char kDbButtonEdit[] = "TDCDBEdit";
// Classes the tests' own mapping lines name, one per type name.
constexpr char kMapped[] = "TMappedControl";

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

// The skin's mapping list with the test's class mapped to a type name.
std::function<void(TSkinData&)> MappedTo(std::string type) {
    return [type](TSkinData& data) {
        std::vector<std::string> lines = data.Skin3rd();
        lines.push_back(std::string(kMapped) + "=" + type);
        data.SetSkin3rd(lines);
    };
}

template <class T>
std::function<TWinControl*(TForm&)> Make() {
    return [](TForm& form) -> TWinControl* { return new T(&form); };
}

template <class T>
using TMapped = TNamed<kMapped, T>;

// A container holding a push button, a scroll bar and a memo.
template <class T>
std::function<TWinControl*(TForm&)> MakeHolding() {
    return [](TForm& form) -> TWinControl* {
        auto* container = new T(&form);
        container->SetParent(&form);
        container->SetBounds(10, 10, 280, 150);
        int left = 10;
        for (TWinControl* child : std::initializer_list<TWinControl*>{
                 new TButton(&form), new TScrollBar(&form), new TMemo(&form)}) {
            child->SetParent(container);
            child->SetBounds(left, 20, 80, 60);
            left += 90;
        }
        return container;
    };
}

template <class T>
std::function<TWinControl*(TForm&)> MakeItemGroup() {
    return [](TForm& form) -> TWinControl* {
        auto* group = new T(&form);
        group->Items()->Add("One");
        group->Items()->Add("Two");
        return group;
    };
}

template <class T>
std::function<TWinControl*(TForm&)> MakeTabs(TTabStyle style) {
    return [style](TForm& form) -> TWinControl* {
        auto* tabs = new T(&form);
        tabs->SetTabs({"One", "Two"});
        tabs->SetStyle(style);
        return tabs;
    };
}

std::function<TWinControl*(TForm&)> MakePicker(TDateTimeKind kind, TDTDateMode mode) {
    return [kind, mode](TForm& form) -> TWinControl* {
        auto* picker = new TDateTimePicker(&form);
        picker->SetKind(kind);
        picker->SetDateMode(mode);
        return picker;
    };
}

TWinControl* MakePages(TForm& form, TTabStyle style) {
    auto* pages = new TPageControl(&form);
    pages->SetStyle(style);
    auto* sheet = new TTabSheet(&form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Sheet");
    return pages;
}

struct TRowCase {
    const char* Name;
    std::function<TWinControl*(TForm&)> Make;
    std::function<void(TSkinData&)> Prepare;
    // The family whose switch takes the skinner away; none for rows without a gate.
    std::optional<TSkinControlType> Family;
    // The window the skinner must sit on, given the control.
    std::function<HWND(TWinControl&)> Skinned;
    // Whether the skinner found there is the right one; null: no skinner at all.
    std::function<bool(TChildSkinner*, TWinControl&)> Right;
};

HWND OwnWindow(TWinControl& control) { return control.Handle(); }

std::string DescribeRects(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return std::to_string(outer.right - outer.left) + "x" + std::to_string(outer.bottom - outer.top) + " window, " +
           std::to_string(client.right) + "x" + std::to_string(client.bottom) + " client";
}

template <class T>
bool WithControl(TChildSkinner* skinner, TWinControl& control) {
    return dynamic_cast<T*>(skinner) && skinner->SkinnedControl() == &control;
}

template <class T>
bool WithSkinColour(TChildSkinner* skinner, TWinControl& control) {
    return WithControl<T>(skinner, control) && static_cast<T*>(skinner)->UseSkinColour;
}

template <class T>
bool WithoutSkinColour(TChildSkinner* skinner, TWinControl& control) {
    return WithControl<T>(skinner, control) && !static_cast<T*>(skinner)->UseSkinColour;
}

template <class T>
bool Exactly(TChildSkinner* skinner, TWinControl& control) {
    return skinner && typeid(*skinner) == typeid(T) && skinner->SkinnedControl() == &control;
}

template <class T, int Kind>
bool OfKind(TChildSkinner* skinner, TWinControl& control) {
    return WithControl<T>(skinner, control) && static_cast<T*>(skinner)->Kind == Kind;
}

// Every child window of the control whose object is a C has a skinner S, and there is one.
template <class C, class S>
bool ChildrenGet(TWinControl& control) {
    TWinSkinForm* form = SkinnerOf(GetAncestor(control.Handle(), GA_ROOT));
    int found = 0;
    for (HWND child = GetWindow(control.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!dynamic_cast<C*>(TWinControl::FromHandle(child))) continue;
        if (!dynamic_cast<S*>(form->FindSkinner(child))) return false;
        ++found;
    }
    return found > 0;
}

// A skinner of that class on the window, attached by the window's handle or through its control.
template <class T>
bool Any(TChildSkinner* skinner, TWinControl&) {
    return dynamic_cast<T*>(skinner) != nullptr;
}

// The control itself unskinned, its children skinned by their own rows.
bool OnlyChildren(TChildSkinner* skinner, TWinControl& control) {
    return !skinner && ChildrenGet<TButton, TSkinButton>(control) && ChildrenGet<TScrollBar, TSkinScControl>(control);
}

TEST(SkinnerSelection, EveryClassRowAndMappedTypeGetsTheSkinnerOfItsRow) {
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
        {"page control", [](TForm& f) { return MakePages(f, tsTabs); }, nullptr, xcTab, OwnWindow,
         Exactly<TSkinTab>},
        {"page control of buttons", [](TForm& f) { return MakePages(f, tsButtons); }, nullptr, xcTab, OwnWindow,
         WithControl<TSkinTabBtn>},
        {"tab set", Make<TTabSet>(), nullptr, xcTab, OwnWindow, Any<TSkinTab31>},
        {"tab sheet", [](TForm& f) { return MakePages(f, tsTabs); }, nullptr, xcTab,
         [](TWinControl& c) { return static_cast<TPageControl&>(c).Pages(0)->Handle(); },
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinTabSheet>(s, *static_cast<TPageControl&>(c).Pages(0));
         }},
        {"tabbed notebook",
         [](TForm& f) {
             auto* notebook = new TTabbedNotebook(&f);
             notebook->SetPages({"One", "Two"});
             return notebook;
         },
         nullptr, xcTab, OwnWindow, Exactly<TSkinTab>},
        {"MVC panel", MakeHolding<TNamed<kMvcPanel, TPanel>>(), nullptr, std::nullopt, OwnWindow, OnlyChildren},
        {"tab control", MakeTabs<TTabControl>(tsTabs), nullptr, xcTab, OwnWindow, Exactly<TSkinTab>},
        {"tab control of buttons", MakeTabs<TTabControl>(tsFlatButtons), nullptr, xcTab, OwnWindow,
         WithControl<TSkinTabBtn>},
        {"check box", Make<TCheckBox>(), nullptr, xcCheckBox, OwnWindow, WithControl<TSkinCheckBox>},
        {"up-down", Make<TUpDown>(), nullptr, xcSpin, OwnWindow, WithControl<TSkinUpDown>},
        {"spin button", Make<TNamed<kSpinButton, TUpDown>>(), nullptr, xcSpin, OwnWindow, WithControl<TSkinUpDown>},
        {"media player", Make<TMediaPlayer>(), nullptr, xcButton, OwnWindow, WithControl<TSkinMP>},
        {"radio group", MakeItemGroup<TRadioGroup>(), nullptr, xcRadioButton, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithSkinColour<TSkinGroupBox>(s, c) && ChildrenGet<TRadioButton, TSkinRadioButton>(c);
         }},
        {"data navigator", MakeHolding<TNamed<kNavigator, TPanel>>(), nullptr, xcPanel, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithSkinColour<TSkinBox>(s, c) && ChildrenGet<TButton, TSkinButton>(c);
         }},
        {"vendor check box", Make<TNamed<kRzCheckBox, TWinControl>>(), nullptr, xcCheckBox, OwnWindow,
         OfKind<TSkinObjImage, 1>},
        {"vendor radio button", Make<TNamed<kRzRadioButton, TWinControl>>(), nullptr, xcRadioButton, OwnWindow,
         OfKind<TSkinObjImage, 2>},
        {"second vendor's check box", Make<TNamed<kCxCheckBox, TWinControl>>(), nullptr, xcCheckBox, OwnWindow,
         OfKind<TSkinObjImage, 3>},
        {"group box", MakeHolding<TGroupBox>(), nullptr, xcPanel, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinGroupBox>(s, c) && ChildrenGet<TButton, TSkinButton>(c);
         }},
        {"radio button", Make<TRadioButton>(), nullptr, xcRadioButton, OwnWindow, WithControl<TSkinRadioButton>},
        {"tool bar", Make<TToolBar>(), nullptr, xcToolbar, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinBox>(s, c) && static_cast<TToolBar&>(c).Flat();
         }},
        {"scroll bar", Make<TScrollBar>(), nullptr, xcScrollbar, OwnWindow, WithControl<TSkinScControl>},
        {"vendor combo box", Make<TNamed<kTntComboBox, TComboBox>>(), nullptr, xcCombo, OwnWindow,
         WithControl<TSkinComBox>},
        {"combo box", Make<TComboBox>(), nullptr, xcCombo, OwnWindow, WithControl<TSkinComBox>},
        {"date picker", Make<TDateTimePicker>(), nullptr, xcEdit, OwnWindow, WithControl<TSkinDateTime>},
        {"time picker", MakePicker(dtkTime, dmComboBox), nullptr, xcEdit, OwnWindow, Any<TSkinEdit>},
        {"date picker with arrows", MakePicker(dtkDate, dmUpDown), nullptr, xcEdit, OwnWindow, Any<TSkinEdit>},
        {"rich edit", Make<TRichEdit>(), nullptr, xcScrollbar, OwnWindow, Exactly<TSkinScrollbar>},
        {"vendor rich edit", Make<TNamed<kDbRichEdit, TWinControl>>(), nullptr, xcScrollbar, OwnWindow,
         Exactly<TSkinScrollbar>},
        {"vendor memo", Make<TNamed<kDbMemo, TWinControl>>(), nullptr, xcScrollbar, OwnWindow, Exactly<TSkinScrollbar>},
        {"vendor tree list", Make<TNamed<kTreeList, TWinControl>>(), nullptr, xcScrollbar, OwnWindow,
         Exactly<TSkinScrollbar>},
        {"bit button", Make<TBitBtn>(), nullptr, xcBitBtn, OwnWindow, Exactly<TSkinBitButton>},
        {"panel", MakeHolding<TPanel>(), nullptr, xcPanel, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithSkinColour<TSkinBox>(s, c) && ChildrenGet<TButton, TSkinButton>(c);
         }},
        {"list view", Make<TListView>(), nullptr, xcScrollbar, OwnWindow, WithControl<TSkinListView>},
        {"memo", Make<TMemo>(), nullptr, xcScrollbar, OwnWindow, Exactly<TSkinScrollbar>},
        {"list box", Make<TListBox>(), nullptr, xcScrollbar, OwnWindow, Exactly<TSkinScrollbar>},
        {"button", Make<TButton>(), nullptr, xcButton, OwnWindow, Exactly<TSkinButton>},
        {"edit", Make<TEdit>(), nullptr, xcEdit, OwnWindow, WithControl<TSkinEdit>},
        {"frame", MakeHolding<TFrame>(), nullptr, std::nullopt, OwnWindow, OnlyChildren},
        {"vendor data edit with a button",
         [](TForm& f) {
             auto* edit = new TNamed<kDbButtonEdit, TDCEdit>(&f);
             TSkinControl::SetPropText(edit, "NumButtons", "1");
             return edit;
         },
         nullptr, xcCombo, OwnWindow, WithControl<TSkinComBox>},
        // The type names of the mapping list, each on a class that only the test's line maps.
        {"mapped as combobox", Make<TMapped<TComboBox>>(), MappedTo("combobox"), xcCombo, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinComBox>(s, c) && !static_cast<TSkinComBox*>(s)->Extended;
         }},
        {"mapped as comboboxex", Make<TMapped<TComboBox>>(), MappedTo("comboboxex"), xcCombo, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinComBox>(s, c) && static_cast<TSkinComBox*>(s)->Extended;
         }},
        {"mapped as edit", Make<TMapped<TEdit>>(), MappedTo("edit"), xcEdit, OwnWindow, WithControl<TSkinEdit>},
        {"mapped as radiobutton", Make<TMapped<TRadioButton>>(), MappedTo("radiobutton"), xcRadioButton, OwnWindow,
         WithControl<TSkinRadioButton>},
        {"mapped as panel", MakeHolding<TMapped<TPanel>>(), MappedTo("panel"), xcPanel, OwnWindow,
         WithSkinColour<TSkinBox>},
        {"mapped as button", Make<TMapped<TAcmeButton>>(), MappedTo("button"), xcButton, OwnWindow,
         Exactly<TSkinButton>},
        {"mapped as datetimepicker", Make<TMapped<TDateTimePicker>>(), MappedTo("datetimepicker"), xcCombo,
         OwnWindow, WithControl<TSkinDateTime>},
        {"mapped as mediaplayer", Make<TMapped<TMediaPlayer>>(), MappedTo("mediaplayer"), xcButton, OwnWindow,
         WithControl<TSkinMP>},
        {"mapped as bitbtn", Make<TMapped<TBitBtn>>(), MappedTo("bitbtn"), xcButton, OwnWindow,
         Exactly<TSkinBitButton>},
        {"mapped as pngbitbtn", Make<TMapped<TAcmePngButton>>(), MappedTo("pngbitbtn"), xcButton, OwnWindow,
         Exactly<TSkinBitButton>},
        {"mapped as menubtn", Make<TMapped<TAcmeMenuButton>>(), MappedTo("menubtn"), xcButton, OwnWindow,
         WithControl<TSkinMenuButton>},
        {"mapped as tab", MakeTabs<TMapped<TTabControl>>(tsTabs), MappedTo("tab"), xcTab, OwnWindow,
         Exactly<TSkinTab>},
        {"mapped as progress", Make<TMapped<TProgressBar>>(), MappedTo("progress"), xcProgress, OwnWindow,
         WithControl<TSkinProgress>},
        {"mapped as scrollbar", Make<TMapped<TMemo>>(), MappedTo("scrollbar"), xcScrollbar, OwnWindow,
         OfKind<TSkinScrollbar, 0>},
        {"mapped as singlescrollbar", Make<TMapped<TMemo>>(), MappedTo("singlescrollbar"), xcScrollbar, OwnWindow,
         OfKind<TSkinScrollbar, 1>},
        {"mapped as embedscrollbar", MakeHolding<TMapped<TPanel>>(), MappedTo("embedscrollbar"), xcScrollbar,
         OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return !s && ChildrenGet<TScrollBar, TSkinScControl>(c) && ChildrenGet<TMemo, TSkinScrollbar>(c);
         }},
        {"mapped as container", MakeHolding<TMapped<TPanel>>(), MappedTo("container"), std::nullopt, OwnWindow,
         OnlyChildren},
        {"mapped as groupbox", Make<TMapped<TGroupBox>>(), MappedTo("groupbox"), xcGroupBox, OwnWindow,
         WithControl<TSkinGroupBox>},
        {"mapped as advpagecontrol", Make<TMapped<TAcmePageControl>>(), MappedTo("advpagecontrol"), xcTab, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return OfKind<TSkinAdvPage, 4>(s, c) && static_cast<TSkinAdvPage*>(s)->UseSkinColour;
         }},
        {"mapped as radiogroup", MakeItemGroup<TMapped<TRadioGroup>>(), MappedTo("radiogroup"), xcGroupBox,
         OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinGroupBox>(s, c) && ChildrenGet<TRadioButton, TSkinRadioButton>(c);
         }},
        {"mapped as checkgroup", MakeItemGroup<TMapped<TCheckGroup>>(), MappedTo("checkgroup"), xcPanel, OwnWindow,
         [](TChildSkinner* s, TWinControl& c) {
             return WithControl<TSkinGroupBox>(s, c) && ChildrenGet<TCheckBox, TSkinCheckBox>(c);
         }},
        {"mapped as checkbox", Make<TMapped<TCheckBox>>(), MappedTo("checkbox"), xcCheckBox, OwnWindow,
         WithControl<TSkinCheckBox>},
        // "nil" keeps even a panel, whose family is on, unskinned.
        {"mapped as nil", Make<TMapped<TPanel>>(), MappedTo("nil"), std::nullopt, OwnWindow, nullptr},
    };
    for (const bool familyOn : {true, false}) {
        for (const TRowCase& row : cases) {
            if (!familyOn && !row.Family) continue;
            SCOPED_TRACE(std::string(row.Name) + (familyOn ? "" : ", family off"));
            TSkinnedProcess skinning;
            if (row.Prepare) row.Prepare(*skinning.Data);
            if (!familyOn) skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(*row.Family));
            auto form = MakeControlForm();
            TWinControl* control = row.Make(*form);
            control->SetParent(form.get());
            control->SetBounds(10, 10, 200, 60);
            ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
            const HWND window = row.Skinned(*control);
            ASSERT_NE(window, nullptr);
            TChildSkinner* skinner = ChildSkinner<TChildSkinner>(form->Handle(), window);
            if (familyOn && row.Right)
                EXPECT_TRUE(row.Right(skinner, *control)) << (skinner ? typeid(*skinner).name() : "no skinner") << " "
                                                           << DescribeRects(window);
            else
                EXPECT_EQ(skinner, nullptr);
            // Offered again, nothing gets a second skinner.
            const size_t count = SkinnerOf(form->Handle())->Skinners().size();
            TSkinnerSelection().SkinControl(*SkinnerOf(form->Handle()), *control);
            EXPECT_EQ(SkinnerOf(form->Handle())->Skinners().size(), count);
        }
    }
}

// A bare child window of a class and style, and the skinner its row gives it (null: none) on the
// window itself or, where the row says so, on its first child.
struct TBareCase {
    const char* ClassName;
    DWORD Style;
    std::optional<TSkinControlType> Family;
    bool (*Right)(TChildSkinner*);
    bool OnChild = false;
};

template <class T>
bool Is(TChildSkinner* skinner) {
    return skinner && typeid(*skinner) == typeid(T);
}

TEST(SkinnerSelection, EveryBareWindowClassGetsTheSkinnerOfItsRow) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                                                         ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                                                         ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    const TBareCase cases[] = {
        {"Button", BS_OWNERDRAW, xcButton, nullptr},
        {"Button", BS_GROUPBOX, xcButton, nullptr},
        {"Button", BS_PUSHBUTTON | BS_BITMAP, xcButton, nullptr},
        {"Button", BS_AUTOCHECKBOX, xcCheckBox, Is<TSkinCheckBox>},
        {"Button", BS_CHECKBOX, xcCheckBox, Is<TSkinCheckBox>},
        {"Button", BS_3STATE, xcCheckBox, Is<TSkinCheckBox>},
        {"Button", BS_AUTO3STATE, xcCheckBox, Is<TSkinCheckBox>},
        {"Button", BS_RADIOBUTTON, xcRadioButton, Is<TSkinRadioButton>},
        {"Button", BS_AUTORADIOBUTTON, xcRadioButton, Is<TSkinRadioButton>},
        {"Button", BS_PUSHBUTTON, xcButton, Is<TSkinButton>},
        {"Button", BS_DEFPUSHBUTTON, xcButton, Is<TSkinButton>},
        {"ComboBox", CBS_DROPDOWN, xcCombo, Is<TSkinComBox>},
        {"ComboBox", CBS_DROPDOWNLIST, xcCombo, Is<TSkinComBox>},
        {"ComboBox", CBS_SIMPLE, xcCombo, nullptr},
        {WC_COMBOBOXEXA, CBS_DROPDOWN, xcCombo, Is<TSkinComBox>, true},
        {"ScrollBar", SBS_SIZEGRIP, std::nullopt, Is<TSkinSizer>},
        {"ScrollBar", SBS_HORZ | WS_TABSTOP, std::nullopt, nullptr},
        {WC_TREEVIEWA, 0, std::nullopt, nullptr},
        {"#32770", 0, std::nullopt, Is<TSkinBoxH>},
        {PROGRESS_CLASSA, 0, std::nullopt, nullptr},
        {WC_TABCONTROLA, 0, xcTab, Is<TSkinTab>},
        {WC_TABCONTROLA, TCS_OWNERDRAWFIXED, xcTab, nullptr},
        {TOOLBARCLASSNAMEA, 0, std::nullopt, Is<TSkinBoxH>},
        {"Edit", WS_BORDER, xcEdit, Is<TSkinEdit>},
    };
    for (const bool familyOn : {true, false}) {
        for (const TBareCase& row : cases) {
            if (!familyOn && !row.Family) continue;
            SCOPED_TRACE(std::string(row.ClassName) + " style " + std::to_string(row.Style) +
                         (familyOn ? "" : ", family off"));
            TSkinnedProcess skinning;
            if (!familyOn) skinning.Data->SetSkinControls(skinning.Data->SkinControls() & ~SkinBit(*row.Family));
            auto form = MakeControlForm();
            TWinSkinForm* formSkinner = ShowSkinned(form->Handle());
            ASSERT_NE(formSkinner, nullptr);
            const TWindowHandle window(CreateWindowExA(0, row.ClassName, "Bare", WS_CHILD | WS_VISIBLE | row.Style, 10,
                                                       10, 200, 80, form->Handle(), nullptr, nullptr, nullptr));
            ASSERT_TRUE(window);
            // A dialog's children are visited before the dialog.
            const bool dialog = std::string(row.ClassName) == "#32770";
            const TWindowHandle inner(dialog ? CreateWindowExA(0, "Button", "Inner", WS_CHILD | WS_VISIBLE, 5, 5, 60,
                                                               24, window.get(), nullptr, nullptr, nullptr)
                                             : nullptr);
            formSkinner->SkinChildWindow(window.get());
            const HWND skinned = row.OnChild ? GetWindow(window.get(), GW_CHILD) : window.get();
            TChildSkinner* skinner = formSkinner->FindSkinner(skinned);
            if (familyOn && row.Right)
                EXPECT_TRUE(row.Right(skinner));
            else
                EXPECT_EQ(skinner, nullptr);
            if (dialog) {
                EXPECT_TRUE(Is<TSkinButton>(formSkinner->FindSkinner(inner.get())));
            }
            // Offered again, nothing gets a second skinner.
            const size_t count = formSkinner->Skinners().size();
            formSkinner->SkinChildWindow(window.get());
            EXPECT_EQ(formSkinner->Skinners().size(), count);
        }
    }
}

}  // namespace
}  // namespace velloran
