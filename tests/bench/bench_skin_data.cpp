// Unpacking speed of skin data, the program's unpacker against the first one
// (kept as the baseline) in the same run, with the speed-up printed at the end.
// Each packed input is registered in kInputs; a real skin can be added the same way.

#include "skin/data/LZH.h"
#include "tests/bench/ProjectCorpus.h"
#include "tests/skin/LzhBaseline.h"
#include "tests/skin/LzhCorpus.h"
#include "tools/skinpack/LzhEncoder.h"
#include "tools/skinpack/SkinFiles.h"
#include "tools/skinpack/SkinWriter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace velloran;

struct TInput {
    const char* Name;
    std::vector<uint8_t> (*MakePacked)();
};

const TInput kInputs[] = {
    // The program's own default skin, packed as it is stored in the main window.
    {"default_skin",
     [] { return WriteSkinContainer(ReadSkinFolder(VELLORAN_SOURCE_DIR "/resources/skins/Default")); }},
    // Skin bitmaps, C headers and executable code, 10 MB.
    {"project_mix_10MB", [] { return PackLzh(test::ProjectCorpus(VELLORAN_SOURCE_DIR, "/proc/self/exe", 10'000'000)); }},
    // INI-like text, runs, repeats and random bytes, 10 MB.
    {"synthetic_10MB", [] { return PackLzh(test::MixedCorpus(10'000'000, 2024)); }},
};

using TDecoder = std::vector<uint8_t> (*)(std::span<const uint8_t>);

struct TDecoderCase {
    const char* Name;
    TDecoder Decode;
};

const TDecoderCase kDecoders[] = {{"program", &TLZH::DecodeStream}, {"baseline", &test::TLzhBaseline::DecodeStream}};

void DecodeLzh(benchmark::State& state, const std::vector<uint8_t>& packed, TDecoder decode) {
    const int64_t unpackedSize = TLZH::StoredSize(packed);
    for (auto _ : state) {
        std::vector<uint8_t> unpacked = decode(packed);
        benchmark::DoNotOptimize(unpacked.data());
    }
    state.SetBytesProcessed(state.iterations() * unpackedSize);
    state.counters["packed_bytes"] = static_cast<double>(packed.size());
    state.counters["ratio"] = static_cast<double>(unpackedSize) / static_cast<double>(packed.size());
}

// The fastest of the repetitions: on a machine shared with other work, the
// slower ones measure the other work too.
constexpr int kRepetitions = 5;
constexpr const char* kFastest = "min";

double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// Prints as usual and keeps the fastest CPU time of each benchmark for the speed-ups.
class TSpeedUpReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == kFastest)
                seconds_[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }

    void PrintSpeedUps() const {
        std::printf("\nSpeed-up of the program's unpacker over the baseline (fastest CPU time of %d, same run):\n",
                    kRepetitions);
        for (const TInput& input : kInputs) {
            const std::string suffix = std::string("/") + input.Name;
            const auto program = seconds_.find(std::string("unpack_program") + suffix);
            const auto baseline = seconds_.find(std::string("unpack_baseline") + suffix);
            if (program == seconds_.end() || baseline == seconds_.end()) continue;
            std::printf("  %-18s %.2fx\n", input.Name, baseline->second / program->second);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::vector<uint8_t>> packed;
    packed.reserve(std::size(kInputs));
    for (const TInput& input : kInputs) packed.push_back(input.MakePacked());
    for (std::size_t i = 0; i < std::size(kInputs); ++i) {
        for (const TDecoderCase& decoder : kDecoders) {
            const std::string name = std::string("unpack_") + decoder.Name + "/" + kInputs[i].Name;
            benchmark::RegisterBenchmark(name.c_str(), DecodeLzh, std::cref(packed[i]), decoder.Decode)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ComputeStatistics(kFastest, Fastest)
                ->DisplayAggregatesOnly(true);
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TSpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSpeedUps();
    benchmark::Shutdown();
    return 0;
}
