#pragma once
// The "start with Windows" entry under the current user's Run key.
#include <string>

namespace velloran {

// The data written for exePath: quoted when it holds a blank, so that the shell cannot start
// "C:\Program.exe" in place of "C:\Program Files\...".
std::string RunValueData(const std::string& exePath);
// Writes the "Velloran" value unless one exists already (whatever path it holds).
void AddToStartup(const std::string& exePath);
// Deletes the "Velloran" value if it exists.
void RemoveFromStartup();

}  // namespace velloran
