#pragma once
// A same-size copy that leaves the destination where the source has the key colour: what
// TransparentBlt does without stretching. The skin's images are drawn this way many times per
// paint, and the platform's TransparentBlt makes scratch bitmaps for every call; between two
// 32-bit DIB sections the copy runs on their pixels instead.
#include <windows.h>

namespace velloran {

void KeyedCopy(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, COLORREF key);

}  // namespace velloran
