#pragma once
// The choice of a skinner for each child of a skinned window. A control object goes through, in
// this order: already skinned, the skin data's DisableTag, its OnSkinControl event, its Skin3rd
// mapping of class names to skinner kinds, then the class tests, each family gated by the skin
// data's SkinControls. A window without a control object is chosen by its window class.
#include <optional>
#include <string>

#include "skin/form/ChildSkinning.h"

namespace velloran {

class TSkinData;

class TSkinnerSelection : public TChildSelection {
public:
    void SkinControl(TWinSkinForm& form, TControl& control) override;
    void SkinChildWindow(TWinSkinForm& form, HWND window) override;
    // A new scroll-bar skinner for the control of a scroll-bar skinner.
    bool ReskinScroll(TWinSkinForm& form, TChildSkinner& skinner) override;
};

// The skinner kind the skin data's Skin3rd list gives a class ("TMyButton=button"), lower-cased;
// none when no line names the class.
std::optional<std::string> MappedSkinnerType(const TSkinData& data, const std::string& className);

// Makes every form skinner skin its children with the selection.
void InstallSkinnerSelection();

}  // namespace velloran
