#include "tools/skinart/SkinBitmaps.h"

#include "tools/skinart/ButtonArt.h"
#include "tools/skinart/CaptionButtonArt.h"
#include "tools/skinart/FieldArt.h"
#include "tools/skinart/FrameArt.h"
#include "tools/skinart/Glyphs.h"
#include "tools/skinart/MenuArt.h"
#include "tools/skinart/PanelArt.h"
#include "tools/skinart/ScrollArt.h"
#include "tools/skinart/SliderArt.h"
#include "tools/skinart/TabArt.h"

#include <utility>

namespace velloran::skinart {

std::vector<NamedImage> DrawSkinBitmaps(const SkinStyle& style) {
    std::vector<NamedImage> images;
    const auto add = [&images](const char* fileName, Image image) { images.push_back({fileName, std::move(image)}); };
    using enum Orientation;

    WindowFrames frames = DrawWindowFrames(style);
    add("left.bmp", std::move(frames.left));
    add("right.bmp", std::move(frames.right));
    add("top.bmp", std::move(frames.top));
    add("bottom.bmp", std::move(frames.bottom));
    if (style.titleBackdrop) add("titleback.bmp", DrawTitleBackdrop(style));
    add("menubar.bmp", DrawMenuBand(style));

    add("close.bmp", DrawCaptionButton(style, glyphs::Close(), true));
    add("maximize.bmp", DrawCaptionButton(style, glyphs::Maximize(), false));
    add("restore.bmp", DrawCaptionButton(style, glyphs::Restore(), false));
    add("minimize.bmp", DrawCaptionButton(style, glyphs::Minimize(), false));
    if (style.helpButton) add("help.bmp", DrawCaptionButton(style, glyphs::Help(), false));
    if (style.mdiButtons) add("mdi.bmp", DrawMdiButtons(style));

    add("button.bmp", DrawPushButtons(style));
    add("check.bmp", DrawCheckBoxes(style));
    add("radio.bmp", DrawRadioButtons(style));

    add("scrollglyphs.bmp", DrawScrollGlyphs(style));
    add("hscroll.bmp", DrawScrollTrack(style, Horizontal));
    add("vscroll.bmp", DrawScrollTrack(style, Vertical));
    add("hscrollthumb.bmp", DrawScrollThumb(style, Horizontal));
    add("vscrollthumb.bmp", DrawScrollThumb(style, Vertical));

    add("sunkedge.bmp", DrawSunkenEdge(style));
    add("combobutton.bmp", DrawComboButton(style));
    add("extra.bmp", DrawExtraImages(style));
    add("updownh.bmp", DrawUpDown(style, Horizontal));
    add("updownv.bmp", DrawUpDown(style, Vertical));
    add("updownhglyphs.bmp", DrawUpDownGlyphs(style, Horizontal));
    add("updownvglyphs.bmp", DrawUpDownGlyphs(style, Vertical));

    add("tabs.bmp", DrawTabs(style));
    add("tabpage.bmp", DrawTabPage(style));

    add("progress.bmp", DrawProgress(style));
    add("chunk.bmp", DrawProgressChunk(style));
    add("statusbar.bmp", DrawStatusPanels(style));
    add("header.bmp", DrawHeaderItems(style));
    add("toolbars.bmp", DrawToolButtons(style));
    add("groupbox.bmp", DrawGroupLabel(style));
    add("groupedge.bmp", DrawGroupEdge(style));

    add("menuitem.bmp", DrawMenuItems(style));
    add("menuback.bmp", DrawMenuBackground(style));

    add("thumbhorz.bmp", DrawSliderThumb(style, Horizontal, ThumbPoint::Neither));
    add("thumbvert.bmp", DrawSliderThumb(style, Vertical, ThumbPoint::Neither));
    add("thumbup.bmp", DrawSliderThumb(style, Horizontal, ThumbPoint::TowardStart));
    add("thumbdown.bmp", DrawSliderThumb(style, Horizontal, ThumbPoint::TowardEnd));
    add("thumbleft.bmp", DrawSliderThumb(style, Vertical, ThumbPoint::TowardStart));
    add("thumbright.bmp", DrawSliderThumb(style, Vertical, ThumbPoint::TowardEnd));
    add("track.bmp", DrawSliderChannel(style, Horizontal));
    add("trackvert.bmp", DrawSliderChannel(style, Vertical));
    return images;
}

}  // namespace velloran::skinart
