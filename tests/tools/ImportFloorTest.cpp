// The import table reader over small images built here, whole and damaged, and the floor list
// check over its cases.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/tools/ImportFloor.h"
#include "tests/tools/PeImports.h"

using namespace velloran::peimports;

namespace {

using TModules = std::vector<std::pair<std::string, std::vector<std::string>>>;  // "#N": by ordinal

constexpr std::uint32_t kSectionAddress = 0x3000;
constexpr std::uint32_t kSectionFileOffset = 0x200;

struct TImage {
    std::vector<std::uint8_t> Bytes;
    std::size_t ZeroDescriptor = 0;    // file offset of the descriptor that ends the list
    std::size_t FirstLookupTable = 0;  // file offset
    std::size_t FirstFunctionName = 0;  // file offset of its first character
};

void Put(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint64_t value, std::size_t size) {
    if (bytes.size() < offset + size) bytes.resize(offset + size);
    for (std::size_t i = 0; i < size; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// One section holds the descriptors, the lookup tables, the hint/name entries and, last, the
// module names; the file ends with the last name's terminator. boundOnly leaves the lookup table
// address out, as images bound to addresses can.
TImage Build(const TModules& modules, bool wide, bool boundOnly = false) {
    TImage image;
    std::vector<std::uint8_t>& b = image.Bytes;
    const std::size_t pe = 0x40, optional = pe + 24, optionalSize = wide ? 240 : 224;
    Put(b, 0, 0x5A4D, 2);
    Put(b, 0x3C, pe, 4);
    Put(b, pe, 0x00004550, 4);
    Put(b, pe + 4, wide ? 0x8664 : 0x14C, 2);
    Put(b, pe + 6, 1, 2);
    Put(b, pe + 20, optionalSize, 2);
    Put(b, optional, wide ? 0x20B : 0x10B, 2);
    const std::size_t countField = optional + (wide ? 108 : 92);
    Put(b, countField, 16, 4);
    Put(b, countField + 4 + 8, kSectionAddress, 4);
    Put(b, countField + 4 + 12, 20 * (modules.size() + 1), 4);

    const std::size_t entrySize = wide ? 8 : 4;
    std::vector<std::uint8_t> data;
    std::size_t tables = 20 * (modules.size() + 1);
    std::size_t names = tables;
    for (const auto& module : modules) names += entrySize * (module.second.size() + 1);
    std::vector<std::size_t> moduleNameAt;
    for (std::size_t m = 0; m < modules.size(); ++m) {
        const auto& [module, functions] = modules[m];
        Put(data, 20 * m + 12, 0, 4);  // the name, set below
        Put(data, 20 * m, boundOnly ? 0 : kSectionAddress + tables, 4);
        Put(data, 20 * m + 16, kSectionAddress + tables, 4);
        if (m == 0) image.FirstLookupTable = kSectionFileOffset + tables;
        for (const std::string& function : functions) {
            if (function.front() == '#') {
                const std::uint64_t flag = wide ? 0x8000000000000000ull : 0x80000000ull;
                Put(data, tables, flag | std::stoul(function.substr(1)), entrySize);
            } else {
                Put(data, tables, kSectionAddress + names, entrySize);
                Put(data, names, 7, 2);  // a hint
                if (!image.FirstFunctionName) image.FirstFunctionName = kSectionFileOffset + names + 2;
                for (char c : function) data.push_back(static_cast<std::uint8_t>(c));
                data.push_back(0);
                names = data.size();
            }
            tables += entrySize;
        }
        Put(data, tables, 0, entrySize);
        tables += entrySize;
    }
    image.ZeroDescriptor = kSectionFileOffset + 20 * modules.size();
    for (std::size_t m = 0; m < modules.size(); ++m) {
        Put(data, 20 * m + 12, kSectionAddress + data.size(), 4);
        for (char c : modules[m].first) data.push_back(static_cast<std::uint8_t>(c));
        data.push_back(0);
    }
    const std::size_t section = optional + optionalSize;
    Put(b, section + 8, data.size(), 4);
    Put(b, section + 12, kSectionAddress, 4);
    Put(b, section + 16, data.size(), 4);
    Put(b, section + 20, kSectionFileOffset, 4);
    b.resize(kSectionFileOffset);
    b.insert(b.end(), data.begin(), data.end());
    return image;
}

const TModules kModules{{"KERNEL32.dll", {"GetTickCount", "Sleep"}},
                        {"COMCTL32.DLL", {"#17", "SetWindowSubclass"}},
                        {"msvcrt.dll", {"malloc"}}};

std::vector<std::string> Flat(const TImportTable& table) {
    std::vector<std::string> out;
    for (const TImport& import : table.Imports) out.push_back(import.Module + " " + import.Function);
    return out;
}

TEST(ImportFloorTest, ReadsEveryImportOfBothKindsOfImage) {
    const std::vector<std::string> expected{"KERNEL32.dll GetTickCount", "KERNEL32.dll Sleep", "COMCTL32.DLL #17",
                                            "COMCTL32.DLL SetWindowSubclass", "msvcrt.dll malloc"};
    for (const bool wide : {false, true})
        for (const bool boundOnly : {false, true}) {
            SCOPED_TRACE(std::string(wide ? "64-bit" : "32-bit") + (boundOnly ? ", bound table only" : ""));
            const TImportTable table = ReadImports(Build(kModules, wide, boundOnly).Bytes);
            EXPECT_EQ(table.Wide, wide);
            EXPECT_EQ(Flat(table), expected);
        }
}

TEST(ImportFloorTest, EveryTruncationOfTheFileIsAnError) {
    for (const bool wide : {false, true}) {
        const std::vector<std::uint8_t> whole = Build(kModules, wide).Bytes;
        for (std::size_t size = 0; size < whole.size(); ++size)
            EXPECT_THROW(ReadImports(std::span(whole).first(size)), std::runtime_error) << size << " bytes";
    }
}

TEST(ImportFloorTest, DamagedImagesAreErrors) {
    struct TCase {
        const char* Name;
        std::function<void(TImage&)> Damage;
    };
    const TCase cases[] = {
        {"no MZ", [](TImage& i) { i.Bytes[0] = 'X'; }},
        {"PE header far past the end", [](TImage& i) { Put(i.Bytes, 0x3C, 0xFFFFFFF0u, 4); }},
        {"no PE signature", [](TImage& i) { i.Bytes[0x40] = 'Q'; }},
        {"unknown optional header", [](TImage& i) { Put(i.Bytes, 0x58, 0x107, 2); }},
        {"too few data directories", [](TImage& i) { Put(i.Bytes, 0x58 + 92, 1, 4); }},
        {"import directory outside every section", [](TImage& i) { Put(i.Bytes, 0x58 + 104, 0x9000, 4); }},
        {"section reaching past the file", [](TImage& i) {
             Put(i.Bytes, 0x58 + 224 + 16, 0x7FFFFFFF, 4);
             i.Bytes.back() = 'x';  // the last module name now runs to the end of the file
         }},
        {"section at a file offset past the end", [](TImage& i) { Put(i.Bytes, 0x58 + 224 + 20, 0xFFFFFF00u, 4); }},
        {"descriptor list without end", [](TImage& i) { Put(i.Bytes, i.ZeroDescriptor + 16, 0x3000, 4); }},
        {"lookup table entry outside every section", [](TImage& i) { Put(i.Bytes, i.FirstLookupTable, 0x50000, 4); }},
        {"empty function name", [](TImage& i) { i.Bytes[i.FirstFunctionName] = 0; }},
        {"module name without terminator", [](TImage& i) { i.Bytes.back() = 'x'; }},
    };
    for (const TCase& c : cases) {
        TImage image = Build(kModules, false);
        ASSERT_NO_THROW(ReadImports(image.Bytes));
        c.Damage(image);
        EXPECT_THROW(ReadImports(image.Bytes), std::runtime_error) << c.Name;
    }
}

TEST(ImportFloorTest, TheFloorListNamesWhatIsMissing) {
    const TFloorExports floor = ParseFloorExports(
        "# a comment\n[KERNEL32.dll] GetTickCount\n  Sleep # another\n[user32.dll]\nSetTimer\n"
        "[user32.dll/64]\nGetWindowLongPtrA\n[msvcrt.dll/32]\n_setjmp3\n");
    struct TCase {
        bool Wide;
        TImport Import;
        bool Missing;
    };
    const TCase cases[] = {
        {false, {"kernel32.DLL", "Sleep"}, false},         // module names ignore case
        {false, {"KERNEL32.dll", "sleep"}, true},          // function names do not
        {false, {"KERNEL32.dll", "GetTickCount64"}, true},
        {true, {"USER32.dll", "GetWindowLongPtrA"}, false},
        {false, {"USER32.dll", "GetWindowLongPtrA"}, true},  // a 64-bit system's export only
        {false, {"msvcrt.dll", "_setjmp3"}, false},
        {true, {"msvcrt.dll", "_setjmp3"}, true},
        {true, {"user32.dll", "SetTimer"}, false},
        {false, {"msimg32.dll", "TransparentBlt"}, true},  // a module the list lacks
        {false, {"user32.dll", "#17"}, true},
    };
    for (const TCase& c : cases) {
        TImportTable table;
        table.Wide = c.Wide;
        table.Imports = {c.Import};
        EXPECT_EQ(ImportsMissingFromFloor(floor, table).size(), c.Missing ? 1u : 0u)
            << c.Import.Module << " " << c.Import.Function << (c.Wide ? " 64-bit" : " 32-bit");
    }
    try {
        ParseFloorExports("# fine\n\nSleep\n");
        ADD_FAILURE() << "a name before any module was taken";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("line 3"), std::string::npos) << error.what();
    }
}

}  // namespace
