#include "skin/controls/SkinMediaPlayer.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "skin/data/SkinImage.h"
#include "skin/data/WinSkinData.h"

namespace velloran {

namespace {

// The frames of the skin's button strip that the panel uses.
enum TPanelButtonFrame { pfNormal = 1, pfPressed = 2, pfDisabled = 3 };

// The button's name as it occurs, lower-cased, in the text of a set of buttons ("[btplay,btstop]").
constexpr const char* kButtonNames[kMediaButtonCount] = {"play", "pause", "stop", "next", "prev",
                                                         "step", "back",  "record", "eject"};

bool InSet(const std::string& lowerSet, int button) { return lowerSet.find(kButtonNames[button]) != std::string::npos; }

std::string LowerSetText(const TControl* player, std::string_view name) {
    std::wstring text = TSkinControl::GetPropText(player, name);
    std::string lower(text.begin(), text.end());
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return lower;
}

}  // namespace

const TClassInfo& TWMediaPlayer::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TWMediaPlayer>("TWMediaPlayer", &TWinControl::StaticClassInfo());
    return info;
}

TWMediaPlayer::TWMediaPlayer(TComponent* owner, TControl* player, TSkinData* skinData)
    : TWinControl(owner), player_(player), skinData_(skinData) {
    for (int i = 0; i < kMediaButtonCount; ++i)
        for (TMediaGlyphLook look : {mgEnabled, mgDisabled, mgColored})
            LoadMediaGlyph(look, static_cast<TMPBtnType>(i), glyphs_[static_cast<size_t>(i)][look]);
    ReadButtons();
}

void TWMediaPlayer::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_CLIPSIBLINGS;
}

void TWMediaPlayer::ReadButtons() {
    const std::string visible = LowerSetText(player_, "VisibleButtons");
    const std::string enabled = LowerSetText(player_, "EnabledButtons");
    const std::string coloured = LowerSetText(player_, "ColoredButtons");
    visibleCount_ = 0;
    for (int i = 0; i < kMediaButtonCount; ++i) {
        visible_[static_cast<size_t>(i)] = InSet(visible, i);
        enabled_[static_cast<size_t>(i)] = InSet(enabled, i);
        coloured_[static_cast<size_t>(i)] = InSet(coloured, i);
        if (visible_[static_cast<size_t>(i)]) ++visibleCount_;
    }
    buttonWidth_ = Row().ButtonWidth();
}

TMediaButtonRow TWMediaPlayer::Row() const {
    uint32_t visible = 0;
    for (int i = 0; i < kMediaButtonCount; ++i)
        if (visible_[static_cast<size_t>(i)]) visible |= 1u << i;
    return TMediaButtonRow(visible, ClientWidth());
}

void TWMediaPlayer::PaintWindow(HDC target) {
    ReadButtons();
    const RECT client = ClientRect();
    TOffscreen off(target, client.right, client.bottom);
    if (!off) return;
    HDC dc = off.DC();
    TBrushHandle face(CreateSolidBrush(ColorToRGB(static_cast<TColor>(skinData_->Colors[ciButtonFace]))));
    FillRect(dc, &client, face.get());
    const TMediaButtonRow row = Row();
    TDataSkinButton& image = skinData_->Button;
    for (int i = 0; i < kMediaButtonCount && !image.Bitmap->Empty(); ++i) {
        const auto button = static_cast<TMPBtnType>(i);
        const RECT cell = row.Cell(button, client.bottom);
        if (IsRectEmpty(&cell)) continue;
        const bool enabled = enabled_[static_cast<size_t>(i)];
        const bool down = PressedButton() == i;
        const int frame = down ? pfPressed : !enabled ? pfDisabled : pfNormal;
        DrawSkinObject(dc, cell, *image.Bitmap, false, image.Tile == 1, image.Trans == 1, image.Frame, frame,
                       image.Margins());
        const TMediaGlyphLook look = !enabled                              ? mgDisabled
                                     : coloured_[static_cast<size_t>(i)] ? mgColored
                                                                         : mgEnabled;
        DrawMediaGlyph(dc, cell, glyphs_[static_cast<size_t>(i)][look], down);
    }
    off.CopyTo(target, 0, 0);
}

void TWMediaPlayer::Press(TMessage& m) {
    pressed_ = true;
    player_->Perform(m.Msg, m.WParam, m.LParam);
    // The player took the mouse for its own press; the panel holds it, so that the release comes
    // back here wherever it happens.
    ReleaseCapture();
    SetCapture(handle_);
    pressedButton_ = Row().ButtonAt(GET_X_LPARAM(m.LParam));
    Invalidate();
}

void TWMediaPlayer::Release(TMessage& m) {
    if (!pressed_) return;
    pressed_ = false;
    if (GetCapture() == handle_) ReleaseCapture();
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const RECT client = ClientRect();
    if (PtInRect(&client, p) && Row().ButtonAt(p.x) == pressedButton_)
        player_->Perform(m.Msg, m.WParam, m.LParam);
    else
        // The player's own press is called off, so that it shows no held button once it is seen again.
        player_->Perform(WM_CANCELMODE);
    pressedButton_ = kNoMediaButton;
    Invalidate();
}

void TWMediaPlayer::WndProc(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            Press(m);
            return;
        case WM_LBUTTONUP:
            Release(m);
            return;
        case WM_ERASEBKGND:
            m.Result = 1;
            return;
        default:
            TWinControl::WndProc(m);
    }
}

const TClassInfo& TSkinMP::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSkinMP>("TSkinMP", &TSkinControl::StaticClassInfo());
    return info;
}

TSkinMP::~TSkinMP() { FreePanel(); }

void TSkinMP::InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::InitSkin(form, skinData, useSkinColour, canvas);
    if (!Attached) return;
    panel_ = new TWMediaPlayer(this, Control, skinData);
    panel_->SetTag(skinData->DisableTag());
    panel_->SetParent(Control->Parent());
    FollowPlayer();
    SetWindowPos(panel_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSkinMP::FollowPlayer() {
    if (!panel_ || !Control) return;
    panel_->SetBounds(Control->Left(), Control->Top(), Control->Width(), Control->Height());
    panel_->SetVisible(Control->Visible() && SkinActive);
}

void TSkinMP::AfterProc(TMessage& m) {
    TSkinControl::AfterProc(m);
    if (m.Msg == WM_WINDOWPOSCHANGED || m.Msg == CM_VISIBLECHANGED) FollowPlayer();
}

void TSkinMP::SkinSwitched(bool on) {
    if (!panel_) return;
    panel_->SetVisible(on && Control && Control->Visible());
    if (!on && Control) Control->Invalidate();
}

void TSkinMP::SkinChanged() {
    TSkinControl::SkinChanged();
    if (panel_) panel_->Invalidate();
}

void TSkinMP::RestoreControl() {
    TSkinControl::RestoreControl();
    if (State == sgWindowDestroyed) return;
    FreePanel();
    if (Control) Control->Invalidate();
}

void TSkinMP::FreePanel() {
    TWMediaPlayer* panel = panel_;
    panel_ = nullptr;
    if (panel) Free(panel);
}

}  // namespace velloran
