// The "nps" command's details: where its files go, what it refuses with which message, what it
// warns about, images of different sizes, and the progress bar's line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "CliRun.h"
#include "ExitCodes.h"
#include "Progress.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;

// 16-bit noise around 1000 with the spacing 0.2 mm, named by the file-name convention unless a
// name is given.
std::string WriteNoise(const TempFolder& folder, int w, int h, const QString& name)
{
    std::mt19937 engine(static_cast<unsigned>(w * 7919 + h));
    std::normal_distribution<double> normal(1000.0, 20.0);
    std::vector<int> v(static_cast<std::size_t>(w) * h);
    for (int& x : v)
        x = static_cast<int>(std::lround(normal(engine)));
    return folder.WriteWords(name, v).toStdString();
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(NpsCli, Details)
{
    TempFolder folder;
    const std::string small = WriteNoise(folder, 256, 256, "small 256 256 0p2.raw");
    const std::string large = WriteNoise(folder, 512, 512, "large 512 512 0p2.raw");
    const std::string sizeless = WriteNoise(folder, 64, 64, "plain.raw");
    const std::string out = folder.Path("out").toStdString();
    fs::create_directory(out);
    const std::string prefix = out + "/run";
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        std::vector<std::string> errSays;  // each of these in the error or warning text
        std::vector<std::string> written;  // the output folder holds exactly these afterwards
    } cases[] = {
        {"run options after the subcommand",
         {"nps", small, "--roi", "128", "--threads", "2", "--quiet", "--out", prefix}, cli::kExitDone, {},
         {"run.csv", "run.json", "run.png"}},
        // A misspelt option is named, not taken for the missing one it was meant to be.
        {"unknown option", {"nps", small, "--rio", "64", "--out", prefix}, cli::kExitUsage, {"--rio"}, {}},
        {"missing ROI", {"nps", small, "--out", prefix}, cli::kExitUsage, {"--roi is required"}, {}},
        {"raw file without a size", {"nps", sizeless, "--roi", "32", "--out", prefix}, cli::kExitInputUnusable,
         {"--mode", "--size"}, {}},
        // With 0.05 /mm bins a 128-pixel ROI (step 0.039 /mm) fills every bin. The Nyquist frequency is 2.5 /mm: a bin of 2 would leave one bin above zero.
        {"bins too wide", {"nps", small, "--roi", "128", "--bin", "2", "--out", prefix}, cli::kExitInputUnusable,
         {"fewer than two bins", "1.25"}, {}},
        // A 64-pixel ROI has a frequency step of 1 / 12.8 mm = 0.078 /mm.
        {"bins narrower than the step", {"nps", small, "--roi", "64", "--bin", "0.02", "--out", prefix},
         cli::kExitDone, {"warning:", "narrower than the frequency step 0.07812"}, {"run.csv", "run.json", "run.png"}},
        {"a folder with a separator", {"nps", small, "--roi", "128", "--out", out + "/"}, cli::kExitDone, {},
         {"nps.csv", "nps.json", "nps.png"}},
        {"a folder without one", {"nps", small, "--roi", "128", "--out", out}, cli::kExitDone, {},
         {"nps.csv", "nps.json", "nps.png"}},
        {"a folder that does not exist", {"nps", small, "--roi", "128", "--out", out + "/none/"},
         cli::kExitOutputUnwritable, {"does not exist"}, {}},
        {"no output name", {"nps", small, "--roi", "128", "--out", ""}, cli::kExitUsage, {"--out"}, {}},
        {"unknown axis placement", {"nps", small, "--roi", "128", "--axes", "diagonal", "--out", prefix},
         cli::kExitUsage, {"radial or along"}, {}},
        // The grid covers the whole first image, which is another region of a larger one.
        {"images of different sizes", {"nps", small, large, "--roi", "128", "--out", prefix}, cli::kExitInputUnusable,
         {"large 512 512 0p2.raw is 512 x 512", "small 256 256 0p2.raw 256 x 256"}, {}},
        {"a smaller image after a larger", {"nps", large, small, "--roi", "128", "--out", prefix},
         cli::kExitInputUnusable, {"small 256 256 0p2.raw is 256 x 256"}, {}},
        // An area inside both measures the same region of each.
        {"different sizes with an area inside both",
         {"nps", small, large, "--roi", "128", "--area", "0,0,256,256", "--out", prefix}, cli::kExitDone, {},
         {"run.csv", "run.json", "run.png"}},
        {"different sizes with an area outside one",
         {"nps", large, small, "--roi", "128", "--area", "0,0,512,256", "--out", prefix}, cli::kExitInputUnusable,
         {"small 256 256 0p2.raw"}, {}},
    };
    for (const auto& c : cases) {
        for (const std::string& name : FilesIn(out))
            fs::remove_all(out + "/" + name);
        const Outcome o = RunCliWith(c.args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        for (const std::string& text : c.errSays)
            EXPECT_NE(o.err.find(text), std::string::npos) << c.what << ": " << o.err;
        if (c.errSays.empty())
            EXPECT_EQ(o.err, "") << c.what;
        EXPECT_EQ(FilesIn(out), c.written) << c.what;
    }
}

// The summary names each figure for what it is, and the folder output names its files.
TEST(NpsCli, SummaryNamesItsFigures)
{
    TempFolder folder;
    const std::string image = WriteNoise(folder, 256, 256, "a 256 256 0p2.raw");
    const Outcome o = RunCliWith({"nps", image, "--roi", "64", "--overlap", "0.5", "--out", folder.Folder().toStdString()});
    ASSERT_EQ(o.code, cli::kExitDone) << o.err;
    EXPECT_NE(o.out.find("wrote " + folder.Path("nps.csv").toStdString()), std::string::npos) << o.out;
    std::ifstream file(folder.Path("nps.json").toStdString());
    const auto summary = nlohmann::json::parse(file);
    EXPECT_FALSE(summary.contains("variance"));
    // Noise of SD 20: about 400 each; over the area the ROIs' offsets from the fit add a little.
    EXPECT_NEAR(summary["roi_variance"].get<double>(), 400.0, 20.0);
    EXPECT_GE(summary["mean_square_detrended"].get<double>(), summary["roi_variance"].get<double>());
    EXPECT_EQ(summary["axis_placement"], "radial");
}

// On a terminal the bar shares the screen with what follows: its line is ended first, once.
TEST(NpsCli, ProgressBarEndsItsLineBeforeOtherText)
{
    const struct {
        const char* what;
        bool shown;
        std::function<void(cli::ProgressBar&)> use;
        std::string expected;
    } cases[] = {
        {"drawn then ended twice", true, [](cli::ProgressBar& b) { b.Show(1, 2); b.EndLine(); b.EndLine(); },
         "\rNPS [####################                    ] 1/2\nnext"},
        {"drawn again after an end", true, [](cli::ProgressBar& b) { b.Show(1, 2); b.EndLine(); b.Show(2, 2); b.EndLine(); },
         "\rNPS [####################                    ] 1/2\n\rNPS [########################################] 2/2\nnext"},
        {"never drawn", true, [](cli::ProgressBar& b) { b.EndLine(); }, "next"},
        {"hidden", false, [](cli::ProgressBar& b) { b.Show(1, 2); b.EndLine(); }, "next"},
    };
    for (const auto& c : cases) {
        std::ostringstream err;
        {
            cli::ProgressBar bar(err, c.shown, "NPS");
            c.use(bar);
            err << "next";
        }
        EXPECT_EQ(err.str(), c.expected) << c.what;
    }
}

} // namespace
