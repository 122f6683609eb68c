// The command line in-process: the exit code of each kind of failure, and the files "nps" writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <sys/stat.h>

#include "CliRun.h"
#include "ExitCodes.h"
#include "TempFolder.h"

namespace {

// A 16-bit noise image around 1000, named by the file-name convention (spacing 0.2 mm).
std::string WriteNoise(const TempFolder& folder, int w, int h, const char* stem = "flat")
{
    std::mt19937 engine(42);
    std::normal_distribution<double> normal(1000.0, 20.0);
    std::vector<int> v;
    for (int i = 0; i < w * h; ++i)
        v.push_back(static_cast<int>(std::lround(normal(engine))));
    return folder.WriteWords(QString("%1 %2 %3 0p2.raw").arg(stem).arg(w).arg(h), v).toStdString();
}

std::string ReadText(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

TEST(Cli, EachFailureHasItsCode)
{
    TempFolder folder;
    const std::string image = WriteNoise(folder, 128, 96);
    const std::string zeroSpacing = folder.WriteWords("zero 64 64 0p0.raw", std::vector<int>(64 * 64, 7)).toStdString();
    const std::string out = folder.Path("result").toStdString();
    QFile compressed(QStringLiteral(SAMPLES_DIR "/compressed/ct-phantom-rle.dcm"));
    compressed.open(QIODevice::ReadOnly);
    const std::string cutRle = folder.Write("cut-rle.dcm", compressed.readAll().chopped(3000)).toStdString();
    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {"help", {"--help"}, cli::kExitDone},
        {"no subcommand", {}, cli::kExitUsage},
        {"unknown option", {"nps", image, "--roi", "32", "--colour"}, cli::kExitUsage},
        {"missing file", {"nps", folder.Path("nowhere 64 64 0p2.raw").toStdString(), "--roi", "32", "--out", out},
         cli::kExitInputUnreadable},
        // Option texts that are not what the option takes are usage errors, as --help says.
        {"ROI not a number", {"nps", image, "--roi", "abc", "--out", out}, cli::kExitUsage},
        {"spectrum ROI not numbers", {"spectrum", image, "--roi", "abc"}, cli::kExitUsage},
        {"threads not a number", {"--threads", "two", "nps", image, "--roi", "32", "--out", out}, cli::kExitUsage},
        {"threads beyond reason", {"--threads", "100000", "nps", image, "--roi", "32", "--out", out},
         cli::kExitUsage},
        {"negative pixel spacing", {"spectrum", image, "--roi", "0,0,32", "--pixel", "-1"}, cli::kExitUsage},
        {"zero pixel spacing", {"nps", image, "--roi", "32", "--pixel", "0", "--out", out}, cli::kExitUsage},
        {"negative cut-off", {"filter", image, "--roi", "0,0,32", "--cof", "-0.2", "--out", out}, cli::kExitUsage},
        {"zero low cut-off", {"filter", image, "--roi", "0,0,32", "--filter", "BPF", "--low-cof", "0", "--out", out},
         cli::kExitUsage},
        {"size not numbers", {"spectrum", image, "--roi", "0,0,32", "--size", "axb"}, cli::kExitUsage},
        {"unknown mode", {"spectrum", image, "--roi", "0,0,32", "--mode", "12bit"}, cli::kExitUsage},
        {"ROI too small", {"nps", image, "--roi", "8", "--out", out}, cli::kExitInputUnusable},
        {"area outside", {"nps", image, "--roi", "32", "--area", "0,0,129,96", "--out", out}, cli::kExitInputUnusable},
        {"overlap 0.25", {"nps", image, "--roi", "32", "--overlap", "0.25", "--out", out}, cli::kExitInputUnusable},
        {"unknown detrending", {"nps", image, "--roi", "32", "--detrend", "cubic", "--out", out},
         cli::kExitInputUnusable},
        {"output folder missing", {"nps", image, "--roi", "32", "--out", folder.Path("no/such/x").toStdString()},
         cli::kExitOutputUnwritable},
        {"spectrum ROI not a power of two", {"spectrum", image, "--roi", "0,0,48"}, cli::kExitInputUnusable},
        {"spectrum ROI outside", {"spectrum", image, "--roi", "100,0,32"}, cli::kExitInputUnusable},
        {"spectrum of a cut compressed file", {"spectrum", cutRle, "--roi", "0,0,32"}, cli::kExitInputUnusable},
        {"spectrum of zero spacing", {"spectrum", zeroSpacing, "--roi", "0,0,32"}, cli::kExitArithmetic},
        {"filter type", {"filter", image, "--roi", "0,0,32", "--filter", "XYZ", "--out", out},
         cli::kExitInputUnusable},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCliWith(c.args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        if (c.code != cli::kExitDone)
            EXPECT_FALSE(o.err.empty()) << c.what;
    }
    // A file shorter than its matrix is refused as unusable, not read as zeros.
    folder.WriteWords("cut 64 64 0p2.raw", std::vector<int>(64 * 63, 1));
    EXPECT_EQ(RunCliWith({"nps", folder.Path("cut 64 64 0p2.raw").toStdString(), "--roi", "32", "--out", out}).code,
              cli::kExitInputUnusable);
    EXPECT_NE(RunCliWith({"--help"}).out.find("Exit codes"), std::string::npos);
}

TEST(Cli, NpsWritesTableSummaryAndPlot)
{
    TempFolder folder;
    const std::string a = WriteNoise(folder, 256, 200, "a"), b = WriteNoise(folder, 256, 200, "b");
    const std::string prefix = folder.Path("qc").toStdString();
    const Outcome o = RunCliWith({"--threads", "2", "nps", a, b, "--roi", "64", "--area", "10,20,224,160", "--overlap",
                                  "0.5", "--detrend", "poly2", "--bin", "0.25", "--out", prefix});
    ASSERT_EQ(o.code, cli::kExitDone) << o.err;

    const std::string table = ReadText(prefix + ".csv");
    EXPECT_EQ(table.substr(0, table.find('\n')), "frequency_per_mm,nps,standard_error,count,nnps,nps_u_axis,nps_v_axis");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 1 + 11);  // bins 0 .. 2.5 cycles/mm
    EXPECT_NE(table.find("\n0.25,"), std::string::npos);

    const auto summary = nlohmann::json::parse(ReadText(prefix + ".json"));
    EXPECT_EQ(summary["roi_count"], 2 * 6 * 4);  // 6 x 4 ROIs at 32-pixel steps, in each image
    EXPECT_EQ(summary["image_count"], 2);
    EXPECT_EQ(summary["detrend"], "poly2");
    EXPECT_EQ(summary["detrend_scope"], "area");
    EXPECT_EQ(summary["pixel_spacing_mm"], 0.2);
    EXPECT_LE(summary["parseval_relative_error"].get<double>(), 1e-9);
    EXPECT_NEAR(summary["mean_signal"].get<double>(), 1000.0, 1.0);

    const QImage plot(QString::fromStdString(prefix + ".png"));
    EXPECT_EQ(plot.size(), QSize(900, 600));

    // The same run on one thread writes the same table.
    const std::string single = folder.Path("single").toStdString();
    ASSERT_EQ(RunCliWith({"--threads", "1", "nps", a, b, "--roi", "64", "--area", "10,20,224,160", "--overlap", "0.5",
                          "--bin", "0.25", "--out", single})
                  .code,
              cli::kExitDone);
    EXPECT_EQ(ReadText(single + ".csv"), table);
}

TEST(Cli, OutputsNeverReplaceAnInputOrUnaskedAReadOnlyFile)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    const std::string image = WriteNoise(folder, 128, 96);
    // An image whose name makes it the table of "--out <stem>": the file-name convention ignores
    // what follows the first dot.
    const std::string tableImage = folder.Path("qc 128 96 0p2.csv").toStdString();
    fs::rename(WriteNoise(folder, 128, 96, "qc"), tableImage);
    const std::string link = folder.Path("link.txt").toStdString(), hard = folder.Path("hard.txt").toStdString();
    fs::create_symlink(image, link);
    fs::create_hard_link(image, hard);
    const std::string locked = folder.Write("locked.txt", "locked").toStdString();
    ::chmod(locked.c_str(), 0444);
    const std::string set = folder.Path("set").toStdString();
    for (const char* ext : {".csv", ".png", ".json"})
        folder.Write(QString::fromStdString("set" + std::string(ext)), "old");
    ::chmod((set + ".png").c_str(), 0444);
    const std::string before = ReadText(image), missing = folder.Path("gone 64 64 0p2.raw").toStdString();
    const std::string tableBefore = ReadText(tableImage);

    const struct {
        const char* what;
        std::vector<std::string> args;
        int code;
        std::vector<std::string> errHas;
    } cases[] = {
        {"spectrum over its input", {"spectrum", image, "--roi", "0,0,32", "--out", image}, cli::kExitOutputUnwritable,
         {"Refusing to write " + image + ": it is the input file " + image}},
        {"spectrum over its input through a link", {"spectrum", image, "--roi", "0,0,32", "--out", link},
         cli::kExitOutputUnwritable, {link, image}},
        {"filter over a hard link of its input", {"filter", image, "--roi", "0,0,32", "--out", hard},
         cli::kExitOutputUnwritable, {hard, image}},
        {"nps table over an input", {"nps", image, tableImage, "--roi", "32", "--out", folder.Path("qc 128 96 0p2").toStdString()},
         cli::kExitOutputUnwritable, {tableImage}},
        {"an output named as a missing input", {"spectrum", missing, "--roi", "0,0,32", "--out", folder.Path("./gone 64 64 0p2.raw").toStdString()},
         cli::kExitOutputUnwritable, {"Refusing"}},
        {"a read-only output", {"spectrum", image, "--roi", "0,0,32", "--out", locked}, cli::kExitOutputUnwritable,
         {locked, "read-only", "--force"}},
        {"a read-only member of the nps set", {"nps", image, "--roi", "32", "--out", set}, cli::kExitOutputUnwritable,
         {set + ".png", "read-only", "--force"}},
    };
    for (const auto& c : cases) {
        const Outcome o = RunCliWith(c.args);
        EXPECT_EQ(o.code, c.code) << c.what << ": " << o.err;
        for (const std::string& part : c.errHas)
            EXPECT_NE(o.err.find(part), std::string::npos) << c.what << ": " << o.err;
    }
    EXPECT_EQ(ReadText(image), before);
    EXPECT_EQ(ReadText(tableImage), tableBefore);
    EXPECT_EQ(ReadText(locked), "locked");
    EXPECT_FALSE(fs::exists(missing));
    for (const char* ext : {".csv", ".png", ".json"})
        EXPECT_EQ(ReadText(set + ext), "old") << ext;  // all old, the writable ones too

    // --force replaces them, and they stay read-only.
    ASSERT_EQ(RunCliWith({"spectrum", image, "--roi", "0,0,32", "--out", locked, "--force"}).code, cli::kExitDone);
    EXPECT_NE(ReadText(locked), "locked");
    ASSERT_EQ(RunCliWith({"nps", image, "--roi", "32", "--out", set, "--force"}).code, cli::kExitDone);
    for (const char* ext : {".csv", ".png", ".json"})
        EXPECT_NE(ReadText(set + ext), "old") << ext;
    struct stat info {};
    ASSERT_EQ(::stat((set + ".png").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
}

} // namespace
