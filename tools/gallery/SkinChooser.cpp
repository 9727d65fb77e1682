#include "tools/gallery/SkinChooser.h"

#include <algorithm>

#include "tools/gallery/GalleryOptions.h"

namespace velloran {

namespace {
constexpr int kButtonHeight = 17, kButtonPitch = 22;
}

TSkinChooser::TSkinChooser(TForm& form, TPlace column, TSkinData& skinData, const std::vector<TPackedSkin>& skins)
    : skinData_(skinData) {
    PlaceControl<TLabel>(form, {column.Left, column.Top, column.Width, 16}, "Skin");
    for (const TPackedSkin& skin : skins) choices_.push_back({skin.Name, skin.File.string()});
    choices_.push_back({kNoSkinName, {}});
    int y = column.Top + 20;
    for (TChoice& choice : choices_) {
        const std::string caption = choice.File.empty() ? "No skin" : choice.Name;
        choice.Button = PlaceControl<TRadioButton>(form, {column.Left, y, column.Width, kButtonHeight}, caption);
        // choices_ does not change size any more, so the element stays where it is.
        choice.Button->OnClick = [this, &choice](TObject*) { Chosen(choice); };
        y += kButtonPitch;
    }
    bottom_ = y;
}

TRadioButton* TSkinChooser::Button(std::string_view name) const {
    auto it = std::find_if(choices_.begin(), choices_.end(), [&](const TChoice& c) { return SameText(c.Name, name); });
    return it == choices_.end() ? nullptr : it->Button;
}

bool TSkinChooser::Choose(std::string_view name) {
    TRadioButton* button = Button(name);
    if (!button) return false;
    button->SetChecked(true);
    return true;
}

// Runs when a button becomes the checked one; the radio buttons uncheck the others themselves.
void TSkinChooser::Chosen(const TChoice& choice) {
    if (choice.File.empty()) {
        skinData_.SetActive(false);
        return;
    }
    skinData_.SetSkinFile(choice.File);
    skinData_.SetActive(true);
}

}  // namespace velloran
