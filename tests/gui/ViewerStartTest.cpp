#include <gtest/gtest.h>

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

TEST(ViewerStart, WindowsControlsAndDefaults)
{
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    EXPECT_FALSE(form2.isVisible());
    EXPECT_FALSE(form3.isVisible());

    EXPECT_EQ(form1.windowTitle(), "Viewer");
    EXPECT_EQ(form1.size(), QSize(716, 684));
    EXPECT_EQ(form1.minimumSize(), form1.maximumSize());
    EXPECT_EQ(form1.pos(), QPoint(51, 20));
    EXPECT_EQ(form1.LoadState, 0);
    EXPECT_TRUE(form1.ImageStream.empty());

    const auto& ui = form1.ui;
    const struct {
        QLineEdit* edit;
        const char* text;
    } edits[] = {{ui.EditFileName, "FileName"}, {ui.EditFileSize, "0"},     {ui.EditHeader, "0"},
                 {ui.EditFOVSize, "0"},         {ui.EditImgSizeX, "0"},     {ui.EditImgSizeY, "0"},
                 {ui.EditOffst, "0"},           {ui.EditPxlSpc, "0"},       {ui.EditImgSftX, "0"},
                 {ui.EditImgSftY, "0"},         {ui.EditFListNo, "1"},      {ui.EditMF, "1.0"},
                 {ui.EditWindowLevel, "256"},   {ui.EditWindowWidth, "256"}, {ui.EditROIPosX, "64"},
                 {ui.EditROIPosY, "64"},        {ui.EditROISizeX, "64"},    {ui.EditROISizeY, "64"},
                 {ui.EditAve, ""},              {ui.EditSD, ""},            {ui.EditMax, ""},
                 {ui.EditMin, ""}};
    for (const auto& e : edits)
        EXPECT_EQ(e.edit->text(), e.text) << e.edit->objectName().toStdString();

    EXPECT_EQ(ui.RadioGroupMode->Items(), (QStringList{" 8bit", "16bit", "DICOM"}));
    EXPECT_EQ(ui.RadioGroupMode->ItemIndex(), 2);
    EXPECT_EQ(ui.RadioGroupTool->Items(), (QStringList{"ROI", "Move", "OFF", "Home"}));
    EXPECT_EQ(ui.RadioGroupTool->ItemIndex(), 0);
    EXPECT_EQ(ui.RadioGroupRange->Items(), (QStringList{"1", "3", "10", "30"}));
    EXPECT_EQ(ui.RadioGroupRange->ItemIndex(), 1);
    EXPECT_TRUE(ui.CheckBoxLockPara->isChecked());
    EXPECT_TRUE(ui.RadioButtonSizeOrg->isChecked());
    EXPECT_FALSE(ui.CheckBoxSwp->isChecked());
    EXPECT_EQ(ui.BitBtnLoad->text(), "⇒");
    EXPECT_EQ(ui.ButtonToForm3->text(), "From3");
    EXPECT_EQ(ui.Label1->text(),
              "File      Header      FOV       Colum      Row      Offset     Pixel    ShiftX ShiftY  FNo");

    EXPECT_EQ(ui.StringGridDICOM->columnCount(), 17);
    EXPECT_EQ(ui.StringGridDICOM->rowCount(), 512);
    const char* titles[] = {" No", "Group", "Element", "VR", "CHR#", "Name", "Value"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(ui.StringGridDICOM->item(0, c)->text(), QString::fromUtf8(titles[c]));

    // Before any load the splash is shown and rendering changes nothing.
    EXPECT_TRUE(ui.Image1->isHidden());
    EXPECT_FALSE(ui.Image2->isHidden());
    EXPECT_TRUE(ui.Image2->ShowsColorPicture());
    EXPECT_EQ(ui.Image2->Picture().size(), QSize(512, 512));
    const common::GreyBitmap before = form1.DisplayBitmap();
    form1.RenderView();
    form1.DrawRoiFrame();
    EXPECT_EQ(form1.DisplayBitmap(), before);
    EXPECT_TRUE(ui.Image1->isHidden());
    EXPECT_FALSE(ui.Image2->isHidden());
}

TEST(ViewerStart, SplashIsInColour)
{
    TestWindows windows;
    TForm1& form1 = windows.form1;
    const QImage splash = form1.ui.Image2->Picture();
    int coloured = 0;
    for (int y = 0; y < 512; y += 16)
        for (int x = 0; x < 512; x += 16) {
            const QColor c = splash.pixelColor(x, y);
            coloured += (c.red() != c.green() || c.green() != c.blue());
        }
    EXPECT_GT(coloured, 500);
}

} // namespace
