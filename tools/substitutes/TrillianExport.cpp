// The one entry point Velloran calls in the Trillian plug-in; exported undecorated via Velloran.def.
#include "PluginLog.h"

#include <windows.h>

#include <string>

extern "C" void __stdcall MyTrill_SetStatus(const char* text, BOOL autoRespond)
{
    // Only the low byte of the flag is significant to the real plug-in.
    const bool respond = (static_cast<DWORD>(autoRespond) & 0xff) != 0;
    substitute::appendPluginLog(std::string("call \"") + (text ? text : "") + "\" " + (respond ? "1" : "0"));
}
