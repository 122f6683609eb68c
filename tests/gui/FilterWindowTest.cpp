#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QGuiApplication>
#include <cmath>
#include <functional>

#include "DialogDouble.h"
#include "HandOffTable.h"
#include "Errors.h"
#include "SpectrumDouble.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WorkBitmap.h"
#include "TestWindows.h"

namespace {

// A ROI with structure in both directions and a range of a few hundred.
double Pattern(int x, int y) { return 100 + (x * 37 + y * 11) % 50 + 3 * x; }

class FilterWindow : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    SpectrumDouble spectrum;
    TestWindows windows{spectrum};
    TForm1& form1 = windows.form1;
    TForm3& form = windows.form3;
    Ui::TForm3& ui = form.ui;
    TempFolder folder;

    // The hand-over: "toFilter" resets the count, then the spectrum window runs the new-image
    // operation twice (its activation and "ToCnvolution").
    void HandOver(int n)
    {
        spectrum.Load(n, Pattern);
        form1.ui.EditROISizeX->setText(QString::number(n));
        ui.EditNAct->setText("0");
        form.ButtonNewImageClick();
        form.ButtonNewImageClick();
    }

    static bool Blank(const toolkit::ImageBox* image)
    {
        const auto& p = image->Bitmap().Pixels();
        return std::all_of(p.begin(), p.end(), [&](std::uint8_t g) { return g == p.front(); });
    }
};

TEST_F(FilterWindow, StartsWithTheFormDefaults)
{
    EXPECT_EQ(form.windowTitle(), "Form3");
    EXPECT_EQ(ui.Label4->text(), "ResetWindow");
    EXPECT_EQ(ui.EditNAct->text(), "0");
    EXPECT_EQ(ui.RadioGroupFilter->ItemIndex(), 1);
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), -1);
    EXPECT_EQ(ui.EditHCOF->text(), "0.25");
    EXPECT_EQ(form.WorkBitmap, &spectrum::WorkBitmap());  // shared with the spectrum window
    EXPECT_EQ(ui.UpDownDeg->Minimum(), -15);
    EXPECT_EQ(ui.UpDownDeg->Maximum(), 90);
    EXPECT_EQ(form.RenderReady, 0);
}

TEST_F(FilterWindow, HandOverBringsUpAllFiveViews)
{
    HandOver(64);
    EXPECT_EQ(ui.EditNAct->text(), "2");
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 1);  // Filtered, with the Raw window (linked)
    EXPECT_EQ(ui.EditHCOF->text(), "0.25");      // stepped up and back
    for (const auto* image : {ui.ImageRw, ui.ImageFltrd, ui.ImageSpctl, ui.ImageFltr, ui.ImageCnvl})
        EXPECT_FALSE(Blank(image)) << image->objectName().toStdString();
    EXPECT_EQ(form.WorkBitmap->Width(), 64);
    EXPECT_EQ(form.Windows.raw, form.Windows.filtered);
    EXPECT_EQ(form.Windows.raw.upper, static_cast<int>(spectrum.rawMax));
    EXPECT_EQ(form.ChartHist->Values(form.Series2).size(), 35u);
    EXPECT_EQ(form.RenderReady, 1);

    // Unlinked windows: the Raw view ends selected.
    ui.CheckBoxWNDe->setChecked(false);
    ui.EditNAct->setText("0");
    form.ButtonNewImageClick();
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 0);
    EXPECT_EQ(ui.EditNAct->text(), "1");
}

TEST_F(FilterWindow, NoFilterGivesBackTheRoiInPlace)
{
    HandOver(64);
    // "No" keeps the FilterMax of the filter before it, so the Filter view stays drawable.
    form.FilterMax = 0.625;
    ui.RadioGroupFilter->setItemIndex(3);
    form.ButtonFltrUpClick();
    EXPECT_EQ(form.FilterMax, 0.625);
    EXPECT_EQ(form.FilterGain[3][60], 1.0);
    for (int x = 0; x < 64; ++x)
        for (int y = 0; y < 64; ++y)
            ASSERT_NEAR(form.FilteredImage[x][y], Pattern(x, y), 1e-3) << x << "," << y;
    // The same values through the same (linked) window: the same picture.
    form.ImageRwClick();
    form.ImageFltrdClick();
    EXPECT_EQ(ui.ImageRw->Bitmap(), ui.ImageFltrd->Bitmap());
}

TEST_F(FilterWindow, CutOffStepsFollowTheFilterType)
{
    HandOver(64);
    struct Case { int type; const char* lcof; const char* hcof; };
    const Case cases[] = {{1, "0.2", "0.296875"}, {0, "0.246875", "0.25"}, {2, "0.246875", "0.296875"}, {3, "0.2", "0.25"}};
    for (const Case& c : cases) {
        ui.EditLCOF->setText("0.2");
        ui.EditHCOF->setText("0.25");
        ui.RadioGroupFilter->setItemIndex(c.type);
        form.ButtonFltrUpClick();
        EXPECT_EQ(ui.EditLCOF->text(), c.lcof) << c.type;
        EXPECT_EQ(ui.EditHCOF->text(), c.hcof) << c.type;
    }
    ui.RadioGroupFilter->setItemIndex(1);
    form.ButtonPwrUpClick();
    EXPECT_EQ(ui.EditHN->text(), "6");
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 1);
    // "*" outside "BPF" changes no edit but refilters.
    ui.EditLCOF->setText("0.1");
    form.ButtonBPFClick();
    EXPECT_EQ(ui.EditLCOF->text(), "0.1");
    ui.RadioGroupFilter->setItemIndex(2);
    form.ButtonBPFClick();
    EXPECT_EQ(ui.EditLCOF->text(), "0.2");
    EXPECT_EQ(ui.EditLN->text(), "6");
}

TEST_F(FilterWindow, StoredWindowsPerViewAndTheTrackBarGuard)
{
    HandOver(64);
    form.ImageRwClick();
    const QString rawUpper = ui.EditUL->text();
    // Spectral views share one window.
    form.ImageSpctlClick();
    ui.TrackBarULVL->setValue(120);
    EXPECT_EQ(ui.EditUL->text(), "120");
    EXPECT_EQ(ui.LabelWND->text(), "121/60");
    form.ImageFltrClick();
    EXPECT_EQ(ui.EditUL->text(), "120");
    EXPECT_EQ(ui.TrackBarULVL->maximum(), 140);
    form.ImageRwClick();
    EXPECT_EQ(ui.EditUL->text(), rawUpper);
    // Out of the graph's angles: the Power view is selected without a redraw and track-bar moves
    // no longer render until the next ShowImage.
    form.UpDownDegChanging(-15);
    EXPECT_EQ(ui.EditDeg->text(), "0");
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 2);
    EXPECT_EQ(form.RenderReady, 0);
    ui.TrackBarULVL->setValue(ui.TrackBarULVL->value() - 1);
    EXPECT_EQ(ui.EditUL->text(), rawUpper);
    form.ImageSpctlClick();
    EXPECT_EQ(form.RenderReady, 1);
}

TEST_F(FilterWindow, ResetsAndRescale)
{
    HandOver(64);
    form.ButtonRstSpctClick();
    EXPECT_EQ(ui.EditUL->text(), "100");
    EXPECT_EQ(ui.EditLL->text(), "0");
    EXPECT_EQ(ui.TrackBarLLVL->minimum(), -40);
    form.Label3Click();
    EXPECT_EQ(ui.TrackBarULVL->maximum(), 140);
    EXPECT_EQ(ui.TrackBarLLVL->minimum(), -40);
    form.ButtonFltrdClick();
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 1);
    EXPECT_EQ(ui.EditUL->text(), QString::number(static_cast<int>(std::trunc(form.FilteredMax))));
}

TEST_F(FilterWindow, ZoomTabSizes)
{
    struct Case { int n; int side; };
    for (const Case c : {Case{64, 512}, Case{1024, 1024}}) {
        ui.PageControl512->setCurrentIndex(1);
        HandOver(c.n);
        EXPECT_EQ(ui.Image512->width(), c.side) << c.n;
        EXPECT_EQ(ui.Image512->Bitmap().Width(), c.side) << c.n;
    }
}

TEST_F(FilterWindow, ZoomTabShowsTheViewDrawnWhileItWasHidden)
{
    ui.PageControl512->setCurrentIndex(0);
    HandOver(64);
    const common::GreyBitmap view = *form.WorkBitmap;
    // The spectrum window draws into the same work bitmap before the user turns to the page.
    std::fill(form.WorkBitmap->Pixels().begin(), form.WorkBitmap->Pixels().end(), std::uint8_t{0});
    ui.PageControl512->setCurrentIndex(1);
    ASSERT_EQ(ui.Image512->Bitmap().Width(), 512);
    EXPECT_FALSE(Blank(ui.Image512));
    // The view's picture, stretched from 64 to 512: each view pixel covers 8 x 8 zoom pixels.
    const common::GreyBitmap& zoom = ui.Image512->Bitmap();
    for (int y : {0, 100, 300})
        for (int x : {0, 250, 511})
            EXPECT_EQ(zoom.Pixels()[static_cast<std::size_t>(y * 512 + x)],
                      view.Pixels()[static_cast<std::size_t>(y / 8 * 64 + x / 8)]) << x << "," << y;
}

TEST_F(FilterWindow, ProfileAlongAnglesAndItsClipboardText)
{
    HandOver(64);
    struct Case { int degrees; int count; int dx, dy; };
    for (const Case c : {Case{0, 64, 31, 0}, Case{45, 90, 31, 31}, Case{90, 64, 0, 31}}) {
        form.UpDownDegChanging(c.degrees);
        EXPECT_EQ(form.ProfileCount, c.count) << c.degrees;
        EXPECT_EQ(form.ProfileDX, c.dx) << c.degrees;
        EXPECT_EQ(form.ProfileDY, c.dy) << c.degrees;
        const QString text = QGuiApplication::clipboard()->text();
        EXPECT_TRUE(text.endsWith("\r\n"));
        EXPECT_EQ(text.count('\t'), c.count / 2 - 1) << c.degrees;
    }
    EXPECT_TRUE(ui.ImageFltrC->ShowsColorPicture());
}

TEST_F(FilterWindow, ProfileLineOverThePowerViewAndInvertedRawView)
{
    HandOver(64);
    const common::GreyBitmap before = ui.ImageSpctl->Bitmap();
    form.UpDownDegChanging(0);
    const common::GreyBitmap& after = ui.ImageSpctl->Bitmap();
    // From (98, 129) to (159, 128), the end point excluded.
    EXPECT_EQ(after.At(98, 129), 255 - before.At(98, 129));
    EXPECT_EQ(after.At(158, 128), 255 - before.At(158, 128));
    EXPECT_EQ(after.At(159, 128), before.At(159, 128));
    EXPECT_EQ(after.At(98, 140), before.At(98, 140));

    // Invert: the Raw view comes up reversed (p -> 255 - p), then the linked Filtered view.
    form.ImageRwClick();
    const common::GreyBitmap plain = ui.ImageRw->Bitmap();
    ui.CheckBoxInvrt->setChecked(true);
    EXPECT_EQ(ui.RadioGroupImg->ItemIndex(), 1);
    const auto& inverted = ui.ImageRw->Bitmap();
    for (int y = 0; y < 256; y += 5)
        for (int x = 0; x < 256; x += 5)
            ASSERT_EQ(inverted.At(x, y), 255 - plain.At(x, y)) << x << "," << y;
}

TEST_F(FilterWindow, Exports)
{
    HandOver(4);
    const QString raw = folder.Path("filtered.raw");
    dialogs.saveAnswers.push_back(raw);  // a new name is welcome
    form.ButtonSaveFltrdClick();
    EXPECT_EQ(QFileInfo(raw).size(), 64);
    EXPECT_TRUE(dialogs.confirmations.isEmpty());
    form.ButtonRstSpctClick();
    const QString bmp = folder.Path("view.bmp");
    dialogs.saveAnswers.push_back(bmp);
    form.ButtonSaveBMPClick();
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    EXPECT_EQ(b.size(), 14 + 40 + 1024 + 16);
    EXPECT_EQ(b[18], 4);
    EXPECT_EQ(b[28], 8);
    // Cancelled: nothing written.
    form.ButtonSaveBMPClick();
    // Replacing an existing file is asked first; declined, the file stays as it was.
    dialogs.saveAnswers.push_back(bmp);
    dialogs.confirmAnswers.push_back(false);
    form.ButtonSaveFltrdClick();
    EXPECT_EQ(dialogs.confirmations.size(), 1);
    EXPECT_EQ(QFileInfo(bmp).size(), b.size());
    dialogs.saveAnswers.push_back(bmp);
    dialogs.confirmAnswers.push_back(true);
    form.ButtonSaveFltrdClick();
    EXPECT_EQ(QFileInfo(bmp).size(), 64);
    // The Filtered view's maximum is written 1.
    form.ImageFltrdClick();
    form.ButtonToClipBClick();
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_EQ(text.count("\r\n"), 4);
    EXPECT_TRUE(text.split(QRegularExpression("[\t\r\n]+")).contains("1"));
    form.ButtonROIToCBClick();
    EXPECT_EQ(spectrum.allClicks, 1);
    // A file that cannot be created: the file error.
    dialogs.saveAnswers.push_back(folder.Path("no/such/folder/x.raw"));
    EXPECT_THROW(form.ButtonSaveFltrdClick(), common::FileError);
}

TEST_F(FilterWindow, ToClipBRefusesAMaximumThatWouldTurnTheSigns)
{
    // A ROI in air: every value below 0, the largest -1010.
    spectrum.Load(8, [](int x, int y) { return -1024.0 + x + y; });
    form1.ui.EditROISizeX->setText("8");
    ui.EditNAct->setText("0");
    form.ButtonNewImageClick();
    form.ButtonNewImageClick();
    QGuiApplication::clipboard()->setText("before");
    form.ImageRwClick();
    dialogs.messages.clear();
    QTest::mouseClick(ui.ButtonToClipB, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("Raw ビューの値をその最大値で割りますが、ここでは最大値が -1010 です")))
        << dialogs.messages[0].toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    // The spectrum has a maximum above 0: its views copy as before.
    form.ImageCnvlClick();
    dialogs.messages.clear();
    QTest::mouseClick(ui.ButtonToClipB, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('|').toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count("\r\n"), 8);
}

TEST_F(FilterWindow, ExportsRefuseResultsThatAreNotCurrent)
{
    const auto refusal = [&](const std::function<void()>& press) -> std::string {
        try {
            press();
        } catch (const common::InputError& e) {
            return e.what();
        }
        return "(written)";
    };
    const std::vector<std::pair<const char*, std::function<void()>>> exports = {
        {"SaveFltrd", [&] { form.ButtonSaveFltrdClick(); }},
        {"SaveBMP", [&] { form.ButtonSaveBMPClick(); }},
        {"ToClipB", [&] { form.ButtonToClipBClick(); }},
        {"Value Spctl", [&] { form.ButtonVlSpctlClick(); }},
        {"Value Cnvl", [&] { form.ButtonVlCnvlClick(); }},
        {"BMP Fltrd", [&] { form.ButtonBMPFltrdClick(); }},
    };
    const auto expectAllRefused = [&](const char* state, const std::string& says) {
        for (const auto& [name, press] : exports) {
            dialogs.saveAnswers.push_back(folder.Path("never.raw"));
            EXPECT_NE(refusal(press).find(says), std::string::npos) << state << ": " << name;
            dialogs.saveAnswers.clear();
        }
        EXPECT_FALSE(QFile::exists(folder.Path("never.raw"))) << state;
        EXPECT_TRUE(dialogs.saveStartFolders.isEmpty()) << state;  // refused before the dialog
    };

    expectAllRefused("before any hand-off", "yet: hand a ROI over with \"toFilter\"");

    HandOver(8);
    // The user types another cut-off and does not filter again.
    ui.EditHCOF->setText("0.3");
    expectAllRefused("other settings", "other settings than those shown");
    QTest::mouseClick(ui.ButtonBPF, Qt::LeftButton);  // "*" filters with the settings shown
    dialogs.saveAnswers.push_back(folder.Path("now.raw"));
    form.ButtonSaveFltrdClick();
    EXPECT_TRUE(QFile::exists(folder.Path("now.raw")));
    dialogs.saveStartFolders.clear();

    // A run that stops part-way (a cut-off of 0 is refused where it would divide) leaves no
    // current result.
    ui.EditHCOF->setText("0");
    EXPECT_THROW(form.ButtonBPFClick(), common::InputError);
    ui.EditHCOF->setText("0.3");
    expectAllRefused("interrupted", "stopped before");

    // A new hand-off whose new-image operation never ran: the result is the earlier ROI's.
    spectrum.Load(8, [](int x, int) { return 5.0 + x; });
    expectAllRefused("earlier hand-off", "does not belong to the ROI handed over last");

    // The table itself is always the current one.
    form.ButtonROIToCBClick();
    EXPECT_EQ(spectrum.allClicks, 1);
}

TEST_F(FilterWindow, HighCutOffAtOrBelowZeroIsRefused)
{
    HandOver(8);
    // Typed: -0.2 would act as 0.2, 0 divides, and 1E-50 is 0 in single precision.
    for (const char* typed : {"-0.2", "0", "1E-50"}) {
        for (int type : {1, 2}) {  // "HCF", "BPF"
            ui.RadioGroupFilter->setItemIndex(type);
            ui.EditHCOF->setText(typed);
            dialogs.messages.clear();
            QTest::mouseClick(ui.ButtonBPF, Qt::LeftButton);
            ASSERT_EQ(dialogs.messages.size(), 1) << typed;
            EXPECT_EQ(dialogs.messages[0], QStringLiteral("高域カットオフは 0 cycles/pixel より大きくしてください（現在 %1）。").arg(typed));
        }
    }
    // Stepped: "▼" that would reach 0 leaves both cut-offs as they were (step 3 / 8 = 0.375).
    ui.RadioGroupFilter->setItemIndex(2);
    ui.EditLCOF->setText("0.1");
    ui.EditHCOF->setText("0.25");
    dialogs.messages.clear();
    QTest::mouseClick(ui.ButtonFltrDwn, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("高域カットオフは 0 cycles/pixel より大きくしてください（現在 -0.125）。")});
    EXPECT_EQ(ui.EditHCOF->text(), "0.25");
    EXPECT_EQ(ui.EditLCOF->text(), "0.1");
    // The low cut-off alone may go to 0 or below: it then cuts nothing, as designed.
    ui.RadioGroupFilter->setItemIndex(0);
    dialogs.messages.clear();
    QTest::mouseClick(ui.ButtonFltrDwn, Qt::LeftButton);
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('|').toStdString();
    EXPECT_EQ(ui.EditLCOF->text(), "-0.275");
}

TEST_F(FilterWindow, StepBeforeAnyHandOffFailsBeforeWritingTheCutOff)
{
    // N is still 0: the step divides by it. Were "INF" written first, every later filter run
    // would fail on the cut-off text until the user retyped it.
    for (QPushButton* button : {ui.ButtonFltrUp, ui.ButtonFltrDwn}) {
        dialogs.messages.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(dialogs.messages, QStringList{common::kDivideByZeroMessage}) << button->objectName().toStdString();
        EXPECT_EQ(ui.EditHCOF->text(), "0.25");
    }
    HandOver(8);  // and the hand-off that follows works
    EXPECT_EQ(ui.EditHCOF->text(), "0.25");
}

TEST_F(FilterWindow, EachTrackBarSitsUnderItsOwnCaption)
{
    HandOver(8);
    // Label3 reads "L      U": its left letter names the left bar.
    ASSERT_TRUE(ui.Label3->text().startsWith('L') && ui.Label3->text().endsWith('U'));
    QSlider* left = ui.TrackBarLLVL->x() < ui.TrackBarULVL->x() ? ui.TrackBarLLVL : ui.TrackBarULVL;
    QSlider* right = left == ui.TrackBarLLVL ? ui.TrackBarULVL : ui.TrackBarLLVL;
    for (QSlider* bar : {left, right}) {
        EXPECT_GE(bar->x(), ui.Label3->x());
        EXPECT_LE(bar->x() + bar->width(), ui.Label3->x() + ui.Label3->width() + 2);
    }
    left->setValue(left->minimum() + 1);
    EXPECT_EQ(ui.EditLL->text(), QString::number(left->minimum() + 1));
    right->setValue(right->maximum() - 1);
    EXPECT_EQ(ui.EditUL->text(), QString::number(right->maximum() - 1));
}

TEST_F(FilterWindow, BadInputGetsAClearMessage)
{
    spectrum.Load(64, Pattern);
    for (const char* size : {"100", "2048", "0", "-64"}) {
        form1.ui.EditROISizeX->setText(size);
        EXPECT_THROW(form.ButtonNewImageClick(), common::InputError) << size;
        EXPECT_EQ(ui.EditNAct->text(), "0");
    }
    form1.ui.EditROISizeX->setText("64");
    ui.CheckBoxSSIR->setChecked(true);
    EXPECT_THROW(form.ButtonNewImageClick(), common::FloatError);
    EXPECT_EQ(ui.EditNAct->text(), "0");
    ui.CheckBoxSSIR->setChecked(false);
    form.ButtonNewImageClick();
    ui.EditUL->setText("abc");
    EXPECT_THROW(form.RenderImage(), common::ConversionError);
    // Through the guard the message reaches the user's message box.
    ui.EditUL->setText("100");
    spectrum.spectrumMax = 1.0;
    ui.ImageSpctl->Bitmap().At(0, 0) = 9;
    QTest::mouseClick(ui.ButtonRstSpct, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("(1) が 1、0 またはそれ以下のため"))) << dialogs.messages[0].toStdString();
    EXPECT_EQ(ui.ImageSpctl->Bitmap().At(0, 0), 9);
    // The busy cursor of the failed operations is gone again.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace

namespace {

// The road of one image through the real spectrum window: the table as the viewer's hand-off
// fills it, then the spectrum window's activation sequence.
TEST(FilterHandOff, ThroughTheSpectrumWindowToAllFiveViews)
{
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    const int n = 64;
    FillHandOffTable(form1, form2, form3, n, "0.5", Pattern);
    form2.FormActivate();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
    EXPECT_EQ(form3.ui.EditNAct->text(), "2");
    EXPECT_EQ(form3.ui.RadioGroupImg->ItemIndex(), 1);
    EXPECT_EQ(form3.FilterMatrixSize, n);
    EXPECT_EQ(form3.ChartHist->Values(form3.Series1).size(), 35u);
    EXPECT_EQ(form3.ChartHist->Values(form3.Series2).size(), 35u);
    // Filter "No" returns the table itself, pixel for pixel.
    form3.ui.RadioGroupFilter->setItemIndex(3);
    form3.ButtonFltrUpClick();
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            ASSERT_NEAR(form3.FilteredImage[x][y], static_cast<long long>(Pattern(x, y)), 1e-3) << x << "," << y;
}

} // namespace
