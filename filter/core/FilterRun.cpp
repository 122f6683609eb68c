#include "FilterRun.h"

#include "Conversions.h"
#include "FilterPipeline.h"
#include "NumberText.h"

namespace filter {

namespace {

// The gain as the settings' filters make it, reset to 1 in the first filter's own pass.
void MakeGain(FilterSettings& settings, int n, SquareMatrix& gain, double& filterMax, common::ThreadPool& pool)
{
    GainStart start = GainStart::Ones;
    try {
        const FilterType type = settings.Type();
        const bool steepen = settings.Steepen();
        if (type == FilterType::LCF || type == FilterType::BPF) {
            const double cutOff = settings.LowCutOff();
            LowCutFilter(gain, n, cutOff, settings.LowPower(), steepen, filterMax, pool, start);
        }
        if (type == FilterType::HCF || type == FilterType::BPF) {
            const double cutOff = settings.HighCutOff();
            CheckHighCutOff(cutOff);
            HighCutFilter(gain, n, static_cast<float>(cutOff), settings.HighPower(), steepen, filterMax, pool, start);
        }
    } catch (...) {
        if (start == GainStart::Ones)
            ResetGain(gain, n);
        throw;
    }
    if (start == GainStart::Ones)
        ResetGain(gain, n);
}

} // namespace

void RunFilter(FilterSettings& settings, const FilterInput& input, FftWorkspace& ws, const FilterMatrices& out,
               common::ThreadPool& pool)
{
    const int n = input.n;
    MakeGain(settings, n, out.gain, out.filterMax, pool);
    out.filteredPowerMax = FilterSpectrum(input.re, input.im, input.map, out.gain, n, out.filteredRe, out.filteredIm,
                                          out.filteredPower, pool);
    FilterFft2D(ws, out.filteredRe, out.filteredIm, n, settings.NoiseFloorDivisor(), pool);
    const Extremes extremes = PlaceFilteredImage(out.filteredRe, n, out.filteredImage, pool);
    out.filteredMax = extremes.max;
    out.filteredMin = extremes.min;
}

std::string BandPassLowCutOffText(double highCutOff) { return common::FloatToStr(highCutOff - 0.05); }

double BandPassLowCutOff(double highCutOff) { return common::StrToFloat(BandPassLowCutOffText(highCutOff)); }

} // namespace filter
