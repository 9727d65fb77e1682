#include "tools/gallery/ToolbarsForm.h"

#include "framework/CoolBars.h"
#include "framework/MediaPlayers.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "framework/ToolBars.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

const TClassInfo& TGalleryToolbarsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryToolbarsForm>("TGalleryToolbarsForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryToolbarsForm::TGalleryToolbarsForm(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetCaption("Tool bars and player");
    UseProgramFont(*this);
    SetClientWidth(520);
    SetClientHeight(360);
    AddToolBar();
    AddCoolBar();
    AddPlayers();
}

void TGalleryToolbarsForm::AddToolBar() {
    toolBar_ = PlaceControl<TToolBar>(*this, {0, 0, 520, 26});
    toolBar_->AddButton("New");
    toolBar_->AddButton("Open");
    toolBar_->AddButton("", tbsSeparator);
    toolBar_->AddButton("Bold", tbsCheck);
    toolBar_->AddButton("Print")->SetEnabled(false);
    dropDownMenu_ = new TPopupMenu(this);
    for (const char* caption : {"First file", "Second file", "-", "Clear the list"}) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        dropDownMenu_->Items()->Add(item);
    }
    toolBar_->AddButton("Recent", tbsDropDown)->SetDropdownMenu(dropDownMenu_);
}

void TGalleryToolbarsForm::AddCoolBar() {
    auto* cool = PlaceControl<TCoolBar>(*this, {0, 32, 520, 92});
    auto* address = new TEdit(this);
    address->SetBounds(0, 0, 200, 21);
    address->SetText("Z:\\skins\\Default");
    cool->AddBand({"Address", address, 300, 24, clBtnFace, false});
    auto* tools = new TToolBar(this);
    tools->SetBounds(0, 0, 160, 24);
    tools->AddButton("Back");
    tools->AddButton("Forward");
    cool->AddBand({"Go", tools, 200, 24, clBtnFace, false});
    cool->AddBand({"Second row", nullptr, 520, 24, clInfoBk, true});
}

void TGalleryToolbarsForm::AddPlayers() {
    lastAction_ = PlaceControl<TLabel>(*this, {16, 334, 300, 16}, "Press a player button");
    struct TPlayerSet {
        const char* Title;
        uint32_t Visible, Enabled, Colored;
    };
    const uint32_t transport = MediaButtonBit(btPlay) | MediaButtonBit(btPause) | MediaButtonBit(btStop);
    const TPlayerSet sets[] = {
        {"Every button, all coloured", kAllMediaButtons, kAllMediaButtons, kAllMediaButtons},
        {"Play, pause and stop; stop disabled", transport, transport & ~MediaButtonBit(btStop), transport},
        {"Three buttons, none coloured", MediaButtonBit(btPlay) | MediaButtonBit(btStop) | MediaButtonBit(btEject),
         kAllMediaButtons, 0},
    };
    int top = 136;
    for (const TPlayerSet& set : sets) {
        PlaceControl<TLabel>(*this, {16, top, 300, 16}, set.Title);
        auto* player = PlaceControl<TMediaPlayer>(*this, {16, top + 18, 270, 30});
        player->SetVisibleButtons(set.Visible);
        player->SetEnabledButtons(set.Enabled);
        player->SetColoredButtons(set.Colored);
        player->OnButtonClick = [this](TObject*, TMPBtnType button, bool&) {
            lastAction_->SetCaption("Last action: " + MPBtnTypeEnum.Names[static_cast<size_t>(button)]);
        };
        if (!fullPlayer_) fullPlayer_ = player;
        top += 60;
    }
}

}  // namespace velloran
