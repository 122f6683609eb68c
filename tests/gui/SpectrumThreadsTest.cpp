// The spectrum window's transform input: the same matrices for any thread count, also when a bad
// cell stops it part-way, and cell values kept between reads only while the table is unchanged;
// the filter window's raw values taken from them.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "DialogDouble.h"
#include "Errors.h"
#include "SpectrumSource.h"
#include "ThreadPool.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "TestWindows.h"

namespace {

constexpr int kN = 64;
constexpr double kUntouched = 7.5;

// The three windows with an n x n table of SetCellInt values and an n x n ROI.
struct Windows {
    toolkit::DialogDouble dialogs;
    TestWindows windows;
    TForm1& form1 = windows.form1;
    TForm2& form2 = windows.form2;
    TForm3& form3 = windows.form3;
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;

    Windows(int n, long long (*value)(int col, int row), int threads = common::ThreadPool::MachineThreads())
        : windows(threads)
    {
        grid->SetColCount(n + 1);
        grid->SetRowCount(n + 1);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n; ++c)
                grid->SetCellInt(c, r, value(c, r));
        form1.ui.EditROISizeX->setText(QString::number(n));
        form1.ui.EditROISizeY->setText(QString::number(n));
        form1.ui.EditPxlSpc->setText("1");
    }
};

struct Outcome {
    std::vector<double> re, im;
    std::string error;
};

// Bad cells: {row, text}; the matrices start as kUntouched so that rows never stored show.
Outcome TransformWith(int threads, const std::vector<std::pair<int, const char*>>& badCells)
{
    Windows w(kN, [](int c, int r) { return (c * 37 + r * 11) % 997LL; }, threads);
    TForm2& form2 = w.form2;
    toolkit::TextGrid* grid = w.grid;
    for (const auto& [row, text] : badCells)
        grid->SetCell(5, row + 1, text);
    for (int x = 0; x < kN; ++x)
        for (int y = 0; y < kN; ++y)
            (*form2.SpectrumRe)[x][y] = (*form2.SpectrumIm)[x][y] = kUntouched;
    Outcome out;
    try {
        form2.Button2DFFTClick();
    } catch (const common::ConversionError& e) {
        out.error = e.what();
    }
    for (int x = 0; x < kN; ++x) {
        out.re.insert(out.re.end(), (*form2.SpectrumRe)[x], (*form2.SpectrumRe)[x] + kN);
        out.im.insert(out.im.end(), (*form2.SpectrumIm)[x], (*form2.SpectrumIm)[x] + kN);
    }
    return out;
}

TEST(SpectrumThreads, SameTransformForAnyThreadCountAndTheSameStopAtABadCell)
{
    const struct {
        const char* what;
        std::vector<std::pair<int, const char*>> bad;
        const char* error;  // the first bad cell in row order
        int storedRows;
    } cases[] = {
        {"all cells good", {}, "", kN},
        {"bad cell in row 40", {{40, "a"}}, "a", 40},
        {"bad cells in rows 50 and 10", {{50, "a"}, {10, "b"}}, "b", 10},
    };
    for (const auto& c : cases) {
        const Outcome one = TransformWith(1, c.bad);
        EXPECT_EQ(one.error, *c.error ? common::NotRealMessage(c.error).Plain() : "") << c.what;
        // Rows from the bad one on were never stored; the rows before it were transformed.
        for (int x = 0; x < kN; ++x)
            for (int y = 0; y < kN; ++y)
                ASSERT_EQ(one.re[x * kN + y] == kUntouched, y >= c.storedRows) << c.what << " at " << x << "," << y;
        for (int threads : {2, 4}) {
            const Outcome many = TransformWith(threads, c.bad);
            EXPECT_EQ(many.error, one.error) << c.what << ", " << threads << " threads";
            EXPECT_EQ(std::memcmp(many.re.data(), one.re.data(), one.re.size() * sizeof(double)), 0)
                << c.what << ", " << threads << " threads";
            EXPECT_EQ(std::memcmp(many.im.data(), one.im.data(), one.im.size() * sizeof(double)), 0)
                << c.what << ", " << threads << " threads";
        }
    }
}

TEST(SpectrumHeldCells, ReadAgainAfterEveryChangeOfTheTable)
{
    // Not constant: the data picture needs a width.
    Windows w(8, [](int c, int r) { return c == 1 && r == 1 ? 2LL : 1LL; });
    TForm2& form2 = w.form2;
    toolkit::TextGrid* grid = w.grid;
    form2.ButtonDispClick();  // reads the cells for the range, the picture and the transform
    EXPECT_EQ((*form2.SpectrumRe)[0][0], 65);
    const struct {
        const char* what;
        void (*change)(toolkit::TextGrid* grid);
        double sum;  // the constant term after the change
        const char* error;
    } steps[] = {
        {"a number", [](toolkit::TextGrid* g) { g->SetCellInt(3, 4, 101); }, 165, nullptr},
        {"a text with a value", [](toolkit::TextGrid* g) { g->SetCell(3, 4, "1.50"); }, 65.5, nullptr},
        {"an exchange", [](toolkit::TextGrid* g) { g->SwapCells(3, 4, 5, 5); }, 65.5, nullptr},
        {"a text without one", [](toolkit::TextGrid* g) { g->SetCell(2, 2, "x"); }, 0, "x"},
        {"the cell repaired", [](toolkit::TextGrid* g) { g->SetCellInt(2, 2, 3); }, 67.5, nullptr},
    };
    for (const auto& s : steps) {
        s.change(grid);
        try {
            form2.ButtonDispClick();
            EXPECT_EQ(s.error, nullptr) << s.what;
            EXPECT_EQ((*form2.SpectrumRe)[0][0], s.sum) << s.what;
        } catch (const common::ConversionError& e) {
            ASSERT_NE(s.error, nullptr) << s.what;
            EXPECT_EQ(std::string(e.what()), common::NotRealMessage(s.error).Plain()) << s.what;
        }
    }
}

// The filter window reads the raw cells through the spectrum window: [x][y] from cell (x + 1, y + 1),
// and with cells that have no value, the error of the first in column order (the filter window's
// own reading order), not of the first in row order.
TEST(SpectrumHeldCells, RawValuesForTheFilterWindow)
{
    const int n = 16;
    Windows w(n, [](int c, int r) { return c * 100LL + r; });
    toolkit::TextGrid* grid = w.grid;
    auto out = std::make_unique<spectrum::SquareMatrix>();
    links::SpectrumSource& source = w.windows.windows.SpectrumForFilter();
    source.RawValues(n, *out);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            ASSERT_EQ((*out)[x][y], (x + 1) * 100 + y + 1) << x << "," << y;

    grid->SetCell(9, 2, "row first");      // first in row order
    grid->SetCell(3, 12, "column first");  // first in column order
    try {
        source.RawValues(n, *out);
        ADD_FAILURE() << "no error";
    } catch (const common::ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), common::NotRealMessage("column first").Plain());
    }
}

} // namespace
