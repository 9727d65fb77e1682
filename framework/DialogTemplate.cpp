#include "framework/DialogTemplate.h"

namespace velloran {

TDialogTemplate::TDialogTemplate(const wchar_t* caption, short cx, short cy, const std::vector<TDialogItem>& items) {
    // The template is a run of WORDs; each item starts on a DWORD boundary.
    const auto align = [this] {
        if (words_.size() % 2) words_.push_back(0);
    };
    const auto dword = [this](DWORD v) {
        words_.push_back(LOWORD(v));
        words_.push_back(HIWORD(v));
    };
    const auto text = [this](const wchar_t* s) {
        for (; *s; ++s) words_.push_back(static_cast<WORD>(*s));
        words_.push_back(0);
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    dword(0);
    words_.push_back(static_cast<WORD>(items.size()));
    for (short v : {short(20), short(20), cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the system's dialog class
    text(caption);
    words_.push_back(8);
    text(L"MS Shell Dlg");
    for (const TDialogItem& item : items) {
        align();
        dword(item.Style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {item.X, item.Y, item.Cx, item.Cy}) words_.push_back(static_cast<WORD>(v));
        words_.push_back(item.Id);
        text(item.Class);
        text(item.Text);
        words_.push_back(0);  // no creation data
    }
}

HWND TDialogTemplate::Create(HWND owner, DLGPROC proc, LPARAM param) const {
    return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words_.data()),
                                      owner, proc, param);
}

}  // namespace velloran
