#pragma once

// Bitmap and text routines that the skin loader and the painters share, and the
// user32 functions that older Windows versions lack, looked up by name once.
//
// Pixel routines work on the framework's bitmaps. Each pixel is handled as one
// 32-bit value 0x00RRGGBB (bytes blue, green, red, unused), rows from the top;
// the unused byte is written as 0. Whatever format a bitmap had before, the
// routines that change pixels leave it a 32-bit DIB section of the framework.

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Graphics.h"
#include "skin/data/BitmapFile.h"
#include "skin/data/SkinColors.h"

namespace velloran {

// GetSysColor, for the portable colour code.
TColorValue WindowsSystemColor(int index);

// True on the NT family, false on Windows 95, 98 and ME.
bool IsWindowsNT();
int WindowsMajorVersion();
int WindowsMinorVersion();

// The window's class name (at most 255 characters).
std::string WindowClassName(HWND wnd);

// ---- pixels ------------------------------------------------------------------------------------

// The bitmap's pixels (all of them; Empty() for an empty bitmap).
TDecodedBitmap GetBitmapPixels(const TBitmap& bitmap);
// Replaces the bitmap's image by the pixels given; an empty image empties the bitmap.
// Transparent and TransparentColor are kept.
void SetBitmapPixels(TBitmap& bitmap, const TDecodedBitmap& image);

// A bitmap file (a skin container member) into the bitmap; anything unreadable empties it.
void LoadBitmapMember(const std::vector<std::uint8_t>& bytes, TBitmap& bitmap);
// A bitmap resource of the program ("TRACK", "PELMARKMENU"); empty when there is none.
void LoadProgramBitmap(const std::string& name, TBitmap& bitmap);

// Every pixel of exactly red 255, green 0, blue 255 takes the colour (system colours resolved).
void ReplaceMagenta(TBitmap& bitmap, TColorValue color);
void MirrorBitmap(TBitmap& bitmap);  // left-right, in place
void FlipBitmap(TBitmap& bitmap);    // top-bottom, in place
void RotateLeft(TBitmap& bitmap);    // 90 degrees counter-clockwise; width and height swap
void RotateRight(TBitmap& bitmap);   // 90 degrees clockwise

// ---- drawing -----------------------------------------------------------------------------------

// Fills the rectangle with the gradient from `from` (top or left) to `to`, one line of one
// pixel at a time, drawing only the lines inside the DC's clip box. Line i always has entry i
// of the gradient of the whole rectangle, however much of it is clipped.
void GradientFill(HDC dc, const RECT& rect, TColorValue from, bool vertical, TColorValue to);

// DrawTextW on the NT family; elsewhere the text goes through the ANSI code page to
// DrawTextA. Returns the text height, as DrawText does.
int SkinDrawText(HDC dc, std::wstring_view text, RECT& rect, UINT format);

// The system ANSI code page (CP_ACP) to UTF-16.
std::wstring AnsiToWide(std::string_view text);

// The system's non-client metrics (caption and menu fonts among them); false when the system does
// not answer.
bool ReadNonClientMetrics(NONCLIENTMETRICSA& metrics);

// The system's caption font (name, height, character set, bold and italic) into font; unchanged
// when the system does not answer.
void LoadSystemCaptionFont(TFont& font);

// ---- optional user32 functions -----------------------------------------------------------------

bool HasGetScrollBarInfo();
// Sets info.cbSize itself. False when the function is missing or fails.
bool SafeGetScrollBarInfo(HWND wnd, LONG objectId, SCROLLBARINFO& info);
// Sets info.cbSize itself. False when the function is missing or fails.
bool SafeGetComboBoxInfo(HWND combo, COMBOBOXINFO& info);
// Asks for WM_MOUSELEAVE when the mouse leaves the window; nothing without TrackMouseEvent.
void RequestMouseLeave(HWND wnd);
// Keeps the system from replacing a busy window by its ghost; false when it cannot.
bool DisableWindowsGhosting();

}  // namespace velloran
