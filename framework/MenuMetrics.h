#pragma once
// The menu measures the platform derives from the menu font. Some platforms (Wine among them)
// create a font and a DC to answer each call, which costs a menu of owner-drawn items a good part
// of its opening; they are kept here until the system's settings change.

namespace velloran {

struct TMenuMetrics {
    int CheckWidth = 0;  // SM_CXMENUCHECK
    int ItemHeight = 0;  // SM_CYMENU
};

const TMenuMetrics& MenuMetrics();
// Called on WM_SETTINGCHANGE: the next MenuMetrics() asks the system again.
void MenuMetricsChanged();

}  // namespace velloran
