#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "framework/Forms.h"
#include "framework/TypInfo.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/LittleEndian.h"
#include "skin/data/SkinEngine.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

namespace velloran {

namespace {

const TEnumInfo SkinControlTypeEnum{{"xcMainMenu",   "xcPopupMenu", "xcMenuItem",    "xcToolbar",     "xcControlbar",
                                     "xcCombo",      "xcCheckBox",  "xcRadioButton", "xcProgress",    "xcScrollbar",
                                     "xcEdit",       "xcButton",    "xcBitBtn",      "xcSpeedButton", "xcSpin",
                                     "xcPanel",      "xcGroupBox",  "xcStatusBar",   "xcTab",         "xcTrackBar",
                                     "xcSystemMenu", "xcFastReport"}};
const TEnumInfo SkinOptionEnum{{"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround",
                                "xoNoFocusRect", "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG",
                                "xoFormScrollbar"}};
const TEnumInfo SkinFormTypeEnum{{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};

constexpr TSkinControlTypes kDefaultSkinControls =
    ((1u << (xcFastReport + 1)) - 1) & ~SkinBit(xcMenuItem) & ~SkinBit(xcFastReport);

// The container's bitmaps, each decoded once per parse: the description asks for sizes, the
// objects for pixels.
class TContainerImages : public TSkinImageSource {
public:
    explicit TContainerImages(const TSkinReader& reader) : reader_(reader) {}

    std::optional<TImageSize> Size(std::string_view member) {
        const TDecodedBitmap& image = Decoded(member);
        if (image.Empty()) return std::nullopt;
        return TImageSize{image.Width, image.Height};
    }

    void Load(const TSkinImage& image, TBitmap& bitmap) override {
        if (!image.Resource.empty()) {
            LoadProgramBitmap(image.Resource, bitmap);
            return;
        }
        if (image.Member.empty()) {
            SetBitmapPixels(bitmap, {});
            return;
        }
        const TDecodedBitmap& whole = Decoded(image.Member);
        SetBitmapPixels(bitmap, image.Part ? Cut(whole, *image.Part) : whole);
    }

private:
    const TDecodedBitmap& Decoded(std::string_view member) {
        auto found = cache_.find(std::string(member));
        if (found != cache_.end()) return found->second;
        std::vector<uint8_t> bytes;
        reader_.ExtractMember(member, bytes);
        return cache_.emplace(std::string(member), ReadBitmapFile(bytes)).first->second;
    }

    // The part of the image inside it; pixels outside the image stay black.
    static TDecodedBitmap Cut(const TDecodedBitmap& image, const TImageRect& part) {
        TDecodedBitmap out;
        if (part.Width <= 0 || part.Height <= 0) return out;
        out.Width = part.Width;
        out.Height = part.Height;
        out.Pixels.assign(static_cast<size_t>(part.Width) * part.Height, 0);
        for (int y = 0; y < part.Height; ++y)
            for (int x = 0; x < part.Width; ++x) {
                int sx = part.Left + x, sy = part.Top + y;
                if (sx >= 0 && sy >= 0 && sx < image.Width && sy < image.Height)
                    out.Pixels[static_cast<size_t>(y) * part.Width + x] =
                        image.Pixels[static_cast<size_t>(sy) * image.Width + sx];
            }
        return out;
    }

    const TSkinReader& reader_;
    std::map<std::string, TDecodedBitmap, std::less<>> cache_;
};

// 0x00RRGGBB (pixel memory) to red + green * 256 + blue * 65536.
TColorValue PixelToColor(uint32_t pixel) { return ((pixel >> 16) & 0xFF) | (pixel & 0xFF00) | ((pixel & 0xFF) << 16); }

void FillMagenta(HDC dc, const RECT& rect) {
    TBrushHandle brush(CreateSolidBrush(kSkinKeyColor));
    FillRect(dc, &rect, brush.get());
}

}  // namespace

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> lines = [] {
        // The first two lines come first: a main window's stored list leaves out just those.
        const std::vector<std::pair<const char*, std::vector<const char*>>> groups = {
            {"scrollbar", {"TCategoryButtons"}},
            {"pngspeedbutton", {"TPngSpeedbutton"}},
            {"scrollbar",
             {"TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup", "THTMLViewer", "TDBCtrlGrid", "TImageEnMView",
              "TImageEnView", "TAdvMemo", "TDBAdvMemo"}},
            {"pngbitbtn", {"TPngBitBtn"}},
            {"Panel",
             {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TLMDGROUPBOX", "TLMDSIMPLEPANEL",
              "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator", "TLMDHeaderPanel", "TLMDTechnicalLine",
              "TLMDLMDClock"}},
            {"panel", {"TRzGroup", "TLMDCalculator", "TLMDTrackbar"}},
            {"combobox", {"TComboboxex",          "TcxDBLookupComboBox",    "TcxDBComboBox",
                          "TcxDBDateEdit",        "TcxDBImageComboBox",     "TcxDBCalcEdit",
                          "TcxDBBlobEdit",        "TcxDBPopupEdit",         "TcxDBFontNameComboBox",
                          "TcxDBShellComboBox",   "TRxLookupEdit",          "TRxDBLookupCombo",
                          "TRzDateTimeEdit",      "TRzColorEdit",           "TRzDateTimePicker",
                          "TRzDBDateTimeEdit",    "TRzDbColorEdit",         "TRzDBDateTimePicker",
                          "TLMDListCombobox",     "TLMDCheckListCombobox",  "TLMDHeaderListCombobox",
                          "TLMDImageCombobox",    "TLMDColorCombobox",      "TLMDFontCombobox",
                          "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",   "TLMDPrinterCombobox",
                          "TLMDDriveCombobox",    "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                          "TLMDCalendarComboBox", "TLMDTreeComboBox",       "TWWTempKeyCombo"}},
            {"Combobox",
             {"TDBLookupCombobox", "TWWDBCombobox", "TWWDBCombobox", "TWWDBLookupCombo", "TWWKeyCombo",
              "TWWDBDateTimePicker"}},
            {"speedbutton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"}},
            {"button", {"TRzButton"}},
            {"bitbtn", {"TRzBitbtn", "TLMDButton", "TcxButton"}},
            {"menubtn", {"TRzMenuButton"}},
            {"CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"}},
            {"Radiogroup", {"TRzRadioGroup", "TRzDBRadioGroup"}},
            {"radiogroup", {"TLMDRADIOGROUP", "TLMDDBRADIOGROUP", "TWWRADIOGROUP", "TcxDBRadioGroup", "TcxRadioGroup"}},
            {"Edit", {"TRzButtonEdit",     "TLMDEDIT",           "TLMDMASKEDIT",     "TLMDBROWSEEDIT",
                      "TLMDEXTSPINEDIT",   "TLMDCALENDAREDIT",   "TLMDFILEOPENEDIT", "TLMDFILESAVEEDIT",
                      "TLMDCOLOREDIT",     "TLMDDBEDIT",         "TLMDDBMASKEDIT",   "TLMDDBEXTSPINEDIT",
                      "TLMDDBSPINEDIT",    "TLMDDBEDITDBLookup", "TLMDEDITDBLookup", "TWWDBEDIT",
                      "TOVCPICTUREFIELD",  "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",   "TOVCDBSLIDEREDIT",
                      "TOVCSIMPLEFIELD",   "TOVCDBSIMPLEFIELD",  "TO32DBFLEXEDIT",   "TOVCNUMERICFIELD",
                      "TOVCDBNUMERICFIELD"}},
            {"edit", {"TLMDCalculatorEdit"}},
            {"Groupbox", {"TLMDGroupBox"}},
            {"groupbox", {"TcxGroupbox"}},
            {"Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"}},
            {"Radiobutton", {"TRzDBRadioButton", "TLMDRadiobutton"}},
        };
        std::vector<std::string> out;
        for (const auto& [kind, keys] : groups)
            for (const char* key : keys) out.push_back(std::string(key) + "=" + kind);
        return out;
    }();
    return lines;
}

const TClassInfo& TSkinData::StaticClassInfo() {
    using C = TSkinData;
    using namespace props;
    static const TClassInfo info = DefineClass<C>(
        "TSkinData", &TComponent::StaticClassInfo(),
        {Bool("Active", &C::Active, &C::SetActive), Int("DisableTag", &C::DisableTag, &C::SetDisableTag),
         Set("SkinControls", SkinControlTypeEnum, &C::SkinControls, &C::SetSkinControls),
         Set("Options", SkinOptionEnum, &C::Options, &C::SetOptions), Lines("Skin3rd", &C::Skin3rd, &C::SetSkin3rd),
         String("SkinFile", &C::SkinFile, &C::SetSkinFile), String("SkinStore", &C::SkinStore, &C::SetSkinStore),
         Enum("SkinFormtype", SkinFormTypeEnum, &C::SkinFormtype, &C::SetSkinFormtype),
         String("Version", &C::Version, &C::SetVersion), Bool("MenuUpdate", &C::MenuUpdate, &C::SetMenuUpdate),
         Bool("MenuMerge", &C::MenuMerge, &C::SetMenuMerge), Event("OnFormSkin", &C::OnFormSkin),
         Event("OnSkinChanged", &C::OnSkinChanged), Event("OnSkinControl", &C::OnSkinControl),
         Event("OnBeforeSkinForm", &C::OnBeforeSkinForm), Event("OnAfterSkinForm", &C::OnAfterSkinForm),
         Binary("SkinStream", &C::SkinStreamData, &C::SetSkinStreamData)});
    return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      MenuImages(std::make_unique<TImageList>(nullptr)),
      skinControls_(kDefaultSkinControls),
      skin3rd_(DefaultSkin3rd()) {
    MaxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    MaxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    AppIcon.Transparent = true;
    AppIcon.TransparentColor = clFuchsia;
    TBitmap glyphs;
    LoadProgramBitmap("PELMARKMENU", glyphs);
    if (glyphs.Width() > 0) MenuImages->AddMasked(glyphs, static_cast<TColor>(0xFFFFFF));
}

TSkinData::~TSkinData() {
    if (TSkinEngine* engine = TSkinEngine::Current()) engine->UnregisterData(this);
}

void TSkinData::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (HasState(csLoading) || HasState(csReading) || HasState(csDesigning)) return;
    TSkinEngine* engine = TSkinEngine::Current();
    if (!engine) return;
    switch (skinFormtype_) {
        case sfMainform:
            if (active && Empty) return;
            engine->CommandData = this;
            engine->PostCommand(active ? skcSkinOn : skcSkinOff, 250);
            if (active && engine->Started == 0) engine->Started = 1;
            break;
        case sfOnlyThisForm:
            engine->CommandData = this;
            if (active && Empty) return;
            engine->PostCommand(active ? skcSkinOn : skcSkinOff, 250);
            break;
        default:
            break;
    }
}

void TSkinData::ApplySkin() {
    if (HasState(csLoading) || HasState(csReading) || HasState(csDesigning)) return;
    if (!TSkinEngine::Current()) Loaded();
    TSkinEngine* engine = TSkinEngine::Start();
    if (!engine) return;
    engine->CommandData = this;
    engine->ReloadButtons();
    if (engine->Started != 0) engine->PostCommand(skcSkinChanged, 250);
}

std::vector<uint8_t> TSkinData::SkinStreamData() const {
    std::vector<uint8_t> out;
    out.reserve(4 + SkinStream.size());
    AppendInt32LE(out, static_cast<int32_t>(SkinStream.size()));
    std::copy(SkinStream.begin(), SkinStream.end(), std::back_inserter(out));
    return out;
}

void TSkinData::SetSkinStreamData(const std::vector<uint8_t>& data) {
    if (data.size() < 4) return;
    const int32_t size = LoadInt32LE({data[0], data[1], data[2], data[3]});
    // A size beyond the bytes stored is a damaged form: no skin rather than a guess.
    if (size <= 0 || static_cast<uint64_t>(size) > data.size() - 4) return;
    SkinStream.assign(data.begin() + 4, data.begin() + 4 + size);
    LoadSkin();
}

void TSkinData::SetSkinFile(const std::string& name) {
    Empty = true;
    skinFile_ = name;
    std::ifstream file(name, std::ios::binary);
    if (!file) return;
    SkinStream.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    LoadSkin();
    ApplySkin();
}

bool TSkinData::LoadSkin() {
    Empty = true;
    TSkinReader reader;
    if (reader.Load(SkinStream) != TSkinLoadResult::Loaded) {
        ShowMessageBox(kOlderSkinFileMessage, Application ? Application->Title() : std::string(), MB_OK);
        return false;
    }
    std::vector<uint8_t> iniBytes;
    reader.FindMember(".ini", iniBytes);
    TQuickIni ini;
    ini.LoadFromStream(iniBytes);
    TContainerImages images(reader);
    Parse(ReadSkinDescription(ini, [&](std::string_view member) { return images.Size(member); }), images);
    return true;
}

void TSkinData::Parse(const TSkinDescription& skin, TSkinImageSource& images) {
    SkinName = skin.SkinName;
    Colors = skin.Colors;
    ColorGiven = skin.ColorGiven;
    ColorSections = skin.ColorSections;
    CustomColors = skin.CustomColors;
    FrameLeft.Assign(skin.FrameLeft, images);
    FrameRight.Assign(skin.FrameRight, images);
    FrameTop.Assign(skin.FrameTop, images);
    FrameBottom.Assign(skin.FrameBottom, images);
    Title.Assign(skin.Title, images);
    Button.Assign(skin.Button, images);
    SysButtons.resize(skin.SysButtons.size());
    for (std::size_t i = 0; i < SysButtons.size(); ++i) LoadSkinObject(SysButtons[i], skin.SysButtons[i], images);

    LoadSkinObject(MenuBar, skin.MenuBar, images);
    LoadSkinObject(Progress, skin.Progress, images);
    LoadSkinObject(ProgressChunk, skin.ProgressChunk, images);
    LoadSkinObject(GroupBoxEdge, skin.GroupBoxEdge, images);
    LoadSkinObject(GroupBox, skin.GroupBox, images);
    LoadSkinObject(Tabs, skin.Tabs, images);
    LoadSkinObject(StatusBarEdges, skin.StatusBarEdges, images);
    LoadSkinObject(TabPane, skin.TabPane, images);
    LoadSkinObject(ToolBars, skin.ToolBars, images);
    LoadSkinObject(ComboButton, skin.ComboButton, images);
    LoadSkinObject(SunkEdge, skin.SunkEdge, images);
    if (ComboButton && ComboButton->Bitmap->Width() > 0) {
        // The drop button for right-to-left combo boxes.
        SetBitmapPixels(*ComboButton->Bitmap2, GetBitmapPixels(*ComboButton->Bitmap));
        MirrorBitmap(*ComboButton->Bitmap2);
    }
    LoadSkinObject(ExtraImages, skin.ExtraImages, images);
    LoadSkinObject(Headerbar, skin.Headerbar, images);
    LoadSkinObject(MenuItem, skin.MenuItem, images);
    LoadSkinObject(MenuBackground, skin.MenuBackground, images);
    LoadSkinObject(Scrollbar, skin.Scrollbar, images);
    LoadSkinObject(HorzScroll, skin.HorzScroll, images);
    LoadSkinObject(VertScroll, skin.VertScroll, images);
    LoadSkinObject(HorzScrollThumb, skin.HorzScrollThumb, images);
    LoadSkinObject(VertScrollThumb, skin.VertScrollThumb, images);
    LoadSkinObject(ThumbHorz, skin.ThumbHorz, images);
    LoadSkinObject(ThumbVert, skin.ThumbVert, images);
    LoadSkinObject(ThumbLeft, skin.ThumbLeft, images);
    LoadSkinObject(ThumbRight, skin.ThumbRight, images);
    LoadSkinObject(ThumbUp, skin.ThumbUp, images);
    LoadSkinObject(ThumbDown, skin.ThumbDown, images);
    LoadSkinObject(UpDownHorz, skin.UpDownHorz, images);
    LoadSkinObject(UpDownVert, skin.UpDownVert, images);
    LoadSkinObject(Track, skin.Track, images);
    LoadSkinObject(TrackVert, skin.TrackVert, images);

    BuildComboImages();
    BuildComboArrow();
    Colors[ciCaptionColor] = CaptionColor();
    BuildToolbar();
    FaceBrush.reset(CreateSolidBrush(ColorToRGB(static_cast<TColor>(Colors[ciButtonFace]))));
    Empty = false;
}

void TSkinData::BuildComboImages() {
    if (!SunkEdge || !ComboButton) return;
    const int arrowWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = std::max(SunkEdge->Frame, 1);
    constexpr int kCellWidth = 50, kCellHeight = 21;

    TBitmap strip, cell;
    strip.SetSize(kCellWidth * frames, kCellHeight);
    cell.SetSize(kCellWidth, kCellHeight);
    {
        // The strip leaves its DC before its pixels are read.
        TMemoryDC stripDc(CreateCompatibleDC(nullptr)), cellDc(CreateCompatibleDC(nullptr));
        TSelectObject stripSel(stripDc.get(), strip.Handle()), cellSel(cellDc.get(), cell.Handle());
        FillMagenta(stripDc.get(), {0, 0, strip.Width(), kCellHeight});
        const RECT whole{0, 0, kCellWidth, kCellHeight};
        const RECT buttonPart{kCellWidth - arrowWidth, 0, kCellWidth, kCellHeight};
        for (int k = 1; k <= frames; ++k) {
            FillMagenta(cellDc.get(), whole);
            DrawSkinObject(cellDc.get(), whole, *SunkEdge->Bitmap, false, false, SunkEdge->Trans != 0, SunkEdge->Frame,
                           k, SunkEdge->Margins());
            DrawSkinObject(cellDc.get(), buttonPart, *ComboButton->Bitmap, false, false, true, ComboButton->Frame, k,
                           ComboButton->Margins());
            if (ExtraImages) CenterFrame(cellDc.get(), buttonPart, *ExtraImages->Bitmap, true, ExtraImages->Frame, k);
            FillMagenta(cellDc.get(), {2, 2, kCellWidth - 1 - arrowWidth, 18});
            BitBlt(stripDc.get(), kCellWidth * (k - 1), 0, kCellWidth, kCellHeight, cellDc.get(), 0, 0, SRCCOPY);
        }
        GdiFlush();
    }

    ComboButton->Style = 2;
    ComboButton->TopHeight = SunkEdge->TopHeight;
    ComboButton->BottomHeight = SunkEdge->BottomHeight;
    ComboButton->LeftWidth = 2;
    ComboButton->RightWidth = arrowWidth + 2;
    // Rewritten in place, the strip's pixels lose whatever drawing left in their unused byte, as
    // every loaded image has; the strip itself becomes the button's image.
    const TDecodedBitmap pixels = GetBitmapPixels(strip);
    SetBitmapPixels(strip, pixels);
    ComboButton->Bitmap->SetHandle(strip.ReleaseHandle());
    SetBitmapPixels(*SunkEdge->Bitmap, pixels);
    MirrorBitmap(*SunkEdge->Bitmap);
    SunkEdge->LeftWidth = arrowWidth + 2;
    SunkEdge->RightWidth = 2;
}

void TSkinData::BuildComboArrow() {
    if (!ComboArrow) ComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    // The arrow's bitmap is kept from the last skin until it is rebuilt: one of the same size
    // takes the new pixels in place.
    if (!ComboButton) {
        SetBitmapPixels(*ComboArrow->Bitmap, {});
        return;
    }
    if (!SunkEdge) {
        SetBitmapPixels(*ComboArrow->Bitmap, GetBitmapPixels(*ComboButton->Bitmap));
        ReplaceMagenta(*ComboArrow->Bitmap, Colors[ciButtonFace]);
        ComboArrow->Frame = ComboButton->Frame;
        return;
    }
    const int frames = std::max(SunkEdge->Frame, 1);
    const TDecodedBitmap source = GetBitmapPixels(*ComboButton->Bitmap);
    const int cellWidth = source.Width / frames;
    TDecodedBitmap arrow;
    arrow.Width = 17 * frames;
    arrow.Height = 17;
    arrow.Pixels.assign(static_cast<size_t>(arrow.Width) * arrow.Height, 0);
    for (int i = 0; i < frames; ++i)
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 17; ++x) {
                const int sx = (i + 1) * cellWidth - 19 + x, sy = 2 + y;
                if (sx >= 0 && sx < source.Width && sy < source.Height)
                    arrow.Pixels[static_cast<size_t>(y) * arrow.Width + 17 * i + x] =
                        source.Pixels[static_cast<size_t>(sy) * source.Width + sx];
            }
    SetBitmapPixels(*ComboArrow->Bitmap, arrow);
    ComboArrow->Frame = frames;
}

void TSkinData::BuildToolbar() {
    if (!Toolbar) Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    const TColorValue caption = Colors[ciCaptionColor];
    TColorValue bottom = Blend(0x808080, caption, 150, &WindowsSystemColor);
    const TColorValue top = Blend(Colors[ciButtonFace], 0xFFFFFF, 150, &WindowsSystemColor);
    const int saturation = ColorSaturation(ColorToRGB(static_cast<TColor>(caption)));
    if (saturation > 110) bottom = Blend(caption, 0xFFFFFF, (5625 - 25 * saturation) / 140 + 50, &WindowsSystemColor);
    TBitmap& bitmap = *Toolbar->Bitmap;
    bitmap.SetSize(10, 40);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelectObject select(dc.get(), bitmap.Handle());
    GradientFill(dc.get(), {0, 0, 10, 40}, top, true, bottom);
    GdiFlush();
    bitmap.PixelsChanged();  // a rebuild keeps the size: only the serial tells the new gradient
    Toolbar->Frame = 1;
}

TColorValue TSkinData::CaptionColor() const {
    const TBitmap& top = *FrameTop.Bitmap;
    if (top.Width() <= 0 || top.Height() <= 0) return Colors[ciButtonFace];
    // A frame count of 0 would divide by zero: the whole strip is then one frame.
    const int frameHeight = top.Height() / std::max(FrameTop.Frame, 1);
    const TDecodedBitmap pixels = GetBitmapPixels(top);
    const int x = top.Width() / 3, y = frameHeight / 3;
    return PixelToColor(pixels.Pixels[static_cast<size_t>(y) * pixels.Width + x]);
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (HasState(csDesigning)) return;
    if (!HasGetScrollBarInfo()) skinControls_ &= ~SkinBit(xcScrollbar);
    // Without an engine in the program the component still loads its skin; it skins nothing.
    TSkinEngine* engine = TSkinEngine::Start();
    if (engine) engine->RegisterData(this);
    LoadSystemCaptionFont(CaptionFont);
    if (skinFormtype_ != sfMainform) {
        if (!engine) return;
        engine->Enabled = true;
        ++engine->Started;
        auto* owner = dynamic_cast<TForm*>(Owner());
        if (owner && active_ && owner->HandleAllocated()) engine->SkinNewWindow(owner->Handle());
        return;
    }
    if (engine) engine->InstallHook();
    if (active_ && Empty) active_ = false;
    if (active_ && engine) {
        engine->CommandData = this;
        engine->PostCommand(skcSkinOn, 250);
    }
    if (skinControls_ & SkinBit(xcMainMenu))
        skinControls_ &= ~SkinBit(xcMenuItem);
    else
        skinControls_ &= ~SkinBit(xcSystemMenu);
    BuildAppIcon();
}

void TSkinData::BuildAppIcon() {
    if (!Application) return;
    const HWND app = Application->Handle();
    auto icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_BIG, 0));
    // A window that was never sent an icon shows its class's.
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(app, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrA(app, GCLP_HICON));
    if (!icon) return;
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    TIconHandle copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    AppIcon.SetSize(cx, cy);
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TSelectObject select(dc.get(), AppIcon.Handle());
    FillMagenta(dc.get(), {0, 0, cx, cy});
    DrawIconEx(dc.get(), 0, 0, copy ? copy.get() : icon, cx, cy, 0, nullptr, DI_NORMAL);
    GdiFlush();
    AppIcon.PixelsChanged();
}

void TSkinData::DecideFormSkin(HWND handle, const std::string& className, bool& doSkin) {
    CurrentForm = handle;
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32" || ((skinControls_ & SkinBit(xcFastReport)) && className.rfind("Tfr", 0) == 0))
        doSkin = false;
}

void TSkinData::NotifySkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void RegisterSkinDataClasses() { RegisterComponentClass(TSkinData::StaticClassInfo()); }

}  // namespace velloran
