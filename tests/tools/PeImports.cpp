#include "tests/tools/PeImports.h"

#include <algorithm>
#include <stdexcept>

namespace velloran::peimports {
namespace {

constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::size_t kImportDirectory = 1;
constexpr std::size_t kDescriptorSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
// No real image comes near these; a damaged one must not keep the reader busy for long.
constexpr std::size_t kMaxModules = 4096;
constexpr std::size_t kMaxFunctionsPerModule = 65536;
constexpr std::size_t kMaxNameLength = 4096;

struct TSection {
    std::uint64_t Address = 0, RawOffset = 0, RawSize = 0;
};

class TReader {
public:
    explicit TReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t Read(std::uint64_t offset, std::size_t size, const char* what) const {
        if (offset > bytes_.size() || bytes_.size() - offset < size)
            throw std::runtime_error(std::string("the file ends inside ") + what);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) value |= std::uint64_t{bytes_[offset + i]} << (8 * i);
        return value;
    }
    std::uint32_t U16(std::uint64_t offset, const char* what) const { return static_cast<std::uint32_t>(Read(offset, 2, what)); }
    std::uint32_t U32(std::uint64_t offset, const char* what) const { return static_cast<std::uint32_t>(Read(offset, 4, what)); }

    void AddSection(const TSection& section) { sections_.push_back(section); }

    // The file offset of an address once loaded, with the bytes left in its section from there.
    std::uint64_t FileOffset(std::uint64_t address, std::uint64_t& left, const char* what) const {
        for (const TSection& s : sections_) {
            if (address < s.Address || address - s.Address >= s.RawSize) continue;
            const std::uint64_t offset = s.RawOffset + (address - s.Address);
            if (offset >= bytes_.size()) break;
            left = std::min<std::uint64_t>(s.RawSize - (address - s.Address), bytes_.size() - offset);
            return offset;
        }
        throw std::runtime_error(std::string("no section holds ") + what);
    }

    std::string Name(std::uint64_t address, const char* what) const {
        std::uint64_t left = 0;
        const std::uint64_t offset = FileOffset(address, left, what);
        std::string name;
        for (std::uint64_t i = 0; i < left && i < kMaxNameLength; ++i) {
            const char c = static_cast<char>(bytes_[offset + i]);
            if (c == '\0') {
                if (name.empty()) throw std::runtime_error(std::string("empty ") + what);
                return name;
            }
            name.push_back(c);
        }
        throw std::runtime_error(std::string("unterminated ") + what);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::vector<TSection> sections_;
};

void ReadModule(const TReader& reader, std::uint64_t descriptor, bool wide, TImportTable& table) {
    const std::uint32_t lookup = reader.U32(descriptor, "an import descriptor");
    const std::uint32_t nameAddress = reader.U32(descriptor + 12, "an import descriptor");
    const std::uint32_t bound = reader.U32(descriptor + 16, "an import descriptor");
    const std::string module = reader.Name(nameAddress, "a module name");
    // The lookup table keeps the names when the loader's table was bound to addresses.
    std::uint64_t left = 0;
    const std::uint64_t thunks = reader.FileOffset(lookup ? lookup : bound, left, "an import lookup table");
    const std::size_t entrySize = wide ? 8 : 4;
    const std::uint64_t ordinalFlag = wide ? 0x8000000000000000ull : 0x80000000ull;
    for (std::size_t i = 0;; ++i) {
        if (i == kMaxFunctionsPerModule) throw std::runtime_error("an import lookup table without end");
        if (left < entrySize * (i + 1)) throw std::runtime_error("an import lookup table without end");
        const std::uint64_t entry = reader.Read(thunks + entrySize * i, entrySize, "an import lookup table");
        if (entry == 0) return;
        if (entry & ordinalFlag) {
            table.Imports.push_back({module, "#" + std::to_string(entry & 0xFFFF)});
        } else {
            // A two-byte hint precedes the name.
            table.Imports.push_back({module, reader.Name((entry & 0x7FFFFFFF) + 2, "a function name")});
        }
    }
}

}  // namespace

TImportTable ReadImports(std::span<const std::uint8_t> image) {
    TReader reader(image);
    if (reader.U16(0, "the DOS header") != 0x5A4D) throw std::runtime_error("not an executable (no MZ)");
    const std::uint64_t pe = reader.U32(0x3C, "the DOS header");
    if (reader.U32(pe, "the PE signature") != 0x00004550) throw std::runtime_error("no PE signature");
    const std::uint32_t sectionCount = reader.U16(pe + 6, "the file header");
    const std::uint32_t optionalSize = reader.U16(pe + 20, "the file header");
    const std::uint64_t optional = pe + 24;

    TImportTable table;
    const std::uint32_t magic = reader.U16(optional, "the optional header");
    if (magic != kPe32 && magic != kPe32Plus) throw std::runtime_error("unknown optional header kind");
    table.Wide = magic == kPe32Plus;
    const std::uint64_t countField = optional + (table.Wide ? 108 : 92);
    const std::uint64_t directories = countField + 4;
    if (directories + 8 * (kImportDirectory + 1) > optional + optionalSize)
        throw std::runtime_error("the optional header has no import directory");
    if (reader.U32(countField, "the optional header") <= kImportDirectory)
        throw std::runtime_error("the optional header has no import directory");
    const std::uint32_t importAddress = reader.U32(directories + 8 * kImportDirectory, "the data directories");
    if (importAddress == 0) return table;

    const std::uint64_t sections = optional + optionalSize;
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::uint64_t header = sections + kSectionHeaderSize * i;
        TSection section;
        section.Address = reader.U32(header + 12, "the section table");
        section.RawSize = reader.U32(header + 16, "the section table");
        section.RawOffset = reader.U32(header + 20, "the section table");
        reader.AddSection(section);
    }

    std::uint64_t left = 0;
    const std::uint64_t descriptors = reader.FileOffset(importAddress, left, "the import directory");
    for (std::size_t i = 0;; ++i) {
        if (i == kMaxModules || left < kDescriptorSize * (i + 1))
            throw std::runtime_error("an import directory without end");
        const std::uint64_t descriptor = descriptors + kDescriptorSize * i;
        if (reader.U32(descriptor + 12, "an import descriptor") == 0 && reader.U32(descriptor + 16, "an import descriptor") == 0)
            return table;
        ReadModule(reader, descriptor, table.Wide, table);
    }
}

}  // namespace velloran::peimports
