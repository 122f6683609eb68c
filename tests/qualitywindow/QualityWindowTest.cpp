// The MTF and DQE window's wiring: its exports against spectrum_cli's files byte for byte, the
// viewer's file and ROI as defaults, refusals as messages, cancel. The numbers themselves are
// proven in the quality core's tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "Cli.h"
#include "DialogDouble.h"
#include "NpsLauncher.h"
#include "NpsWindow.h"
#include "QualityLauncher.h"
#include "QualityWindow.h"
#include "TempFolder.h"
#include "TestWindows.h"
#include "Unit1.h"

namespace {

class FakeSource : public links::ViewerSource {
public:
    links::ViewerHandOff handOff;
    links::ViewerHandOff HandOff() override { return handOff; }
    // The windows under test are opened by calling them, not by a launcher on a viewer.
    void AddLauncher(const QString&, const QString&, const QString&, QObject&, std::function<void()>) override {}
};

// A straight edge through (cx, cy) tilted `degrees` from the pixel column (vertical) or row
// (horizontal): each pixel the area fraction on the high side, found on a 16 x 16 grid of
// sub-pixels, between `low` and `high`; optional Gaussian noise of `sigma`.
std::vector<int> EdgeWords(int width, int height, double degrees, bool horizontal, double low, double high,
                           double sigma = 0.0, unsigned seed = 1)
{
    const double slope = std::tan(degrees * M_PI / 180.0), cx = width / 2.0 + 0.3, cy = height / 2.0 + 0.3;
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal(0.0, sigma > 0.0 ? sigma : 1.0);
    std::vector<int> words;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int high_side = 0;
            for (int sy = 0; sy < 16; ++sy)
                for (int sx = 0; sx < 16; ++sx) {
                    const double px = x + (sx + 0.5) / 16.0, py = y + (sy + 0.5) / 16.0;
                    high_side += horizontal ? (py > cy + slope * (px - cx)) : (px > cx + slope * (py - cy));
                }
            const double v = low + (high - low) * high_side / 256.0 + (sigma > 0.0 ? normal(engine) : 0.0);
            words.push_back(static_cast<int>(std::lround(v)));
        }
    return words;
}

std::vector<int> FlatWords(int side, double mean, double sigma, unsigned seed)
{
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal(mean, sigma);
    std::vector<int> words(static_cast<std::size_t>(side) * side);
    for (int& w : words)
        w = static_cast<int>(std::lround(normal(engine)));
    return words;
}

std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(missing " + path.toStdString() + ")";
    return f.readAll().toStdString();
}

// Equal bytes; a mismatch names the sizes and the first differing byte rather than printing both.
::testing::AssertionResult SameBytes(const std::string& window, const std::string& cli)
{
    if (window == cli)
        return ::testing::AssertionSuccess();
    std::size_t k = 0;
    while (k < window.size() && k < cli.size() && window[k] == cli[k])
        ++k;
    return ::testing::AssertionFailure() << "the window wrote " << window.size() << " bytes, the command line "
                                         << cli.size() << "; first difference at byte " << k << ": '"
                                         << window.substr(k, 40) << "' against '" << cli.substr(k, 40) << "'";
}

// spectrum_cli in this process; its output files are what the window's exports are held to.
void RunCli(std::vector<std::string> args, int threads)
{
    args.insert(args.begin(), {"spectrum_cli", "--threads", std::to_string(threads)});
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunCli(args, out, err), 0) << err.str();
}

void WaitUntilIdle(const quality::QualityWindow& window)
{
    QElapsedTimer t;
    t.start();
    while (window.Running() && t.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    // The result arrives as a queued call after the worker ends.
    QApplication::processEvents();
    ASSERT_FALSE(window.Running());
}

class QualityWindowTest : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    FakeSource source;
    common::ThreadPool pool{1};  // the command line runs on 2: the results must not care
    quality::QualityWindow window{source, pool};

    std::string Write(const QString& name, const std::vector<int>& words)
    {
        return folder.WriteWords(name, words).toStdString();
    }

    // Exports the current tab's result as CSV and JSON under `stem`.
    void Export(const QString& stem)
    {
        dialogs.saveAnswers = {folder.Path(stem + ".csv"), folder.Path(stem)};  // the JSON's extension is added
        if (window.Tabs->currentIndex() == 0) {
            window.ButtonMtfCsv->click();
            window.ButtonMtfJson->click();
        } else {
            window.ButtonDqeCsv->click();
            window.ButtonDqeJson->click();
        }
    }
};

TEST_F(QualityWindowTest, MtfExportsAreTheCommandLinesFilesByteForByte)
{
    const struct {
        const char* what;
        bool horizontal;
        double degrees;
        const char* name;
        std::string roi, pixel;  // the viewer's; an empty spacing comes from the file name
    } cases[] = {
        {"vertical edge, spacing of the name", false, 3.0, "v 128 96 0p1.raw", "16,8,96,80", ""},
        {"horizontal edge, spacing typed", true, 5.0, "h 96 128 0p1.raw", "8,16,80,96", "0.143"},
    };
    for (const auto& c : cases) {
        const std::string file = Write(c.name, EdgeWords(c.horizontal ? 96 : 128, c.horizontal ? 128 : 96, c.degrees,
                                                         c.horizontal, 300.0, 1800.0, 4.0));
        source.handOff = {file, {}, "64", c.pixel, imageio::FileMode::Bits16, c.roi};
        window.OpenFromViewer();
        // The viewer's spacing is only a fallback: the file's own holds unless one is typed here.
        window.EditPixel->setText(QString::fromStdString(c.pixel));
        EXPECT_EQ(window.EditMtfFile->text().toStdString(), file) << c.what;
        EXPECT_EQ(window.EditMtfRoi->text().toStdString(), c.roi) << c.what;
        window.Tabs->setCurrentIndex(0);
        window.ButtonRun->click();
        WaitUntilIdle(window);
        ASSERT_TRUE(dialogs.messages.isEmpty()) << c.what << ": " << dialogs.messages.join("\n").toStdString();
        ASSERT_NE(window.Mtf(), nullptr) << c.what;
        EXPECT_FALSE(window.ImageEdge->pixmap().isNull()) << c.what;
        for (QChartView* chart : {window.ChartEsf, window.ChartLsf, window.ChartMtf})
            EXPECT_FALSE(chart->chart()->series().isEmpty()) << c.what;
        EXPECT_TRUE(window.LabelMtfSummary->text().contains(c.horizontal ? "エッジ: 水平" : "エッジ: 垂直")) << c.what;

        const QString stem = QString("window-") + (c.horizontal ? "h" : "v");
        Export(stem);
        const std::string prefix = folder.Path(QString("cli-") + (c.horizontal ? "h" : "v")).toStdString();
        std::vector<std::string> args = {"mtf", file, "--roi", c.roi, "--mode", "16bit", "--quiet", "--out", prefix};
        if (!c.pixel.empty())
            args.insert(args.end(), {"--pixel", c.pixel});
        RunCli(args, 2);
        const std::string csv = ReadBytes(folder.Path(stem + ".csv")), json = ReadBytes(folder.Path(stem + ".json"));
        EXPECT_TRUE(SameBytes(csv, ReadBytes(QString::fromStdString(prefix + ".csv")))) << c.what;
        EXPECT_TRUE(SameBytes(json, ReadBytes(QString::fromStdString(prefix + ".json")))) << c.what;
        EXPECT_NE(csv.find("frequency_per_mm,mtf"), std::string::npos) << c.what;
    }
}

TEST_F(QualityWindowTest, DqeExportsAreTheCommandLinesFilesByteForByte)
{
    // A detector with an offset of 100 and a gain of 50 per uGy; flat fields at 2.5 uGy.
    const auto value = [](double kerma) { return 100.0 + 50.0 * kerma; };
    std::string flats;
    std::vector<std::string> args = {"dqe", "--kerma", "2.5", "--quality", "RQA7", "--roi", "64", "--overlap", "0",
                                     "--bin", "0.2", "--mode", "16bit", "--quiet"};
    for (int i = 0; i < 2; ++i) {
        const std::string flat = Write(QString("flat%1 128 128 0p1.raw").arg(i), FlatWords(128, value(2.5), 6.0, 10 + i));
        flats.append(i ? " ; " : "").append(flat);
        args.insert(args.end(), {"--flat", flat});
    }
    std::string conversion;
    for (const double k : {1.0, 4.0}) {
        const std::string flat =
            Write(QString("conv%1 64 64 0p1.raw").arg(k), FlatWords(64, value(k), 3.0, static_cast<unsigned>(k)));
        const std::string pair = QString::number(k).toStdString().append("=").append(flat);
        conversion.append(conversion.empty() ? "" : ";").append(pair);
        args.push_back(std::string("--conversion=").append(pair));
    }
    const std::string v = Write("v 64 160 0p1.raw", EdgeWords(64, 160, 3.0, false, value(1.0), value(8.0), 2.0, 3));
    const std::string h = Write("h 160 64 0p1.raw", EdgeWords(160, 64, 4.0, true, value(1.0), value(8.0), 2.0, 4));
    args.insert(args.end(), {"--edge-v", v, "--edge-h", h, "--edge-h-roi", "8,4,144,56"});

    source.handOff = {"", {}, "", "", imageio::FileMode::Bits16, ""};
    window.OpenFromViewer();
    window.Tabs->setCurrentIndex(1);
    window.EditFlats->setText(QString::fromStdString(flats));
    window.EditKerma->setText("2.5");
    window.ComboQuality->setCurrentText("RQA7");
    window.EditConversion->setText(QString::fromStdString(conversion));
    window.EditEdgeV->setText(QString::fromStdString(v));
    window.EditEdgeH->setText(QString::fromStdString(h));
    window.EditEdgeHRoi->setText("8,4,144,56");
    window.EditNpsRoi->setText("64");
    window.ComboOverlap->setCurrentIndex(0);
    window.EditNpsBin->setText("0.2");
    window.ButtonRun->click();
    WaitUntilIdle(window);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_NE(window.Dqe(), nullptr);
    EXPECT_TRUE(window.Dqe()->conversionMeasured);
    EXPECT_GE(window.ChartDqe->chart()->series().size(), 2);  // u and v
    EXPECT_TRUE(window.LabelDqeSummary->text().contains("変換関数: 値 = ")) << window.LabelDqeSummary->text().toStdString();

    Export("window-dqe");
    const std::string prefix = folder.Path("cli-dqe").toStdString();
    args.insert(args.end(), {"--out", prefix});
    RunCli(args, 2);
    const std::string csv = ReadBytes(folder.Path("window-dqe.csv"));
    EXPECT_TRUE(SameBytes(csv, ReadBytes(QString::fromStdString(prefix + ".csv"))));
    EXPECT_TRUE(SameBytes(ReadBytes(folder.Path("window-dqe.json")), ReadBytes(QString::fromStdString(prefix + ".json"))));
    EXPECT_EQ(csv.rfind("frequency_per_mm,mtf_u,nnps_u,dqe_u,mtf_v,nnps_v,dqe_v,mtf_u_se,nnps_u_se,dqe_u_se,mtf_v_se,"
                        "nnps_v_se,dqe_v_se,dqe_mean,dqe_mean_se,air_kerma_ugy\n",
                        0),
              0u);
}

TEST_F(QualityWindowTest, RefusalsAreShownAsMessagesAndLeaveNoResult)
{
    const std::string edge = Write("e 128 96 0p1.raw", EdgeWords(128, 96, 3.0, false, 300.0, 1800.0));
    const std::string flat = Write("f 128 96 0p1.raw", FlatWords(128, 800.0, 0.0, 1));  // no edge at all
    const std::string v = Write("v 64 160 0p1.raw", EdgeWords(64, 160, 3.0, false, 150.0, 500.0));
    const std::string h = Write("h 160 64 0p1.raw", EdgeWords(160, 64, 3.0, true, 150.0, 500.0));
    const std::string flat128 = Write("g 128 128 0p1.raw", FlatWords(128, 225.0, 5.0, 2));
    const auto mtf = [&](std::string file, std::string roi, const char* bin = "0.25") {
        return [=, this] {
            window.Tabs->setCurrentIndex(0);
            window.EditMtfFile->setText(QString::fromStdString(file));
            window.EditMtfRoi->setText(QString::fromStdString(roi));
            window.EditMtfBin->setText(bin);
        };
    };
    const auto dqe = [&](std::string flats, const char* kerma, std::string conversion, std::string edgeV,
                         std::string edgeH) {
        return [=, this] {
            window.Tabs->setCurrentIndex(1);
            window.EditFlats->setText(QString::fromStdString(flats));
            window.EditKerma->setText(kerma);
            window.EditConversion->setText(QString::fromStdString(conversion));
            window.EditEdgeV->setText(QString::fromStdString(edgeV));
            window.EditEdgeH->setText(QString::fromStdString(edgeH));
            window.EditNpsRoi->setText("64");
            window.CheckProportional->setChecked(true);
        };
    };
    const struct {
        const char* what;
        std::function<void()> set;
        const char* message;  // a part of the one message expected
    } cases[] = {
        {"no edge image", mtf("", "16,8,96,80"), "ビューアでエッジ画像を読み込むか"},
        {"ROI not four numbers", mtf(edge, "16,8,96"), "エッジ ROI"},
        {"ROI outside the image", mtf(edge, "64,8,96,80"), "e 128 96 0p1.raw は 128 x 96)"},
        {"bin wider than half a pixel", mtf(edge, "16,8,96,80", "0.75"), "0.75"},
        {"bin not a number", mtf(edge, "16,8,96,80", "quarter"), "quarter"},
        {"missing file", mtf(folder.Path("none 128 96 0p1.raw").toStdString(), "16,8,96,80"), "none 128 96 0p1.raw"},
        {"no edge in the ROI", mtf(flat, "16,8,96,80"), ""},
        {"no flat fields", dqe("", "2.5", "", v, h), "空気カーマ K での平坦画像を"},
        {"air kerma of 0", dqe(flat128, "0", "", v, h), "0 uGy より大きく"},
        {"conversion without K", dqe(flat128, "2.5", flat128, v, h), "変換関数の平坦画像は K=file"},
        // The orientations are texts of their own, shown in the same language as the message.
        {"edges swapped", dqe(flat128, "2.5", "", h, v), "--edge-v には垂直エッジの画像を指定してください。"},
    };
    for (const auto& c : cases) {
        source.handOff = {edge, {}, "", "", imageio::FileMode::Bits16, ""};
        window.OpenFromViewer();
        c.set();
        dialogs.messages.clear();
        window.ButtonRun->click();
        WaitUntilIdle(window);
        ASSERT_EQ(dialogs.messages.size(), 1) << c.what;
        EXPECT_TRUE(dialogs.messages[0].contains(c.message)) << c.what << ": " << dialogs.messages[0].toStdString();
        EXPECT_EQ(window.Mtf(), nullptr) << c.what;
        EXPECT_EQ(window.Dqe(), nullptr) << c.what;
        EXPECT_TRUE(window.ButtonRun->isEnabled()) << c.what;
        EXPECT_FALSE(window.ButtonMtfCsv->isEnabled() || window.ButtonDqeCsv->isEnabled()) << c.what;
    }
}

TEST_F(QualityWindowTest, CancelOrClosingLeavesNoResultAndTheNextRunWorks)
{
    const std::string edge = Write("e 128 96 0p1.raw", EdgeWords(128, 96, 3.0, false, 300.0, 1800.0));
    source.handOff = {edge, {}, "", "", imageio::FileMode::Bits16, "16,8,96,80"};
    const struct {
        const char* what;
        std::function<void()> stop;
    } cases[] = {
        {"Cancel", [&] { window.ButtonCancel->click(); }},
        {"closing the window", [&] { window.close(); }},  // nobody would see the result
    };
    for (const auto& c : cases) {
        window.OpenFromViewer();
        window.ButtonRun->click();
        ASSERT_TRUE(window.Running()) << c.what;
        c.stop();
        WaitUntilIdle(window);
        EXPECT_EQ(window.Mtf(), nullptr) << c.what;
        EXPECT_EQ(window.LabelStatus->text(), "キャンセルしました") << c.what;
        EXPECT_FALSE(window.ButtonMtfCsv->isEnabled()) << c.what;
        EXPECT_TRUE(dialogs.messages.isEmpty()) << c.what;

        window.ButtonRun->click();  // a cancel does not stick to the next run
        WaitUntilIdle(window);
        EXPECT_NE(window.Mtf(), nullptr) << c.what;
        window.ButtonRun->click();  // and a new run clears the old result until it has its own
        EXPECT_EQ(window.Mtf(), nullptr) << c.what;
        window.ButtonCancel->click();
        WaitUntilIdle(window);
    }
}

// The program's viewer with the NPS and the MTF and DQE windows on its shortcuts.
TEST(QualityLauncher, ShortcutOpensTheWindowWithTheViewersFileAndRoi)
{
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    links::ViewerSource& viewer = windows.windows.Viewer();
    nps::NpsWindow npsWindow{viewer, windows.pool};
    quality::QualityWindow window{viewer, windows.pool};
    nps::InstallNpsLauncher(viewer, npsWindow);
    quality::InstallQualityLauncher(viewer, window);
    const QString path = folder.WriteWords("edge 200 150 0p1.raw", EdgeWords(200, 150, 3.0, false, 300.0, 1800.0));
    form1.ui.RadioGroupMode->setItemIndex(1);
    dialogs.openAnswers.push_back(path);
    form1.BitBtnLoadClick();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();

    auto* shortcut = form1.findChild<QShortcut*>("ShortcutQuality");
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(quality::kQualityShortcut));
    // Both windows are named in the panel's tool tip.
    EXPECT_TRUE(form1.ui.Panel3->toolTip().contains(nps::kNpsShortcut));
    EXPECT_TRUE(form1.ui.Panel3->toolTip().contains(quality::kQualityShortcut));

    // The viewer's ROI edits name a centre and a size; the edge ROI is its top-left pixel and size,
    // cut to the image where the viewer's ROI reaches out of it.
    const struct {
        const char* centreX, *centreY, *size, *roi;
    } cases[] = {
        {"100", "75", "64", "68,43,64,64"},
        {"10", "140", "40", "0,120,30,30"},
    };
    for (const auto& c : cases) {
        form1.ui.EditROIPosX->setText(c.centreX);
        form1.ui.EditROIPosY->setText(c.centreY);
        form1.ui.EditROISizeX->setText(c.size);
        form1.ui.EditROISizeY->setText(c.size);
        emit shortcut->activated();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.EditMtfFile->text(), path);
        EXPECT_EQ(window.EditMtfRoi->text(), c.roi) << c.centreX << "," << c.centreY;
        // Empty: the file's own spacing (the detector's), else the viewer's.
        EXPECT_TRUE(window.EditPixel->text().isEmpty());
    }
    // What the user typed into the window wins over the viewer.
    window.EditMtfRoi->setText("20,20,100,100");
    form1.ui.EditROIPosX->setText("60");
    emit shortcut->activated();
    EXPECT_EQ(window.EditMtfRoi->text(), "20,20,100,100");

    // The spacing goes with the file: one typed for the last file does not stay for the next, which
    // then measures at its own spacing.
    window.EditPixel->setText("0.15");
    const QString second = folder.WriteWords("edge2 200 150 0p2.raw", EdgeWords(200, 150, 3.0, false, 300.0, 1800.0));
    dialogs.openAnswers.push_back(second);
    form1.BitBtnLoadClick();
    emit shortcut->activated();
    EXPECT_EQ(window.EditMtfFile->text(), second);
    EXPECT_TRUE(window.EditPixel->text().isEmpty());
}

} // namespace
