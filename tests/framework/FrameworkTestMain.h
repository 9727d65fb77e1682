#pragma once
// Support for the framework's tests under Wine: the one application object of the run, message
// pumping through the framework's own loop, posted keys, a watcher for windows that block the
// test thread (message boxes, modal forms), counts of the process's handles, and forms with
// controls placed in code.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "framework/Forms.h"
#include "tests/framework/HandleCounts.h"

namespace velloran::fwtest {

// The application's title, and so the caption of its error boxes.
constexpr char kAppTitle[] = "Framework Tests";

// Runs Application->ProcessMessages until done holds; false when timeoutMs passed first. The
// bound only keeps a broken test from hanging; no test asserts on how long anything took.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void PumpFor(int ms);

// Posts what a key press leaves in the queue: WM_KEYDOWN then WM_KEYUP, with the scan code.
void PostKey(HWND wnd, WORD vk);
// Posts one WM_CHAR per character, as typing does after TranslateMessage.
void PostChars(HWND wnd, std::string_view text);

// Frees a component the way its owner would.
struct TFreeComponent {
    void operator()(TComponent* c) const { Free(c); }
};
template <class T>
using TOwned = std::unique_ptr<T, TFreeComponent>;

// Waits on its own thread for a visible top-level window of this process with the class and
// caption given, then runs action on that thread once. The test thread keeps pumping meanwhile
// (in a message box or a modal loop), so the action may send messages to the window.
class TWindowWatcher {
public:
    using TAction = std::function<void(HWND)>;
    TWindowWatcher(std::string className, std::string caption, TAction action);
    ~TWindowWatcher();
    TWindowWatcher(const TWindowWatcher&) = delete;
    TWindowWatcher& operator=(const TWindowWatcher&) = delete;
    bool Found() const { return found_; }

private:
    void Run();
    std::string className_, caption_;
    TAction action_;
    std::atomic<bool> found_{false}, stop_{false};
    std::thread thread_;
};

std::string ClassNameOf(HWND wnd);
// Text of a window of another thread, without hanging if that thread stops answering.
std::string WindowTextOf(HWND wnd);
// Text of the message of a message box: its static text that is not the icon.
std::string MessageBoxText(HWND box);
// Presses the button with the given identifier in a dialog owned by another thread.
void PressDialogButton(HWND dialog, int id);

// A form of its own class, for tests that place controls in code.
class TTestForm : public TForm {
    VELLORAN_CLASS(TTestForm)
public:
    using TForm::TForm;
};

// A test form at (40, 40) whose client area has the size given.
TOwned<TTestForm> MakeForm(int clientWidth = 400, int clientHeight = 300);
// The same in a colour of its own and in front of other windows, for reading its pixels.
TOwned<TTestForm> MakePaintForm(int clientWidth, int clientHeight, TColor color);

template <class T>
T* AddControl(TWinControl& parent, int left, int top, int width, int height) {
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// The colour on screen at a point of a window's client area.
COLORREF ScreenPixel(HWND wnd, int x, int y);

}  // namespace velloran::fwtest
