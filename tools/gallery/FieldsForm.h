#pragma once
// A window of fields and lists: edits and memos with and without border, a rich edit, list
// boxes, a sortable list view, a tree view, a grid, combo boxes of every style (one laid out
// from right to left), an extended combo, date pickers in both modes, spin buttons inside an
// edit and free, scroll bar controls, a header control, and a disabled example of each.
#include "framework/Forms.h"

namespace velloran {

class TComboBox;
class TMemo;

class TGalleryFieldsForm : public TForm {
    VELLORAN_CLASS(TGalleryFieldsForm)
public:
    explicit TGalleryFieldsForm(TComponent* owner);
    // The combo box the screenshots show dropped down, and the memo whose thumb they drag.
    TComboBox* DropDownCombo() const { return dropDownCombo_; }
    TMemo* LongMemo() const { return longMemo_; }

private:
    void AddEdits();
    void AddLists();
    void AddTables();
    void AddChoosers();
    void AddSpinsAndBars();

    TComboBox* dropDownCombo_ = nullptr;
    TMemo* longMemo_ = nullptr;
};

}  // namespace velloran
