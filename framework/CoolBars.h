#pragma once
// The cool bar: bands side by side or one under the other, each with a caption and a control
// of its own, in a colour of its own.
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

class TCoolBar;

struct TCoolBand {
    std::string Text;
    TWinControl* Control = nullptr;
    int Width = 0;
    int MinHeight = 0;
    TColor Color = clBtnFace;
    bool Break = false;  // starts a new row
    TColor TextColor = clBtnText;  // of the caption
};

class TCoolBar : public TWinControl {
    VELLORAN_CLASS(TCoolBar)
public:
    explicit TCoolBar(TComponent* owner);

    // A band at the end; its control is put on the bar.
    void AddBand(const TCoolBand& band);
    int BandCount() const { return static_cast<int>(bands_.size()); }
    const TCoolBand& Bands(int index) const { return bands_.at(static_cast<size_t>(index)); }
    void SetBandColors(int index, TColor color, TColor textColor);
    // The band's rectangle in the bar's client area; empty before the window exists.
    RECT BandRect(int index);
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void InsertBand(int index);

    std::vector<TCoolBand> bands_;
};

void RegisterCoolBars();

}  // namespace velloran
