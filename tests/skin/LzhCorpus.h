#pragma once

// Reproducible sample data for the LZH tests and the skin data benchmark.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velloran::test {

std::vector<uint8_t> RandomBytes(std::size_t size, uint32_t seed);

// Blocks of INI-like text, runs of one byte, copies of earlier stretches
// (near and up to the ring's reach) and random bytes, in turn.
std::vector<uint8_t> MixedCorpus(std::size_t size, uint32_t seed);

}  // namespace velloran::test
