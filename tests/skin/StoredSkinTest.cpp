// The main window's form data carries the default skin of the source tree, packed: the skin
// that people edit is the skin that the program shows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/FormData.h"
#include "skin/data/LittleEndian.h"
#include "skin/data/SkinRead.h"

namespace velloran {
namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

const TFormProperty* FindStoredSkin(const TFormObject& object) {
    if (object.ClassName == "TSkinData")
        for (const TFormProperty& p : object.Properties)
            if (p.Name == "SkinStream") return &p;
    for (const TFormObject& child : object.Children)
        if (const TFormProperty* found = FindStoredSkin(child)) return found;
    return nullptr;
}

TEST(StoredSkin, TheMainWindowCarriesTheDefaultSkinOfTheSourceTree) {
    const std::filesystem::path resources = std::filesystem::path(VELLORAN_SOURCE_DIR) / "resources";
    const std::vector<uint8_t> form = ReadFile(resources / "Main.dfm");
    const TFormObject tree = ParseFormData(std::string_view(reinterpret_cast<const char*>(form.data()), form.size()));
    const TFormProperty* stored = FindStoredSkin(tree);
    ASSERT_NE(stored, nullptr) << "Main.dfm has no TSkinData with a SkinStream";
    const std::vector<uint8_t>& bytes = stored->Value.AsBinary();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(static_cast<size_t>(LoadInt32LE({bytes[0], bytes[1], bytes[2], bytes[3]})), bytes.size() - 4);

    TSkinReader reader;
    ASSERT_EQ(reader.Load(std::span(bytes).subspan(4)), TSkinLoadResult::Loaded);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(resources / "skins" / "Default")) {
        ++files;
        std::vector<uint8_t> member;
        reader.ExtractMember(entry.path().filename().string(), member);
        EXPECT_EQ(member, ReadFile(entry.path()))
            << entry.path().filename() << " differs: run scripts/embed-default-skin.sh";
    }
    EXPECT_EQ(reader.Names().size(), files);
}

}  // namespace
}  // namespace velloran
