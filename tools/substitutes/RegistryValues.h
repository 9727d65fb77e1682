#pragma once
#include "framework/Handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace substitute {

// Typed reads from one registry key. Opening a missing key is not an error: every read of it is
// then empty, as is the read of a value that is missing or has another type.
class RegistryKey {
public:
    RegistryKey(HKEY root, const std::string& path, REGSAM access);

    std::optional<std::string> readString(const char* name) const;
    std::optional<DWORD> readDword(const char* name) const;
    std::optional<std::vector<unsigned char>> readBinary(const char* name) const;

private:
    std::optional<std::vector<unsigned char>> readRaw(const char* name, DWORD expectedType) const;

    velloran::TRegKey key_;
};

}  // namespace substitute
