#pragma once
// What the timings of the skin engine share: a mean over runs, the default skin packed from the
// source tree, a form skinned the way the skin manager skins one, and the census of the messages
// a piece of work sends.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Forms.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinMessages.h"
#include "skin/form/WinSkinForm.h"
#include "tools/skinpack/SkinFiles.h"

namespace velloran::bench {

template <class F>
double MeanMilliseconds(int runs, F&& work) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / runs;
}

// The default skin packed from the source tree, on Wine's drive for the Unix root.
inline std::vector<uint8_t> PackedDefaultSkin() {
    return PackedSkinAt("Z:" VELLORAN_SOURCE_DIR "/resources/skins/Default");
}

// The form skinner of one shown form, attached as the skin manager attaches it.
class TSkinnedForm {
public:
    TSkinnedForm(TSkinData& data, TForm& form) : skinner_(new TWinSkinForm(&form), &FreeSkinner) {
        skinner_->Handle = form.Handle();
        skinner_->SkinForm(&data, &form);
        SendMessageA(form.Handle(), SM_INITSKIN, 0, kInitSkinFromManager);
    }
    TWinSkinForm& operator*() const { return *skinner_; }
    TWinSkinForm* operator->() const { return skinner_.get(); }

private:
    static void FreeSkinner(TWinSkinForm* skinner) { Free(skinner); }
    std::unique_ptr<TWinSkinForm, void (*)(TWinSkinForm*)> skinner_;
};

// The messages that the windows of this thread receive while a piece of work runs, as sent or
// dispatched to their procedures, counted per window and message.
class TMessageCensus {
public:
    using TCount = std::map<std::pair<HWND, UINT>, int>;
    // Counts during `work`; one census at a time.
    template <class F>
    static TCount Take(F&& work) {
        TMessageCensus census;
        work();
        return std::move(census.counts_);
    }
    // "WM_ERASEBKGND 2, WM_PAINT 2": the messages of the windows `which` accepts, added up.
    static std::string Describe(const TCount& counts, const std::function<bool(HWND)>& which);

private:
    TMessageCensus();
    ~TMessageCensus();
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Dispatched(int code, WPARAM wParam, LPARAM lParam);

    TCount counts_;
    HHOOK sent_, dispatched_;
    static TMessageCensus* current_;
};

// Invalidates a window with its frame and children and paints everything at once.
void RepaintAll(HWND window);

void PageRepaintTimings(TSkinData& data, int runs);
void ButtonsPageTimings(TSkinData& data, int runs);
void MemoScrollTimings(TSkinData& data, int runs);
void UnpackTimings();
void BarsPageTimings(TSkinData& data, int runs);
void TabSwitchTimings(TSkinData& data, int runs);
// Skins the process itself (the skin manager) for its second half; run it last.
void MenuTimings(int runs);

}  // namespace velloran::bench
