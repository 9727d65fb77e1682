#include "tools/gallery/GalleryMainForm.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "framework/ScrollCtrls.h"
#include "framework/StdCtrls.h"
#include "tools/gallery/ControlPlacement.h"
#include "tools/gallery/GalleryBoxes.h"
#include "tools/gallery/GalleryMenus.h"
#include "tools/gallery/GalleryPages.h"
#include "tools/gallery/SkinnerClasses.h"

namespace velloran {

TGalleryMainForm* GalleryMainForm = nullptr;

namespace {

constexpr int kMargin = 12, kColumnWidth = 110, kColumnGap = 12, kButtonHeight = 25, kButtonPitch = 31;
constexpr int kHeadingHeight = 20, kStatusHeight = 20;
constexpr int kClassListWidth = 330, kClassListHeight = 300;

int ColumnLeft(int column) { return kMargin + column * (kColumnWidth + kColumnGap); }

// A temporary folder of this process's own, for its packed skins.
std::filesystem::path PackedSkinsFolder() {
    char temp[MAX_PATH + 1] = "";
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("No temporary folder");
    return std::filesystem::path(temp) / ("VelloranGallery-" + std::to_string(GetCurrentProcessId()));
}

std::string StartingSkin(const TGalleryOptions& options, const TPackedSkins& skins) {
    if (!options.Skin.empty()) return options.Skin;
    if (skins.Find("Default")) return "Default";
    return skins.Skins().empty() ? kNoSkinName : skins.Skins().front().Name;
}

}  // namespace

const TClassInfo& TGalleryMainForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryMainForm>("TGalleryMainForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryMainForm::TGalleryMainForm(TComponent* owner) : TForm(owner) {
    GalleryMainForm = this;
    SetCaption("Velloran Gallery");
    SetPosition(poScreenCenter);
    UseProgramFont(*this);

    SkinData = new TSkinData(this);
    SkinData->SetName("SkinData");
    SkinData->SetSkinFormtype(sfMainform);
    // The outside vendor's controls of the buttons page reach their skinners by class name.
    std::vector<std::string> mapping = SkinData->Skin3rd();
    mapping.insert(mapping.end(),
                   {"TAcmeButton=button", "TAcmeMenuButton=menubtn", "TAcmePngButton=pngbitbtn", "TAcmePanel=nil"});
    // The tabs page's vendor page control takes the skin's tab image as its own pictures.
    mapping.push_back("TAcmePageControl=advpagecontrol");
    SkinData->SetSkin3rd(mapping);
    SkinData->SetActive(true);
    TMainMenu* menu = MakeGalleryMenu(*this);
    SetMenu(menu);
    ContextMenu = MakeGalleryContextMenu(*this, menu->Images());

    PlaceControl<TLabel>(*this, {ColumnLeft(0), kMargin, kColumnWidth, 16}, "Windows");
    int y = kMargin + kHeadingHeight;
    for (const TGalleryPage& page : GalleryPages()) {
        auto* button = PlaceControl<TButton>(*this, {ColumnLeft(0), y, kColumnWidth, kButtonHeight}, page.Caption);
        button->OnClick = [this, name = page.Name](TObject*) { OpenPage(name); };
        y += kButtonPitch;
    }
    columnsBottom_ = y;

    PlaceControl<TLabel>(*this, {ColumnLeft(1), kMargin, kColumnWidth, 16}, "Boxes");
    y = kMargin + kHeadingHeight;
    for (const TGalleryBox& box : GalleryBoxes()) {
        auto* button = PlaceControl<TButton>(*this, {ColumnLeft(1), y, kColumnWidth, kButtonHeight}, box.Caption);
        button->OnClick = [show = box.Show](TObject*) { show(); };
        y += kButtonPitch;
    }
    columnsBottom_ = std::max(columnsBottom_, y);

    PlaceControl<TLabel>(*this, {ColumnLeft(3), kMargin, kClassListWidth, 16}, "Skinners and where to see them");
    auto* classes = PlaceControl<TListBox>(*this, {ColumnLeft(3), kMargin + kHeadingHeight, kClassListWidth, kClassListHeight});
    columnsBottom_ = std::max(columnsBottom_, kMargin + kHeadingHeight + kClassListHeight);
    SetClientWidth(ColumnLeft(3) + kClassListWidth + kMargin);
    SetClientHeight(columnsBottom_ + kMargin);
    // Last: filling the list makes the window, which is centred on the screen at the size it has then.
    for (const TSkinnerClassPlace& place : SkinnerClassPlaces()) classes->Items()->Add(SkinnerClassLine(place));
}

TGalleryMainForm::~TGalleryMainForm() {
    if (GalleryMainForm == this) GalleryMainForm = nullptr;
}

void TGalleryMainForm::Start(const TGalleryOptions& options) {
    if (!options.Watch.empty()) {
        StartWatching(options);
    } else {
        skins_ = std::make_unique<TPackedSkins>(options.SkinsFolder, PackedSkinsFolder());
        PlaceSkinChooser(skins_->Skins());
        SetClientHeight(std::max(columnsBottom_, chooser_->Bottom()) + kMargin);
        const std::string skin = StartingSkin(options, *skins_);
        if (!chooser_->Choose(skin))
            throw std::runtime_error("No skin named \"" + skin + "\" in " + options.SkinsFolder);
    }
    Show();
    OpenPage(options.Open);
}

void TGalleryMainForm::PlaceSkinChooser(const std::vector<TPackedSkin>& skins) {
    chooser_ = std::make_unique<TSkinChooser>(*this, TPlace{ColumnLeft(2), kMargin, kColumnWidth, 0}, *SkinData, skins);
}

void TGalleryMainForm::StartWatching(const TGalleryOptions& options) {
    watched_ = std::make_unique<TWatchedSkin>(options.Watch, PackedSkinsFolder());
    PlaceSkinChooser({watched_->Packed()});
    const int statusTop = std::max(columnsBottom_, chooser_->Bottom()) + kMargin;
    SetClientHeight(statusTop + kStatusHeight);
    watchStatus_ = PlaceControl<TStatusBar>(*this, {0, statusTop, ClientWidth(), kStatusHeight});
    watchStatus_->SetAnchors(AnchorBit(akLeft) | AnchorBit(akRight) | AnchorBit(akBottom));

    const TSkinRefresh first = watched_->Refresh();
    watchStatus_->SetSimpleText(first.Status);
    // A folder that starts broken starts without a skin; the first sound save brings it in.
    const std::string skin = !first.Applied || SameText(options.Skin, kNoSkinName) ? kNoSkinName : watched_->Packed().Name;
    chooser_->Choose(skin);
    watch_ = std::make_unique<TSkinFolderWatch>(watched_->Folder(), [this] { WatchedSkinChanged(); });
}

void TGalleryMainForm::WatchedSkinChanged() {
    const TSkinRefresh refresh = watched_->Refresh();
    watchStatus_->SetSimpleText(refresh.Status);
    if (!refresh.Applied) return;
    TRadioButton* watchedButton = chooser_->Button(watched_->Packed().Name);
    if (watchedButton->Checked())
        SkinData->SetSkinFile(watched_->Packed().File.string());  // read again, and every window repainted
    else if (SkinData->SkinFile().empty())
        chooser_->Choose(watched_->Packed().Name);  // no skin loaded yet: the folder was broken at start
}

void TGalleryMainForm::WndProc(TMessage& message) {
    if (message.Msg == WM_CONTEXTMENU && PopupContextMenu(message.LParam)) return;
    TForm::WndProc(message);
}

bool TGalleryMainForm::PopupContextMenu(LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: no point was clicked.
        at = {0, 0};
        ClientToScreen(Handle(), &at);
    } else {
        POINT client = at;
        ScreenToClient(Handle(), &client);
        const RECT area = ClientRect();
        if (!PtInRect(&area, client)) return false;
    }
    ContextMenu->Popup(at.x, at.y);
    return true;
}

TForm* TGalleryMainForm::OpenPage(const std::string& name) {
    if (SameText(name, kMainPageName)) {
        Show();
        BringToFront();
        return this;
    }
    const auto& pages = GalleryPages();
    auto page = std::find_if(pages.begin(), pages.end(), [&](const TGalleryPage& p) { return SameText(p.Name, name); });
    if (page == pages.end()) throw std::invalid_argument("No page named \"" + name + "\"");
    TForm*& form = pages_[page->Name];
    if (!form) form = page->Create(this);
    form->Show();
    form->BringToFront();
    return form;
}

}  // namespace velloran
