#pragma once
// The gallery's main window: a button per page and per platform box, the skin chooser, and the
// skin data that skins every window of the process.
#include <map>
#include <memory>
#include <string>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StatusBars.h"
#include "skin/data/WinSkinData.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/PackedSkins.h"
#include "tools/gallery/SkinChooser.h"
#include "tools/gallery/SkinFolderWatch.h"
#include "tools/gallery/WatchedSkin.h"

namespace velloran {

class TGalleryMainForm : public TForm {
    VELLORAN_CLASS(TGalleryMainForm)
public:
    explicit TGalleryMainForm(TComponent* owner);
    ~TGalleryMainForm() override;

    TSkinData* SkinData = nullptr;
    // Shown by a right click on the client area, or by the menu key at the client's top left.
    TPopupMenu* ContextMenu = nullptr;

    // Packs the skins into a temporary folder, builds the skin chooser and picks the starting
    // skin, shows this form and opens the page asked for. Throws std::runtime_error when the
    // skins cannot be packed or the skin asked for does not exist. With a folder to watch, that
    // one skin is offered, a status bar says how its last change went, and every sound change
    // is applied to the open windows.
    void Start(const TGalleryOptions& options);
    // The page's form (created the first time), shown and brought to the front; kMainPageName is
    // this form. Throws std::invalid_argument for a name no page has.
    TForm* OpenPage(const std::string& name);
    // Null before Start.
    TSkinChooser* SkinChooser() const { return chooser_.get(); }
    // Null unless a folder is watched.
    const TPackedSkins* PackedSkins() const { return skins_.get(); }
    TWatchedSkin* WatchedSkin() const { return watched_.get(); }
    TStatusBar* WatchStatus() const { return watchStatus_; }

    void WndProc(TMessage& message) override;

private:
    void PlaceSkinChooser(const std::vector<TPackedSkin>& skins);
    void StartWatching(const TGalleryOptions& options);
    void WatchedSkinChanged();
    // Shows the context menu for a WM_CONTEXTMENU at `lParam`; false when the point lies outside
    // the client area (the caption's own menu is the frame's business).
    bool PopupContextMenu(LPARAM lParam);

    std::map<std::string, TForm*> pages_;
    std::unique_ptr<TPackedSkins> skins_;
    std::unique_ptr<TSkinChooser> chooser_;
    std::unique_ptr<TWatchedSkin> watched_;
    std::unique_ptr<TSkinFolderWatch> watch_;
    TStatusBar* watchStatus_ = nullptr;
    int columnsBottom_ = 0;
};

extern TGalleryMainForm* GalleryMainForm;

}  // namespace velloran
