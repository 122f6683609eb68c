// Zoom, pan, the ROI and the window worked with real mouse events on Image1.
#include <QContextMenuEvent>
#include <QMenu>

#include "HandlerGuard.h"
#include "ViewerFixture.h"
#include "TestWindows.h"

namespace {

class ViewerMouse : public ViewerFixture {
protected:
    // A 512 x 512 ramp at magnification 1: one bitmap pixel per client pixel, the ROI (centre
    // 256, 256, size 256) framed at 128..383.
    void SetUp() override
    {
        ViewerFixture::SetUp();
        Load(WriteRamp(512, 512));
    }

    void Press(Qt::MouseButton b, QPoint p) { QTest::mousePress(ui.Image1, b, {}, p); }
    void Move(QPoint p) { QTest::mouseMove(ui.Image1, p); }
    void Release(Qt::MouseButton b, QPoint p) { QTest::mouseRelease(ui.Image1, b, {}, p); }
    void Drag(Qt::MouseButton b, std::initializer_list<QPoint> path)
    {
        Press(b, *path.begin());
        for (auto p = path.begin() + 1; p != path.end(); ++p)
            Move(*p);
        Release(b, *(path.end() - 1));
    }
};

TEST_F(ViewerMouse, RightDragMovesTheWindowByRange)
{
    ui.EditWindowWidth->setText("256");
    ui.EditWindowLevel->setText("256");
    // "Range" 3: 10 pixels right and 10 down widen by 30 and lower by 30, however many steps.
    Drag(Qt::RightButton, {{100, 100}, {105, 103}, {110, 110}});
    EXPECT_EQ(ui.EditWindowWidth->text(), "286");
    EXPECT_EQ(ui.EditWindowLevel->text(), "226");
    EXPECT_EQ(form.DragButton, "");
    // The drag redraws with the new window: value 226 sits at grey 128.
    EXPECT_EQ(form.DisplayBitmap().At(26, 100), 128);

    ui.EditWindowWidth->setText("20");
    Drag(Qt::RightButton, {{200, 200}, {190, 200}});  // one step of -30: the width stays
    EXPECT_EQ(ui.EditWindowWidth->text(), "20");
    Press(Qt::RightButton, {200, 200});
    for (int x = 199; x >= 190; --x)
        Move({x, 200});
    Release(Qt::RightButton, {190, 200});
    EXPECT_EQ(ui.EditWindowWidth->text(), "2");

    toolkit::SetItemIndex(ui.RadioGroupRange, 3);  // "30", and in any tool
    toolkit::SetItemIndex(ui.RadioGroupTool, 2);
    Drag(Qt::RightButton, {{10, 10}, {12, 9}});
    EXPECT_EQ(ui.EditWindowWidth->text(), "62");
    EXPECT_EQ(ui.EditWindowLevel->text(), "256");
}

TEST_F(ViewerMouse, CornerDragsResizeAndTheReleaseComputesStatistics)
{
    ASSERT_EQ(form.RoiFrame, (viewer::Rect{128, 128, 383, 383}));
    Press(Qt::LeftButton, {100, 100});  // above-left: the top-left corner jumps to the pointer
    Move({50, 60});
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{50, 60, 383, 383}));
    EXPECT_EQ(ui.EditROISizeX->text(), "334");
    EXPECT_EQ(ui.EditROISizeY->text(), "324");
    // The position follows, so that the edits name the frame on show: 50 + 334 div 2.
    EXPECT_EQ(ui.EditROIPosX->text(), "217");
    EXPECT_EQ(ui.EditROIPosY->text(), "222");
    Release(Qt::LeftButton, {50, 60});
    // Block columns 50..383, rows 60..383 of c + 2r: mean 216.5 + 2 * 221.5.
    EXPECT_EQ(ui.EditAve->text(), "659.5");
    EXPECT_EQ(ui.EditMax->text(), "1149");
    EXPECT_EQ(ui.EditMin->text(), "170");
    EXPECT_FALSE(form.RoiDragTopLeft);

    Drag(Qt::LeftButton, {{450, 400}, {420, 410}, {400, 420}});  // below-right
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{50, 60, 400, 420}));
    EXPECT_EQ(ui.EditROISizeX->text(), "351");
    EXPECT_EQ(ui.EditROISizeY->text(), "361");

    // Left of the frame but below its top: no drag, yet the release still runs the statistics.
    ui.EditAve->clear();
    Drag(Qt::LeftButton, {{20, 200}, {10, 10}});
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{50, 60, 400, 420}));
    EXPECT_EQ(ui.EditAve->text(), "705");  // columns 50..400, rows 60..420: 225 + 2 * 240
    // The next redraw keeps the dragged frame where it is.
    form.RenderView();
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{50, 60, 400, 420}));
}

TEST_F(ViewerMouse, WholeRoiFollowsThePointer)
{
    Drag(Qt::LeftButton, {{200, 200}, {250, 260}, {300, 310}});
    // 256 wide: trunc(x - 128) .. trunc(x + 127).
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{172, 182, 427, 437}));
    EXPECT_EQ(ui.EditROIPosX->text(), "300");
    EXPECT_EQ(ui.EditROIPosY->text(), "310");
    EXPECT_EQ(ui.EditROISizeX->text(), "256");
    // The frame was erased and redrawn in place: a fresh render from the edits looks the same.
    const common::GreyBitmap dragged = form.DisplayBitmap();
    form.RenderView();
    EXPECT_EQ(form.DisplayBitmap(), dragged);

    // A right click leaves the pointer position behind; a left press exactly there moves nothing.
    Drag(Qt::RightButton, {{250, 250}});
    Drag(Qt::LeftButton, {{250, 250}, {350, 350}});
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{172, 182, 427, 437}));
}

TEST_F(ViewerMouse, ZoomStepsAndPanWithinTheMargins)
{
    QStringList texts;
    for (int i = 0; i < 10; ++i) {
        QTest::mouseClick(ui.Button1, Qt::LeftButton);
        texts << ui.EditMF->text();
    }
    EXPECT_EQ(texts, (QStringList{"1.1", "1.2", "1.3", "1.4", "1.5", "1.6", "1.7", "1.8", "1.9", "2"}));
    ASSERT_EQ(form.ViewBounds, (viewer::ViewBounds{128, 383, 128, 383}));

    toolkit::SetItemIndex(ui.RadioGroupTool, 1);  // "Move"; half a bitmap pixel per client pixel
    Press(Qt::LeftButton, {100, 100});
    Move({120, 100});  // right 20 -> ShiftX 10: the view moves left by 20 image columns
    EXPECT_EQ(ui.EditImgSftX->text(), "10");
    EXPECT_EQ(form.ViewBounds.FirstColumn, 108);
    Move({120, 80});  // up 20 -> ShiftY 10
    EXPECT_EQ(ui.EditImgSftY->text(), "10");
    EXPECT_EQ(form.ViewBounds.FirstRow, 148);
    Release(Qt::LeftButton, {120, 80});
    EXPECT_EQ(form.DragButton, "");

    // Eight columns left of the view: a step of ten is refused, the vertical one still taken.
    ui.EditImgSftX->setText("60");
    form.RenderView();
    ASSERT_EQ(form.ViewBounds.FirstColumn, 8);
    Drag(Qt::LeftButton, {{100, 100}, {120, 80}});
    EXPECT_EQ(ui.EditImgSftX->text(), "60");
    EXPECT_EQ(ui.EditImgSftY->text(), "20");
    EXPECT_EQ(form.ViewBounds.FirstRow, 168);
}

TEST_F(ViewerMouse, ZoomButtonsTextSteps)
{
    const struct {
        const char* before;
        QPushButton* button;
        const char* after;
        bool panReset;
    } cases[] = {{"1.0", ui.Button1, "1.1", false}, {"1.1", ui.Button2, "1.0", true},
                 {"1.0", ui.Button2, "1.0", true},  {"0.5", ui.Button2, "0.5", false},
                 {"0.5", ui.Button1, "0.6", false}, {"2.0", ui.Button2, "1.9", false}};
    for (const auto& c : cases) {
        ui.EditMF->setText(c.before);
        ui.EditImgSftX->setText("5");
        ui.EditImgSftY->setText("-5");
        QTest::mouseClick(c.button, Qt::LeftButton);
        EXPECT_EQ(ui.EditMF->text(), c.after) << c.before;
        EXPECT_EQ(ui.EditImgSftX->text(), c.panReset ? "0" : "5") << c.before;
        EXPECT_EQ(ui.EditImgSftY->text(), c.panReset ? "0" : "-5") << c.before;
    }
    ui.EditMF->setText("x");
    QTest::mouseClick(ui.Button1, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{"'x' は浮動小数点数ではありません"});
}

TEST_F(ViewerMouse, HomeResetsOnceFromThePreviousBitmap)
{
    ui.EditMF->setText("2.0");
    ui.EditImgSftX->setText("7");
    form.RenderView();  // a 256 x 256 bitmap
    ui.CheckBoxRoiSet->setChecked(false);
    toolkit::SetItemIndex(ui.RadioGroupTool, 3);
    EXPECT_EQ(ui.EditROIPosX->text(), "128");
    EXPECT_EQ(ui.EditROIPosY->text(), "128");
    EXPECT_EQ(ui.EditMF->text(), "1.0");
    EXPECT_EQ(ui.EditImgSftX->text(), "0");
    EXPECT_EQ(ui.EditROISizeY->text(), "256");
    EXPECT_TRUE(ui.CheckBoxRoiSet->isChecked());
    EXPECT_EQ(form.DisplayBitmap().Width(), 512);
    EXPECT_EQ(ui.RadioGroupTool->ItemIndex(), 3);
    ui.EditROIPosX->setText("5");
    QTest::mouseClick(ui.RadioGroupTool->Button(3), Qt::LeftButton);  // already selected: nothing
    EXPECT_EQ(ui.EditROIPosX->text(), "5");
}

TEST_F(ViewerMouse, SizeMenuPresetsAndTheSizeEditFocus)
{
    // The context-menu request of either size edit (a right click) opens the menu.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(ui.EditROISizeY, &rightClick);
    EXPECT_TRUE(form.PopupMenu1->isVisible());
    form.PopupMenu1->hide();
    QStringList captions;
    for (QAction* a : form.PopupMenu1->actions())
        captions << a->objectName() + "=" + a->text();
    EXPECT_EQ(captions, (QStringList{"N641=64", "N1281=128", "N2561=256", "N5121=512", "N10241=1024", "N20481=2048"}));

    toolkit::SetItemIndex(ui.RadioGroupTool, 1);
    form.N20481->trigger();
    EXPECT_EQ(ui.EditROISizeX->text(), "2048");
    EXPECT_EQ(ui.EditROISizeY->text(), "2048");
    EXPECT_EQ(ui.RadioGroupTool->ItemIndex(), 0);
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{-768, -768, 1279, 1279}));
    // The statistics take the part of the block inside the image: the whole ramp.
    QTest::mouseClick(ui.ButtonStat, Qt::LeftButton);
    EXPECT_EQ(ui.EditAve->text(), "766.5");

    // Entering the size edit places the ROI from the edits and redraws.
    ui.EditROIPosX->setText("50");
    ui.EditROISizeX->setText("100");
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(ui.EditROISizeX, &focusIn);
    EXPECT_EQ(form.RoiBounds, (viewer::Rect{0, -768, 99, 1279}));
    ui.EditROISizeX->setText("abc");
    QApplication::sendEvent(ui.EditROISizeX, &focusIn);
    EXPECT_EQ(dialogs.messages, QStringList{"'abc' は整数ではありません"});
}

TEST_F(ViewerMouse, OnlyMovingIntoTheSizeEditRunsItsEntryHandler)
{
    // The error box of a bad size returns the focus to the edit when it closes: were that an
    // entry, the box would come back after every close and the user could never correct the text.
    ui.EditROISizeX->setText("12a");
    const struct {
        Qt::FocusReason reason;
        bool entry;
    } cases[] = {
        {Qt::MouseFocusReason, true},          {Qt::TabFocusReason, true},
        {Qt::BacktabFocusReason, true},        {Qt::ShortcutFocusReason, true},
        {Qt::OtherFocusReason, true},          {Qt::ActiveWindowFocusReason, false},
        {Qt::PopupFocusReason, false},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        QFocusEvent focusIn(QEvent::FocusIn, c.reason);
        QApplication::sendEvent(ui.EditROISizeX, &focusIn);
        EXPECT_EQ(dialogs.messages.size(), c.entry ? 1 : 0) << c.reason;
    }
}

TEST_F(ViewerMouse, MenuChangeKeepsTheZoomAndResetsThePanAtOne)
{
    const struct {
        const char* before;
        const char* after;
        const char* shift;
    } cases[] = {{"2.0", "2", "4"}, {"1.0", "1.0", "0"}, {"0.5", "0.6", "4"}};
    for (const auto& c : cases) {
        ui.EditMF->setText(c.before);
        ui.EditImgSftX->setText("4");
        form.PopupMenu1Change();
        EXPECT_EQ(ui.EditMF->text(), c.after) << c.before;
        EXPECT_EQ(ui.EditImgSftX->text(), c.shift) << c.before;
    }
}

TEST(ViewerCreate, MenuChangeRunsOnceWhileTheWindowIsCreated)
{
    TestWindows windows;
    TForm1& form = windows.form1;
    EXPECT_EQ(form.ui.EditMF->text(), "1.0");
    EXPECT_EQ(form.ui.EditImgSftX->text(), "0");
    EXPECT_EQ(form.RoiFrame, (viewer::Rect{32, 32, 95, 95}));  // placed from the default edits
    EXPECT_EQ(form.LoadState, 0);
}

} // namespace
