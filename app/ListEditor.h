#pragma once
// The quote and lyric editors: one design, built twice. Each keeps its list in a text file
// beside the executable and its "randomly" choice in the settings.
#include <optional>
#include <string>

#include "app/StatusEngine.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace velloran {

struct TListEditorKind {
    const char* FileName;                      // beside the executable
    const char* RandomKey;                     // in section General
    int32_t TStatusEngineState::*MainIndex;    // reset when the editor is hidden
};

class TListEditorForm : public TForm {
    VELLORAN_CLASS(TListEditorForm)
public:
    TLabel* Label1 = nullptr;
    TMemo* Memo = nullptr;
    TButton* btnClose = nullptr;
    TCheckBox* chkRandom = nullptr;

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void btnCloseClick(TObject* sender);

    // The list as the engine reads it: the memo's lines, an empty last line not counted.
    int EntryCount() const;
    std::optional<std::string> Entry(int index) const;
    std::string ListPath() const;

    // What the user typed must survive the end of the program: an editor still open then
    // writes its list and random setting as hiding would, without publishing. One whose last
    // load failed writes nothing: its text is not the file's, which may have changed meanwhile.
    void SaveAtExit() noexcept;
    void BeforeDestruction() override;

protected:
    TListEditorForm(TComponent* owner, const TListEditorKind& kind);

private:
    void LoadList();
    void WriteList();
    void SaveList();
    const TListEditorKind& kind_;
    // Whether the memo started from the list file at the last load: a failed one leaves older text.
    enum class TListText { FromFile, NotLoaded };
    TListText listText_ = TListText::NotLoaded;
};

class TQuotesForm : public TListEditorForm {
    VELLORAN_CLASS(TQuotesForm)
public:
    explicit TQuotesForm(TComponent* owner);
    ~TQuotesForm() override;
};

class TLyricsForm : public TListEditorForm {
    VELLORAN_CLASS(TLyricsForm)
public:
    explicit TLyricsForm(TComponent* owner);
    ~TLyricsForm() override;
};

extern TQuotesForm* QuotesForm;
extern TLyricsForm* LyricsForm;

}  // namespace velloran
