#pragma once
// The region of a skinned window made the way the skinner first made it: each transparent side
// drawn at its size and traced pixel by pixel, the pieces joined one by one. The reference that
// the skinner's own region must equal at every size.
#include <windows.h>

#include "framework/Handles.h"

namespace velloran {

class TWinSkinForm;

namespace skintest {

// The region of the form's window at width x height, window coordinates.
TRegionHandle TracedFrameRegion(TWinSkinForm& form, int width, int height);

}  // namespace skintest
}  // namespace velloran
