#pragma once
// The media player panel: a row of up to nine buttons (play, pause, stop, next, previous, step,
// back, record, eject) that run the player's actions. No device is opened: the player keeps the
// mode its buttons put it in and tells its owner which button ran.
#include <array>
#include <cstdint>
#include <string>

#include "framework/Controls.h"

namespace velloran {

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
extern const TEnumInfo MPBtnTypeEnum;
constexpr int kMediaButtonCount = 9;
// The index that stands for "no button" where a point or a press maps to none.
constexpr int kNoMediaButton = kMediaButtonCount;
constexpr uint32_t MediaButtonBit(TMPBtnType button) { return 1u << button; }
constexpr uint32_t kAllMediaButtons = (1u << kMediaButtonCount) - 1;

enum TMPModes { mpStopped, mpPlaying, mpRecording, mpPaused, mpOpen };
extern const TEnumInfo MPModesEnum;

// The three looks of a button's glyph, each a bitmap resource of the program named like
// "EN_MPPLAY"; olive (0x008080) marks the pixels that show the face under the glyph.
enum TMediaGlyphLook { mgEnabled, mgDisabled, mgColored };
constexpr COLORREF kMediaGlyphKey = RGB(0x80, 0x80, 0);
std::string MediaGlyphResourceName(TMediaGlyphLook look, TMPBtnType button);
// The glyph from the program's resources; an empty bitmap when the resource is missing.
void LoadMediaGlyph(TMediaGlyphLook look, TMPBtnType button, TBitmap& glyph);
// The glyph centred in the cell, one pixel right and down when pressed.
void DrawMediaGlyph(HDC dc, const RECT& cell, TBitmap& glyph, bool pressed);

// How the visible buttons share a row `width` pixels wide: each gets width div count pixels,
// left to right in button order.
class TMediaButtonRow {
public:
    TMediaButtonRow(uint32_t visible, int width);
    int VisibleCount() const { return count_; }
    int ButtonWidth() const { return buttonWidth_; }
    // The cell of a visible button, `height` pixels high; empty for a hidden one.
    RECT Cell(TMPBtnType button, int height) const;
    // The visible button whose span [start, start + width] holds x; kNoMediaButton for none.
    int ButtonAt(int x) const;

private:
    uint32_t visible_;
    int count_ = 0;
    int buttonWidth_ = 0;
};

using TMPBtnClickEvent = std::function<void(TObject*, TMPBtnType, bool& doDefault)>;

class TMediaPlayer : public TWinControl {
    VELLORAN_CLASS(TMediaPlayer)
public:
    explicit TMediaPlayer(TComponent* owner);

    uint32_t VisibleButtons() const { return visible_; }
    void SetVisibleButtons(uint32_t buttons);
    uint32_t EnabledButtons() const { return enabled_; }
    void SetEnabledButtons(uint32_t buttons);
    uint32_t ColoredButtons() const { return colored_; }
    void SetColoredButtons(uint32_t buttons);
    TMPModes Mode() const { return mode_; }

    // A button was released where it was pressed: the handler may keep the player's own action
    // from running by clearing doDefault.
    TMPBtnClickEvent OnButtonClick;
    // Runs the button's action as a click on it does.
    void ButtonClick(TMPBtnType button);

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    void SetButtons(uint32_t& field, uint32_t buttons);
    void RunAction(TMPBtnType button);
    void LoadGlyphs();

    uint32_t visible_ = kAllMediaButtons;
    uint32_t enabled_ = kAllMediaButtons;
    uint32_t colored_ = kAllMediaButtons;
    TMPModes mode_ = mpStopped;
    int pressed_ = kNoMediaButton;
    std::array<std::array<TBitmap, 3>, kMediaButtonCount> glyphs_;
    bool glyphsLoaded_ = false;
};

void RegisterMediaPlayer();

}  // namespace velloran
