#pragma once
// Media players: a panel of the skinner's own lies over the player's button row and draws the
// buttons from the skin's button image with the program's media glyphs; the clicks on it are
// played on the player, which runs its actions as if it had been clicked itself.
#include <array>
#include <cstdint>

#include "framework/MediaPlayers.h"
#include "skin/controls/SkinControl.h"

namespace velloran {

class TWMediaPlayer : public TWinControl {
    VELLORAN_CLASS(TWMediaPlayer)
public:
    // player: the control whose buttons the panel shows and to which it passes its clicks.
    TWMediaPlayer(TComponent* owner, TControl* player, TSkinData* skinData);

    // Reads which buttons the player shows, enables and colours, from its published sets.
    void ReadButtons();
    bool ButtonVisible(TMPBtnType button) const { return visible_[button]; }
    int VisibleCount() const { return visibleCount_; }
    int ButtonWidth() const { return buttonWidth_; }
    // The button a press went down on while the mouse is held; kNoMediaButton otherwise.
    int PressedButton() const { return pressed_ ? pressedButton_ : kNoMediaButton; }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    TMediaButtonRow Row() const;
    void Press(TMessage& message);
    void Release(TMessage& message);

    TControl* player_;
    TSkinData* skinData_;
    std::array<bool, kMediaButtonCount> visible_{};
    std::array<bool, kMediaButtonCount> enabled_{};
    std::array<bool, kMediaButtonCount> coloured_{};
    std::array<std::array<TBitmap, 3>, kMediaButtonCount> glyphs_;
    int visibleCount_ = 0;
    int buttonWidth_ = 0;
    bool pressed_ = false;
    int pressedButton_ = kNoMediaButton;
};

class TSkinMP : public TSkinControl {
    VELLORAN_CLASS(TSkinMP)
public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;
    TWMediaPlayer* Panel() const { return panel_; }

protected:
    void AfterProc(TMessage& message) override;
    void SkinSwitched(bool on) override;

private:
    void FollowPlayer();
    void FreePanel();

    TWMediaPlayer* panel_ = nullptr;
};

}  // namespace velloran
