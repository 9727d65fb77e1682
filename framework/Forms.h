#pragma once
// Forms, the application object with its message loop and error box, and the screen.
#include <exception>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

class TMainMenu;
class TMenuItem;

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : uint32_t { biSystemMenu, biMinimize, biMaximize, biHelp };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
extern const TEnumInfo BorderStyleEnum, BorderIconEnum, PositionEnum, WindowStateEnum, FormStyleEnum;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject*, TCloseAction&)>;
using TCloseQueryEvent = std::function<void(TObject*, bool&)>;

class TSizeConstraints : public TPersistent {
    VELLORAN_CLASS(TSizeConstraints)
public:
    int MinWidth() const { return minWidth_; }
    int MinHeight() const { return minHeight_; }
    int MaxWidth() const { return maxWidth_; }
    int MaxHeight() const { return maxHeight_; }
    void SetMinWidth(int v) { minWidth_ = v; }
    void SetMinHeight(int v) { minHeight_ = v; }
    void SetMaxWidth(int v) { maxWidth_ = v; }
    void SetMaxHeight(int v) { maxHeight_ = v; }
    // Applies the limits to the platform's min/max request.
    void Apply(MINMAXINFO& info) const;

private:
    int minWidth_ = 0, minHeight_ = 0, maxWidth_ = 0, maxHeight_ = 0;
};

class TForm : public TWinControl {
    VELLORAN_CLASS(TForm)
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    uint32_t BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(uint32_t icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormStyle FormStyle() const { return formStyle_; }
    // A form with a window gets a new one in the new style.
    void SetFormStyle(TFormStyle style);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool v) { autoScroll_ = v; }
    TSizeConstraints* Constraints() const { return constraints_.get(); }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The item of the main menu under which an MDI frame lists its children.
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);

    // MDI frame (fsMDIForm): the client window that holds the children, and the children in the
    // client's z-order, the active one first. Hidden children count too.
    HWND ClientHandle() const { return clientHandle_.get(); }
    int MDIChildCount() const;
    TForm* MDIChildren(int index) const;
    TForm* ActiveMDIChild() const;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    void Next();
    void Previous();

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int w);
    void SetClientHeight(int h);

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Gives control the focus now if the form is active, or when it next becomes active.
    void FocusControl(TWinControl* control);
    void FocusChanged(TWinControl* control);
    // Moves the focus to the next (or previous) tab stop.
    void SelectNext(TWinControl* current, bool forward);

    // Showing runs OnShow before the window appears; an error raised there goes to the
    // application's box, and the window appears after it.
    void SetVisible(bool visible) override;
    // Runs OnCloseQuery and OnClose, then does the close action: caHide by default, caMinimize
    // for an MDI child (caNone when it has no minimise box), as the frame keeps its children.
    void Close();
    void BringToFront();
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult r) { modalResult_ = r; }
    bool Modal() const { return modal_; }

    TNotifyEvent OnCreate, OnShow, OnHide, OnDestroy, OnActivate, OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void BeforeDestruction() override;
    // An MDI child read from form data comes on screen at once, inside the frame.
    void Loaded() override;

protected:
    // Reads the form data compiled in as resource ClassName(), then runs OnCreate. Called from
    // the constructor of each form class that has form data.
    void LoadFormData();
    void CreateParams(TCreateParams& params) override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    // The frame an MDI child is made in: the application's main form unless a form says otherwise.
    virtual TForm* MDIFrame() const;
    void InitializeWnd() override;
    void DestroyWnd() override;
    void SetParentComponent(TComponent*) override {}
    // Called when the application or session ends; answers whether the form agrees.
    virtual bool CloseQuery();

private:
    void DoShow();
    void DoHide();
    void CenterOnScreen();
    void ApplyDesignClientSize();
    RECT PredictedFrame() const;
    bool IsMDIChildWindow() const;
    void CreateMDIClient();
    HMENU WindowMenuHandle();
    // Hands the frame's menu and window menu to the client, which keeps the maximised child's
    // buttons in it.
    void UpdateMDIMenu();
    std::vector<TForm*> MDIChildList() const;
    // Shows the child in windowState_ through its MDI client.
    void ShowMDIChildState();
    void MDIActivated(bool active);

    TBorderStyle borderStyle_ = bsSizeable;
    uint32_t borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    bool autoScroll_ = false;
    std::unique_ptr<TSizeConstraints> constraints_;
    TMainMenu* menu_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
    TWindowHandle clientHandle_;
    int clientWidth_ = 0, clientHeight_ = 0;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool shownOnce_ = false;
};

class TApplication : public TComponent {
    VELLORAN_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // Registers the framework's classes and common controls; call once before anything else.
    void Initialize();
    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool v) { showMainForm_ = v; }
    TForm* MainForm() const { return mainForm_; }
    HWND Handle();
    std::string ExeName() const;

    template <class T>
    void CreateForm(T*& reference) {
        reference = nullptr;
        T* form = new T(this);
        reference = form;
        if (!mainForm_) {
            // The main window exists from the start, shown or not: it answers the session's end.
            form->HandleNeeded();
            mainForm_ = form;
        }
    }

    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Takes and dispatches one message, waiting for it.
    void HandleMessage();
    void ProcessMessages();
    void BringToFront();

    void HandleException(std::exception_ptr error);
    void ShowException(const std::string& message);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage(MSG& msg);
    bool IsMDIMsg(MSG& msg);
    // Alt and a character: the form of the window gets the dialog-character notification first.
    bool IsDialogChar(MSG& msg);
    bool IsDialogKey(MSG& msg);

    std::string title_;
    bool showMainForm_ = true;
    bool terminated_ = false;
    TForm* mainForm_ = nullptr;
    TWindowHandle handle_;
};

class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }
    TForm* ActiveForm() const { return activeForm_; }
    TForm* MainForm() const;

private:
    friend class TForm;
    std::vector<TForm*> forms_;
    TForm* activeForm_ = nullptr;
};

extern TApplication* Application;
extern TScreen* Screen;

// Shows the platform's message box owned by the application; returns the button pressed.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

}  // namespace velloran
