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

namespace velloran {

class TForm;
class TSkinData;
class TWinSkinForm;

enum TSkinCommand : int32_t { skcNone = 0, skcSkinOn = 1, skcSkinOff = 2, skcSkinChanged = 3 };
// The manager at work, or taking its skinners down at program end.
enum TManagerStage : uint8_t { msRunning, msDestroying };

class TSkinManage {
public:
    // The process's manager, or null before the first skin data component loaded.
    static TSkinManage* Instance();
    // Makes the manager when there is none.
    static TSkinManage& Create();
    // Detaches every skinner, unhooks and frees the manager (at program end).
    static void Shutdown();

    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void RegisterData(TSkinData* data);
    void UnregisterData(TSkinData* data);
    void InstallHook();
    bool HookInstalled() const { return static_cast<bool>(hook_); }

    bool SkinNewWindow(HWND handle);
    void SkinFormIfVisible(TForm* form);
    TWinSkinForm* FindFormSkinner(HWND handle) const;
    // Called by a skinner's destructor.
    void RemoveFormSkinner(TWinSkinForm* skinner);
    // Frees the skinners whose window is gone (one still running frees itself as it returns).
    void PurgeFormSkinners();
    // Asks for a purge once the current message is done (a skinner's window was destroyed).
    void SchedulePurge();
    void PostCommand(TSkinCommand command, UINT delayMs);
    void ReloadButtons();
    void SetMdiMaximized(bool on);
    // True while SetMdiMaximized switches the children, whose frames change size meanwhile.
    bool SwitchingMdi() const { return switchingMdi_; }
    TForm* FindFormObject(HWND handle) const;
    TSkinData* ChooseSkinData(HWND handle, const std::string& lowerClassName) const;

    const std::vector<TWinSkinForm*>& FormSkinners() const { return formSkinners_; }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    TSkinData* MainData = nullptr;
    TSkinData* CommandData = nullptr;
    TSkinCommand Command = skcNone;
    bool Enabled = false;
    bool Sweeping = false;
    // 0 until skinning first meets a window; then counts the starts (each component that is not
    // the main one adds one). Whether the manager is going away is its stage, never this count.
    int32_t Started = 0;
    int32_t MenuKind = 0;
    bool MenuBarPopup = false;
    bool MdiMaximized = false;
    bool HideWhileSkinning = false;
    HWND MdiClient = nullptr;
    TForm* MdiFrameForm = nullptr;
    // This manager's instance stamp: null for the program's own manager.
    uintptr_t Stamp = 0;

private:
    friend struct std::default_delete<TSkinManage>;
    TSkinManage();
    ~TSkinManage();
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void HookCall(int code, WPARAM wParam, LPARAM lParam);
    bool HandleMessage(TMessage& message);
    void RunCommand();
    bool WindowFilter(HWND handle, const std::string& className) const;
    // Takes the skinner off the list and lets it go: freed now, or when its procedure returns.
    void FreeSkinner(TWinSkinForm* skinner);
    void UnskinAndFree(TWinSkinForm* skinner);
    std::vector<TForm*> ScreenForms() const;

    TManagerStage stage_ = msRunning;
    std::vector<TSkinData*> skinDatas_;
    std::vector<TWinSkinForm*> formSkinners_;
    THookHandle hook_;
    TUtilWindow window_;
    TTimerHandle timer_;
    UINT timerInterval_ = 100;
    bool purgePosted_ = false;
    bool switchingMdi_ = false;
};

}  // namespace velloran
