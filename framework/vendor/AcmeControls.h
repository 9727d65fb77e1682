#pragma once
// Controls of an outside vendor, Acme. The program knows them only by their class names: form
// data creates them, and a skin reaches them through Skin3rd lines such as
//   TAcmeButton=button, TAcmeMenuButton=menubtn, TAcmePngButton=pngbitbtn, TAcmePanel=nil
// Like any vendor's controls they paint and handle their input themselves.
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"

#include <memory>

namespace velloran {

// A push button that draws itself. It clicks when the left button is released over it after a
// press on it, when Space is released, and on Enter while focused or while it is the default
// button and no button has the focus.
class TAcmeButton : public TWinControl {
    VELLORAN_CLASS(TAcmeButton)
public:
    explicit TAcmeButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Drawn pressed: held by the mouse over the button, or by Space.
    bool Pressed() const;
    void WndProc(TMessage& message) override;

protected:
    void PaintWindow(HDC dc) override;
    // Draws what sits on the face: the caption, centred in face.
    virtual void PaintFace(HDC dc, RECT face);

private:
    enum TPress { prNone, prMouse, prKey };
    void MouseReleased(POINT p);
    void SetPress(TPress press);
    bool Inside(POINT p) const;
    // The button Enter presses: the focused one, or the default one while no button of ours
    // has the focus.
    bool IsActive() const;

    bool default_ = false;
    TPress press_ = prNone;
    bool mouseOver_ = false;  // while the mouse holds it
};

// A button with a drop-down arrow that opens DropDownMenu below itself when clicked.
class TAcmeMenuButton : public TAcmeButton {
    VELLORAN_CLASS(TAcmeMenuButton)
public:
    explicit TAcmeMenuButton(TComponent* owner);
    TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(TPopupMenu* menu);
    void Click() override;

protected:
    void PaintFace(HDC dc, RECT face) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TPopupMenu* dropDownMenu_ = nullptr;
};

// A push button with a picture left of its caption. The vendor names its picture PngImage; it
// holds any bitmap.
class TAcmePngButton : public TAcmeButton {
    VELLORAN_CLASS(TAcmePngButton)
public:
    explicit TAcmePngButton(TComponent* owner);
    TBitmap* PngImage() const { return pngImage_.get(); }

protected:
    void PaintFace(HDC dc, RECT face) override;

private:
    std::unique_ptr<TBitmap> pngImage_;
};

// The vendor's panel, a panel of its own class.
class TAcmePanel : public TCustomPanel {
    VELLORAN_CLASS(TAcmePanel)
public:
    using TCustomPanel::TCustomPanel;
};

// Makes the classes known to form data by name.
void RegisterAcmeControls();

}  // namespace velloran
