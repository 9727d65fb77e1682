// MDI frames and children: the client window, children made from form data, their order and
// activation, maximising with the system's buttons in the frame's menu bar, arranging, closing,
// destruction without leaks; and painting a control into a DC handed in with WM_PAINT.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/FormReader.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "tests/framework/FrameworkTestMain.h"

namespace velloran {
namespace {

using namespace fwtest;

constexpr char kFrameData[] = R"(object MdiFrame: TMdiFrame
  Left = 40
  Top = 40
  Width = 700
  Height = 520
  Caption = 'Frame'
  FormStyle = fsMDIForm
  Menu = MainMenu1
  WindowMenu = WindowItem
  object MainMenu1: TMainMenu
    object FileItem: TMenuItem
      Caption = '&File'
      object ExitItem: TMenuItem
        Caption = 'E&xit'
      end
    end
    object WindowItem: TMenuItem
      Caption = '&Window'
      object CascadeItem: TMenuItem
        Caption = '&Cascade'
      end
    end
  end
end
)";

constexpr char kChildData[] = R"(object MdiChild: TMdiChild
  Width = 240
  Height = 160
  Caption = 'Child'
  FormStyle = fsMDIChild
end
)";

class TMdiFrame : public TForm {
    VELLORAN_CLASS(TMdiFrame)
public:
    explicit TMdiFrame(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kFrameData); }
};

const TClassInfo& TMdiFrame::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMdiFrame>("TMdiFrame", &TForm::StaticClassInfo());
    return info;
}

class TMdiChild : public TForm {
    VELLORAN_CLASS(TMdiChild)
public:
    explicit TMdiChild(TComponent* owner) : TForm(owner) { ReadRootComponentFromText(*this, kChildData); }
};

const TClassInfo& TMdiChild::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TMdiChild>("TMdiChild", &TForm::StaticClassInfo());
    return info;
}

// The application object of one test, with the frame as its main form and three children.
struct TMdiApplication {
    TApplication* const Saved = Application;
    TApplication App{nullptr};
    TMdiFrame* Frame = nullptr;
    std::vector<TMdiChild*> Children;
    TMdiApplication() {
        Application = &App;
        App.CreateForm(Frame);
        Frame->Show();
        for (const char* caption : {"One", "Two", "Three"}) {
            TMdiChild* child = nullptr;
            App.CreateForm(child);
            child->SetCaption(caption);
            Children.push_back(child);
        }
    }
    ~TMdiApplication() {
        App.DestroyComponents();
        Application = Saved;
    }
};

RECT ScreenRect(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return r;
}

RECT ClientScreenRect(HWND wnd) {
    RECT r;
    GetClientRect(wnd, &r);
    MapWindowPoints(wnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(MdiFrame, ClientFillsTheFrameAndChildrenLiveInIt) {
    TMdiApplication mdi;
    TMdiFrame* frame = mdi.Frame;
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_STREQ(ClassNameOf(client).c_str(), "MDIClient");
    EXPECT_TRUE(SameRect(ScreenRect(client), ClientScreenRect(frame->Handle())));
    frame->SetBounds(30, 30, 800, 600);
    EXPECT_TRUE(SameRect(ScreenRect(client), ClientScreenRect(frame->Handle())));

    ASSERT_EQ(frame->MDIChildCount(), 3);
    for (TMdiChild* child : mdi.Children) {
        EXPECT_EQ(GetParent(child->Handle()), client);
        EXPECT_TRUE(GetWindowLongPtrA(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_EQ(TWinControl::FromHandle(child->Handle()), child);
    }
    // The last one shown is active and first; the others follow in the order they were active.
    EXPECT_EQ(frame->ActiveMDIChild(), mdi.Children[2]);
    EXPECT_EQ(frame->MDIChildren(0), mdi.Children[2]);
    EXPECT_EQ(frame->MDIChildren(1), mdi.Children[1]);
    EXPECT_EQ(frame->MDIChildren(2), mdi.Children[0]);
    // The window menu lists the children under its own item.
    HMENU windowMenu = GetSubMenu(GetMenu(frame->Handle()), 1);
    EXPECT_GE(GetMenuItemCount(windowMenu), 1 + 3);
}

TEST(MdiFrame, ActivationReachesTheChildren) {
    TMdiApplication mdi;
    std::vector<std::string> log;
    for (TMdiChild* child : mdi.Children) {
        child->OnActivate = [&log, child](TObject*) { log.push_back(child->Caption() + " on"); };
        child->OnDeactivate = [&log, child](TObject*) { log.push_back(child->Caption() + " off"); };
    }
    mdi.Children[0]->BringToFront();
    EXPECT_EQ(mdi.Frame->ActiveMDIChild(), mdi.Children[0]);
    EXPECT_EQ(log, (std::vector<std::string>{"Three off", "One on"}));
    mdi.Frame->Next();
    EXPECT_NE(mdi.Frame->ActiveMDIChild(), mdi.Children[0]);
    mdi.Frame->Previous();
    EXPECT_EQ(mdi.Frame->ActiveMDIChild(), mdi.Children[0]);
}

TEST(MdiFrame, AMaximisedChildPutsItsButtonsIntoTheFramesMenuBar) {
    TMdiApplication mdi;
    HMENU bar = GetMenu(mdi.Frame->Handle());
    const int items = GetMenuItemCount(bar);
    TMdiChild* child = mdi.Children[2];
    child->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(child->Handle()));
    EXPECT_EQ(child->WindowState(), wsMaximized);
    BOOL maximised = FALSE;
    SendMessageA(mdi.Frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    EXPECT_TRUE(maximised);
    EXPECT_GT(GetMenuItemCount(bar), items);
    child->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(child->Handle()));
    EXPECT_EQ(GetMenuItemCount(bar), items);
}

TEST(MdiFrame, AMenuChangeWhileAChildIsMaximisedKeepsTheChildsSystemMenu) {
    TMdiApplication mdi;
    TMdiChild* child = mdi.Children[2];
    child->SetWindowState(wsMaximized);
    const HMENU system = GetSystemMenu(child->Handle(), FALSE);
    ASSERT_TRUE(IsMenu(system));
    const int items = GetMenuItemCount(GetMenu(mdi.Frame->Handle()));

    auto* item = static_cast<TMenuItem*>(mdi.Frame->FindComponent("ExitItem"));
    ASSERT_NE(item, nullptr);
    item->SetCaption("&Quit");  // the menu is rebuilt
    EXPECT_TRUE(IsMenu(system));
    EXPECT_EQ(GetSystemMenu(child->Handle(), FALSE), system);
    // The rebuilt bar carries the maximised child's buttons again.
    EXPECT_EQ(GetMenuItemCount(GetMenu(mdi.Frame->Handle())), items);
    child->SetWindowState(wsNormal);
    EXPECT_TRUE(IsMenu(system));
}

TEST(MdiFrame, CascadeAndTileMoveTheChildrenInsideTheClient) {
    TMdiApplication mdi;
    std::vector<RECT> before;
    for (TMdiChild* child : mdi.Children) before.push_back(ScreenRect(child->Handle()));
    mdi.Frame->Tile();
    const RECT client = ClientScreenRect(mdi.Frame->ClientHandle());
    bool moved = false;
    for (size_t i = 0; i < mdi.Children.size(); ++i) {
        RECT r = ScreenRect(mdi.Children[i]->Handle()), inside;
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(SameRect(inside, r)) << "child " << i;
        moved = moved || !SameRect(r, before[i]);
    }
    EXPECT_TRUE(moved);
    mdi.Frame->Cascade();
    RECT first = ScreenRect(mdi.Children[0]->Handle()), second = ScreenRect(mdi.Children[1]->Handle());
    EXPECT_NE(first.left, second.left);
    EXPECT_NE(first.top, second.top);
    mdi.Frame->ArrangeIcons();
    EXPECT_EQ(mdi.Frame->MDIChildCount(), 3);
}

TEST(MdiFrame, ClosingAChildMinimisesItUnlessItsHandlerFreesIt) {
    TMdiApplication mdi;
    TMdiChild* child = mdi.Children[1];
    child->Close();
    EXPECT_TRUE(IsIconic(child->Handle()));
    EXPECT_EQ(mdi.Frame->MDIChildCount(), 3);

    bool destroyed = false;
    child->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    child->OnDestroy = [&](TObject*) { destroyed = true; };
    HWND wnd = child->Handle();
    PostMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // the caption's close button
    ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(mdi.Frame->MDIChildCount(), 2);
    EXPECT_NE(mdi.Frame->ActiveMDIChild(), nullptr);
}

TEST(MdiFrame, DestroyingTheFrameDestroysItsChildrenAndLeaksNothing) {
    // Once first: the platform keeps the MDI button bitmaps made the first time.
    auto run = [] {
        TMdiApplication mdi;
        mdi.Children[0]->SetWindowState(wsMaximized);
        std::vector<HWND> windows{mdi.Frame->ClientHandle()};
        for (TMdiChild* child : mdi.Children) windows.push_back(child->Handle());
        Free(mdi.Frame);
        for (HWND wnd : windows) EXPECT_FALSE(IsWindow(wnd));
        for (TMdiChild* child : mdi.Children) EXPECT_FALSE(child->HandleAllocated());
    };
    run();
    const int user = CountUserObjects(), gdi = CountGdiObjects();
    run();
    EXPECT_EQ(CountUserObjects(), user);
    EXPECT_EQ(CountGdiObjects(), gdi);
}

TEST(MdiFrame, AChildWithoutAnMdiMainFormCannotBeCreated) {
    TApplication* const saved = Application;
    TApplication app{nullptr};
    Application = &app;
    TForm* mainForm = nullptr;
    app.CreateForm(mainForm);
    auto* child = new TForm(&app);
    child->SetFormStyle(fsMDIChild);
    try {
        child->Show();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Cannot create form. No MDI forms are currently active");
    }
    EXPECT_FALSE(child->HandleAllocated());
    app.DestroyComponents();
    Application = saved;
}

// ---- painting into a given DC -------------------------------------------------------------

TEST(PaintIntoDC, WmPaintWithADCPaintsThereAndLeavesTheWindowInvalid) {
    TOwned<TForm> form(new TForm(nullptr));
    form->SetBounds(50, 50, 200, 150);
    form->SetColor(0x0000FF);
    form->Show();
    PumpFor(50);
    for (UINT msg : {UINT(WM_PAINT), UINT(WM_PRINTCLIENT)}) {
        SCOPED_TRACE(msg);
        TMemoryDC mem(CreateCompatibleDC(nullptr));
        TBitmapHandle bmp(CreateBitmap(20, 20, 1, 32, nullptr));
        TSelectObject select(mem.get(), bmp.get());
        RECT all{0, 0, 20, 20};
        FillRect(mem.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        InvalidateRect(form->Handle(), nullptr, FALSE);
        SendMessageA(form->Handle(), msg, reinterpret_cast<WPARAM>(mem.get()), PRF_CLIENT);
        EXPECT_EQ(GetPixel(mem.get(), 10, 10), RGB(255, 0, 0));
        EXPECT_TRUE(GetUpdateRect(form->Handle(), nullptr, FALSE));
    }
}

}  // namespace
}  // namespace velloran
