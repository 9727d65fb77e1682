#pragma once
// Icons made in code for the tray tests, told apart by their colour.
#include <windows.h>

#include "framework/Graphics.h"

namespace velloran::traytest {

// Makes icon an opaque 16x16 square of one colour (0x00RRGGBB).
void PaintIcon(TIcon& icon, uint32_t rgb);

// The colour PaintIcon gave an icon (0x00RRGGBB), or 0xFFFFFFFF for an empty icon.
uint32_t IconColor(const TIcon& icon);

// The module's own icon resource.
constexpr char kFrameResource[] = "TRAYFRAME";

}  // namespace velloran::traytest
