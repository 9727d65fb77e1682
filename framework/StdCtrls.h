#pragma once
// The standard controls: label, single- and multi-line edit, push button, check box, radio
// button, group box.
#include <memory>

#include "framework/Controls.h"

namespace velloran {

class TLabel : public TGraphicControl {
    VELLORAN_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

protected:
    void Paint(TCanvas& canvas) override;

private:
    bool transparent_ = false;
    bool wordWrap_ = false;
};

class TEdit : public TWinControl {
    VELLORAN_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    void SelectAll();

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

    int maxLength_ = 0;
    bool readOnly_ = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleEnum;

class TMemo;

// The lines of a memo, read from and written to its edit window as the window counts them:
// no word wrap, and an empty last line (text ending in a break) is not a line.
class TMemoStrings : public TStrings {
    VELLORAN_CLASS(TMemoStrings)
public:
    explicit TMemoStrings(TMemo& memo) : memo_(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Insert(int index, const std::string& value) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(const std::string& text) override;

    // The longest line Get returns.
    static constexpr int kMaxLineLength = 4096;

private:
    TMemo& memo_;
};

class TMemo : public TEdit {
    VELLORAN_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);
    TStrings* Lines() const { return lines_.get(); }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
};

class TButton : public TWinControl {
    VELLORAN_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentEnum;
// The alignments of a caption beside a box: the first two of TAlignment.
extern const TEnumInfo LeftRightEnum;

// Check boxes and radio buttons: a system button drawn as a box beside its caption. Alignment
// taRightJustify puts the caption right of the box, taLeftJustify left of it (BS_LEFTTEXT).
class TCheckControl : public TWinControl {
    VELLORAN_CLASS(TCheckControl)
public:
    explicit TCheckControl(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    // The style is fixed at creation: a window that exists is made again.
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TAlignment alignment_ = taRightJustify;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
extern const TEnumInfo CheckBoxStateEnum;

class TCheckBox : public TCheckControl {
    VELLORAN_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    // Changing the state runs the click handler, as a click by the user would.
    void SetState(TCheckBoxState s);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void Toggle();
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

// One choice of several: checking it unchecks the other radio buttons of its parent. Like the
// platform's framework, only the checked one is a tab stop; the arrow keys move the focus to
// its neighbours, and one that gets the focus from the keyboard checks itself.
class TRadioButton : public TCheckControl {
    VELLORAN_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    // Checking runs the click handler, as a click by the user would; unchecking does not.
    void SetChecked(bool v);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void TurnSiblingsOff();
    bool checked_ = false;
};

// A frame with a caption around other controls: a system button of style BS_GROUPBOX. Its
// inside shows its Color, or what its parent paints there when ParentBackground is set.
class TCustomGroupBox : public TWinControl {
    VELLORAN_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* owner);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TCustomGroupBox {
    VELLORAN_CLASS(TGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

void RegisterStdControls();

}  // namespace velloran
