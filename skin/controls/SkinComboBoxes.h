#pragma once
// The combo box skinner: the frame and drop-down button of a combo box (and of the combo inside
// an extended combo) drawn from the skin, the text area left to the control. The button alone
// tracks the mouse; the edit part of a dropping combo reports its presses to the skinner.
#include <windows.h>

#include <memory>

#include "skin/controls/SkinControl.h"

namespace velloran {

// State frames of the combo's button and glyph.
enum TComboFrame : int { cfNormal = 1, cfPressed = 2, cfDisabled = 3, cfHot = 4 };

class TSkinComBox : public TSkinControl {
    VELLORAN_CLASS(TSkinComBox)
public:
    explicit TSkinComBox(TComponent* owner);
    ~TSkinComBox() override;

    void InitSkin(TWinSkinForm* form, TSkinData* skinData, bool useSkinColour, TCanvas* canvas) override;
    void InitSkinHandle(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) override;
    void RestoreControl() override;
    void SkinChanged() override;

    // The combo of an extended combo: its button is the skin's combo arrow.
    bool Extended = false;
    bool DroppedDown() const { return droppedDown_; }
    // Where the mouse makes the combo hot, in window coordinates.
    const RECT& HotRect() const { return hotRect_; }
    // The skinner of the list's scroll bars: the dropping list's, or the simple combo's.
    TSkinControl* ListSkinner() const { return listSkinner_.get(); }

protected:
    void AfterProc(TMessage& message) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinSwitched(bool on) override;

private:
    // The list's skinner lets go through Release: its drag loop may be running when the combo's
    // skinning ends.
    struct TReleaseSkinner {
        void operator()(TSkinControl* skinner) const { skinner->Release(); }
    };
    template <class T>
    void SkinList();
    void AttachParts();
    void DetachParts();
    void ReadLayout();
    bool LeftLayout() const { return (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0; }
    TComboFrame ReadState() const;
    // The part the control paints itself, in window coordinates.
    RECT TextArea(const RECT& rect, int buttonWidth) const;
    void PaintSimpleLook(HDC dc, const RECT& rect, TComboFrame state);
    void PaintExtended(HDC dc, const RECT& rect, TComboFrame state);
    void PaintOneImage(HDC dc, const RECT& rect, TComboFrame state);
    void PaintEdgeAndButton(HDC dc, const RECT& rect, TComboFrame state);
    void SetHot(bool hot);
    // A press or release on the combo or its edit part: the pressed state, repainted.
    bool TrackPress(UINT msg);

    DWORD style_ = 0, exStyle_ = 0;
    COMBOBOXINFO info_{};
    bool haveInfo_ = false;
    bool droppedDown_ = false;
    RECT hotRect_{};
    std::unique_ptr<TWindowSubclass> editPart_;
    std::unique_ptr<TSkinControl, TReleaseSkinner> listSkinner_;
};

}  // namespace velloran
