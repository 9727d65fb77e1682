#include "tools/skinart/ProgramBitmaps.h"

#include "tools/skinart/Glyphs.h"
#include "tools/skinart/Orientation.h"
#include "tools/skinart/Paint.h"
#include "tools/skinart/SkinStyle.h"
#include "tools/skinart/SliderArt.h"
#include "tools/skinart/Transform.h"

#include <array>
#include <cctype>

namespace velloran::skinart {

namespace {

constexpr int kMenuGlyphCell = 16;
constexpr int kMediaGlyphWidth = 15;
constexpr int kMediaGlyphHeight = 11;

struct MediaButton {
    const char* name;
    Image glyph;  // in black on the key colour
    Rgb colour;   // of the coloured glyph
};

// In the menu's image order: restore, maximise, minimise, close.
Image MenuGlyphs(Rgb ink) {
    const std::array<const PixelMask*, 4> masks{&glyphs::Restore(), &glyphs::Maximize(), &glyphs::Minimize(),
                                                &glyphs::Close()};
    Image image(kMenuGlyphCell * 4, kMenuGlyphCell, kMenuGlyphMask);
    for (size_t i = 0; i < masks.size(); ++i) {
        Canvas canvas(image);
        Canvas cell = canvas.Part(
            {static_cast<int>(i) * kMenuGlyphCell, 0, static_cast<int>(i + 1) * kMenuGlyphCell, kMenuGlyphCell});
        BlitCentred(cell, cell.Bounds(), MaskImage(*masks[i], ink));
    }
    return image;
}

// Same picture, another ink: every pixel that is not the key colour is the ink.
Image Inked(const Image& glyph, Rgb ink) {
    Image result(glyph.Width(), glyph.Height());
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (glyph.At(x, y) != kKey) result.Set(x, y, ink);
    return result;
}

std::vector<MediaButton> MediaButtons() {
    constexpr Rgb kBlack{0, 0, 0};
    constexpr Rgb kGreen{24, 140, 64};
    constexpr Rgb kBlue{36, 90, 180};
    constexpr Rgb kRed{210, 40, 40};
    const auto glyph = [](const PixelMask& mask) { return MaskImage(mask, kBlack); };
    std::vector<MediaButton> buttons;
    buttons.push_back({"MPPLAY", glyph(glyphs::Play()), kGreen});
    buttons.push_back({"MPPAUSE", glyph(glyphs::Pause()), kBlue});
    buttons.push_back({"MPSTOP", glyph(glyphs::Stop()), kBlue});
    buttons.push_back({"MPNEXT", glyph(glyphs::Next()), kGreen});
    buttons.push_back({"MPPREV", FlippedHorizontally(glyph(glyphs::Next())), kGreen});
    buttons.push_back({"MPSTEP", glyph(glyphs::Step()), kGreen});
    buttons.push_back({"MPBACK", FlippedHorizontally(glyph(glyphs::Step())), kGreen});
    buttons.push_back({"MPRECORD", glyph(glyphs::Record()), kRed});
    buttons.push_back({"MPEJECT", glyph(glyphs::Eject()), kBlue});
    return buttons;
}

Image MediaGlyph(const Image& glyph, Rgb ink) {
    Image image(kMediaGlyphWidth, kMediaGlyphHeight, kMediaGlyphKey);
    Canvas canvas(image);
    BlitCentred(canvas, canvas.Bounds(), Inked(glyph, ink));
    return image;
}

// Grey, with a white copy one pixel down and right: the engraved look of a disabled button.
Image DisabledMediaGlyph(const Image& glyph) {
    Image image(kMediaGlyphWidth, kMediaGlyphHeight, kMediaGlyphKey);
    Canvas canvas(image);
    BlitCentred(canvas, canvas.Bounds().Moved(1, 1), Inked(glyph, {255, 255, 255}));
    BlitCentred(canvas, canvas.Bounds(), Inked(glyph, {128, 128, 128}));
    return image;
}

std::string FileNameOf(std::string_view resource) {
    std::string name;
    for (const char ch : resource) name += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return name + ".bmp";
}

}  // namespace

std::vector<NamedImage> DrawProgramBitmaps() {
    const SkinStyle style = DefaultStyle();
    std::vector<NamedImage> bitmaps;
    bitmaps.push_back({FileNameOf("PELMARKMENU"), MenuGlyphs(style.colours.text)});
    bitmaps.push_back({FileNameOf("TRACK"), DrawSliderChannel(style, Orientation::Horizontal)});
    bitmaps.push_back({FileNameOf("TRACKVERT"), DrawSliderChannel(style, Orientation::Vertical)});
    for (const MediaButton& button : MediaButtons()) {
        const std::string name = button.name;
        bitmaps.push_back({FileNameOf("EN_" + name), MediaGlyph(button.glyph, {0, 0, 0})});
        bitmaps.push_back({FileNameOf("DI_" + name), DisabledMediaGlyph(button.glyph)});
        bitmaps.push_back({FileNameOf("CL_" + name), MediaGlyph(button.glyph, button.colour)});
    }
    return bitmaps;
}

std::string ResourceScript(const std::vector<NamedImage>& bitmaps, std::string_view folder) {
    std::string script = "// Bitmap resources of the program; the files are drawn by tools/skinart.\n";
    for (const NamedImage& bitmap : bitmaps) {
        std::string resource = bitmap.fileName.substr(0, bitmap.fileName.size() - 4);
        for (char& ch : resource) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        script += resource + " BITMAP \"" + std::string(folder) + "/" + bitmap.fileName + "\"\n";
    }
    return script;
}

}  // namespace velloran::skinart
