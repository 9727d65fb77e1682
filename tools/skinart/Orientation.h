#pragma once

namespace velloran::skinart {

// Images drawn for horizontal controls; the vertical ones are the same images turned.
enum class Orientation { Horizontal, Vertical };

}  // namespace velloran::skinart
