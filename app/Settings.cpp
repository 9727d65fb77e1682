#include "app/Settings.h"

#include <windows.h>

#include <stdexcept>

#include "app/ProfileText.h"
#include "framework/Forms.h"

namespace velloran {

std::string ExeFolder() {
    std::string exe = Application ? Application->ExeName() : std::string();
    size_t slash = exe.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

TSettingsFile::TSettingsFile(std::string path) : path_(std::move(path)) {}

TSettingsFile TSettingsFile::Default() { return TSettingsFile(ExeFolder() + "Velloran.ini"); }

std::string TSettingsFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) const {
    char buffer[kProfileBufferSize];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                                       path_.c_str());
    return std::string(buffer, n);
}

bool TSettingsFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return ProfileBool(ReadString(section, key, ""), defaultValue);
}

void TSettingsFile::WriteString(const std::string& section, const std::string& key, const std::string& value) const {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw std::runtime_error("Unable to write to " + path_);
}

void TSettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
    WriteString(section, key, ProfileBoolText(value));
}

}  // namespace velloran
