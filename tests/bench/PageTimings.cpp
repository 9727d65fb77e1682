// A full repaint of every gallery page, unskinned and then skinned in the same run, with their
// ratio. Each page is skinned by its own form skinner as the skin manager would skin it.
#include <cstdio>
#include <memory>

#include "skin/controls/SkinnerSelection.h"
#include "tests/bench/TimingSupport.h"
#include "tools/gallery/GalleryPages.h"

namespace velloran::bench {

namespace {

void FreeForm(TForm* form) { Free(form); }

}  // namespace

void RepaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void PageRepaintTimings(TSkinData& data, int runs) {
    InstallSkinnerSelection();
    std::printf("Full repaint of each gallery page, mean over %d runs:\n", runs);
    for (const TGalleryPage& page : GalleryPages()) {
        const std::unique_ptr<TForm, void (*)(TForm*)> form(page.Create(nullptr), &FreeForm);
        form->Show();
        const double plain = MeanMilliseconds(runs, [&] { RepaintAll(form->Handle()); });
        const TSkinnedForm skinner(data, *form);
        const double skinned = MeanMilliseconds(runs, [&] { RepaintAll(form->Handle()); });
        std::printf("  %-12s %8.3f ms unskinned %8.3f ms skinned  ratio %5.2f  (%zu control skinners)\n",
                    page.Name.c_str(), plain, skinned, skinned / plain, skinner->Skinners().size());
    }
}

}  // namespace velloran::bench
