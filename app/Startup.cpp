#include "app/Startup.h"

#include <windows.h>

#include <stdexcept>

#include "framework/Handles.h"

namespace velloran {

namespace {
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kValueName[] = "Velloran";

TRegKey OpenRunKey() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    return TRegKey(key);
}

bool ValueExists(HKEY key) {
    return key && RegQueryValueExA(key, kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
}  // namespace

std::string RunValueData(const std::string& exePath) {
    if (exePath.find(' ') == std::string::npos) return exePath;
    return "\"" + exePath + "\"";
}

void AddToStartup(const std::string& exePath) {
    TRegKey key = OpenRunKey();
    if (ValueExists(key.get())) return;
    std::string data = RunValueData(exePath);
    if (RegSetValueExA(key.get(), kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1)) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("Failed to set data for '") + kValueName + "'");
}

void RemoveFromStartup() {
    TRegKey key = OpenRunKey();
    if (ValueExists(key.get())) RegDeleteValueA(key.get(), kValueName);
}

}  // namespace velloran
