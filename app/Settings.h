#pragma once
// The program's settings file, "Velloran.ini" beside the executable, read and written one value
// at a time through the platform's profile functions; every write reaches the file at once.
#include <string>

namespace velloran {

// The executable's folder with its trailing separator.
std::string ExeFolder();

class TSettingsFile {
public:
    explicit TSettingsFile(std::string path);
    // The settings file beside the running executable.
    static TSettingsFile Default();

    const std::string& Path() const { return path_; }
    // At most 2047 characters come back; a missing key gives the default.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    // Throw "Unable to write to <path>" when the platform refuses the write.
    void WriteString(const std::string& section, const std::string& key, const std::string& value) const;
    void WriteBool(const std::string& section, const std::string& key, bool value) const;

private:
    std::string path_;
};

}  // namespace velloran
