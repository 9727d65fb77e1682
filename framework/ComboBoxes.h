#pragma once
// The combo box: a text field with a list of items, in the three styles of the system's combo
// box (the list always shown under an edit, dropped down under an edit, dropped down under a
// plain selection field).
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
extern const TEnumInfo ComboBoxStyleEnum;

class TComboBox : public TWinControl {
    VELLORAN_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* owner);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count) { dropDownCount_ = count; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    void AddItem(const std::string& text);
    const std::vector<std::string>& Items() const { return items_; }
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int itemIndex_ = -1;
    std::vector<std::string> items_;
};

}  // namespace velloran
