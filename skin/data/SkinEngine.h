#pragma once
// The skin manager as the skin data components see it. The manager sits above them (it skins
// windows with their skins) and they cannot name it: its library makes itself known here with
// Provide, and a component that loads starts it through Start.
#include <windows.h>

#include <cstdint>

namespace velloran {

class TSkinData;

enum TSkinCommand : int32_t { skcNone = 0, skcSkinOn = 1, skcSkinOff = 2, skcSkinChanged = 3 };

class TSkinEngine {
public:
    // The running engine, or null: none started, or none linked into the program.
    static TSkinEngine* Current();
    // The running engine, started first when there is none; null when none is linked in.
    static TSkinEngine* Start();
    // The engine's library tells how to find and start it, once, before any component loads.
    static void Provide(TSkinEngine* (*current)(), TSkinEngine& (*start)());

    TSkinEngine(const TSkinEngine&) = delete;
    TSkinEngine& operator=(const TSkinEngine&) = delete;

    virtual void RegisterData(TSkinData* data) = 0;
    // The component is going: nothing may reach it any more, and its windows are unskinned.
    virtual void UnregisterData(TSkinData* data) = 0;
    virtual void InstallHook() = 0;
    // Skins the window if it qualifies; true when it did.
    virtual bool SkinNewWindow(HWND handle) = 0;
    // The windows skinned with CommandData drop their caption buttons, for its new skin.
    virtual void ReloadButtons() = 0;
    // Runs the command for CommandData after delayMs.
    virtual void PostCommand(TSkinCommand command, UINT delayMs) = 0;

    TSkinData* CommandData = nullptr;
    // New windows are skinned.
    bool Enabled = false;
    // 0 until skinning begins (the first window is activated); then counts the starts: each
    // component that is not the main one adds one. Only 0 means anything to callers; whether the
    // engine is shutting down is never read from this count.
    int32_t Started = 0;

protected:
    TSkinEngine() = default;
    virtual ~TSkinEngine() = default;
};

}  // namespace velloran
