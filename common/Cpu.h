#pragma once
// The one place that says which instruction sets the kernels may use: what the processor has,
// lowered by SPECTRUM_CPU=plain|sse2|avx2|avx512 (read once, at the first question) and, in tests,
// by a CpuLevelCap. Every kernel with several builds asks here, so that tests can run each build
// on any machine that has it and compare their bytes. Each build gives the same bytes by design.
namespace common {

enum class CpuLevel { Plain = 0, Sse2 = 1, Avx2 = 2, Avx512 = 3 };  // Avx512: F and BW

// What the processor has.
CpuLevel MachineCpuLevel();
// What the kernels may use now.
CpuLevel CpuLevelInUse();
inline bool CpuAllows(CpuLevel level) { return static_cast<int>(level) <= static_cast<int>(CpuLevelInUse()); }

// For tests: while it lives, the kernels use at most `level` (never more than the machine has).
class CpuLevelCap {
public:
    explicit CpuLevelCap(CpuLevel level);
    ~CpuLevelCap();
    CpuLevelCap(const CpuLevelCap&) = delete;
    CpuLevelCap& operator=(const CpuLevelCap&) = delete;

private:
    int previous_;
};

} // namespace common
