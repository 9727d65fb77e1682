#include "framework/MenuMetrics.h"

#include <windows.h>

#include <optional>

namespace velloran {

namespace {
// Menus live on the interface thread, and so does this.
std::optional<TMenuMetrics>& Kept() {
    static std::optional<TMenuMetrics> kept;
    return kept;
}
}  // namespace

const TMenuMetrics& MenuMetrics() {
    auto& kept = Kept();
    if (!kept) kept = TMenuMetrics{GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENU)};
    return *kept;
}

void MenuMetricsChanged() { Kept().reset(); }

}  // namespace velloran
