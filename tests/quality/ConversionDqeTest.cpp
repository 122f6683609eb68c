// The conversion function against a fit done by hand, and its refusals.
#include <gtest/gtest.h>

#include <vector>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "Errors.h"

namespace {

// K = 1, 2, 4 uGy, mean values 110, 205, 420. By hand: mean K = 7/3, mean value 245,
// Skk = 42/9, Skv = 485, so gain = 1455/14, offset = 245 - gain 7/3 = 5/2; residuals 25/7,
// -75/14, 25/14; Svv = 50450, sum of squared residuals 8750/196.
TEST(ConversionFunction, FitMatchesTheHandComputation)
{
    const std::vector<quality::ConversionPoint> points = {{"a", 1.0, 110.0}, {"b", 2.0, 205.0}, {"c", 4.0, 420.0}};
    const quality::ConversionFit fit = quality::FitConversion(points);
    EXPECT_NEAR(fit.gain, 1455.0 / 14.0, 1e-12);
    EXPECT_NEAR(fit.offset, 2.5, 1e-12);
    ASSERT_EQ(fit.residuals.size(), 3u);
    EXPECT_NEAR(fit.residuals[0], 25.0 / 7.0, 1e-12);
    EXPECT_NEAR(fit.residuals[1], -75.0 / 14.0, 1e-12);
    EXPECT_NEAR(fit.residuals[2], 25.0 / 14.0, 1e-12);
    EXPECT_NEAR(fit.rmsResidual, std::sqrt(8750.0 / 196.0 / 3.0), 1e-12);
    EXPECT_NEAR(fit.rSquared, 1.0 - 8750.0 / 196.0 / 50450.0, 1e-12);
    // The largest of |residual| / (gain K): 25/7 over 1455/14 at K = 1 (the others 75/14 over 1455/7, 25/14 over 2910/7).
    EXPECT_NEAR(fit.maxRelativeResidual, 50.0 / 1455.0, 1e-12);
    std::vector<double> values = {2.5 + 3.0 * 1455.0 / 14.0, 2.5};
    quality::Linearise(fit, values);
    EXPECT_NEAR(values[0], 3.0, 1e-12);
    EXPECT_NEAR(values[1], 0.0, 1e-12);
}

TEST(ConversionFunction, RefusesWhatCannotBeFitted)
{
    const struct {
        const char* what;
        std::vector<quality::ConversionPoint> points;
        const char* says;
    } cases[] = {
        {"one point", {{"a", 1.0, 100.0}}, "two air kerma values at least"},
        {"one air kerma", {{"a", 2.0, 100.0}, {"b", 2.0, 120.0}}, "all have the same air kerma"},
        {"no response", {{"a", 1.0, 100.0}, {"b", 2.0, 100.0}}, "do not change with the air kerma"},
        {"negative air kerma", {{"a", -1.0, 100.0}, {"b", 2.0, 200.0}}, "a must be 0 uGy or above"},
    };
    for (const auto& c : cases) {
        try {
            quality::FitConversion(c.points);
            ADD_FAILURE() << c.what << ": fitted";
        } catch (const common::InputError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

TEST(BeamQuality, TableAndNames)
{
    EXPECT_EQ(quality::PhotonsPerAreaPerKerma(quality::ParseBeamQuality("RQA5")), 29653.0);
    EXPECT_EQ(quality::ParseBeamQuality("rqa9"), quality::BeamQuality::Rqa9);
    EXPECT_THROW(quality::ParseBeamQuality("RQA4"), common::InputError);
}

} // namespace
