// The ROI the four ROI edits name is the ROI every tool uses: typed and finished with Return, Tab
// or a click elsewhere it is placed and drawn at once, and "Stat", "toFilter" and "Triming" read
// exactly that block whatever the tool, the zoom and the pan.
#include <QFile>
#include <functional>

#include "HandlerGuard.h"
#include "Unit2.h"
#include "Unit3.h"
#include "ViewerFixture.h"

namespace {

class ViewerRoiEdits : public ViewerFixture {
protected:
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;

    // A 512 x 512 ramp, value c + 2r, spacing 1.0; the load leaves the ROI at 256, 256, 256 x 256.
    void SetUp() override
    {
        ViewerFixture::SetUp();
        Load(WriteRamp(512, 512));
    }

    static long long Ramp(long long c, long long r) { return c + 2 * r; }

    // Typed over the edit's text, key by key, as the user does after selecting it.
    static void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    static void FocusOut(QLineEdit* edit, Qt::FocusReason reason)
    {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit, &out);
    }

    // "toFilter" and "Triming" (and "Stat" in the ROI tool) on an n x n block from (x0, y0).
    void ExpectBlockUsed(long long x0, long long y0, int n, const std::string& where)
    {
        form.ButtonToTableClick();
        const toolkit::TextGrid* grid = form2.ui.StringGridRaw;
        EXPECT_EQ(grid->ColCount(), n + 1) << where;
        EXPECT_EQ(grid->Cell(1, 1), QString::number(Ramp(x0, y0))) << where;
        EXPECT_EQ(grid->Cell(n, n), QString::number(Ramp(x0 + n - 1, y0 + n - 1))) << where;
        // The headers number the block as the view shows it.
        EXPECT_EQ(grid->Cell(1, 0), QString::number(x0 - form.ViewBounds.FirstColumn)) << where;
        EXPECT_EQ(grid->Cell(0, 1), QString::number(y0 - form.ViewBounds.FirstRow)) << where;

        dialogs.saveAnswers.push_back(folder.Path("trim.raw"));
        form.ButtonTrimingClick();
        QFile trimmed(folder.Path(QString("trim %1 %1 1p0.bin").arg(n)));
        ASSERT_TRUE(trimmed.open(QIODevice::ReadOnly)) << where;
        const QByteArray bytes = trimmed.readAll();
        trimmed.remove();
        ASSERT_EQ(bytes.size(), 2 * n * n) << where;
        const auto word = [&](int i) { return static_cast<std::uint8_t>(bytes[2 * i]) | static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8; };
        EXPECT_EQ(word(0), Ramp(x0, y0)) << where;
        EXPECT_EQ(word(n * n - 1), Ramp(x0 + n - 1, y0 + n - 1)) << where;

        if (ui.RadioGroupTool->ItemIndex() == 0) {
            ui.EditAve->clear();
            form.ButtonStatClick();
            const double mean = (x0 + (n - 1) / 2.0) + 2 * (y0 + (n - 1) / 2.0);
            EXPECT_EQ(ui.EditAve->text(), QString::number(mean, 'g', 15)) << where;
            EXPECT_EQ(ui.EditMax->text(), QString::number(Ramp(x0 + n - 1, y0 + n - 1))) << where;
            EXPECT_EQ(ui.EditMin->text(), QString::number(Ramp(x0, y0))) << where;
        }
        EXPECT_TRUE(dialogs.messages.isEmpty()) << where << ": " << dialogs.messages.join("; ").toStdString();
    }
};

TEST_F(ViewerRoiEdits, TypedRoiIsPlacedAndDrawnWhenTheEditingEnds)
{
    const struct {
        const char* how;
        std::function<void(QLineEdit*)> finish;
        int posX, posY;
    } cases[] = {
        {"Return", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Return); }, 100, 200},
        {"Enter", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Enter); }, 120, 210},
        {"Tab", [](QLineEdit* e) { FocusOut(e, Qt::TabFocusReason); }, 300, 40},
        {"a click elsewhere", [](QLineEdit* e) { FocusOut(e, Qt::MouseFocusReason); }, 400, 400},
    };
    for (const auto& c : cases) {
        // Each edit ends its own editing, the size edits last, as a user goes through them.
        for (auto [edit, text] : {std::pair{ui.EditROIPosX, c.posX}, {ui.EditROIPosY, c.posY}, {ui.EditROISizeX, 64},
                                  {ui.EditROISizeY, 64}}) {
            Type(edit, QString::number(text));
            c.finish(edit);
        }
        const viewer::Rect frame{c.posX - 32, c.posY - 32, c.posX + 31, c.posY + 31};
        EXPECT_EQ(form.RoiFrame, frame) << c.how;
        // Drawn as a render from the edits draws it.
        const common::GreyBitmap shown = form.DisplayBitmap();
        form.RenderView();
        EXPECT_EQ(form.DisplayBitmap(), shown) << c.how;
        ExpectBlockUsed(c.posX - 32, c.posY - 32, 64, c.how);
    }
}

TEST_F(ViewerRoiEdits, FocusTakenByAnotherWindowIsNoEndOfEditing)
{
    // The error box of a bad text takes the focus and gives it back: neither is an end of editing,
    // or the box would come back every time it closed.
    Type(ui.EditROIPosX, "12a");
    FocusOut(ui.EditROIPosX, Qt::ActiveWindowFocusReason);
    FocusOut(ui.EditROIPosX, Qt::PopupFocusReason);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    FocusOut(ui.EditROIPosX, Qt::TabFocusReason);
    EXPECT_EQ(dialogs.messages, QStringList{"'12a' は整数ではありません"});
    // "Stat" refuses the same text rather than using a ROI the edits no longer name.
    dialogs.messages.clear();
    QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{"'12a' は整数ではありません"});
}

TEST_F(ViewerRoiEdits, EveryToolReadsTheBlockTheEditsName)
{
    const struct {
        const char* what;
        std::function<void()> act;
        bool redrawn = true;
    } cases[] = {
        // Typed but never left: the readers still take the texts as they stand.
        {"typed, editing not ended",
         [&] {
             ui.EditROIPosX->setText("100");
             ui.EditROIPosY->setText("300");
             ui.EditROISizeX->setText("64");
             ui.EditROISizeY->setText("64");
         },
         false},
        // "Home" takes the position from the 426-pixel bitmap of the zoom 1.2 render and the size
        // 256, then draws at 1.0 in the "Home" tool.
        {"Home at zoom 1.2",
         [&] {
             ui.EditROIPosX->setText("150");
             ui.EditROIPosY->setText("170");
             QTest::mouseClick(ui.Button1, Qt::LeftButton);
             QTest::mouseClick(ui.Button1, Qt::LeftButton);
             toolkit::SetItemIndex(ui.RadioGroupTool, 3);
         }},
        // Panned in the "Move" tool at zoom 2: the view moved under an unchanged ROI.
        {"Move with a pan at zoom 2",
         [&] {
             ui.EditMF->setText("2.0");
             ui.EditROISizeX->setText("128");
             ui.EditROISizeY->setText("128");
             form.RenderView();
             toolkit::SetItemIndex(ui.RadioGroupTool, 1);
             QTest::mousePress(ui.Image1, Qt::LeftButton, {}, {100, 100});
             QTest::mouseMove(ui.Image1, {140, 60});
             QTest::mouseRelease(ui.Image1, Qt::LeftButton, {}, {140, 60});
         }},
        {"OFF at zoom 1.5",
         [&] {
             ui.EditMF->setText("1.5");
             toolkit::SetItemIndex(ui.RadioGroupTool, 2);
         }},
    };
    for (const auto& c : cases) {
        toolkit::SetItemIndex(ui.RadioGroupTool, 0);
        c.act();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << c.what;
        const int posX = ui.EditROIPosX->text().toInt(), posY = ui.EditROIPosY->text().toInt();
        const int n = ui.EditROISizeX->text().toInt();
        ExpectBlockUsed(posX - n / 2, posY - n / 2, n, c.what);
        // Once drawn, the frame (shown or not) is the same block on the view of the last render.
        if (c.redrawn) {
            EXPECT_EQ(form.RoiFrame.Left, posX - n / 2 - form.ViewBounds.FirstColumn) << c.what;
            EXPECT_EQ(form.RoiFrame.Top, posY - n / 2 - form.ViewBounds.FirstRow) << c.what;
        }
        ui.EditMF->setText("1.0");
        ui.EditImgSftX->setText("0");
        ui.EditImgSftY->setText("0");
    }
}

} // namespace
