#pragma once
// The gallery's command line: --skins DIR, --open NAME, --skin NAME, --watch DIR.
#include <string>
#include <vector>

namespace velloran {

// The name --open and --skin take for the main form and for no skin at all.
inline constexpr char kMainPageName[] = "main";
inline constexpr char kNoSkinName[] = "none";

struct TGalleryOptions {
    std::string SkinsFolder;  // one subfolder per skin
    std::string Open = kMainPageName;
    std::string Skin;         // empty: "Default" when there is one, else the first skin
    // One skin's own folder, offered instead of the skins folder and applied again whenever a
    // file in it changes; empty for none.
    std::string Watch;
};

// The project's skins in the source tree, as a Windows program under Wine sees them.
std::string DefaultSkinsFolder();

// Reads the switches that follow the program name. Throws std::invalid_argument for an unknown
// switch, a switch without its value, or a form name that no page has.
TGalleryOptions ParseGalleryOptions(const std::vector<std::string>& arguments);

}  // namespace velloran
