#include "tests/skin/LzhCorpus.h"

#include <algorithm>
#include <array>
#include <random>
#include <string_view>

namespace velloran::test {

namespace {

// Raw engine output only: the distributions of the standard library differ
// between implementations, the engine does not.
std::size_t Below(std::mt19937& random, std::size_t bound) { return random() % bound; }

void AppendText(std::vector<uint8_t>& out, std::size_t size, std::mt19937& random) {
    static constexpr std::array<std::string_view, 12> kWords = {
        "[Buttons]", "Image=close.bmp", "Frames=3", "TopMargin=", "Color=",  "\r\n",
        "SkinName",  "caption",         "255",      "0",          "Trans=1", "Left"};
    while (size > 0) {
        const std::string_view word = kWords[Below(random, kWords.size())];
        const std::size_t n = std::min(size, word.size());
        out.insert(out.end(), word.begin(), word.begin() + static_cast<std::ptrdiff_t>(n));
        size -= n;
    }
}

}  // namespace

std::vector<uint8_t> RandomBytes(std::size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> MixedCorpus(std::size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> out;
    out.reserve(size);
    for (int block = 0; out.size() < size; ++block) {
        const std::size_t length = std::min(size - out.size(), 64 + Below(random, 8192));
        switch (block % 4) {
            case 0:
                AppendText(out, length, random);
                break;
            case 1:
                out.insert(out.end(), length, static_cast<uint8_t>(random()));
                break;
            case 2: {
                // An earlier stretch again, from anywhere within the last 6000 bytes.
                const std::size_t back = 1 + Below(random, std::min<std::size_t>(out.size(), 6000));
                const std::size_t from = out.size() - back;
                for (std::size_t k = 0; k < length; ++k) out.push_back(out[from + k]);
                break;
            }
            default: {
                const std::vector<uint8_t> noise = RandomBytes(length, static_cast<uint32_t>(random()));
                out.insert(out.end(), noise.begin(), noise.end());
            }
        }
    }
    return out;
}

}  // namespace velloran::test
