#pragma once
// The skin chooser: one radio button per packed skin and one for no skin. Choosing a skin gives
// the skin data that skin's file and switches skinning on; "No skin" switches it off.
#include <string>
#include <string_view>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/data/WinSkinData.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/PackedSkins.h"

namespace velloran {

class TSkinChooser {
public:
    // Places a heading and the buttons on form, in a column of column.Width from its top-left
    // corner downwards (column.Height is not used).
    TSkinChooser(TForm& form, TPlace column, TSkinData& skinData, const std::vector<TPackedSkin>& skins);

    // Checks the button of a skin name, or of kNoSkinName, as a click would (names compared
    // ignoring case); false when there is no such button.
    bool Choose(std::string_view name);
    // The button of that name, or null.
    TRadioButton* Button(std::string_view name) const;
    // Below the last button.
    int Bottom() const { return bottom_; }

private:
    struct TChoice {
        std::string Name;
        std::string File;  // empty for no skin
        TRadioButton* Button = nullptr;
    };
    void Chosen(const TChoice& choice);

    TSkinData& skinData_;
    std::vector<TChoice> choices_;
    int bottom_ = 0;
};

}  // namespace velloran
