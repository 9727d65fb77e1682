// Load and unload records of the Trillian plug-in stand-in. What it notes at load time lets tests
// see the order of a status update: registry written and message posted before the plug-in loads.
#include "PluginLog.h"
#include "RegistryValues.h"
#include "SubstituteProtocol.h"

#include <windows.h>

#include <string>

// libstdc++, linked in statically, allocates its pool for exceptions thrown under memory pressure
// when the DLL loads and frees it only here; without this every load and unload leaves it behind.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

std::string statusTextInRegistry()
{
    char id[256] = {};
    const DWORD length = GetEnvironmentVariableA(substitute::kPluginIdVariable, id, sizeof id);
    if (length == 0 || length >= sizeof id)
        return {};
    const substitute::RegistryKey key(HKEY_CURRENT_USER, substitute::customMessagesKey(id), KEY_QUERY_VALUE);
    return key.readString("5").value_or("");
}

bool statusCommandQueued()
{
    // Posted messages only: dispatching a sent message here, under the loader lock, could deadlock.
    MSG message;
    return PeekMessageA(&message, nullptr, WM_COMMAND, WM_COMMAND, PM_NOREMOVE | PM_QS_POSTMESSAGE) &&
           message.wParam == substitute::kStatusChangedCommand;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        substitute::appendPluginLog("load reg5=\"" + statusTextInRegistry() +
                                    "\" posted=" + (statusCommandQueued() ? "1" : "0"));
        break;
    case DLL_PROCESS_DETACH:
        // A non-null RESERVED means the process is ending, not FreeLibrary.
        substitute::appendPluginLog(reserved ? "exit" : "free");
        if (!reserved)
            __gnu_cxx::__freeres();
        break;
    default:
        break;
    }
    return TRUE;
}
