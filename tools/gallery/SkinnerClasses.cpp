#include "tools/gallery/SkinnerClasses.h"

namespace velloran {

const std::vector<TSkinnerClassPlace>& SkinnerClassPlaces() {
    static const std::vector<TSkinnerClassPlace> places{
        {"TSkinButton", "Buttons"},
        {"TSkinBitButton", "Buttons"},
        {"TSkinMenuButton", "Buttons"},
        {"TSkinSpeedButton", "Buttons"},
        {"TSkinCheckBox", "Buttons"},
        {"TSkinRadioButton", "Buttons"},
        {"TSkinObjImage", "Buttons: the vendor check boxes"},
        {"TSkinScrollbar", "Fields and lists: memos, lists, grid, tree"},
        {"TSkinListView", "Fields and lists: list view"},
        {"TComboxScrollBar", "Fields and lists: a dropped combo list"},
        {"TSkinScrollbarH", "Fields and lists: a dropped combo list"},
        {"TSkinScControl", "Fields and lists: scroll bars"},
        {"TSkinSizer", "Bars and gauges: the size grip in the corner"},
        {"TSkinEdit", "Fields and lists: edits"},
        {"TSkinComBox", "Fields and lists: combo boxes"},
        {"TSkinDateTime", "Fields and lists: date pickers"},
        {"TSkinUpDown", "Fields and lists: up-downs"},
        {"TSkinTab", "Tabs"},
        {"TSkinTab31", "Tabs"},
        {"TSkinTabSheet", "Tabs"},
        {"TSkinTabBtn", "Tabs"},
        {"TSkinAdvPage", "Tabs"},
        {"TSkinGroupBox", "Buttons: the radio group"},
        {"TSkinBox", "Buttons: the panel; Tool bars and player: the tool bars"},
        {"TSkinBoxH", "Bars and gauges; Buttons: the dialog from a template"},
        {"TSkinStatusBar", "Bars and gauges"},
        {"TSkinHeader", "Fields and lists: header"},
        {"TSkinProgress", "Bars and gauges"},
        {"TSkinTrackBar", "Bars and gauges"},
        {"TSkinMP", "Tool bars and player"},
        {"TWScrollbar", "Fields and lists: scroll bars"},
        {"TArrowButton", "Fields and lists: date pickers"},
        {"TWMediaPlayer", "Tool bars and player"},
    };
    return places;
}

std::string SkinnerClassLine(const TSkinnerClassPlace& place) { return place.ClassName + " - " + place.SeenIn; }

}  // namespace velloran
