#pragma once
// The tool bar: a row of buttons with captions, some of them opening a drop-down menu, with
// custom-draw events for its background and its buttons.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };
extern const TEnumInfo ToolButtonStyleEnum;

// One button of a tool bar; the tool bar owns it.
class TToolButton : public TComponent {
    VELLORAN_CLASS(TToolButton)
public:
    explicit TToolButton(TComponent* owner);
    std::string Caption() const { return caption_; }
    TToolButtonStyle Style() const { return style_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // The menu a drop-down button opens below itself.
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    TToolBar* ToolBar() const { return bar_; }
    int Index() const;
    TNotifyEvent OnClick;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;
    std::string caption_;
    TToolButtonStyle style_ = tbsButton;
    bool enabled_ = true;
    TPopupMenu* dropdownMenu_ = nullptr;
    TToolBar* bar_ = nullptr;
};

// What the tool bar leaves out when it draws a button after its custom-draw handler.
enum TToolDrawFlag : uint32_t { tdNoEdges = 1, tdNoBackground = 2 };

// The bar's background before its buttons, on the bar's Canvas; defaultDraw false leaves the
// whole bar to the handler.
using TToolBarCustomDrawEvent = std::function<void(TToolBar*, const RECT&, bool& defaultDraw)>;
// One button before the bar draws it, on the bar's Canvas, whose font colour (the bar's own to
// begin with) the bar then gives the caption; flags leave parts of the default look out, defaultDraw false all of it.
using TToolBarCustomDrawButtonEvent =
    std::function<void(TToolBar*, TToolButton*, const NMTBCUSTOMDRAW&, uint32_t& flags, bool& defaultDraw)>;

class TToolBar : public TWinControl {
    VELLORAN_CLASS(TToolBar)
public:
    explicit TToolBar(TComponent* owner);

    TToolButton* AddButton(const std::string& caption, TToolButtonStyle style = tbsButton);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
    // The button's rectangle in the bar's client area; empty before the window exists.
    RECT ButtonRect(int index);

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // Holds the DC while a custom-draw handler runs.
    TCanvas& Canvas() { return canvas_; }

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void InsertButton(int index);
    LRESULT CustomDraw(NMTBCUSTOMDRAW& draw);
    void DropDown(int index);

    std::vector<TToolButton*> buttons_;
    bool flat_ = false;
    TCanvas canvas_;
};

void RegisterToolBars();

}  // namespace velloran
