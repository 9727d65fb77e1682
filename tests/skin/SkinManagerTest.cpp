// The skin manager on real windows: which windows its hook skins and with what, switching skinning
// off, on and to another skin while windows are open (also from inside a window's own handler),
// MDI frames with a maximised child, and the process's handle counts over many cycles.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "framework/ControlHook.h"
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/form/SkinMessages.h"
#include "tests/skin/SkinControlsTestSupport.h"
#include "tests/skin/SkinFormTestSupport.h"
#include "tests/tray/TrayTestSupport.h"

namespace velloran {
namespace {

using namespace fwtest;
using namespace skintest;

TOwned<TForm> MakeForm(const char* caption, int clientWidth = 300, int clientHeight = 160) {
    TOwned<TForm> form(new TForm(nullptr));
    form->SetBounds(60, 60, 0, 0);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetCaption(caption);
    return form;
}


WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }

bool HasRegion(HWND wnd) {
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(wnd, region.get()) != ERROR;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog from an in-memory template, of the system's dialog class.
HWND CreateDialogWindow(DWORD style) {
    struct alignas(4) {
        DLGTEMPLATE dialog;
        WORD menu, windowClass, title;
    } tmpl{};
    tmpl.dialog.style = style;
    tmpl.dialog.cx = 160;
    tmpl.dialog.cy = 80;
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.dialog, nullptr, PlainDialogProc, 0);
}

TEST(SkinManager, SkinsWindowsWhenTheyAreFirstActivated) {
    TSkinnedProcess skinning;
    ASSERT_NE(TSkinManage::Instance(), nullptr);
    EXPECT_TRUE(skinning.Manager().HookInstalled());
    EXPECT_TRUE(skinning.Manager().Enabled);
    EXPECT_EQ(skinning.Manager().MainData, skinning.Data.get());

    auto form = MakeForm("Shown later", 378, 127);
    std::vector<std::string> events;
    const auto record = [&](const char* when) {
        return [&events, when, &form](TObject* sender, HWND wnd, const std::string& name) {
            if (sender == form.get() && wnd == form->Handle()) events.push_back(when + (" " + name));
        };
    };
    skinning.Data->OnBeforeSkinForm = record("before");
    skinning.Data->OnAfterSkinForm = record("after");
    PumpFor(300);
    EXPECT_FALSE(IsSkinned(form->Handle()));
    TWinSkinForm* skinner = ShowSkinned(form->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{"before TForm", "after TForm"}));
    EXPECT_EQ(skinner->Form, form.get());
    EXPECT_EQ(skinner->BorderKind, bkSizeable);
    EXPECT_TRUE(IsSkinned(form->Handle()));
    const SIZE client = ClientSize(form->Handle());
    EXPECT_EQ(client.cx, 378);
    EXPECT_EQ(client.cy, 127);
    // The client area sits inside the skin's borders.
    RECT window{}, inner{};
    GetWindowRect(form->Handle(), &window);
    GetClientRect(form->Handle(), &inner);
    MapWindowPoints(form->Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&inner), 2);
    EXPECT_EQ(inner.left - window.left, skinner->BorderLeft);
    EXPECT_EQ(inner.top - window.top, skinner->BorderTop + skinner->MenuHeight);
    EXPECT_EQ(window.bottom - inner.bottom, skinner->BorderBottom);
    // The client area is painted whole, also where the frame change moved the system's old bits.
    {
        TWindowDC dc(form->Handle());
        const COLORREF face = static_cast<COLORREF>(ColorToRGB(form->Color()));
        for (int y = 0; y < client.cy; y += 3) EXPECT_EQ(GetPixel(dc.get(), client.cx / 2, y), face) << y;
    }

    // The frame can be painted into a DC of the caller's, and asked for.
    EXPECT_EQ(SendMessageW(form->Handle(), SM_QUERYFRAME, 0, kSkinMessageKey), kSkinMessageKey);
    EXPECT_EQ(SendMessageW(form->Handle(), SM_QUERYFRAME, 0, 0), 1);
    TBitmap copy;
    copy.SetSize(window.right - window.left, window.bottom - window.top);
    EXPECT_EQ(SendMessageW(form->Handle(), SM_PAINTFRAMEDC, reinterpret_cast<WPARAM>(copy.Canvas().Handle()),
                           kSkinMessageKey),
              kSkinMessageKey);
    const int row = skinner->BorderTop - 2;
    EXPECT_EQ(PixelAt(GetBitmapPixels(copy), skinner->BorderLeft + 1, row),
              PixelAt(ComposedTopFrame(*skinner, 1), 1, row));

    // The skinner goes with its window.
    form.reset();
    PumpFor(100);
    EXPECT_TRUE(skinning.Manager().FormSkinners().empty());
}

TEST(SkinManager, WindowsMadeAfterTheSkinDataWentAreNotSkinned) {
    TSkinnedProcess skinning;
    auto form = MakeForm("Before");
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    EXPECT_EQ(skinning.Manager().SkinDatas().size(), 1u);
    skinning.Data->SetActive(false);  // a command is pending for the component
    skinning.Data.reset();
    EXPECT_TRUE(skinning.Manager().SkinDatas().empty());
    EXPECT_EQ(skinning.Manager().MainData, nullptr);
    EXPECT_EQ(skinning.Manager().CommandData, nullptr);
    // The windows skinned with it are given back rather than left pointing at it.
    EXPECT_FALSE(IsSkinned(form->Handle()));
    EXPECT_TRUE(skinning.Manager().FormSkinners().empty());
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    auto later = MakeForm("After");
    ShowSkinned(later->Handle());
    EXPECT_FALSE(IsSkinned(later->Handle()));
}

TEST(SkinManager, LeavesAloneWhatItMustNotSkin) {
    TSkinnedProcess skinning;
    auto exempt = MakeForm("Tag 99");
    exempt->SetTag(99);
    skinning.Data->SetDisableTag(5);
    ShowSkinned(exempt->Handle());
    EXPECT_FALSE(IsSkinned(exempt->Handle()));

    const DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    TWindowHandle foreground(CreateDialogWindow(dialogStyle | DS_SETFOREGROUND));
    ShowSkinned(foreground.get());
    EXPECT_FALSE(IsSkinned(foreground.get()));

    // The application's own decision has the last word.
    skinning.Data->OnFormSkin = [](TObject*, const std::string& name, bool& doSkin) { doSkin = name != "TForm"; };
    auto refused = MakeForm("Refused");
    ShowSkinned(refused->Handle());
    EXPECT_FALSE(IsSkinned(refused->Handle()));

    TWindowHandle dialog(CreateDialogWindow(dialogStyle));
    TWinSkinForm* skinner = ShowSkinned(dialog.get());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(skinner->Form, nullptr);
    EXPECT_EQ(skinner->BorderKind, bkDialog);
    EXPECT_TRUE(skinner->MessageDialog);
    // Its static texts are drawn on the skin's face in the skin's text colour.
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    const LRESULT brush = SendMessageW(dialog.get(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), 0);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), skinning.Data->FaceBrush.get());
    EXPECT_EQ(GetTextColor(dc.get()), ResolveColor(skinning.Data->Colors[ciButtonText], &WindowsSystemColor));
    EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);
}

TEST(SkinManager, PreviewWindowsFollowThePreviewOption) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PrintPreviewPane";
        return RegisterClassA(&wc);
    }();
    ASSERT_NE(atom, 0);
    TSkinnedProcess skinning;
    const auto make = [] {
        return TWindowHandle(CreateWindowExA(0, "PrintPreviewPane", "Preview", WS_OVERLAPPEDWINDOW, 50, 50, 200, 120,
                                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    };
    TWindowHandle with = make();
    EXPECT_NE(ShowSkinned(with.get()), nullptr);
    skinning.Data->SetOptions(skinning.Data->Options() & ~SkinBit(xoPreview));
    TWindowHandle without = make();
    ShowSkinned(without.get());
    EXPECT_FALSE(IsSkinned(without.get()));
}

TEST(SkinManager, AMessageBoxIsSkinnedAsADialogAndWidenedForItsCaption) {
    TSkinnedProcess skinning;
    const std::string caption(90, 'W');
    struct TSeen {
        bool Skinned = false, IconButton = true;
        int Width = 0, ButtonOffCentre = 1000;
    } seen;
    TWindowWatcher watcher("#32770", caption, [&seen](HWND box) {
        for (int i = 0; i < 200 && !seen.Skinned; ++i) {
            seen.Skinned = SendMessageW(box, SM_ISSKINNED, 0, 0) == 1;
            Sleep(10);
        }
        Sleep(400);
        RECT r{};
        GetWindowRect(box, &r);
        seen.Width = r.right - r.left;
        HWND ok = GetDlgItem(box, IDOK);
        RECT button{}, client{};
        GetWindowRect(ok, &button);
        MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&button), 2);
        GetClientRect(box, &client);
        seen.ButtonOffCentre = std::abs((button.left + button.right) / 2 - client.right / 2);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ShowMessageBox("Short.", caption, MB_OK);
    ASSERT_TRUE(watcher.Found());
    EXPECT_TRUE(seen.Skinned);
    // The caption is measured in the system's caption font; the box is at least that wide.
    TFont font;
    LoadSystemCaptionFont(font);
    TWindowDC screen(nullptr);
    TSelectObject select(screen.get(), font.Handle());
    SIZE text{};
    GetTextExtentPoint32A(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    EXPECT_GE(seen.Width, text.cx);
    EXPECT_LE(seen.ButtonOffCentre, 4);
}

TEST(SkinManager, SwitchingOffGivesEveryWindowBackAndOnSkinsThemAgain) {
    TSkinnedProcess skinning;
    auto sizeable = MakeForm("Sizeable");
    auto* label = new TLabel(sizeable.get());
    label->SetParent(sizeable.get());
    auto* red = new TLabel(sizeable.get());
    red->SetParent(sizeable.get());
    red->Font()->SetColor(clRed);
    auto dialog = MakeForm("Dialog", 220, 90);
    dialog->SetBorderStyle(bsDialog);
    dialog->SetBounds(300, 200, dialog->Width(), dialog->Height());
    struct TBefore {
        HWND Wnd;
        WNDPROC Proc;
        SIZE Client;
    };
    std::vector<TBefore> before;
    for (TForm* form : {sizeable.get(), dialog.get()})
        before.push_back({form->Handle(), ProcOf(form->Handle()), ClientSize(form->Handle())});
    std::vector<POINT> skinnedTopLeft;
    for (const TBefore& b : before) {
        ASSERT_NE(ShowSkinned(b.Wnd), nullptr);
        RECT r{};
        GetWindowRect(b.Wnd, &r);
        skinnedTopLeft.push_back({r.left, r.top});
        EXPECT_TRUE(HasRegion(b.Wnd));
    }
    // Labels in the system's text colour take the skin's; others keep theirs.
    EXPECT_EQ(label->Font()->Color(), static_cast<TColor>(skinning.Data->Colors[ciButtonText]));
    EXPECT_EQ(red->Font()->Color(), clRed);

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    for (size_t i = 0; i < before.size(); ++i) {
        const HWND wnd = before[i].Wnd;
        EXPECT_FALSE(IsSkinned(wnd));
        EXPECT_EQ(ProcOf(wnd), before[i].Proc);
        EXPECT_FALSE(HasRegion(wnd));
        EXPECT_EQ(ClientSize(wnd).cx, before[i].Client.cx);
        EXPECT_EQ(ClientSize(wnd).cy, before[i].Client.cy);
        RECT r{};
        GetWindowRect(wnd, &r);
        EXPECT_EQ(r.left, skinnedTopLeft[i].x);
        EXPECT_EQ(r.top, skinnedTopLeft[i].y);
    }

    EXPECT_EQ(label->Font()->Color(), clWindowText);
    EXPECT_TRUE(label->ParentFont());

    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(sizeable->Handle()) && IsSkinned(dialog->Handle()); }));
}

// Ends the run as failed when the code it guards does not finish in time or crashes: a GUI thread
// caught in a loop cannot be unwound, and a crash would wait for a debugger; neither may hold up
// the suite.
class TWatchdog {
public:
    TWatchdog(int timeoutMs, const char* what)
        : previous_((what_ = what, SetUnhandledExceptionFilter(&Crashed))),
          thread_([this, timeoutMs] {
              for (int waited = 0; waited < timeoutMs && !done_; waited += 10) Sleep(10);
              if (!done_) Fail("Hung");
          }) {}
    ~TWatchdog() {
        done_ = true;
        thread_.join();
        SetUnhandledExceptionFilter(previous_);
    }
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

private:
    static void Fail(const char* how) {
        std::fprintf(stderr, "%s: %s\n", how, what_.load());
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    static LONG WINAPI Crashed(EXCEPTION_POINTERS*) {
        Fail("Crashed");
        return EXCEPTION_EXECUTE_HANDLER;
    }
    static inline std::atomic<const char*> what_{""};
    const LPTOP_LEVEL_EXCEPTION_FILTER previous_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};

// Tells whether the component it watches has been freed.
class TFreeWatch : public TComponent {
public:
    explicit TFreeWatch(TComponent* watched) : TComponent(nullptr) { watched->FreeNotification(this); }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::Remove) Freed = true;
    }
    bool Freed = false;
};

// A modal form shown from a click handler, a window being moved or sized and an open system menu
// all run a message loop inside the window's procedure; here the form's own handler pumps itself.
TEST(SkinManager, SwitchingOffInsideAWindowsOwnHandlerEndsAndFreesItsSkinnerOnReturn) {
    TSkinnedProcess skinning;
    auto clicked = MakeForm("Clicked");
    constexpr UINT kPumpInside = WM_APP + 13;
    std::function<void()> inHandler;
    const TControlHook handler(*clicked, [&inHandler](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg == kPumpInside)
            inHandler();
        else
            next(m);
    });
    auto other = MakeForm("Other", 200, 100);
    other->SetBounds(420, 260, other->Width(), other->Height());
    const WNDPROC clickedProc = ProcOf(clicked->Handle());
    TWinSkinForm* otherSkinner = ShowSkinned(other->Handle());
    TWinSkinForm* skinner = ShowSkinned(clicked->Handle());
    ASSERT_NE(otherSkinner, nullptr);
    ASSERT_NE(skinner, nullptr);
    TOwned<TFreeWatch> clickedWatch(new TFreeWatch(skinner)), otherWatch(new TFreeWatch(otherSkinner));
    int notified = 0;
    skinning.Data->OnSkinChanged = [&notified](TObject*) { ++notified; };

    struct TInside {
        bool Clicked = false, Finished = false, Unskinned = false, Unshaped = false, OtherUnskinned = false;
        bool OtherFreed = false, FreedWhileRunning = true;
        size_t Listed = 99;
    } inside;
    inHandler = [&] {
        inside.Clicked = true;
        skinning.Data->SetActive(false);
        inside.Finished = PumpUntil([&] { return notified > 0; }, 3000);
        inside.Unskinned = !IsSkinned(clicked->Handle());
        inside.Unshaped = !HasRegion(clicked->Handle());
        inside.OtherUnskinned = !IsSkinned(other->Handle()) && !HasRegion(other->Handle());
        inside.Listed = skinning.Manager().FormSkinners().size();
        inside.OtherFreed = otherWatch->Freed;
        inside.FreedWhileRunning = clickedWatch->Freed;
    };
    {
        const TWatchdog watchdog(30000, "switching skinning off inside a window's own handler");
        SendMessageW(clicked->Handle(), kPumpInside, 0, 0);
    }
    ASSERT_TRUE(inside.Clicked);
    EXPECT_TRUE(inside.Finished);
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(inside.Unskinned);
    EXPECT_TRUE(inside.Unshaped);
    EXPECT_TRUE(inside.OtherUnskinned);
    EXPECT_EQ(inside.Listed, 0u);
    EXPECT_TRUE(inside.OtherFreed);
    EXPECT_FALSE(inside.FreedWhileRunning);
    EXPECT_TRUE(clickedWatch->Freed);
    // The platform gives the window its own procedure back once the hooked call returned.
    EXPECT_EQ(ProcOf(clicked->Handle()), clickedProc);

    // Nothing of the old skinners is left in the way of skinning both again.
    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return IsSkinned(clicked->Handle()) && IsSkinned(other->Handle()); }));
    EXPECT_EQ(skinning.Manager().FormSkinners().size(), 2u);
}

// A click handler that switches skinning off lets go of the button's skinner while the skinner's
// own handler runs the click; the skinner must outlive that handler.
TEST(SkinManager, SwitchingOffFromASkinnedButtonsClickFreesItsSkinnerOnReturn) {
    TSkinnedProcess skinning;
    auto form = MakeControlForm("Clicked");
    auto* button = AddControl<TButton>(*form, "Off", 10, 10, 90, 28);
    auto* box = AddControl<TCheckBox>(*form, "Box", 10, 50, 90, 20);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    TSkinControl* skinner = ChildSkinner(form->Handle(), button->Handle());
    ASSERT_NE(skinner, nullptr);
    TOwned<TFreeWatch> watch(new TFreeWatch(skinner));
    int notified = 0;
    skinning.Data->OnSkinChanged = [&notified](TObject*) { ++notified; };
    int clicks = 0;
    bool finished = false, freedWhileRunning = true;
    button->OnClick = [&](TObject*) {
        if (++clicks > 1) return;
        skinning.Data->SetActive(false);
        finished = PumpUntil([&] { return notified > 0; }, 3000);
        freedWhileRunning = watch->Freed;
    };
    const auto click = [&] {
        SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    };
    {
        const TWatchdog watchdog(30000, "switching skinning off from a skinned button's click");
        click();
        PumpUntil([] { return false; }, 100);
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(finished);
    EXPECT_FALSE(freedWhileRunning);
    EXPECT_TRUE(watch->Freed);
    EXPECT_FALSE(IsSkinned(button->Handle()));
    EXPECT_FALSE(IsSkinned(box->Handle()));
    EXPECT_FALSE(IsSkinned(form->Handle()));
    EXPECT_TRUE(skinning.Manager().FormSkinners().empty());

    // The button, given back, clicks as a plain button.
    click();
    EXPECT_EQ(clicks, 2);
}

// Each loaded component that is not the main one counts a start; no count may pass for the
// manager's going away, which would leave freed skinners in its list.
TEST(SkinManager, AnyNumberOfSecondaryComponentsKeepsTheSkinnerListTrue) {
    for (const int count : {3, 4, 5}) {
        SCOPED_TRACE(count);
        // A freed skinner left in the list is touched again when skinning ends.
        const TWatchdog watchdog(30000, "a skinner list with secondary skin data components");
        TSkinnedProcess skinning;
        std::vector<TOwned<TSkinData>> dialogData;
        for (int i = 0; i < count; ++i) {
            dialogData.emplace_back(new TSkinData(nullptr));
            dialogData.back()->SetSkinFormtype(sfDialog);
            dialogData.back()->Loaded();
        }
        EXPECT_EQ(skinning.Manager().Started, count);
        auto gone = MakeForm("Gone");
        auto kept = MakeForm("Kept", 200, 100);
        kept->SetBounds(420, 260, kept->Width(), kept->Height());
        ASSERT_NE(ShowSkinned(gone->Handle()), nullptr);
        ASSERT_NE(ShowSkinned(kept->Handle()), nullptr);

        gone.reset();  // its skinner goes with it
        PumpFor(50);
        ASSERT_EQ(skinning.Manager().FormSkinners().size(), 1u);
        EXPECT_EQ(skinning.Manager().FormSkinners().front()->Handle, kept->Handle());

        skinning.Data->SetActive(false);
        ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
        EXPECT_FALSE(IsSkinned(kept->Handle()));
    }
}

// The skinner's hook on the form object is one link among others: hooks installed before and
// after it keep their messages when it leaves.
TEST(SkinManager, TheFormSkinnersHookLeavesWithoutCuttingOutOthers) {
    TSkinnedProcess skinning;
    auto form = MakeForm("Hooked");
    constexpr UINT kProbe = WM_APP + 12;
    int earlier = 0, later = 0;
    const auto counting = [](int& count) {
        return [&count](TMessage& m, const TControlHook::TNext& next) {
            if (m.Msg == kProbe) ++count;
            next(m);
        };
    };
    TControlHook before(*form, counting(earlier));
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    TControlHook after(*form, counting(later));
    const auto queryFrame = [&] { return SendMessageW(form->Handle(), SM_QUERYFRAME, 0, kSkinMessageKey); };
    EXPECT_EQ(queryFrame(), kSkinMessageKey);
    SendMessageW(form->Handle(), kProbe, 0, 0);
    EXPECT_EQ(earlier, 1);
    EXPECT_EQ(later, 1);

    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    EXPECT_NE(queryFrame(), kSkinMessageKey);
    SendMessageW(form->Handle(), kProbe, 0, 0);
    EXPECT_EQ(earlier, 2);
    EXPECT_EQ(later, 2);
}

TEST(SkinManager, SkinAppliedIsToldApartFromAReflectedNotificationOfTheSameNumber) {
    TSkinnedProcess skinning;
    auto form = MakeForm("Notified");
    auto* child = new TWinControl(form.get());
    child->SetParent(form.get());
    child->SetBounds(10, 10, 40, 20);
    int applied = 0, notified = 0;
    const auto sorting = [&](TMessage& m, const TControlHook::TNext& next) {
        if (m.Msg == SM_SKINAPPLIED) ++(IsSkinApplied(m.Msg, m.LParam) ? applied : notified);
        next(m);
    };
    TControlHook formLink(*form, sorting);
    TControlHook childLink(*child, sorting);
    ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    EXPECT_GE(applied, 1);
    EXPECT_EQ(notified, 0);

    NMHDR header{child->Handle(), static_cast<UINT_PTR>(GetDlgCtrlID(child->Handle())), NM_CLICK};
    SendMessageW(form->Handle(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(notified, 1);
    // A WM_NOTIFY without a pointer is no notification: the parent neither reads nor reflects it.
    const int appliedBefore = applied;
    SendMessageW(form->Handle(), WM_NOTIFY, 0, kSkinMessageKey);
    SendMessageW(form->Handle(), WM_NOTIFY, 0, 0);
    EXPECT_EQ(applied, appliedBefore);
    EXPECT_EQ(notified, 1);
}

TEST(SkinManager, OffThenOnWithinTheDelayRunsOnlyTheLater) {
    TSkinnedProcess skinning;
    auto form = MakeForm("Kept");
    TWinSkinForm* skinner = ShowSkinned(form->Handle());
    ASSERT_NE(skinner, nullptr);
    int notified = 0;
    skinning.Data->OnSkinChanged = [&notified](TObject*) { ++notified; };
    skinning.Data->SetActive(false);
    skinning.Data->SetActive(true);
    ASSERT_TRUE(PumpUntil([&] { return notified > 0; }));
    PumpFor(400);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(SkinnerOf(form->Handle()), skinner);
    EXPECT_TRUE(IsSkinned(form->Handle()));
}

TEST(SkinManager, ASkinFileSwitchReskinsOpenWindows) {
    TSkinnedProcess skinning;
    auto form = MakeForm("Switching");
    TWinSkinForm* skinner = ShowSkinned(form->Handle());
    ASSERT_NE(skinner, nullptr);
    const SIZE client = ClientSize(form->Handle());
    auto contrast = LoadProjectSkin("Contrast");
    const int contrastTop = contrast->FrameTop.Bitmap->Height() / contrast->FrameTop.Frame;
    const size_t contrastButtons = contrast->SysButtons.size();

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-contrast.skn";
    WriteProjectSkin("Contrast", file);
    int notified = 0;
    skinning.Data->OnSkinChanged = [&notified](TObject*) { ++notified; };
    skinning.Data->SetSkinFile(file.string());
    ASSERT_TRUE(PumpUntil([&] { return notified == 1; }));
    EXPECT_EQ(SkinnerOf(form->Handle()), skinner);
    EXPECT_EQ(skinner->BorderTop, contrastTop);
    EXPECT_EQ(skinner->Buttons.size(), contrastButtons);
    EXPECT_EQ(ClientSize(form->Handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(form->Handle()).cy, client.cy);
    std::filesystem::remove(file);
}

// A switch changes each window's controls, size and region one after the other and paints the
// window once at the end: what the screen shows then is the whole window painted, and a window
// hidden meanwhile stays hidden.
TEST(SkinManager, ASwitchLeavesShownWindowsPaintedWholeAndHiddenOnesHidden) {
    TSkinnedProcess skinning;
    auto shown = MakeForm("Shown", 260, 120);
    auto* button = new TButton(shown.get());
    button->SetParent(shown.get());
    auto hidden = MakeForm("Hidden");
    for (TForm* form : {hidden.get(), shown.get()}) ASSERT_NE(ShowSkinned(form->Handle()), nullptr);
    ShowWindow(hidden->Handle(), SW_HIDE);
    const HWND wnd = shown->Handle();
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const auto paintedWhole = [wnd] {
        const TDecodedBitmap seen = SettledScreenPixels(wnd);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return seen.Pixels == SettledScreenPixels(wnd).Pixels;
    };
    const auto expectStates = [&](const char* after) {
        EXPECT_TRUE(IsWindowVisible(wnd)) << after;
        EXPECT_FALSE(IsWindowVisible(hidden->Handle())) << after;
        EXPECT_TRUE(paintedWhole()) << after;
    };

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "velloran-switch-paint.skn";
    WriteProjectSkin("Contrast", file);
    int notified = 0;
    skinning.Data->OnSkinChanged = [&notified](TObject*) { ++notified; };
    skinning.Data->SetSkinFile(file.string());
    ASSERT_TRUE(PumpUntil([&] { return notified == 1; }));
    expectStates("the skin changed");
    skinning.Data->SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().FormSkinners().empty(); }));
    expectStates("skinning off");
    std::filesystem::remove(file);
}

// ---- MDI ---------------------------------------------------------------------------------

constexpr char kFrameData[] = R"(object SkinMdiFrame: TSkinMdiFrame
  Left = 40
  Top = 40
  Width = 640
  Height = 480
  Caption = 'Frame'
  FormStyle = fsMDIForm
  Menu = MainMenu1
  WindowMenu = WindowItem
  object MainMenu1: TMainMenu
    object WindowItem: TMenuItem
      Caption = '&Window'
    end
  end
end
)";

class TSkinMdiFrame : public TForm {
    VELLORAN_CLASS(TSkinMdiFrame)
public:
    explicit TSkinMdiFrame(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kFrameData); }
};

const TClassInfo& TSkinMdiFrame::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinMdiFrame>("TSkinMdiFrame", &TForm::StaticClassInfo());
    return info;
}

TForm* AddChild(TForm& frame, const char* caption) {
    auto* child = new TForm(&frame);
    child->SetBounds(10, 10, 240, 160);
    child->SetCaption(caption);
    child->SetFormStyle(fsMDIChild);
    child->Show();
    return child;
}

int ButtonIndex(const TWinSkinForm& skinner, int action) {
    for (size_t i = 0; i < skinner.Buttons.size(); ++i)
        if (skinner.Buttons[i]->SkinButton->Action == action) return static_cast<int>(i);
    return -1;
}

// Clicks a caption button the way the mouse does: down and up at its centre.
void Click(TWinSkinForm& skinner, int action) {
    const TWinSysButton& button = *skinner.Buttons.at(static_cast<size_t>(ButtonIndex(skinner, action)));
    RECT window{};
    GetWindowRect(skinner.Handle, &window);
    const LPARAM at = MAKELPARAM(window.left + (button.Rect.left + button.Rect.right) / 2,
                                 window.top + (button.Rect.top + button.Rect.bottom) / 2);
    SendMessageW(skinner.Handle, WM_NCLBUTTONDOWN, HTMENU, at);
    SendMessageW(skinner.Handle, WM_NCLBUTTONUP, HTMENU, at);
}

TEST(SkinManager, AMaximisedMdiChildPutsItsButtonsIntoTheFrameMenuBand) {
    TSkinnedProcess skinning;
    TMdiApplication<TSkinMdiFrame> mdi;
    TSkinMdiFrame* frame = mdi.Frame;
    TWinSkinForm* frameSkinner = ShowSkinned(frame->Handle());
    ASSERT_NE(frameSkinner, nullptr);
    EXPECT_EQ(frameSkinner->MDIKind, mkFrame);
    EXPECT_GT(frameSkinner->MenuHeight, 0);
    AddChild(*frame, "One");
    TForm* two = AddChild(*frame, "Two");
    ASSERT_TRUE(PumpUntil([&] {
        TWinSkinForm* s = SkinnerOf(two->Handle());
        return s && s->Stage == stSkinned;
    }));
    EXPECT_EQ(SkinnerOf(two->Handle())->MDIKind, mkChild);

    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(two->Handle()), 0);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().MdiMaximized; }));
    PumpFor(100);
    frameSkinner->PaintFrame(nullptr);
    for (int action : {7, 8, 9}) {
        const int index = ButtonIndex(*frameSkinner, action);
        ASSERT_GE(index, 0) << action;
        EXPECT_TRUE(frameSkinner->ButtonVisible(index)) << action;
        const RECT& r = frameSkinner->Buttons[static_cast<size_t>(index)]->Rect;
        EXPECT_GE(r.top, frameSkinner->BorderTop) << action;
        EXPECT_LE(r.bottom, frameSkinner->BorderTop + frameSkinner->MenuHeight) << action;
    }

    Click(*frameSkinner, 8);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(two->Handle()); }));
    EXPECT_FALSE(frameSkinner->ButtonVisible(ButtonIndex(*frameSkinner, 8)));

    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(two->Handle()), 0);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().MdiMaximized; }));
    frameSkinner->PaintFrame(nullptr);
    Click(*frameSkinner, 7);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(two->Handle()) != FALSE; }));

    SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(two->Handle()), 0);
    ASSERT_TRUE(PumpUntil([&] { return skinning.Manager().MdiMaximized; }));
    frame->Tile();
    ASSERT_TRUE(PumpUntil([&] { return !skinning.Manager().MdiMaximized; }));
    EXPECT_FALSE(IsZoomed(two->Handle()));
}

TEST(SkinManager, TheKeyboardOpensTheSystemMenuAndTheMenusOfTheBand) {
    TSkinnedProcess skinning;
    TMdiApplication<TSkinMdiFrame> mdi;
    TWinSkinForm* skinner = ShowSkinned(mdi.Frame->Handle());
    ASSERT_NE(skinner, nullptr);
    ASSERT_NE(skinner->WindowMenu, nullptr);
    const HWND frame = mdi.Frame->Handle();
    {
        traytest::TMenuSpy spy;
        SendMessageW(frame, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        ASSERT_NE(spy.Menu, nullptr);
        EXPECT_EQ(GetMenuItemCount(spy.Menu), GetMenuItemCount(GetSystemMenu(frame, FALSE)));
    }
    for (const LPARAM key : {LPARAM{'w'}, LPARAM{0}}) {
        traytest::TMenuSpy spy;
        EXPECT_EQ(SendMessageW(frame, WM_SYSCOMMAND, SC_KEYMENU, key), 1);
        EXPECT_EQ(spy.Menu, GetSubMenu(skinner->WindowMenu, 0)) << key;
    }
}

constexpr char kMenuFormData[] = R"(object SkinMenuForm: TSkinMenuForm
  Left = 60
  Top = 60
  Width = 320
  Height = 200
  Caption = 'With a menu'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object FileItem: TMenuItem
      Caption = '&File'
    end
  end
end
)";

class TSkinMenuForm : public TForm {
    VELLORAN_CLASS(TSkinMenuForm)
public:
    explicit TSkinMenuForm(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kMenuFormData); }
};

const TClassInfo& TSkinMenuForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinMenuForm>("TSkinMenuForm", &TForm::StaticClassInfo());
    return info;
}

TEST(SkinManager, ARebuiltMenuGoesToTheBandAndTheWindowKeepsNoneOfItsOwn) {
    TSkinnedProcess skinning;
    TOwned<TSkinMenuForm> form(new TSkinMenuForm(nullptr));
    TWinSkinForm* skinner = ShowSkinned(form->Handle());
    ASSERT_NE(skinner, nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    const SIZE client = ClientSize(form->Handle());
    static_cast<TMenuItem*>(form->FindComponent("FileItem"))->SetCaption("&Files");
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    ASSERT_TRUE(IsMenu(skinner->WindowMenu));
    char caption[32] = {};
    GetMenuStringA(skinner->WindowMenu, 0, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "&Files");
    EXPECT_EQ(ClientSize(form->Handle()).cy, client.cy);
}

// ---- handles -----------------------------------------------------------------------------

TEST(SkinManager, ManyCyclesLeakNoHandles) {
    TSkinnedProcess skinning;
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const std::filesystem::path files[] = {dir / "velloran-cycle-default.skn", dir / "velloran-cycle-contrast.skn"};
    WriteProjectSkin("Default", files[0]);
    WriteProjectSkin("Contrast", files[1]);
    const auto cycle = [&](int i) {
        auto form = MakeForm("Cycle");
        TWinSkinForm* skinner = ShowSkinned(form->Handle());
        if (!skinner) return false;
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        if (!skinner->Buttons.empty()) {
            const RECT& r = skinner->Buttons.front()->Rect;
            RECT window{};
            GetWindowRect(form->Handle(), &window);
            SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION,
                         MAKELPARAM(window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2));
        }
        if (i % 20 == 19) {
            int before = 0;
            skinning.Data->OnSkinChanged = [&before](TObject*) { ++before; };
            skinning.Data->SetSkinFile(files[(i / 20) % 2].string());
            PumpUntil([&] { return before > 0; });
        }
        form.reset();
        PumpFor(20);
        return true;
    };
    // The first cycles make what lives for the whole run (caches, the manager's window).
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(cycle(i));
    skinning.Manager().PurgeFormSkinners();
    const int gdi = CountGdiObjects(), user = CountUserObjects();
    for (int i = 20; i < 220; ++i) ASSERT_TRUE(cycle(i)) << i;
    PumpFor(100);
    skinning.Manager().PurgeFormSkinners();
    EXPECT_EQ(CountGdiObjects(), gdi);
    EXPECT_EQ(CountUserObjects(), user);
    for (const auto& file : files) std::filesystem::remove(file);
}

}  // namespace
}  // namespace velloran
