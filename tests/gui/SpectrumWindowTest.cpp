#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <cmath>
#include <functional>

#include "DialogDouble.h"
#include "Errors.h"
#include "NumberText.h"
#include "ResultFreshness.h"
#include "SpectrumMap.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

// The spectrum window on a table filled directly, as the hand-off fills it.
class SpectrumWindow : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    Ui::TForm2& ui = form2.ui;
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;

    void FillTable(int n, const std::function<double(int, int)>& value, const char* spacing = "1")
    {
        grid->SetColCount(n + 1);
        grid->SetRowCount(n + 1);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n; ++c)
                grid->SetCell(c, r, QString::number(value(c - 1, r - 1), 'g', 17));
        form1.ui.EditROISizeX->setText(QString::number(n));
        form1.ui.EditROISizeY->setText(QString::number(n));
        form1.ui.EditPxlSpc->setText(spacing);
    }
};

TEST_F(SpectrumWindow, ConstantTable)
{
    const int n = 8;
    FillTable(n, [](int, int) { return 3; });
    // "Disp" sets the data window to the table's range, a width of 0, and stops drawing there.
    try {
        form2.ButtonDispClick();
        ADD_FAILURE();
    } catch (const common::FloatError& e) {
        EXPECT_STREQ(e.what(), common::kDivideByZeroMessage);
    }
    EXPECT_EQ(ui.EditAve->text(), "3");
    EXPECT_EQ(ui.EditSD->text(), "0");
    EXPECT_EQ(ui.EditImgWW->text(), "0");
    EXPECT_EQ(ui.EditImgWL->text(), "3");
    EXPECT_EQ(form2.GridSelection.Right, 8);
    // Every chart point of the histogram sits at x = 3; the value count is in bin 0.
    const auto points = form3.ChartHist->Values(form3.Series1);
    ASSERT_EQ(points.size(), 35u);
    EXPECT_EQ(points[0], QPointF(3, 64));
    EXPECT_EQ(points[34], QPointF(3, 0));

    ui.CheckBox2DData->setChecked(false);
    form2.Button2DFFTClick();
    form2.ButtonSpctlClick();
    // Power with d = 1: c^2 n^2 at the centre, 0 elsewhere; the window follows the mean c^2.
    EXPECT_EQ((*form2.SpectrumMap)[4][4], 9.0 * 64);
    EXPECT_EQ(form2.SpectrumMean, 9);
    EXPECT_EQ(ui.EditMaxSpctl->text(), "0");
    EXPECT_EQ(ui.EditMinSpctl->text(), "0");
    EXPECT_EQ(ui.EditSpctWW->text(), "18");
    EXPECT_EQ(ui.EditSpctWL->text(), "9");

    // "Log": the centre holds log10(c^2 n^2), every other element -4.
    ui.CheckBoxLog->setChecked(true);
    EXPECT_DOUBLE_EQ((*form2.SpectrumMap)[4][4], std::log10(9.0 * 64));
    EXPECT_EQ((*form2.SpectrumMap)[0][0], -4);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

TEST_F(SpectrumWindow, KindSwitchAndLock)
{
    FillTable(4, [](int x, int y) { return x * 4 + y; });
    form2.ButtonDispClick();
    const double power = (*form2.SpectrumMap)[3][2];
    ui.RadioGroup2dSpctl->setItemIndex(1);  // "ABS" recomputes at once
    EXPECT_DOUBLE_EQ((*form2.SpectrumMap)[3][2], std::sqrt(power));

    ui.CheckBoxLck->setChecked(true);
    ui.EditSpctWW->setText("123");
    ui.EditSpctWL->setText("45");
    ui.RadioGroup2dSpctl->setItemIndex(0);
    EXPECT_EQ(ui.EditSpctWW->text(), "123");  // kept under "Lock"
    EXPECT_EQ(ui.EditSpctWL->text(), "45");
    EXPECT_EQ(ui.EditMaxSpctl->text().toStdString(), common::FloatToStr(form2.SpectrumMax));
    // With "Lock" checked "Disp" keeps the kind too.
    ui.RadioGroup2dSpctl->setItemIndex(2);
    form2.ButtonDispClick();
    EXPECT_EQ(ui.RadioGroup2dSpctl->ItemIndex(), 2);
}

TEST_F(SpectrumWindow, LogStateIsRememberedPerView)
{
    FillTable(4, [](int x, int y) { return 1 + x + y; });
    form2.ButtonDispClick();
    ui.CheckBoxLog->setChecked(true);              // spectrum view: Log on
    ui.Image2DData->mouseUp(Qt::LeftButton, {}, 5, 5);  // a left click on the data picture
    EXPECT_TRUE(ui.CheckBox2DData->isChecked());
    EXPECT_FALSE(ui.CheckBoxLog->isChecked());     // the data view's own state
    ui.ImageSpctl->mouseUp(Qt::LeftButton, {}, 5, 5);
    EXPECT_FALSE(ui.CheckBox2DData->isChecked());
    EXPECT_TRUE(ui.CheckBoxLog->isChecked());
    EXPECT_LT((*form2.SpectrumMap)[0][0], 1);      // the map is logarithmic again
}

TEST_F(SpectrumWindow, RightDragSteps)
{
    FillTable(4, [](int x, int y) { return x + y; });
    form2.ButtonDispClick();
    // Spectrum view, proportional steps on the spectrum picture.
    ui.EditSpctWW->setText("200");
    ui.EditSpctWL->setText("50");
    emit ui.ImageSpctl->mouseDown(Qt::RightButton, {}, 100, 100);
    emit ui.ImageSpctl->mouseMove(Qt::RightButton, {}, 110, 100);
    EXPECT_EQ(ui.EditSpctWW->text(), "220");
    emit ui.ImageSpctl->mouseMove(Qt::RightButton, {}, 110, 110);
    EXPECT_EQ(ui.EditSpctWL->text(), "45");
    emit ui.ImageSpctl->mouseUp(Qt::RightButton, {}, 110, 110);
    EXPECT_EQ(form1.DragButton, "");
    emit ui.ImageSpctl->mouseMove(Qt::NoButton, {}, 200, 200);  // no drag: nothing changes
    EXPECT_EQ(ui.EditSpctWW->text(), "220");

    // Integer steps on the data picture act on the current view's window (the data view here).
    ui.CheckBox2DData->setChecked(true);
    ui.EditImgWW->setText("10");
    ui.EditImgWL->setText("3");
    emit ui.Image2DData->mouseDown(Qt::RightButton, {}, 0, 0);
    emit ui.Image2DData->mouseMove(Qt::RightButton, {}, 5, -2);
    EXPECT_EQ(ui.EditImgWW->text(), "15");
    EXPECT_EQ(ui.EditImgWL->text(), "5");
    emit ui.Image2DData->mouseMove(Qt::RightButton, {}, -20, -2);  // width would reach -10: kept
    EXPECT_EQ(ui.EditImgWW->text(), "15");
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

TEST_F(SpectrumWindow, PicturesStretchTheWorkBitmap)
{
    FillTable(64, [](int x, int y) { return (x * 7 + y * 13) % 256; });
    ui.CheckBox2DData->setChecked(true);
    form2.MatrixSize = 64;
    ui.EditImgWW->setText("256");
    ui.EditImgWL->setText("128");
    form2.DrawCurrentView();
    const common::GreyBitmap& shown = ui.Image2DData->Bitmap();
    ASSERT_EQ(shown.Width(), 256);
    // 4 x 4 blocks; value v maps to v (level 128, width 256).
    EXPECT_EQ(shown.At(4 * 10 + 3, 4 * 20 + 1), (10 * 7 + 20 * 13) % 256);
    ui.EditImgWW->setText("0");
    EXPECT_THROW(form2.DrawCurrentView(), common::FloatError);
}

TEST_F(SpectrumWindow, ProfileAndItsChart)
{
    FillTable(64, [](int x, int y) { return std::cos(x * 0.7) + std::sin(y * 0.3) + 2; });
    form2.ButtonDispClick();
    ui.UpDownDeg->Step(false);  // at 0 already: plots 0 degrees
    EXPECT_EQ(ui.EditDeg->text(), "0");
    EXPECT_EQ(form2.SpectrumProfileCount, 64);
    EXPECT_EQ(form2.ProfileLineDX, 124);
    EXPECT_EQ(form2.ProfileLineDY, 0);
    EXPECT_EQ(form2.ProfileText.count("\r\n"), 64);
    QGuiApplication::clipboard()->clear();
    ui.ButtonChrtVl->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), form2.ProfileText);

    // The mark: the centre row of the spectrum picture inverted from 129 to 252.
    const common::GreyBitmap marked = ui.ImageSpctl->Bitmap();
    form2.DrawCurrentView();
    const common::GreyBitmap fresh = ui.ImageSpctl->Bitmap();
    EXPECT_EQ(marked.At(200, 128), 255 - fresh.At(200, 128));
    EXPECT_EQ(marked.At(200, 127), fresh.At(200, 127));

    ui.UpDownDeg->Step(true);
    ui.UpDownDeg->Step(true);
    ui.UpDownDeg->Step(true);
    EXPECT_EQ(ui.EditDeg->text(), "45");
    EXPECT_EQ(form2.SpectrumProfileCount, 90);

    // With "Log" the chart shows 10^v on a logarithmic axis; the profile itself stays as it is.
    {
        const QSignalBlocker quiet(ui.CheckBoxLog);
        ui.CheckBoxLog->setChecked(true);
    }
    spectrum::TakeLogarithm(*form2.SpectrumMap, 64);
    ui.UpDownDeg->Step(true);
    EXPECT_TRUE(ui.Chart1->LeftLogarithmic());
    const auto values = ui.Chart1->Values(qobject_cast<QLineSeries*>(ui.Chart1->chart()->series().value(0)));
    ASSERT_EQ(values.size(), static_cast<std::size_t>(form2.SpectrumProfileCount));
    for (int k = 0; k < form2.SpectrumProfileCount; ++k) {
        const double v = form2.SpectrumProfile[k];
        ASSERT_DOUBLE_EQ(values[k].y(), std::pow(10.0, v < 0 ? 0.0001 : v)) << k;
    }
    ui.ButtonRst->click();
    EXPECT_EQ(form2.ProfileLineDX, 0);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
}

TEST_F(SpectrumWindow, ANewMapTakesThePreviousProfileAwayAndValueSaysWhy)
{
    const auto chartPoints = [&] {
        return ui.Chart1->Values(qobject_cast<QLineSeries*>(ui.Chart1->chart()->series().value(0))).size();
    };
    const auto valueRefusal = [&]() -> std::string {
        try {
            form2.ButtonChrtVlClick();
        } catch (const common::InputError& e) {
            return e.what();
        }
        return "(copied)";
    };
    FillTable(8, [](int x, int y) { return x + 10 * y; });
    form2.ButtonDispClick();
    EXPECT_EQ(valueRefusal(), spectrum::kProfileNotDrawnMessage);  // no profile drawn at all yet
    ui.UpDownDeg->Step(true);
    ASSERT_EQ(chartPoints(), 8u);
    ASSERT_EQ(valueRefusal(), "(copied)");

    // The next ROI's map: neither the chart nor "Value" shows the profile of the ROI before.
    FillTable(8, [](int x, int y) { return 3 * x - y; });
    form2.ButtonDispClick();
    EXPECT_EQ(chartPoints(), 0u);
    EXPECT_EQ(form2.ProfileText, "");
    EXPECT_EQ(valueRefusal(), spectrum::kProfileNotDrawnMessage);
    ui.UpDownDeg->Step(true);
    EXPECT_EQ(chartPoints(), 8u);
    EXPECT_EQ(valueRefusal(), "(copied)");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), form2.ProfileText);
}

TEST_F(SpectrumWindow, RefusalsAndConversionErrors)
{
    FillTable(8, [](int x, int) { return x; });
    form2.ButtonDispClick();
    const double before = (*form2.SpectrumRe)[0][0];
    for (const char* size : {"100", "2048", "0"}) {
        form1.ui.EditROISizeX->setText(size);
        try {
            form2.Button2DFFTClick();
            ADD_FAILURE() << size;
        } catch (const common::InputError& e) {
            EXPECT_NE(std::string(e.what()).find("512 or 1024"), std::string::npos);
        }
        EXPECT_EQ((*form2.SpectrumRe)[0][0], before);
        EXPECT_EQ(form2.MatrixSize, 8);
        EXPECT_EQ(grid->ColCount(), 9);
    }
    form1.ui.EditROISizeX->setText("8");

    // Bin counts the histogram cannot hold: refused after the statistics, before the chart.
    const auto chartBefore = form3.ChartHist->Values(form3.Series1);
    for (const char* bins : {"0", "98", "-1"}) {
        form3.EditNdHist->setText(bins);
        ui.EditAve->setText("");
        EXPECT_THROW(form2.ButtonAveSDClick(), common::InputError) << bins;
        EXPECT_EQ(ui.EditAve->text(), "3.5");
        EXPECT_EQ(form3.ChartHist->Values(form3.Series1), chartBefore);
    }
    form3.EditNdHist->setText("32");

    // A bad cell stops the transform after the rows before it.
    grid->SetCell(2, 3, "x");
    try {
        form2.Button2DFFTClick();
        ADD_FAILURE();
    } catch (const common::ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), common::NotRealMessage("x").Plain());
    }
    EXPECT_EQ((*form2.SpectrumRe)[0][0], 28);  // row 0 transformed: 0 + 1 + ... + 7
    form1.ui.EditPxlSpc->setText("0");
    grid->SetCell(2, 3, "1");
    EXPECT_THROW(form2.ButtonSpctlClick(), common::InputError);  // a spacing of 0 is refused
}

TEST_F(SpectrumWindow, SpacingAtOrBelowZeroIsRefusedWhereverItMakesUnits)
{
    FillTable(8, [](int x, int y) { return x + 10 * y; });
    form2.ButtonDispClick();
    ASSERT_EQ(ui.Labelmm->text(), "8(mm)");
    const QString mapCell = QString::number((*form2.SpectrumMap)[3][5], 'g', 17);
    for (const char* spacing : {"0", "-1", "-0.5"}) {
        form1.ui.EditPxlSpc->setText(spacing);
        const struct {
            const char* what;
            std::function<void()> press;
        } steps[] = {
            {"the size labels", [&] { form2.ButtonParaClick(); }},
            {"Spectl", [&] { form2.ButtonSpctlClick(); }},
            {"the profile", [&] { form2.UpDownDegChanging(); }},
        };
        for (const auto& step : steps) {
            try {
                step.press();
                ADD_FAILURE() << spacing << ", " << step.what;
            } catch (const common::InputError& e) {
                EXPECT_NE(std::string(e.what()).find("must be above 0 mm; it is " + std::string(spacing)), std::string::npos)
                    << e.what();
            }
        }
        // No negative size or frequency and no map of another scale was shown.
        EXPECT_EQ(ui.Labelmm->text(), "8(mm)") << spacing;
        EXPECT_EQ(ui.LabelFrq->text(), "0.5(cycles/mm)") << spacing;
        EXPECT_EQ(QString::number((*form2.SpectrumMap)[3][5], 'g', 17), mapCell) << spacing;
    }
}

} // namespace
