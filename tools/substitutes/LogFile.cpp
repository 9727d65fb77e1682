#include "LogFile.h"

#include "framework/Handles.h"

#include <windows.h>

namespace substitute {

bool appendLine(const std::string& path, const std::string& line)
{
    // Plain Win32 rather than iostreams: the plug-in calls this from DllMain.
    const velloran::TFileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const std::string text = line + "\n";
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

}  // namespace substitute
