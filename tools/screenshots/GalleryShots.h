#pragma once
// The gallery's windows: its main form and every page.
#include <string>

#include "tools/screenshots/ShotSession.h"

namespace velloran {

// Starts the gallery's main form over the skins in skinsFolder with the skin of that name.
void ShootGalleryWindows(TShotSession& session, const std::string& skinsFolder, const std::string& skin);

}  // namespace velloran
