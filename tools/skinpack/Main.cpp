// skinpack: packs skin folders into skin files and looks into them.

#include "tools/skinpack/SkinpackCommands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return velloran::RunSkinpack(args, std::cout, std::cerr);
}
