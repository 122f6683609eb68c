// The "mtf" command: an edge file measured end to end against the closed form of its edge, the
// files it writes, and what it refuses with which exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "../quality/EdgeImages.h"
#include "CliRun.h"
#include "ExitCodes.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The edge as 16-bit words (rounded), 128 x 96 pixels, in a file named by the file-name convention.
std::string WriteEdge(const TempFolder& folder, const QString& name, edge_images::EdgeSpec e)
{
    const std::vector<double> v = edge_images::Edge(e);
    std::vector<int> words(v.size());
    for (std::size_t i = 0; i < v.size(); ++i)
        words[i] = static_cast<int>(std::lround(v[i]));
    return folder.WriteWords(name, words).toStdString();
}

edge_images::EdgeSpec Spec(double angle, bool horizontal)
{
    edge_images::EdgeSpec e;
    e.width = horizontal ? 96 : 128;
    e.height = horizontal ? 128 : 96;
    e.cx = 63.6;
    e.cy = 48.0;
    e.angleDegrees = angle;
    e.sigma = 1.0;
    e.low = 200.0;
    e.high = 3200.0;
    e.horizontal = horizontal;
    return e;
}

std::string Read(const std::string& path)
{
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A vertical and a horizontal edge of 3 degrees with a blur of 1 pixel at 0.1 mm: MTF50 as the
// closed form gives it (the 16-bit rounding of a 3000-step edge costs far less than 1 %).
TEST(MtfCli, MeasuresEdgeFiles)
{
    TempFolder folder;
    const struct {
        const char* what;
        bool horizontal;
        const char* name;
        const char* roi;
    } cases[] = {
        {"vertical", false, "v 128 96 0p1.raw", "16,8,96,80"},
        {"horizontal", true, "h 96 128 0p1.raw", "8,16,80,96"},
    };
    for (const auto& c : cases) {
        const std::string file = WriteEdge(folder, c.name, Spec(3.0, c.horizontal));
        const std::string prefix = folder.Path(QString("out-") + c.what).toStdString();
        const Outcome o = RunCliWith({"mtf", file, "--roi", c.roi, "--quiet", "--out", prefix});
        ASSERT_EQ(o.code, cli::kExitDone) << c.what << ": " << o.err;
        EXPECT_EQ(o.err, "") << c.what;
        EXPECT_NE(o.out.find(std::string("MTF of the ") + c.what + " edge"), std::string::npos) << o.out;
        EXPECT_NE(o.out.find("wrote " + prefix + ".csv, " + prefix + ".png, " + prefix + ".json"), std::string::npos) << o.out;

        std::istringstream csv(Read(prefix + ".csv"));
        std::string line;
        std::getline(csv, line);
        EXPECT_EQ(line, "frequency_per_mm,mtf,mtf_se") << c.what;
        std::getline(csv, line);
        EXPECT_EQ(line.substr(0, 4), "0,1,") << c.what;
        double last = 0.0;
        while (std::getline(csv, line)) {
            const double f = std::stod(line.substr(0, line.find(',')));
            const double mtf = std::stod(line.substr(line.find(',') + 1));
            EXPECT_NEAR(mtf, edge_images::TrueMtf(f * 0.1, 3.0, 1.0), 0.005) << c.what << " at " << f;
            last = f;
        }
        EXPECT_EQ(last, 5.0) << c.what;  // the Nyquist frequency at 0.1 mm

        const auto summary = nlohmann::json::parse(Read(prefix + ".json"));
        EXPECT_EQ(summary["orientation"], c.what);
        EXPECT_NEAR(std::abs(summary["angle_degrees"].get<double>()), 3.0, 0.02) << c.what;
        const double mtf50 = edge_images::TrueMtfFallsTo(0.5, 3.0, 1.0) / 0.1;
        EXPECT_NEAR(summary["mtf50_per_mm"].get<double>(), mtf50, 0.005 * mtf50) << c.what;
        EXPECT_NEAR(summary["contrast"].get<double>(), 3000.0, 2.0) << c.what;
        EXPECT_EQ(summary["mtf_at_half_cycles_per_mm"].size(), 11u) << c.what;
        EXPECT_EQ(summary["roi"]["width"], std::stoi(std::string(c.roi).substr(std::string(c.roi).find(',', 3) + 1)))
            << c.what;
    }
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(MtfCli, RefusalsAndWarnings)
{
    TempFolder folder;
    const std::string edge = WriteEdge(folder, "e 128 96 0p1.raw", Spec(3.0, false));
    const std::string level = WriteEdge(folder, "level 128 96 0p1.raw", Spec(0.0, false));
    const std::string quarter = WriteEdge(folder, "q 128 96 0p1.raw", Spec(std::atan(0.25) * 180 / 3.14159265358979, false));
    edge_images::EdgeSpec flatSpec = Spec(3.0, false);
    flatSpec.high = flatSpec.low;
    const std::string flat = WriteEdge(folder, "flat 128 96 0p1.raw", flatSpec);
    const std::string unspaced = WriteEdge(folder, "u 128 96.raw", Spec(3.0, false));
    const std::string asTable = WriteEdge(folder, "in 128 96 0p1.csv", Spec(3.0, false));
    const std::string out = folder.Path("out").toStdString();
    fs::create_directory(out);
    const std::string prefix = out + "/run";
    const std::vector<std::string> written = {"run.csv", "run.json", "run.png"};
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        std::vector<std::string> errSays;
        std::vector<std::string> written;
    } cases[] = {
        {"ROI of three numbers", {"mtf", edge, "--roi", "1,2,3", "--out", prefix}, cli::kExitUsage, {"--roi"}, {}},
        {"ROI of no width", {"mtf", edge, "--roi", "1,2,0,40", "--out", prefix}, cli::kExitUsage, {"--roi"}, {}},
        {"bin of 0", {"mtf", edge, "--roi", "16,8,96,80", "--bin", "0", "--out", prefix}, cli::kExitUsage, {"--bin"}, {}},
        {"bin above half a pixel", {"mtf", edge, "--roi", "16,8,96,80", "--bin", "0.7", "--out", prefix},
         cli::kExitUsage, {"--bin"}, {}},
        {"ROI outside the image", {"mtf", edge, "--roi", "64,8,96,80", "--out", prefix}, cli::kExitInputUnusable,
         {"reaches outside the image", "128 x 96"}, {}},
        {"no file", {"mtf", folder.Path("none 128 96 0p1.raw").toStdString(), "--roi", "16,8,96,80", "--out", prefix},
         cli::kExitInputUnreadable, {}, {}},
        {"flat image", {"mtf", flat, "--roi", "16,8,96,80", "--out", prefix}, cli::kExitInputUnusable,
         {"no edge"}, {}},
        {"edge not tilted", {"mtf", level, "--roi", "16,8,96,80", "--out", prefix}, cli::kExitInputUnusable,
         {"tilted 0.00 degrees"}, {}},
        {"no pixel spacing", {"mtf", unspaced, "--roi", "16,8,96,80", "--out", prefix}, cli::kExitInputUnusable,
         {"--pixel"}, {}},
        {"pixel spacing given", {"mtf", unspaced, "--roi", "16,8,96,80", "--pixel", "0.1", "--out", prefix},
         cli::kExitDone, {}, written},
        {"slope of 1/4", {"mtf", quarter, "--roi", "16,8,96,80", "--out", prefix}, cli::kExitDone,
         {"warning:", "close to a slope of 1/4"}, written},
        {"a folder", {"mtf", edge, "--roi", "16,8,96,80", "--out", out + "/"}, cli::kExitDone, {},
         {"mtf.csv", "mtf.json", "mtf.png"}},
        {"a folder that does not exist", {"mtf", edge, "--roi", "16,8,96,80", "--out", out + "/none/"},
         cli::kExitOutputUnwritable, {"does not exist"}, {}},
        // The table would replace the image it was measured on.
        {"the input as output", {"mtf", asTable, "--roi", "16,8,96,80", "--out", asTable.substr(0, asTable.size() - 4)},
         cli::kExitOutputUnwritable, {"in 128 96 0p1.csv"}, {}},
    };
    for (const auto& c : cases) {
        for (const std::string& name : FilesIn(out))
            fs::remove_all(out + "/" + name);
        const Outcome o = RunCliWith(c.args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        for (const std::string& text : c.errSays)
            EXPECT_NE(o.err.find(text), std::string::npos) << c.what << ": " << o.err;
        if (c.errSays.empty() && c.code == cli::kExitDone)
            EXPECT_EQ(o.err, "") << c.what;
        EXPECT_EQ(FilesIn(out), c.written) << c.what;
    }
}

} // namespace
