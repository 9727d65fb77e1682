#pragma once
// A fuzz target's check: a broken property stops the run where the fuzzer can see it.
#include <cstdlib>

namespace velloran::fuzztest {

inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace velloran::fuzztest
