// "Auto", "Stat", the redraw boxes, and the flips and rotations through the window's buttons.
#include <functional>

#include "FlipRotate.h"
#include "HandlerGuard.h"
#include "ViewerFixture.h"
#include "TestWindows.h"

namespace {

using ViewerStatsFlips = ViewerFixture;

const QString kRotateRefusal = QStringLiteral("回転できるのは、画像の内側に収まる正方形の表示範囲だけです。表示範囲が正方形に"
                                              "なるまで拡大するか、画像の内側に戻してください。何も移動していません。");

TEST_F(ViewerStatsFlips, StatisticsOfTheRoiInTheRoiToolOnly)
{
    Load(folder.WriteWords("s 3 3 1p0.raw", {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // The load centred a 256 x 256 ROI on the 3 x 3 image: the part inside is the whole image.
    QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
    EXPECT_EQ(ui.EditAve->text(), "5");
    EXPECT_EQ(ui.EditSD->text(), "2.58198889747161");
    EXPECT_EQ(ui.EditMax->text(), "9");
    EXPECT_EQ(ui.EditMin->text(), "1");
    // The statistics say which part of the ROI they are of.
    for (QLineEdit* edit : {ui.EditAve, ui.EditSD, ui.EditMax, ui.EditMin})
        EXPECT_EQ(edit->toolTip(), QStringLiteral("ROI のうち画像内の 3 x 3 の値"));

    const struct {
        int tool;
        const char* posX;
    } unchanged[] = {{1, "1"}, {0, "1000"}};  // "Move" tool; a ROI wholly outside the image
    for (const auto& c : unchanged) {
        toolkit::SetItemIndex(ui.RadioGroupTool, c.tool);
        ui.EditROIPosX->setText(c.posX);
        form.RenderView();
        ui.EditAve->setText("a");
        QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
        EXPECT_EQ(ui.EditAve->text(), "a") << c.tool;
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(ViewerStatsFlips, AutoWindowFromTheButtonAndOnTinyImages)
{
    Load(WriteRamp(8, 8));  // centre columns and rows 2..5: 6 .. 15
    EXPECT_EQ(ui.EditWindowWidth->text(), "8");
    EXPECT_EQ(ui.EditWindowLevel->text(), "10");
    ui.EditOffst->setText("-1024");
    QTest::mouseClick(ui.ButtonAutoWL, Qt::LeftButton);
    EXPECT_EQ(ui.EditWindowLevel->text(), "-1013");  // (-1018 + -1009) div 2, toward zero
    ui.EditHeader->setText("h");
    QTest::mouseClick(ui.ButtonAutoWL, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{"'h' は整数ではありません"});
    EXPECT_EQ(ui.EditWindowLevel->text(), "-1013");

    ui.EditHeader->setText("0");
    Load(WriteRamp(3, 40, "thin"));  // narrower than 4: the load's window stays
    EXPECT_EQ(ui.EditWindowLevel->text(), "512");
    EXPECT_EQ(ui.EditWindowWidth->text(), "1024");
}

TEST_F(ViewerStatsFlips, SwapLockAndInvertRedraw)
{
    Load(WriteRamp(16, 16));
    toolkit::SetItemIndex(ui.RadioGroupTool, 2);  // no frame over the pixels
    QCheckBox* boxes[] = {ui.CheckBoxSwp, ui.CheckBoxRoiLock, ui.CheckBoxInvrt};
    for (QCheckBox* box : boxes) {
        ui.EditWindowLevel->setText("9");
        ui.EditWindowWidth->setText("4");
        form.RenderView();
        const common::GreyBitmap before = form.DisplayBitmap();
        ui.EditWindowLevel->setText("20");  // not drawn yet
        QTest::mouseClick(box, Qt::LeftButton);
        const common::GreyBitmap after = form.DisplayBitmap();
        EXPECT_NE(after, before) << box->objectName().toStdString();
        form.RenderView();
        EXPECT_EQ(form.DisplayBitmap(), after) << box->objectName().toStdString();
        box->setChecked(false);
    }
    // Swapped, the word 0x0005 reads 0x0500 = 1280; inverted, 255 minus the grey.
    ui.CheckBoxSwp->setChecked(true);
    ui.EditWindowLevel->setText("1280");
    QTest::mouseClick(ui.ButtonDisp, Qt::LeftButton);
    EXPECT_EQ(form.DisplayBitmap().At(5, 0), 128);
    ui.CheckBoxInvrt->setChecked(true);
    EXPECT_EQ(form.DisplayBitmap().At(5, 0), 127);
}

TEST_F(ViewerStatsFlips, FlipsAndRotationsRewriteTheStream)
{
    Load(folder.WriteWords("n 3 3 1p0.raw", {1, 2, 3, 4, 5, 6, 7, 8, 9}));
    const struct {
        QPushButton* button;
        std::vector<int> after;
    } steps[] = {
        {ui.ButtonCW, {7, 4, 1, 8, 5, 2, 9, 6, 3}},  {ui.ButtonCCW, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {ui.ButtonCCW, {3, 6, 9, 2, 5, 8, 1, 4, 7}}, {ui.ButtonCW, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {ui.ButtonVert, {7, 8, 9, 4, 5, 6, 1, 2, 3}}, {ui.ButtonHoriz, {9, 8, 7, 6, 5, 4, 3, 2, 1}},
    };
    for (const auto& s : steps) {
        QTest::mouseClick(s.button, Qt::LeftButton);
        EXPECT_EQ(form.ImageStream, Words(s.after)) << s.button->objectName().toStdString();
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // The picture follows: with the window 0..9 the top-left pixel now holds 9.
    ui.EditWindowLevel->setText("9");
    ui.EditWindowWidth->setText("2");
    toolkit::SetItemIndex(ui.RadioGroupTool, 2);
    EXPECT_EQ(form.DisplayBitmap().At(0, 0), 128);

    // 8-bit pixels move as bytes.
    folder.Write("e 3 2 1p0.raw", QByteArray("\x01\x02\x03\x04\x05\x06", 6));
    Load(folder.Path("e 3 2 1p0.raw"), 0);
    QTest::mouseClick(ui.ButtonVert, Qt::LeftButton);
    EXPECT_EQ(form.ImageStream, (std::vector<std::uint8_t>{4, 5, 6, 1, 2, 3}));
}

TEST_F(ViewerStatsFlips, StatisticsOfThePreviousPixelsAreNotLeftStanding)
{
    // A 4 x 4 ROI at the top-left of an 8 x 8 ramp: after any move of the pixels or a new image
    // its numbers no longer describe what the ROI covers.
    const struct {
        const char* what;
        std::function<void()> act;
    } cases[] = {
        {"V", [&] { QTest::mouseClick(ui.ButtonVert, Qt::LeftButton); }},
        {"H", [&] { QTest::mouseClick(ui.ButtonHoriz, Qt::LeftButton); }},
        {"CW", [&] { QTest::mouseClick(ui.ButtonCW, Qt::LeftButton); }},
        {"CCW", [&] { QTest::mouseClick(ui.ButtonCCW, Qt::LeftButton); }},
        {"<>", [&] { QTest::mouseClick(ui.ButtonRowCulm, Qt::LeftButton); }},
        {"a load", [&] { Load(WriteRamp(8, 8, "next")); }},
    };
    for (const auto& c : cases) {
        Load(WriteRamp(8, 8));
        ui.EditROIPosX->setText("2");
        ui.EditROIPosY->setText("2");
        ui.EditROISizeX->setText("4");
        ui.EditROISizeY->setText("4");
        QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
        ASSERT_EQ(ui.EditAve->text(), "4.5") << c.what;  // 1.5 + 2 * 1.5
        c.act();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << c.what;
        for (QLineEdit* e : {ui.EditAve, ui.EditSD, ui.EditMax, ui.EditMin})
            EXPECT_EQ(e->text(), "") << c.what << " " << e->objectName().toStdString();
    }
    // A refused rotation moved nothing: the numbers still hold.
    Load(WriteRamp(8, 16));
    QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
    const QString mean = ui.EditAve->text();
    QTest::mouseClick(ui.ButtonCW, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{kRotateRefusal});
    EXPECT_EQ(ui.EditAve->text(), mean);
}

TEST_F(ViewerStatsFlips, RefusedRotationsAndShortFilesMoveNothing)
{
    Load(WriteRamp(256, 512));  // portrait at magnification 1: the view is 256 x 512
    const auto stream = form.ImageStream;
    QTest::mouseClick(ui.ButtonCW, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{kRotateRefusal});
    EXPECT_EQ(form.ImageStream, stream);
    ui.EditMF->setText("1.5");  // now 170 x 341 columns and rows: still not square
    form.RenderView();
    QTest::mouseClick(ui.ButtonCCW, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(form.ImageStream, stream);

    dialogs.messages.clear();
    Load(folder.WriteWords("short 4 4 1p0.raw", std::vector<int>(10, 3)));
    const auto shortStream = form.ImageStream;
    for (QPushButton* b : {ui.ButtonVert, ui.ButtonHoriz, ui.ButtonCW})
        QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList(3, QStringLiteral("画像サイズとヘッダオフセットの示すデータがファイルより大きく"
                                                               "なっています。何も移動していません。")));
    EXPECT_EQ(form.ImageStream, shortStream);
}

TEST_F(ViewerStatsFlips, ExchangeOfSizesRereadsTheSameBytes)
{
    Load(WriteRamp(256, 512));
    const auto stream = form.ImageStream;
    QTest::mouseClick(ui.ButtonRowCulm, Qt::LeftButton);
    EXPECT_EQ(ui.EditImgSizeX->text(), "512");
    EXPECT_EQ(ui.EditImgSizeY->text(), "256");
    EXPECT_EQ(form.ImageWidth, 512);
    EXPECT_EQ(form.ViewBounds, (viewer::ViewBounds{128, 383, 0, 255}));
    EXPECT_EQ(form.ImageStream, stream);
    // Pixel (x, y) is now x mod 256 + 2 * (x div 256) + 4y; the centre (x 128..383, y 64..191)
    // runs from 258 (x 256, y 64) to 1019 (x 255, y 191).
    EXPECT_EQ(ui.EditWindowWidth->text(), "760");
    EXPECT_EQ(ui.EditWindowLevel->text(), "638");
}

TEST(ViewerBeforeLoad, ToolsChangeNoPictureBeforeTheFirstLoad)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form = windows.form1;
    const common::GreyBitmap before = form.DisplayBitmap();
    for (QPushButton* b : {form.ui.ButtonVert, form.ui.ButtonCW, form.ui.ButtonAutoWL, form.ui.ButtonStat,
                           form.ui.ButtonRowCulm, form.ui.Button1, form.ui.ButtonDisp})
        b->click();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form.DisplayBitmap(), before);
    EXPECT_TRUE(form.ImageStream.empty());
    EXPECT_EQ(form.ui.EditMF->text(), "1.1");
}

TEST_F(ViewerStatsFlips, StatisticsOfAWholeRoiSayNothingOfParts)
{
    Load(folder.WriteWords("w 4 4 1p0.raw", std::vector<int>(16, 7)));
    ui.EditROIPosX->setText("2");
    ui.EditROIPosY->setText("2");
    ui.EditROISizeX->setText("2");
    ui.EditROISizeY->setText("2");
    form.RenderView();
    QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
    EXPECT_EQ(ui.EditAve->text(), "7");
    EXPECT_TRUE(ui.EditAve->toolTip().isEmpty()) << ui.EditAve->toolTip().toStdString();
}

} // namespace
