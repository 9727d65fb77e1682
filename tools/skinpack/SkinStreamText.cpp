#include "tools/skinpack/SkinStreamText.h"

#include "framework/Classes.h"
#include "framework/FormData.h"
#include "skin/data/LittleEndian.h"

#include <limits>
#include <stdexcept>
#include <vector>

namespace velloran {

std::string SkinStreamProperty(std::span<const uint8_t> packed) {
    if (packed.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
        throw std::length_error("a skin of 2 GiB or more does not fit the form data");
    std::vector<uint8_t> stored;
    AppendInt32LE(stored, static_cast<int32_t>(packed.size()));
    stored.insert(stored.end(), packed.begin(), packed.end());

    TFormObject holder;
    holder.Name = "SkinData";
    holder.ClassName = "TSkinData";
    holder.Properties.push_back({"SkinStream", TFormValue::Binary(std::move(stored))});

    // The writer's text without the object's own first and last lines.
    const std::vector<std::string> lines = SplitLines(WriteFormData(holder));
    std::string text;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) text += lines[i] + "\n";
    return text;
}

}  // namespace velloran
