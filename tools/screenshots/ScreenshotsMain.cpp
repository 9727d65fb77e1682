// Shoots one set of windows with one skin, each active and inactive, as bitmap files:
//   VelloranScreenshots --set program|gallery --skin NAME --out FOLDER [--skins FOLDER]
// One set and one skin per process, as each program has one skin data of its own.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <map>
#include <string>

#include "framework/Forms.h"
#include "skin/manager/SkinManage.h"
#include "tools/gallery/GalleryOptions.h"
#include "tools/gallery/PackedSkins.h"
#include "tools/screenshots/GalleryShots.h"
#include "tools/screenshots/ProgramShots.h"

int main(int argc, char** argv) {
    using namespace velloran;
    std::map<std::string, std::string> options{{"--skins", DefaultSkinsFolder()}};
    for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
    const std::string set = options["--set"], skin = options["--skin"], out = options["--out"];
    if ((set != "program" && set != "gallery") || skin.empty() || out.empty()) {
        std::fprintf(stderr, "usage: %s --set program|gallery --skin NAME --out FOLDER [--skins FOLDER]\n", argv[0]);
        return 2;
    }
    int status = 0;
    {
        TApplication application(nullptr);
        try {
            Application->Initialize();
            TShotSession session(out, LowerCase(skin));
            if (set == "gallery") {
                ShootGalleryWindows(session, options["--skins"], skin);
            } else if (SameText(skin, "Default")) {
                // The status window's form data carries the default skin.
                ShootProgramWindows(session, {});
            } else {
                const TPackedSkins skins(options["--skins"], std::filesystem::path(out) / "packed");
                const TPackedSkin* packed = skins.Find(skin);
                if (!packed) throw std::runtime_error("No skin named " + skin + " in " + options["--skins"]);
                ShootProgramWindows(session, packed->File.string());
            }
            for (const auto& file : session.Saved()) std::printf("saved %s\n", file.string().c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "VelloranScreenshots: %s\n", e.what());
            status = 1;
        }
    }
    // The windows are gone: the manager unhooks.
    TSkinManage::Shutdown();
    return status;
}
