#pragma once

// The files the packing tool reads and writes: skins packed into one file, and
// skin folders holding the loose members.

#include "tools/skinpack/SkinWriter.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace velloran {

// Throw std::runtime_error naming the file when it cannot be read or written.
std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, std::span<const uint8_t> bytes);

// Every regular file of the folder (not its subfolders), in byte order of the
// names so that packing is repeatable.
std::vector<TSkinMemberSource> ReadSkinFolder(const std::filesystem::path& folder);

// The packed skin: the file's bytes as they are, or a folder packed in memory.
std::vector<uint8_t> PackedSkinAt(const std::filesystem::path& path);

}  // namespace velloran
