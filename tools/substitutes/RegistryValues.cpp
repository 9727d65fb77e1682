#include "RegistryValues.h"

#include <cstring>

namespace substitute {

RegistryKey::RegistryKey(HKEY root, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, &key) == ERROR_SUCCESS)
        key_.reset(key);
}

std::optional<std::vector<unsigned char>> RegistryKey::readRaw(const char* name,
                                                               DWORD expectedType) const
{
    if (!key_)
        return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    std::vector<unsigned char> data(size);
    if (RegQueryValueExA(key_.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    data.resize(size);
    return data;
}

std::optional<std::string> RegistryKey::readString(const char* name) const
{
    const auto data = readRaw(name, REG_SZ);
    if (!data)
        return std::nullopt;
    // The stored size counts the terminating zero when the writer included it.
    std::string text(data->begin(), data->end());
    if (const auto zero = text.find('\0'); zero != std::string::npos)
        text.resize(zero);
    return text;
}

std::optional<DWORD> RegistryKey::readDword(const char* name) const
{
    const auto data = readRaw(name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, data->data(), sizeof number);
    return number;
}

std::optional<std::vector<unsigned char>> RegistryKey::readBinary(const char* name) const
{
    return readRaw(name, REG_BINARY);
}

}  // namespace substitute
