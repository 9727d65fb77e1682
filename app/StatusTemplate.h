#pragma once

// Text pieces of the status template: reading the song out of the player's
// window title, the case-insensitive tags, and the ten-cell progress bar.
// Plain standard C++; no Windows headers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velloran
{

inline constexpr int kProgressCells = 10;

// Whole-text signed 32-bit decimal: an optional '+' or '-' followed by at least
// one digit 0-9 and nothing else. Blanks, hexadecimal forms and values outside
// the 32-bit range are refused.
std::optional<int32_t> ParseDecimalInt32(std::string_view text);

// Drops the last '-' of the player title together with the character before it
// and everything after it ('Artist - Song - Winamp' -> 'Artist - Song'). A title
// without a dash, or whose last dash is one of its first two characters, gives
// empty text.
std::string CutPlayerSuffix(std::string_view title);

// When the text before the first '.' is a number (ParseDecimalInt32), removes
// that number, the dot and the one character after it ('12. Band' -> 'Band').
// Any other title comes back unchanged.
std::string StripTrackNumber(std::string_view title);

// Tags compare ASCII letters without regard to case. An empty tag never occurs.
bool ContainsTagIgnoreCase(std::string_view text, std::string_view tag);

// Replaces every occurrence of tag, scanning left to right; the inserted value
// is not searched again for the same tag.
std::string ReplaceTagIgnoreCase(std::string_view text, std::string_view tag, std::string_view value);

// Marker cell for a play position in milliseconds and a length in seconds, or
// nothing when the player has no usable position or length. A position at or
// past the end gives 10: a length reported too short must not keep moving the
// marker, and so keep publishing, after the bar is full.
std::optional<int> ProgressCell(int32_t positionMs, int32_t lengthSeconds);

// Ten '-' with '|' in the given cell; cells past the last one mark the last,
// cells below the first mark the first.
std::string ProgressBar(int cell);

} // namespace velloran
