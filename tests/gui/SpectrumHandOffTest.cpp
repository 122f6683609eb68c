#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include "DialogDouble.h"
#include "Errors.h"
#include "RoiBlock.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

// The three windows, an image loaded into the viewer and a ROI placed from the edits.
class SpectrumHandOff : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;

    // A 16-bit image of w x h pixels named after the convention (spacing 0.5 mm).
    void Load16(int w, int h, const std::function<int(int, int)>& value)
    {
        std::vector<int> v;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                v.push_back(value(c, r));
        form1.ui.RadioGroupMode->setItemIndex(1);
        const QString name = QString("img %1 %2 0p5.raw").arg(w).arg(h);
        dialogs.openAnswers.push_back(folder.WriteWords(name, v));
        form1.BitBtnLoadClick();
    }

    void PlaceRoi(int x, int y, int size, int sizeY = -1)
    {
        form1.ui.EditROIPosX->setText(QString::number(x));
        form1.ui.EditROIPosY->setText(QString::number(y));
        form1.ui.EditROISizeX->setText(QString::number(size));
        form1.ui.EditROISizeY->setText(QString::number(sizeY < 0 ? size : sizeY));
        form1.RenderView();
    }

    // Lets queued and posted events run for a while.
    static void Settle(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    // "toFilter" pressed as the user does, then the events until the spectrum window minimised.
    void PressToFilter()
    {
        form1.ui.ButtonToTable->click();
        QElapsedTimer t;
        t.start();
        while (!form2.isMinimized() && t.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

TEST_F(SpectrumHandOff, TableLayoutAndOneActivation)
{
    Load16(512, 512, [](int c, int r) { return c + 2 * r; });
    PlaceRoi(64, 64, 64);
    PressToFilter();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();

    EXPECT_EQ(grid->ColCount(), 65);
    EXPECT_EQ(grid->RowCount(), 65);
    EXPECT_EQ(grid->Cell(0, 0), "");
    EXPECT_EQ(grid->Cell(1, 0), "32");
    EXPECT_EQ(grid->Cell(64, 0), "95");
    EXPECT_EQ(grid->Cell(0, 1), "32");
    EXPECT_EQ(grid->Cell(0, 64), "95");
    EXPECT_EQ(grid->Cell(1, 1), "96");     // column 32 + 2 * row 32
    EXPECT_EQ(grid->Cell(64, 64), "285");  // 95 + 190
    EXPECT_EQ(form3.EditFileName->text(), form1.ui.EditFileName->text());
    EXPECT_EQ(form3.EditNAct->text(), "2");  // reset by "toFilter", then two new-image runs

    // The activation ran the whole chain once and ended minimised, with the filter window up.
    EXPECT_TRUE(form2.isMinimized());
    EXPECT_TRUE(form3.isVisible());
    EXPECT_EQ(form2.MatrixSize, 64);
    EXPECT_EQ(form2.ui.EditMaxRaw->text(), "285");
    EXPECT_EQ(form2.ui.EditMinRaw->text(), "96");
    EXPECT_EQ(form2.ui.Labelmm->text(), "32(mm)");
    EXPECT_EQ(form2.ui.LabelFrq->text(), "1(cycles/mm)");
    EXPECT_FALSE(form2.ui.CheckBox2DData->isChecked());
    EXPECT_EQ(form2.ui.ImageSpctl->Bitmap().Width(), 256);
    EXPECT_EQ(form3.Series1->count(), 35);  // 32 bins + 3
    // The constant term of the transform is the sum of the table.
    double sum = 0;
    for (int r = 1; r <= 64; ++r)
        for (int c = 1; c <= 64; ++c)
            sum += grid->CellValue(c, r);
    EXPECT_EQ((*form2.SpectrumRe)[0][0], sum);

    // Nothing starts it again: neither the filter window being shown nor later events.
    form2.ui.EditAve->setText("untouched");
    Settle(300);
    EXPECT_EQ(form2.ui.EditAve->text(), "untouched");

    // The user bringing the window back, by restoring it or with the viewer's "Form2", sees it
    // as it is: the sequence does not run again, and the window stays up.
    form2.setWindowState(Qt::WindowNoState);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form2, &activate);
    form1.ButtonToForm2Click();
    Settle(300);
    QApplication::sendEvent(&form2, &activate);
    EXPECT_EQ(form2.ui.EditAve->text(), "untouched");
    EXPECT_FALSE(form2.isMinimized());

    // The next "toFilter" runs it once more.
    PressToFilter();
    EXPECT_NE(form2.ui.EditAve->text(), "untouched");
    EXPECT_TRUE(form2.isMinimized());
}

TEST_F(SpectrumHandOff, SampleValuesWithSwapAndOffset)
{
    const struct {
        int mode;
        bool swap;
        const char* offset;
        const char* cell;
    } cases[] = {
        {1, false, "-1024", "0"},       // 0x0400 is 1024
        {1, true, "-1024", "-1020"},    // swapped: 0x0004
        {1, false, "32767", "33791"},   // 1024 + 32767: the value drawn, not wrapped to 16 bits
        {0, false, "0", "0"},           // " 8bit": the byte 0x00 of the low half
        {0, true, "5", "5"},            // the byte 0x00 swapped is still 0
    };
    Load16(8, 8, [](int, int) { return 0x0400; });
    for (const auto& k : cases) {
        form1.ui.RadioGroupMode->setItemIndex(k.mode);
        form1.ui.CheckBoxSwp->setChecked(k.swap);
        form1.ui.EditOffst->setText(k.offset);
        PlaceRoi(4, 4, 4);
        form1.ButtonToTableClick();
        EXPECT_EQ(grid->Cell(1, 1), k.cell) << k.mode << k.swap << k.offset;
        EXPECT_EQ(grid->ColCount(), 5);
    }
}

TEST_F(SpectrumHandOff, EightBitModeFillsTheEightBitSamples)
{
    // Bytes 200, 4 as the first two pixels of an 8-bit image: the pixel rule's 8-bit values.
    QByteArray bytes(64, '\0');
    bytes[0] = char(200);
    bytes[1] = char(4);
    form1.ui.RadioGroupMode->setItemIndex(0);
    dialogs.openAnswers.push_back(folder.Write("b 8 8 1p0.raw", bytes));
    form1.BitBtnLoadClick();
    PlaceRoi(2, 2, 4);  // block from column 0, row 0
    form1.ButtonToTableClick();
    EXPECT_EQ(grid->Cell(1, 1), "200");
    EXPECT_EQ(grid->Cell(2, 1), "4");
    form1.ui.CheckBoxSwp->setChecked(true);
    form1.ButtonToTableClick();
    EXPECT_EQ(grid->Cell(1, 1), "-14336");  // 200 * 256 read as signed 16 bits
}

TEST_F(SpectrumHandOff, RefusedRoisLeaveTheTableAlone)
{
    Load16(64, 64, [](int, int) { return 7; });
    grid->SetCell(1, 1, "kept");
    const struct {
        int x, y, size, sizeY;
        const char* says;
    } cases[] = {
        {32, 32, 48, 48, "square ROI of 2, 4, 8, 16, 32, 64, 128, 256, 512 or 1024 pixels per side; the ROI is 48 x 48."},
        // Refused at once, not later by a step that trips over an empty edit or a zero divisor.
        {32, 32, 32, 16, "the ROI is 32 x 16."},
        {32, 32, 1, 1, "the ROI is 1 x 1."},
        {60, 60, 16, 16, imageio::kRoiOutsideImageMessage},
        {32, 32, 0, 0, viewer::kRoiEmptyMessage},
    };
    for (const auto& k : cases) {
        PlaceRoi(k.x, k.y, k.size, k.sizeY);
        try {
            form1.ButtonToTableClick();
            ADD_FAILURE() << k.size;
        } catch (const common::InputError& e) {
            EXPECT_NE(std::string(e.what()).find(k.says), std::string::npos) << e.what();
        }
        EXPECT_EQ(grid->Cell(1, 1), "kept");
        EXPECT_EQ(grid->ColCount(), 257);
        EXPECT_FALSE(form2.isVisible());
    }
}

TEST_F(SpectrumHandOff, TheSmallestAcceptedRoiGoesAllTheWayThrough)
{
    Load16(16, 16, [](int c, int r) { return 10 * c + r * r; });
    PlaceRoi(8, 8, 2);
    PressToFilter();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(form3.ui.EditNAct->text(), "2");
    EXPECT_EQ(form3.FilterMatrixSize, 2);
}

TEST_F(SpectrumHandOff, OtherButtonsOnlyShowTheWindows)
{
    form1.ui.ButtonToForm3->click();
    EXPECT_TRUE(form3.isVisible());
    EXPECT_FALSE(form2.isVisible());
    // "Form2" only shows the spectrum window: without a hand-off nothing is computed (an empty
    // table would otherwise stop the chain at its first cell with an error box).
    form1.ui.EditPxlSpc->setText("1");
    form1.ui.ButtonToForm2->click();
    Settle(200);
    EXPECT_TRUE(form2.isVisible());
    EXPECT_FALSE(form2.isMinimized());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
