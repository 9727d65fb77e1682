// Fails when an executable imports a function that the oldest supported Windows lacks:
//   import_floor_check FLOOR_LIST EXECUTABLE...
#include <cstdint>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/tools/ImportFloor.h"
#include "tests/tools/PeImports.h"

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velloran::peimports;
    if (argc < 3) {
        std::cerr << "usage: import_floor_check FLOOR_LIST EXECUTABLE...\n";
        return 2;
    }
    try {
        const std::vector<std::uint8_t> listBytes = ReadFile(argv[1]);
        const TFloorExports floor = ParseFloorExports(std::string(listBytes.begin(), listBytes.end()));
        int failures = 0;
        for (int i = 2; i < argc; ++i) {
            const TImportTable table = ReadImports(ReadFile(argv[i]));
            const std::vector<TImport> missing = ImportsMissingFromFloor(floor, table);
            std::set<std::string> modules;
            for (const TImport& import : table.Imports) modules.insert(import.Module);
            std::cout << argv[i] << " (" << (table.Wide ? "64" : "32") << "-bit): " << table.Imports.size()
                      << " functions from " << modules.size() << " modules, " << missing.size()
                      << " not on the floor's list\n";
            for (const TImport& import : missing) std::cout << "  " << import.Module << " " << import.Function << "\n";
            if (table.Imports.empty() || !missing.empty()) ++failures;
        }
        return failures == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "import_floor_check: " << error.what() << "\n";
        return 2;
    }
}
