#pragma once
// The status bar: a row of panels at the bottom of a window, or one simple text across it.
#include <functional>
#include <string>
#include <vector>

#include "framework/StdCtrls.h"

namespace velloran {

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };
extern const TEnumInfo StatusPanelBevelEnum;
extern const TEnumInfo StatusPanelStyleEnum;

class TStatusBar;

// One panel: its text, width, bevel and alignment, or drawn by the bar's owner.
class TStatusPanel : public TPersistent {
    VELLORAN_CLASS(TStatusPanel)
public:
    explicit TStatusPanel(TStatusBar& bar) : bar_(bar) {}
    std::string Text() const { return text_; }
    void SetText(const std::string& text) { Changed(text_, text); }
    int Width() const { return width_; }
    void SetWidth(int width) { Changed(width_, width); }
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel) { Changed(bevel_, bevel); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Changed(alignment_, alignment); }
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style) { Changed(style_, style); }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode mode) { Changed(biDiMode_, mode); }
    // Right-to-left panels swap left and right alignment.
    bool UseRightToLeftAlignment() const { return biDiMode_ == bdRightToLeft; }

private:
    // Every change reaches the bar's window.
    template <class V, class A>
    void Changed(V& field, const A& value);

    TStatusBar& bar_;
    std::string text_;
    int width_ = 50;
    TStatusPanelBevel bevel_ = pbLowered;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelStyle style_ = psText;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

using TDrawPanelEvent = std::function<void(TStatusBar*, TStatusPanel*, HDC, const RECT&)>;

class TStatusBar : public TWinControl {
    VELLORAN_CLASS(TStatusBar)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;

    TStatusPanel* AddPanel(const std::string& text, int width);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    TStatusPanel* Panels(int index) const { return panels_.at(static_cast<size_t>(index)).get(); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    std::string SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);

    // Draws an owner-draw panel's contents: asked by the bar, and by whoever paints the bar.
    TDrawPanelEvent OnDrawPanel;
    void DrawPanel(TStatusPanel& panel, HDC dc, const RECT& rect);

    void WndProc(TMessage& message) override;
    // Sends the panels to the window again after one of them changed.
    void PanelsChanged();

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void BiDiModeChanged() override;

private:
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
};

template <class V, class A>
void TStatusPanel::Changed(V& field, const A& value) {
    field = value;
    bar_.PanelsChanged();
}

}  // namespace velloran
