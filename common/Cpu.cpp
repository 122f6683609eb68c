#include "Cpu.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace common {

namespace {

CpuLevel FromEnvironment(CpuLevel machine)
{
    const char* chosen = std::getenv("SPECTRUM_CPU");
    if (!chosen)
        return machine;
    const struct {
        const char* name;
        CpuLevel level;
    } names[] = {{"plain", CpuLevel::Plain}, {"sse2", CpuLevel::Sse2}, {"avx2", CpuLevel::Avx2}, {"avx512", CpuLevel::Avx512}};
    for (const auto& n : names)
        if (std::strcmp(chosen, n.name) == 0)
            return static_cast<int>(n.level) < static_cast<int>(machine) ? n.level : machine;
    return machine;  // an unknown name changes nothing
}

// The cap of the tests; above every level when none is set.
std::atomic<int> testCap{static_cast<int>(CpuLevel::Avx512)};

} // namespace

CpuLevel MachineCpuLevel()
{
    static const CpuLevel level = [] {
        if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx2"))
            return CpuLevel::Avx512;
        if (__builtin_cpu_supports("avx2"))
            return CpuLevel::Avx2;
        if (__builtin_cpu_supports("sse2"))
            return CpuLevel::Sse2;
        return CpuLevel::Plain;
    }();
    return level;
}

CpuLevel CpuLevelInUse()
{
    static const CpuLevel chosen = FromEnvironment(MachineCpuLevel());
    const int cap = testCap.load(std::memory_order_relaxed);
    return static_cast<int>(chosen) < cap ? chosen : static_cast<CpuLevel>(cap);
}

CpuLevelCap::CpuLevelCap(CpuLevel level) : previous_(testCap.exchange(static_cast<int>(level))) {}

CpuLevelCap::~CpuLevelCap() { testCap.store(previous_); }

} // namespace common
