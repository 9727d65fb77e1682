#pragma once
// Menus: items in a tree, main menus on forms and popup menus, built into platform menus on
// demand and rebuilt when an item changes.
#include <memory>
#include <vector>

#include "framework/Controls.h"

namespace velloran {

class TMenu;
class TImageList;

using TMenuDrawItemEvent = std::function<void(TObject*, TCanvas*, RECT, bool)>;
using TMenuMeasureItemEvent = std::function<void(TObject*, TCanvas*, int&, int&)>;

class TMenuItem : public TComponent {
    VELLORAN_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& c);
    bool IsLine() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    int ShortCut() const { return shortCut_; }
    void SetShortCut(int v);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    // The menu this item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    UINT Command() const { return command_; }
    static TMenuItem* FromCommand(UINT command);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;
    virtual void Click();

    // Owner-drawn items: sizes and paints the item, through the events when they are set.
    void MeasureItem(HDC dc, int& width, int& height);
    void DrawItem(HDC dc, RECT rect, bool selected);

    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    // Appends this item's children to menu, each with the type flags (MFT_OWNERDRAW,
    // MFT_RIGHTORDER) added.
    void BuildInto(HMENU menu, UINT typeFlags);

private:
    friend class TMenu;
    void Changed();

    std::string caption_;
    bool checked_ = false, visible_ = true, enabled_ = true, default_ = false, radioItem_ = false;
    int imageIndex_ = -1;
    int shortCut_ = 0;
    std::string hint_;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item only
    UINT command_ = 0;
};

class TMenu : public TComponent {
    VELLORAN_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_.get(); }
    HMENU Handle();
    bool HandleAllocated() const { return static_cast<bool>(handle_); }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    // Items read and open from the right.
    bool RightToLeft() const { return rightToLeft_; }
    void SetRightToLeft(bool v);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // An item changed: the platform menu is rebuilt when next needed.
    virtual void Changed();
    void Notification(TComponent* component, TOperation operation) override;

protected:
    virtual HMENU CreateMenuHandle() = 0;
    TMenuHandle handle_;

private:
    std::unique_ptr<TMenuItem> items_;
    bool ownerDraw_ = false;
    bool rightToLeft_ = false;
    TImageList* images_ = nullptr;
};

class TMainMenu : public TMenu {
    VELLORAN_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    void Changed() override;

protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }

private:
    void ReleaseForeignItems();
};

class TPopupMenu : public TMenu {
    VELLORAN_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* c) { popupComponent_ = c; }
    // Shows the menu at screen point (x, y) and runs the chosen item's Click.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

    // The hidden window that owns shown popup menus and receives their commands.
    static HWND PopupWindow();

protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// Routes a menu command, owner-draw measure or draw request to its item; true when it was one.
bool DispatchMenuMessage(TMessage& message);

void RegisterMenuClasses();

}  // namespace velloran
