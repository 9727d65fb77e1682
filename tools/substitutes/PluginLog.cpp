#include "PluginLog.h"

#include "LogFile.h"
#include "SubstituteProtocol.h"

#include <windows.h>

// Provided by the linker: the base address, and so the module handle, of the image it is part of.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace substitute {
namespace {

std::string environmentVariable(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return {};
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name, value.data(), size));
    return value;
}

std::string pluginLogPath()
{
    if (std::string path = environmentVariable(kPluginLogVariable); !path.empty())
        return path;
    std::string module(MAX_PATH, '\0');
    module.resize(GetModuleFileNameA(reinterpret_cast<HMODULE>(&__ImageBase), module.data(), MAX_PATH));
    return module + ".log";
}

}  // namespace

void appendPluginLog(const std::string& line)
{
    appendLine(pluginLogPath(), line);
}

}  // namespace substitute
