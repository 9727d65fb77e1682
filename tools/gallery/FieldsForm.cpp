#include "tools/gallery/FieldsForm.h"

#include <iterator>
#include <string>

#include "framework/ComboBoxExs.h"
#include "framework/ComboBoxes.h"
#include "framework/DateTimePickers.h"
#include "framework/Grids.h"
#include "framework/HeaderControls.h"
#include "framework/ListViews.h"
#include "framework/RichEdits.h"
#include "framework/ScrollCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/UpDowns.h"
#include "tools/gallery/ControlPlacement.h"

namespace velloran {

// A drop-down list laid out from right to left: its button at the left, its text at the right.
// It paints its field itself, since not every system's combo box puts its button at the left.
class TRightToLeftComboBox : public TComboBox {
    VELLORAN_CLASS(TRightToLeftComboBox)
public:
    explicit TRightToLeftComboBox(TComponent* owner) : TComboBox(owner) { SetStyle(csDropDownList); }
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override {
        TComboBox::CreateParams(params);
        params.ExStyle |= WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT | WS_EX_RTLREADING;
    }

private:
    void PaintField(HDC dc);
};

void TRightToLeftComboBox::WndProc(TMessage& m) {
    if (m.Msg != WM_PAINT) {
        TComboBox::WndProc(m);
        return;
    }
    if (m.WParam) {
        PaintField(reinterpret_cast<HDC>(m.WParam));
    } else {
        TPaintScope paint(Handle());
        PaintField(paint.dc());
    }
}

void TRightToLeftComboBox::PaintField(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, ColorBrush());
    const int index = ItemIndex();
    if (index < 0 || index >= static_cast<int>(Items().size())) return;
    const std::string& text = Items()[static_cast<size_t>(index)];
    RECT field{GetSystemMetrics(SM_CXHSCROLL) + 6, 2, client.right - 4, client.bottom - 2};
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(Handle()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &field,
              DT_RIGHT | DT_RTLREADING | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

const TClassInfo& TRightToLeftComboBox::StaticClassInfo() {
    static const TClassInfo info =
        DefineClass<TRightToLeftComboBox>("TRightToLeftComboBox", &TComboBox::StaticClassInfo());
    return info;
}

namespace {

constexpr int kFieldHeight = 21;
constexpr int kRowStep = 27;
constexpr int kColumnWidth = 170;
const char* const kFruits[] = {"Apple", "Banana", "Cherry", "Damson", "Elderberry", "Fig", "Grape", "Hazelnut",
                               "Kiwi", "Lemon", "Mango", "Nectarine"};

// The edit's sunken frame taken off, as a field set in a panel of its own would show it.
void RemoveBorder(TWinControl& control) {
    const HWND window = control.Handle();
    SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

std::string LongText() {
    std::string text;
    for (int i = 1; i <= 40; ++i)
        text += "Line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog, again and again\r\n";
    return text;
}

void AddFruits(TComboBox& list, int count) {
    for (int i = 0; i < count; ++i) list.AddItem(kFruits[i % std::size(kFruits)]);
}

}  // namespace

const TClassInfo& TGalleryFieldsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TGalleryFieldsForm>("TGalleryFieldsForm", &TForm::StaticClassInfo());
    return info;
}

TGalleryFieldsForm::TGalleryFieldsForm(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetCaption("Fields and lists");
    UseProgramFont(*this);
    SetClientWidth(800);
    SetClientHeight(452);
    AddEdits();
    AddLists();
    AddTables();
    AddChoosers();
    AddSpinsAndBars();
}

void TGalleryFieldsForm::AddEdits() {
    const int left = 12;
    PlaceControl<TEdit>(*this, {left, 12, kColumnWidth, kFieldHeight}, "Single line");
    RemoveBorder(*PlaceControl<TEdit>(*this, {left, 12 + kRowStep, kColumnWidth, kFieldHeight}, "Without border"));
    PlaceControl<TEdit>(*this, {left, 12 + 2 * kRowStep, kColumnWidth, kFieldHeight}, "Disabled")->SetEnabled(false);
    auto* lines = PlaceControl<TMemo>(*this, {left, 93, kColumnWidth, 40});
    lines->Lines()->SetText("Several lines,\r\nwith a border");
    auto* bare = PlaceControl<TMemo>(*this, {left, 139, kColumnWidth, 34});
    bare->Lines()->SetText("Several lines,\r\nwithout border");
    RemoveBorder(*bare);
    longMemo_ = PlaceControl<TMemo>(*this, {left, 179, kColumnWidth, 100});
    longMemo_->SetWordWrap(false);
    longMemo_->SetScrollBars(ssBoth);
    longMemo_->Lines()->SetText(LongText());
    auto* disabled = PlaceControl<TMemo>(*this, {left, 285, kColumnWidth, 50});
    disabled->SetScrollBars(ssVertical);
    disabled->Lines()->SetText(LongText());
    disabled->SetEnabled(false);
    auto* rich = PlaceControl<TRichEdit>(*this, {left, 341, kColumnWidth, 60});
    rich->SetScrollBars(ssVertical);
    rich->Lines()->SetText(LongText());
    auto* richDisabled = PlaceControl<TRichEdit>(*this, {left, 407, kColumnWidth, 34});
    richDisabled->Lines()->SetText("A disabled rich edit");
    richDisabled->SetEnabled(false);
}

void TGalleryFieldsForm::AddLists() {
    const int left = 194;
    auto* list = PlaceControl<TListBox>(*this, {left, 12, kColumnWidth, 90});
    for (const char* fruit : kFruits) list->Items()->Add(fruit);
    list->SetItemIndex(2);
    auto* disabled = PlaceControl<TListBox>(*this, {left, 108, kColumnWidth, 50});
    for (const char* fruit : kFruits) disabled->Items()->Add(fruit);
    disabled->SetEnabled(false);
    for (const bool enabled : {true, false}) {
        auto* tree = PlaceControl<TTreeView>(*this, {left, enabled ? 164 : 290, kColumnWidth, enabled ? 120 : 60});
        HTREEITEM first = nullptr;
        for (const char* group : {"Fruit", "Nuts", "Berries"}) {
            const HTREEITEM parent = tree->AddItem(nullptr, group);
            if (!first) first = parent;
            for (int i = 0; i < 4; ++i) tree->AddItem(parent, kFruits[(i * 3 + group[0]) % std::size(kFruits)]);
            tree->Expand(parent);
        }
        // Expanding scrolled to the last group; the top is shown.
        SendMessageA(tree->Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(first));
        tree->SetEnabled(enabled);
    }
    for (const bool enabled : {true, false}) {
        auto* header = PlaceControl<THeaderControl>(*this, {left, enabled ? 358 : 382, kColumnWidth, 20});
        header->AddSection("Name", 70);
        header->AddSection("Size", 50);
        header->AddSection("Kind", 50);
        header->SetEnabled(enabled);
    }
    for (const bool enabled : {true, false}) {
        auto* bar = PlaceControl<TScrollBar>(*this, {left, enabled ? 408 : 428, kColumnWidth, 17});
        bar->SetPageSize(20);
        bar->SetPosition(enabled ? 30 : 60);
        bar->SetEnabled(enabled);
    }
}

void TGalleryFieldsForm::AddTables() {
    const int left = 376;
    const int width = 230;
    for (const bool enabled : {true, false}) {
        auto* view = PlaceControl<TListView>(*this, {left, enabled ? 12 : 138, width, enabled ? 120 : 64});
        view->SetViewStyle(vsReport);
        view->AddColumn("Fruit", 90);
        view->AddColumn("Colour", 70);
        view->AddColumn("Price", 60);
        const char* colours[] = {"red", "yellow", "dark red", "purple", "black", "green"};
        for (int i = 0; i < static_cast<int>(std::size(kFruits)); ++i)
            view->AddItem({kFruits[i], colours[i % std::size(colours)], std::to_string(40 + i * 7 % 23) + " p"});
        view->SetEnabled(enabled);
    }
    for (const bool enabled : {true, false}) {
        auto* grid = PlaceControl<TStringGrid>(*this, {left, enabled ? 208 : 350, width, enabled ? 136 : 90});
        grid->SetColCount(8);
        grid->SetRowCount(16);
        grid->SetDefaultColWidth(56);
        grid->SetDefaultRowHeight(18);
        for (int col = 1; col < 8; ++col) grid->SetCell(col, 0, std::string(1, static_cast<char>('A' + col - 1)));
        for (int row = 1; row < 16; ++row) {
            grid->SetCell(0, row, std::to_string(row));
            for (int col = 1; col < 8; ++col) grid->SetCell(col, row, std::to_string(row * col));
        }
        grid->SetEnabled(enabled);
    }
}

void TGalleryFieldsForm::AddChoosers() {
    const int left = 618;
    const int width = 150;
    dropDownCombo_ = PlaceControl<TComboBox>(*this, {left, 12, width, kFieldHeight});
    AddFruits(*dropDownCombo_, 12);
    dropDownCombo_->SetItemIndex(0);
    auto* list = PlaceControl<TComboBox>(*this, {left, 12 + kRowStep, width, kFieldHeight});
    list->SetStyle(csDropDownList);
    AddFruits(*list, 6);
    list->SetItemIndex(1);
    auto* simple = PlaceControl<TComboBox>(*this, {left, 12 + 2 * kRowStep, width, 72});
    // The window takes the height of its field while it drops its list: the list's room again.
    simple->SetStyle(csSimple);
    simple->SetHeight(72);
    AddFruits(*simple, 12);
    simple->SetItemIndex(2);
    auto* rightToLeft = PlaceControl<TRightToLeftComboBox>(*this, {left, 144, width, kFieldHeight});
    AddFruits(*rightToLeft, 6);
    rightToLeft->SetItemIndex(3);
    auto* disabled = PlaceControl<TComboBox>(*this, {left, 144 + kRowStep, width, kFieldHeight});
    disabled->SetStyle(csDropDownList);
    AddFruits(*disabled, 3);
    disabled->SetItemIndex(0);
    disabled->SetEnabled(false);
    for (const bool enabled : {true, false}) {
        auto* extended = PlaceControl<TComboBoxEx>(*this, {left, enabled ? 198 : 225, width, kFieldHeight});
        extended->SetStyle(csDropDownList);
        for (int i = 0; i < 6; ++i) extended->AddItem(kFruits[i], i % 3);
        extended->SetItemIndex(enabled ? 4 : 0);
        extended->SetEnabled(enabled);
    }
    PlaceControl<TDateTimePicker>(*this, {left, 252, width, kFieldHeight});
    PlaceControl<TDateTimePicker>(*this, {left, 252 + kRowStep, width, kFieldHeight})->SetKind(dtkTime);
    PlaceControl<TDateTimePicker>(*this, {left, 252 + 2 * kRowStep, width, kFieldHeight})->SetEnabled(false);
}

void TGalleryFieldsForm::AddSpinsAndBars() {
    const int left = 618;
    // Spin buttons inside their edit, enabled and disabled.
    for (const bool enabled : {true, false}) {
        auto* edit = PlaceControl<TEdit>(*this, {left, enabled ? 336 : 363, 70, kFieldHeight}, enabled ? "12" : "7");
        auto* spin = new TUpDown(this);
        spin->SetParent(edit);
        spin->SetBounds(edit->ClientWidth() - 16, 0, 16, edit->ClientHeight());
        edit->SetEnabled(enabled);
        spin->SetEnabled(enabled);
    }
    // Free spin buttons: upright, lying, disabled.
    PlaceControl<TUpDown>(*this, {left + 80, 336, 16, 24});
    PlaceControl<TUpDown>(*this, {left + 100, 340, 32, 16})->SetOrientation(udHorizontal);
    PlaceControl<TUpDown>(*this, {left + 80, 363, 16, 24})->SetEnabled(false);
    // Upright scroll bar controls beside the right edge.
    for (const bool enabled : {true, false}) {
        auto* bar = PlaceControl<TScrollBar>(*this, {enabled ? 776 : 756, 336, 17, 105});
        bar->SetKind(sbVertical);
        bar->SetBounds(enabled ? 776 : 756, 336, 17, 105);
        bar->SetPageSize(25);
        bar->SetPosition(40);
        bar->SetEnabled(enabled);
    }
}

}  // namespace velloran
