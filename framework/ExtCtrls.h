#pragma once
// Components beside the standard controls: the timer.
#include <memory>

#include "framework/Controls.h"

namespace velloran {

class TTimer : public TComponent {
    VELLORAN_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;
    void Loaded() override;

private:
    // Starts or stops the platform timer to match Enabled, Interval and OnTimer.
    void Update();
    bool enabled_ = true;
    int interval_ = 1000;
    std::unique_ptr<TUtilWindow> window_;
    TTimerHandle timer_;
};

void RegisterExtControls();

}  // namespace velloran
