#include "app/Publisher.h"

#include <windows.h>

#include <stdexcept>

#include "framework/Handles.h"

namespace velloran {

namespace {
constexpr UINT kMessengerCommand = 388;

void SetValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
    if (RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
        throw std::runtime_error(std::string("Failed to set data for '") + name + "'");
}
}  // namespace

std::string ProfileKeyPath(const std::string& yahooId) {
    return "Software\\Yahoo\\Pager\\profiles\\" + yahooId + "\\Custom Msgs";
}

void WriteProfileStatus(const std::string& yahooId, const std::string& text, bool busy) {
    HKEY raw = nullptr;
    // A failed open leaves the key null; the first write then fails and reports it.
    RegCreateKeyExA(HKEY_CURRENT_USER, ProfileKeyPath(yahooId).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &raw, nullptr);
    TRegKey key(raw);
    DWORD textSize = static_cast<DWORD>(text.size() + 1);
    DWORD dnd = busy ? 1 : 0;
    SetValue(key.get(), "5", REG_SZ, text.c_str(), textSize);
    SetValue(key.get(), "5_bin", REG_BINARY, text.c_str(), textSize);
    SetValue(key.get(), "5_DND", REG_DWORD, &dnd, sizeof dnd);
    SetValue(key.get(), "1_DND", REG_DWORD, &dnd, sizeof dnd);
    SetValue(key.get(), "1_W", REG_SZ, text.c_str(), textSize);
}

void NotifyMessenger() {
    PostMessageA(FindWindowA("YahooBuddyMain", nullptr), WM_COMMAND, kMessengerCommand, 1);
}

void CallTrillianPlugin(const std::string& text, bool autoRespond) {
    // A tray program's working folder is wherever the shell started it: keep it out of the
    // library search.
    static const bool searchPathSafe = SetDllDirectoryA("") != 0;
    (void)searchPathSafe;
    TModuleHandle library(LoadLibraryA("Velloran.dll"));
    if (!library) return;
    using TSetStatus = void(WINAPI*)(const char*, BOOL);
    auto setStatus = reinterpret_cast<TSetStatus>(GetProcAddress(library.get(), "MyTrill_SetStatus"));
    if (!setStatus) return;
    setStatus(text.c_str(), autoRespond ? TRUE : FALSE);
}

}  // namespace velloran
