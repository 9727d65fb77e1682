#include "framework/StdCtrls.h"

#include <stdexcept>

#include "framework/Forms.h"
#include "framework/LineBreaks.h"

namespace velloran {

const TEnumInfo ScrollStyleEnum{{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
const TEnumInfo CheckBoxStateEnum{{"cbUnchecked", "cbChecked", "cbGrayed"}};
const TEnumInfo AlignmentEnum{{"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo LeftRightEnum{{"taLeftJustify", "taRightJustify"}};

// ---- TLabel ------------------------------------------------------------------------------

const TClassInfo& TLabel::StaticClassInfo() {
    using C = TLabel;
    static const TClassInfo info =
        DefineClass<C>("TLabel", &TGraphicControl::StaticClassInfo(),
                       {props::Bool("Transparent", &C::Transparent, &C::SetTransparent),
                        props::Bool("WordWrap", &C::WordWrap, &C::SetWordWrap)});
    return info;
}

// A label shows its parent's colour unless it is given one.
TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { parentColor_ = true; }

void TLabel::SetTransparent(bool v) {
    transparent_ = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v) {
    wordWrap_ = v;
    Invalidate();
}

void TLabel::Paint(TCanvas& canvas) {
    RECT r = ClientRect();
    HDC dc = canvas.Handle();
    if (!transparent_) {
        TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
        FillRect(dc, &r, brush.get());
    }
    TSelectObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Enabled() ? Font()->Color() : clGrayText)));
    UINT flags = DT_LEFT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &r, flags);
}

// ---- TEdit -------------------------------------------------------------------------------

const TClassInfo& TEdit::StaticClassInfo() {
    using C = TEdit;
    static const TClassInfo info = DefineClass<C>(
        "TEdit", &TWinControl::StaticClassInfo(),
        {props::Int("MaxLength", &C::MaxLength, &C::SetMaxLength), props::Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly),
         props::Event("OnChange", &C::OnChange)});
    return info;
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    color_ = clWindow;
    width_ = 121;
    height_ = 21;
}

void TEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "EDIT";
    p.Style |= ES_AUTOHSCROLL | ES_LEFT;
    if (readOnly_) p.Style |= ES_READONLY;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TEdit::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TEdit::SetMaxLength(int v) {
    maxLength_ = v;
    if (handle_) SendMessageA(handle_, EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (handle_) SendMessageA(handle_, EM_SETREADONLY, v, 0);
}

void TEdit::SelectAll() {
    if (handle_) SendMessageA(handle_, EM_SETSEL, 0, -1);
}

void TEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
        if (OnChange) OnChange(this);
        return;
    }
    if (m.Msg == WM_GETDLGCODE) {
        TWinControl::WndProc(m);
        // A multi-line edit asks for every key; one without WantReturns leaves Enter to the form.
        if (m.WParam == VK_RETURN && (GetWindowLongA(handle_, GWL_STYLE) & (ES_MULTILINE | ES_WANTRETURN)) == ES_MULTILINE)
            m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TWinControl::WndProc(m);
}

// ---- TMemo -------------------------------------------------------------------------------

const TClassInfo& TMemoStrings::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMemoStrings>("TMemoStrings", &TStrings::StaticClassInfo());
    return info;
}

int TMemoStrings::Count() const {
    HWND wnd = memo_.Handle();
    int count = static_cast<int>(SendMessageA(wnd, EM_GETLINECOUNT, 0, 0));
    // The edit control counts an empty last line after a final break; the list does not.
    int lastStart = static_cast<int>(SendMessageA(wnd, EM_LINEINDEX, static_cast<WPARAM>(count - 1), 0));
    if (lastStart >= 0 && SendMessageA(wnd, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0) == 0) --count;
    return count;
}

std::string TMemoStrings::Get(int index) const {
    HWND wnd = memo_.Handle();
    if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    std::string buf(kMaxLineLength + 1, '\0');
    *reinterpret_cast<WORD*>(buf.data()) = static_cast<WORD>(kMaxLineLength);
    LRESULT n = SendMessageA(wnd, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(n));
    // The rich text control gives a line with its paragraph mark; a line never holds its break.
    while (!buf.empty() && (buf.back() == '\r' || buf.back() == '\n')) buf.pop_back();
    return buf;
}

void TMemoStrings::Insert(int index, const std::string& value) {
    auto lines = ToVector();
    if (index < 0 || index > static_cast<int>(lines.size()))
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    lines.insert(lines.begin() + index, value);
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    SetText(text);
}

void TMemoStrings::Delete(int index) {
    auto lines = ToVector();
    if (index < 0 || index >= static_cast<int>(lines.size()))
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    lines.erase(lines.begin() + index);
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    SetText(text);
}

void TMemoStrings::Clear() { SetText(""); }

std::string TMemoStrings::Text() const { return memo_.Text(); }

void TMemoStrings::SetText(const std::string& text) {
    // The edit window wants CR LF; a lone CR or LF would show as a box.
    const std::string normalized = NormalizeLineBreaks(text);
    HWND wnd = memo_.Handle();
    if (!SendMessageA(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(normalized.c_str())))
        throw std::runtime_error("Text exceeds memo capacity");
}

const TClassInfo& TMemo::StaticClassInfo() {
    using C = TMemo;
    static const TClassInfo info = DefineClass<C>(
        "TMemo", &TEdit::StaticClassInfo(),
        {props::SubObject("Lines", &C::Lines), props::Enum("ScrollBars", ScrollStyleEnum, &C::ScrollBars, &C::SetScrollBars),
         props::Bool("WordWrap", &C::WordWrap, &C::SetWordWrap),
         props::Bool("WantReturns", &C::WantReturns, &C::SetWantReturns)});
    return info;
}

TMemo::TMemo(TComponent* owner) : TEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
    width_ = 185;
    height_ = 89;
}

void TMemo::CreateParams(TCreateParams& p) {
    TEdit::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | (wantReturns_ ? ES_WANTRETURN : 0);
    if (!wordWrap_ || scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= ES_AUTOHSCROLL;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle s) {
    if (scrollBars_ == s) return;
    scrollBars_ = s;
    std::string text = Text();
    RecreateWnd();
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TMemo::SetWordWrap(bool v) {
    if (wordWrap_ == v) return;
    wordWrap_ = v;
    std::string text = Text();
    RecreateWnd();
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

// ---- TButton -----------------------------------------------------------------------------

const TClassInfo& TButton::StaticClassInfo() {
    using C = TButton;
    static const TClassInfo info = DefineClass<C>(
        "TButton", &TWinControl::StaticClassInfo(),
        {props::Bool("Default", &C::Default, &C::SetDefault), props::Bool("Cancel", &C::Cancel, &C::SetCancel),
         props::Int("ModalResult", &C::ModalResult, &C::SetModalResult)});
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    width_ = 75;
    height_ = 25;
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
    default_ = v;
    if (handle_) SendMessageA(handle_, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (TForm* form = ParentForm(); form && modalResult_ != 0) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) {
            Click();
            return;
        }
        break;
    case CM_DIALOGKEY: {
        // Enter presses the focused push button; the default button only when none has the focus.
        bool buttonFocused = dynamic_cast<TButton*>(FromHandle(GetFocus())) != nullptr;
        bool enter = m.WParam == VK_RETURN && (Focused() || (default_ && !buttonFocused));
        if (enter || (m.WParam == VK_ESCAPE && cancel_)) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    }
    default:
        break;
    }
    TWinControl::WndProc(m);
}

// ---- TCheckControl -----------------------------------------------------------------------

const TClassInfo& TCheckControl::StaticClassInfo() {
    using C = TCheckControl;
    static const TClassInfo info = DefineClass<C>(
        "TCheckControl", &TWinControl::StaticClassInfo(),
        {props::Enum("Alignment", LeftRightEnum, &C::Alignment, &C::SetAlignment)});
    return info;
}

TCheckControl::TCheckControl(TComponent* owner) : TWinControl(owner) {}

void TCheckControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCheckControl::SetAlignment(TAlignment a) {
    if (alignment_ == a) return;
    alignment_ = a;
    RecreateWnd();
}

// ---- TCheckBox ---------------------------------------------------------------------------

const TClassInfo& TCheckBox::StaticClassInfo() {
    using C = TCheckBox;
    static const TClassInfo info = DefineClass<C>(
        "TCheckBox", &TCheckControl::StaticClassInfo(),
        {props::Enum("State", CheckBoxStateEnum, &C::State, &C::SetState), props::Bool("Checked", &C::Checked, &C::SetChecked),
         props::Bool("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed)});
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TCheckControl(owner) {
    SetTabStop(true);
    width_ = 97;
    height_ = 17;
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TCheckControl::CreateParams(p);
    // The box does not check itself: the control decides the next state and runs Click.
    p.Style |= BS_3STATE;
}

void TCheckBox::InitializeWnd() {
    TCheckControl::InitializeWnd();
    SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCheckBox::SetState(TCheckBoxState s) {
    if (state_ == s) return;
    state_ = s;
    if (handle_) SendMessageA(handle_, BM_SETCHECK, static_cast<WPARAM>(s), 0);
    // While form data is read the value is only stored, as the designer's value.
    if (!HasState(csReading)) Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Toggle();
        return;
    }
    TCheckControl::WndProc(m);
}

// ---- TRadioButton ------------------------------------------------------------------------

const TClassInfo& TRadioButton::StaticClassInfo() {
    using C = TRadioButton;
    static const TClassInfo info = DefineClass<C>("TRadioButton", &TCheckControl::StaticClassInfo(),
                                                  {props::Bool("Checked", &C::Checked, &C::SetChecked)});
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TCheckControl(owner) {
    width_ = 113;
    height_ = 17;
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TCheckControl::CreateParams(p);
    // Not an automatic radio button: the control checks itself and its siblings.
    p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::InitializeWnd() {
    TCheckControl::InitializeWnd();
    SendMessageA(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
    if (checked_ == v) return;
    checked_ = v;
    SetTabStop(v);
    if (handle_) SendMessageA(handle_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!v) return;
    TurnSiblingsOff();
    // While form data is read the value is only stored, as the designer's value.
    if (!HasState(csReading)) Click();
}

void TRadioButton::TurnSiblingsOff() {
    if (!parent_) return;
    for (int i = 0; i < parent_->ControlCount(); ++i)
        if (auto* sibling = dynamic_cast<TRadioButton*>(parent_->Controls(i)); sibling && sibling != this) {
            sibling->SetChecked(false);
            sibling->SetTabStop(false);  // it may have stood in while none was checked
        }
}

void TRadioButton::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        SetChecked(true);
        return;
    }
    TCheckControl::WndProc(m);
    // Reached by the keyboard (an arrow, Tab) it checks itself, as the platform's dialogs do;
    // a press of the mouse leaves that to the click.
    if (m.Msg == WM_SETFOCUS && GetCapture() != handle_ && GetKeyState(VK_LBUTTON) >= 0) SetChecked(true);
}

// ---- TCustomGroupBox ---------------------------------------------------------------------

const TClassInfo& TCustomGroupBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TCustomGroupBox>("TCustomGroupBox", &TWinControl::StaticClassInfo());
    return info;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClassInfo());
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_GROUPBOX;
}

void TCustomGroupBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        // The system group box erases nothing: its inside is ours to fill.
        PaintBackground(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return;
    case CN_CTLCOLORSTATIC:
        // The caption is backed by the colour its surroundings show.
        if (ParentBackground() && parent_) {
            m.Result = parent_->Perform(m.Msg, m.WParam, m.LParam);
            SetTextColor(reinterpret_cast<HDC>(m.WParam), static_cast<COLORREF>(ColorToRGB(Font()->Color())));
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

void RegisterStdControls() {
    for (const TClassInfo* c :
         {&TLabel::StaticClassInfo(), &TEdit::StaticClassInfo(), &TMemo::StaticClassInfo(), &TButton::StaticClassInfo(),
          &TCheckBox::StaticClassInfo(), &TRadioButton::StaticClassInfo(), &TGroupBox::StaticClassInfo()})
        RegisterComponentClass(*c);
}

}  // namespace velloran
