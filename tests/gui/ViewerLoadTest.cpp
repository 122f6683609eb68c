#include <gtest/gtest.h>

#include <QTest>

#include "DialogDouble.h"
#include "Errors.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "TestWindows.h"

namespace {

// The size question as the double records it (caption|prompt|offered size), in Japanese.
const QString kSizePrompt = QStringLiteral("|マトリクスサイズ x y を入力してください（空白区切り）。|");

class ViewerLoad : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form = windows.form1;
    Ui::TForm1& ui = form.ui;

    void SetMode(int index) { ui.RadioGroupMode->setItemIndex(index); }

    // Loads `path` through the file dialog, as a click on the load button does.
    void Load(const QString& path)
    {
        dialogs.openAnswers.push_back(path);
        form.BitBtnLoadClick();
    }

    // A ramp image: value = column + 2 * row.
    QString WriteRamp(const QString& name, int w, int h)
    {
        std::vector<int> v;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                v.push_back(c + 2 * r);
        return folder.WriteWords(name, v);
    }
};

TEST_F(ViewerLoad, NameGivesSizeAndSpacing)
{
    SetMode(1);
    ui.EditHeader->setText("0");
    const QString path = WriteRamp("knee 256 256 0p39.raw", 256, 256);
    Load(path);
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_TRUE(dialogs.informations.isEmpty());  // a file that fits its name loads silently
    EXPECT_EQ(form.LoadState, 1);
    EXPECT_EQ(form.ImageWidth, 256);
    EXPECT_EQ(form.ImageHeight, 256);
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.39");
    EXPECT_EQ(ui.EditFileName->text(), path);
    EXPECT_EQ(ui.EditFileSize->text(), "131072");
    EXPECT_EQ(ui.EditROIPosX->text(), "128");
    EXPECT_EQ(ui.EditROISizeY->text(), "256");
    // The load ends with the automatic window: the central half (columns and rows 64..191)
    // holds 192..573, so width 573 - 192 - 1 and level 765 div 2.
    EXPECT_EQ(ui.EditWindowLevel->text(), "382");
    EXPECT_EQ(ui.EditWindowWidth->text(), "380");
    EXPECT_TRUE(ui.CheckBoxRoiSet->isChecked());
    EXPECT_FALSE(ui.Image1->isHidden());
    EXPECT_TRUE(ui.Image2->isHidden());
    EXPECT_EQ(ui.Image1->geometry(), QRect(0, 0, 512, 512));
    EXPECT_EQ(form.ViewBounds, (viewer::ViewBounds{0, 255, 0, 255}));
    // Window 512/1024: value v -> Round((v - 512) / 4) + 128.
    ui.EditWindowLevel->setText("512");
    ui.EditWindowWidth->setText("1024");
    form.RenderView();
    const common::GreyBitmap& bmp = form.DisplayBitmap();
    ASSERT_EQ(bmp.Width(), 256);
    EXPECT_EQ(bmp.At(100, 50), 128 + (100 + 100 - 512) / 4);  // 200 - 512 = -312 -> -78
    EXPECT_EQ(bmp.At(254, 254), 128 + 62);                    // 250 / 4 = 62.5 -> 62, half to even
    EXPECT_EQ(bmp.At(254, 200), 128 + 36);                    // 142 / 4 = 35.5 -> 36
    // The outline just outside the ROI runs along the last row and column: every second pixel
    // there is inverted (765 -> 191 -> 64).
    EXPECT_EQ(bmp.At(255, 255), 255 - 191);
    EXPECT_EQ(bmp.At(254, 255), 128 + (764 - 512) / 4);
    // The ROI (128, 128, 256 x 256) frames the whole image: its outline lies just outside.
    EXPECT_EQ(form.RoiBounds, (viewer::Rect{0, 0, 255, 255}));
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{0, 0, 255, 255}));
}

TEST_F(ViewerLoad, PromptsOfferTheGuessAndTakeTheAnswer)
{
    SetMode(1);
    ui.EditPxlSpc->setText("0.7");
    ui.EditHeader->setText("12");
    ui.EditMF->setText("2.0");
    folder.Write("scan.raw", QByteArray(131072, '\0'));
    dialogs.inputAnswers = {QString("256 128"), QString("0.5")};
    Load(folder.Path("scan.raw"));
    ASSERT_EQ(dialogs.prompts.size(), 2);
    EXPECT_EQ(dialogs.prompts[0], kSizePrompt + "256 256");
    EXPECT_EQ(dialogs.prompts[1], QStringLiteral("InputBox|ﾋﾟｸｾﾙ間隔(mm)を入力してください。|"));
    EXPECT_EQ(form.ImageWidth, 256);
    EXPECT_EQ(form.ImageHeight, 128);
    EXPECT_EQ(ui.EditImgSizeX->text(), "256");
    EXPECT_EQ(ui.EditImgSizeY->text(), "128");
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.5");
    EXPECT_EQ(ui.EditHeader->text(), "0");
    EXPECT_EQ(ui.EditMF->text(), "1.0");
}

TEST_F(ViewerLoad, GuessesAndSingleNumberAnswers)
{
    const struct {
        int mode;
        int bytes;
        const char* answer;  // nullptr: Cancel, which returns the default
        const char* offered;
        int w, h;
    } cases[] = {
        {0, 100000, "300", "512 512", 300, 300},
        {1, 1000, nullptr, "64 64", 64, 64},
        {1, 2097152, nullptr, "1024 1024", 1024, 1024},
    };
    for (const auto& c : cases) {
        dialogs.prompts.clear();
        SetMode(c.mode);
        folder.Write("plain.bin", QByteArray(c.bytes, '\0'));
        if (c.answer)
            dialogs.inputAnswers = {QString(c.answer)};
        Load(folder.Path("plain.bin"));
        EXPECT_EQ(dialogs.prompts.value(0), kSizePrompt + c.offered) << c.bytes;
        EXPECT_EQ(form.ImageWidth, c.w);
        EXPECT_EQ(form.ImageHeight, c.h);
    }
}

TEST_F(ViewerLoad, FieldFourLongEnoughIsOfferedAsIs)
{
    // With fewer than three blanks the candidate is empty; with a fourth field of four or more
    // characters it is offered unchanged.
    SetMode(1);
    folder.Write("a b.c d 1 2.raw", QByteArray(8192, '\0'));
    dialogs.inputAnswers = {QString("64")};
    Load(folder.Path("a b.c d 1 2.raw"));
    EXPECT_EQ(dialogs.prompts.value(0), kSizePrompt + "64 64");
}

TEST_F(ViewerLoad, CancelledDialogChangesNothing)
{
    dialogs.openAnswers.push_back(std::nullopt);
    form.BitBtnLoadClick();
    EXPECT_EQ(form.LoadState, 0);
    // The size edits keep their texts: a render after a cancelled dialog still works.
    EXPECT_EQ(ui.EditImgSizeX->text(), "0");
    EXPECT_EQ(ui.EditImgSizeY->text(), "0");
    EXPECT_EQ(ui.EditFileName->text(), "FileName");
}

TEST_F(ViewerLoad, LockKeepsTheRoiAndDicomNamedSizesSkipTheHeader)
{
    ui.CheckBoxRoiLock->setChecked(true);
    ui.EditROIPosX->setText("10");
    ui.EditHeader->setText("0");
    SetMode(2);
    const QString path = WriteRamp("knee 64 32 0p5.dcm", 64, 32);
    Load(path);
    EXPECT_EQ(ui.EditROIPosX->text(), "10");
    EXPECT_EQ(ui.EditROISizeX->text(), "64");
    EXPECT_EQ(ui.EditHeader->text(), "0");
    EXPECT_EQ(form.ImageWidth, 64);
    EXPECT_TRUE(dialogs.prompts.isEmpty());
}

TEST_F(ViewerLoad, BadFilesGiveTheirMessages)
{
    SetMode(1);
    const QString missing = folder.Path("gone 64 64 1p0.raw");
    const struct {
        QString path;
        std::string message;
    } cases[] = {
        {missing, "ファイル " + missing.toStdString() + " は開けません"},
        {folder.Folder(), "ファイル " + folder.Folder().toStdString() + " は開けません"},
        {folder.Write("bad x 64 1p0.raw", QByteArray(10, '\0')), "'x' は整数ではありません"},
    };
    for (const auto& c : cases) {
        dialogs.openAnswers.push_back(c.path);
        try {
            form.BitBtnLoadClick();
            ADD_FAILURE() << c.path.toStdString();
        } catch (const common::AppError& e) {
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(form.LoadState, 0);
    }
}

TEST_F(ViewerLoad, EmptyFileAndNonIntegerAnswerStopBeforeTheImageIsSet)
{
    SetMode(1);
    folder.Write("empty.raw", QByteArray());
    dialogs.inputAnswers = {QString("abc")};
    dialogs.openAnswers.push_back(folder.Path("empty.raw"));
    EXPECT_THROW(form.BitBtnLoadClick(), common::ConversionError);
    EXPECT_EQ(dialogs.prompts, QStringList{kSizePrompt + "0 0"});  // no spacing asked
    EXPECT_EQ(form.LoadState, 0);
}

TEST_F(ViewerLoad, ErrorsFromTheButtonAreShownInAMessageBox)
{
    SetMode(1);
    folder.Write("empty.raw", QByteArray());
    dialogs.openAnswers.push_back(folder.Path("empty.raw"));
    dialogs.inputAnswers = {QString("abc")};
    QTest::mouseClick(ui.BitBtnLoad, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{"'abc' は整数ではありません"});
    EXPECT_EQ(form.LoadState, 0);
    EXPECT_EQ(ui.EditFileName->text(), "FileName");  // nothing of the refused load stays
}

TEST_F(ViewerLoad, RefusedSizesLeaveThePreviousImageUsable)
{
    SetMode(1);
    Load(WriteRamp("ok 16 16 1p0.raw", 16, 16));
    const auto stream = form.ImageStream;
    const QString name = ui.EditFileName->text();
    const char* refused[] = {"huge 40000 40000 1p0.raw", "wide 32769 1 1p0.raw", "neg -5 4 1p0.raw",
                             "area 20000 20000 1p0.raw"};
    for (const char* file : refused) {
        dialogs.openAnswers.push_back(folder.Write(file, QByteArray(64, '\0')));
        EXPECT_THROW(form.BitBtnLoadClick(), common::InputError) << file;
        EXPECT_EQ(form.ImageStream, stream);
        EXPECT_EQ(ui.EditFileName->text(), name);
        EXPECT_EQ(ui.EditImgSizeX->text(), "16");
        EXPECT_EQ(ui.EditPxlSpc->text(), "1.0");
        EXPECT_EQ(form.ImageWidth, 16);
    }
    EXPECT_NO_THROW(form.RenderView());
    EXPECT_EQ(form.DisplayBitmap().Width(), 16);
}

TEST_F(ViewerLoad, FailedOrCancelledLoadLeavesThePreviousImageAsItWas)
{
    SetMode(1);
    Load(WriteRamp("ok 16 16 1p0.raw", 16, 16));
    ui.EditROIPosX->setText("8");
    ui.EditROIPosY->setText("8");
    ui.EditROISizeX->setText("4");
    ui.EditROISizeY->setText("4");
    form.RenderView();
    form.ButtonStatClick();
    const QString mean = ui.EditAve->text();  // columns 6..9, rows 6..9: 7.5 + 2 * 7.5
    ASSERT_EQ(mean, "22.5");
    const auto stream = form.ImageStream;
    const common::GreyBitmap picture = form.DisplayBitmap();
    QLineEdit* const edits[] = {ui.EditFileName, ui.EditFileSize, ui.EditImgSizeX, ui.EditImgSizeY, ui.EditPxlSpc,
                                ui.EditHeader,   ui.EditMF,       ui.EditOffst,    ui.EditWindowLevel};
    QStringList texts;
    for (QLineEdit* e : edits)
        texts << e->text();

    // A file without sizes in its name: 512 bytes offer "16 16".
    const QString unnamed = folder.Write("plain.bin", QByteArray(512, '\x05'));
    const struct {
        const char* what;
        QString path;
        std::deque<std::optional<QString>> answers;
        int prompts;        // how many were asked
        const char* error;  // nullptr: none, the load was cancelled
    } cases[] = {
        {"Cancel at the size", unnamed, {std::nullopt}, 1, nullptr},
        {"Cancel at the spacing", unnamed, {QString("16 16"), std::nullopt}, 2, nullptr},
        {"a size that is no number", unnamed, {QString("abc")}, 1, "'abc' は整数ではありません"},
        {"a size too large", unnamed, {QString("40000 40000")}, 1, "40000"},
        {"a file that cannot be read", folder.Path("gone 16 16 1p0.raw"), {}, 0, "は開けません"},
    };
    for (const auto& c : cases) {
        dialogs.prompts.clear();
        dialogs.inputAnswers = c.answers;
        dialogs.openAnswers.push_back(c.path);
        try {
            form.BitBtnLoadClick();
            EXPECT_EQ(c.error, nullptr) << c.what;
        } catch (const common::AppError& e) {
            ASSERT_NE(c.error, nullptr) << c.what << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_EQ(dialogs.prompts.size(), c.prompts) << c.what;
        EXPECT_EQ(form.ImageStream, stream) << c.what;
        QStringList now;
        for (QLineEdit* e : edits)
            now << e->text();
        EXPECT_EQ(now, texts) << c.what;
        EXPECT_EQ(form.LoadState, 1) << c.what;
        EXPECT_EQ(form.CurrentFileName, texts[0]) << c.what;
        // The picture and every reader still show and read the previous image.
        form.RenderView();
        EXPECT_EQ(form.DisplayBitmap(), picture) << c.what;
        form.ButtonStatClick();
        EXPECT_EQ(ui.EditAve->text(), mean) << c.what;
    }
}

TEST_F(ViewerLoad, MatrixBiggerThanTheFileShowsMissingPixelsAsZero)
{
    SetMode(1);
    ui.EditHeader->setText("0");
    Load(folder.WriteWords("short 4 4 1p0.raw", {600, 600}));
    EXPECT_EQ(dialogs.informations,
              QStringList{QStringLiteral("ファイルは 4 バイトですが、バイト 0 から始まる 4 x 4 のマトリクスには 32 バイト"
                                         "必要です。足りない画素は 0 で表示します。")});
    EXPECT_EQ(form.LoadState, 1);
    ui.EditWindowLevel->setText("0");
    ui.EditWindowWidth->setText("256");
    ui.RadioGroupTool->setItemIndex(2);  // no frame over the pixels
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap().At(0, 0), 255);
    EXPECT_EQ(form.DisplayBitmap().At(3, 3), 128);
    ui.EditHeader->setText("100000");
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap().At(0, 0), 128);
}

TEST_F(ViewerLoad, RenderStopsAtZeroMagnificationOrWidth)
{
    SetMode(1);
    Load(WriteRamp("r 32 32 1p0.raw", 32, 32));
    ui.EditWindowWidth->setText("0");
    const common::GreyBitmap before = form.DisplayBitmap();
    EXPECT_THROW(form.RenderView(), common::FloatError);
    EXPECT_EQ(form.DisplayBitmap(), before);
    ui.EditWindowWidth->setText("256");
    ui.EditMF->setText("0");
    EXPECT_THROW(form.RenderView(), common::FloatError);
    ui.EditMF->setText("x");
    try {
        form.RenderView();
        FAIL();
    } catch (const common::ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' は浮動小数点数ではありません");
    }
    ui.EditMF->setText("0.001");  // a 32000 x 32000 picture
    EXPECT_THROW(form.RenderView(), common::InputError);
}

TEST_F(ViewerLoad, ZeroHeightKeepsTheDivisionErrorAfterTheLoad)
{
    SetMode(1);
    dialogs.openAnswers.push_back(folder.Write("z 5 0 1p0.raw", QByteArray(10, '\0')));
    try {
        form.BitBtnLoadClick();
        FAIL();
    } catch (const common::FloatError& e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
    EXPECT_EQ(form.LoadState, 1);  // the load itself completed; its render stopped
}

TEST_F(ViewerLoad, PortraitAndZoomedRendering)
{
    SetMode(1);
    Load(WriteRamp("p 256 512 1p0.raw", 256, 512));
    EXPECT_EQ(ui.Image1->geometry(), QRect(128, 0, 256, 512));
    ui.EditMF->setText("2.0");
    form.RenderView();
    EXPECT_EQ(form.ViewBounds, (viewer::ViewBounds{64, 191, 128, 383}));
    EXPECT_EQ(form.DisplayBitmap().Width(), 128);
    EXPECT_EQ(form.DisplayBitmap().Height(), 256);
}

TEST_F(ViewerLoad, InvertAndEightBitSwap)
{
    SetMode(0);
    ui.CheckBoxSwp->setChecked(true);
    folder.Write("b 2 2 1p0.raw", QByteArray("\xC8\x00\x01\x02", 4));  // 200 -> -14336
    Load(folder.Path("b 2 2 1p0.raw"));
    ui.RadioGroupTool->setItemIndex(2);
    ui.EditWindowLevel->setText("-14336");
    ui.EditWindowWidth->setText("256");
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap().At(0, 0), 128);
    ui.CheckBoxInvrt->setChecked(true);
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap().At(0, 0), 127);
}

} // namespace
