#pragma once
// The extended combo box: the system's combo box inside a frame of its own, whose items can
// carry an image and an indent.
#include <string>
#include <vector>

#include "framework/ComboBoxes.h"

namespace velloran {

class TComboBoxEx : public TWinControl {
    VELLORAN_CLASS(TComboBoxEx)
public:
    explicit TComboBoxEx(TComponent* owner);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // An item at the end, shifted right by indent steps.
    void AddItem(const std::string& text, int indent = 0);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The combo box the frame holds, or null before the window exists.
    HWND ComboHandle() const;
    void SetDroppedDown(bool dropped);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    struct TItem {
        std::string Text;
        int Indent = 0;
    };
    void InsertItem(const TItem& item);

    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    std::vector<TItem> items_;
};

}  // namespace velloran
