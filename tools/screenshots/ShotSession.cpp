#include "tools/screenshots/ShotSession.h"

#include <exception>
#include <stdexcept>

#include "framework/ExtCtrls.h"
#include "tools/screenshots/WindowCapture.h"

namespace velloran {

namespace {

// Long enough for the skin engine's deferred commands (250 ms) and the repaint after them.
constexpr int kSettleMs = 700;
constexpr int kModalWaitMs = 300;
constexpr int kModalTries = 20;

// The left button pressed or released, or the pointer moved to a screen point, as the mouse
// itself would.
void SendMouse(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

// The topmost popup menu on screen, or null.
HWND ShownPopupMenu() {
    HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
    while (popup && !IsWindowVisible(popup)) popup = FindWindowExA(nullptr, popup, "#32768", nullptr);
    return popup;
}

void PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD start = GetTickCount();
    while (!done() && static_cast<int>(GetTickCount() - start) < ms) {
        Application->ProcessMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

void PumpMessages(int ms) {
    PumpUntil([] { return false; }, ms);
}

TShotSession::TShotSession(std::filesystem::path folder, std::string skinTag)
    : folder_(std::move(folder)), skinTag_(std::move(skinTag)) {}

void TShotSession::Save(const std::string& name, const char* state, HWND window) {
    PumpMessages(kSettleMs);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages(kSettleMs / 4);
    const std::filesystem::path file = folder_ / (name + "-" + skinTag_ + "-" + state + ".bmp");
    SaveWindowBitmap(window, file);
    saved_.push_back(file);
}

void TShotSession::Activate(const std::string& name, HWND window) {
    SetForegroundWindow(window);
    PumpUntil([window] { return GetForegroundWindow() == window; }, kSettleMs);
    if (GetForegroundWindow() != window) throw std::runtime_error("Cannot activate the window of " + name);
}

void TShotSession::Shoot(const std::string& name, HWND window) {
    Activate(name, window);
    Save(name, "active", window);
    sink_.Activate();
    PumpUntil([this] { return GetForegroundWindow() == sink_.Handle(); }, kSettleMs);
    if (GetForegroundWindow() != sink_.Handle()) throw std::runtime_error("Cannot deactivate the window of " + name);
    Save(name, "inactive", window);
}

void TShotSession::ShootForm(const std::string& name, TForm& form) {
    form.Show();
    Shoot(name, form.Handle());
    form.Hide();
}

// Runs `enter`, which starts one of the system's modal loops and returns when it ends; from a
// timer inside that loop, waits for `find` to give a window, runs `shoot` on it and `leave` to
// end the loop. `what` names the window in the error when none comes up.
void TShotSession::ShootInsideLoop(const std::string& what, const std::function<void()>& enter,
                                   const std::function<HWND()>& find, const std::function<void(HWND)>& shoot,
                                   const std::function<void(HWND)>& leave) {
    TTimer timer(nullptr);
    timer.SetInterval(kModalWaitMs);
    int tries = 0;
    bool shot = false;
    std::exception_ptr failure;
    // Runs inside the modal loop; nothing may leave it but through `failure`.
    timer.OnTimer = [&](TObject*) {
        const HWND found = find();
        if (!found && ++tries < kModalTries) return;
        timer.SetEnabled(false);
        try {
            if (!found) throw std::runtime_error("No " + what + " came up");
            shoot(found);
            shot = true;
        } catch (...) {
            failure = std::current_exception();
        }
        if (found) leave(found);
    };
    enter();
    if (failure) std::rethrow_exception(failure);
    if (!shot) throw std::runtime_error("No " + what + " came up");
}

void TShotSession::ShootModal(const std::string& name, const std::function<void()>& raiseBox) {
    ShootInsideLoop(
        "modal window for " + name, raiseBox,
        [this] {
            const HWND box = GetActiveWindow();
            return box == sink_.Handle() ? nullptr : box;
        },
        [&](HWND box) { Shoot(name, box); }, [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); });
}

void TShotSession::ShootArranged(const std::string& name, HWND window, const std::function<void()>& arrange) {
    Activate(name, window);
    arrange();
    Save(name, "active", window);
}

void TShotSession::ShootMenu(const std::string& name, HWND window, const std::function<void()>& openMenu,
                             const std::vector<UINT>& keys) {
    Activate(name, window);
    // The skin engine's deferred work after the activation would close a drop-down opened now.
    PumpMessages(kSettleMs);
    bool pressed = keys.empty();
    ShootInsideLoop(
        "menu for " + name, openMenu,
        [&]() -> HWND {
            const HWND popup = ShownPopupMenu();
            if (!popup || pressed) return popup;
            // The menu loop takes keys from the queue; the next look finds what they opened.
            for (UINT key : keys) {
                PostMessageW(popup, WM_KEYDOWN, key, 1);
                PostMessageW(popup, WM_KEYUP, key, 0xC0000001);
            }
            pressed = true;
            return nullptr;
        },
        [&](HWND) { Save(name, "active", window); }, [](HWND) { EndMenu(); });
}

void TShotSession::ShootPopupMenu(const std::string& name, const std::function<void()>& openMenu) {
    ShootInsideLoop(
        "menu for " + name, openMenu, ShownPopupMenu, [&](HWND menu) { Save(name, "active", menu); },
        [](HWND) { EndMenu(); });
}

void TShotSession::ShootDrag(const std::string& name, HWND window, POINT from, POINT to) {
    Activate(name, window);
    // The pointer goes back afterwards: where it rests shows in later pictures as a hot control.
    POINT rest{};
    GetCursorPos(&rest);
    SendMouse(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, from);
    PumpMessages(kModalWaitMs);
    TTimer timer(nullptr);
    timer.SetInterval(kModalWaitMs);
    int ticks = 0;
    bool shot = false;
    std::exception_ptr failure;
    // Runs inside the tracking loop; nothing may leave it but through `failure`.
    timer.OnTimer = [&](TObject*) {
        if (++ticks == 1) {
            SendMouse(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, to);
            return;
        }
        timer.SetEnabled(false);
        try {
            Save(name, "active", window);
            shot = true;
        } catch (...) {
            failure = std::current_exception();
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
    };
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpUntil([&] { return shot || failure; }, kModalTries * kModalWaitMs);
    if (timer.Enabled()) {
        timer.SetEnabled(false);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    SendMouse(MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE, rest);
    PumpMessages(kSettleMs / 4);
    if (failure) std::rethrow_exception(failure);
    if (!shot) throw std::runtime_error("The drag for " + name + " never started");
}

}  // namespace velloran
