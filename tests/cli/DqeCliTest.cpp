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

// An edge device transmitting 5 % behind the edge, 64 pixels across and 512 along; `heel` tilts the
// exposure across the edge by +-heel (the tube's heel effect).
constexpr int kEdgeAcross = 64, kEdgeLines = 512;
std::string Edge(const TempFolder& folder, const QString& name, double kerma, bool horizontal, std::mt19937_64& engine,
                 double angle = kAngle, double heel = 0.0, int across = kEdgeAcross)
{
    edge_images::EdgeSpec e;
    e.width = horizontal ? kEdgeLines : across;
    e.height = horizontal ? across : kEdgeLines;
    e.cx = across / 2 - 0.4;
    e.cy = kEdgeLines / 2;
    e.angleDegrees = angle;
    e.sigma = kBlur;
    e.low = 0.05;
    e.high = 1.0;
    e.horizontal = horizontal;
    std::vector<double> mean = edge_images::Edge(e);
    for (long long y = 0; y < e.height; ++y)
        for (long long x = 0; x < e.width; ++x) {
            const double acrossAt = horizontal ? static_cast<double>(y) : static_cast<double>(x);
            mean[static_cast<std::size_t>(y * e.width + x)] *=
                kQ * kerma * kPixelMm * kPixelMm * (1.0 + heel * (2.0 * acrossAt / (across - 1) - 1.0));
        }
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
    EXPECT_EQ(line, "frequency_per_mm,mtf_u,nnps_u,dqe_u,mtf_v,nnps_v,dqe_v,mtf_u_se,nnps_u_se,dqe_u_se,mtf_v_se,"
                    "nnps_v_se,dqe_v_se,dqe_mean,dqe_mean_se,air_kerma_ugy");
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
        ASSERT_EQ(v.size(), 16u) << line;
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

// One measurement session: flat fields, conversion flats and both edges, as the command line takes
// them. The NPS's ROIs cover 4.7 million pixels of two flats, as the standard asks.
struct Session {
    std::vector<std::string> flats, conversion, edgeV, edgeH;
};

Session MakeSession(const TempFolder& folder, std::mt19937_64& engine, int flatSide = 1536)
{
    Session s;
    const int flatCount = flatSide >= 1536 ? 2 : 1;
    for (int i = 0; i < flatCount; ++i)
        s.flats.push_back(
            Flat(folder, QString("flat%1 %2 %2 0p1.raw").arg(i).arg(flatSide), 2.5, flatSide, engine));
    for (const double k : {1.0, 2.5, 5.0, 10.0}) {
        s.conversion.push_back(std::to_string(k) + "=" +
                               Flat(folder, QString("conv%1 128 128 0p1.raw").arg(std::lround(10 * k)), k, 128, engine));
    }
    s.edgeV.push_back(Edge(folder, "v 128 512 0p1.raw", 25.0, false, engine, kAngle, 0.0, 128));
    s.edgeH.push_back(Edge(folder, "h 512 128 0p1.raw", 25.0, true, engine, kAngle, 0.0, 128));
    return s;
}

std::vector<std::string> DqeArgs(const Session& s, const std::string& out, bool conversion = true)
{
    std::vector<std::string> args = {"dqe", "--kerma", "2.5", "--out", out, "--flat"};
    args.insert(args.end(), s.flats.begin(), s.flats.end());
    if (conversion)
        for (const std::string& c : s.conversion)
            args.push_back("--conversion=" + c);
    args.push_back("--edge-v");
    args.push_back(s.edgeV.front());
    args.push_back("--edge-h");
    args.push_back(s.edgeH.front());
    return args;
}

// Each check of a session speaks with its numbers; --strict turns its warning into exit 4 and
// writes nothing, and a clean session passes --strict.
TEST(DqeCli, EachCheckSpeaksWithItsNumbers)
{
    TempFolder folder;
    std::mt19937_64 engine(77);
    const Session clean = MakeSession(folder, engine);
    TempFolder edgeFolder;
    // The clean session with other edges.
    const auto withEdges = [&](const char* name, double angle, double heel) {
        Session s = clean;
        s.edgeV = {Edge(edgeFolder, QString("%1v 128 512 0p1.raw").arg(name), 25.0, false, engine, angle, heel, 128)};
        s.edgeH = {Edge(edgeFolder, QString("%1h 512 128 0p1.raw").arg(name), 25.0, true, engine, angle, heel, 128)};
        return s;
    };
    Session wrongKerma = clean;
    wrongKerma.conversion.back() = "12=" + wrongKerma.conversion.back().substr(wrongKerma.conversion.back().find('=') + 1);
    Session oneFlat = clean;
    oneFlat.flats = {Flat(edgeFolder, "small 1024 1024 0p1.raw", 2.5, 1024, engine)};
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        const char* says;  // in the warnings or the refusal; "" for none
    } cases[] = {
        {"a clean session", DqeArgs(clean, folder.Path("a").toStdString()), cli::kExitDone, ""},
        {"a conversion kerma 20 % off", DqeArgs(wrongKerma, folder.Path("b").toStdString()), cli::kExitDone,
         "largest residual"},
        {"no conversion function", DqeArgs(clean, folder.Path("c").toStdString(), false), cli::kExitInputUnusable,
         "state that the raw values are proportional"},
        {"one flat of 1024^2", DqeArgs(oneFlat, folder.Path("d").toStdString()), cli::kExitDone,
         "1048576 pixels of flat field"},
        {"tilt 12 degrees", DqeArgs(withEdges("t12", 12.0, 0.0), folder.Path("e").toStdString()), cli::kExitDone,
         "tilted 12.0"},
        {"tilt 0.8 degrees", DqeArgs(withEdges("t08", 0.8, 0.0), folder.Path("f").toStdString()),
         cli::kExitInputUnusable, "tilted 0.8"},
        {"a heel ramp of +-10 %", DqeArgs(withEdges("heel", kAngle, 0.1), folder.Path("g").toStdString()),
         cli::kExitDone, "plateaus of the ESF are not flat"},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCliWith(c.args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        if (*c.says)
            EXPECT_NE(o.err.find(c.says), std::string::npos) << c.what << ": " << o.err;
        else
            EXPECT_EQ(o.err.find("warning"), std::string::npos) << c.what << ": " << o.err;
        std::vector<std::string> strict = c.args;
        strict[4] += "-strict";  // its own --out
        strict.insert(strict.begin() + 1, "--strict");
        const Outcome s = RunCliWith(strict);
        const bool warned = c.code == cli::kExitDone && *c.says;
        EXPECT_EQ(s.code, warned ? cli::kExitInputUnusable : c.code) << c.what << " --strict: " << s.err;
        EXPECT_EQ(std::filesystem::exists(strict[5] + ".csv"), s.code == cli::kExitDone) << c.what;
    }
    // Without a conversion function the user may state a proportional response: measured, noted.
    std::vector<std::string> stated = DqeArgs(clean, folder.Path("h").toStdString(), false);
    stated.push_back("--proportional");
    const Outcome o = RunCliWith(stated);
    EXPECT_EQ(o.code, cli::kExitDone) << o.err;
    EXPECT_NE(o.err.find("proportional to air kerma (no offset), as stated"), std::string::npos) << o.err;
    std::ifstream json(folder.Path("h.json").toStdString());
    EXPECT_TRUE(nlohmann::json::parse(json)["assumed_proportional"].get<bool>());
}

// Over independent sets of one session, the scatter of each figure agrees with the standard error
// the measurement states for it, and the DQE with default settings agrees with the detector's
// derivation.
TEST(DqeCli, StatedUncertaintyMatchesTheScatterOfRepeatedSessions)
{
    constexpr int kSets = 20;
    const std::vector<double> frequencies = {0.5, 1.0, 1.5, 2.0, 2.5, 3.0};
    const char* figures[] = {"mtf", "dqe"};
    // [figure][axis][frequency][set]: value and standard error.
    std::vector<double> value[2][2][6], error[2][2][6];
    const double n = kQ * 2.5 * kPixelMm * kPixelMm;
    const double s2 = kElectronic * kElectronic + 1.0 / 12.0;
    const double dqe0 = kGain * kGain * n / (kGain * kGain * n + s2);
    for (int set = 0; set < kSets; ++set) {
        TempFolder folder;
        std::mt19937_64 engine(1000 + set);
        Session s;
        for (int i = 0; i < 2; ++i)
            s.flats.push_back(Flat(folder, QString("flat%1 512 512 0p1.raw").arg(i), 2.5, 512, engine));
        s.edgeV.push_back(Edge(folder, "v 128 512 0p1.raw", 25.0, false, engine, kAngle, 0.0, 128));
        s.edgeH.push_back(Edge(folder, "h 512 128 0p1.raw", 25.0, true, engine, kAngle, 0.0, 128));
        std::vector<std::string> args = DqeArgs(s, folder.Path("dqe").toStdString(), false);
        args.insert(args.end(), {"--proportional", "--roi", "128", "--offset", "-100"});
        const Outcome o = RunCliWith(args);
        ASSERT_EQ(o.code, cli::kExitDone) << o.err;
        std::ifstream json(folder.Path("dqe.json").toStdString());
        const auto summary = nlohmann::json::parse(json);
        for (const auto& f : summary["figures"])
            for (std::size_t k = 0; k < frequencies.size(); ++k)
                if (f["frequency_per_mm"].get<double>() == frequencies[k])
                    for (int g = 0; g < 2; ++g)
                        for (int a = 0; a < 2; ++a) {
                            const auto& p = f[a == 0 ? "u" : "v"];
                            value[g][a][k].push_back(p[figures[g]].get<double>());
                            error[g][a][k].push_back(p[std::string(figures[g]) + "_se"].get<double>());
                        }
    }
    for (int g = 0; g < 2; ++g)
        for (int a = 0; a < 2; ++a) {
            // Pooled over the frequencies: the variance over the sets against the mean stated variance.
            double ratio = 0.0;
            for (std::size_t k = 0; k < frequencies.size(); ++k) {
                const std::vector<double>& x = value[g][a][k];
                ASSERT_EQ(x.size(), static_cast<std::size_t>(kSets)) << figures[g] << " at " << frequencies[k];
                double mean = 0.0, stated = 0.0, scatter = 0.0;
                for (int i = 0; i < kSets; ++i) {
                    mean += x[i] / kSets;
                    stated += error[g][a][k][i] * error[g][a][k][i] / kSets;
                }
                for (int i = 0; i < kSets; ++i)
                    scatter += (x[i] - mean) * (x[i] - mean) / (kSets - 1);
                ratio += scatter / stated / static_cast<double>(frequencies.size());
                if (g == 1 && frequencies[k] <= 2.5) {
                    const double mtf = edge_images::TrueMtf(frequencies[k] * kPixelMm, kAngle, kBlur);
                    EXPECT_NEAR(mean, mtf * mtf * dqe0, 0.1 * mtf * mtf * dqe0) << "DQE " << a << " at " << frequencies[k];
                }
            }
            const double spread = std::sqrt(ratio);
            EXPECT_GE(spread, 0.8) << figures[g] << (a == 0 ? " u" : " v");
            EXPECT_LE(spread, 1.25) << figures[g] << (a == 0 ? " u" : " v");
        }
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
        {"no air kerma", {"dqe", "--flat", flat, "--edge-v", v, "--edge-h", h}, cli::kExitUsage, "give --kerma K"},
        {"air kerma of 0", {"dqe", "--flat", flat, "--kerma", "0", "--edge-v", v, "--edge-h", h}, cli::kExitUsage,
         "--kerma"},
        {"unknown quality", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", v, "--edge-h", h, "--quality", "RQA4"},
         cli::kExitUsage, "RQA3, RQA5, RQA7 or RQA9"},
        {"conversion without K", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", v, "--edge-h", h, "--conversion", flat},
         cli::kExitUsage, "K=FILE"},
        // The edges swapped: each option names the edge it takes.
        {"edges swapped",
         {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", h, "--edge-h", v, "--roi", "64", "--proportional"},
         cli::kExitInputUnusable, "--edge-v takes an image of a vertical edge"},
        {"no conversion function", {"dqe", "--flat", flat, "--kerma", "2", "--edge-v", v, "--edge-h", h, "--roi", "64"},
         cli::kExitInputUnusable, "state that the raw values are proportional"},
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
