#pragma once
// The project's skins for the tests under Wine, packed from the source tree.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/LittleEndian.h"
#include "skin/data/WinSkinData.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran::skintest {

// The source tree as this Windows program sees it, on Wine's drive for the Unix root.
inline const std::filesystem::path kSkins = std::filesystem::path("Z:" VELLORAN_SOURCE_DIR) / "resources" / "skins";

// The form data's stored form of a packed skin: its size, then the bytes.
inline std::vector<uint8_t> StoredSkin(const std::vector<uint8_t>& packed) {
    std::vector<uint8_t> out;
    AppendInt32LE(out, static_cast<int32_t>(packed.size()));
    std::copy(packed.begin(), packed.end(), std::back_inserter(out));
    return out;
}

// A skin data component holding one of the project's skins ("Default", "Contrast").
inline fwtest::TOwned<TSkinData> LoadProjectSkin(const std::string& name, TComponent* owner = nullptr) {
    fwtest::TOwned<TSkinData> data(new TSkinData(owner));
    data->SetSkinStreamData(StoredSkin(PackedSkinAt(kSkins / name)));
    return data;
}

// Writes one of the project's skins packed into file, for SkinFile.
inline void WriteProjectSkin(const std::string& name, const std::filesystem::path& file) {
    WriteFileBytes(file, PackedSkinAt(kSkins / name));
}

}  // namespace velloran::skintest
