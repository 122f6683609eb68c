// The filter window draws each view once per operation, at its end. These tests run the same
// steps with every drawing made at once and with the drawings left to the end, and compare
// everything a user or an export can see: the five views, the zoom page, the work bitmap (the
// window's BMP export), the messages and the levels.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "DialogDouble.h"
#include "HandOffTable.h"
#include "HandlerGuard.h"
#include "SpectrumDouble.h"
#include "ThreadPool.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WorkBitmap.h"
#include "TestWindows.h"

namespace {

double Pattern(int x, int y) { return 100 + (x * 37 + y * 11) % 50 + 3 * x + ((x / 4 + y / 4) % 2) * 40; }

struct Windows {
    explicit Windows(int threads) : windows(threads, &spectrum) {}

    toolkit::DialogDouble dialogs;
    SpectrumDouble spectrum;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm3& form = windows.form3;
    Ui::TForm3& ui = form.ui;

    void HandOver(int n)
    {
        spectrum.Load(n, Pattern);
        form1.ui.EditROISizeX->setText(QString::number(n));
        ui.EditNAct->setText("0");
        Press([&] { form.ButtonNewImageClick(); });
        Press([&] { form.ButtonNewImageClick(); });
    }
    // As a click does: a refusal ends in the message box.
    static void Press(const std::function<void()>& handler) { toolkit::RunSlot(handler); }
};

// What can be seen after the steps.
struct Seen {
    std::vector<common::GreyBitmap> views;
    common::GreyBitmap zoom;
    common::GreyBitmap work;
    QStringList messages;
    QStringList texts;
    int renderReady = 0;
};

Seen Look(Windows& w)
{
    Seen s;
    for (const toolkit::ImageBox* image : {w.ui.ImageRw, w.ui.ImageFltrd, w.ui.ImageSpctl, w.ui.ImageFltr,
                                           w.ui.ImageCnvl})
        s.views.push_back(image->Bitmap());
    s.work = *w.form.WorkBitmap;
    s.messages = w.dialogs.messages;
    s.texts = {w.ui.EditUL->text(), w.ui.EditLL->text(), w.ui.LabelWND->text(),
               QString::number(w.ui.TrackBarULVL->value()), QString::number(w.ui.TrackBarLLVL->value()),
               QString::number(w.ui.RadioGroupImg->ItemIndex())};
    s.renderReady = w.form.RenderReady;
    // Turning to the zoom page shows the last view drawn while it was hidden.
    w.ui.PageControl512->setCurrentIndex(1);
    s.zoom = w.ui.Image512->Bitmap();
    return s;
}

using Steps = std::function<void(Windows&)>;

Seen RunSteps(const Steps& steps, bool deferred, int threads)
{
    // The work bitmap outlives the windows: start every run from the same bytes.
    spectrum::WorkBitmap() = common::GreyBitmap(512, 512);
    Windows w(threads);
    w.form.SetDeferredDrawing(deferred);
    steps(w);
    return Look(w);
}

void ExpectSame(const Seen& eager, const Seen& other, const std::string& what)
{
    static const char* const kViews[] = {"Raw", "Filtered", "Power", "Filter", "Convolution"};
    for (std::size_t v = 0; v < eager.views.size(); ++v)
        EXPECT_TRUE(eager.views[v] == other.views[v]) << what << ": view " << kViews[v];
    EXPECT_TRUE(eager.zoom == other.zoom) << what << ": zoom page";
    EXPECT_TRUE(eager.work == other.work) << what << ": work bitmap";
    EXPECT_EQ(eager.messages, other.messages) << what;
    EXPECT_EQ(eager.texts, other.texts) << what;
    EXPECT_EQ(eager.renderReady, other.renderReady) << what;
}

TEST(FilterDrawing, DrawnOnceAtTheEndAsEachDrawingWouldHaveLeftIt)
{
    using W = Windows;
    const struct {
        const char* what;
        Steps steps;
        bool refused;  // the steps end in a message
    } cases[] = {
        {"hand-off", [](W& w) { w.HandOver(64); }, false},
        {"hand-off, zoom page shown, windows not linked, band-pass, log",
         [](W& w) {
             w.ui.PageControl512->setCurrentIndex(1);
             w.ui.CheckBoxWNDe->setChecked(false);
             w.ui.RadioGroupFilter->setItemIndex(2);
             w.ui.CheckBoxLog->setChecked(true);
             w.HandOver(32);
         },
         false},
        {"hand-off of 512, views larger than their pictures, then a step",
         [](W& w) {
             w.HandOver(512);
             QTest::mouseClick(w.ui.ButtonPwrUp, Qt::LeftButton);
         },
         false},
        {"parameter buttons",
         [](W& w) {
             w.HandOver(64);
             for (QPushButton* b : {w.ui.ButtonFltrUp, w.ui.ButtonPwrDwn, w.ui.ButtonBPF, w.ui.ButtonFltrDwn})
                 QTest::mouseClick(b, Qt::LeftButton);
             w.ui.CheckBoxCOF->setChecked(true);
         },
         false},
        {"resets, rescale and track bars",
         [](W& w) {
             w.HandOver(64);
             W::Press([&] { w.form.ButtonRstSpctClick(); });
             W::Press([&] { w.form.Label3Click(); });
             W::Press([&] { w.form.ButtonFltrdClick(); });
             w.ui.TrackBarULVL->setValue(w.ui.TrackBarULVL->value() - 7);
             w.ui.TrackBarLLVL->setValue(w.ui.TrackBarLLVL->value() + 3);
             W::Press([&] { w.form.ButtonRstImgClick(); });
             W::Press([&] { w.form.Label3Click(); });
         },
         false},
        {"profile lines over waiting views, invert and linked windows",
         [](W& w) {
             w.HandOver(64);
             w.form.UpDownDegChanging(45);
             W::Press([&] { w.form.ImageCnvlClick(); });
             w.ui.CheckBoxWNDe->setChecked(false);
             w.ui.CheckBoxWNDe->setChecked(true);
             w.ui.CheckBoxInvrt->setChecked(true);
             w.ui.EditNAct->setText("0");
             W::Press([&] { w.form.ButtonNewImageClick(); });  // removes the line, then redraws all
         },
         false},
        {"a Raw cell without a value stops the first image after four views",
         [](W& w) {
             w.HandOver(64);
             w.spectrum.badCell = "x";
             w.ui.EditNAct->setText("0");
             w.ui.EditHCOF->setText("0.3");
             W::Press([&] { w.form.ButtonNewImageClick(); });
         },
         true},
        {"a Filter view without a maximum stops the refresh after the Filtered view",
         [](W& w) {
             w.HandOver(64);
             w.form.FilterMax = 0;
             w.ui.RadioGroupFilter->setItemIndex(3);  // "No" keeps the maximum
             QTest::mouseClick(w.ui.ButtonFltrUp, Qt::LeftButton);
         },
         true},
        {"a cut-off stepped back to 0 stops the second filter run of the first image",
         [](W& w) {
             w.HandOver(64);
             w.ui.EditHCOF->setText("0");
             w.ui.EditNAct->setText("0");
             W::Press([&] { w.form.ButtonNewImageClick(); });
         },
         true},
        {"a filter run that stops part-way leaves the views drawn before it",
         [](W& w) {
             w.HandOver(64);
             W::Press([&] { w.form.ButtonRstSpctClick(); });
             w.ui.EditHCOF->setText("0");
             QTest::mouseClick(w.ui.ButtonBPF, Qt::LeftButton);
         },
         true},
    };
    for (const auto& c : cases) {
        const Seen eager = RunSteps(c.steps, false, 1);
        EXPECT_EQ(eager.messages.isEmpty(), !c.refused) << c.what << ": " << eager.messages.join('|').toStdString();
        ExpectSame(eager, RunSteps(c.steps, true, 1), std::string(c.what) + ", deferred");
        ExpectSame(eager, RunSteps(c.steps, true, 3), std::string(c.what) + ", deferred on 3 threads");
    }
}

// The real spectrum window draws into the same work bitmap before the filter window's first
// image, and its activation runs the new-image operation twice.
TEST(FilterDrawing, HandOffThroughTheSpectrumWindow)
{
    const auto run = [](bool deferred) {
        spectrum::WorkBitmap() = common::GreyBitmap(512, 512);
        toolkit::DialogDouble dialogs;
        TestWindows windows;
        TForm1& form1 = windows.form1;
        TForm2& form2 = windows.form2;
        TForm3& form3 = windows.form3;
        form3.SetDeferredDrawing(deferred);
        FillHandOffTable(form1, form2, form3, 128, "0.5", Pattern);
        form2.FormActivate();
        std::vector<common::GreyBitmap> seen{*form3.WorkBitmap};
        for (const toolkit::ImageBox* image : {form3.ui.ImageRw, form3.ui.ImageFltrd, form3.ui.ImageSpctl,
                                               form3.ui.ImageFltr, form3.ui.ImageCnvl, form2.ui.ImageSpctl,
                                               form2.ui.Image2DData})
            seen.push_back(image->Bitmap());
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join('|').toStdString();
        return seen;
    };
    const auto eager = run(false);
    const auto deferred = run(true);
    ASSERT_EQ(eager.size(), deferred.size());
    for (std::size_t i = 0; i < eager.size(); ++i)
        EXPECT_TRUE(eager[i] == deferred[i]) << "bitmap " << i;
}

} // namespace
