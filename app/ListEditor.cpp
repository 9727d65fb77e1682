#include "app/ListEditor.h"

#include <stdexcept>

#include "app/ListFile.h"
#include "app/Main.h"
#include "app/Settings.h"

namespace velloran {

TQuotesForm* QuotesForm = nullptr;
TLyricsForm* LyricsForm = nullptr;

namespace {
const TListEditorKind kQuotes{"Velloran.dat", "Random", &TStatusEngineState::QuoteIndex};
const TListEditorKind kLyrics{"Velloran Lyrics.dat", "RandomLyrics", &TStatusEngineState::LyricIndex};

std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = n ? std::string(buffer, n) : "Error " + std::to_string(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    return text;
}
}  // namespace

const TClassInfo& TListEditorForm::StaticClassInfo() {
    using C = TListEditorForm;
    using namespace props;
    static const TClassInfo info = DefineClass<C>(
        "TListEditorForm", &TForm::StaticClassInfo(), {},
        {Method("FormCreate", &C::FormCreate), Method("FormShow", &C::FormShow), Method("FormHide", &C::FormHide),
         Method("btnCloseClick", &C::btnCloseClick)},
        {Field("Label1", &C::Label1), Field("Memo", &C::Memo), Field("btnClose", &C::btnClose),
         Field("chkRandom", &C::chkRandom)});
    return info;
}

TListEditorForm::TListEditorForm(TComponent* owner, const TListEditorKind& kind) : TForm(owner), kind_(kind) {}

std::string TListEditorForm::ListPath() const { return ExeFolder() + kind_.FileName; }

int TListEditorForm::EntryCount() const { return Memo->Lines()->Count(); }

std::optional<std::string> TListEditorForm::Entry(int index) const {
    try {
        return Memo->Lines()->Get(index);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void TListEditorForm::FormCreate(TObject* sender) { FormShow(sender); }

void TListEditorForm::FormShow(TObject*) { LoadList(); }

void TListEditorForm::FormHide(TObject*) { SaveList(); }

void TListEditorForm::btnCloseClick(TObject*) { Hide(); }

void TListEditorForm::SaveAtExit() noexcept {
    if (!Visible() || listText_ != TListText::FromFile) return;
    try {
        WriteList();
    } catch (...) {
        if (Application) Application->HandleException(std::current_exception());
    }
}

void TListEditorForm::BeforeDestruction() {
    SaveAtExit();
    TForm::BeforeDestruction();
}

void TListEditorForm::LoadList() {
    listText_ = TListText::NotLoaded;
    std::string path = ListPath();
    // A folder of that name is no list file either.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Memo->Lines()->Clear();
    } else {
        TFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throw std::runtime_error("Cannot open file \"" + path + "\". " + SystemErrorText(GetLastError()));
        std::string text;
        char chunk[65536];
        DWORD got = 0;
        while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
        Memo->Lines()->SetText(ListFileText(text));
    }
    listText_ = TListText::FromFile;
    chkRandom->SetChecked(TSettingsFile::Default().ReadBool("General", kind_.RandomKey, true));
}

void TListEditorForm::WriteList() {
    std::string path = ListPath();
    std::string text = Memo->Text();
    TFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("Cannot create file \"" + path + "\". " + SystemErrorText(GetLastError()));
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size())
        throw std::runtime_error("Unable to write to " + path);
    file.reset();
    TSettingsFile::Default().WriteBool("General", kind_.RandomKey, chkRandom->Checked());
}

void TListEditorForm::SaveList() {
    WriteList();
    MainForm->*kind_.MainIndex = -1;
    MainForm->ForcePublish = true;
    MainForm->TimerTimer(this);
}

const TClassInfo& TQuotesForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TQuotesForm>("TQuotesForm", &TListEditorForm::StaticClassInfo());
    return info;
}

TQuotesForm::TQuotesForm(TComponent* owner) : TListEditorForm(owner, kQuotes) {
    QuotesForm = this;
    LoadFormData();
}

TQuotesForm::~TQuotesForm() {
    if (QuotesForm == this) QuotesForm = nullptr;
}

const TClassInfo& TLyricsForm::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TLyricsForm>("TLyricsForm", &TListEditorForm::StaticClassInfo());
    return info;
}

TLyricsForm::TLyricsForm(TComponent* owner) : TListEditorForm(owner, kLyrics) {
    LyricsForm = this;
    LoadFormData();
}

TLyricsForm::~TLyricsForm() {
    if (LyricsForm == this) LyricsForm = nullptr;
}

}  // namespace velloran
