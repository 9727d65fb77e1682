#pragma once
// The clock of a tray icon's animation.
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace velloran {

// Posts a tick message to a window every interval while running. It touches nothing but that
// window's queue, so the animation itself runs on the window's thread; each tick waits for the
// receiver's TickHandled, so ticks never pile up in a busy queue. Destruction stops and joins
// the thread; once it returns, no further tick is posted.
class TTimerThread {
public:
    TTimerThread(HWND target, UINT tickMessage, unsigned intervalMs, bool running);
    ~TTimerThread();
    TTimerThread(const TTimerThread&) = delete;
    TTimerThread& operator=(const TTimerThread&) = delete;

    void Resume();
    void Suspend();
    // Takes effect at once: the period under way starts again with the new length.
    void SetInterval(unsigned intervalMs);
    void TickHandled();

private:
    void Run();

    const HWND target_;
    const UINT tickMessage_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    unsigned interval_;
    bool running_;
    bool stop_ = false;
    bool restart_ = false;
    bool tickPending_ = false;
    std::thread thread_;  // last, so that it starts once the state above exists
};

}  // namespace velloran
