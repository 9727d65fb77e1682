#pragma once
// A window of bars and gauges: status bars with panels of each bevel and alignment and an
// owner-drawn panel, one in simple mode; a bare size grip window in the bottom-right corner; a
// header; progress bars lying and upright; track bars; group boxes with and without a caption, a
// panel, a frame, and a form embedded as a control that reads right to left.
#include "framework/Forms.h"
#include "framework/Handles.h"

namespace velloran {

class TProgressBar;

class TGalleryBarsForm : public TForm {
    VELLORAN_CLASS(TGalleryBarsForm)
public:
    explicit TGalleryBarsForm(TComponent* owner);
    // The first progress bar, which the benchmark steps.
    TProgressBar* Progress() const { return progress_; }
    // The bare size grip, a "scrollbar" window without an object; null until the page is shown.
    HWND SizeGrip() const { return sizeGrip_.get(); }
    void WndProc(TMessage& message) override;

private:
    void MakeSizeGrip();
    void PlaceSizeGrip();

    void AddStatusBars();
    void AddGauges();
    void AddContainers();

    TProgressBar* progress_ = nullptr;
    TWindowHandle sizeGrip_;
};

}  // namespace velloran
