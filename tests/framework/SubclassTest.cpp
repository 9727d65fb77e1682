// Hooks on a window's messages: first to see them, passing them on, and leaving the chain in any
// order without cutting out the others.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/Subclass.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

constexpr UINT kProbe = WM_APP + 7;

LRESULT CALLBACK ProbeProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return m == kProbe ? 100 : DefWindowProcA(w, m, wp, lp);
}

// A plain window whose own procedure answers the probe with 100.
TWindowHandle ProbeWindow() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ProbeProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SubclassProbe";
        return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return TWindowHandle(CreateWindowExA(0, "SubclassProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr));
}

// A hook that adds its own amount to what the rest of the chain answers to the probe.
TWindowSubclass::TProc Adding(LRESULT amount, std::vector<UINT>* seen = nullptr) {
    return [amount, seen](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (seen) seen->push_back(m);
        const LRESULT rest = TWindowSubclass::CallNext(w, m, wp, lp);
        return m == kProbe ? rest + amount : rest;
    };
}

TEST(WindowSubclass, HooksStackAndLeaveInAnyOrder) {
    TWindowHandle wnd = ProbeWindow();
    ASSERT_TRUE(wnd);
    auto first = std::make_unique<TWindowSubclass>(wnd.get(), Adding(1));
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 101);
    TWindowSubclass second(wnd.get(), Adding(10));
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 111);

    // The earlier hook goes first: the later one keeps working.
    first.reset();
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 110);
    second.Detach();
    EXPECT_FALSE(second.Attached());
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 100);
}

TEST(WindowSubclass, LinksLeavingOrJoiningWhileAMessageRunsKeepTheRestOfTheChain) {
    TWindowHandle wnd = ProbeWindow();
    const auto ownProc = GetWindowLongPtrW(wnd.get(), GWLP_WNDPROC);
    auto bottom = std::make_unique<TWindowSubclass>(wnd.get(), Adding(1));
    auto middle = std::make_unique<TWindowSubclass>(wnd.get(), Adding(10));
    std::unique_ptr<TWindowSubclass> joined;
    LRESULT nested = 0;
    // The top link sends the probe to its own window (the whole chain answers), then lets the
    // middle link go and a new one join before passing the message on.
    TWindowSubclass top(wnd.get(), [&](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != kProbe || wp != 0) return TWindowSubclass::CallNext(w, m, wp, lp);
        nested = SendMessageA(w, kProbe, 1, 0);
        middle.reset();
        joined = std::make_unique<TWindowSubclass>(w, Adding(1000));
        return TWindowSubclass::CallNext(w, m, wp, lp) + 100000;
    });
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 100101);
    EXPECT_EQ(nested, 111);
    // The new link sees the next message.
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 1, 0), 1101);

    // With every link gone the window has its own procedure back.
    joined.reset();
    bottom.reset();
    top.Detach();
    EXPECT_EQ(GetWindowLongPtrW(wnd.get(), GWLP_WNDPROC), ownProc);
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 100);
}

// Hooks set with the platform's own subclass functions, below and above the chain.
LRESULT CALLBACK PlatformAdding(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR amount) {
    const LRESULT rest = DefSubclassProc(w, m, wp, lp);
    return m == kProbe ? rest + static_cast<LRESULT>(amount) : rest;
}

TEST(WindowSubclass, HooksOfThePlatformsOwnKindBeforeAndAfterAreNotCutOut) {
    TWindowHandle wnd = ProbeWindow();
    ASSERT_TRUE(SetWindowSubclass(wnd.get(), &PlatformAdding, 1, 1));
    auto ours = std::make_unique<TWindowSubclass>(wnd.get(), Adding(10));
    ASSERT_TRUE(SetWindowSubclass(wnd.get(), &PlatformAdding, 2, 100));
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 211);
    // Ours leaves from the middle: both others stay.
    ours.reset();
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 201);
    ASSERT_TRUE(RemoveWindowSubclass(wnd.get(), &PlatformAdding, 2));
    ASSERT_TRUE(RemoveWindowSubclass(wnd.get(), &PlatformAdding, 1));
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 100);
}

TEST(WindowSubclass, ADestroyedWindowTakesTheHookAlong) {
    TWindowHandle wnd = ProbeWindow();
    std::vector<UINT> seen;
    TWindowSubclass hook(wnd.get(), Adding(1, &seen));
    wnd.reset();
    EXPECT_FALSE(hook.Attached());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowSubclass, AWindowDestroyedByItsOwnHookTakesEveryHookAlong) {
    TWindowHandle wnd = ProbeWindow();
    std::vector<UINT> seen;
    TWindowSubclass below(wnd.get(), Adding(1, &seen));
    TWindowSubclass closing(wnd.get(), [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_CLOSE) return TWindowSubclass::CallNext(w, m, wp, lp);
        DestroyWindow(w);
        return 0;
    });
    SendMessageA(wnd.release(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(below.Attached());
    EXPECT_FALSE(closing.Attached());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowSubclass, AnErrorInAHookIsReportedAndGoesNoFurther) {
    TWindowHandle wnd = ProbeWindow();
    TWindowSubclass hook(wnd.get(), [](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
        if (m == kProbe) throw std::runtime_error("probe refused");
        return 0;
    });
    std::string text;
    TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
        text = MessageBoxText(box);
        PressDialogButton(box, IDOK);
    });
    EXPECT_EQ(SendMessageA(wnd.get(), kProbe, 0, 0), 0);
    EXPECT_TRUE(watcher.Found());
    EXPECT_EQ(text, "probe refused");
}

}  // namespace
}  // namespace velloran
