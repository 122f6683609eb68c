// The windows keep the forms' fixed pixel layout; the UI font must let that layout hold its texts:
// captions, the header grid's titles and values, and the values the edits show after a load.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolTip>

#include "CutTextTips.h"
#include "DialogDouble.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

// Room a push button's frame and a line edit's frame and margins take from the text.
constexpr int kButtonFrame = 6;
constexpr int kEditFrame = 8;

int TextWidth(const QWidget& w, const QString& text) { return w.fontMetrics().horizontalAdvance(text); }

// "name: text (needs n, has m)" for each caption of the window that its control cannot show whole.
QStringList CutCaptions(const QWidget& window)
{
    QStringList cut;
    const auto report = [&](const QWidget& w, const QString& text, int needs, int has) {
        if (needs > has)
            cut << QStringLiteral("%1: '%2' (needs %3, has %4)").arg(w.objectName(), text).arg(needs).arg(has);
    };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (!label->wordWrap())
            report(*label, label->text(), TextWidth(*label, label->text()), label->contentsRect().width());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->parentWidget() || !button->isVisibleTo(&const_cast<QWidget&>(window)))
            continue;
        if (qobject_cast<const QPushButton*>(button))
            report(*button, button->text(), TextWidth(*button, button->text()) + kButtonFrame, button->width());
        else if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button))
            report(*button, button->text(), button->sizeHint().width(), button->width());
    }
    return cut;
}

QStringList CutEditTexts(std::initializer_list<const QLineEdit*> edits)
{
    QStringList cut;
    for (const QLineEdit* edit : edits) {
        const int needs = TextWidth(*edit, edit->text()) + kEditFrame;
        if (needs > edit->width())
            cut << QStringLiteral("%1: '%2' (needs %3, has %4)").arg(edit->objectName(), edit->text()).arg(needs).arg(edit->width());
    }
    return cut;
}

class FormTexts : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;

    void LoadSample()
    {
        dialogs.openAnswers.push_back(QStringLiteral(SAMPLES_DIR "/ct-phantom.dcm"));
        form1.BitBtnLoadClick();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('\n').toStdString();
    }
};

TEST_F(FormTexts, UiFontHasALatinFaceBeforeTheJapaneseOne)
{
    // IPA Gothic draws "\" as a yen sign, so it may only be the fallback.
    EXPECT_EQ(QFontInfo(form1.font()).family(), "DejaVu Sans");
    const QFontMetrics metrics(form1.font());
    EXPECT_TRUE(metrics.inFontUcs4(U'\\'));
    EXPECT_TRUE(metrics.inFontUcs4(U'は'));  // through the fallback face
}

TEST_F(FormTexts, CaptionsFitTheirControls)
{
    for (const QWidget* window : {static_cast<QWidget*>(&form1), static_cast<QWidget*>(&form2), static_cast<QWidget*>(&form3)})
        EXPECT_EQ(CutCaptions(*window).join('\n').toStdString(), "") << window->objectName().toStdString();
}

TEST_F(FormTexts, HeaderGridColumnsFitTitlesAndValues)
{
    const QTableWidget& grid = *form1.ui.StringGridDICOM;
    const auto cutCells = [&grid] {
        QStringList cut;
        for (int r = 0; r < std::min(grid.rowCount(), 200); ++r)
            for (int c = 0; c < 7; ++c)
                if (const QTableWidgetItem* item = grid.item(r, c);
                    item && TextWidth(grid, item->text()) + kButtonFrame > grid.columnWidth(c))
                    cut << QStringLiteral("(%1,%2) '%3'").arg(r).arg(c).arg(item->text());
        return cut;
    };
    EXPECT_EQ(cutCells().join('\n').toStdString(), "") << "titles at start-up";
    LoadSample();
    EXPECT_EQ(cutCells().join('\n').toStdString(), "") << "the sample's header";
}

TEST_F(FormTexts, ParameterEditsShowTheSampleValues)
{
    LoadSample();
    const Ui::TForm1& ui = form1.ui;
    EXPECT_EQ(CutEditTexts({ui.EditFileSize, ui.EditHeader, ui.EditFOVSize, ui.EditImgSizeX, ui.EditImgSizeY,
                            ui.EditOffst, ui.EditPxlSpc, ui.EditWindowLevel, ui.EditWindowWidth, ui.EditROIPosX,
                            ui.EditROIPosY, ui.EditROISizeX, ui.EditROISizeY, ui.EditMax, ui.EditMin})
                  .join('\n').toStdString(),
              "");
}

// No legible font lets a 64-pixel edit hold a 15-digit real: hovering shows the whole value.
TEST_F(FormTexts, HoverShowsWhatAControlCuts)
{
    toolkit::CutTextTips tips;
    QLineEdit& edit = *form1.ui.EditAve;
    QTableWidget& grid = *form1.ui.StringGridDICOM;
    grid.setItem(1, 6, new QTableWidgetItem(QString(90, '7')));
    grid.setItem(1, 3, new QTableWidgetItem("UI"));
    const QPoint cell = grid.visualRect(grid.model()->index(1, 6)).center();
    const QPoint shortCell = grid.visualRect(grid.model()->index(1, 3)).center();

    struct Case { QWidget* target; QPoint at; QString text; bool shown; };
    const Case cases[] = {
        {&edit, {10, 10}, "-56.0068359375", true},
        {&edit, {10, 10}, "-24", false},
        {grid.viewport(), cell, QString(90, '7'), true},
        {grid.viewport(), shortCell, "UI", false},
    };
    for (const Case& c : cases) {
        if (c.target == &edit)
            edit.setText(c.text);
        QHelpEvent help(QEvent::ToolTip, c.at, c.target->mapToGlobal(c.at));
        EXPECT_EQ(tips.eventFilter(c.target, &help), c.shown) << c.text.toStdString();
        if (c.shown)
            EXPECT_EQ(QToolTip::text(), c.text);
    }
}

} // namespace
