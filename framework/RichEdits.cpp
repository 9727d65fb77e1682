#include "framework/RichEdits.h"

#include <richedit.h>

namespace velloran {

namespace {
// The library that registers the rich text class stays loaded for the life of the process: its
// windows may outlive any one control object.
void LoadRichEditLibrary() {
    static const TModuleHandle library(LoadLibraryA("riched20.dll"));
}
}  // namespace

const TClassInfo& TRichEdit::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TRichEdit>("TRichEdit", &TMemo::StaticClassInfo());
    return info;
}

TRichEdit::TRichEdit(TComponent* owner) : TMemo(owner) {}

void TRichEdit::CreateParams(TCreateParams& p) {
    LoadRichEditLibrary();
    TMemo::CreateParams(p);
    p.SysClassName = RICHEDIT_CLASSA;
}

}  // namespace velloran
