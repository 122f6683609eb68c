#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "DialogDouble.h"
#include "Errors.h"
#include "LineChart.h"
#include "TextGrid.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

class SpectrumTable : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    Ui::TForm2& ui = form2.ui;
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;

    void Fill(int w, int h)
    {
        grid->SetColCount(w + 1);
        grid->SetRowCount(h + 1);
        for (int r = 1; r <= h; ++r)
            for (int c = 1; c <= w; ++c)
                grid->SetCell(c, r, QString("%1%2").arg(QChar('a' + c - 1)).arg(r));
    }
    static QString Clipboard() { return QGuiApplication::clipboard()->text(); }
};

TEST_F(SpectrumTable, StartsEmptyWithItsDefaults)
{
    EXPECT_EQ(form2.windowTitle(), "Form2");
    EXPECT_EQ(grid->ColCount(), 257);
    EXPECT_EQ(grid->RowCount(), 257);
    EXPECT_EQ(grid->Cell(5, 5), "");
    EXPECT_EQ(ui.PageControl1->tabText(0), "2D-RawData");
    EXPECT_EQ(ui.PageControl1->tabText(1), "2D-Spectl");
    EXPECT_EQ(ui.EditFXSize->text(), "FXSize");
    EXPECT_EQ(ui.EditSpctWW->text(), "256");
    EXPECT_EQ(ui.RadioGroup2dSpctl->Items(), (QStringList{"Power", "ABS", "Real", "Imag"}));
    EXPECT_EQ(ui.RadioGroupWNDc->ItemIndex(), 2);
    EXPECT_EQ(ui.UpDownDeg->Maximum(), 180);
    EXPECT_EQ(ui.UpDownDeg->Increment(), 15);
    EXPECT_EQ(ui.Image2DData->geometry(), QRect(4, 9, 256, 256));
    EXPECT_EQ(ui.ImageSpctl->geometry(), QRect(264, 9, 256, 256));
    EXPECT_TRUE(ui.Chart1->LeftLogarithmic());
}

TEST_F(SpectrumTable, AllSelectedAndTransposed)
{
    Fill(3, 2);
    ui.ButtonSelected->click();  // before any select-all: the corner cell alone
    EXPECT_EQ(Clipboard(), "\r\n");
    ui.ButtonAll->click();
    EXPECT_EQ(Clipboard(), "a1\tb1\tc1\r\na2\tb2\tc2\r\n");
    ui.ButtonSelected->click();
    EXPECT_EQ(Clipboard(), "a1\tb1\tc1\r\na2\tb2\tc2\r\n");
    ui.CheckBoxSwapRC->setChecked(true);
    ui.ButtonAll->click();
    EXPECT_EQ(Clipboard(), "a1\ta2\r\nb1\tb2\r\nc1\tc2\r\n");
    EXPECT_EQ(grid->SelectedRange(), QRect(QPoint(1, 1), QPoint(3, 2)));
}

TEST_F(SpectrumTable, SizeEditsResizeAsTheyAreTyped)
{
    Fill(3, 2);
    ui.EditFXSize->clear();
    QTest::keyClicks(ui.EditFXSize, "6");
    EXPECT_EQ(grid->ColCount(), 7);
    QTest::keyClicks(ui.EditFXSize, "4");
    EXPECT_EQ(grid->ColCount(), 65);
    EXPECT_EQ(grid->Cell(2, 1), "b1");  // cells inside stay
    ui.EditFYSize->setText("5000");      // too many: refused with a message
    ASSERT_EQ(dialogs.messages.size(), 2);  // the clear() above met "" first
    EXPECT_TRUE(dialogs.messages[1].contains("1024"));
    EXPECT_EQ(grid->RowCount(), 3);
}

TEST_F(SpectrumTable, ZeroPatternAndMirror)
{
    // "=0" with N = 256 and 4, 2, 3.
    grid->SetColCount(257);
    for (int r = 1; r <= 256; ++r)
        grid->SetCell(1, r, "9");
    form2.MatrixSize = 256;
    ui.EditN1->setText("4");
    ui.EditN2->setText("2");
    ui.EditN3->setText("3");
    ui.Button1->click();
    auto zeroed = [&](int r) { return grid->Cell(1, r) == "0"; };
    const int kept[] = {128, 127, 124, 123, 120, 119};
    const int cleared[] = {126, 125, 122, 121, 118, 117, 116, 1, 129, 256};
    for (int r : kept)
        EXPECT_FALSE(zeroed(r)) << r;
    for (int r : cleared)
        EXPECT_TRUE(zeroed(r)) << r;
    ASSERT_TRUE(dialogs.messages.isEmpty());

    // With N = 1024 the rows past the grid (129 + 512 > 257) are skipped, not written.
    form2.MatrixSize = 1024;
    ui.Button1->click();
    EXPECT_EQ(grid->RowCount(), 257);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // "Button2", N = 4: rows 2 and 4 exchanged point-mirrored.
    Fill(4, 4);
    form2.MatrixSize = 4;
    ui.Button2->click();
    EXPECT_EQ(grid->Cell(1, 2), "d4");
    EXPECT_EQ(grid->Cell(4, 4), "a2");
    EXPECT_EQ(grid->Cell(1, 1), "a1");
}

TEST_F(SpectrumTable, DeleteLineAndEditing)
{
    Fill(4, 6);
    form2.MatrixSize = 4;
    ui.CheckBoxDlt->setChecked(true);
    const QRect cell = grid->visualRect(grid->model()->index(5, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(grid->Cell(c, 5), "0");
    EXPECT_EQ(grid->Cell(1, 4), "a4");

    EXPECT_FALSE(grid->EditMode());
    ui.CheckBoxEdit->setChecked(true);
    EXPECT_TRUE(grid->EditMode());
    EXPECT_TRUE(grid->tabKeyNavigation());
    ui.CheckBoxEdit->setChecked(false);  // unchecking changes nothing
    EXPECT_TRUE(grid->EditMode());
    // An edit is seen at once by the computations, its text kept as typed.
    grid->model()->setData(grid->model()->index(1, 1), "1.50");
    EXPECT_EQ(grid->Cell(1, 1), "1.50");
    EXPECT_EQ(grid->CellValue(1, 1), 1.5);
}

TEST(TextGrid, HoldsTheLargestTableAndGuardsItsEdges)
{
    toolkit::TextGrid grid;
    grid.SetColCount(1025);
    grid.SetRowCount(1025);
    for (int r = 0; r < 1025; ++r)
        for (int c = 0; c < 1025; ++c)
            grid.SetCellInt(c, r, r - c);
    EXPECT_EQ(grid.Cell(1024, 1024), "0");
    EXPECT_EQ(grid.Cell(3, 1000), "997");
    EXPECT_EQ(grid.CellValue(1000, 3), -997);
    grid.SetCell(1025, 3, "x");  // outside: skipped
    grid.SetCell(-1, 3, "x");
    EXPECT_EQ(grid.Cell(1025, 3), "");
    EXPECT_THROW(grid.CellValue(1025, 3), common::ConversionError);
    EXPECT_THROW(grid.SetColCount(1026), common::InputError);
    EXPECT_THROW(grid.SetRowCount(0), common::InputError);
    EXPECT_EQ(grid.ColCount(), 1025);
    // Texts that are not their number's own form stay texts; conversion errors quote them.
    const struct {
        const char* text;
        const char* error;
    } cells[] = {{"-0", nullptr}, {" 5", nullptr}, {"1E3", nullptr}, {"abc", "abc"}, {"", ""}};
    for (const auto& k : cells) {
        grid.SetCell(2, 2, k.text);
        EXPECT_EQ(grid.Cell(2, 2), k.text);
        if (k.error) {
            try {
                grid.CellValue(2, 2);
                ADD_FAILURE() << k.text;
            } catch (const common::ConversionError& e) {
                EXPECT_EQ(std::string(e.what()), common::NotRealMessage(k.error).Plain());
            }
        }
    }
    grid.SetColCount(3);  // shrinking keeps the overlap
    EXPECT_EQ(grid.Cell(1, 1000), "999");
}

TEST(LineChart, LogAxisRaisesOnlyThePlottedValues)
{
    toolkit::LineChart chart;
    QLineSeries* s = chart.AddSeries("Series1", Qt::red);
    chart.SetPoints(s, {{0, 0}, {1, -3}, {2, 5}});
    EXPECT_EQ(s->at(1).y(), -3);  // linear: as given
    chart.SetLeftLogarithmic(true);
    EXPECT_EQ(s->at(0).y(), toolkit::LineChart::kLogFloor);
    EXPECT_EQ(s->at(1).y(), toolkit::LineChart::kLogFloor);
    EXPECT_EQ(s->at(2).y(), 5);
    EXPECT_EQ(chart.Values(s)[1].y(), -3);
    EXPECT_EQ(s->objectName(), "Series1");
    EXPECT_EQ(s->color(), QColor(Qt::red));
}

} // namespace
