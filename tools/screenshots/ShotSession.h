#pragma once
// Pictures of windows, each in its active and its inactive look, saved as
// FOLDER/NAME-SKIN-active.bmp and FOLDER/NAME-SKIN-inactive.bmp.
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "tools/screenshots/FocusSink.h"

namespace velloran {

class TShotSession {
public:
    TShotSession(std::filesystem::path folder, std::string skinTag);

    // Activates the window, shoots it, activates the focus sink, shoots it again.
    void Shoot(const std::string& name, HWND window);
    // Shows the form, shoots it, hides it again.
    void ShootForm(const std::string& name, TForm& form);
    // Runs raiseBox, which shows a modal window and returns when it closes; shoots that window
    // from inside its modal loop, then closes it as its close box would.
    void ShootModal(const std::string& name, const std::function<void()>& raiseBox);
    // Activates the window, runs arrange (which opens a list, say) and shoots it active only.
    void ShootArranged(const std::string& name, HWND window, const std::function<void()>& arrange);
    // Activates the window and runs openMenu, which opens a menu over it (a drop-down of its menu
    // bar, its context or system menu) and returns when it closes; once the menu is open, presses
    // `keys` in it (Down, Right: its first submenu), then shoots the window active with the
    // menus over it and closes them.
    void ShootMenu(const std::string& name, HWND window, const std::function<void()>& openMenu,
                   const std::vector<UINT>& keys = {});
    // Runs openMenu, which opens a popup menu of no shown window (the tray icon's) and returns
    // when it closes; shoots the menu alone, then closes it.
    void ShootPopupMenu(const std::string& name, const std::function<void()>& openMenu);
    // Activates the window, presses the left button at `from` and moves it to `to` (screen
    // points), and shoots the window active while the button is held: from inside the system's
    // tracking loop, which the press starts and the release ends.
    void ShootDrag(const std::string& name, HWND window, POINT from, POINT to);

    const std::vector<std::filesystem::path>& Saved() const { return saved_; }

private:
    void ShootInsideLoop(const std::string& what, const std::function<void()>& enter, const std::function<HWND()>& find,
                         const std::function<void(HWND)>& shoot, const std::function<void(HWND)>& leave);
    void Activate(const std::string& name, HWND window);
    void Save(const std::string& name, const char* state, HWND window);

    std::filesystem::path folder_;
    std::string skinTag_;
    TFocusSink sink_;
    std::vector<std::filesystem::path> saved_;
};

// Runs the application's messages for that long: paints, activations, skinners' posted work.
void PumpMessages(int ms);

}  // namespace velloran
