#include "tools/skinpack/SkinpackCommands.h"

#include "framework/Classes.h"
#include "skin/data/SkinFormat.h"
#include "skin/data/SkinRead.h"
#include "tools/skinpack/SkinCheck.h"
#include "tools/skinpack/SkinFiles.h"
#include "tools/skinpack/SkinStreamText.h"
#include "tools/skinpack/SkinWriter.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace velloran {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUsage = R"(usage: skinpack <command> <arguments>

  pack <folder> <out.skn>         pack every file of the folder into one skin file
  list <skin>                     list the members of a skin file with their sizes
  extract <skin> <outdir> [name...]
                                  write the members (all, or those named) into outdir
  ini <skin>                      print the skin's description
  check <skin-or-folder>          read the description as the program does and report
                                  what it makes of every section; exit code 1 when
                                  something is wrong
  stream <skin-or-folder>         print the skin as the SkinStream property of the
                                  main window's form data

A skin is a set of bitmaps (.bmp) and one description (.ini) that names them.
A skin file holds them packed: it starts with the size of the unpacked content
(4 bytes, little-endian) and the rest is that content compressed with the same
LZH method the program unpacks. All numbers inside are 4-byte little-endian:

  format number            70000 as written here (20000, 30000 ... 70000 are read)
  length of the name list  in bytes
  two numbers              not used
  a reserved block         its length depends on the format (69 zero bytes here)
  the name list            member names, one per line
  the sizes                one number per name, in the same order
  the members              their bytes one after another, in the same order

The program finds members by name without regard to letter case (extract
writes the names in lower case) and takes the first member whose name
contains ".ini" as the description. The description names each image by its
file name; the name must end in ".bmp" written in lower case, or the program
uses no image. Exit codes: 0 done, 1 check found problems, 2 failed.
)";

std::string LoadFailure(TSkinLoadResult result, int32_t format) {
    switch (result) {
        case TSkinLoadResult::UnknownFormat:
            return "not a skin the program reads: format number " + std::to_string(format);
        case TSkinLoadResult::TooLarge:
            return "not a skin the program reads: it would unpack to more than " +
                   std::to_string(kSkinMaxUnpackedSize) + " bytes";
        case TSkinLoadResult::TooManyMembers:
            return "not a skin the program reads: more than " + std::to_string(kSkinMaxMembers) + " members";
        case TSkinLoadResult::Loaded:
            break;
    }
    return {};
}

TSkinReader LoadSkin(std::span<const uint8_t> packed, const std::string& path) {
    TSkinReader reader;
    const TSkinLoadResult result = reader.Load(packed);
    if (result != TSkinLoadResult::Loaded)
        throw std::runtime_error(path + ": " + LoadFailure(result, reader.Header()[0]));
    return reader;
}

// Names that would leave the output folder, or name it, are not written.
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string_view::npos;
}

int Pack(const std::string& folder, const std::string& outPath, std::ostream& out) {
    const std::vector<TSkinMemberSource> members = ReadSkinFolder(folder);
    const bool hasDescription = std::ranges::any_of(members, [](const TSkinMemberSource& member) {
        return LowerCase(member.Name).find(".ini") != std::string::npos;
    });
    if (!hasDescription) throw std::runtime_error(folder + ": no description (.ini file) in the folder");
    const std::vector<uint8_t> packed = WriteSkinContainer(members);
    WriteFileBytes(outPath, packed);
    out << outPath << ": " << members.size() << " members, " << packed.size() << " bytes\n";
    return kSkinpackOk;
}

int List(const std::string& path, std::ostream& out) {
    const TSkinReader skin = LoadSkin(ReadFileBytes(path), path);
    out << "format " << skin.Header()[0] << ", " << skin.Names().size() << " members, " << skin.DataSize()
        << " bytes of member data\n";
    std::set<std::string> seen;
    std::vector<uint8_t> bytes;
    for (const std::string& name : skin.Names()) {
        if (!seen.insert(name).second) {
            out << "       -  " << name << "  (hidden by an earlier member of that name)\n";
            continue;
        }
        skin.ExtractMember(name, bytes);
        const std::string size = std::to_string(bytes.size());
        out << std::string(size.size() < 8 ? 8 - size.size() : 0, ' ') << size << "  " << name << "\n";
    }
    return kSkinpackOk;
}

int Extract(const std::string& path, const std::string& outDir, std::span<const std::string> wanted, std::ostream& out,
            std::ostream& err) {
    const TSkinReader skin = LoadSkin(ReadFileBytes(path), path);
    std::vector<std::string> names;
    if (wanted.empty()) {
        for (const std::string& name : skin.Names())
            if (std::ranges::find(names, name) == names.end()) names.push_back(name);
    } else {
        for (const std::string& name : wanted) names.push_back(LowerCase(name));
    }

    fs::create_directories(outDir);
    int result = kSkinpackOk;
    std::vector<uint8_t> bytes;
    for (const std::string& name : names) {
        if (std::ranges::find(skin.Names(), name) == skin.Names().end()) {
            err << path << ": no member " << name << "\n";
            result = kSkinpackFailed;
            continue;
        }
        if (!IsPlainFileName(name)) {
            err << path << ": member " << name << " is not a plain file name; not written\n";
            result = kSkinpackFailed;
            continue;
        }
        skin.ExtractMember(name, bytes);
        WriteFileBytes(fs::path(outDir) / name, bytes);
        out << name << "\n";
    }
    return result;
}

int PrintDescription(const std::string& path, std::ostream& out) {
    const TSkinReader skin = LoadSkin(ReadFileBytes(path), path);
    std::vector<uint8_t> bytes;
    if (skin.FindMember(".ini", bytes).empty()) throw std::runtime_error(path + ": the skin has no description");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return kSkinpackOk;
}

int Check(const std::string& path, std::ostream& out) {
    const std::vector<uint8_t> packed = PackedSkinAt(path);
    TSkinReader skin;
    const TSkinLoadResult result = skin.Load(packed);
    if (result != TSkinLoadResult::Loaded) {
        out << "Problems\n  " << LoadFailure(result, skin.Header()[0]) << "\n1 problem\n";
        return kSkinpackProblems;
    }
    return CheckSkin(skin, out) == 0 ? kSkinpackOk : kSkinpackProblems;
}

int Stream(const std::string& path, std::ostream& out) {
    const std::vector<uint8_t> packed = PackedSkinAt(path);
    LoadSkin(packed, path);  // form data must not carry a skin the program refuses
    out << SkinStreamProperty(packed);
    return kSkinpackOk;
}

int Usage(std::ostream& err) {
    err << kUsage;
    return kSkinpackFailed;
}

}  // namespace

int RunSkinpack(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return Usage(err);
    const std::string& command = args[0];
    const std::span<const std::string> rest = args.subspan(1);
    try {
        if (command == "pack" && rest.size() == 2) return Pack(rest[0], rest[1], out);
        if (command == "list" && rest.size() == 1) return List(rest[0], out);
        if (command == "extract" && rest.size() >= 2) return Extract(rest[0], rest[1], rest.subspan(2), out, err);
        if (command == "ini" && rest.size() == 1) return PrintDescription(rest[0], out);
        if (command == "check" && rest.size() == 1) return Check(rest[0], out);
        if (command == "stream" && rest.size() == 1) return Stream(rest[0], out);
        if (command == "help" || command == "--help" || command == "-h") {
            out << kUsage;
            return kSkinpackOk;
        }
    } catch (const std::exception& error) {
        err << "skinpack: " << error.what() << "\n";
        return kSkinpackFailed;
    }
    return Usage(err);
}

}  // namespace velloran
