// The form skinner's core on real windows: attaching and initialising, the client rectangle
// under the skinned frame, and the windows whose frame it leaves alone.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Forms.h"
#include "framework/Messages.h"
#include "skin/data/ImgUtil.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/ToolbarDraw.h"
#include "tests/skin/SkinFormTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

class TMdiFrameForm : public TForm {
    VELLORAN_CLASS(TMdiFrameForm)
public:
    explicit TMdiFrameForm(TComponent* owner) : TForm(owner) {
        SetFormStyle(fsMDIForm);
        SetBounds(20, 20, 500, 400);
    }
};

const TClassInfo& TMdiFrameForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMdiFrameForm>("TMdiFrameForm", &TForm::StaticClassInfo());
    return info;
}

// A skinner attached by hand, without the manager's hook.
struct TAttached {
    TOwned<TWinSkinForm> Skinner;
    TAttached(HWND wnd, TSkinData& data) : Skinner(new TWinSkinForm(nullptr)) {
        Skinner->Handle = wnd;
        Skinner->SkinWindow(&data);
    }
    void Init() const { SendMessageW(Skinner->Handle, SM_INITSKIN, 0, kInitSkinFromManager); }
};

RECT ClientInWindow(HWND wnd) {
    RECT window{}, client{};
    GetWindowRect(wnd, &window);
    GetClientRect(wnd, &client);
    MapWindowPoints(wnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    return client;
}

TEST(SkinForm, ActivationIsHeldUntilInitialisationThenTheClientSizeIsKept) {
    auto data = LoadProjectSkin("Default");
    TPlainWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 260);
    const SIZE before = ClientSize(window.get());
    TAttached attached(window.get(), *data);
    TWinSkinForm& skinner = *attached.Skinner;
    EXPECT_EQ(skinner.Stage, stAttached);
    EXPECT_EQ(SendMessageW(window.get(), SM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageW(window.get(), WM_NCACTIVATE, FALSE, 0), 0);

    attached.Init();
    EXPECT_EQ(skinner.Stage, stSkinned);
    EXPECT_TRUE(skinner.HoverTimerOn());
    EXPECT_EQ(ClientSize(window.get()).cx, before.cx);
    EXPECT_EQ(ClientSize(window.get()).cy, before.cy);
    RECT window_{};
    GetWindowRect(window.get(), &window_);
    const RECT client = ClientInWindow(window.get());
    EXPECT_EQ(client.left, skinner.BorderLeft);
    EXPECT_EQ(client.top, skinner.BorderTop);
    EXPECT_EQ(window_.right - window_.left - client.right, skinner.BorderRight);
    EXPECT_EQ(window_.bottom - window_.top - client.bottom, skinner.BorderBottom);

    EXPECT_EQ(SendMessageW(window.get(), WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_FALSE(skinner.Active);
    EXPECT_FALSE(skinner.HoverTimerOn());
}

TEST(SkinForm, WindowsWithoutACaptionAndChildWindowsKeepTheirClientArea) {
    auto data = LoadProjectSkin("Default");
    TPlainWindow popup(WS_POPUP | WS_VISIBLE, 200, 120);
    TAttached bare(popup.get(), *data);
    bare.Init();
    EXPECT_EQ(bare.Skinner->BorderKind, bkNone);
    EXPECT_EQ(bare.Skinner->BorderTop + bare.Skinner->BorderLeft + bare.Skinner->MenuHeight, 0);
    EXPECT_EQ(ClientSize(popup.get()).cx, 200);
    EXPECT_EQ(ClientSize(popup.get()).cy, 120);

    // A captioned child of another window passes everything after the first stage on unchanged.
    TPlainWindow parent(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300);
    TPlainWindow child(WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, 200, 150, 0, "Child", parent.get());
    const RECT clientBefore = ClientInWindow(child.get());
    RECT r{};
    GetWindowRect(child.get(), &r);
    const LPARAM captionPoint = MAKELPARAM(r.left + 30, r.top + 8);
    const LRESULT hitBefore = SendMessageW(child.get(), WM_NCHITTEST, 0, captionPoint);
    TAttached embedded(child.get(), *data);
    embedded.Init();
    SetWindowPos(child.get(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    const RECT clientAfter = ClientInWindow(child.get());
    EXPECT_TRUE(EqualRect(&clientBefore, &clientAfter));
    EXPECT_EQ(SendMessageW(child.get(), WM_NCHITTEST, 0, captionPoint), hitBefore);
}

TEST(SkinForm, AMaximisedWindowIsNotResizedAtInitialisation) {
    auto data = LoadProjectSkin("Default");
    TPlainWindow window(WS_OVERLAPPEDWINDOW, 300, 200);
    ShowWindow(window.get(), SW_SHOWMAXIMIZED);
    RECT before{};
    GetWindowRect(window.get(), &before);
    TAttached attached(window.get(), *data);
    EXPECT_EQ(attached.Skinner->WindowState, stateMaximized);
    attached.Init();
    RECT after{};
    GetWindowRect(window.get(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(ClientInWindow(window.get()).top, attached.Skinner->BorderTop);
}

TEST(SkinForm, FrameImagesWithoutFramesGiveNoBorderAndAThinTopStillGivesAnMdiCaptionBand) {
    auto data = LoadProjectSkin("Default");
    data->FrameLeft.Frame = 0;
    data->FrameTop.Bitmap->SetSize(40, 4);
    data->FrameTop.Frame = 1;

    TPlainWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    TAttached attached(window.get(), *data);
    attached.Init();
    EXPECT_EQ(attached.Skinner->BorderLeft, 0);
    EXPECT_EQ(attached.Skinner->BorderTop, 4);
    attached.Skinner->PaintFrame(nullptr);
    EXPECT_EQ(ClientInWindow(window.get()).left, 0);

    TMdiApplication<TMdiFrameForm> mdi;
    mdi.Frame->Show();
    auto* child = new TForm(mdi.Frame);
    child->SetBounds(10, 10, 200, 150);
    child->SetFormStyle(fsMDIChild);
    child->Show();
    TAttached mdiChild(child->Handle(), *data);
    EXPECT_EQ(mdiChild.Skinner->MDIKind, mkChild);
    EXPECT_EQ(mdiChild.Skinner->MenuHeight, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME) - 4);
    mdiChild.Skinner.reset();
}

TEST(SkinForm, AChangedMenuReachesTheBandOnlyWhenTheSkinAllowsIt) {
    auto data = LoadProjectSkin("Default");
    TPlainWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    TMenuHandle first(CreateMenu()), second(CreateMenu());
    AppendMenuA(first.get(), MF_STRING, 1, "&First");
    AppendMenuA(second.get(), MF_STRING, 2, "&Second");
    SetMenu(window.get(), first.get());
    TAttached attached(window.get(), *data);
    attached.Init();
    TWinSkinForm& skinner = *attached.Skinner;
    ASSERT_EQ(skinner.WindowMenu, first.get());
    auto change = [&](bool update) {
        data->SetMenuUpdate(update);
        SetMenu(window.get(), second.get());
        SendMessageW(window.get(), CM_MENUCHANGED, 0, 0);
        EXPECT_EQ(GetMenu(window.get()), nullptr) << update;  // never the system's menu bar
    };
    change(false);
    EXPECT_EQ(skinner.WindowMenu, first.get());
    change(true);
    EXPECT_EQ(skinner.WindowMenu, second.get());
    attached.Skinner.reset();
}

TEST(SkinForm, ToolBarButtonsAndBackgroundsComeFromTheSkin) {
    auto data = LoadProjectSkin("Default");
    TPlainWindow window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    TAttached attached(window.get(), *data);
    attached.Init();
    TBitmap& strip = *data->Button.Bitmap;
    const int frameWidth = strip.Width() / 5, frameHeight = strip.Height();
    const TDecodedBitmap frames = GetBitmapPixels(strip);

    TBitmap target;
    target.SetSize(frameWidth + 2, frameHeight + 2);
    TCanvas& canvas = target.Canvas();
    const auto paint = [&](UINT state) {
        const RECT all{0, 0, frameWidth + 2, frameHeight + 2};
        FillRect(canvas.Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        NMTBCUSTOMDRAW draw{};
        draw.nmcd.hdc = canvas.Handle();
        draw.nmcd.rc = all;
        draw.nmcd.uItemState = state;
        return PaintToolbarButton(*attached.Skinner, draw, canvas);
    };
    const int cx = frameWidth / 2, cy = frameHeight / 2;
    ASSERT_TRUE(paint(CDIS_SELECTED));
    TDecodedBitmap shot = GetBitmapPixels(target);
    EXPECT_EQ(PixelAt(shot, 0, 0), 0u);  // the bounds are inset by one pixel
    EXPECT_EQ(PixelAt(shot, 1 + cx, 1 + cy), PixelAt(frames, frameWidth + cx, cy));
    ASSERT_TRUE(paint(CDIS_HOT));
    EXPECT_EQ(PixelAt(GetBitmapPixels(target), 1 + cx, 1 + cy), PixelAt(frames, 3 * frameWidth + cx, cy));
    EXPECT_FALSE(paint(CDIS_DISABLED));
    EXPECT_FALSE(paint(0));
    data->SetOptions(data->Options() | SkinBit(xoToolbarButton));
    EXPECT_FALSE(paint(CDIS_SELECTED));

    // The background is the skin's only when the option leaves it to the skin.
    const RECT band{0, 0, 40, 20};
    EXPECT_FALSE(PaintToolbarBackground(*data, canvas.Handle(), band));
    data->SetOptions(data->Options() & ~SkinBit(xoToolbarBK));
    EXPECT_TRUE(PaintToolbarBackground(*data, canvas.Handle(), band));
}

}  // namespace
}  // namespace velloran
