#pragma once
// Velloran's own windows: the status window, a list editor, the input box and a message box.
#include <string>

#include "tools/screenshots/ShotSession.h"

namespace velloran {

// Creates the program's windows as its entry does. With a skinFile the status window's skin
// data loads that packed skin instead of the one stored in its form data.
void ShootProgramWindows(TShotSession& session, const std::string& skinFile);

}  // namespace velloran
