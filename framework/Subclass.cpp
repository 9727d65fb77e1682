#include "framework/Subclass.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/UtilWindow.h"

namespace velloran {

// The hooks of one window, oldest first. A link that leaves while a message runs through the
// chain leaves a gap, closed once no message is running, so that the running positions hold.
class TSubclassChain {
public:
    static TSubclassChain* Find(HWND wnd) {
        std::lock_guard lock(TableLock());
        const auto it = Table().find(wnd);
        return it == Table().end() ? nullptr : it->second.get();
    }

    static void Add(TWindowSubclass& link) {
        TSubclassChain* chain = Find(link.wnd_);
        if (!chain) chain = Install(link.wnd_);
        chain->links_.push_back(&link);
    }

    static void Remove(TWindowSubclass& link) {
        TSubclassChain* chain = Find(link.wnd_);
        if (!chain) return;
        const auto it = std::find(chain->links_.begin(), chain->links_.end(), &link);
        if (it == chain->links_.end()) return;
        *it = nullptr;
        if (chain->depth_ == 0) chain->Settle();
    }

    // The window's procedure while it has a chain.
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        TSubclassChain* chain = Find(wnd);
        if (!chain) return DefWindowProcW(wnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) chain->destroyed_ = true;
        LRESULT result = 0;
        {
            TRunning running(*chain, chain->links_.size());
            result = chain->Next(wnd, msg, wParam, lParam);
        }
        if (chain->depth_ == 0) chain->Settle();
        return result;
    }

    LRESULT Next(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        for (size_t i = below_; i-- > 0;) {
            if (!links_[i]) continue;
            TRunning running(*this, i);
            return links_[i]->Run(wnd, msg, wParam, lParam);
        }
        return CallWindowProcW(original_, wnd, msg, wParam, lParam);
    }

private:
    using TTable = std::unordered_map<HWND, std::unique_ptr<TSubclassChain>>;

    // Marks a link as running (or the chain as entered) for one call, whatever way the call ends.
    class TRunning {
    public:
        TRunning(TSubclassChain& chain, size_t below) : chain_(chain), saved_(std::exchange(chain.below_, below)) {
            ++chain_.depth_;
        }
        ~TRunning() {
            chain_.below_ = saved_;
            --chain_.depth_;
        }
        TRunning(const TRunning&) = delete;
        TRunning& operator=(const TRunning&) = delete;

    private:
        TSubclassChain& chain_;
        size_t saved_;
    };

    static std::mutex& TableLock() {
        static std::mutex lock;
        return lock;
    }
    static TTable& Table() {
        static TTable table;
        return table;
    }

    static TSubclassChain* Install(HWND wnd) {
        DWORD process = 0;
        if (!IsWindow(wnd) || (GetWindowThreadProcessId(wnd, &process), process != GetCurrentProcessId()))
            throw std::runtime_error("Cannot hook the window's messages");
        auto chain = std::make_unique<TSubclassChain>();
        chain->wnd_ = wnd;
        SetLastError(0);
        chain->original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TSubclassChain::Proc)));
        if (!chain->original_ && GetLastError() != 0) throw std::runtime_error("Cannot hook the window's messages");
        std::lock_guard lock(TableLock());
        return (Table()[wnd] = std::move(chain)).get();
    }

    static void Forget(HWND wnd) {
        std::unique_ptr<TSubclassChain> gone;
        std::lock_guard lock(TableLock());
        if (const auto it = Table().find(wnd); it != Table().end()) {
            gone = std::move(it->second);
            Table().erase(it);
        }
    }

    // With no message running: forgets a destroyed window, closes the gaps, and gives the window its own procedure back when
    // no link is left, unless somebody hooked the window after the chain (then the chain stays,
    // passing messages on, so as not to cut that hook out).
    void Settle() {
        if (destroyed_) {
            Forget(wnd_);  // deletes this: the handle may soon name another window
            return;
        }
        links_.erase(std::remove(links_.begin(), links_.end(), nullptr), links_.end());
        if (!links_.empty()) return;
        if (GetWindowLongPtrW(wnd_, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&TSubclassChain::Proc)) return;
        SetWindowLongPtrW(wnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        Forget(wnd_);  // deletes this
    }

    HWND wnd_ = nullptr;
    WNDPROC original_ = nullptr;
    std::vector<TWindowSubclass*> links_;
    size_t below_ = 0;  // the links below the running one: [0, below_)
    int depth_ = 0;     // calls into the chain running now
    bool destroyed_ = false;
};

TWindowSubclass::TWindowSubclass(HWND wnd, TProc proc) : wnd_(wnd), proc_(std::move(proc)) {
    TSubclassChain::Add(*this);
    attached_ = true;
}

TWindowSubclass::~TWindowSubclass() { Detach(); }

void TWindowSubclass::Detach() {
    if (!attached_) return;
    attached_ = false;
    TSubclassChain::Remove(*this);
}

LRESULT TWindowSubclass::CallNext(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TSubclassChain* chain = TSubclassChain::Find(wnd);
    return chain ? chain->Next(wnd, msg, wParam, lParam) : DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT TWindowSubclass::Run(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The window goes: leave the chain before the message passes on; the owner still sees it.
    if (msg == WM_NCDESTROY) Detach();
    try {
        return proc_(wnd, msg, wParam, lParam);
    } catch (...) {
        HandleCallbackException();
        return 0;
    }
}

}  // namespace velloran
