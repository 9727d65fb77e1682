#pragma once
// The header control: a row of titled sections, as above the columns of a table, that the user
// clicks and resizes.
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

struct THeaderSection {
    std::string Text;
    int Width = 0;
};

class THeaderControl : public TWinControl {
    VELLORAN_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    // A section at the right end.
    void AddSection(const std::string& text, int width);
    const std::vector<THeaderSection>& Sections() const { return sections_; }
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);

    // Tells which section was clicked.
    std::function<void(THeaderControl*, int section)> OnSectionClick;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;

private:
    void InsertSection(int index);

    std::vector<THeaderSection> sections_;
    bool hotTrack_ = true;
};

}  // namespace velloran
