#include "tools/gallery/GalleryPages.h"

#include "tools/gallery/BarsForm.h"
#include "tools/gallery/ButtonsForm.h"
#include "tools/gallery/DialogForm.h"
#include "tools/gallery/FieldsForm.h"
#include "tools/gallery/MdiFrameForm.h"
#include "tools/gallery/NoCaptionForm.h"
#include "tools/gallery/RightToLeftForm.h"
#include "tools/gallery/TabsForm.h"
#include "tools/gallery/ToolWindowForm.h"
#include "tools/gallery/ToolbarsForm.h"

namespace velloran {

namespace {
template <class T>
TForm* Create(TComponent* owner) {
    return new T(owner);
}
}  // namespace

const std::vector<TGalleryPage>& GalleryPages() {
    static const std::vector<TGalleryPage> pages{
        {"dialog", "Dialog", &Create<TGalleryDialogForm>},
        {"tool", "Tool window", &Create<TGalleryToolWindowForm>},
        {"nocaption", "No caption", &Create<TGalleryNoCaptionForm>},
        {"mdi", "MDI frame", &Create<TGalleryMdiFrameForm>},
        {"buttons", "Buttons", &Create<TGalleryButtonsForm>},
        {"fields", "Fields and lists", &Create<TGalleryFieldsForm>},
        {"bars", "Bars and gauges", &Create<TGalleryBarsForm>},
        {"tabs", "Tabs and pages", &Create<TGalleryTabsForm>},
        {"righttoleft", "Right to left", &Create<TGalleryRightToLeftForm>},
        {"toolbars", "Tool bars and player", &Create<TGalleryToolbarsForm>},
    };
    return pages;
}

}  // namespace velloran
