#include "SpectrumSource.h"

#include <algorithm>

#include "Unit2.h"
#include "WorkerPool.h"

namespace filter {

namespace {

// Reads the spectrum window's members and controls.
class Form2Source : public SpectrumSource {
public:
    int MatrixSize() override { return Form2->MatrixSize; }
    const spectrum::SquareMatrix& SpectrumRe() override { return *Form2->SpectrumRe; }
    const spectrum::SquareMatrix& SpectrumIm() override { return *Form2->SpectrumIm; }
    const spectrum::SquareMatrix& SpectrumMap() override { return *Form2->SpectrumMap; }
    double SpectrumMax() override { return Form2->SpectrumMax; }
    double RawMax() override { return Form2->RawMax; }
    QString EditMax() override { return Form2->ui.EditMax->text(); }
    QString EditMin() override { return Form2->ui.EditMin->text(); }
    QString EditMaxRaw() override { return Form2->ui.EditMaxRaw->text(); }
    QString EditMinRaw() override { return Form2->ui.EditMinRaw->text(); }
    void RawValues(int n, spectrum::SquareMatrix& out) override
    {
        const std::vector<double>* values = nullptr;
        try {
            values = &Form2->ReadDataCells(n);  // usually still held from the spectrum window's reads
        } catch (...) {
        }
        if (!values) {
            // The cells read one by one in column order, so that a cell without a value raises
            // the error of the first such cell in that order.
            const toolkit::TextGrid* grid = Form2->ui.StringGridRaw;
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    out[x][y] = grid->CellValue(x + 1, y + 1);
            return;
        }
        // Eight columns per task: each row gives a run of eight values, and each column is
        // written along y.
        constexpr int kBlock = 8;
        common::ParallelFor(toolkit::WindowPool(), (n + kBlock - 1) / kBlock, [&](int block) {
            const int x0 = block * kBlock;
            const int width = std::min(kBlock, n - x0);
            double* columns[kBlock];
            for (int i = 0; i < width; ++i)
                columns[i] = out[x0 + i];
            for (int y = 0; y < n; ++y) {
                const double* row = values->data() + static_cast<std::size_t>(y) * n + x0;
                for (int i = 0; i < width; ++i)
                    columns[i][y] = row[i];
            }
        });
    }
    void ButtonAllClick() override { Form2->ButtonAllClick(); }
    std::uint64_t DataSerial() override { return Form2->DataSerial; }
};

Form2Source form2Source;
SpectrumSource* installed = nullptr;

} // namespace

SpectrumSource& SpectrumSource::Current() { return installed ? *installed : form2Source; }

void SpectrumSource::Install(SpectrumSource* source) { installed = source; }

} // namespace filter
