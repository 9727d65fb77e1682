#pragma once
// Runs a test's steps while a menu's modal loop runs.
#include <windows.h>

#include <functional>
#include <vector>

namespace velloran::skintest {

// Steps run one after the other from a timer while a menu's modal loop runs; a step answering
// false is tried again on the next tick. The menu is closed when the steps are done, or when one
// has waited too long.
struct TMenuScript {
    using TStep = std::function<bool()>;
    std::vector<TStep> Steps;
    // The last step chooses an item: the menu is left to close.
    bool ClosesItself = false;
    size_t Next = 0;
    int Waited = 0;
    bool Ended = false;
    bool InStep = false;  // a step that pumps messages must not run the next one inside it

    static TMenuScript*& Running() {
        static TMenuScript* running = nullptr;
        return running;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TMenuScript* script = Running();
        if (!script || script->Ended || script->InStep) return;
        const bool stepsLeft = script->Next < script->Steps.size();
        if (++script->Waited < 300 && (stepsLeft || script->ClosesItself)) {
            if (!stepsLeft) return;
            script->InStep = true;
            if (script->Steps[script->Next]()) ++script->Next, script->Waited = 0;
            script->InStep = false;
            return;
        }
        script->Ended = true;
        EndMenu();
    }
    // True when every step ran (and a menu that closes itself did so).
    bool Run(const std::function<void()>& open, UINT interval = 15) {
        Running() = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, interval, &Tick);
        open();
        KillTimer(nullptr, timer);
        Running() = nullptr;
        return Next == Steps.size() && !(ClosesItself && Ended);
    }

};

}  // namespace velloran::skintest
