#include "tests/tools/ImportFloor.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

namespace velloran::peimports {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

TFloorExports ParseFloorExports(std::string_view text) {
    TFloorExports floor;
    std::set<std::string>* module = nullptr;
    std::istringstream lines{std::string(text)};
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            if (word.size() > 2 && word.front() == '[' && word.back() == ']') {
                module = &floor[Lower(word.substr(1, word.size() - 2))];
            } else if (!module) {
                throw std::runtime_error("line " + std::to_string(number) + ": \"" + word + "\" before any [module]");
            } else {
                module->insert(word);
            }
        }
    }
    return floor;
}

std::vector<TImport> ImportsMissingFromFloor(const TFloorExports& floor, const TImportTable& table) {
    const auto exports = [&](const std::string& module, const std::string& function) {
        const auto found = floor.find(module);
        return found != floor.end() && found->second.contains(function);
    };
    std::vector<TImport> missing;
    for (const TImport& import : table.Imports) {
        const std::string module = Lower(import.Module);
        if (!exports(module, import.Function) && !exports(module + (table.Wide ? "/64" : "/32"), import.Function))
            missing.push_back(import);
    }
    return missing;
}

}  // namespace velloran::peimports
