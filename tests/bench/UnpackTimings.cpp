// The program's unpacker against the first one on the project's mixed corpus, in the Windows
// build: mean times of both in one run and their ratio.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "skin/data/LZH.h"
#include "tests/bench/ProjectCorpus.h"
#include "tests/bench/TimingSupport.h"
#include "tests/skin/LzhBaseline.h"
#include "tools/skinpack/LzhEncoder.h"

namespace velloran::bench {

void UnpackTimings() {
    constexpr int kRuns = 3;
    char executable[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, executable, MAX_PATH);
    const std::vector<uint8_t> packed =
        PackLzh(test::ProjectCorpus("Z:" VELLORAN_SOURCE_DIR, executable, 10'000'000));
    std::size_t unpacked = 0;
    const double program = MeanMilliseconds(kRuns, [&] { unpacked = TLZH::DecodeStream(packed).size(); });
    const double baseline = MeanMilliseconds(kRuns, [&] { test::TLzhBaseline::DecodeStream(packed); });
    std::printf("Unpacking %zu bytes (packed %zu): %.1f ms, baseline %.1f ms, %.2fx faster, mean over %d runs\n",
                unpacked, packed.size(), program, baseline, baseline / program, kRuns);
}

}  // namespace velloran::bench
