// Arbitrary bytes as a skin description: loading must not fail, and every
// answer must be the caller's default or a trimmed single-line value.

#include "framework/Classes.h"
#include "skin/data/WinSkinIni.h"
#include "tests/fuzz/FuzzRequire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace velloran;

using fuzztest::Require;

constexpr std::string_view kDefault = "\x01 default";

void CheckValue(const std::string& value) {
    if (value == kDefault) return;
    Require(!value.empty());
    Require(static_cast<unsigned char>(value.front()) > ' ' && static_cast<unsigned char>(value.back()) > ' ');
    Require(value.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos);
}

// Candidate key names: the text before '=' on each line, as a writer of the
// file would have meant them.
std::vector<std::string> CandidateKeys(std::string_view text) {
    std::vector<std::string> keys;
    for (std::size_t start = 0; start < text.size() && keys.size() < 32;) {
        std::size_t end = text.find_first_of(std::string_view("\0\r\n", 3), start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        keys.emplace_back(line.substr(0, line.find('=')));
        start = end + 1;
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    TQuickIni ini;
    ini.LoadFromStream(bytes);
    TStringList sections;
    ini.ReadSections(sections);
    Require(static_cast<std::size_t>(sections.Count()) <= size / 2);

    TQuickIni reloaded;
    reloaded.LoadFromStream(bytes);
    reloaded.LoadFromStream(bytes);

    const std::vector<std::string> keys = CandidateKeys(std::string_view(reinterpret_cast<const char*>(data), size));
    for (int s = 0; s < sections.Count() && s < 16; ++s) {
        const std::string section = sections[s];
        for (const std::string& key : keys) {
            const std::string value = ini.ReadString(section, key, kDefault);
            CheckValue(value);
            Require(reloaded.ReadString(section, key, kDefault) == value);
            // An answer that differs with the default is the default each time;
            // up to nine plain digits always convert.
            const int32_t first = ini.ReadInteger(section, key, 1);
            const int32_t second = ini.ReadInteger(section, key, 2);
            Require(first == second || (first == 1 && second == 2));
            const bool plainNumber =
                value != kDefault && value.size() <= 9 && value.find_first_not_of("0123456789") == std::string::npos;
            Require(!plainNumber || (first == second && first == std::stoi(value)));
        }
    }
    return 0;
}
