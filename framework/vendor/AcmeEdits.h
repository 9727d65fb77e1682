#pragma once
// The Acme vendor's edit with buttons: a one-line edit with NumButtons drop-down buttons at its
// right end, inside its frame; the text keeps clear of them. A skin reaches it by its class
// name alone. Like the vendor's other controls it draws its buttons itself.
#include "framework/Controls.h"

namespace velloran {

class TDCEdit : public TWinControl {
    VELLORAN_CLASS(TDCEdit)
public:
    explicit TDCEdit(TComponent* owner);
    int NumButtons() const { return numButtons_; }
    void SetNumButtons(int count);
    // Where button `index` sits, in client coordinates.
    RECT ButtonRect(int index) const;

    // Tells which button was pressed.
    std::function<void(TDCEdit*, int button)> OnButtonClick;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    int ButtonAt(POINT client) const;
    void ReserveButtonRoom();
    void PaintButtons();

    int numButtons_ = 1;
    int pressed_ = -1;
};

// Makes the class known to form data by name.
void RegisterAcmeEdits();

}  // namespace velloran
