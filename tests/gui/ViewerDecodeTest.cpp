#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "DecodeError.h"
#include "ViewerFixture.h"

namespace {

// Loads go through the dialog in DICOM mode.
class ViewerDecode : public ViewerFixture {
protected:
    static QString Sample(const char* name) { return QStringLiteral(SAMPLES_DIR "/") + name; }
    void Load(const QString& path) { ViewerFixture::Load(path, 2); }
    std::int16_t Pixel(int column, int row) { return static_cast<std::int16_t>(imageio::FetchElement(form.Source(), column, row)); }
};

TEST_F(ViewerDecode, CompressedSamplesShowThePhantomsPicture)
{
    Load(Sample("ct-phantom.dcm"));
    const common::GreyBitmap reference = form.DisplayBitmap();
    const QString level = ui.EditWindowLevel->text(), width = ui.EditWindowWidth->text();
    const struct {
        const char* name;
        const char* syntax;
    } cases[] = {
        {"compressed/ct-phantom-jpeg-lossless.dcm", "デコード : JPEG Lossless SV1 (1.2.840.10008.1.2.4.70)"},
        {"compressed/ct-phantom-j2k.dcm", "デコード : JPEG 2000 Lossless (1.2.840.10008.1.2.4.90)"},
        {"compressed/ct-phantom-true-bigendian.dcm", "デコード : Explicit VR Big Endian (1.2.840.10008.1.2.2)"},
    };
    for (const auto& c : cases) {
        Load(Sample(c.name));
        EXPECT_TRUE(dialogs.prompts.isEmpty()) << c.name;
        EXPECT_EQ(ui.EditImgSizeX->text(), "256") << c.name;
        EXPECT_EQ(ui.EditOffst->text(), "-1024") << c.name;
        EXPECT_EQ(ui.EditPxlSpc->text(), "0.5") << c.name;
        EXPECT_FALSE(ui.CheckBoxSwp->isChecked()) << c.name;
        EXPECT_EQ(ui.EditFileSize->text().toLongLong(), QFileInfo(Sample(c.name)).size()) << c.name;
        EXPECT_EQ(ui.EditWindowLevel->text(), level) << c.name;
        EXPECT_EQ(ui.EditWindowWidth->text(), width) << c.name;
        EXPECT_EQ(form.DisplayBitmap(), reference) << c.name;
        const QString summary = ui.Memo1->toPlainText();
        EXPECT_TRUE(summary.contains(c.syntax)) << c.name << ": " << summary.toStdString();
        EXPECT_TRUE(summary.contains("フレーム 1 / 1")) << c.name;
        EXPECT_TRUE(summary.contains("mm 間隔は PixelSpacing から")) << c.name;
    }
}

TEST_F(ViewerDecode, PageKeysStepThroughTheFrames)
{
    Load(Sample("ct-phantom.dcm"));
    const std::int16_t centre = Pixel(128, 128);
    // Without frames the keys stay with the header grid.
    ui.StringGridDICOM->setCurrentCell(1, 0);
    QTest::keyClick(ui.StringGridDICOM, Qt::Key_PageDown);
    EXPECT_GT(ui.StringGridDICOM->currentRow(), 1);
    Load(Sample("compressed/ct-phantom-3frames-rle.dcm"));
    EXPECT_TRUE(ui.Memo1->toPlainText().contains("フレーム 1 / 3"));
    const QString level = ui.EditWindowLevel->text();
    const struct {
        Qt::Key key;
        int frame;
    } steps[] = {{Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 1}};
    for (const auto& s : steps) {
        QTest::keyClick(&form, s.key);
        EXPECT_EQ(form.Frame(), s.frame);
        EXPECT_EQ(Pixel(128, 128), centre + 100 * s.frame) << "frame " << s.frame;
        EXPECT_TRUE(ui.Memo1->toPlainText().contains(QString("フレーム %1 / 3").arg(s.frame + 1))) << s.frame;
        EXPECT_EQ(ui.EditWindowLevel->text(), level);  // stepping keeps the window
    }
}

TEST_F(ViewerDecode, RefusedFileKeepsThePreviousImage)
{
    Load(Sample("ct-phantom.dcm"));
    const common::GreyBitmap picture = form.DisplayBitmap();
    const std::vector<std::uint8_t> stream = form.ImageStream;
    const QString memo = ui.Memo1->toPlainText();
    QFile whole(Sample("compressed/ct-phantom-jpegls.dcm"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QString cut = folder.Write("cut.dcm", whole.readAll().left(2000));
    try {
        Load(cut);
        ADD_FAILURE() << "opened";
    } catch (const imageio::DecodeError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("JPEG-LS Lossless (1.2.840.10008.1.2.4.80)")) << e.what();
    }
    EXPECT_EQ(ui.EditFileName->text(), Sample("ct-phantom.dcm"));
    EXPECT_EQ(ui.EditImgSizeX->text(), "256");
    EXPECT_EQ(form.ImageStream, stream);
    EXPECT_EQ(ui.Memo1->toPlainText(), memo);
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap(), picture);
}

TEST_F(ViewerDecode, AFileDecodedWithAWarningIsShownWithAWarningThatCannotBeMissed)
{
    // The lossless phantom with its scan header's end of selection set to 33: the JPEG codec warns
    // and still gives pixels.
    QFile sample(Sample("compressed/ct-phantom-jpeg-lossless.dcm"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray bytes = sample.readAll();
    const qsizetype scan = bytes.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GE(scan, 0);
    bytes[scan + 8] = 33;
    const QString path = folder.Write("warned.dcm", bytes);
    dialogs.messages.clear();
    Load(path);
    EXPECT_EQ(form.LoadState, 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("デコーダがこのファイルの問題を報告しました (Invalid lossless"))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(ui.Memo1->toPlainText().contains("警告: 破損の可能性があります。デコーダの報告: "))
        << ui.Memo1->toPlainText().toStdString();
    // A clean file after it says nothing.
    dialogs.messages.clear();
    Load(Sample("compressed/ct-phantom-jpeg-lossless.dcm"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
