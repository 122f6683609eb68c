#pragma once
// A shown viewer with dialogs answered by the test, and images written as raw 16-bit files.
#include <gtest/gtest.h>

#include <QTest>

#include "DialogDouble.h"
#include "TempFolder.h"
#include "Unit1.h"
#include "Words.h"
#include "TestWindows.h"

class ViewerFixture : public ::testing::Test {
protected:
    toolkit::DialogDouble dialogs;
    TempFolder folder;
    TestWindows windows;
    TForm1& form = windows.form1;
    Ui::TForm1& ui = form.ui;

    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // Loads `path` through the file dialog, as a click on the load button does.
    void Load(const QString& path, int mode = 1)
    {
        ui.RadioGroupMode->setItemIndex(mode);
        dialogs.openAnswers.push_back(path);
        form.BitBtnLoadClick();
    }

    // A ramp image: value = column + 2 * row, named by the file-name convention.
    QString WriteRamp(int w, int h, const QString& stem = "ramp")
    {
        std::vector<int> v;
        for (int r = 0; r < h; ++r)
            for (int c = 0; c < w; ++c)
                v.push_back(c + 2 * r);
        return folder.WriteWords(QString("%1 %2 %3 1p0.raw").arg(stem).arg(w).arg(h), v);
    }
};
