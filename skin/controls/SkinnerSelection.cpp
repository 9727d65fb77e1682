#include "skin/controls/SkinnerSelection.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "framework/Forms.h"
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
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabSet.h"
#include "skin/controls/SkinTabs.h"
#include "skin/controls/SkinToolBars.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

// What a selection decides to attach.
enum class TSkinnerKind {
    None,  // rows whose action attaches no skinner of the row's own
    Button,
    BitButton,
    PictureBitButton,
    MenuButton,
    SpeedButton,
    PictureSpeedButton,
    CheckBox,
    RadioButton,
    VendorCheckBox,
    VendorRadioButton,
    SecondVendorCheckBox,
    GroupBox,
    Box,
    ScrollBar,
    SingleScrollBar,
    ScrollBarControl,
    ListView,
    Edit,
    UpDown,
    ComboBox,
    ExtendedComboBox,
    DateTime,
    Header,
    StatusBar,
    Progress,
    TrackBar,
    Tab,
    PageControlTab,
    TabButton,
    TabSet,
    TabSheet,
    AdvancedPage,
    MediaPlayer,
    ToolBar,
    CoolBar
};

TSkinControl* MakeSkinner(TSkinnerKind kind, TComponent* owner) {
    switch (kind) {
        case TSkinnerKind::Button:
            return new TSkinButton(owner);
        case TSkinnerKind::MenuButton:
            return new TSkinMenuButton(owner);
        case TSkinnerKind::BitButton:
            return new TSkinBitButton(owner);
        case TSkinnerKind::SpeedButton:
            return new TSkinSpeedButton(owner);
        case TSkinnerKind::PictureBitButton:
        case TSkinnerKind::PictureSpeedButton: {
            TSkinGlyphButton* skinner = kind == TSkinnerKind::PictureBitButton
                                            ? static_cast<TSkinGlyphButton*>(new TSkinBitButton(owner))
                                            : new TSkinSpeedButton(owner);
            skinner->PictureProperty = "PngImage";
            return skinner;
        }
        case TSkinnerKind::CheckBox:
            return new TSkinCheckBox(owner);
        case TSkinnerKind::RadioButton:
            return new TSkinRadioButton(owner);
        case TSkinnerKind::VendorCheckBox:
        case TSkinnerKind::VendorRadioButton:
        case TSkinnerKind::SecondVendorCheckBox: {
            auto* skinner = new TSkinObjImage(owner);
            skinner->Kind = kind == TSkinnerKind::VendorCheckBox      ? oiVendorCheckBox
                            : kind == TSkinnerKind::VendorRadioButton ? oiVendorRadioButton
                                                                      : oiSecondVendorCheckBox;
            return skinner;
        }
        case TSkinnerKind::GroupBox:
            return new TSkinGroupBox(owner);
        case TSkinnerKind::Box:
            return new TSkinBox(owner);
        case TSkinnerKind::ScrollBar:
            return new TSkinScrollbar(owner);
        case TSkinnerKind::ScrollBarControl:
            return new TSkinScControl(owner);
        case TSkinnerKind::ListView:
            return new TSkinListView(owner);
        case TSkinnerKind::SingleScrollBar: {
            auto* skinner = new TSkinScrollbar(owner);
            skinner->Kind = skBarsOnly;
            return skinner;
        }
        case TSkinnerKind::Edit:
            return new TSkinEdit(owner);
        case TSkinnerKind::UpDown:
            return new TSkinUpDown(owner);
        case TSkinnerKind::DateTime:
            return new TSkinDateTime(owner);
        case TSkinnerKind::Header:
            return new TSkinHeader(owner);
        case TSkinnerKind::StatusBar:
            return new TSkinStatusBar(owner);
        case TSkinnerKind::Progress:
            return new TSkinProgress(owner);
        case TSkinnerKind::TrackBar:
            return new TSkinTrackBar(owner);
        case TSkinnerKind::Tab:
            return new TSkinTab(owner);
        case TSkinnerKind::PageControlTab: {
            auto* skinner = new TSkinTab(owner);
            skinner->Kind = kPageControlKind;
            return skinner;
        }
        case TSkinnerKind::TabButton:
            return new TSkinTabBtn(owner);
        case TSkinnerKind::TabSet:
            return new TSkinTab31(owner);
        case TSkinnerKind::TabSheet:
            return new TSkinTabSheet(owner);
        case TSkinnerKind::AdvancedPage:
            return new TSkinAdvPage(owner);
        case TSkinnerKind::MediaPlayer:
            return new TSkinMP(owner);
        case TSkinnerKind::ToolBar:
            return new TSkinToolBarBox(owner);
        case TSkinnerKind::CoolBar:
            return new TSkinCoolBarBands(owner);
        case TSkinnerKind::ComboBox:
        case TSkinnerKind::ExtendedComboBox: {
            auto* skinner = new TSkinComBox(owner);
            skinner->Extended = kind == TSkinnerKind::ExtendedComboBox;
            return skinner;
        }
        default:
            return nullptr;
    }
}

bool Gate(const TSkinData& data, TSkinControlType type) { return (data.SkinControls() & SkinBit(type)) != 0; }

bool HasTabImage(const TSkinData& data) { return data.Tabs && !data.Tabs->Bitmap->Empty(); }

// The window and client rectangles differ in size.
bool HasBorder(TControl& control) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    RECT window{}, client{};
    if (!windowed || !GetWindowRect(windowed->Handle(), &window) || !GetClientRect(windowed->Handle(), &client))
        return false;
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

// The combo box an extended combo's frame holds. Asked rather than taken as the first child: the
// frame's own edit, a sibling of the combo on some systems, may come first.
HWND InnerCombo(HWND extended) { return reinterpret_cast<HWND>(SendMessageW(extended, CBEM_GETCOMBOCONTROL, 0, 0)); }

bool AnswersSkinned(HWND window) { return SendMessageW(window, SM_ISSKINNED, 0, 0) == 1; }

// The control's class or one of its ancestors has one of the names.
bool IsMember(const TControl& control, const std::vector<const char*>& names) {
    for (const TClassInfo* info = &control.ClassInfo(); info; info = info->Parent)
        for (const char* name : names)
            if (SameText(info->Name, name)) return true;
    return false;
}

// What a class test leads to.
enum class TRowAction {
    Children,         // the child controls go through the selection
    Components,       // the components it owns go through the selection
    Attach,           // the row's skinner
    RadioGroup,       // radio skinners for the children, then a group frame in the skin colour
    GroupBox,         // the children, then a group frame
    Panel,            // the children, then the panel in the skin colour
    Navigator,        // the panel in the skin colour, then the children
    Form,             // an embedded form in the skin colour, then its components
    DatePicker,       // the edit's frame for a picker with a spin, else the arrow button
    ExtendedCombo,    // the combo inside the extended combo's frame, as an extended combo
    ButtonEdit,       // by its number of buttons: a combo with one, a bare edit with none
    TabsOrButtons     // the row's tab skinner in tab style, the tab button skinner in a button style
};

struct TClassRow {
    std::vector<const char*> Names;
    bool ExactName;  // compare the upper-cased class name, rather than the class and its ancestors
    std::optional<TSkinControlType> Gate;
    TRowAction Action;
    TSkinnerKind Kind = TSkinnerKind::None;
    bool NeedsTabImage = false;
};

const std::vector<TClassRow>& ClassRows() {
    using K = TSkinnerKind;
    using A = TRowAction;
    static const std::vector<TClassRow> rows = {
        {{"TPageControl"}, false, xcTab, A::TabsOrButtons, K::PageControlTab, true},
        {{"TCoolBar"}, false, xcToolbar, A::Attach, K::CoolBar},
        {{"TTABSET"}, true, xcTab, A::Attach, K::TabSet, true},
        {{"TTabSheet"}, false, xcTab, A::Attach, K::TabSheet, true},
        {{"TTABBEDNOTEBOOK"}, true, xcTab, A::Attach, K::Tab, true},
        {{"TMVCPANEL"}, true, std::nullopt, A::Children},
        {{"TTabControl"}, false, xcTab, A::TabsOrButtons, K::Tab, true},
        {{"THeaderControl"}, false, xcPanel, A::Attach, K::Header},
        {{"TCustomCheckBox", "TCheckBox"}, false, xcCheckBox, A::Attach, K::CheckBox},
        {{"TTrackBar"}, false, xcTrackBar, A::Attach, K::TrackBar},
        {{"TUPDOWN", "TSPINBUTTON"}, true, xcSpin, A::Attach, K::UpDown},
        {{"TMEDIAPLAYER"}, true, xcButton, A::Attach, K::MediaPlayer},
        {{"TCustomRadioGroup", "TRadioGroup"}, false, xcRadioButton, A::RadioGroup},
        {{"TDBNAVIGATOR"}, true, xcPanel, A::Navigator},
        {{"TRZDBCHECKBOX", "TRZCHECKBOX"}, true, xcCheckBox, A::Attach, K::VendorCheckBox},
        {{"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}, true, xcRadioButton, A::Attach, K::VendorRadioButton},
        {{"TCXDBCHECKBOX", "TCXCHECKBOX"}, true, xcCheckBox, A::Attach, K::SecondVendorCheckBox},
        {{"TCustomGroupBox", "TGroupBox"}, false, xcPanel, A::GroupBox},
        {{"TRadioButton"}, false, xcRadioButton, A::Attach, K::RadioButton},
        {{"TToolBar"}, false, xcToolbar, A::Attach, K::ToolBar},
        {{"TStatusBar"}, false, xcStatusBar, A::Attach, K::StatusBar},
        {{"TProgressBar"}, false, xcProgress, A::Attach, K::Progress},
        {{"TScrollBar"}, false, xcScrollbar, A::Attach, K::ScrollBarControl},
        {{"TTNTCOMBOBOX"}, true, xcCombo, A::Attach, K::ComboBox},
        {{"TCustomComboBox", "TComboBox"}, false, xcCombo, A::Attach, K::ComboBox},
        {{"TCustomComboBoxEx", "TComboBoxEx"}, false, xcCombo, A::ExtendedCombo},
        {{"TDateTimePicker"}, false, xcEdit, A::DatePicker},
        {{"TRICHEDIT"}, true, xcScrollbar, A::Attach, K::ScrollBar},
        {{"TWWDBRICHEDIT", "TDXDBMEMO"}, true, xcScrollbar, A::Attach, K::ScrollBar},
        {{"TBitBtn"}, false, xcBitBtn, A::Attach, K::BitButton},
        {{"TSpeedButton"}, false, xcSpeedButton, A::Attach, K::SpeedButton},
        {{"TCustomPanel", "TPanel"}, false, xcPanel, A::Panel},
        {{"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}, true, xcScrollbar, A::Attach, K::ScrollBar},
        {{"TCustomListView", "TListView"}, false, xcScrollbar, A::Attach, K::ListView},
        {{"TCustomMemo", "TMemo", "TCustomListBox", "TListBox", "TCustomGrid", "TStringGrid", "TCustomTreeView",
          "TTreeView"},
         false, xcScrollbar,
         A::Attach, K::ScrollBar},
        {{"TButton"}, false, xcButton, A::Attach, K::Button},
        {{"TCustomEdit", "TEdit"}, false, xcEdit, A::Attach, K::Edit},
        {{"TCustomFrame", "TFrame"}, false, std::nullopt, A::Components},
        {{"TCustomForm", "TForm"}, false, std::nullopt, A::Form},
        {{"TDCEDIT", "TDCDBEDIT"}, true, std::nullopt, A::ButtonEdit},
    };
    return rows;
}

const TClassRow* MatchingRow(const TControl& control, const std::string& upperClass) {
    for (const TClassRow& row : ClassRows()) {
        const bool matches = row.ExactName ? std::any_of(row.Names.begin(), row.Names.end(),
                                                         [&](const char* name) { return upperClass == name; })
                                           : IsMember(control, row.Names);
        if (matches) return &row;
    }
    return nullptr;
}

// One selection run for one form skinner.
class TSelectionRun {
public:
    explicit TSelectionRun(TWinSkinForm& form) : form_(form), data_(*form.SkinData) {}

    void Select(TControl& control);
    void SelectWindow(HWND window);

private:
    void SelectChildWindows(HWND window);
    bool Skipped(TControl& control);
    bool AskApplication(TControl& control, const std::string& upperClass);
    void ApplyMappedType(TControl& control, const std::string& type, const std::string& upperClass);
    void ApplyRow(TControl& control, const TClassRow& row);
    void Attach(TControl& control, TSkinnerKind kind, bool useSkinColour = false);
    template <class T>
    void AttachWindow(HWND window);
    // A skinner of that kind for a control's window that it does not own, or for a window inside it.
    void AttachWindow(HWND window, TSkinnerKind kind);
    void Children(TControl& control, const std::function<void(TControl&)>& action);
    void SelectChildren(TControl& control) { Children(control, [this](TControl& c) { Select(c); }); }
    void SelectComponents(TControl& control);
    // The children of a radio or check group, each with the skinner of the group's kind.
    void GroupChildren(TControl& group, TSkinnerKind kind, TSkinnerKind vendorKind, const std::string& upperClass);
    // The children of a control that embeds scroll bars: a scroll bar control gets its overlay,
    // any other child with a bar of its own gets overlays over its bars.
    void EmbeddedScrollBars(TControl& control);

    TWinSkinForm& form_;
    TSkinData& data_;
};

bool TSelectionRun::Skipped(TControl& control) {
    if (form_.IsSkinned(&control)) return true;
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed) return false;
    // A control whose window cannot be made is left alone.
    try {
        return windowed->Handle() == nullptr;
    } catch (const std::exception&) {
        return true;
    }
}

void TSelectionRun::Select(TControl& control) {
    if (Skipped(control)) return;
    const std::string className = ControlClassName(control);
    const std::string lower = LowerCase(className);
    if (control.Tag() == data_.DisableTag()) {
        if (lower.find("radiogroup") != std::string::npos || lower.find("checkgroup") != std::string::npos)
            Children(control, [this](TControl& child) { child.SetTag(data_.DisableTag()); });
        return;
    }
    const std::string upper = UpperCase(className);
    if (AskApplication(control, upper)) return;
    if (const std::optional<std::string> type = MappedSkinnerType(data_, className)) {
        ApplyMappedType(control, *type, upper);
        return;
    }
    if (const TClassRow* row = MatchingRow(control, upper)) ApplyRow(control, *row);
}

bool TSelectionRun::AskApplication(TControl& control, const std::string& upperClass) {
    if (!data_.OnSkinControl) return false;
    TComponent* chosen = nullptr;
    data_.OnSkinControl(&data_, &data_, form_.Form, &control, upperClass, chosen);
    auto* skinner = dynamic_cast<TSkinControl*>(chosen);
    if (!skinner) return false;
    const auto& listed = form_.Skinners();
    if (std::find(listed.begin(), listed.end(), skinner) == listed.end())
        skinner->InitSkin(&form_, &data_, skinner->UseSkinColour, &form_.ControlCanvas);
    if (IsMember(control, {"TCustomPanel", "TPanel"})) SelectChildren(control);
    return true;
}

void TSelectionRun::ApplyMappedType(TControl& control, const std::string& type, const std::string& upperClass) {
    using K = TSkinnerKind;
    if (type == "nil") return;
    if (type == "container") {
        SelectChildren(control);
    } else if (type == "radiobutton") {
        if (Gate(data_, xcRadioButton)) Attach(control, K::RadioButton);
    } else if (type == "checkbox") {
        if (Gate(data_, xcCheckBox)) Attach(control, K::CheckBox);
    } else if (type == "scrollbar") {
        if (!Gate(data_, xcScrollbar)) return;
        Attach(control, K::ScrollBar);
        SelectChildren(control);
    } else if (type == "singlescrollbar") {
        if (Gate(data_, xcScrollbar)) Attach(control, K::SingleScrollBar);
    } else if (type == "embedscrollbar") {
        if (Gate(data_, xcScrollbar)) EmbeddedScrollBars(control);
    } else if (type == "combobox" || type == "comboboxex") {
        if (Gate(data_, xcCombo)) Attach(control, type == "combobox" ? K::ComboBox : K::ExtendedComboBox);
    } else if (type == "datetimepicker") {
        if (Gate(data_, xcCombo)) Attach(control, K::DateTime);
    } else if (type == "edit") {
        if (Gate(data_, xcEdit) && HasBorder(control)) Attach(control, K::Edit);
    } else if (type == "panel") {
        if (!Gate(data_, xcPanel)) return;
        TSkinControl::SetPropText(&control, "Transparent", "True");
        Attach(control, K::Box, true);
    } else if (type == "button" || type == "menubtn" || type == "bitbtn" || type == "pngbitbtn" ||
               type == "pngspeedbutton") {
        if (!Gate(data_, xcButton)) return;
        const bool dropDown = upperClass == "TCXBUTTON" &&
                              SameText(TSkinControl::GetPropEnumText(&control, "Kind"), "cxbkDropDownButton");
        const K kind = type == "button"                      ? K::Button
                       : type == "menubtn" || dropDown       ? K::MenuButton
                       : type == "bitbtn"                    ? K::BitButton
                       : type == "pngbitbtn"                 ? K::PictureBitButton
                                                             : K::PictureSpeedButton;
        Attach(control, kind);
    } else if (type == "mediaplayer") {
        if (Gate(data_, xcButton)) Attach(control, K::MediaPlayer);
    } else if (type == "speedbutton") {
        if (Gate(data_, xcSpeedButton)) Attach(control, K::SpeedButton);
    } else if (type == "trackbar") {
        // The skinner makes the bar transparent first.
        if (Gate(data_, xcButton)) Attach(control, K::TrackBar);
    } else if (type == "progress") {
        if (Gate(data_, xcProgress)) Attach(control, K::Progress);
    } else if (type == "tab") {
        if (Gate(data_, xcTab) && HasTabImage(data_)) Attach(control, K::Tab);
    } else if (type == "advpagecontrol") {
        if (Gate(data_, xcTab)) Attach(control, K::AdvancedPage, true);
    } else if (type == "groupbox") {
        if (Gate(data_, xcGroupBox)) Attach(control, K::GroupBox);
    } else if (type == "radiogroup") {
        if (!Gate(data_, xcGroupBox)) return;
        if (Gate(data_, xcRadioButton)) GroupChildren(control, K::RadioButton, K::VendorRadioButton, upperClass);
        Attach(control, K::GroupBox);
    } else if (type == "checkgroup") {
        if (!Gate(data_, xcPanel)) return;
        if (Gate(data_, xcCheckBox)) GroupChildren(control, K::CheckBox, K::VendorCheckBox, upperClass);
        if (Gate(data_, xcGroupBox)) Attach(control, K::GroupBox);
    }
}

void TSelectionRun::GroupChildren(TControl& group, TSkinnerKind kind, TSkinnerKind vendorKind,
                                  const std::string& upperClass) {
    const TSkinnerKind chosen = upperClass.find("TRZ") != std::string::npos ? vendorKind : kind;
    Children(group, [&](TControl& child) {
        if (!Skipped(child)) Attach(child, chosen);
    });
}

void TSelectionRun::EmbeddedScrollBars(TControl& control) {
    Children(control, [this](TControl& child) {
        if (Skipped(child)) return;
        if (IsMember(child, {"TScrollBar"})) {
            Attach(child, TSkinnerKind::ScrollBarControl);
            return;
        }
        auto* windowed = dynamic_cast<TWinControl*>(&child);
        if (windowed && (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)))
            Attach(child, TSkinnerKind::ScrollBar);
    });
}

void TSelectionRun::ApplyRow(TControl& control, const TClassRow& row) {
    if (row.Gate && !Gate(data_, *row.Gate)) return;
    if (row.NeedsTabImage && !HasTabImage(data_)) return;
    switch (row.Action) {
        case TRowAction::Children:
            SelectChildren(control);
            return;
        case TRowAction::Components:
            SelectComponents(control);
            return;
        case TRowAction::Attach:
            Attach(control, row.Kind);
            return;
        case TRowAction::RadioGroup:
            Children(control, [this](TControl& child) {
                if (!Skipped(child)) Attach(child, TSkinnerKind::RadioButton);
            });
            Attach(control, TSkinnerKind::GroupBox, true);
            return;
        case TRowAction::GroupBox:
            SelectChildren(control);
            Attach(control, TSkinnerKind::GroupBox);
            return;
        case TRowAction::Panel:
            SelectChildren(control);
            Attach(control, TSkinnerKind::Box, true);
            return;
        case TRowAction::Navigator:
            Attach(control, TSkinnerKind::Box, true);
            SelectChildren(control);
            return;
        case TRowAction::Form:
            Attach(control, TSkinnerKind::Box, true);
            SelectComponents(control);
            return;
        case TRowAction::DatePicker: {
            const bool upDown = TSkinControl::PropIs(&control, "Kind", "dtkTime") ||
                                TSkinControl::PropIs(&control, "DateMode", "dmUpDown");
            Attach(control, upDown ? TSkinnerKind::Edit : TSkinnerKind::DateTime);
            return;
        }
        case TRowAction::ExtendedCombo:
            AttachWindow(InnerCombo(static_cast<TWinControl&>(control).Handle()), TSkinnerKind::ExtendedComboBox);
            return;
        case TRowAction::TabsOrButtons:
            Attach(control, TSkinControl::PropIs(&control, "Style", "tsTabs") ? row.Kind : TSkinnerKind::TabButton);
            return;
        case TRowAction::ButtonEdit: {
            const int64_t buttons = TSkinControl::GetPropOrd(&control, "NumButtons");
            if (buttons == 1 && Gate(data_, xcCombo))
                Attach(control, TSkinnerKind::ComboBox);
            else if (buttons == 0 && Gate(data_, xcEdit))
                AttachWindow(static_cast<TWinControl&>(control).Handle(), TSkinnerKind::Edit);
            return;
        }
    }
}

void TSelectionRun::Attach(TControl& control, TSkinnerKind kind, bool useSkinColour) {
    TSkinControl* skinner = MakeSkinner(kind, &control);
    if (!skinner) return;
    skinner->InitSkin(&form_, &data_, useSkinColour, &form_.ControlCanvas);
    if (!skinner->Attached) Free(skinner);
}

template <class T>
void TSelectionRun::AttachWindow(HWND window) {
    auto* skinner = new T(&form_);
    skinner->InitSkinHandle(window, &data_, &form_, &form_.ControlCanvas);
}

void TSelectionRun::AttachWindow(HWND window, TSkinnerKind kind) {
    if (!window || form_.FindSkinner(window) || AnswersSkinned(window)) return;
    TSkinControl* skinner = MakeSkinner(kind, &form_);
    if (!skinner) return;
    skinner->InitSkinHandle(window, &data_, &form_, &form_.ControlCanvas);
    if (!skinner->Attached) Free(skinner);
}

void TSelectionRun::Children(TControl& control, const std::function<void(TControl&)>& action) {
    auto* windowed = dynamic_cast<TWinControl*>(&control);
    if (!windowed) return;
    std::vector<TControl*> children;
    for (int i = 0; i < windowed->ControlCount(); ++i) children.push_back(windowed->Controls(i));
    for (TControl* child : children) action(*child);
}

void TSelectionRun::SelectComponents(TControl& control) {
    const std::vector<TComponent*> components = control.ComponentList();
    for (TComponent* component : components)
        if (auto* owned = dynamic_cast<TControl*>(component)) Select(*owned);
}

void TSelectionRun::SelectChildWindows(HWND window) {
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SelectWindow(child);
}

void TSelectionRun::SelectWindow(HWND window) {
    if (form_.FindSkinner(window) || AnswersSkinned(window)) return;
    const std::string lower = LowerCase(WindowClassName(window));
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    if (lower == "button") {
        if ((style & 0xB) == 0xB || (style & 7) == 7 || (style & BS_BITMAP)) return;
        if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) {
            if (Gate(data_, xcCheckBox)) AttachWindow<TSkinCheckBox>(window);
        } else if ((style & 9) == 9 || (style & 4)) {
            if (Gate(data_, xcRadioButton)) AttachWindow<TSkinRadioButton>(window);
        } else if (Gate(data_, xcButton)) {
            AttachWindow<TSkinButton>(window);
        }
    } else if (lower == "scrollbar") {
        if (!(style & WS_TABSTOP)) AttachWindow<TSkinSizer>(window);
    } else if (lower == "tcheckbox") {
        if (Gate(data_, xcCheckBox)) AttachWindow<TSkinCheckBox>(window);
    } else if (lower == "tbutton") {
        if (Gate(data_, xcButton)) AttachWindow<TSkinButton>(window);
    } else if (lower == "combobox" || lower == "tcombobox") {
        if (Gate(data_, xcCombo) && (lower == "tcombobox" || (style & 3) != CBS_SIMPLE))
            AttachWindow<TSkinComBox>(window);
    } else if (lower == "comboboxex32") {
        // The skinner sits on the inner combo box, so the frame offered again has none of its own.
        if (const HWND combo = InnerCombo(window); combo && !form_.FindSkinner(combo) && Gate(data_, xcCombo))
            AttachWindow<TSkinComBox>(combo);
    } else if (lower == "edit") {
        if (Gate(data_, xcEdit)) AttachWindow<TSkinEdit>(window);
    } else if (lower == "systabcontrol32") {
        // Tabs their program draws itself are left to it.
        if (Gate(data_, xcTab) && !(style & TCS_OWNERDRAWFIXED)) AttachWindow<TSkinTab>(window);
    } else if (lower == "#32770" && !(style & WS_TABSTOP)) {
        SelectChildWindows(window);
        AttachWindow<TSkinBoxH>(window);
    } else if (lower == "toolbarwindow32") {
        AttachWindow<TSkinBoxH>(window);
    } else if (lower == "tprogressbar") {
        AttachWindow<TSkinProgress>(window);
    } else if (lower == "tpanel" || lower == "ttntpanel.unicodeclass") {
        SelectChildWindows(window);
        // Only a panel with a control object has a colour to set.
        if (TWinControl* panel = TWinControl::FromHandle(window))
            panel->SetColor(static_cast<TColor>(ColorToRGB(static_cast<TColor>(data_.Colors[ciButtonFace]))));
    }
    // Tree views are never skinned.
}

}  // namespace

std::optional<std::string> MappedSkinnerType(const TSkinData& data, const std::string& className) {
    const std::string prefix = LowerCase(className) + "=";
    for (const std::string& line : data.Skin3rd()) {
        const std::string lower = LowerCase(line);
        if (lower.starts_with(prefix)) return lower.substr(prefix.size(), 50);
    }
    return std::nullopt;
}

void TSkinnerSelection::SkinControl(TWinSkinForm& form, TControl& control) { TSelectionRun(form).Select(control); }

void TSkinnerSelection::SkinChildWindow(TWinSkinForm& form, HWND window) { TSelectionRun(form).SelectWindow(window); }

bool TSkinnerSelection::ReskinScroll(TWinSkinForm& form, TChildSkinner& skinner) {
    TControl* control = skinner.SkinnedControl();
    if (!skinner.ScrollSkinner() || !control) return false;
    TSkinControl* replacement = nullptr;
    if (dynamic_cast<TSkinScControl*>(&skinner))
        replacement = new TSkinScControl(control);
    else if (dynamic_cast<TSkinListView*>(&skinner))
        replacement = new TSkinListView(control);
    else
        replacement = new TSkinScrollbar(control);
    if (auto* old = dynamic_cast<TSkinControl*>(&skinner)) replacement->Kind = old->Kind;
    replacement->InitSkin(&form, form.SkinData, false, &form.ControlCanvas);
    if (replacement->Attached) return true;
    Free(replacement);
    return false;
}

void InstallSkinnerSelection() {
    static TSkinnerSelection selection;
    SetChildSelection(&selection);
}

}  // namespace velloran
