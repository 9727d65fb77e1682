// Windows of controls: creation on demand, the window property, messages reflected to the
// control that caused them, the keyboard path through the application's loop, anchors, painting
// of the framework's own classes, memo lines, and handles given back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/ControlHook.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "tests/framework/FrameworkTestMain.h"
#include "tests/framework/NamelessControl.h"

namespace velloran {
namespace {

using namespace fwtest;

// A window-less control that fills itself with its colour.
class TSwatch : public TGraphicControl {
    VELLORAN_CLASS(TSwatch)
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint(TCanvas& canvas) override {
        RECT r = ClientRect();
        TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
        FillRect(canvas.Handle(), &r, brush.get());
    }
};

const TClassInfo& TSwatch::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TSwatch>("TSwatch", &TGraphicControl::StaticClassInfo());
    return info;
}

RECT RectInParent(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// ---- window creation and the window property ----------------------------------------------

TEST(WindowCreation, WindowsAreCreatedOnDemandWithTheComponentClassName) {
    auto form = MakeForm();
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    edit->SetText("hello");
    edit->SetMaxLength(7);
    auto* button = AddControl<TButton>(*form, 10, 40, 75, 25);
    button->SetDefault(true);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(edit->HandleAllocated());

    // A child needs its parent's window first, which makes every child's window: one each.
    HWND editWnd = edit->Handle();
    ASSERT_TRUE(form->HandleAllocated());
    EXPECT_EQ(GetParent(editWnd), form->Handle());
    EXPECT_EQ(FindWindowExA(form->Handle(), nullptr, "TEdit", nullptr), editWnd);
    EXPECT_EQ(FindWindowExA(form->Handle(), editWnd, "TEdit", nullptr), nullptr);
    EXPECT_EQ(ClassNameOf(form->Handle()), "TTestForm");
    EXPECT_EQ(ClassNameOf(editWnd), "TEdit");
    EXPECT_EQ(ClassNameOf(button->Handle()), "TButton");
    EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), Application->Handle());

    // The superclass keeps the system class's behaviour and takes the stored state.
    char text[16] = {};
    GetWindowTextA(editWnd, text, sizeof text);
    EXPECT_STREQ(text, "hello");
    EXPECT_EQ(SendMessageA(editWnd, EM_GETLIMITTEXT, 0, 0), 7);
    SendMessageA(editWnd, EM_SETSEL, 1, 3);
    DWORD from = 0, to = 0;
    SendMessageA(editWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 1u);
    EXPECT_EQ(to, 3u);
    EXPECT_TRUE(GetWindowLongA(editWnd, GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(editWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetWindowLongA(button->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    RECT r = RectInParent(editWnd);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 120);

    // The form's own class paints itself and has no background brush to flicker with.
    WNDCLASSA wc{};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TTestForm", &wc));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(wc.lpfnWndProc, &FrameworkWndProc);
}

constexpr char kButtonClass[] = "BUTTON";
constexpr char kEditClass[] = "EDIT";

TEST(WindowCreation, OneClassNameOverDifferentSystemClassesKeepsEachOnesBehaviour) {
    auto form = MakeForm();
    auto* check = AddControl<TNameless<kButtonClass, BS_AUTOCHECKBOX>>(*form, 10, 10, 120, 21);
    auto* edit = AddControl<TNameless<kEditClass, 0>>(*form, 10, 40, 120, 21);
    auto* secondEdit = AddControl<TNameless<kEditClass, 0>>(*form, 10, 70, 120, 21);
    auto* own = AddControl<TWinControl>(*form, 10, 100, 120, 21);
    for (TWinControl* control : {static_cast<TWinControl*>(check), static_cast<TWinControl*>(edit), own})
        EXPECT_EQ(control->ClassName(), "TWinControl");
    // Made in this order, the check box's window class comes first.
    ASSERT_NE(check->Handle(), nullptr);
    ASSERT_NE(edit->Handle(), nullptr);

    SendMessageA(check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    for (TWinControl* control : {static_cast<TWinControl*>(edit), static_cast<TWinControl*>(secondEdit)}) {
        SendMessageA(control->Handle(), EM_SETLIMITTEXT, 7, 0);
        EXPECT_EQ(SendMessageA(control->Handle(), EM_GETLIMITTEXT, 0, 0), 7);
        SetWindowTextA(control->Handle(), "abc");
        SendMessageA(control->Handle(), EM_SETSEL, 1, 2);
        DWORD from = 0, to = 0;
        SendMessageA(control->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 1u);
        EXPECT_EQ(to, 2u);
    }
    // A window of the framework's own class answers neither.
    EXPECT_EQ(SendMessageA(own->Handle(), EM_GETLIMITTEXT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(own->Handle(), BM_GETCHECK, 0, 0), 0);

    // One registration for each base, shared by the controls of that base.
    const std::string checkClass = ClassNameOf(check->Handle()), editClass = ClassNameOf(edit->Handle());
    EXPECT_NE(checkClass, editClass);
    EXPECT_NE(ClassNameOf(own->Handle()), checkClass);
    EXPECT_NE(ClassNameOf(own->Handle()), editClass);
    EXPECT_EQ(ClassNameOf(secondEdit->Handle()), editClass);
    for (const std::string& name : {checkClass, editClass}) EXPECT_EQ(name.rfind("TWinControl", 0), 0u) << name;
}

TEST(WindowCreation, FromHandleReadsTheControlOfsWindowProperty) {
    auto form = MakeForm();
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    HWND wnd = edit->Handle();

    char name[64];
    std::snprintf(name, sizeof name, "ControlOfs%.8lX%.8lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetModuleHandleA(nullptr))),
                  static_cast<unsigned long>(GetCurrentThreadId()));
    EXPECT_EQ(GetPropA(wnd, name), static_cast<HANDLE>(static_cast<TWinControl*>(edit)));
    EXPECT_EQ(GetPropA(form->Handle(), name), static_cast<HANDLE>(static_cast<TWinControl*>(form.get())));
    EXPECT_EQ(TWinControl::FromHandle(wnd), edit);
    EXPECT_EQ(TWinControl::FromHandle(form->Handle()), form.get());
    EXPECT_EQ(FindChildControl(form.get(), GetDlgCtrlID(wnd)), edit);
    EXPECT_EQ(TWinControl::FromHandle(Application->Handle()), nullptr);
    EXPECT_EQ(TWinControl::FromHandle(nullptr), nullptr);

    edit->DestroyHandle();
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_FALSE(IsWindow(wnd));
    HWND again = edit->Handle();
    EXPECT_EQ(TWinControl::FromHandle(again), edit);
}

TEST(WindowCreation, RecreatingTheWindowKeepsTheTextTheUserTyped) {
    auto form = MakeForm();
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    edit->SetText("designed");
    // Typing changes the window's text behind the control's back.
    SendMessageA(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    ASSERT_EQ(edit->Text(), "typed");

    form->SetBorderStyle(bsDialog);  // a new frame needs new windows
    ASSERT_TRUE(edit->HandleAllocated());
    EXPECT_EQ(edit->Text(), "typed");
    char text[16] = {};
    GetWindowTextA(edit->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "typed");
}

TEST(WindowCreation, AFreedOrMovedChildLeavesItsParentsListsAndWindow) {
    auto form = MakeForm();
    auto* first = AddControl<TEdit>(*form, 10, 10, 120, 21);
    auto* second = AddControl<TEdit>(*form, 10, 40, 120, 21);
    auto* third = AddControl<TButton>(*form, 10, 70, 75, 25);
    HWND secondWnd = second->Handle();

    Free(second);
    EXPECT_FALSE(IsWindow(secondWnd));
    EXPECT_EQ(form->ControlCount(), 2);
    EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{first, third}));

    auto other = MakeForm();
    third->SetParent(other.get());
    EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{first}));
    EXPECT_EQ(other->TabList(), (std::vector<TWinControl*>{third}));
    EXPECT_EQ(GetParent(third->Handle()), other->Handle());
}

// ---- reflected notifications -------------------------------------------------------------

TEST(Reflection, ButtonClickReachesOnClickThroughTheParent) {
    auto form = MakeForm();
    auto* button = AddControl<TButton>(*form, 10, 10, 75, 25);
    std::vector<TObject*> senders;
    button->OnClick = [&](TObject* sender) { senders.push_back(sender); };
    form->Show();

    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], button);

    // The parent turns the notification into the child's own; a WM_COMMAND naming a window the
    // framework does not know stays with the parent.
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button->Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button->Handle()));
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(Application->Handle()));
    EXPECT_EQ(senders.size(), 2u);
}

TEST(Reflection, CheckBoxTogglesItselfAndRunsOnClick) {
    auto form = MakeForm();
    auto* box = AddControl<TCheckBox>(*form, 10, 10, 97, 17);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    form->Show();

    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 1);
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(clicks, 2);

    box->SetAllowGrayed(true);
    std::vector<TCheckBoxState> states;
    for (int i = 0; i < 3; ++i) {
        SendMessageA(box->Handle(), BM_CLICK, 0, 0);
        states.push_back(box->State());
        EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), static_cast<LRESULT>(box->State()));
    }
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(clicks, 5);

    // Setting the state in code is a click too, but only when it changes.
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 6);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(Reflection, ControlColoursAnswerTheReflectedCtlColorMessage) {
    auto form = MakeForm();
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clNavy);
    TMemoryDC dc(CreateCompatibleDC(nullptr));

    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(form->Handle(), WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(dc.get()),
                                                       reinterpret_cast<LPARAM>(edit->Handle())));
    LOGBRUSH lb{};
    ASSERT_EQ(GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 0));
    EXPECT_EQ(GetBkColor(dc.get()), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(0, 0, 128));
}

// Owner-draw measuring finds its control by the child identifier alone.
TEST(Reflection, ChildIdentifiersAreDistinctAndReachTheirControl) {
    auto form = MakeForm();
    const HWND parent = form->Handle();
    // Windows made outside the framework, holding low identifiers of their own.
    std::vector<TWindowHandle> foreign;
    for (int id = 1; id <= 0x110; id += 7)
        foreign.emplace_back(CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 4, 4, parent,
                                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr));
    std::vector<TWinControl*> children;
    std::vector<std::unique_ptr<TControlHook>> hooks;
    TWinControl* measured = nullptr;
    for (int i = 0; i < 200; ++i) {
        auto* child = AddControl<TWinControl>(*form, i % 20 * 10, i / 20 * 10, 8, 8);
        hooks.push_back(std::make_unique<TControlHook>(*child, [&measured, child](TMessage& m, const TControlHook::TNext& next) {
            if (m.Msg == CN_MEASUREITEM) measured = child;
            next(m);
        }));
        children.push_back(child);
    }
    for (int i = 0; i < 200; i += 20) children[static_cast<size_t>(i)]->RecreateWnd();

    std::vector<int> ids;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ids.push_back(GetDlgCtrlID(w));
    ASSERT_EQ(ids.size(), foreign.size() + children.size());
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());

    int wrong = 0;
    for (TWinControl* child : children) {
        const int id = GetDlgCtrlID(child->Handle());
        // WM_COMMAND carries 16 bits, and the SC_ range reads as a system command on a skinned frame.
        EXPECT_GT(id, 0);
        EXPECT_LT(id, SC_SIZE);
        MEASUREITEMSTRUCT item{ODT_LISTBOX, static_cast<UINT>(id), 0, 0, 0, 0};
        measured = nullptr;
        SendMessageA(parent, WM_MEASUREITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
        if (measured != child || FindChildControl(form.get(), id) != child) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

// ---- keyboard -----------------------------------------------------------------------------

TEST(Keyboard, OnKeyPressSeesEachCharacterAndCanChangeOrSwallowIt) {
    auto form = MakeForm();
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    std::string seen;
    int changes = 0;
    edit->OnKeyPress = [&](TObject*, char& key) {
        seen += key;
        if (key == 'a') key = 'b';
        if (key == '#') key = 0;
    };
    edit->OnChange = [&](TObject*) { ++changes; };
    form->Show();

    // Without a default button Enter is an ordinary key for the edit.
    PostKey(edit->Handle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !seen.empty(); }));
    PostChars(edit->Handle(), "a#c");
    ASSERT_TRUE(PumpUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(seen, "\ra#c");
    EXPECT_EQ(edit->Text(), "bc");
    EXPECT_EQ(changes, 2);
}

struct TDialogKeysForm {
    TOwned<TTestForm> Form = MakeForm();
    TEdit* Edit = AddControl<TEdit>(*Form, 10, 10, 120, 21);
    TButton* Ok = AddControl<TButton>(*Form, 10, 100, 75, 25);
    TButton* Cancel = AddControl<TButton>(*Form, 100, 100, 75, 25);
    int OkClicks = 0, CancelClicks = 0;
    std::string EditKeys;

    TDialogKeysForm() {
        Ok->SetDefault(true);
        Cancel->SetCancel(true);
        Ok->OnClick = [this](TObject*) { ++OkClicks; };
        Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
        Edit->OnKeyPress = [this](TObject*, char& key) { EditKeys += key; };
        Form->Show();
    }
};

TEST(Keyboard, EnterAndEscapeReachTheDefaultAndCancelButtons) {
    TDialogKeysForm d;
    PostKey(d.Edit->Handle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return d.OkClicks == 1; }));
    PostKey(d.Edit->Handle(), VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return d.CancelClicks == 1; }));
    // The form took the keys: neither became a character for the edit.
    PostChars(d.Edit->Handle(), "x");
    ASSERT_TRUE(PumpUntil([&] { return !d.EditKeys.empty(); }));
    EXPECT_EQ(d.EditKeys, "x");
    EXPECT_EQ(d.OkClicks, 1);
    EXPECT_EQ(d.CancelClicks, 1);

    // A disabled default button does not answer; Enter goes on to the edit.
    d.Ok->SetEnabled(false);
    PostKey(d.Edit->Handle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return d.EditKeys.size() == 2; }));
    EXPECT_EQ(d.EditKeys, "x\r");
    EXPECT_EQ(d.OkClicks, 1);
}

TEST(Keyboard, EnterOnAFocusedButtonPressesThatButtonNotTheDefault) {
    TDialogKeysForm d;
    d.Cancel->SetCancel(false);
    d.Cancel->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return d.Cancel->Focused(); }));
    PostKey(d.Cancel->Handle(), VK_RETURN);
    PostChars(d.Edit->Handle(), "x");  // a marker: everything before it has been handled
    ASSERT_TRUE(PumpUntil([&] { return !d.EditKeys.empty(); }));
    EXPECT_EQ(d.CancelClicks, 1);
    EXPECT_EQ(d.OkClicks, 0);
}

TEST(Keyboard, MemoKeepsEnterOnlyWhenItWantsReturns) {
    TDialogKeysForm d;
    auto* memo = AddControl<TMemo>(*d.Form, 200, 10, 150, 80);
    PostKey(memo->Handle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !memo->Text().empty(); }));
    EXPECT_EQ(memo->Text(), "\r\n");
    EXPECT_EQ(d.OkClicks, 0);

    // Without WantReturns Enter belongs to the form's default button.
    auto* plain = new TMemo(d.Form.get());
    plain->SetWantReturns(false);  // a window style: set before the window is made
    plain->SetParent(d.Form.get());
    PostKey(plain->Handle(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return d.OkClicks == 1; }));
    EXPECT_EQ(plain->Text(), "");
}

TEST(Keyboard, TabMovesTheFocusInTabOrderOverControlsThatCannotTakeIt) {
    auto form = MakeForm();
    auto* first = AddControl<TEdit>(*form, 10, 10, 120, 21);
    auto* disabled = AddControl<TCheckBox>(*form, 10, 40, 97, 17);
    auto* button = AddControl<TButton>(*form, 10, 70, 75, 25);
    auto* hidden = AddControl<TEdit>(*form, 10, 100, 120, 21);
    auto* second = AddControl<TEdit>(*form, 10, 130, 120, 21);
    AddControl<TLabel>(*form, 200, 10, 50, 15);
    auto* noStop = AddControl<TEdit>(*form, 10, 160, 120, 21);
    disabled->SetEnabled(false);
    hidden->SetVisible(false);
    noStop->SetTabStop(false);
    second->SetTabOrder(1);  // first, second, disabled, button, hidden, noStop

    form->Show();
    // Activation focuses the first tab stop.
    ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 3; ++i) {
        TWinControl* before = form->ActiveControl();
        PostKey(GetFocus(), VK_TAB);
        ASSERT_TRUE(PumpUntil([&] { return form->ActiveControl() != before; }));
        visited.push_back(form->ActiveControl());
        EXPECT_EQ(GetFocus(), form->ActiveControl()->Handle());
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{second, button, first}));

    // Shift+Tab goes back.
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE shifted[256];
    std::copy(std::begin(keys), std::end(keys), std::begin(shifted));
    shifted[VK_SHIFT] = 0x80;
    SetKeyboardState(shifted);
    PostKey(GetFocus(), VK_TAB);
    bool moved = PumpUntil([&] { return form->ActiveControl() != first; });
    SetKeyboardState(keys);
    ASSERT_TRUE(moved);
    EXPECT_EQ(form->ActiveControl(), button);
}

// ---- anchors ------------------------------------------------------------------------------

TEST(Anchors, ControlsFollowTheClientAreaAsTheFormIsResized) {
    auto form = MakeForm(400, 300);
    auto* corner = AddControl<TButton>(*form, 300, 250, 75, 25);
    corner->SetAnchors(AnchorBit(akRight) | AnchorBit(akBottom));
    auto* stretched = AddControl<TEdit>(*form, 10, 10, 380, 21);
    stretched->SetAnchors(AnchorBit(akLeft) | AnchorBit(akTop) | AnchorBit(akRight));
    auto* centred = AddControl<TEdit>(*form, 100, 100, 50, 20);
    centred->SetAnchors(0);
    auto* fixed = AddControl<TSwatch>(*form, 5, 280, 10, 10);
    form->Show();

    form->SetClientWidth(500);
    form->SetClientHeight(360);
    ASSERT_EQ(form->ClientWidth(), 500);
    ASSERT_EQ(form->ClientHeight(), 360);
    EXPECT_EQ(corner->Left(), 400);
    EXPECT_EQ(corner->Top(), 310);
    RECT r = RectInParent(corner->Handle());
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 310);
    EXPECT_EQ(stretched->Width(), 480);
    EXPECT_EQ(RectInParent(stretched->Handle()).right, 490);
    EXPECT_EQ(centred->Left(), 150);
    EXPECT_EQ(centred->Top(), 130);
    EXPECT_EQ(fixed->Left(), 5);
    EXPECT_EQ(fixed->Top(), 280);

    // Back to the first size: every control is where it started, nothing drifted.
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    EXPECT_EQ(corner->BoundsRect().left, 300);
    EXPECT_EQ(corner->BoundsRect().top, 250);
    EXPECT_EQ(stretched->Width(), 380);
    EXPECT_EQ(centred->Left(), 100);

    // A control moved in code keeps its new margins from then on.
    corner->SetBounds(200, 200, 75, 25);
    form->SetClientWidth(450);
    EXPECT_EQ(corner->Left(), 250);
}

TEST(Anchors, ControlsFollowAClientAreaThatShrinksInsideTheSameWindow) {
    auto form = MakeForm(400, 300);
    auto* corner = AddControl<TButton>(*form, 300, 265, 75, 25);
    corner->SetAnchors(AnchorBit(akRight) | AnchorBit(akBottom));
    auto* menu = new TMainMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("&File");
    menu->Items()->Add(item);
    form->Show();
    RECT before;
    GetWindowRect(form->Handle(), &before);

    form->SetMenu(menu);  // the menu bar takes its height from the client area
    RECT after;
    GetWindowRect(form->Handle(), &after);
    ASSERT_EQ(after.bottom - after.top, before.bottom - before.top);
    ASSERT_LT(form->ClientHeight(), 300);
    EXPECT_EQ(form->ClientHeight() - corner->Top() - corner->Height(), 10);
    EXPECT_EQ(form->ClientWidth() - corner->Left() - corner->Width(), 25);
}

// ---- painting -----------------------------------------------------------------------------

TEST(Painting, OwnClassesPaintTheirColourAndTheirGraphicControls) {
    auto form = MakePaintForm(200, 120, clRed);
    auto* swatch = AddControl<TSwatch>(*form, 20, 30, 40, 20);
    swatch->SetColor(clBlue);
    auto* hiddenSwatch = AddControl<TSwatch>(*form, 100, 30, 40, 20);
    hiddenSwatch->SetColor(clLime);
    hiddenSwatch->SetVisible(false);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    EXPECT_EQ(ScreenPixel(form->Handle(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(form->Handle(), 20, 30), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(form->Handle(), 59, 49), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(form->Handle(), 60, 50), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(form->Handle(), 110, 40), RGB(255, 0, 0));

    swatch->SetColor(clLime);
    UpdateWindow(form->Handle());
    EXPECT_EQ(ScreenPixel(form->Handle(), 30, 40), RGB(0, 255, 0));

    // The whole client area is composed off screen, so erasing is left out.
    TMemoryDC dc(CreateCompatibleDC(nullptr));
    TBitmapHandle bmp(CreateCompatibleBitmap(TWindowDC(nullptr).get(), 4, 4));
    TSelectObject select(dc.get(), bmp.get());
    SetPixel(dc.get(), 1, 1, RGB(1, 2, 3));
    EXPECT_NE(SendMessageA(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0), 0);
    EXPECT_EQ(GetPixel(dc.get(), 1, 1), RGB(1, 2, 3));
}

TEST(Painting, ClicksOnTheParentReachTheVisibleGraphicControlUnderThem) {
    auto form = MakeForm(200, 120);
    auto* swatch = AddControl<TSwatch>(*form, 20, 30, 40, 20);
    auto* hidden = AddControl<TSwatch>(*form, 100, 30, 40, 20);
    hidden->SetVisible(false);
    std::vector<TObject*> clicks;
    swatch->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    hidden->OnClick = [&](TObject* sender) { clicks.push_back(sender); };
    HWND wnd = form->Handle();

    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(25, 35));
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(60, 50));   // just outside
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(110, 40));  // over the hidden one
    EXPECT_EQ(clicks, (std::vector<TObject*>{swatch}));
    swatch->SetEnabled(false);
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(25, 35));
    EXPECT_EQ(clicks.size(), 1u);
}

// ---- memo lines ---------------------------------------------------------------------------

class MemoLines : public ::testing::Test {
protected:
    void SetUp() override {
        memo_ = AddControl<TMemo>(*form_, 10, 10, 300, 200);
        memo_->SetWordWrap(false);
    }
    TOwned<TTestForm> form_ = MakeForm();
    TMemo* memo_ = nullptr;
    TStrings& Lines() { return *memo_->Lines(); }
};

TEST_F(MemoLines, CountLinesAsTheEditControlShowsThem) {
    Lines().SetText("A\r\n\r\nB\r\n");
    EXPECT_EQ(Lines().Count(), 3);
    EXPECT_EQ(Lines().ToVector(), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(SendMessageA(memo_->Handle(), EM_GETLINECOUNT, 0, 0), 4);

    Lines().SetText("A\r\nB");
    EXPECT_EQ(Lines().Count(), 2);
    EXPECT_EQ(Lines()[1], "B");

    Lines().SetText("A\r\n\r\n");
    EXPECT_EQ(Lines().ToVector(), (std::vector<std::string>{"A", ""}));

    Lines().Clear();
    EXPECT_EQ(Lines().Count(), 0);
    EXPECT_EQ(memo_->Text(), "");
}

TEST_F(MemoLines, LoneBreaksBecomeCrLf) {
    Lines().SetText("A\nB\rC\r\nD");
    EXPECT_EQ(memo_->Text(), "A\r\nB\r\nC\r\nD");
    EXPECT_EQ(Lines().Count(), 4);
    EXPECT_EQ(Lines()[2], "C");
}

TEST_F(MemoLines, EditingKeepsTheOtherLines) {
    Lines().SetText("one\r\ntwo");
    Lines().Add("three");
    Lines().Insert(0, "zero");
    Lines().Delete(2);
    Lines().Put(1, "ONE");
    EXPECT_EQ(memo_->Text(), "zero\r\nONE\r\nthree\r\n");
    EXPECT_EQ(Lines().IndexOf("THREE"), 2);
    EXPECT_THROW(Lines().Get(3), std::out_of_range);
    EXPECT_THROW(Lines().Get(-1), std::out_of_range);
    EXPECT_THROW(Lines().Delete(3), std::out_of_range);
    EXPECT_THROW(Lines().Insert(4, "x"), std::out_of_range);
}

TEST_F(MemoLines, GetReturnsAtMost4096Characters) {
    const std::string longLine(5000, 'x');
    Lines().SetText(longLine + "\r\n" + std::string(4096, 'y') + "\r\nlast");
    ASSERT_EQ(Lines().Count(), 3);
    EXPECT_EQ(Lines()[0], std::string(TMemoStrings::kMaxLineLength, 'x'));
    EXPECT_EQ(Lines()[1], std::string(4096, 'y'));
    EXPECT_EQ(Lines()[2], "last");
}

TEST_F(MemoLines, NewScrollBarsKeepTheText) {
    Lines().SetText("A\r\nB");
    memo_->SetScrollBars(ssBoth);
    EXPECT_EQ(memo_->Text(), "A\r\nB");
    LONG style = GetWindowLongA(memo_->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_MULTILINE);
}

// ---- handles ------------------------------------------------------------------------------

// A form with one of every control, shown, painted and coloured, so that every lazily made
// handle (fonts, brushes, menus, helper windows) exists before it is freed.
void BuildShowAndFreeForm() {
    auto form = MakeForm(300, 200);
    form->SetColor(clTeal);
    auto* edit = AddControl<TEdit>(*form, 10, 10, 120, 21);
    edit->SetColor(clYellow);
    auto* memo = AddControl<TMemo>(*form, 10, 40, 120, 60);
    memo->Lines()->SetText("one\r\ntwo\r\n");
    auto* button = AddControl<TButton>(*form, 150, 10, 75, 25);
    button->Font()->SetName("Tahoma");
    AddControl<TCheckBox>(*form, 150, 40, 97, 17)->SetChecked(true);
    AddControl<TLabel>(*form, 150, 70, 80, 15)->SetCaption("label");
    AddControl<TSwatch>(*form, 150, 90, 20, 20);
    auto* popup = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("Item");
    popup->Items()->Add(item);
    popup->Handle();
    auto* mainMenu = new TMainMenu(form.get());
    auto* file = new TMenuItem(form.get());
    file->SetCaption("File");
    mainMenu->Items()->Add(file);
    form->SetMenu(mainMenu);
    auto* timer = new TTimer(form.get());
    timer->SetInterval(10000);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    for (HWND child : {edit->Handle(), memo->Handle()}) {
        TWindowDC dc(child);
        SendMessageA(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                     reinterpret_cast<LPARAM>(child));
    }
    Application->ProcessMessages();
}

TEST(Handles, FreeingFormsWithControlsGivesBackEveryHandle) {
    BuildShowAndFreeForm();  // first use registers classes and makes shared objects
    PumpFor(50);
    const int formsBefore = Screen->FormCount();
    const int gdiBefore = CountGdiObjects();
    const int userBefore = CountUserObjects();
    {
        // The counts must see a form's handles, or equality below would prove nothing.
        auto probe = MakeForm();
        auto* edit = AddControl<TEdit>(*probe, 0, 0, 10, 10);
        edit->SetColor(clYellow);
        TWindowDC dc(edit->Handle());
        SendMessageA(probe->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                     reinterpret_cast<LPARAM>(edit->Handle()));
        auto* popup = new TPopupMenu(probe.get());
        popup->Items()->Add(new TMenuItem(probe.get()));
        popup->Handle();
        EXPECT_GE(CountUserObjects(), userBefore + 3);  // two windows and a menu
        EXPECT_GT(CountGdiObjects(), gdiBefore);        // at least the edit's brush
    }
    for (int i = 0; i < 50; ++i) BuildShowAndFreeForm();
    PumpFor(50);
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
    EXPECT_EQ(CountUserObjects(), userBefore);
    EXPECT_EQ(Screen->FormCount(), formsBefore);
}

TEST(ParentColor, LabelsFollowTheirParentUntilGivenAColourOfTheirOwn) {
    auto form = MakeForm();
    auto* follows = AddControl<TLabel>(*form, 10, 10, 80, 16);
    auto* own = AddControl<TLabel>(*form, 10, 30, 80, 16);
    auto* edit = AddControl<TEdit>(*form, 10, 50, 80, 20);
    own->SetColor(clRed);
    const TColor editColor = edit->Color();
    form->SetColor(clNavy);
    EXPECT_EQ(follows->Color(), clNavy);
    EXPECT_EQ(own->Color(), clRed);
    EXPECT_EQ(edit->Color(), editColor);
    own->SetParentColor(true);
    EXPECT_EQ(own->Color(), clNavy);
}

}  // namespace
}  // namespace velloran
