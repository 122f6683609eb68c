#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "DialogDouble.h"
#include "DicomBytes.h"
#include "Errors.h"
#include "TempFolder.h"
#include "Unit1.h"

namespace {

class ViewerDicom : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TForm1 form;
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
    ui.Memo1->setPlainText("before");
    try {
        Load(path);
        ADD_FAILURE() << "no error";
    } catch (const common::ConversionError& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "'low' は浮動小数点数ではありません");
    }
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), 1024);
    EXPECT_EQ(Cell(3, 6), "CT");
    EXPECT_EQ(Cell(4, 5), "Rows");
    EXPECT_EQ(Cell(5, 1), "0028");  // the element that failed
    EXPECT_EQ(ui.EditImgSizeY->text(), "64");  // Rows: the height
    EXPECT_EQ(ui.Memo1->toPlainText(), "DspMtrx : 64");
    EXPECT_EQ(form.LoadState, 0);
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
    EXPECT_EQ(Cell(last, 5), "6 more elements not listed");
    EXPECT_EQ(Cell(last, 1), "");
    EXPECT_EQ(form.ImageWidth, 64);
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.5");
}

TEST_F(ViewerDicom, FileWithoutPixelDataAsksForTheSizeAndKeepsTheGrid)
{
    Load(Sample("ct-phantom.dcm"));
    const int listed = ui.StringGridDICOM->rowCount();
    const QString path = folder.Write("plain.dcm", QByteArray(8192, 'a'));
    dialogs.inputAnswers = {QString("64 64"), QString("0.5")};
    Load(path);
    EXPECT_EQ(dialogs.prompts.size(), 2);
    EXPECT_EQ(ui.EditHeader->text(), "0");  // the size answer sets it
    EXPECT_EQ(ui.EditOffst->text(), "0");
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), listed);
    EXPECT_EQ(form.ImageWidth, 64);
}

} // namespace
