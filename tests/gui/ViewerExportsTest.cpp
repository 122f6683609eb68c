#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include "DialogDouble.h"
#include "Errors.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "TestWindows.h"

namespace {

class ViewerExports : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form = windows.form1;
    Ui::TForm1& ui = form.ui;
    const QString trimmedMessage = QStringLiteral("トリミングした画像を保存しました。");

    // A 64 x 48 16-bit image whose word at (c, r) is c + 256 r: every byte tells its place.
    void LoadRamp()
    {
        std::vector<int> words;
        for (int r = 0; r < 48; ++r)
            for (int c = 0; c < 64; ++c)
                words.push_back(c + 256 * r);
        ui.RadioGroupMode->setItemIndex(1);
        ui.EditHeader->setText("0");
        dialogs.openAnswers.push_back(folder.WriteWords("img 64 48 0p35.raw", words));
        form.BitBtnLoadClick();
    }
    void PlaceRoi(int x, int y, int w, int h)
    {
        ui.EditROIPosX->setText(QString::number(x));
        ui.EditROIPosY->setText(QString::number(y));
        ui.EditROISizeX->setText(QString::number(w));
        ui.EditROISizeY->setText(QString::number(h));
        form.RenderView();
    }
    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(ViewerExports, TrimmingWritesTheBlockBesideTheChosenFileAndLoadsBack)
{
    LoadRamp();
    PlaceRoi(20, 10, 16, 8);  // columns 12..27, rows 6..13
    ASSERT_TRUE(QDir(folder.Folder()).mkdir("old.data"));
    ui.CheckBoxSwp->setChecked(true);  // stored words are written as stored all the same
    ui.EditOffst->setText("-1024");
    dialogs.saveAnswers.push_back(folder.Path("old.data/chest.raw"));  // a new name: nothing there yet
    form.ButtonTrimingClick();
    EXPECT_TRUE(dialogs.confirmations.isEmpty());
    EXPECT_EQ(dialogs.informations, QStringList{trimmedMessage});

    const QString written = folder.Path("old.data/chest 16 8 0p35.bin");
    QByteArray expected;
    for (int r = 6; r <= 13; ++r)
        for (int c = 12; c <= 27; ++c)
            expected.append(static_cast<char>(c)).append(static_cast<char>(r));
    EXPECT_EQ(ReadAll(written), expected);
    EXPECT_FALSE(QFile::exists(folder.Path("old 16 8 0p35.bin")));

    // The name carries the size and spacing: loading it back needs no prompt.
    ui.CheckBoxSwp->setChecked(false);
    dialogs.openAnswers.push_back(written);
    form.BitBtnLoadClick();
    EXPECT_TRUE(dialogs.prompts.isEmpty());
    EXPECT_EQ(form.ImageWidth, 16);
    EXPECT_EQ(form.ImageHeight, 8);
    EXPECT_EQ(ui.EditPxlSpc->text(), "0.35");
}

TEST_F(ViewerExports, TrimmingInEightBitModeWritesWidenedWords)
{
    QByteArray bytes;
    for (int i = 0; i < 32 * 32; ++i)
        bytes.append(static_cast<char>(i % 251));
    ui.RadioGroupMode->setItemIndex(0);
    dialogs.openAnswers.push_back(folder.Write("b 32 32 1p0.raw", bytes));
    form.BitBtnLoadClick();
    PlaceRoi(16, 16, 2, 2);  // columns 15..16, rows 15..16
    dialogs.saveAnswers.push_back(folder.Path("out.raw"));
    form.ButtonTrimingClick();
    const auto at = [&](int c, int r) { return static_cast<char>((r * 32 + c) % 251); };
    const QByteArray expected = QByteArray().append(at(15, 15)).append('\0').append(at(16, 15)).append('\0')
                                    .append(at(15, 16)).append('\0').append(at(16, 16)).append('\0');
    EXPECT_EQ(ReadAll(folder.Path("out 2 2 1p0.bin")), expected);
}

TEST_F(ViewerExports, TrimmingRefusalsWriteNothing)
{
    LoadRamp();
    // A refused ROI is refused before the user is asked for a file.
    PlaceRoi(60, 10, 16, 8);  // reaches past the right edge
    dialogs.saveAnswers.push_back(folder.Path("a.raw"));
    EXPECT_THROW(form.ButtonTrimingClick(), common::InputError);
    EXPECT_TRUE(dialogs.saveStartFolders.isEmpty());

    PlaceRoi(20, 10, 0, 8);  // a frame dragged across itself leaves a width of 0 or below
    EXPECT_THROW(form.ButtonTrimingClick(), common::InputError);
    PlaceRoi(20, 10, 16, 8);
    EXPECT_TRUE(dialogs.saveStartFolders.isEmpty());
    dialogs.saveAnswers.clear();

    form.RenderView();
    form.ButtonTrimingClick();  // cancelled: no answer queued
    EXPECT_TRUE(dialogs.informations.isEmpty());
    EXPECT_EQ(QDir(folder.Folder()).entryList({"*.bin"}, QDir::Files), QStringList());

    const QString missing = folder.Path("no such folder/a.raw");
    dialogs.saveAnswers.push_back(missing);
    try {
        form.ButtonTrimingClick();
        ADD_FAILURE() << "no error";
    } catch (const common::FileError& e) {
        // The file-creation error names the file written, then its cause.
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("ファイル " + folder.Path("no such folder/a 16 8 0p35.bin") +
                                                            " を作成できません"))
            << e.what();
    }
    EXPECT_TRUE(dialogs.informations.isEmpty());
}

TEST_F(ViewerExports, ReplacingATrimmedFileIsAskedForTheNameWritten)
{
    LoadRamp();
    PlaceRoi(20, 10, 16, 8);
    const struct {
        const char* what;
        bool readOnly;
        bool answer;
        bool replaced;
    } cases[] = {{"declined", false, false, false},
                 {"agreed", false, true, true},
                 {"read-only, declined", true, false, false},
                 {"read-only, agreed", true, true, true}};
    for (const auto& c : cases) {
        QFile::remove(folder.Path("chest 16 8 0p35.bin"));
        const QString target = folder.Write("chest 16 8 0p35.bin", QByteArray("previous"));
        if (c.readOnly)
            QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        dialogs.confirmations.clear();
        dialogs.informations.clear();
        dialogs.saveAnswers.push_back(folder.Path("chest.raw"));  // the chosen name itself is new
        dialogs.confirmAnswers.push_back(c.answer);
        form.ButtonTrimingClick();
        ASSERT_EQ(dialogs.confirmations.size(), 1) << c.what;
        EXPECT_TRUE(dialogs.confirmations[0].startsWith(target)) << c.what;
        EXPECT_EQ(ReadAll(target).size(), c.replaced ? 16 * 8 * 2 : 8) << c.what;
        EXPECT_EQ(dialogs.informations.size(), c.replaced ? 1 : 0) << c.what;
        EXPECT_EQ(bool(QFile::permissions(target) & QFileDevice::WriteOwner), !c.readOnly) << c.what;
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(folder.Folder()).entryList(QDir::Files | QDir::Hidden).filter(".tmp"), QStringList());
}

TEST_F(ViewerExports, PictureGoesToTheClipboardAtItsOwnSize)
{
    LoadRamp();
    PlaceRoi(20, 10, 16, 8);
    form.ButtonSaveBMPClick();
    const QImage image = QGuiApplication::clipboard()->image();
    const common::GreyBitmap& bitmap = form.DisplayBitmap();
    ASSERT_EQ(image.size(), QSize(bitmap.Width(), bitmap.Height()));
    ASSERT_EQ(image.size(), QSize(48, 48));  // the view in image pixels, not the 512 x 512 screen
    int different = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            different += qGray(image.pixel(x, y)) != bitmap.At(x, y);
    EXPECT_EQ(different, 0);
    EXPECT_NE(bitmap.At(11, 5), bitmap.At(12, 6));  // the frame is part of the picture
}

TEST_F(ViewerExports, HeaderCopyDropsOddAndItemGroups)
{
    QTableWidget* grid = ui.StringGridDICOM;
    grid->setRowCount(6);
    const char* groups[] = {"0008", "0009", "0010", "7FE0", "FFFE"};
    for (int r = 1; r <= 5; ++r) {
        grid->setItem(r, 0, new QTableWidgetItem(QString("%1").arg(r, 3)));
        grid->setItem(r, 1, new QTableWidgetItem(groups[r - 1]));
        grid->setItem(r, 6, new QTableWidgetItem("v"));
        grid->setItem(r, 7, new QTableWidgetItem("not copied"));
    }
    form.ButtonCBClick();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              " No\tGroup\tElement\tVR\tCHR#\tName\tValue\r\n"
              "  1\t0008\t\t\t\t\tv\r\n"
              "  3\t0010\t\t\t\t\tv\r\n"
              "  4\t7FE0\t\t\t\t\tv\r\n");
}

TEST_F(ViewerExports, DoubleClickTogglesTheHeaderGrid)
{
    QTableWidget* grid = ui.StringGridDICOM;
    ASSERT_EQ(grid->geometry(), QRect(0, 536, 516, 109));
    emit grid->cellDoubleClicked(3, 1);  // as the grid reports a double click on a cell
    EXPECT_EQ(grid->geometry(), QRect(0, 22, 516, 618));
    // Between the enlarged grid and the parameter edits only the window's background shows.
    for (int x : {2, 200, 510})
        EXPECT_EQ(form.childAt(x, 642), nullptr) << x;
    emit grid->cellDoubleClicked(0, 0);
    EXPECT_EQ(grid->geometry(), QRect(0, 536, 516, 109));
    grid->setGeometry(0, 100, 516, 200);  // exactly 200: left alone
    form.StringGridDICOMDblClick();
    EXPECT_EQ(grid->geometry(), QRect(0, 100, 516, 200));
}

} // namespace
