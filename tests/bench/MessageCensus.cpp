#include <cstdio>
#include <map>

#include "tests/bench/TimingSupport.h"

namespace velloran::bench {

namespace {

const char* MessageName(UINT msg) {
    static const std::map<UINT, const char*> names{
        {WM_PAINT, "WM_PAINT"},           {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_NCPAINT, "WM_NCPAINT"},       {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
        {WM_VSCROLL, "WM_VSCROLL"},       {WM_HSCROLL, "WM_HSCROLL"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"}, {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_NCHITTEST, "WM_NCHITTEST"},   {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_TIMER, "WM_TIMER"},
        {WM_COMMAND, "WM_COMMAND"},       {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_GETFONT, "WM_GETFONT"},
    };
    const auto found = names.find(msg);
    return found == names.end() ? nullptr : found->second;
}

}  // namespace

TMessageCensus* TMessageCensus::current_ = nullptr;

TMessageCensus::TMessageCensus()
    : sent_(SetWindowsHookExA(WH_CALLWNDPROC, &Sent, nullptr, GetCurrentThreadId())),
      dispatched_(SetWindowsHookExA(WH_GETMESSAGE, &Dispatched, nullptr, GetCurrentThreadId())) {
    current_ = this;
}

TMessageCensus::~TMessageCensus() {
    current_ = nullptr;
    if (sent_) UnhookWindowsHookEx(sent_);
    if (dispatched_) UnhookWindowsHookEx(dispatched_);
}

LRESULT CALLBACK TMessageCensus::Sent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && current_) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        ++current_->counts_[{sent->hwnd, sent->message}];
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TMessageCensus::Dispatched(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE && current_) {
        const auto* posted = reinterpret_cast<const MSG*>(lParam);
        ++current_->counts_[{posted->hwnd, posted->message}];
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string TMessageCensus::Describe(const TCount& counts, const std::function<bool(HWND)>& which) {
    std::map<UINT, int> perMessage;
    for (const auto& [key, count] : counts)
        if (which(key.first)) perMessage[key.second] += count;
    std::string text;
    for (const auto& [msg, count] : perMessage) {
        char item[64];
        if (const char* name = MessageName(msg))
            std::snprintf(item, sizeof item, "%s%s %d", text.empty() ? "" : ", ", name, count);
        else
            std::snprintf(item, sizeof item, "%s0x%04X %d", text.empty() ? "" : ", ", msg, count);
        text += item;
    }
    return text.empty() ? "none" : text;
}

}  // namespace velloran::bench
