#include "tests/soak/ProcessFigures.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/framework/HandleCounts.h"

namespace velloran::soak {

namespace {
// Wine answers 0 for PrivateUsage: there the committed private pages of the address space are
// added up, which is what the figure counts on Windows.
SIZE_T CommittedPrivateBytes() {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return total;
}
}  // namespace

TProcessFigures TakeProcessFigures() {
    TProcessFigures figures;
    figures.Gdi = fwtest::CountGdiObjects();
    figures.User = fwtest::CountUserObjects();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        figures.PrivateBytes = memory.PrivateUsage;
    if (figures.PrivateBytes == 0) figures.PrivateBytes = CommittedPrivateBytes();
    return figures;
}

int SoakCount(const char* variable, int shortCount) {
    const char* value = std::getenv(variable);
    return value ? std::max(1, std::atoi(value)) : shortCount;
}

TSoakRun::TSoakRun(std::string name, int cycles)
    : name_(std::move(name)), cycles_(cycles), start_(TakeProcessFigures()), started_(std::chrono::steady_clock::now()) {}

void TSoakRun::Finish() const {
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started_).count();
    const TProcessFigures end = TakeProcessFigures();
    std::printf("[soak] %s: %d cycles, %.2f ms per cycle; GDI %d -> %d, USER %d -> %d, private bytes %llu -> %llu\n",
                name_.c_str(), cycles_, ms / cycles_, start_.Gdi, end.Gdi, start_.User, end.User,
                static_cast<unsigned long long>(start_.PrivateBytes), static_cast<unsigned long long>(end.PrivateBytes));
    std::fflush(stdout);
    EXPECT_GT(start_.PrivateBytes, 0u) << "no private bytes reported";
    EXPECT_EQ(end.Gdi, start_.Gdi) << name_ << ": GDI objects after " << cycles_ << " cycles";
    EXPECT_EQ(end.User, start_.User) << name_ << ": USER objects after " << cycles_ << " cycles";
    EXPECT_LE(end.PrivateBytes, start_.PrivateBytes + kPrivateBytesSlack)
        << name_ << ": private bytes grew by " << (end.PrivateBytes - start_.PrivateBytes) << " in " << cycles_
        << " cycles";
}

}  // namespace velloran::soak
