// The gallery's watch mode under Wine: a copy of a project skin in a temporary folder is edited
// while a page is open, and the open windows follow each sound change and keep the last good skin
// while the description is broken.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/manager/SkinManage.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tools/gallery/GalleryMainForm.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran {
namespace {

using namespace fwtest;
using skintest::PixelAt;
using skintest::ScreenPixels;
namespace fs = std::filesystem;

// Colours no project skin uses (0xRRGGBB).
constexpr uint32_t kFirstColour = 0x12C84D, kSecondColour = 0xC8321E;

uint32_t LittleEndianAt(const std::vector<uint8_t>& bytes, size_t at, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes.at(at + i)} << (8 * i);
    return value;
}

// Rewrites every pixel of a 24-bit bitmap file in one colour, keeping its size and header.
void PaintBitmapFile(const fs::path& file, uint32_t rgb) {
    std::vector<uint8_t> bytes = ReadFileBytes(file);
    ASSERT_EQ(LittleEndianAt(bytes, 28, 2), 24u) << file;
    const uint32_t offset = LittleEndianAt(bytes, 10, 4), width = LittleEndianAt(bytes, 18, 4);
    const uint32_t height = static_cast<uint32_t>(std::abs(static_cast<int32_t>(LittleEndianAt(bytes, 22, 4))));
    const uint32_t stride = (width * 3 + 3) & ~3u;
    ASSERT_LE(offset + stride * height, bytes.size()) << file;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* pixel = &bytes[offset + y * stride + x * 3];
            pixel[0] = rgb & 0xFF, pixel[1] = rgb >> 8 & 0xFF, pixel[2] = rgb >> 16 & 0xFF;
        }
    WriteFileBytes(file, bytes);
}

std::string ReadText(const fs::path& file) {
    const std::vector<uint8_t> bytes = ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}
void WriteText(const fs::path& file, const std::string& text) {
    WriteFileBytes(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// The share of the caption band's pixels, inside the rounded corners, that show rgb on screen.
double CaptionShare(HWND wnd, uint32_t rgb) {
    const TDecodedBitmap shot = ScreenPixels(wnd);
    const int captionRows = GetSystemMetrics(SM_CYCAPTION);
    int hits = 0, all = 0;
    for (int y = 2; y < captionRows; ++y)
        for (int x = 12; x < shot.Width - 12; ++x, ++all) hits += PixelAt(shot, x, y) == rgb;
    return all ? static_cast<double>(hits) / all : 0;
}

class GalleryWatch : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("VelloranWatch-" + std::to_string(GetCurrentProcessId()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy(fs::path(DefaultSkinsFolder()) / "Default", folder_ / "Edited", fs::copy_options::recursive);
        ini_ = ReadText(Folder() / "skin.ini");
    }
    void TearDown() override {
        form_.reset();
        TSkinManage::Shutdown();
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Folder() const { return folder_ / "Edited"; }
    // The description with the caption's strip named as a file the folder does not hold.
    std::string BrokenIni() const {
        std::string ini = ini_;
        ini.replace(ini.find("Top=top.bmp"), 11, "Top=gone.bmp");
        return ini;
    }
    void Start(const std::string& open) {
        TGalleryOptions options;
        options.Watch = Folder().string();
        options.Open = open;
        form_->Start(options);
        PumpFor(600);
    }
    std::string Status() const { return form_->WatchStatus()->SimpleText(); }

    fs::path folder_;
    std::string ini_;
    TOwned<TGalleryMainForm> form_{new TGalleryMainForm(nullptr)};
};

TEST_F(GalleryWatch, OpenWindowsFollowEachSoundChangeAndKeepTheLastGoodSkinWhileTheDescriptionIsBroken) {
    Start("dialog");
    TForm* page = form_->OpenPage("dialog");
    EXPECT_EQ(form_->SkinChooser()->Button("Edited")->Checked(), true);
    EXPECT_EQ(Status().rfind("Applied ", 0), 0u) << Status();
    // One above the other, so that both captions are on screen without either being activated.
    SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT main{};
    GetWindowRect(form_->Handle(), &main);
    ASSERT_LT(main.bottom + 40, GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(page->Handle(), nullptr, 0, main.bottom + 8, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(300);
    const HWND windows[] = {form_->Handle(), page->Handle()};
    auto allShow = [&](uint32_t rgb) {
        for (HWND wnd : windows)
            if (CaptionShare(wnd, rgb) < 0.25) return false;
        return true;
    };
    for (HWND wnd : windows) EXPECT_EQ(CaptionShare(wnd, kFirstColour), 0.0);

    PaintBitmapFile(Folder() / "top.bmp", kFirstColour);
    EXPECT_TRUE(PumpUntil([&] { return allShow(kFirstColour); }, 1000)) << "a new caption strip within a second";

    // A broken description and a new strip at once: neither reaches the windows.
    WriteText(Folder() / "skin.ini", BrokenIni());
    PaintBitmapFile(Folder() / "top.bmp", kSecondColour);
    EXPECT_TRUE(PumpUntil([&] { return Status().rfind("Not applied", 0) == 0; }, 1000)) << Status();
    EXPECT_NE(Status().find("gone.bmp is not in the skin"), std::string::npos) << Status();
    PumpFor(500);
    EXPECT_TRUE(allShow(kFirstColour));
    for (HWND wnd : windows) EXPECT_EQ(CaptionShare(wnd, kSecondColour), 0.0);

    WriteText(Folder() / "skin.ini", ini_);
    EXPECT_TRUE(PumpUntil([&] { return allShow(kSecondColour); }, 1000)) << "mended, the waiting strip shows";
    EXPECT_EQ(Status().rfind("Applied ", 0), 0u) << Status();
}

TEST_F(GalleryWatch, AFolderBrokenAtStartStartsWithoutSkinAndTakesTheFirstSoundSave) {
    WriteText(Folder() / "skin.ini", BrokenIni());
    Start("main");
    EXPECT_TRUE(form_->SkinChooser()->Button("none")->Checked());
    EXPECT_FALSE(form_->SkinData->Active());
    EXPECT_NE(Status().find("gone.bmp is not in the skin"), std::string::npos) << Status();
    EXPECT_FALSE(fs::exists(form_->WatchedSkin()->Packed().File)) << "nothing written for a broken skin";

    WriteText(Folder() / "skin.ini", ini_);
    EXPECT_TRUE(PumpUntil([&] { return form_->SkinData->Active(); }, 1000)) << Status();
    EXPECT_TRUE(form_->SkinChooser()->Button("Edited")->Checked());
    EXPECT_EQ(form_->SkinData->SkinFile(), form_->WatchedSkin()->Packed().File.string());
}

TEST(GalleryWatchOptions, TheSwitchTakesAFolderAndTheFolderMustExist) {
    EXPECT_EQ(ParseGalleryOptions({"--watch", "Z:\\skin"}).Watch, "Z:\\skin");
    EXPECT_EQ(ParseGalleryOptions({}).Watch, "");
    EXPECT_THROW(ParseGalleryOptions({"--watch"}), std::invalid_argument);
    TGalleryOptions options;
    options.Watch = (fs::temp_directory_path() / "VelloranWatch-no-such-folder").string();
    TOwned<TGalleryMainForm> form(new TGalleryMainForm(nullptr));
    EXPECT_THROW(form->Start(options), std::runtime_error);
    EXPECT_EQ(form->WatchStatus(), nullptr);
}

}  // namespace
}  // namespace velloran
