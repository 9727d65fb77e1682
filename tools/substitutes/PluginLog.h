#pragma once
#include <string>

namespace substitute {

// Appends LINE to the plug-in's log: the file named by VELLORAN_PLUGIN_LOG, or else
// "<path of this DLL>.log".
void appendPluginLog(const std::string& line);

}  // namespace substitute
