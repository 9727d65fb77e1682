#pragma once
// The skin manager: one per process. It keeps the loaded skin data components and the form
// skinners, watches the GUI thread's windows through a CBT hook, decides which windows are
// skinned and with which skin data, and runs the deferred commands skin-on, skin-off and
// skin-changed from a one-shot timer.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/UtilWindow.h"
#include "skin/form/FormSkinnerHost.h"
#include "skin/manager/PopupImages.h"
#include "skin/manager/WinSkinPopMenu.h"

namespace velloran {

class TForm;
class TSkinData;
class TWinSkinForm;

// The manager at work, or taking its skinners down at program end.
enum TManagerStage : uint8_t { msRunning, msDestroying };

class TSkinManage : public TFormSkinnerHost {
public:
    // The process's manager, or null before the first skin data component loaded.
    static TSkinManage* Instance();
    // Makes the manager when there is none.
    static TSkinManage& Create();
    // Detaches every skinner, unhooks and frees the manager (at program end).
    static void Shutdown();

    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void RegisterData(TSkinData* data) override;
    void UnregisterData(TSkinData* data) override;
    void InstallHook() override;
    bool HookInstalled() const { return static_cast<bool>(hook_); }

    bool SkinNewWindow(HWND handle) override;
    void SkinFormIfVisible(TForm* form);
    TWinSkinForm* FindFormSkinner(HWND handle) const;
    void RemoveFormSkinner(TWinSkinForm* skinner) override;
    // Frees the skinners whose window is gone (one still running frees itself as it returns).
    void PurgeFormSkinners();
    void SchedulePurge() override;
    void PostCommand(TSkinCommand command, UINT delayMs) override;
    void ReloadButtons() override;
    void SetMdiMaximized(bool on) override;
    bool SwitchingMdi() const override { return switchingMdi_; }
    TForm* FindFormObject(HWND handle) const;
    TSkinData* ChooseSkinData(HWND handle, const std::string& lowerClassName) const;

    // ---- popup menus ----
    // A popup menu window is being created: skinned when its kind of menu is.
    void SkinPopupWindow(HWND handle);
    // Detaches and frees the window's skinner; true when it had one.
    bool ReleasePopupWindow(HWND handle);
    bool IsPopupSkinned(HWND handle) const;
    void AssignMenuHandle(HMENU menu) override;
    TPopupBackground PopupBackground(HMENU menu) const override;
    const std::vector<std::unique_ptr<TWinSkinPopMenu>>& PopupSkinners() const { return popupSkinners_; }
    // The popups' images kept from one opening to the next; emptied when a skin changes or goes.
    TPopupImageStore& PopupImages() { return popupImages_; }

    const std::vector<TWinSkinForm*>& FormSkinners() const { return formSkinners_; }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    TSkinData* MainData = nullptr;
    TSkinCommand Command = skcNone;
    bool Sweeping = false;

private:
    friend struct std::default_delete<TSkinManage>;
    TSkinManage();
    ~TSkinManage() override;
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void HookCall(int code, WPARAM wParam, LPARAM lParam);
    bool HandleMessage(TMessage& message);
    void RunCommand();
    bool WindowFilter(HWND handle, const std::string& className) const;
    bool MenuKindSkinned(const TSkinData& data) const;
    // Takes the skinner off the list and lets it go: freed now, or when its procedure returns.
    void FreeSkinner(TWinSkinForm* skinner);
    void UnskinAndFree(TWinSkinForm* skinner);
    std::vector<TForm*> ScreenForms() const;

    TManagerStage stage_ = msRunning;
    std::vector<TSkinData*> skinDatas_;
    std::vector<TWinSkinForm*> formSkinners_;
    std::vector<std::unique_ptr<TWinSkinPopMenu>> popupSkinners_;
    TPopupImageStore popupImages_;
    THookHandle hook_;
    TUtilWindow window_;
    TTimerHandle timer_;
    UINT timerInterval_ = 100;
    bool purgePosted_ = false;
    bool switchingMdi_ = false;
};

}  // namespace velloran
