// Any text the reader accepts must survive a write and a re-read unchanged,
// and the written text must be a fixed point of the writer.
#include "framework/FormData.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace velloran;
    TFormObject tree;
    try {
        tree = ParseFormData(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const TFormDataError&) {
        return 0;
    }
    std::string written = WriteFormData(tree);
    TFormObject reread = ParseFormData(written);
    if (!(reread == tree)) std::abort();
    if (WriteFormData(reread) != written) std::abort();
    return 0;
}
