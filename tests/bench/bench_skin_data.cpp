// Unpacking speed of skin data. Each packed input is registered with
// BENCHMARK_CAPTURE below; a real skin can be added the same way.

#include "skin/data/LZH.h"
#include "tests/skin/LzhCorpus.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinFiles.h"
#include "tools/skinpack/SkinWriter.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using namespace velloran;

// The program's own default skin, packed as it is stored in the main window.
std::vector<uint8_t> PackedDefaultSkin() {
    return WriteSkinContainer(ReadSkinFolder(VELLORAN_SOURCE_DIR "/resources/skins/Default"));
}

// 10 MB of INI-like text, runs, repeats and random bytes.
std::vector<uint8_t> PackedMixedCorpus() { return PackLzh(test::MixedCorpus(10'000'000, 2024)); }

void BM_DecodeLzh(benchmark::State& state, std::vector<uint8_t> (*makePacked)()) {
    const std::vector<uint8_t> packed = makePacked();
    const int64_t unpackedSize = TLZH::StoredSize(packed);
    for (auto _ : state) {
        std::vector<uint8_t> unpacked = TLZH::DecodeStream(packed);
        benchmark::DoNotOptimize(unpacked.data());
    }
    state.SetBytesProcessed(state.iterations() * unpackedSize);
    state.counters["packed_bytes"] = static_cast<double>(packed.size());
    state.counters["ratio"] = static_cast<double>(unpackedSize) / static_cast<double>(packed.size());
}

BENCHMARK_CAPTURE(BM_DecodeLzh, default_skin, PackedDefaultSkin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeLzh, mixed_10MB, PackedMixedCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
