#include "tray/TimerThread.h"

#include <chrono>

namespace velloran {

TTimerThread::TTimerThread(HWND target, UINT tickMessage, unsigned intervalMs, bool running)
    : target_(target), tickMessage_(tickMessage), interval_(intervalMs), running_(running), thread_([this] {
          Run();
      }) {}

TTimerThread::~TTimerThread() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TTimerThread::Resume() {
    {
        std::lock_guard lock(mutex_);
        running_ = true;
    }
    wake_.notify_all();
}

void TTimerThread::Suspend() {
    {
        std::lock_guard lock(mutex_);
        running_ = false;
    }
    wake_.notify_all();
}

void TTimerThread::SetInterval(unsigned intervalMs) {
    {
        std::lock_guard lock(mutex_);
        interval_ = intervalMs;
        restart_ = true;
    }
    wake_.notify_all();
}

void TTimerThread::TickHandled() {
    {
        std::lock_guard lock(mutex_);
        tickPending_ = false;
    }
    wake_.notify_all();
}

void TTimerThread::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || (running_ && !tickPending_); });
        if (stop_) return;
        restart_ = false;
        const bool interrupted = wake_.wait_for(lock, std::chrono::milliseconds(interval_),
                                                [this] { return stop_ || !running_ || restart_; });
        if (interrupted) continue;
        // Posted under the lock: the destructor cannot finish in between, so the window the
        // owner destroys after it never receives a tick.
        tickPending_ = PostMessageA(target_, tickMessage_, 0, 0) != FALSE;
    }
}

}  // namespace velloran
