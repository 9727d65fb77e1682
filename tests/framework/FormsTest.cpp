// Forms and the application: size and position of the window, showing, hiding and closing,
// the message loop, errors reported in the application's box, modal forms, the input box,
// forms read from form data, and the timer that runs in the same loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Dialogs.h"
#include "framework/ExtCtrls.h"
#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

constexpr char kDialogData[] = R"(object TestDialog: TTestDialog
  Left = 60
  Top = 60
  BorderStyle = bsDialog
  Caption = 'Test dialog'
  ClientHeight = 120
  ClientWidth = 260
  object NameEdit: TEdit
    Left = 8
    Top = 8
    Width = 244
    Height = 21
    Text = 'initial'
  end
  object RememberBox: TCheckBox
    Left = 8
    Top = 40
    Width = 120
    Height = 17
    Caption = 'Remember'
    Checked = True
    OnClick = RememberBoxClick
  end
  object OkButton: TButton
    Left = 96
    Top = 88
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'OK'
    Default = True
    ModalResult = 1
    OnClick = OkButtonClick
  end
  object CancelButton: TButton
    Left = 177
    Top = 88
    Width = 75
    Height = 25
    Caption = 'Cancel'
    Cancel = True
    ModalResult = 2
  end
  object Ticker: TTimer
    Interval = 10
    OnTimer = TickerTimer
  end
end
)";

// A form whose components, handlers and fields come from form data, as a program's forms do.
class TTestDialog : public TForm {
    VELLORAN_CLASS(TTestDialog)
public:
    explicit TTestDialog(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kDialogData); }

    TEdit* NameEdit = nullptr;
    TCheckBox* RememberBox = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;
    TTimer* Ticker = nullptr;
    int OkClicks = 0, RememberClicks = 0, Ticks = 0;

    void OkButtonClick(TObject*) { ++OkClicks; }
    void RememberBoxClick(TObject*) { ++RememberClicks; }
    void TickerTimer(TObject*) { ++Ticks; }
};

const TClassInfo& TTestDialog::StaticClassInfo() {
    using C = TTestDialog;
    static const TClassInfo info = DefineClass<C>(
        "TTestDialog", &TForm::StaticClassInfo(), {},
        {props::Method("OkButtonClick", &C::OkButtonClick), props::Method("RememberBoxClick", &C::RememberBoxClick),
         props::Method("TickerTimer", &C::TickerTimer)},
        {props::Field("NameEdit", &C::NameEdit), props::Field("RememberBox", &C::RememberBox),
         props::Field("OkButton", &C::OkButton), props::Field("CancelButton", &C::CancelButton),
         props::Field("Ticker", &C::Ticker)});
    return info;
}

TOwned<TForm> MakeForm(TBorderStyle style = bsSizeable) {
    TOwned<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(style);
    form->SetBounds(80, 80, 0, 0);
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    return form;
}

RECT WindowRect(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return r;
}

bool QuitPending() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// ---- size and position --------------------------------------------------------------------

TEST(FormSize, ClientSizeIsExactOnceTheWindowExists) {
    for (TBorderStyle style : {bsSizeable, bsDialog, bsSingle, bsToolWindow}) {
        for (bool withMenu : {false, true}) {
            SCOPED_TRACE(testing::Message() << "border style " << style << (withMenu ? " with menu" : ""));
            TOwned<TForm> form(new TForm(nullptr));
            form->SetBorderStyle(style);
            if (withMenu) {
                auto* menu = new TMainMenu(form.get());
                auto* item = new TMenuItem(form.get());
                item->SetCaption("&Help");
                menu->Items()->Add(item);
                form->SetMenu(menu);
            }
            form->SetClientWidth(333);
            form->SetClientHeight(222);
            form->HandleNeeded();
            RECT client;
            GetClientRect(form->Handle(), &client);
            EXPECT_EQ(client.right, 333);
            EXPECT_EQ(client.bottom, 222);
            EXPECT_EQ(form->ClientWidth(), 333);
            EXPECT_EQ(form->ClientHeight(), 222);
            RECT window = WindowRect(form->Handle());
            EXPECT_EQ(form->Width(), window.right - window.left);
            EXPECT_EQ(form->Height(), window.bottom - window.top);

            form->SetClientWidth(250);
            form->SetClientHeight(180);
            GetClientRect(form->Handle(), &client);
            EXPECT_EQ(client.right, 250);
            EXPECT_EQ(client.bottom, 180);
        }
    }
}

TEST(FormSize, ClientSizeBeforeTheWindowIsTheOneTheWindowGets) {
    TOwned<TForm> form(new TForm(nullptr));
    form->SetBounds(80, 80, 400, 300);  // outer size only, as code often gives it
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(300, 10, 75, 25);
    button->SetAnchors(AnchorBit(akRight) | AnchorBit(akTop));
    const int designedClientWidth = form->ClientWidth();

    form->Show();
    EXPECT_EQ(form->ClientWidth(), designedClientWidth);
    EXPECT_EQ(button->Left(), 300);
    form->SetWidth(450);
    EXPECT_EQ(button->Left(), 350);
}

TEST(FormSize, ConstraintsHoldTheWindowBetweenMinimumAndMaximum) {
    auto form = MakeForm();
    form->Constraints()->SetMinWidth(300);
    form->Constraints()->SetMinHeight(200);
    form->Constraints()->SetMaxWidth(600);
    form->Constraints()->SetMaxHeight(500);
    form->Show();

    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
    EXPECT_EQ(info.ptMaxTrackSize.x, 600);
    EXPECT_EQ(info.ptMaxTrackSize.y, 500);

    form->SetBounds(80, 80, 100, 100);
    RECT r = WindowRect(form->Handle());
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    // The control reports the size the window took, not the one asked for.
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 200);

    form->SetBounds(80, 80, 900, 900);
    EXPECT_EQ(form->Width(), 600);
    EXPECT_EQ(form->Height(), 500);
    r = WindowRect(form->Handle());
    EXPECT_EQ(r.right - r.left, 600);
}

TEST(FormSize, ScreenCenterPutsTheWindowInTheMiddleOfTheWorkArea) {
    auto form = MakeForm(bsDialog);
    form->SetPosition(poScreenCenter);
    form->HandleNeeded();
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r = WindowRect(form->Handle());
    EXPECT_NEAR(r.left + r.right, work.left + work.right, 1);
    EXPECT_NEAR(r.top + r.bottom, work.top + work.bottom, 1);
    EXPECT_EQ(form->Left(), r.left);
    EXPECT_EQ(form->Top(), r.top);
}

// ---- showing, hiding, closing -------------------------------------------------------------

TEST(ShowHide, OnShowRunsBeforeTheWindowAppearsAndOnHideAfterItIsGone) {
    auto form = MakeForm();
    std::vector<std::string> log;
    form->OnShow = [&](TObject*) { log.push_back(IsWindowVisible(form->Handle()) ? "show:visible" : "show:hidden"); };
    form->OnHide = [&](TObject*) { log.push_back(IsWindowVisible(form->Handle()) ? "hide:visible" : "hide:hidden"); };

    form->Show();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(form->Visible());
    form->Show();  // already shown: no second OnShow
    form->Hide();
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(log, (std::vector<std::string>{"show:hidden", "hide:hidden"}));
}

TEST(ShowHide, AFailingOnShowIsReportedAndTheFormComesOnScreenAfterTheBox) {
    auto form = MakeForm();
    form->HandleNeeded();
    const HWND wnd = form->Handle();
    int shows = 0;
    form->OnShow = [&](TObject*) {
        if (++shows == 1) throw std::runtime_error("Cannot open the list");
    };
    std::string text;
    bool onScreenDuringBox = true;
    {
        TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
            text = MessageBoxText(box);
            onScreenDuringBox = IsWindowVisible(wnd) != 0;
            PressDialogButton(box, IDOK);
        });
        EXPECT_NO_THROW(form->Show());
    }
    EXPECT_EQ(text, "Cannot open the list");
    EXPECT_FALSE(onScreenDuringBox);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(IsWindowVisible(wnd));
    // Closed and shown again like any form.
    form->Hide();
    form->Show();
    EXPECT_EQ(shows, 2);
    EXPECT_TRUE(IsWindowVisible(wnd));

    // An OnShow that hides its form keeps it off screen.
    form->Hide();
    form->OnShow = [&](TObject*) { form->Hide(); };
    form->Show();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(IsWindowVisible(wnd));
}

TEST(ShowHide, AFormShownAgainAfterANewWindowStaysOnScreen) {
    auto form = MakeForm();
    form->Show();
    form->SetBorderStyle(bsDialog);  // makes a new window
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 300);
}

TEST(ShowHide, CloseHidesANonMainFormUnlessItsHandlersRefuse) {
    auto form = MakeForm();
    bool canClose = false;
    TCloseAction action = caNone;
    int hides = 0;
    form->OnCloseQuery = [&](TObject*, bool& allowed) { allowed = canClose; };
    form->OnClose = [&](TObject*, TCloseAction& a) {
        EXPECT_EQ(a, caHide);
        a = action;
    };
    form->OnHide = [&](TObject*) { ++hides; };
    form->Show();

    form->Close();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    canClose = true;
    form->Close();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    // The close box of the frame takes the same way.
    action = caHide;
    SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(QuitPending());

    form->Show();
    action = caMinimize;
    form->Close();
    EXPECT_TRUE(IsIconic(form->Handle()));
    EXPECT_EQ(form->WindowState(), wsMinimized);
}

TEST(ShowHide, CloseWithCaFreeFreesTheFormFromTheMessageLoop) {
    auto* form = new TForm(nullptr);
    bool destroyed = false;
    form->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Show();
    const int forms = Screen->FormCount();
    form->Close();
    EXPECT_FALSE(destroyed);  // not from inside its own handler
    ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

// The application object of one test, standing in for the one of the run.
struct TStandInApplication {
    TApplication* const Saved = Application;
    TApplication App{nullptr};
    TStandInApplication() { Application = &App; }
    ~TStandInApplication() {
        App.DestroyComponents();
        Application = Saved;
    }
};

TEST(MessageLoop, ClosingTheMainFormEndsRun) {
    TStandInApplication standIn;
    TForm* mainForm = nullptr;
    standIn.App.CreateForm(mainForm);
    TForm* other = nullptr;
    standIn.App.CreateForm(other);
    ASSERT_EQ(standIn.App.MainForm(), mainForm);
    std::vector<std::string> log;
    other->OnHide = [&](TObject*) { log.push_back("other hidden"); };
    // Once the loop runs: close the other form first, then the main one.
    mainForm->OnShow = [&](TObject*) {
        other->Show();
        PostMessageA(other->Handle(), WM_CLOSE, 0, 0);
        PostMessageA(mainForm->Handle(), WM_CLOSE, 0, 0);
    };
    mainForm->OnClose = [&](TObject*, TCloseAction&) { log.push_back("main closed"); };

    standIn.App.Run();
    EXPECT_TRUE(standIn.App.Terminated());
    EXPECT_EQ(log, (std::vector<std::string>{"other hidden", "main closed"}));
    EXPECT_FALSE(QuitPending());
    EXPECT_FALSE(standIn.Saved->Terminated());
}

// ---- errors -------------------------------------------------------------------------------

// Clicks button and answers the error box that comes up; returns the box's text.
std::string ClickAndReadErrorBox(TButton* button) {
    std::string text;
    {
        TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
            text = MessageBoxText(box);
            PressDialogButton(box, IDOK);
        });
        EXPECT_NO_THROW(SendMessageA(button->Handle(), BM_CLICK, 0, 0));
    }
    return text;
}

TEST(Errors, AnExceptionInAHandlerIsShownInTheApplicationsBox) {
    auto form = MakeForm();
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw std::runtime_error("Cannot reach the player");
    };
    form->Show();

    EXPECT_EQ(ClickAndReadErrorBox(button), "Cannot reach the player");
    EXPECT_EQ(clicks, 1);
    // The control goes on working after the error.
    button->OnClick = [&](TObject*) {
        ++clicks;
        throw 42;
    };
    EXPECT_EQ(ClickAndReadErrorBox(button), "Unknown error");
    EXPECT_EQ(clicks, 2);
}

TEST(Errors, AnExceptionInATimerHandlerIsShownToo) {
    TOwned<TTimer> timer(new TTimer(nullptr));
    int fired = 0;
    timer->OnTimer = [&](TObject*) {
        ++fired;
        timer->SetEnabled(false);
        throw std::runtime_error("Timer failed");
    };
    std::string text;
    {
        TWindowWatcher watcher("#32770", kAppTitle, [&](HWND box) {
            text = MessageBoxText(box);
            PressDialogButton(box, IDOK);
        });
        timer->SetInterval(10);
        EXPECT_TRUE(PumpUntil([&] { return fired > 0; }));
    }
    EXPECT_EQ(text, "Timer failed");
    EXPECT_EQ(fired, 1);
}

// ---- forms from form data -----------------------------------------------------------------

TEST(FormData, ComponentsHandlersAndFieldsComeFromTheText) {
    TOwned<TTestDialog> dialog(new TTestDialog(nullptr));
    ASSERT_NE(dialog->OkButton, nullptr);
    ASSERT_NE(dialog->RememberBox, nullptr);
    EXPECT_EQ(dialog->Caption(), "Test dialog");
    EXPECT_EQ(dialog->OkButton->Parent(), dialog.get());
    EXPECT_EQ(dialog->OkButton->Anchors(), AnchorBit(akRight) | AnchorBit(akBottom));
    EXPECT_EQ(ClassNameOf(dialog->Handle()), "TTestDialog");
    EXPECT_EQ(dialog->NameEdit->Text(), "initial");

    // Checked was read as the designer's value: no click while reading.
    EXPECT_TRUE(dialog->RememberBox->Checked());
    EXPECT_EQ(dialog->RememberClicks, 0);
    EXPECT_EQ(SendMessageA(dialog->RememberBox->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    dialog->RememberBox->SetChecked(false);
    EXPECT_EQ(dialog->RememberClicks, 1);

    // The timer starts once the whole form has been read.
    EXPECT_TRUE(PumpUntil([&] { return dialog->Ticks >= 2; }));
}

// ---- modal forms --------------------------------------------------------------------------

TEST(Modal, ShowModalReturnsTheResultOfTheButtonAndEnablesTheOtherWindowsAgain) {
    auto other = MakeForm();
    other->Show();
    TOwned<TTestDialog> dialog(new TTestDialog(nullptr));
    bool otherEnabledMeanwhile = true;
    bool modalMeanwhile = false;
    HWND press = dialog->CancelButton->Handle();
    dialog->OnShow = [&](TObject*) {
        otherEnabledMeanwhile = IsWindowEnabled(other->Handle()) != 0;
        modalMeanwhile = dialog->Modal();
        PostMessageA(press, BM_CLICK, 0, 0);
    };

    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(otherEnabledMeanwhile);
    EXPECT_TRUE(modalMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(dialog->Modal());

    // Enter in the edit presses the default button. (The click above left the focus on Cancel.)
    dialog->OnShow = [&](TObject*) {
        dialog->NameEdit->SetFocus();
        PostKey(dialog->NameEdit->Handle(), VK_RETURN);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(dialog->OkClicks, 1);
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));

    dialog->OnShow = [&](TObject*) { PostKey(dialog->NameEdit->Handle(), VK_ESCAPE); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(Modal, ClosingAModalFormCancelsItUnlessOnCloseRefuses) {
    auto dialog = MakeForm(bsDialog);
    int closes = 0;
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1) action = caNone;
    };
    dialog->OnShow = [&](TObject*) {
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
        PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(closes, 2);
    EXPECT_THROW((dialog->Show(), dialog->ShowModal()), std::runtime_error);
}

TEST(Modal, OnCloseQueryCanKeepAModalFormOpen) {
    TOwned<TTestDialog> dialog(new TTestDialog(nullptr));
    std::vector<TModalResult> queried;
    int closes = 0;
    // The usual check of a dialog's input: the first OK is refused, the second taken.
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        queried.push_back(dialog->ModalResult());
        canClose = queried.size() > 1;
    };
    dialog->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    dialog->OnShow = [&](TObject*) {
        PostMessageA(dialog->OkButton->Handle(), BM_CLICK, 0, 0);
        PostMessageA(dialog->OkButton->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(queried, (std::vector<TModalResult>{mrOk, mrOk}));
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(dialog->OkClicks, 2);
}

// ---- the input box ------------------------------------------------------------------------

// Runs InputQuery while another thread types into its edit and presses key.
bool AnswerInputQuery(const std::string& typed, WORD key, std::string& value) {
    bool result = false;
    TWindowWatcher watcher("TForm", "Query caption", [&](HWND box) {
        HWND edit = FindWindowExA(box, nullptr, "TEdit", nullptr);
        PostChars(edit, typed);
        PostKey(edit, key);
    });
    result = InputQuery("Query caption", "Your name:", value);
    EXPECT_TRUE(watcher.Found());
    return result;
}

TEST(InputBox, OkReturnsTheTypedTextAndCancelLeavesTheValue) {
    std::string value = "old";
    EXPECT_TRUE(AnswerInputQuery("new", VK_RETURN, value));
    EXPECT_EQ(value, "new");  // the old value was selected, so typing replaced it

    EXPECT_FALSE(AnswerInputQuery("other", VK_ESCAPE, value));
    EXPECT_EQ(value, "new");
}

// ---- the timer ----------------------------------------------------------------------------

TEST(Timer, FiresWhileEnabledAndStopsWhenDisabled) {
    TOwned<TTimer> timer(new TTimer(nullptr));
    int ticks = 0;
    std::vector<TObject*> senders;
    timer->OnTimer = [&](TObject* sender) {
        ++ticks;
        senders.push_back(sender);
    };
    timer->SetInterval(10);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(senders[0], timer.get());

    timer->SetEnabled(false);
    const int stopped = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, stopped);

    timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return ticks > stopped; }));

    timer->SetInterval(0);  // no interval, no timer
    const int zero = ticks;
    PumpFor(100);
    EXPECT_EQ(ticks, zero);
}

}  // namespace
}  // namespace velloran
