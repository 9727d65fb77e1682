#include "framework/MediaPlayers.h"

#include <windowsx.h>

#include "framework/Messages.h"

namespace velloran {

const TEnumInfo MPBtnTypeEnum{{"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord",
                               "btEject"}};
const TEnumInfo MPModesEnum{{"mpStopped", "mpPlaying", "mpRecording", "mpPaused", "mpOpen"}};

std::string MediaGlyphResourceName(TMediaGlyphLook look, TMPBtnType button) {
    static const char* const prefixes[] = {"EN", "DI", "CL"};
    static const char* const names[kMediaButtonCount] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                                         "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
    return std::string(prefixes[look]) + "_" + names[button];
}

void LoadMediaGlyph(TMediaGlyphLook look, TMPBtnType button, TBitmap& glyph) {
    const HINSTANCE program = GetModuleHandleA(nullptr);
    const std::string name = MediaGlyphResourceName(look, button);
    if (FindResourceA(program, name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP)))
        glyph.LoadFromResourceName(program, name);
    else
        glyph.SetHandle(nullptr);
}

void DrawMediaGlyph(HDC dc, const RECT& cell, TBitmap& glyph, bool pressed) {
    if (glyph.Empty()) return;
    const int shift = pressed ? 1 : 0;
    const int x = cell.left + (cell.right - cell.left - glyph.Width()) / 2 + shift;
    const int y = cell.top + (cell.bottom - cell.top - glyph.Height()) / 2 + shift;
    TransparentBlt(dc, x, y, glyph.Width(), glyph.Height(), glyph.Canvas().Handle(), 0, 0, glyph.Width(),
                   glyph.Height(), kMediaGlyphKey);
}

TMediaButtonRow::TMediaButtonRow(uint32_t visible, int width) : visible_(visible & kAllMediaButtons) {
    for (int i = 0; i < kMediaButtonCount; ++i)
        if (visible_ & (1u << i)) ++count_;
    buttonWidth_ = count_ > 0 ? width / count_ : 0;
}

RECT TMediaButtonRow::Cell(TMPBtnType button, int height) const {
    if (!(visible_ & MediaButtonBit(button))) return RECT{};
    int place = 0;
    for (int i = 0; i < button; ++i)
        if (visible_ & (1u << i)) ++place;
    return RECT{place * buttonWidth_, 0, (place + 1) * buttonWidth_, height};
}

int TMediaButtonRow::ButtonAt(int x) const {
    int start = 0;
    for (int i = 0; i < kMediaButtonCount; ++i) {
        if (!(visible_ & (1u << i))) continue;
        if (x >= start && x <= start + buttonWidth_) return i;
        start += buttonWidth_;
    }
    return kNoMediaButton;
}

const TClassInfo& TMediaPlayer::StaticClassInfo() {
    using C = TMediaPlayer;
    static const TClassInfo info = DefineClass<C>(
        "TMediaPlayer", &TWinControl::StaticClassInfo(),
        {props::Set("VisibleButtons", MPBtnTypeEnum, &C::VisibleButtons, &C::SetVisibleButtons),
         props::Set("EnabledButtons", MPBtnTypeEnum, &C::EnabledButtons, &C::SetEnabledButtons),
         props::Set("ColoredButtons", MPBtnTypeEnum, &C::ColoredButtons, &C::SetColoredButtons),
         props::Enum("Mode", MPModesEnum, &C::Mode, nullptr), props::Event("OnClick", &C::OnButtonClick)});
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TWinControl(owner) {
    width_ = 253;
    height_ = 30;
}

void TMediaPlayer::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    // A window laid over the player stays whole when the player paints.
    p.Style |= WS_CLIPSIBLINGS;
}

void TMediaPlayer::SetButtons(uint32_t& field, uint32_t buttons) {
    buttons &= kAllMediaButtons;
    if (field == buttons) return;
    field = buttons;
    Invalidate();
}

void TMediaPlayer::SetVisibleButtons(uint32_t buttons) { SetButtons(visible_, buttons); }
void TMediaPlayer::SetEnabledButtons(uint32_t buttons) { SetButtons(enabled_, buttons); }
void TMediaPlayer::SetColoredButtons(uint32_t buttons) { SetButtons(colored_, buttons); }

void TMediaPlayer::ButtonClick(TMPBtnType button) {
    bool doDefault = true;
    if (OnButtonClick) OnButtonClick(this, button, doDefault);
    if (doDefault) RunAction(button);
}

void TMediaPlayer::RunAction(TMPBtnType button) {
    switch (button) {
        case btPlay:
            mode_ = mpPlaying;
            break;
        case btPause:
            if (mode_ == mpPlaying || mode_ == mpRecording) mode_ = mpPaused;
            else if (mode_ == mpPaused) mode_ = mpPlaying;
            break;
        case btStop:
            mode_ = mpStopped;
            break;
        case btRecord:
            mode_ = mpRecording;
            break;
        case btEject:
            mode_ = mpOpen;
            break;
        default:  // moving within the medium keeps the mode
            break;
    }
}

void TMediaPlayer::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int button = TMediaButtonRow(visible_, ClientWidth()).ButtonAt(GET_X_LPARAM(m.LParam));
            pressed_ = button != kNoMediaButton && (enabled_ & (1u << button)) ? button : kNoMediaButton;
            if (pressed_ != kNoMediaButton) SetCapture(handle_);
            Invalidate();
            DispatchMouseDown(m);
            return;
        }
        case WM_LBUTTONUP: {
            const int pressed = pressed_;
            pressed_ = kNoMediaButton;
            if (GetCapture() == handle_) ReleaseCapture();
            Invalidate();
            const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            const RECT client = ClientRect();
            if (pressed != kNoMediaButton && PtInRect(&client, p) &&
                TMediaButtonRow(visible_, ClientWidth()).ButtonAt(p.x) == pressed)
                ButtonClick(static_cast<TMPBtnType>(pressed));
            return;
        }
        case WM_CANCELMODE:
            if (pressed_ != kNoMediaButton) {
                pressed_ = kNoMediaButton;
                if (GetCapture() == handle_) ReleaseCapture();
                Invalidate();
            }
            break;
        default:
            break;
    }
    TWinControl::WndProc(m);
}

void TMediaPlayer::LoadGlyphs() {
    if (glyphsLoaded_) return;
    glyphsLoaded_ = true;
    for (int i = 0; i < kMediaButtonCount; ++i)
        for (TMediaGlyphLook look : {mgEnabled, mgDisabled, mgColored})
            LoadMediaGlyph(look, static_cast<TMPBtnType>(i), glyphs_[static_cast<size_t>(i)][look]);
}

void TMediaPlayer::PaintWindow(HDC dc) {
    PaintBackground(dc);
    LoadGlyphs();
    const TMediaButtonRow row(visible_, ClientWidth());
    for (int i = 0; i < kMediaButtonCount; ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        RECT cell = row.Cell(button, ClientHeight());
        if (IsRectEmpty(&cell)) continue;
        const bool pressed = pressed_ == i;
        const bool enabled = (enabled_ & MediaButtonBit(button)) != 0;
        DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        const TMediaGlyphLook look = !enabled                                   ? mgDisabled
                                     : (colored_ & MediaButtonBit(button)) != 0 ? mgColored
                                                                                : mgEnabled;
        DrawMediaGlyph(dc, cell, glyphs_[static_cast<size_t>(i)][look], pressed);
    }
}

void RegisterMediaPlayer() { RegisterComponentClass(TMediaPlayer::StaticClassInfo()); }

}  // namespace velloran
