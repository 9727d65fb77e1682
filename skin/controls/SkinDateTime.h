#pragma once
// The date/time picker skinner: the edit's flat frame around the picker and, over the picker's
// own drop-down button, an arrow button drawn from the skin that hands its clicks to the picker.
#include <memory>

#include "skin/controls/SkinControl.h"

namespace velloran {

class TSkinDateTime;

// A child window of the picker, no tab stop, lying over the picker's drop-down button.
class TArrowButton {
public:
    TArrowButton(TSkinDateTime& owner, HWND picker);
    HWND Handle() const { return window_.get(); }
    bool Hot() const { return hot_; }
    // Placed at the picker's button, at the left for a left-scroll-bar layout.
    void Place();

private:
    void Handle(UINT msg, LPARAM lParam);
    void Paint(HDC dc);
    void SetHot(bool hot);

    TSkinDateTime& owner_;
    HWND picker_;
    const int arrowWidth_;
    bool hot_ = false;
    TWindowHandle window_;
    std::unique_ptr<TWindowSubclass> subclass_;
};

class TSkinDateTime : public TSkinControl {
    VELLORAN_CLASS(TSkinDateTime)
public:
    explicit TSkinDateTime(TComponent* owner);
    ~TSkinDateTime() override;
    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void RestoreControl() override;

    TArrowButton* ArrowButton() const { return arrow_.get(); }
    COLORREF Background() const { return SkinBackground(); }
    TSkinData& Data() const { return *SkinData; }

protected:
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void RemoveArrow();

    std::unique_ptr<TArrowButton> arrow_;
    bool addedClipChildren_ = false;
};

}  // namespace velloran
