#include "framework/XPMan.h"

namespace velloran {

const TClassInfo& TXPManifest::StaticClassInfo() {
    static const TClassInfo info = DefineClass<TXPManifest>("TXPManifest", &TComponent::StaticClassInfo());
    return info;
}

}  // namespace velloran
