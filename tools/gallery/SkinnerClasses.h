#pragma once
// Every class of the skin engine that skins a control, and the windows it keeps of its own, each
// with the gallery window where it is seen at work.
#include <string>
#include <vector>

namespace velloran {

struct TSkinnerClassPlace {
    std::string ClassName;
    std::string SeenIn;  // a gallery window, or what is still missing
};

const std::vector<TSkinnerClassPlace>& SkinnerClassPlaces();

// One line of the main form's list: "TSkinButton - Buttons".
std::string SkinnerClassLine(const TSkinnerClassPlace& place);

}  // namespace velloran
