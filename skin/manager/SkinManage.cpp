#include "skin/manager/SkinManage.h"

#include <algorithm>
#include <string>

#include "framework/Forms.h"
#include "skin/controls/SkinnerSelection.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"

namespace velloran {

namespace {

std::unique_ptr<TSkinManage> g_instance;
bool g_shuttingDown = false;

// Skin data components start the manager through their own layer, which cannot name it.
[[maybe_unused]] const bool g_provided = (TSkinEngine::Provide([]() -> TSkinEngine* { return TSkinManage::Instance(); },
                                                               []() -> TSkinEngine& { return TSkinManage::Create(); }),
                                          true);

constexpr UINT_PTR kCommandTimerId = 1;
// Posted to the manager's window: free the skinners of destroyed windows, or skin an MDI child
// whose creation has finished.
constexpr UINT kPurgeMessage = WM_APP + 1;
constexpr UINT kSkinCreatedMessage = WM_APP + 2;
// The class of the platform's popup menu windows.
constexpr char kPopupMenuClass[] = "#32768";

bool IsEmptyRect(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

TSkinManage* TSkinManage::Instance() { return g_instance.get(); }

TSkinManage& TSkinManage::Create() {
    if (!g_instance) {
        g_shuttingDown = false;
        g_instance.reset(new TSkinManage());
        InstallSkinnerSelection();
    }
    return *g_instance;
}

void TSkinManage::Shutdown() { g_instance.reset(); }

TSkinManage::TSkinManage()
    : window_([this](TMessage& m) { return HandleMessage(m); }) {}

TSkinManage::~TSkinManage() {
    stage_ = msDestroying;
    Enabled = false;
    timer_.Stop();
    // Skinners of another manager (a library's) are not ours to free.
    const std::vector<TWinSkinForm*> skinners = formSkinners_;
    formSkinners_.clear();
    for (TWinSkinForm* skinner : skinners) {
        if (skinner->ManagerStamp != Stamp) continue;
        skinner->Detach();
        skinner->ReleaseFromManager();
    }
    popupSkinners_.clear();
    hook_.reset();
    g_shuttingDown = true;
}

// ---- skin data ---------------------------------------------------------------------------

void TSkinManage::RegisterData(TSkinData* data) {
    if (std::find(skinDatas_.begin(), skinDatas_.end(), data) != skinDatas_.end()) return;
    skinDatas_.push_back(data);
    if (!MainData && data->SkinFormtype() == sfMainform) MainData = data;
}

void TSkinManage::UnregisterData(TSkinData* data) {
    skinDatas_.erase(std::remove(skinDatas_.begin(), skinDatas_.end(), data), skinDatas_.end());
    // Windows created later must not reach a component that is gone.
    if (MainData == data) MainData = nullptr;
    popupImages_.Clear();
    if (CommandData == data) {
        CommandData = nullptr;
        timer_.Stop();
    }
    // Nor may the windows skinned with it: they get their own look back.
    const std::vector<TWinSkinForm*> skinners = formSkinners_;
    for (TWinSkinForm* skinner : skinners)
        if (skinner->SkinData == data && skinner->Stage != stDestroyed) UnskinAndFree(skinner);
}

TSkinData* TSkinManage::ChooseSkinData(HWND handle, const std::string& lowerClassName) const {
    TSkinData* chosen = nullptr;
    for (TSkinData* data : skinDatas_) {
        if (data->SkinFormtype() != sfOnlyThisForm) continue;
        auto* owner = dynamic_cast<TForm*>(data->Owner());
        if (owner && owner->HandleAllocated() && owner->Handle() == handle) chosen = data;
    }
    if (chosen) return chosen;
    if (lowerClassName == "tmessageform" || lowerClassName == "#32770")
        for (TSkinData* data : skinDatas_)
            if (data->SkinFormtype() == sfDialog) chosen = data;
    if (chosen) return chosen;
    for (TSkinData* data : skinDatas_)
        if (data->SkinFormtype() == sfMainform) chosen = data;
    if (chosen) return chosen;
    return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

// ---- the hook ----------------------------------------------------------------------------

void TSkinManage::InstallHook() {
    if (hook_) return;
    hook_.reset(SetWindowsHookExW(WH_CBT, &TSkinManage::HookProc, nullptr, GetCurrentThreadId()));
}

LRESULT CALLBACK TSkinManage::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = Instance();
    if (manager && !g_shuttingDown && code >= 0) {
        try {
            manager->HookCall(code, wParam, lParam);
        } catch (...) {
            HandleCallbackException();
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void TSkinManage::HookCall(int code, WPARAM wParam, LPARAM lParam) {
    const auto wnd = reinterpret_cast<HWND>(wParam);
    switch (code) {
        case HCBT_CREATEWND: {
            const CREATESTRUCTW* cs = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if ((cs->style & SBS_SIZEGRIP) && SameText(WindowClassName(wnd), "ScrollBar"))
                if (TWinSkinForm* skinner = FindFormSkinner(cs->hwndParent)) skinner->SizeGripCreated(wnd);
            // An MDI child has no activation of its own to be noticed by: it is skinned as soon
            // as its creation is complete, when its form object is known.
            if (cs->dwExStyle & WS_EX_MDICHILD) PostMessageW(window_.Handle(), kSkinCreatedMessage, wParam, 0);
            if (!(cs->style & WS_CHILD) && WindowClassName(wnd) == kPopupMenuClass) SkinPopupWindow(wnd);
            break;
        }
        case HCBT_DESTROYWND:
            ReleasePopupWindow(wnd);
            break;
        case HCBT_ACTIVATE:
            if (Started == 0) Started = 1;
            SkinNewWindow(wnd);
            break;
        default:
            break;
    }
}

// ---- the skinning decision ---------------------------------------------------------------

TForm* TSkinManage::FindFormObject(HWND handle) const {
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TForm* form = Screen->Forms(i);
            if (form->HandleAllocated() && form->Handle() == handle) return form;
        }
    return dynamic_cast<TForm*>(TWinControl::FromHandle(handle));
}

bool TSkinManage::WindowFilter(HWND handle, const std::string& className) const {
    if (!MainData) return true;
    bool doSkin = true;
    const std::string lower = LowerCase(className);
    if (!(MainData->Options() & SkinBit(xoPreview)) && lower.find("preview") != std::string::npos) doSkin = false;
    if (className == "#32770" && (GetWindowLongPtrW(handle, GWL_STYLE) & DS_SETFOREGROUND)) doSkin = false;
    if (lower == "tpopupdbtreeview") doSkin = false;
    MainData->DecideFormSkin(handle, className, doSkin);
    return doSkin;
}

bool TSkinManage::SkinNewWindow(HWND handle) {
    if (!Enabled || !IsWindow(handle)) return false;
    PurgeFormSkinners();
    if (FindFormSkinner(handle)) return false;
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(handle, SM_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) && answer == 1) return false;
    TForm* form = FindFormObject(handle);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE));
    if (!Sweeping && (style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD) &&
        LowerCase(WindowClassName(GetParent(handle))) != "mdiclient")
        return false;

    const std::string className = WindowClassName(handle);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(handle, GWLP_HINSTANCE));
    if (!form && instance != GetModuleHandleW(nullptr) && className != "#32770") return false;

    if (IsEmptyRect(handle) && !(exStyle & WS_EX_MDICHILD)) return false;
    if (form && form->Tag() == 99) return false;
    if (className.find("TcxPopupEditPopupWindow") != std::string::npos ||
        className.find("TTERenderWindow") != std::string::npos || className == "TApplication")
        return false;
    if (!WindowFilter(handle, className)) return false;

    TSkinData* data = ChooseSkinData(handle, LowerCase(className));
    if (!data || data->Empty) return false;

    auto* skinner = new TWinSkinForm(form);
    skinner->Handle = handle;
    skinner->ManagerStamp = Stamp;
    skinner->Name = className;
    formSkinners_.push_back(skinner);
    try {
        if (form)
            skinner->SkinForm(data, form);
        else
            skinner->SkinWindow(data);
    } catch (...) {
        FreeSkinner(skinner);
        throw;
    }
    PostMessageW(handle, SM_INITSKIN, 0, kInitSkinFromManager);
    return true;
}

void TSkinManage::SkinFormIfVisible(TForm* form) {
    if (!form || !form->HandleAllocated()) return;
    const HWND handle = form->Handle();
    if (!IsWindowVisible(handle) || (GetWindowLongPtrW(handle, GWL_STYLE) & WS_CHILD)) return;
    SkinNewWindow(handle);
}

// ---- popup menus -------------------------------------------------------------------------

bool TSkinManage::MenuKindSkinned(const TSkinData& data) const {
    const TSkinControlTypes controls = data.SkinControls();
    switch (MenuKind) {
        case menuContext:
            return (controls & SkinBit(xcPopupMenu)) != 0;
        case menuWindow:
            return (controls & (SkinBit(xcMainMenu) | SkinBit(xcMenuItem))) != 0;
        case menuSystem:
            return (controls & SkinBit(xcSystemMenu)) != 0;
        default:
            return false;
    }
}

void TSkinManage::SkinPopupWindow(HWND handle) {
    if (!Enabled || IsPopupSkinned(handle)) return;
    if (SendMessageW(handle, SM_ISSKINNED, 0, 0) == 1) return;
    TSkinData* data = ChooseSkinData(handle, kPopupMenuClass);
    if (!data || data->Empty || !MenuKindSkinned(*data)) return;
    auto skinner = std::make_unique<TWinSkinPopMenu>();
    skinner->Attach(handle, data, nullptr);
    popupSkinners_.push_back(std::move(skinner));
}

bool TSkinManage::ReleasePopupWindow(HWND handle) {
    const auto found = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                                    [handle](const auto& skinner) { return skinner->Window == handle; });
    const bool had = found != popupSkinners_.end();
    if (had) popupSkinners_.erase(found);
    // Also after a popup that was not skinned: the kind it was opened as must not gate the next.
    if (popupSkinners_.empty()) {
        MenuBarPopup = false;
        MenuKind = menuContext;
    }
    return had;
}

bool TSkinManage::IsPopupSkinned(HWND handle) const {
    return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                       [handle](const auto& skinner) { return skinner->Window == handle; });
}

void TSkinManage::AssignMenuHandle(HMENU menu) {
    // A menu keeps the popup it was first given: the parent of an open submenu repaints its
    // items too, and must not take the submenu's popup.
    for (const auto& skinner : popupSkinners_)
        if (skinner->MenuHandle == menu) return;
    for (auto it = popupSkinners_.rbegin(); it != popupSkinners_.rend(); ++it)
        if (!(*it)->MenuHandle) {
            (*it)->MenuHandle = menu;
            return;
        }
}

TPopupBackground TSkinManage::PopupBackground(HMENU menu) const {
    for (const auto& skinner : popupSkinners_)
        if (skinner->MenuHandle == menu) return skinner->Backdrop();
    return {};
}

// ---- the skinner list --------------------------------------------------------------------

TWinSkinForm* TSkinManage::FindFormSkinner(HWND handle) const {
    for (TWinSkinForm* skinner : formSkinners_)
        if (skinner->Handle == handle) return skinner;
    return nullptr;
}

void TSkinManage::RemoveFormSkinner(TWinSkinForm* skinner) {
    if (stage_ == msDestroying) return;
    const auto found = std::find(formSkinners_.begin(), formSkinners_.end(), skinner);
    if (found != formSkinners_.end()) formSkinners_.erase(found);
}

void TSkinManage::FreeSkinner(TWinSkinForm* skinner) {
    RemoveFormSkinner(skinner);
    skinner->ReleaseFromManager();
}

void TSkinManage::PurgeFormSkinners() {
    if (stage_ == msDestroying) return;
    const std::vector<TWinSkinForm*> skinners = formSkinners_;
    for (TWinSkinForm* skinner : skinners)
        if (skinner->Stage == stDestroyed && skinner->ManagerStamp == Stamp) FreeSkinner(skinner);
}

void TSkinManage::SchedulePurge() {
    if (purgePosted_) return;
    purgePosted_ = PostMessageW(window_.Handle(), kPurgeMessage, 0, 0) != FALSE;
}

void TSkinManage::UnskinAndFree(TWinSkinForm* skinner) {
    const HWND handle = skinner->Handle;
    skinner->Unskin();
    // Off the list in any case, so that a skin-off always ends, also when this runs in a modal
    // loop inside the skinner's own procedure.
    FreeSkinner(skinner);
    if (IsWindow(handle))
        RedrawWindow(handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TSkinManage::ReloadButtons() {
    for (TWinSkinForm* skinner : formSkinners_)
        if (skinner->SkinData == CommandData) skinner->FreeButtons();
}

// ---- commands ----------------------------------------------------------------------------

void TSkinManage::PostCommand(TSkinCommand command, UINT delayMs) {
    Command = command;
    timerInterval_ = delayMs;
    if (Started != 0) {
        timer_.Start(window_.Handle(), kCommandTimerId, delayMs);
        return;
    }
    // No window has been activated yet: the forms are skinned when they are.
    if (command == skcSkinOn) Enabled = true;
    if (command == skcSkinOff) Enabled = false;
}

bool TSkinManage::HandleMessage(TMessage& message) {
    switch (message.Msg) {
        case WM_TIMER:
            if (message.WParam != kCommandTimerId) return false;
            RunCommand();
            return true;
        case kPurgeMessage:
            purgePosted_ = false;
            PurgeFormSkinners();
            return true;
        case kSkinCreatedMessage:
            SkinNewWindow(reinterpret_cast<HWND>(message.WParam));
            return true;
        default:
            return false;
    }
}

std::vector<TForm*> TSkinManage::ScreenForms() const {
    std::vector<TForm*> forms;
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i) forms.push_back(Screen->Forms(i));
    return forms;
}

void TSkinManage::RunCommand() {
    timer_.Stop();
    TSkinData* data = CommandData;
    if (!data) return;
    const TSkinCommand command = Command;
    // The popups' images were made of the skin that goes.
    if (command == skcSkinChanged || command == skcSkinOff) popupImages_.Clear();
    if (data->SkinFormtype() == sfOnlyThisForm) {
        auto* owner = dynamic_cast<TForm*>(data->Owner());
        if (command == skcSkinOn) {
            Enabled = true;
            Sweeping = true;
            SkinFormIfVisible(owner);
            Sweeping = false;
        } else if (command == skcSkinOff) {
            Enabled = false;
            PurgeFormSkinners();
            for (auto it = formSkinners_.rbegin(); it != formSkinners_.rend(); ++it)
                if ((*it)->SkinData == data) {
                    UnskinAndFree(*it);
                    break;
                }
        } else if (command == skcSkinChanged) {
            PurgeFormSkinners();
            for (TWinSkinForm* skinner : formSkinners_)
                if (skinner->SkinData == data) {
                    skinner->FreeButtons();
                    skinner->RebuildButtons();
                    skinner->SkinChanged();
                    break;
                }
        }
    } else if (command == skcSkinOn) {
        Enabled = true;
        HideWhileSkinning = false;
        Sweeping = true;
        PurgeFormSkinners();
        const std::vector<TForm*> forms = ScreenForms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) SkinFormIfVisible(*it);
        Sweeping = false;
    } else if (command == skcSkinOff) {
        Enabled = false;
        PurgeFormSkinners();
        while (!formSkinners_.empty()) UnskinAndFree(formSkinners_.front());
    } else if (command == skcSkinChanged) {
        PurgeFormSkinners();
        const std::vector<TWinSkinForm*> skinners = formSkinners_;
        for (TWinSkinForm* skinner : skinners)
            if (skinner->SkinData == data) {
                skinner->FreeButtons();
                skinner->RebuildButtons();
            }
        for (TWinSkinForm* skinner : skinners)
            if (skinner->SkinData == data) skinner->SkinChanged();
    }
    data->NotifySkinChanged();
    CommandData = nullptr;
}

void TSkinManage::SetMdiMaximized(bool on) {
    if (on == MdiMaximized) return;
    MdiMaximized = on;
    if (MainData && (MainData->Options() & SkinBit(xoMDIChildBorder))) return;
    switchingMdi_ = true;
    struct TDone {
        bool& flag;
        ~TDone() { flag = false; }
    } done{switchingMdi_};
    const std::vector<TWinSkinForm*> skinners = formSkinners_;
    for (TWinSkinForm* skinner : skinners) {
        if (skinner->MDIKind != mkChild || skinner->Stage == stDestroyed) continue;
        if (on)
            skinner->EnterMdiMaximized();
        else
            skinner->LeaveMdiMaximized(skinner->WindowState != stateMinimized);
    }
    // The frame's menu band shows or hides the maximised child's buttons.
    if (MdiClient && IsWindow(MdiClient)) PostMessageW(MdiClient, SM_MDIREDRAW, 0, 0);
}

}  // namespace velloran
