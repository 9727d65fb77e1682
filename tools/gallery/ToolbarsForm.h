#pragma once
// A window of bars: a tool bar with a drop-down button and its menu, a cool bar with bands, and
// media player panels with different sets of visible, enabled and coloured buttons, whose last
// action shows in a label.
#include "framework/Forms.h"

namespace velloran {

class TLabel;
class TMediaPlayer;
class TPopupMenu;
class TToolBar;

class TGalleryToolbarsForm : public TForm {
    VELLORAN_CLASS(TGalleryToolbarsForm)
public:
    explicit TGalleryToolbarsForm(TComponent* owner);
    TToolBar* MainToolBar() const { return toolBar_; }
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    TMediaPlayer* FullPlayer() const { return fullPlayer_; }

private:
    void AddToolBar();
    void AddCoolBar();
    void AddPlayers();

    TToolBar* toolBar_ = nullptr;
    TPopupMenu* dropDownMenu_ = nullptr;
    TMediaPlayer* fullPlayer_ = nullptr;
    TLabel* lastAction_ = nullptr;
};

}  // namespace velloran
