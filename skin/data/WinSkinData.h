#pragma once
// The skin data component: a form carries one to give the whole application a skin. It holds
// the packed skin, parses it into skin objects and colours, and publishes the settings that
// the form and control skinners read.
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/Handles.h"
#include "framework/ImgList.h"
#include "skin/data/SkinObjects.h"

namespace velloran {

enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};
enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoFormScrollbar
};
enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// Bit n stands for ordinal n.
using TSkinControlTypes = uint32_t;
using TSkinOptions = uint32_t;
constexpr uint32_t SkinBit(int ordinal) { return 1u << ordinal; }

class TSkinData;
using TOnFormSkin = std::function<void(TObject* sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinForm = std::function<void(TObject* sender, HWND ahwnd, const std::string& aName)>;
using TOnSkinControl = std::function<void(TComponent* sender, TSkinData* skinData, TControl* form, TControl* control,
                                          const std::string& controlClass, TComponent*& skinnedControl)>;

class TSkinData : public TComponent {
    VELLORAN_CLASS(TSkinData)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // ---- published settings ----
    bool Active() const { return active_; }
    void SetActive(bool active);
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes controls) { skinControls_ = controls; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions options) { options_ = options; }
    std::vector<std::string> Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const std::vector<std::string>& lines) { skin3rd_ = lines; }
    std::string SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& name);
    std::string SkinStore() const { return "(none)"; }
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return skinFormtype_; }
    void SetSkinFormtype(TSkinFormType type) { skinFormtype_ = type; }
    std::string Version() const { return "5.03.07.12"; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool update) { menuUpdate_ = update; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool merge) { menuMerge_ = merge; }
    // The stored form: a 4-byte little-endian size, then that many bytes of packed skin.
    std::vector<uint8_t> SkinStreamData() const;
    void SetSkinStreamData(const std::vector<uint8_t>& data);

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // ---- operations ----
    void Loaded() override;
    // Unpacks and parses SkinStream; false (and the previous objects kept) when the container
    // cannot be read.
    bool LoadSkin();
    // Tells the skin manager that this instance's skin changed: the windows using it take it.
    void ApplySkin();
    void DecideFormSkin(HWND handle, const std::string& className, bool& doSkin);
    void NotifySkinChanged();

    // ---- parsed state ----
    std::vector<uint8_t> SkinStream;
    bool Empty = true;
    std::array<TColorValue, kSkinColorCount> Colors{};
    std::array<bool, kSkinColorCount> ColorGiven{};
    std::vector<TColorValue> ColorSections;
    std::array<TColorValue, kCustomColorCount> CustomColors{};
    TBrushHandle FaceBrush;
    std::string SkinName;
    TFont CaptionFont;
    TBitmap AppIcon;
    std::unique_ptr<TImageList> MenuImages;
    int MaxWidth = 0;
    int MaxHeight = 0;
    HWND CurrentForm = nullptr;
    bool FramePaintEnabled = true;

    // Persistent objects, always present.
    TDataSkinBorder FrameLeft{"Left"};
    TDataSkinBorder FrameRight{"Right"};
    TDataSkinBorder FrameTop{"Top"};
    TDataSkinBorder FrameBottom{"Bottom"};
    TDataSkinTitle Title{"Title"};
    TDataSkinButton Button{"Buttons"};
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    // One slot per section; empty where the skin has none.
    std::unique_ptr<TDataSkinObject> MenuBar, ProgressChunk, GroupBoxEdge, StatusBarEdges, TabPane, ToolBars, SunkEdge,
        ExtraImages, Headerbar, MenuItem, MenuBackground, Scrollbar, HorzScroll, VertScroll, HorzScrollThumb,
        VertScrollThumb, ThumbHorz, ThumbVert, ThumbLeft, ThumbRight, ThumbUp, ThumbDown;
    std::unique_ptr<TDataSkinBorder> Progress, Tabs, ComboButton, UpDownHorz, UpDownVert;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    // Always present once a skin was parsed: the program's own bitmaps stand in.
    std::unique_ptr<TDataSkinObject> Track, TrackVert;
    // Derived images, made once and kept across skins.
    std::unique_ptr<TDataSkinObject> ComboArrow, Toolbar;

private:
    void Parse(const TSkinDescription& skin, TSkinImageSource& images);
    void BuildComboImages();
    void BuildComboArrow();
    void BuildToolbar();
    TColorValue CaptionColor() const;
    void BuildAppIcon();

    bool active_ = false;
    int disableTag_ = 99;
    TSkinControlTypes skinControls_;
    TSkinOptions options_ = SkinBit(xoPreview) | SkinBit(xoToolbarBK);
    std::vector<std::string> skin3rd_;
    std::string skinFile_;
    TSkinFormType skinFormtype_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;
};

// The 118 lines that map other component libraries' control classes to a skinner kind.
const std::vector<std::string>& DefaultSkin3rd();

// Makes TSkinData known to form data. Safe to call more than once.
void RegisterSkinDataClasses();

}  // namespace velloran
