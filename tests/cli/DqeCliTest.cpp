// The "dqe" command on a simulated counting detector whose DQE is known on paper, and its refusals.
//
// The detector: x-ray quanta arrive as a Poisson process of fluence Phi = q K per mm^2; each
// quantum is displaced by a Gaussian of sigma pixels (stochastic blur) and counted in the pixel it
// lands in; a pixel reads offset + g * count + e, e Gaussian of sigma_e (electronic noise), rounded
// to an integer (variance 1/12 more). A displaced Poisson process is a Poisson process with the
// blurred intensity, so the counts of different pixels are independent Poisson variables with the
// blurred mean N(x, y) = Phi a^2 * (blurred, pixel-integrated transmission):
// - flat fields: independent pixels, NPS white, in air kerma after linearisation (gain g Phi a^2 / K)
//     NPS = a^2 (g^2 N + s^2) / (g N / K)^2,  s^2 = sigma_e^2 + 1/12,  N = q K a^2;
//   NNPS = NPS / K^2 = a^2 (g^2 N + s^2) / (g^2 N^2);
// - edges: the blurred, pixel-integrated edge, so the presampling MTF T(f) of EdgeImages.h.
// Hence DQE(f) = T(f)^2 / (q K NNPS) = T(f)^2 * g^2 N / (g^2 N + s^2), with q K a^2 = N.
#include <gtest/gtest.h>

#include <QImage>

#include <numbers>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "../quality/EdgeImages.h"
#include "CliRun.h"
#include "ExitCodes.h"
#include "TempFolder.h"

namespace {

constexpr double kPixelMm = 0.1, kQ = 29653.0, kGain = 2.0, kOffset = 100.0, kElectronic = 20.0, kBlur = 0.5;
constexpr double kAngle = 3.0;

// Pixel readings of the detector for expected counts `mean`.
std::vector<int> Readings(const std::vector<double>& mean, std::mt19937_64& engine)
{
    std::normal_distribution<double> electronic(0.0, kElectronic);
    std::vector<int> words(mean.size());
    for (std::size_t i = 0; i < mean.size(); ++i) {
        std::poisson_distribution<long long> count(mean[i]);
        words[i] = static_cast<int>(std::lround(kOffset + kGain * static_cast<double>(count(engine)) + electronic(engine)));
    }
    return words;
}

std::string Flat(const TempFolder& folder, const QString& name, double kerma, int side, std::mt19937_64& engine)
{
    const double n = kQ * kerma * kPixelMm * kPixelMm;
    return folder.WriteWords(name, Readings(std::vector<double>(static_cast<std::size_t>(side * side), n), engine))
        .toStdString();
}

// An edge device transmitting 5 % behind the edge, 64 pixels across and 512 along.
constexpr int kEdgeAcross = 64, kEdgeLines = 512;
std::string Edge(const TempFolder& folder, const QString& name, double kerma, bool horizontal, std::mt19937_64& engine)
{
    edge_images::EdgeSpec e;
    e.width = horizontal ? kEdgeLines : kEdgeAcross;
    e.height = horizontal ? kEdgeAcross : kEdgeLines;
    e.cx = 31.6;
    e.cy = kEdgeLines / 2;
    e.angleDegrees = kAngle;
    e.sigma = kBlur;
    e.low = 0.05;
    e.high = 1.0;
    e.horizontal = horizontal;
    std::vector<double> mean = edge_images::Edge(e);
    for (double& m : mean)
        m *= kQ * kerma * kPixelMm * kPixelMm;
    return folder.WriteWords(name, Readings(mean, engine)).toStdString();
}

TEST(DqeCli, SimulatedCountingDetectorMatchesItsDerivation)
{
    TempFolder folder;
    std::mt19937_64 engine(2024);
    const double kerma = 2.5;
    std::vector<std::string> args = {"dqe", "--quiet", "--kerma", "2.5", "--quality", "RQA5", "--roi", "64",
                                     "--overlap", "0", "--bin", "0.2", "--flat"};
    for (int i = 0; i < 3; ++i)
        args.push_back(Flat(folder, QString("flat%1 256 256 0p1.raw").arg(i), kerma, 256, engine));
    for (const double k : {1.0, 2.5, 5.0})
        args.push_back("--conversion=" + std::to_string(k) + "=" +
                       Flat(folder, QString("conv%1 128 128 0p1.raw").arg(std::lround(10 * k)), k, 128, engine));
    // The edges at ten times the air kerma: their noise is what limits the MTF at high frequencies.
    const double edgeKerma = 25.0;
    args.push_back("--edge-v");
    args.push_back(Edge(folder, "v 64 512 0p1.raw", edgeKerma, false, engine));
    args.push_back("--edge-h");
    args.push_back(Edge(folder, "h 512 64 0p1.raw", edgeKerma, true, engine));
    const std::string prefix = folder.Path("dqe").toStdString();
    args.push_back("--out");
    args.push_back(prefix);
    const Outcome o = RunCliWith(args);
    ASSERT_EQ(o.code, cli::kExitDone) << o.err;

    const double n = kQ * kerma * kPixelMm * kPixelMm;
    const double s2 = kElectronic * kElectronic + 1.0 / 12.0;
    const double dqe0 = kGain * kGain * n / (kGain * kGain * n + s2);
    std::ifstream csv(prefix + ".csv");
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "frequency_per_mm,mtf_u,nnps_u,dqe_u,mtf_v,nnps_v,dqe_v");
    // The uncertainty of each bin: the axis NPS holds some 400 independent samples per bin (48
    // ROIs, 14 lines, the conjugate half left out), a relative standard error of about 5 %; the
    // MTF's is the noise of the ESF bins (sigma_v / sqrt(lines / 4) on the bright side, the darker
    // side less) through the finite difference (2 sin(pi f bin)) and the transform over M = 150
    // bins (sqrt(M)), over the contrast; DQE carries twice the MTF's relative error.
    const double edgeCounts = kQ * edgeKerma * kPixelMm * kPixelMm;
    const double sigmaBin = std::sqrt(kGain * kGain * edgeCounts + s2) / std::sqrt(kEdgeLines / 4.0);
    const double contrast = 0.95 * kGain * edgeCounts;
    const auto tolerance = [&](double f, double mtf) {
        const double sigmaMtf = sigmaBin * 2.0 * std::sin(std::numbers::pi * f * kPixelMm * 0.25) * std::sqrt(150.0) / contrast;
        return 4.0 * std::sqrt(0.05 * 0.05 + std::pow(2.0 * sigmaMtf / mtf, 2));
    };
    double sumRatio = 0.0;
    int bins = 0;
    while (std::getline(csv, line)) {
        std::vector<double> v;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');)
            v.push_back(field.empty() ? NAN : std::stod(field));
        if (line.back() == ',')
            v.push_back(NAN);
        ASSERT_EQ(v.size(), 7u) << line;
        const double f = v[0];
        if (f == 0.0)
            continue;  // the zero frequency is no NPS bin
        const double mtf = edge_images::TrueMtf(f * kPixelMm, kAngle, kBlur);
        const double expected = mtf * mtf * dqe0;
        EXPECT_NEAR(v[3], expected, tolerance(f, mtf) * expected) << "u at " << f;
        EXPECT_NEAR(v[6], expected, tolerance(f, mtf) * expected) << "v at " << f;
        sumRatio += v[3] / expected + v[6] / expected;
        bins += 2;
    }
    EXPECT_GE(bins, 40);
    EXPECT_NEAR(sumRatio / bins, 1.0, 0.05);

    std::ifstream json(prefix + ".json");
    const auto summary = nlohmann::json::parse(json);
    // The conversion function: offset + g q a^2 K.
    EXPECT_NEAR(summary["conversion"]["gain_per_ugy"].get<double>(), kGain * kQ * kPixelMm * kPixelMm, 2.0);
    EXPECT_NEAR(summary["conversion"]["offset"].get<double>(), kOffset, 5.0);
    EXPECT_EQ(summary["edge_u"]["orientation"], "vertical");
    EXPECT_EQ(summary["edge_v"]["orientation"], "horizontal");

    // The plot beside the table: a PNG with both curves drawn in the NPS plot's u and v colours.
    const QImage plot(QString::fromStdString(prefix + ".png"), "PNG");
    ASSERT_FALSE(plot.isNull());
    int red = 0, blue = 0;
    for (int y = 0; y < plot.height(); ++y)
        for (int x = 0; x < plot.width(); ++x) {
            const QColor c = plot.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 90 && c.blue() < 90;
            blue += c.blue() > 150 && c.red() < 90 && c.green() < 120;
        }
    EXPECT_GT(red, 200);
    EXPECT_GT(blue, 200);
}

TEST(DqeCli, Refusals)
{
    TempFolder folder;
    std::mt19937_64 engine(5);
    const std::string flat = Flat(folder, "f 128 128 0p1.raw", 2.0, 128, engine);
    const std::string v = Edge(folder, "v 64 512 0p1.raw", 20.0, false, engine);
    const std::string h = Edge(folder, "h 512 64 0p1.raw", 20.0, true, engine);
    const std::string out = folder.Path("out").toStdString();
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {"no flat field", {"dqe", "--kerma", "2", "--edge-v", v, "--edge-h", h}, cli::kExitUsage, "--flat is required"},
        {"no air kerma", {"dqe", "--flat", flat, "--edge-v", v, "--edge-h", h}, cli::kExitUsage, "--kerma is required"},
        {"air kerma of 0", {"dqe", "--flat", flat, "--kerma", "0", "--edge-v", v, "--edge-h", h}, cli::kExitUsage,
         "--kerma"},
        {"unknown quality", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", v, "--edge-h", h, "--quality", "RQA4"},
         cli::kExitUsage, "RQA3, RQA5, RQA7 or RQA9"},
        {"conversion without K", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", v, "--edge-h", h, "--conversion", flat},
         cli::kExitUsage, "K=FILE"},
        // The edges swapped: each option names the edge it takes.
        {"edges swapped", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", h, "--edge-h", v, "--roi", "64"},
         cli::kExitInputUnusable, "--edge-v takes an image of a vertical edge"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back("--out");
        args.push_back(out);
        const Outcome o = RunCliWith(args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        EXPECT_NE(o.err.find(c.says), std::string::npos) << c.what << ": " << o.err;
        EXPECT_FALSE(std::filesystem::exists(out + ".csv")) << c.what;
    }
}

} // namespace
