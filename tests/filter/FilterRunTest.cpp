// The filter engine as both front ends drive it: which settings it asks for, in which order, what
// a refusal halfway leaves behind, and the band pass's default low cut-off.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Errors.h"
#include "FilterRun.h"

namespace {

using filter::FilterType;
using filter::SquareMatrix;

// Answers from fixed values, noting each question; `refuse` names a question answered by the
// refusal a bad text would raise.
class RecordedSettings final : public filter::FilterSettings {
public:
    FilterType type = FilterType::HCF;
    std::string refuse;
    std::vector<std::string> asked;

    FilterType Type() override { return Ask("type"), type; }
    bool Steepen() override { return Ask("steepen"), false; }
    double LowCutOff() override { return Ask("low cut-off"), 0.1; }
    std::int32_t LowPower() override { return Ask("low power"), 3; }
    double HighCutOff() override { return Ask("high cut-off"), 0.3; }
    std::int32_t HighPower() override { return Ask("high power"), 5; }
    std::optional<double> NoiseFloorDivisor() override { return Ask("noise floor"), std::nullopt; }

private:
    void Ask(const char* what)
    {
        asked.push_back(what);
        if (refuse == what)
            throw common::ConversionError("'x' is not a number");
    }
};

struct Matrices {
    static constexpr int n = 16;
    std::unique_ptr<SquareMatrix> re = std::make_unique<SquareMatrix>(), im = std::make_unique<SquareMatrix>(),
                                  map = std::make_unique<SquareMatrix>(), gain = std::make_unique<SquareMatrix>(),
                                  fRe = std::make_unique<SquareMatrix>(), fIm = std::make_unique<SquareMatrix>(),
                                  fPower = std::make_unique<SquareMatrix>(), image = std::make_unique<SquareMatrix>();
    double filterMax = -1, powerMax = -1, imageMax = -1, imageMin = -1;
    spectrum::FftWorkspace ws;

    Matrices()
    {
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                (*re)[x][y] = (*map)[x][y] = 1 + x + 3 * y;
                (*im)[x][y] = x - y;
                (*gain)[x][y] = (*fRe)[x][y] = (*fPower)[x][y] = (*image)[x][y] = -7;
            }
    }

    void Filter(filter::FilterSettings& settings)
    {
        filter::RunFilter(settings, {*re, *im, *map, n}, ws,
                          {*gain, filterMax, *fRe, *fIm, *fPower, powerMax, *image, imageMax, imageMin},
                          common::OneThread());
    }
};

TEST(FilterRun, AsksOnlyForTheSettingsItsStepsUseInTheirOrder)
{
    using V = std::vector<std::string>;
    const struct {
        FilterType type;
        V asked;
    } cases[] = {
        {FilterType::LCF, {"type", "steepen", "low cut-off", "low power", "noise floor"}},
        {FilterType::HCF, {"type", "steepen", "high cut-off", "high power", "noise floor"}},
        {FilterType::BPF, {"type", "steepen", "low cut-off", "low power", "high cut-off", "high power", "noise floor"}},
        {FilterType::No, {"type", "steepen", "noise floor"}},
    };
    for (const auto& c : cases) {
        Matrices run;
        RecordedSettings settings;
        settings.type = c.type;
        run.Filter(settings);
        EXPECT_EQ(settings.asked, c.asked) << static_cast<int>(c.type);
        EXPECT_NE((*run.image)[0][0], -7) << static_cast<int>(c.type);
    }
}

TEST(FilterRun, ARefusalKeepsWhatTheStepsBeforeItWrote)
{
    // The band pass's low cut takes the centre of the (centred) gain down, its high cut the corner.
    const struct {
        const char* refuse;
        bool centreCut, cornerCut, spectrumFiltered;
    } cases[] = {
        // Refused before any filter ran: the gain is reset to 1 all the same.
        {"low cut-off", false, false, false},
        // Refused inside the band pass, after its low cut: the gain holds the low cut alone.
        {"high power", true, false, false},
        // Refused after the filtered spectrum was made, before the back transform.
        {"noise floor", true, true, true},
    };
    for (const auto& c : cases) {
        Matrices run;
        RecordedSettings settings;
        settings.type = FilterType::BPF;
        settings.refuse = c.refuse;
        EXPECT_THROW(run.Filter(settings), common::ConversionError) << c.refuse;
        const double centre = (*run.gain)[Matrices::n / 2][Matrices::n / 2], corner = (*run.gain)[0][0];
        EXPECT_EQ(centre < 1.0 && centre >= 0.0, c.centreCut) << c.refuse;
        EXPECT_EQ(centre == 1.0, !c.centreCut) << c.refuse;
        EXPECT_EQ(corner < 1.0 && corner >= 0.0, c.cornerCut) << c.refuse;
        EXPECT_EQ(corner == 1.0, !c.cornerCut) << c.refuse;
        EXPECT_EQ((*run.fPower)[0][0] != -7, c.spectrumFiltered) << c.refuse;
        EXPECT_EQ(run.powerMax != -1, c.spectrumFiltered) << c.refuse;
        EXPECT_EQ((*run.image)[0][0], -7) << c.refuse;  // never placed
        EXPECT_EQ(run.imageMax, -1) << c.refuse;
    }
}

TEST(FilterRun, BandPassLowCutOffIsWhatItsTextShows)
{
    const struct {
        double high;
        const char* text;
        double low;
    } cases[] = {
        {0.15, "0.1", 0.1},  // 0.15 - 0.05 is 0.09999999999999999 in binary
        {0.3, "0.25", 0.25},  // 0.24999999999999997
        {0.25, "0.2", 0.2},
        {0.05, "0", 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(filter::BandPassLowCutOffText(c.high), c.text) << c.high;
        EXPECT_EQ(filter::BandPassLowCutOff(c.high), c.low) << c.high;
    }
}

} // namespace
