#pragma once
// A window of bars and gauges: status bars with panels of each bevel and alignment, an owner-drawn
// panel and the size grip, one in simple mode; a header; progress bars lying and upright; track
// bars; group boxes with and without a caption, a panel, a frame, and a form embedded as a control
// that reads right to left.
#include "framework/Forms.h"

namespace velloran {

class TProgressBar;

class TGalleryBarsForm : public TForm {
    VELLORAN_CLASS(TGalleryBarsForm)
public:
    explicit TGalleryBarsForm(TComponent* owner);
    // The first progress bar, which the benchmark steps.
    TProgressBar* Progress() const { return progress_; }

private:
    void AddStatusBars();
    void AddGauges();
    void AddContainers();

    TProgressBar* progress_ = nullptr;
};

}  // namespace velloran
