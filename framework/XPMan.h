#pragma once
// Marks a form whose program carries the manifest asking for version 6 of the common
// controls; the manifest itself is a resource of the executable.
#include "framework/Classes.h"

namespace velloran {

class TXPManifest : public TComponent {
    VELLORAN_CLASS(TXPManifest)
public:
    explicit TXPManifest(TComponent* owner) : TComponent(owner) {}
};

}  // namespace velloran
