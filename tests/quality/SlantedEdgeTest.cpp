// The slanted-edge MTF against exactly rendered edges (closed form in EdgeImages.h), its refusals
// and warnings, and its independence of the thread count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "EdgeImages.h"
#include "Errors.h"
#include "MtfRun.h"
#include "SlantedEdge.h"
#include "ThreadPool.h"
#include "ShownIn.h"

namespace {

using edge_images::EdgeSpec;

constexpr double kPixelMm = 0.1;

// The notes besides the one on a tilt outside the standard's range, which the tests' angles often are.
std::vector<common::Text> NotesBesidesTilt(const quality::MtfResult& r)
{
    std::vector<common::Text> notes;
    for (const common::Text& note : r.notes)
        if (note.Plain().find("IEC 62220-1-1 places it") == std::string::npos)
            notes.push_back(note);
    return notes;
}

quality::MtfResult Measure(const std::vector<double>& values, long long width, long long height,
                           common::ThreadPool& pool = common::OneThread())
{
    return quality::MeasureEdgeMtf({values, width, height}, {kPixelMm, 0.25}, pool);
}

// Noise-free edges at the angles and blurs a measurement meets: the measured MTF within 0.005 of
// the true presampling MTF from 0 to the Nyquist frequency, and MTF50 within 0.5 %.
TEST(SlantedEdgeMtf, MatchesTheClosedFormOfExactEdges)
{
    for (const bool horizontal : {false, true})
        for (const double angle : {2.0, 3.0, 5.0, 10.0})
            for (const double sigma : {0.3, 0.6, 1.0, 2.0}) {
                EdgeSpec e;
                e.angleDegrees = angle;
                e.sigma = sigma;
                e.horizontal = horizontal;
                const long long width = horizontal ? e.height : e.width, height = horizontal ? e.width : e.height;
                e.width = width;
                e.height = height;
                const std::string what = std::string(horizontal ? "horizontal" : "vertical") + " edge, " +
                                         std::to_string(angle) + " degrees, sigma " + std::to_string(sigma);
                const quality::MtfResult r = Measure(edge_images::Edge(e), width, height);
                EXPECT_EQ(r.orientation,
                          horizontal ? quality::EdgeOrientation::Horizontal : quality::EdgeOrientation::Vertical)
                    << what;
                EXPECT_NEAR(std::abs(r.angleDegrees), angle, 0.01) << what;
                EXPECT_NEAR(r.contrast, 1000.0, 0.5) << what;
                ASSERT_FALSE(r.curve.empty()) << what;
                EXPECT_EQ(r.curve.back().frequency, 0.5 / kPixelMm) << what;
                double worst = 0.0, worstAt = 0.0;
                for (const quality::MtfPoint& p : r.curve) {
                    const double error = std::abs(p.mtf - edge_images::TrueMtf(p.frequency * kPixelMm, angle, sigma));
                    if (error > worst) {
                        worst = error;
                        worstAt = p.frequency;
                    }
                }
                EXPECT_LE(worst, 0.005) << what << ": worst at " << worstAt << " cycles/mm";
                const double mtf50 = edge_images::TrueMtfFallsTo(0.5, angle, sigma) / kPixelMm;
                EXPECT_NEAR(r.mtf50, mtf50, 0.005 * mtf50) << what;
                const double mtf10 = edge_images::TrueMtfFallsTo(0.1, angle, sigma) / kPixelMm;
                EXPECT_NEAR(r.mtf10, mtf10, 0.01 * mtf10) << what;
                const std::vector<common::Text> notes = NotesBesidesTilt(r);
                EXPECT_TRUE(notes.empty()) << what << ": " << (notes.empty() ? "" : notes.front().Plain());
                EXPECT_EQ(notes.size() < r.notes.size(), angle > 3.0) << what << ": the tilt's note";
            }
}

// The half-step table holds 0, 0.5, ... up to the Nyquist frequency (5 cycles/mm at 0.1 mm).
TEST(SlantedEdgeMtf, ReportsEveryHalfCyclePerMillimetre)
{
    EdgeSpec e;
    e.sigma = 0.6;
    const quality::MtfResult r = Measure(edge_images::Edge(e), e.width, e.height);
    ASSERT_EQ(r.halfSteps.size(), 11u);
    for (std::size_t i = 0; i < r.halfSteps.size(); ++i) {
        EXPECT_DOUBLE_EQ(r.halfSteps[i].frequency, 0.5 * static_cast<double>(i));
        EXPECT_NEAR(r.halfSteps[i].mtf, edge_images::TrueMtf(0.5 * i * kPixelMm, e.angleDegrees, e.sigma), 0.005) << i;
    }
}

// A falling edge (bright on the left) measures as the rising one.
TEST(SlantedEdgeMtf, EitherPolarity)
{
    EdgeSpec e;
    e.sigma = 1.0;
    e.low = 1100.0;
    e.high = 100.0;
    const quality::MtfResult r = Measure(edge_images::Edge(e), e.width, e.height);
    EXPECT_NEAR(r.contrast, 1000.0, 0.5);
    const double mtf50 = edge_images::TrueMtfFallsTo(0.5, e.angleDegrees, e.sigma) / kPixelMm;
    EXPECT_NEAR(r.mtf50, mtf50, 0.005 * mtf50);
}

// The noise estimate is the spread of the pixels about their bin's mean on the plateaus: with
// Gaussian noise of known sigma it measures that sigma.
TEST(SlantedEdgeMtf, NoiseEstimateMeasuresAddedNoise)
{
    EdgeSpec e;
    e.width = 128;
    e.height = 256;
    e.cx = 63.3;
    e.cy = 128.0;
    std::vector<double> v = edge_images::Edge(e);
    std::mt19937_64 engine(7);
    std::normal_distribution<double> normal(0.0, 10.0);
    for (double& x : v)
        x += normal(engine);
    const quality::MtfResult r = Measure(v, e.width, e.height);
    EXPECT_NEAR(r.noise, 10.0, 0.3);
    EXPECT_NEAR(r.contrast, 1000.0, 2.0);
    const double mtf50 = edge_images::TrueMtfFallsTo(0.5, e.angleDegrees, e.sigma) / kPixelMm;
    EXPECT_NEAR(r.mtf50, mtf50, 0.02 * mtf50);
}

// A heel effect multiplies the exposure by a ramp across the edge (+-heel over the image's width).
std::vector<double> WithHeel(std::vector<double> v, const EdgeSpec& e, double heel)
{
    for (long long y = 0; y < e.height; ++y)
        for (long long x = 0; x < e.width; ++x)
            v[static_cast<std::size_t>(y * e.width + x)] *=
                1.0 + heel * (2.0 * static_cast<double>(x) / static_cast<double>(e.width - 1) - 1.0);
    return v;
}

// A ramp of the exposure across the whole image (the tube's heel effect) tilts both plateaus; with
// the trend removed the MTF at low frequencies stays the edge's own, and the ramp is reported.
TEST(SlantedEdgeMtf, AHeelRampLeavesTheMtfAndIsReported)
{
    for (const double heel : {0.1, 0.2}) {
        EdgeSpec e;
        e.width = 512;
        e.height = 256;
        e.cx = 255.6;
        e.cy = 128.0;
        e.sigma = 1.0;
        e.low = 50.0;
        e.high = 1000.0;
        const quality::MtfResult r = Measure(WithHeel(edge_images::Edge(e), e, heel), e.width, e.height);
        for (const double f : {0.5, 1.0, 2.0})
            EXPECT_NEAR(quality::MtfAt(r.curve, f), edge_images::TrueMtf(f * kPixelMm, e.angleDegrees, e.sigma), 0.01)
                << "heel " << heel << " at " << f << " cycles/mm";
        const std::vector<common::Text> notes = NotesBesidesTilt(r);
        ASSERT_EQ(notes.size(), 1u) << "heel " << heel;
        EXPECT_NE(notes[0].Plain().find("plateaus of the ESF are not flat"), std::string::npos) << notes[0].Plain();
    }
}

// The ESF's range is bounded by the distance from the edge: measured on the whole image, a noisy
// edge's MTF scatters no more than on the narrowest ROI placed by hand across it that still holds
// the whole range in every line, and both scatter as their stated standard errors say.
TEST(SlantedEdgeMtf, TheWholeImageIsAsGoodAsANarrowRoi)
{
    constexpr int kSets = 40;
    EdgeSpec e;
    e.width = 256;
    e.height = 512;
    e.cx = 127.6;
    e.cy = 256.0;
    const std::vector<double> exact = edge_images::Edge(e);
    // The edge wanders 27 pixels over the 512 lines: 108 pixels hold 40 on each side in every line.
    const long long narrowX = 74, narrowWidth = 108;
    std::vector<double> whole, narrow, wholeSe, narrowSe;
    std::mt19937_64 engine(11);
    std::normal_distribution<double> normal(0.0, 40.0);
    for (int set = 0; set < kSets; ++set) {
        std::vector<double> v = exact;
        for (double& x : v)
            x += normal(engine);
        const quality::MtfResult all = Measure(v, e.width, e.height);
        std::vector<double> cut(static_cast<std::size_t>(narrowWidth * e.height));
        for (long long y = 0; y < e.height; ++y)
            for (long long x = 0; x < narrowWidth; ++x)
                cut[static_cast<std::size_t>(y * narrowWidth + x)] = v[static_cast<std::size_t>(y * e.width + narrowX + x)];
        const quality::MtfResult part = Measure(cut, narrowWidth, e.height);
        whole.push_back(quality::MtfAt(all.curve, 2.0));
        narrow.push_back(quality::MtfAt(part.curve, 2.0));
        wholeSe.push_back(quality::MtfStandardErrorAt(all.curve, 2.0));
        narrowSe.push_back(quality::MtfStandardErrorAt(part.curve, 2.0));
    }
    const auto spread = [](const std::vector<double>& x) {
        double mean = 0.0, squares = 0.0;
        for (double v : x)
            mean += v / static_cast<double>(x.size());
        for (double v : x)
            squares += (v - mean) * (v - mean);
        return std::sqrt(squares / static_cast<double>(x.size() - 1));
    };
    const auto rms = [](const std::vector<double>& x) {
        double squares = 0.0;
        for (double v : x)
            squares += v * v / static_cast<double>(x.size());
        return std::sqrt(squares);
    };
    EXPECT_LE(spread(whole), 1.25 * spread(narrow));
    EXPECT_NEAR(spread(whole) / rms(wholeSe), 1.0, 0.3);
    EXPECT_NEAR(spread(narrow) / rms(narrowSe), 1.0, 0.3);
}

TEST(SlantedEdgeMtf, SameBytesForAnyThreadCount)
{
    EdgeSpec e;
    e.height = 200;  // blocks of lines that do not divide evenly among the threads
    e.cy = 100.0;
    const std::vector<double> v = edge_images::Edge(e);
    const quality::MtfResult one = Measure(v, e.width, e.height);
    for (int threads : {2, 3, 5}) {
        common::ThreadPool pool(threads);
        const quality::MtfResult many = Measure(v, e.width, e.height, pool);
        EXPECT_EQ(many.esf, one.esf) << threads;
        ASSERT_EQ(many.curve.size(), one.curve.size()) << threads;
        for (std::size_t k = 0; k < one.curve.size(); ++k)
            EXPECT_EQ(many.curve[k].mtf, one.curve[k].mtf) << threads << " threads, sample " << k;
        EXPECT_EQ(many.noise, one.noise) << threads;
    }
}

std::string RefusalOf(const std::vector<double>& v, long long width, long long height)
{
    try {
        Measure(v, width, height);
    } catch (const common::InputError& e) {
        return e.what();
    }
    return "(measured)";
}

// What cannot give a presampling MTF is refused with a message saying why.
TEST(SlantedEdgeMtf, RefusesWhatGivesNoMeasurement)
{
    const auto edgeAt = [](double angle) {
        EdgeSpec e;
        e.angleDegrees = angle;
        e.sigma = 0.5;
        return edge_images::Edge(e);
    };
    std::vector<double> noise(64 * 128);
    std::mt19937_64 engine(3);
    std::normal_distribution<double> normal(500.0, 5.0);
    for (double& x : noise)
        x = normal(engine);
    EdgeSpec nearSide;
    nearSide.cx = 3.0;
    const struct {
        const char* what;
        std::vector<double> values;
        long long width, height;
        const char* says;
    } cases[] = {
        {"no tilt", edgeAt(0.0), 64, 128, "tilted 0.00 degrees"},
        {"half a degree", edgeAt(0.5), 64, 128, "needs 1 to 45 degrees"},
        // Slopes 1, 1/2 and 1/3 put the pixel centres on 1, 2 or 3 positions per pixel along the normal.
        {"45 degrees", edgeAt(45.0), 64, 128, "close to a slope of 1/1"},
        {"26.57 degrees", edgeAt(std::atan(0.5) * 180 / std::numbers::pi), 64, 128, "close to a slope of 1/2"},
        {"18.43 degrees", edgeAt(std::atan(1.0 / 3) * 180 / std::numbers::pi), 64, 128, "close to a slope of 1/3"},
        {"flat", std::vector<double>(64 * 128, 700.0), 64, 128, "all its pixels have the same value"},
        {"noise only", noise, 64, 128, "No edge"},
        {"edge at the side", edge_images::Edge(nearSide), 64, 128, "too close to the ROI's side"},
        {"too small", std::vector<double>(8 * 8, 1.0), 8, 8, "at least 16 x 16"},
    };
    for (const auto& c : cases) {
        const std::string message = RefusalOf(c.values, c.width, c.height);
        EXPECT_NE(message.find(c.says), std::string::npos) << c.what << ": " << message;
    }
}

// A slope of 1/4 (14.04 degrees) fills every quarter-pixel bin, but unevenly: measured, with a note.
TEST(SlantedEdgeMtf, WarnsAtASlopeOfOneQuarter)
{
    EdgeSpec e;
    e.angleDegrees = std::atan(0.25) * 180 / std::numbers::pi;
    const std::vector<common::Text> notes = NotesBesidesTilt(Measure(edge_images::Edge(e), e.width, e.height));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].Plain().find("close to a slope of 1/4"), std::string::npos) << notes[0].Plain();
    EXPECT_NE(notes[0].Plain().find("unevenly"), std::string::npos) << notes[0].Plain();
}

// Refusals and notes are composed from a translatable text and their values (the angle's text is
// itself one): the source form reads as the program has always written it, and each language
// shows the whole text with the values in place.
TEST(SlantedEdgeMtf, MessagesReadTheSameAndShowInEachLanguage)
{
    EdgeSpec quarter;
    quarter.angleDegrees = std::atan(0.25) * 180 / std::numbers::pi;
    const std::vector<common::Text> notes = NotesBesidesTilt(Measure(edge_images::Edge(quarter), quarter.width, quarter.height));
    ASSERT_EQ(notes.size(), 1u);
    const struct {
        const char* what;
        common::Text text;
        const char* english;
        const char* japanese;
    } cases[] = {
        {"slope of 1/4", notes[0],
         "The edge's angle, 14.04 degrees (slope 0.2500), is close to a slope of 1/4: the pixel centres fall on "
         "positions up to 0.243 pixels apart along the edge normal, so ESF bins of 0.250 pixels are filled unevenly "
         "and the MTF near the Nyquist frequency is less certain.",
         "エッジの角度 14.04 度 (傾き 0.2500) は傾き 1/4 に近い値です: エッジの法線方向で画素中心の位置が最大 0.243 "
         "画素離れるため、0.250 画素の ESF ビンの埋まり方が不均一になり、ナイキスト周波数付近の MTF の確かさが下がり"
         "ます。"},
        {"too small", Raised([] { Measure(std::vector<double>(8 * 8, 1.0), 8, 8); }),
         "The edge ROI is 8 x 8 pixels; it needs at least 16 x 16.",
         "エッジ ROI は 8 x 8 画素です。16 x 16 画素以上必要です。"},
        {"ROI without a width", Raised([] { quality::ParseEdgeRoi("1,2,0,5", common::Text::Verbatim("--roi")); }),
         "--roi needs a width and a height of 1 or more, not 0 x 5.",
         "--roi の幅と高さは 1 以上にしてください (0 x 5 は使えません)。"},
        {"beam quality", Raised([] { quality::ParseBeamQuality("RQA4"); }),
         "The beam quality must be RQA3, RQA5, RQA7 or RQA9, not 'RQA4'.",
         "線質は RQA3、RQA5、RQA7、RQA9 のいずれかにしてください ('RQA4' は使えません)。"},
        {"one conversion point",
         Raised([] { quality::FitConversion(std::vector<quality::ConversionPoint>{{"a", 1.0, 1.0}}); }),
         "The conversion function needs flat fields at two air kerma values at least, not 1.",
         "変換関数には 2 つ以上の空気カーマ値での平坦画像が必要です (指定は 1)。"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.text.Plain(), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::English, c.text), c.english) << c.what;
        EXPECT_EQ(ShownIn(i18n::Language::Japanese, c.text), c.japanese) << c.what;
    }
}

} // namespace
