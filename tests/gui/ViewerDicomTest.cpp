#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "DialogDouble.h"
#include "DicomBytes.h"
#include "Errors.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "TestWindows.h"

namespace {

class ViewerDicom : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form = windows.form1;
    Ui::TForm1& ui = form.ui;

    static QString Sample(const char* name) { return QStringLiteral(SAMPLES_DIR "/") + name; }

    void Load(const QString& path)
    {
        dialogs.openAnswers.push_back(path);
        form.BitBtnLoadClick();
    }
    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = ui.StringGridDICOM->item(row, column);
        return item ? item->text() : QString();
    }
    // The grid row that lists (group, element), or -1.
    int RowOf(const QString& group, const QString& element) const
    {
        for (int r = 1; r < ui.StringGridDICOM->rowCount(); ++r)
            if (Cell(r, 1) == group && Cell(r, 2) == element)
                return r;
        return -1;
    }
};

TEST_F(ViewerDicom, TagTableIsLoadedAtStartUp)
{
    const QStringList lines = ui.Memo_DICOMTag->toPlainText().split('\n');
    ASSERT_GT(lines.size(), 1900);
    EXPECT_EQ(lines.first(), "0002\t0000\tFileMetaInformationGroupLength\tN");
    EXPECT_EQ(lines.last().toStdString(), "0045\t101B\tPhanto");
    EXPECT_TRUE(lines.contains("1 = Signed\t\t\t"));
}

TEST_F(ViewerDicom, CtSampleFillsParametersGridAndSummary)
{
    // Written by dcmtk, not by this program.
    const QString path = Sample("ct-phantom.dcm");
    Load(path);
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_EQ(form.ImageWidth, 256);
    EXPECT_EQ(form.ImageHeight, 256);
    EXPECT_EQ(ui.EditHeader->text().toLongLong(), QFileInfo(path).size() - 256 * 256 * 2);
    EXPECT_EQ(ui.EditOffst->text(), "-1024");
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.5");
    EXPECT_EQ(ui.EditFOVSize->text(), "128");
    EXPECT_FALSE(ui.CheckBoxSwp->isChecked());

    EXPECT_EQ(Cell(0, 6), "Value");
    EXPECT_EQ(Cell(1, 1), "0002");
    EXPECT_EQ(Cell(1, 2), "0002");
    const int rows = RowOf("0028", "0010");
    ASSERT_GT(rows, 0);
    EXPECT_EQ(Cell(rows, 0), QString("%1").arg(rows, 3));
    EXPECT_EQ(Cell(rows, 3), "US");
    EXPECT_EQ(Cell(rows, 4), "0002");
    EXPECT_EQ(Cell(rows, 5), "Rows");
    EXPECT_EQ(Cell(rows, 6), "256");
    const int pixels = RowOf("7FE0", "0010");
    ASSERT_GT(pixels, 0);
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), pixels + 1);  // the pixel data closes the listing

    // Summary values are shown as stored, with dcmtk's padding blank.
    EXPECT_EQ(ui.Memo1->toPlainText().toStdString(), "Phantom CT 1\nmmST : 5 \nkV : 120 \nmmFOV : 128 \nmAs : 200 \n"
                                                     "RF : STANDARD\nDspMtrx : 256\nmmPSize : 0.5\\0.5 ");
}

TEST_F(ViewerDicom, ImplicitAndBigEndianSamplesShowTheSamePicture)
{
    Load(Sample("ct-phantom.dcm"));
    const common::GreyBitmap reference = form.DisplayBitmap();

    Load(Sample("ct-phantom-implicit.dcm"));
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    const int rows = RowOf("0028", "0010");
    ASSERT_GT(rows, 0);
    EXPECT_EQ(Cell(rows, 3), "");
    EXPECT_EQ(Cell(rows, 6), "256");
    EXPECT_EQ(Cell(RowOf("0002", "0010"), 3), "UI");  // the meta group stays explicit
    EXPECT_EQ(form.DisplayBitmap(), reference);

    int swapHandlerRuns = 0;
    QObject::connect(ui.CheckBoxSwp, &QCheckBox::toggled, [&] { ++swapHandlerRuns; });
    Load(Sample("ct-phantom-bigendian.dcm"));
    EXPECT_TRUE(ui.CheckBoxSwp->isChecked());
    EXPECT_EQ(swapHandlerRuns, 0);  // the header sets the state without running the redraw
    EXPECT_EQ(form.DisplayBitmap(), reference);

    Load(Sample("ct-phantom.dcm"));  // little endian unchecks it again
    EXPECT_FALSE(ui.CheckBoxSwp->isChecked());
}

TEST_F(ViewerDicom, ConversionErrorKeepsTheRowsListedSoFar)
{
    dicomtest::DicomBytes f;
    f.Meta(dicomtest::kExplicitLittle);
    f.Explicit(0x0008, 0x0060, "CS", "CT").ExplicitUS(0x0028, 0x0010, 64);
    f.Explicit(0x0028, 0x1052, "DS", "low ");
    f.PixelData(true, std::vector<std::uint8_t>(64 * 64 * 2, 0));
    const QString path = folder.Write("bad.dcm", QByteArray(reinterpret_cast<const char*>(f.bytes.data()),
                                                            static_cast<qsizetype>(f.Size())));
    Load(Sample("ct-phantom.dcm"));
    const int listed = ui.StringGridDICOM->rowCount();
    const QString memo = ui.Memo1->toPlainText();
    const QString header = ui.EditHeader->text();
    try {
        Load(path);
        ADD_FAILURE() << "no error";
    } catch (const common::ConversionError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "'low' は浮動小数点数ではありません");
    }
    // The refused file leaves the listing, the summary and the edits of the image on show.
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), listed);
    EXPECT_EQ(Cell(RowOf("0028", "0010"), 6), "256");
    EXPECT_EQ(ui.EditImgSizeY->text(), "256");
    EXPECT_EQ(ui.EditHeader->text(), header);
    EXPECT_EQ(ui.EditOffst->text(), "-1024");
    EXPECT_EQ(ui.Memo1->toPlainText(), memo);
    EXPECT_EQ(ui.EditFileName->text(), Sample("ct-phantom.dcm"));
    EXPECT_EQ(form.LoadState, 1);
}

TEST_F(ViewerDicom, ListingPastItsLimitEndsWithTheCountLeftOut)
{
    // Meta (2 rows), sizes and spacing (3), the elements, the pixel data (1): six past the limit.
    const dicomtest::DicomBytes f = dicomtest::ManyElementsFile(imageio::kDicomListedRows);
    Load(folder.Write("many.dcm", QByteArray(reinterpret_cast<const char*>(f.bytes.data()), static_cast<qsizetype>(f.Size()))));
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    const int last = static_cast<int>(imageio::kDicomListedRows) + 1;
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), last + 1);
    EXPECT_EQ(Cell(last - 1, 1), "0009");
    EXPECT_EQ(Cell(last, 5), QStringLiteral("ほか 6 個のエレメントは省略しました"));
    EXPECT_EQ(Cell(last, 1), "");
    EXPECT_EQ(form.ImageWidth, 64);
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.5");
}

TEST_F(ViewerDicom, FileWithoutPixelDataAsksForTheSizeAndListsNothing)
{
    Load(Sample("ct-phantom.dcm"));
    const QString path = folder.Write("plain.dcm", QByteArray(8192, 'a'));
    dialogs.inputAnswers = {QString("64 64"), QString("0.5")};
    Load(path);
    EXPECT_EQ(dialogs.prompts.size(), 2);
    EXPECT_EQ(ui.EditHeader->text(), "0");  // the size answer sets it
    EXPECT_EQ(ui.EditOffst->text(), "0");
    // The phantom's listing and summary went with the phantom.
    EXPECT_EQ(RowOf("0028", "0010"), -1);
    EXPECT_EQ(Cell(0, 6), "Value");
    EXPECT_EQ(ui.Memo1->toPlainText(), "");
    EXPECT_EQ(form.ImageWidth, 64);
}

TEST_F(ViewerDicom, RawFileAfterDicomStartsFromTheDefaultsTheHeaderChanged)
{
    // The raw phantom holds the phantom's CT values as signed words, spacing 0.5 in its name.
    const QString raw = Sample("phantom 256 256 0p5.raw");
    QFile file(raw);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto word = [&](int i) { return static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) | static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8); };
    for (const char* dicom : {"ct-phantom.dcm", "ct-phantom-bigendian.dcm"}) {
        ui.RadioGroupMode->setItemIndex(2);
        Load(Sample(dicom));
        ASSERT_NE(ui.EditHeader->text(), "0") << dicom;
        ASSERT_EQ(ui.EditOffst->text(), "-1024") << dicom;
        ui.RadioGroupMode->setItemIndex(1);
        Load(raw);
        EXPECT_TRUE(dialogs.informations.isEmpty()) << dicom;  // no "file too small" from another file's header
        EXPECT_EQ(ui.EditHeader->text(), "0") << dicom;
        EXPECT_EQ(ui.EditOffst->text(), "0") << dicom;
        EXPECT_EQ(ui.EditFOVSize->text(), "0") << dicom;
        EXPECT_FALSE(ui.CheckBoxSwp->isChecked()) << dicom;
        EXPECT_EQ(RowOf("0028", "0010"), -1) << dicom;
        EXPECT_EQ(ui.Memo1->toPlainText(), "") << dicom;
        // Every value is the word stored: the ROI's first sample goes to the table as it is.
        ui.EditROIPosX->setText("100");
        ui.EditROIPosY->setText("100");
        ui.EditROISizeX->setText("1");
        ui.EditROISizeY->setText("1");
        form.ButtonStatClick();
        EXPECT_EQ(ui.EditAve->text(), QString::number(word(100 * 256 + 100))) << dicom;
    }
}

TEST_F(ViewerDicom, WhatTheUserChangedAfterTheHeaderStaysForTheNextFile)
{
    Load(Sample("ct-phantom.dcm"));
    ui.EditOffst->setText("-1000");
    ui.EditHeader->setText("16");
    ui.CheckBoxSwp->setChecked(true);  // the header had unchecked it
    const QString header = ui.EditFOVSize->text();
    ui.RadioGroupMode->setItemIndex(1);
    Load(folder.WriteWords("small 4 4 1p0.raw", std::vector<int>(24, 7)));
    EXPECT_EQ(ui.EditOffst->text(), "-1000");
    EXPECT_EQ(ui.EditHeader->text(), "16");
    EXPECT_TRUE(ui.CheckBoxSwp->isChecked());
    EXPECT_EQ(ui.EditFOVSize->text(), "0");  // left as the header set it: reset
    EXPECT_NE(header, "0");
}

} // namespace
