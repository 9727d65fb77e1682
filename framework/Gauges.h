#pragma once
// Gauges: the progress bar, which shows how far a task has come, and the track bar, whose thumb
// the user slides along a scale.
#include "framework/RangeControl.h"

namespace velloran {

enum TProgressBarOrientation { pbHorizontal, pbVertical };
extern const TEnumInfo ProgressBarOrientationEnum;

class TProgressBar : public TRangeControl {
    VELLORAN_CLASS(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);
    void SetPosition(int value) { StorePosition(value); }
    int Step() const { return step_; }
    void SetStep(int value);
    // Moves the position on by Step, wrapping to Min past Max as the control does.
    void StepIt();
    TProgressBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void SendRange() override;
    void SendPosition(int value) override;
    int ReadPosition() const override;

private:
    int step_ = 10;
    TProgressBarOrientation orientation_ = pbHorizontal;
    bool smooth_ = false;
};

enum TTrackBarOrientation { trHorizontal, trVertical };
extern const TEnumInfo TrackBarOrientationEnum;

class TTrackBar : public TRangeControl {
    VELLORAN_CLASS(TTrackBar)
public:
    explicit TTrackBar(TComponent* owner);
    void SetPosition(int value);
    int Frequency() const { return frequency_; }
    void SetFrequency(int value);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    // The parent's background shows around the channel and thumb.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // The position changed, by the user or by SetPosition.
    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void SendRange() override;
    void SendPosition(int value) override;
    int ReadPosition() const override;

private:
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;
    bool transparent_ = false;
};

}  // namespace velloran
