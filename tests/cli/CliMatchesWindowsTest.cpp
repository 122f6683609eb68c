// "spectrum" and "filter" on the command line against the windows: the same ROI handed from the
// viewer, the spectrum window's value export and the filter window's "SaveFltrd", byte for byte.
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

namespace {

class CliMatchesWindows : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
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

    std::string Cli(std::vector<std::string> args)
    {
        args.insert(args.begin(), "spectrum_cli");
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

TEST_F(CliMatchesWindows, SpectrumValues)
{
    const char* kinds[] = {"power", "abs", "real", "imag"};
    for (int kind = 0; kind < 4; ++kind)
        for (const bool logarithmic : {false, true}) {
            if (logarithmic && kind != 0)
                continue;  // the logarithm of a signed map is refused alike; one case shows the switch
            form2.ui.RadioGroup2dSpctl->setItemIndex(kind);
            form2.ui.CheckBoxLog->setChecked(logarithmic);
            form2.ButtonSpctlClick();
            form2.ButtonSpctVlClick();
            const std::string window = QApplication::clipboard()->text().toStdString();
            std::vector<std::string> args = {"spectrum", image, "--roi", roi, "--kind", kinds[kind]};
            if (logarithmic)
                args.push_back("--log");
            const std::string cli = Cli(args);
            ASSERT_FALSE(window.empty());
            EXPECT_TRUE(cli == window) << kinds[kind] << (logarithmic ? " log" : "");
        }
}

TEST_F(CliMatchesWindows, SavedFilteredImage)
{
    const struct {
        int type;
        const char* name;
        const char* hcof;
        const char* hn;
        bool steepen;
    } cases[] = {{1, "HCF", "0.25", "5", false}, {0, "LCF", "0.1", "3", true}, {3, "No", "0.25", "5", false}};
    for (const auto& c : cases) {
        form3.ui.RadioGroupFilter->setItemIndex(c.type);
        (c.type == 0 ? form3.ui.EditLCOF : form3.ui.EditHCOF)->setText(c.hcof);
        (c.type == 0 ? form3.ui.EditLN : form3.ui.EditHN)->setText(c.hn);
        form3.ui.CheckBoxCOF->setChecked(c.steepen);
        form3.ButtonBPFClick();  // outside "BPF" it only filters again
        const QString saved = folder.Path(QString("window-%1.raw").arg(c.name));
        dialogs.saveAnswers.push_back(saved);
        form3.ButtonSaveFltrdClick();
        const QString cli = folder.Path(QString("cli-%1.raw").arg(c.name));
        std::vector<std::string> args = {"filter", image, "--roi", roi, "--filter", c.name, "--cof", c.hcof,
                                         "--power", c.hn, "--out", cli.toStdString()};
        if (c.steepen)
            args.push_back("--steepen");
        Cli(args);
        const std::string expected = ReadBytes(saved);
        EXPECT_EQ(expected.size(), 4u * 64 * 64) << c.name;
        EXPECT_TRUE(ReadBytes(cli) == expected) << c.name;
    }
}

} // namespace
