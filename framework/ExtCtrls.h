#pragma once
// Components beside the standard controls: the timer, panels, radio groups and check groups.
#include <memory>
#include <vector>

#include "framework/StdCtrls.h"

namespace velloran {

class TTimer : public TComponent {
    VELLORAN_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;
    void Loaded() override;

private:
    // Starts or stops the platform timer to match Enabled, Interval and OnTimer.
    void Update();
    bool enabled_ = true;
    int interval_ = 1000;
    std::unique_ptr<TUtilWindow> window_;
    TTimerHandle timer_;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo BevelCutEnum;

// A plain container: an outer and an inner bevel, BorderWidth pixels of its Color between them,
// and its caption in the middle, placed by Alignment.
class TCustomPanel : public TWinControl {
    VELLORAN_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* owner);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v) { Changed(bevelInner_, v); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v) { Changed(bevelOuter_, v); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);  // at least 1
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);  // at least 0
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v) { Changed(alignment_, v); }
    void WndProc(TMessage& message) override;

protected:
    void PaintWindow(HDC dc) override;

private:
    template <class V>
    void Changed(V& field, V value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    VELLORAN_CLASS(TPanel)
public:
    using TCustomPanel::TCustomPanel;
};

// A group box holding one button per line of Items, arranged top to bottom in Columns
// columns. The buttons have no names; the group owns them and is their parent.
class TCustomItemGroup : public TCustomGroupBox {
    VELLORAN_CLASS(TCustomItemGroup)
public:
    explicit TCustomItemGroup(TComponent* owner);
    TStrings* Items() const { return items_.get(); }
    int Columns() const { return columns_; }
    void SetColumns(int v);  // 1 to 16
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    void Loaded() override;

protected:
    // Makes the button for one more item; the group gives it its caption and place.
    virtual TWinControl* NewButton() = 0;
    // Called after the buttons were made or dropped to match the items.
    virtual void ButtonsChanged() {}
    void BoundsChanged() override;
    void FontChanged() override;

    std::vector<TWinControl*> buttons_;

private:
    void UpdateButtons();
    void ArrangeButtons();
    std::unique_ptr<TStringList> items_;
    int columns_ = 1;
};

// Where the group puts button index of count: columns filled top to bottom, one after the
// other, below a caption fontHeight pixels high.
RECT ItemButtonBounds(int index, int count, int columns, SIZE groupSize, int fontHeight);

// One choice of Items: ItemIndex is the checked button, -1 for none. A change, by the user or
// by ItemIndex, runs the group's click handler.
class TRadioGroup : public TCustomItemGroup {
    VELLORAN_CLASS(TRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);  // held within -1 and the last item
    TRadioButton* Buttons(int index) const;

protected:
    TWinControl* NewButton() override;
    void ButtonsChanged() override;

private:
    void ButtonClicked(TRadioButton* button);
    int itemIndex_ = -1;
    bool syncing_ = false;  // the buttons are being set to match itemIndex_
};

// Any number of the choices of Items; a change runs the group's click handler.
class TCheckGroup : public TCustomItemGroup {
    VELLORAN_CLASS(TCheckGroup)
public:
    explicit TCheckGroup(TComponent* owner);
    TCheckBox* Buttons(int index) const;
    bool Checked(int index) const { return Buttons(index)->Checked(); }
    void SetChecked(int index, bool v) { Buttons(index)->SetChecked(v); }

protected:
    TWinControl* NewButton() override;
};

void RegisterExtControls();

}  // namespace velloran
