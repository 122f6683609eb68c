// "spectrum" and "filter" on the command line against the windows: the same ROI handed from the
// viewer, the spectrum window's value export and the filter window's "SaveFltrd", byte for byte,
// with the windows on one and on two worker threads and the command line on one and on two.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <sstream>

#include "Cli.h"
#include "DialogDouble.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

class CliMatchesWindows : public ::testing::TestWithParam<int> {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows{GetParam()};
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    std::string image, roi;

    void SetUp() override
    {
        std::vector<int> v;
        // Shown one to one, so that the table's labels are image pixels.
        for (int r = 0; r < 512; ++r)
            for (int c = 0; c < 512; ++c)
                v.push_back(500 + ((c * 37 + r * 11) % 53) - 3 * r + c);
        image = folder.WriteWords("phantom 512 512 0p35.raw", v).toStdString();
        form1.ui.RadioGroupMode->setItemIndex(1);
        dialogs.openAnswers.push_back(QString::fromStdString(image));
        form1.BitBtnLoadClick();
        form1.ui.EditROIPosX->setText("140");
        form1.ui.EditROIPosY->setText("90");
        form1.ui.EditROISizeX->setText("64");
        form1.ui.EditROISizeY->setText("64");
        form1.RenderView();
        form1.ui.ButtonToTable->click();
        QElapsedTimer t;
        t.start();
        while (!form2.isMinimized() && t.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("\n").toStdString();
        // The table's first column and row labels are the ROI's top-left pixel in the image.
        ASSERT_EQ(form2.ui.StringGridRaw->ColCount(), 65);
        ASSERT_EQ(form2.ui.StringGridRaw->RowCount(), 65);
        roi = form2.ui.StringGridRaw->Cell(1, 0).toStdString() + "," +
              form2.ui.StringGridRaw->Cell(0, 1).toStdString() + ",64";
    }

    std::string Cli(std::vector<std::string> args, int threads)
    {
        args.insert(args.begin(), {"spectrum_cli", "--threads", std::to_string(threads)});
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunCli(args, out, err), 0) << err.str();
        return out.str();
    }

    static std::string ReadBytes(const QString& path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
};

TEST_P(CliMatchesWindows, SpectrumValues)
{
    const char* kinds[] = {"power", "abs", "real", "imag"};
    for (int kind = 0; kind < 4; ++kind)
        for (const bool logarithmic : {false, true}) {
            if (logarithmic && kind >= 2)
                continue;  // the logarithm of a signed map is refused alike
            form2.ui.RadioGroup2dSpctl->setItemIndex(kind);
            form2.ui.CheckBoxLog->setChecked(logarithmic);
            form2.ButtonSpctlClick();
            form2.ButtonSpctVlClick();
            const std::string window = QApplication::clipboard()->text().toStdString();
            ASSERT_FALSE(window.empty());
            std::vector<std::string> args = {"spectrum", image, "--roi", roi, "--kind", kinds[kind]};
            if (logarithmic)
                args.push_back("--log");
            for (const int threads : {1, 2})
                EXPECT_TRUE(Cli(args, threads) == window)
                    << kinds[kind] << (logarithmic ? " log" : "") << ", command line on " << threads << " threads";
        }
}

TEST_P(CliMatchesWindows, SavedFilteredImage)
{
    // `lowCof` empty: the band pass's low cut as its button sets it (0.05 below the high cut, as
    // its text shows it: "0.1" for 0.15, not 0.09999999999999999). `ssir` empty: no noise floor.
    const struct {
        const char* name;
        int type;
        const char *cof, *power, *lowCof, *lowPower;
        bool steepen;
        const char* ssir;
    } cases[] = {
        {"HCF", 1, "0.25", "5", "", "", false, ""},
        {"LCF", 0, "0.1", "3", "", "", true, ""},
        {"BPF", 2, "0.15", "4", "", "", false, ""},
        {"BPF", 2, "0.3", "6", "0.07", "2", true, ""},
        {"No", 3, "0.25", "5", "", "", false, ""},
        {"HCF", 1, "0.2", "4", "", "", false, "40"},
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::string what = std::string(c.name) + " case " + std::to_string(index++);
        auto& u = form3.ui;
        u.EditSSIR->setText(*c.ssir ? c.ssir : "10");
        u.CheckBoxSSIR->setChecked(*c.ssir != 0);
        u.RadioGroupFilter->setItemIndex(c.type);
        u.CheckBoxCOF->setChecked(c.steepen);
        (c.type == 0 ? u.EditLCOF : u.EditHCOF)->setText(c.cof);
        (c.type == 0 ? u.EditLN : u.EditHN)->setText(c.power);
        form3.ButtonBPFClick();  // a band pass's low cut from its high cut; outside "BPF" it only filters again
        if (*c.lowCof) {
            u.EditLCOF->setText(c.lowCof);
            u.EditLN->setText(c.lowPower);
            form3.RunFilter();
        }
        ASSERT_TRUE(dialogs.messages.isEmpty()) << what << ": " << dialogs.messages.join("\n").toStdString();
        const QString saved = folder.Path(QString("window-%1.raw").arg(index));
        dialogs.saveAnswers.push_back(saved);
        form3.ButtonSaveFltrdClick();
        const std::string expected = ReadBytes(saved);
        EXPECT_EQ(expected.size(), 4u * 64 * 64) << what;
        for (const int threads : {1, 2}) {
            const QString out = folder.Path(QString("cli-%1-%2.raw").arg(index).arg(threads));
            std::vector<std::string> args = {"filter", image, "--roi", roi, "--filter", c.name, "--cof", c.cof,
                                             "--power", c.power, "--out", out.toStdString()};
            if (*c.lowCof)
                args.insert(args.end(), {"--low-cof", c.lowCof, "--low-power", c.lowPower});
            if (c.steepen)
                args.push_back("--steepen");
            if (*c.ssir)
                args.insert(args.end(), {"--ssir", c.ssir});
            Cli(args, threads);
            EXPECT_TRUE(ReadBytes(out) == expected) << what << ", command line on " << threads << " threads";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WindowThreads, CliMatchesWindows, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param); });

} // namespace
