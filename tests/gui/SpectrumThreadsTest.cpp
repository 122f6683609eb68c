// The spectrum window's transform on the worker pool: the same matrices for any thread count,
// also when a bad cell stops it part-way.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DialogDouble.h"
#include "Errors.h"
#include "ThreadPool.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WorkerPool.h"

namespace {

constexpr int kN = 64;
constexpr double kUntouched = 7.5;

struct Outcome {
    std::vector<double> re, im;
    std::string error;
};

// Bad cells: {row, text}; the matrices start as kUntouched so that rows never stored show.
Outcome TransformWith(int threads, const std::vector<std::pair<int, const char*>>& badCells)
{
    common::ThreadPool pool(threads);
    const toolkit::UseWindowPool usePool(pool);
    toolkit::DialogDouble dialogs;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;
    grid->SetColCount(kN + 1);
    grid->SetRowCount(kN + 1);
    for (int r = 1; r <= kN; ++r)
        for (int c = 1; c <= kN; ++c)
            grid->SetCellInt(c, r, (c * 37 + r * 11) % 997);
    for (const auto& [row, text] : badCells)
        grid->SetCell(5, row + 1, text);
    form1.ui.EditROISizeX->setText(QString::number(kN));
    form1.ui.EditROISizeY->setText(QString::number(kN));
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
        EXPECT_EQ(one.error, *c.error ? common::NotRealMessage(c.error) : "") << c.what;
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

} // namespace
