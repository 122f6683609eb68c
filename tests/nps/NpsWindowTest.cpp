// The NPS window's wiring: settings from the viewer, the worker run with progress and cancel,
// exports, refusals as messages, and the viewer's shortcut. The numbers are proven in the core tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <functional>
#include <random>

#include "DialogDouble.h"
#include "NpsCurves.h"
#include "NpsExports.h"
#include "NpsLauncher.h"
#include "NpsWindow.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

class FakeSource : public links::ViewerSource {
public:
    links::ViewerHandOff handOff;
    links::ViewerHandOff HandOff() override { return handOff; }
    // The windows under test are opened by calling them, not by a launcher on a viewer.
    void AddLauncher(const QString&, const QString&, const QString&, QObject&, std::function<void()>) override {}
};

class NpsWindowTest : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    FakeSource source;
    common::ThreadPool pool;
    nps::NpsWindow window{source, pool};

    std::string WriteNoise(const QString& stem, int side)
    {
        std::mt19937 engine(static_cast<unsigned>(qHash(stem)));
        std::normal_distribution<double> normal(800.0, 15.0);
        std::vector<int> v(static_cast<std::size_t>(side) * side);
        for (int& x : v)
            x = static_cast<int>(std::lround(normal(engine)));
        return folder.WriteWords(QString("%1 %2 %2 0p15.raw").arg(stem).arg(side), v).toStdString();
    }

    void WaitForRun(int ms = 60000)
    {
        QElapsedTimer t;
        t.start();
        while (window.Running() && t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_FALSE(window.Running());
    }

    static std::string ReadText(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
};

TEST_F(NpsWindowTest, RunsOverTheFolderListAndExports)
{
    source.handOff = {WriteNoise("a", 128), {WriteNoise("a", 128), WriteNoise("b", 128)}, "64", "0.15",
                      imageio::FileMode::Bits16};
    window.OpenFromViewer();
    EXPECT_EQ(window.EditRoi->text(), "64");
    EXPECT_EQ(window.EditPixel->text(), "0.15");
    window.ComboFiles->setCurrentIndex(1);
    window.ButtonRunClick();
    WaitForRun();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_NE(window.Result(), nullptr);
    EXPECT_EQ(window.Result()->imageCount, 2u);
    EXPECT_EQ(window.Result()->roiCount, 2u * 2u * 2u);  // 64-pixel ROIs side by side over 128 (overlap 0)
    EXPECT_GE(window.Curves->chart()->series().size(), 4);  // the band and the three curves
    EXPECT_FALSE(window.ImageRois->pixmap().isNull());
    EXPECT_FALSE(window.ImageNps->pixmap().isNull());
    EXPECT_FALSE(window.Curves->ReadoutAt(1.0).isEmpty());

    // A name typed without its extension gets it; one with an extension keeps it.
    dialogs.saveAnswers = {folder.Path("table"), folder.Path("plot"), folder.Path("table.txt")};
    window.ButtonCsvClick();
    window.ButtonPngClick();
    window.ButtonCsvClick();
    EXPECT_EQ(ReadText(folder.Path("table.csv")), nps::NpsTableText(*window.Result()));
    EXPECT_FALSE(QImage(folder.Path("plot.png")).isNull());
    EXPECT_EQ(ReadText(folder.Path("table.txt")), nps::NpsTableText(*window.Result()));
    EXPECT_FALSE(QFileInfo::exists(folder.Path("table")));

    window.CheckBoxLog->setChecked(true);  // redraws on a logarithmic axis
    EXPECT_GE(window.Curves->chart()->series().size(), 4);
}

TEST_F(NpsWindowTest, RunTakesTheViewerAsItIsThenAndForgetsResultsOfOtherFiles)
{
    // Opened on one image; the viewer then loads another and changes its ROI size. "Run" reads the
    // viewer again: the new image, the new ROI size (the window's edit was not typed in).
    const std::string small = WriteNoise("small", 64), large = WriteNoise("large", 128);
    source.handOff = {small, {small}, "64", "0.15", imageio::FileMode::Bits16};
    window.OpenFromViewer();
    source.handOff = {large, {large}, "32", "0.15", imageio::FileMode::Bits16};
    window.ButtonRunClick();
    WaitForRun();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_NE(window.Result(), nullptr);
    EXPECT_EQ(window.EditRoi->text(), "32");
    EXPECT_EQ(window.Result()->roiCount, 4u * 4u);  // 32-pixel ROIs side by side over 128 (overlap 0)
    EXPECT_TRUE(window.LabelStatus->text().contains("large 128 128 0p15.raw")) << window.LabelStatus->text().toStdString();

    // What the user types into the window wins over the viewer.
    window.EditRoi->setText("64");
    source.handOff.roiSize = "16";
    window.ButtonRunClick();
    WaitForRun();
    ASSERT_NE(window.Result(), nullptr);
    EXPECT_EQ(window.EditRoi->text(), "64");
    EXPECT_EQ(window.Result()->roiCount, 2u * 2u);

    // The viewer moves to another file: the result of the old one is not shown as if it were its.
    source.handOff.loadedFile = small;
    window.OpenFromViewer();
    EXPECT_EQ(window.Result(), nullptr);
}

TEST_F(NpsWindowTest, CancelOrClosingStopsTheRunWithoutAResult)
{
    std::vector<std::string> files;
    for (int i = 0; i < 6; ++i)
        files.push_back(WriteNoise(QString("c%1").arg(i), 1024));
    source.handOff = {files.front(), files, "16", "0.15", imageio::FileMode::Bits16};
    const struct {
        const char* what;
        std::function<void()> stop;
    } cases[] = {
        {"Cancel", [&] { window.ButtonCancelClick(); }},
        {"closing the window", [&] { window.close(); }},  // nobody would see the result
    };
    for (const auto& c : cases) {
        window.OpenFromViewer();
        window.ComboFiles->setCurrentIndex(1);
        window.ButtonRunClick();
        ASSERT_TRUE(window.Running()) << c.what;
        c.stop();
        WaitForRun();
        EXPECT_EQ(window.Result(), nullptr) << c.what;
        EXPECT_EQ(window.LabelStatus->text(), "キャンセルしました") << c.what;
        EXPECT_TRUE(dialogs.messages.isEmpty()) << c.what;
    }
}

TEST_F(NpsWindowTest, OwnRoiListTakesThePlaceOfTheGrid)
{
    source.handOff = {WriteNoise("l", 128), {}, "32", "0.15", imageio::FileMode::Bits16};
    window.OpenFromViewer();
    window.EditRois->setText("0,0; 50,10; 96,96;");
    window.ButtonRunClick();
    WaitForRun();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    ASSERT_NE(window.Result(), nullptr);
    EXPECT_EQ(window.Result()->roiCount, 3u);

    window.EditArea->setText("0,0,64,64");  // an area and a list together are refused
    window.ButtonRun->click();
    WaitForRun();
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(NpsWindowTest, AReadOnlyExportIsReplacedOnlyWhenTheUserAgrees)
{
    source.handOff = {WriteNoise("w", 64), {}, "32", "0.15", imageio::FileMode::Bits16};
    window.OpenFromViewer();
    window.ButtonRunClick();
    WaitForRun();
    ASSERT_NE(window.Result(), nullptr);
    const QString csv = folder.Write("locked.csv", "kept");
    QFile::setPermissions(csv, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const struct {
        const char* what;
        bool answer;
        std::string after;
    } cases[] = {
        {"declined", false, "kept"},
        {"agreed", true, nps::NpsTableText(*window.Result())},
    };
    for (const auto& c : cases) {
        dialogs.confirmations.clear();
        dialogs.saveAnswers = {csv};
        dialogs.confirmAnswers = {c.answer};
        window.ButtonCsvClick();
        ASSERT_EQ(dialogs.confirmations.size(), 1) << c.what;
        EXPECT_TRUE(dialogs.confirmations[0].contains("は読み取り専用です")) << c.what;
        EXPECT_EQ(ReadText(csv), c.after) << c.what;
        EXPECT_FALSE(QFileInfo(csv).permissions() & QFile::WriteOwner) << c.what;  // still read-only
    }
}

TEST_F(NpsWindowTest, RefusalsAreShownAsMessages)
{
    const std::string image = WriteNoise("r", 64);
    const struct {
        const char* what;
        links::ViewerHandOff handOff;
        const char* roi;
        const char* message;  // a part of the one message expected
    } cases[] = {
        {"nothing loaded", {"", {}, "32", "0.15", imageio::FileMode::Bits16}, "32", "先にビューアで画像を読み込んでください。"},
        {"ROI not a number", {image, {image}, "32", "0.15", imageio::FileMode::Bits16}, "abc", "abc"},
        {"ROI larger than the image", {image, {image}, "32", "0.15", imageio::FileMode::Bits16}, "128",
         "範囲 (0, 0, 64 x 64) には 128 画素の ROI が 1 つも収まりません。"},
    };
    for (const auto& c : cases) {
        source.handOff = c.handOff;
        window.OpenFromViewer();
        window.EditRoi->setText(c.roi);
        dialogs.messages.clear();
        window.ButtonRun->click();
        WaitForRun();
        ASSERT_EQ(dialogs.messages.size(), 1) << c.what;
        EXPECT_TRUE(dialogs.messages[0].contains(QString::fromUtf8(c.message)))
            << c.what << ": " << dialogs.messages[0].toStdString();
        EXPECT_EQ(window.Result(), nullptr) << c.what;
    }
}

// The program's windows as the program makes them, the NPS window on the viewer's shortcut, with a
// flat 16-bit image of the given side loaded in the viewer.
struct ProgramWindows {
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    nps::NpsWindow window{windows.windows.Viewer(), windows.pool};
    QString path;

    explicit ProgramWindows(int side)
    {
        nps::InstallNpsLauncher(windows.windows.Viewer(), window);
        path = folder.WriteWords(QString("flat %1 %1 0p2.raw").arg(side), std::vector<int>(side * side, 100));
        form1.ui.RadioGroupMode->setItemIndex(1);
        dialogs.openAnswers.push_back(path);
        form1.BitBtnLoadClick();
    }
};

TEST(NpsLauncher, ShortcutOpensTheWindowWithTheViewersSettings)
{
    ProgramWindows program(256);
    TForm1& form1 = program.form1;
    nps::NpsWindow& window = program.window;
    const QString& path = program.path;

    auto* shortcut = form1.findChild<QShortcut*>("ShortcutNps");
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->key(), QKeySequence(nps::kNpsShortcut));
    EXPECT_TRUE(form1.ui.Panel3->toolTip().contains(nps::kNpsShortcut));
    emit shortcut->activated();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.EditPixel->text(), form1.ui.EditPxlSpc->text());
    EXPECT_EQ(window.EditRoi->text(), form1.ui.EditROISizeX->text());
    EXPECT_EQ(window.LabelStatus->text(), path);
    EXPECT_GE(window.ComboFiles->itemText(1).size(), 1);
}

} // namespace

TEST(ViewerClose, ClosingTheViewerClosesEveryWindowAndEndsTheProgram)
{
    ProgramWindows program(512);
    TForm1& form1 = program.form1;
    TForm2& form2 = program.form2;
    TForm3& form3 = program.form3;
    nps::NpsWindow& window = program.window;
    form1.show();
    form2.show();
    form3.show();
    window.OpenFromViewer();
    window.EditRoi->setText("16");

    // The run has started and cannot have finished (its end comes back through the event loop)
    // when the viewer's close box is pressed.
    QString statusAtClose;
    bool timedOut = false;
    QTimer::singleShot(0, &form1, [&] {
        window.ButtonRunClick();
        ASSERT_TRUE(window.Running());
        form1.close();
        statusAtClose = window.LabelStatus->text();
    });
    QTimer safetyStop;
    safetyStop.setSingleShot(true);
    QObject::connect(&safetyStop, &QTimer::timeout, [&] {
        timedOut = true;
        QApplication::quit();
    });
    safetyStop.start(10000);
    QApplication::exec();
    EXPECT_FALSE(timedOut);  // the loop ended with the viewer, not by the safety stop
    EXPECT_EQ(statusAtClose, "キャンセル中...");
    for (QWidget* w : {static_cast<QWidget*>(&form2), static_cast<QWidget*>(&form3), static_cast<QWidget*>(&window)})
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    QElapsedTimer t;
    t.start();
    while (window.Running() && t.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(window.Running());
}
