// skinart <outdir>: draws both skins and the program's bitmap resources (see Artwork.h).
// The committed copies live in resources/skins/Default, resources/skins/Contrast and
// resources/bitmaps; after changing a drawing, regenerate and copy them over.

#include "tools/skinart/Artwork.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: skinart <outdir>\n";
        return 2;
    }
    try {
        velloran::skinart::WriteArtwork(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "skinart: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
