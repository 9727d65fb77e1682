#pragma once

// How values of the settings file are read back and written: the text form of
// integers and Booleans, and the fixed buffer that text values pass through.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velloran
{

// Size of the buffer text values are read into; the terminating zero takes one character.
inline constexpr std::size_t kProfileBufferSize = 2048;

// A settings integer: decimal with an optional sign (as ParseDecimalInt32), or
// "0x"/"0X" followed by one or more hexadecimal digits giving a 32-bit pattern
// (0xFFFFFFFF is -1). The whole text must convert; surrounding blanks are not
// accepted, since the profile functions already strip them from stored values.
std::optional<int32_t> ParseProfileInteger(std::string_view text);

// Non-zero integer text is true, zero false; anything else (including the
// empty text a missing key reads as) gives defaultValue.
bool ProfileBool(std::string_view stored, bool defaultValue);

// "1" or "0".
const char* ProfileBoolText(bool value);

// What a read through the settings buffer returns: at most kProfileBufferSize - 1 characters.
std::string TruncateProfileText(std::string_view text);

} // namespace velloran
