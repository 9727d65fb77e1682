#pragma once
// Where a status leaves the process: the messenger's registry profile, its main window, and
// the Trillian plug-in.
#include <string>

namespace velloran {

// HKEY_CURRENT_USER\Software\Yahoo\Pager\profiles\<id>\Custom Msgs
std::string ProfileKeyPath(const std::string& yahooId);
// Writes "5", "5_bin", "5_DND", "1_DND", "1_W" in that order; a refused write throws
// "Failed to set data for '<name>'" and leaves the later values unwritten.
void WriteProfileStatus(const std::string& yahooId, const std::string& text, bool busy);
// Posts WM_COMMAND 388 to the messenger's main window, whether or not it runs.
void NotifyMessenger();
// Loads "Velloran.dll" (the executable's folder first, never the current directory), calls
// MyTrill_SetStatus once and frees it; a missing library or export is silent.
void CallTrillianPlugin(const std::string& text, bool autoRespond);

}  // namespace velloran
