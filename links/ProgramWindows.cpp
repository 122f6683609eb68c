#include "ProgramWindows.h"

#include <QShortcut>
#include <algorithm>

#include "Errors.h"
#include "FilterLink.h"
#include "HandOffTarget.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "ViewerParameters.h"
#include "ViewerSource.h"

namespace links {

namespace {

class ViewerOfForm1 final : public ViewerParameters {
public:
    TForm1* form = nullptr;
    QString RoiSizeX() override { return form->ui.EditROISizeX->text(); }
    QString RoiSizeY() override { return form->ui.EditROISizeY->text(); }
    QString PixelSpacing() override { return form->ui.EditPxlSpc->text(); }
    QString DragButton() override { return form->DragButton; }
    void SetDragButton(const QString& button) override { form->DragButton = button; }
};

class MeasuredViewerOfForm1 final : public ViewerSource {
public:
    TForm1* form = nullptr;

    ViewerHandOff HandOff() override
    {
        const auto& ui = form->ui;
        ViewerHandOff h;
        h.loadedFile = form->LoadState > 0 ? ui.EditFileName->text().toStdString() : std::string();
        for (int i = 0; i < ui.ListBox1->count(); ++i)
            h.folderFiles.push_back(ui.ListBox1->item(i)->text().toStdString());
        h.roiSize = ui.EditROISizeX->text().toStdString();
        h.pixelSpacing = ui.EditPxlSpc->text().toStdString();
        const int mode = ui.RadioGroupMode->ItemIndex();
        h.mode = mode == 0 ? imageio::FileMode::Bits8 : mode == 1 ? imageio::FileMode::Bits16 : imageio::FileMode::Dicom;
        if (form->LoadState > 0) {
            try {
                const viewer::Rect r = form->RoiBoundsOfEdits();
                const long long left = std::max<long long>(r.Left, 0), top = std::max<long long>(r.Top, 0);
                const long long right = std::min<long long>(r.Right, form->ImageWidth - 1LL);
                const long long bottom = std::min<long long>(r.Bottom, form->ImageHeight - 1LL);
                if (right >= left && bottom >= top)
                    h.roiRect = std::to_string(left) + "," + std::to_string(top) + "," +
                                std::to_string(right - left + 1) + "," + std::to_string(bottom - top + 1);
            } catch (const common::ConversionError&) {
                // Edits that are not numbers give no ROI; the edge measurement then asks for one.
            }
        }
        return h;
    }

    void AddLauncher(const QString& keys, const QString& name, const QString& tip, QObject& window,
                     std::function<void()> open) override
    {
        auto* shortcut = new QShortcut(QKeySequence(keys), form);
        shortcut->setObjectName(name);
        QObject::connect(shortcut, &QShortcut::activated, &window, toolkit::Guarded(std::move(open)));
        const QString lines = form->ui.Panel3->toolTip();
        if (!lines.split(QStringLiteral("\n")).contains(tip))
            form->ui.Panel3->setToolTip(lines.isEmpty() ? tip : lines + QStringLiteral("\n") + tip);
    }
};

class SpectrumOfForm2 final : public SpectrumSource {
public:
    TForm2* form = nullptr;
    common::ThreadPool* pool = nullptr;
    int MatrixSize() override { return form->MatrixSize; }
    const spectrum::SquareMatrix& SpectrumRe() override { return *form->SpectrumRe; }
    const spectrum::SquareMatrix& SpectrumIm() override { return *form->SpectrumIm; }
    const spectrum::SquareMatrix& SpectrumMap() override { return *form->SpectrumMap; }
    double SpectrumMax() override { return form->SpectrumMax; }
    double RawMax() override { return form->RawMax; }
    QString EditMax() override { return form->ui.EditMax->text(); }
    QString EditMin() override { return form->ui.EditMin->text(); }
    QString EditMaxRaw() override { return form->ui.EditMaxRaw->text(); }
    QString EditMinRaw() override { return form->ui.EditMinRaw->text(); }
    void RawValues(int n, spectrum::SquareMatrix& out) override
    {
        const std::vector<double>* values = nullptr;
        try {
            values = &form->ReadDataCells(n);  // usually still held from the spectrum window's reads
        } catch (...) {
        }
        if (!values) {
            // The cells read one by one in column order, so that a cell without a value raises
            // the error of the first such cell in that order.
            const toolkit::TextGrid* grid = form->ui.StringGridRaw;
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y)
                    out[x][y] = grid->CellValue(x + 1, y + 1);
            return;
        }
        // Eight columns per task: each row gives a run of eight values, and each column is
        // written along y.
        constexpr int kBlock = 8;
        common::ParallelFor(*pool, (n + kBlock - 1) / kBlock, [&](int block) {
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
    void ButtonAllClick() override { form->ButtonAllClick(); }
    std::uint64_t DataSerial() override { return form->DataSerial; }
};

class FilterOfForm3 final : public FilterLink {
public:
    TForm3* form = nullptr;
    void NewImage() override { form->ButtonNewImageClick(); }
    void ShowAndRaise() override
    {
        form->show();
        form->raise();
    }
    QString HistogramBins() override { return form->EditNdHist->text(); }
    void ShowRawHistogram(const std::vector<QPointF>& points) override { form->ChartHist->SetPoints(form->Series1, points); }
};

class AnalysisOfForms final : public HandOffTarget {
public:
    TForm2* spectrum = nullptr;
    TForm3* filter = nullptr;
    toolkit::TextGrid& Table() override { return *spectrum->ui.StringGridRaw; }
    void TableReplaced() override { spectrum->TableReplaced(); }
    void SetFilterFileName(const QString& name) override { toolkit::SetText(filter->EditFileName, name); }
    void ResetFilterCount() override { toolkit::SetText(filter->EditNAct, QStringLiteral("0")); }
    void ExpectSpectrumActivation() override { spectrum->ExpectActivation(); }
    void ShowSpectrumWindow() override
    {
        spectrum->setWindowState(Qt::WindowNoState);
        spectrum->show();
        spectrum->raise();
        spectrum->activateWindow();
    }
    void ShowFilterWindow() override
    {
        filter->show();
        filter->raise();
        filter->activateWindow();
    }
};

} // namespace

class FormLinks {
public:
    ViewerOfForm1 viewer;
    MeasuredViewerOfForm1 measured;
    SpectrumOfForm2 spectrum;
    FilterOfForm3 filter;
    AnalysisOfForms analysis;
};

ProgramWindows::ProgramWindows(common::ThreadPool& pool, SpectrumSource* spectrumForFilter)
    : links_(std::make_unique<FormLinks>()),
      spectrumForFilter_(spectrumForFilter ? *spectrumForFilter : links_->spectrum),
      form1(pool, links_->analysis),
      form2(pool, links_->viewer, links_->filter),
      form3(pool, links_->viewer, spectrumForFilter_)
{
    links_->viewer.form = &form1;
    links_->measured.form = &form1;
    links_->spectrum.form = &form2;
    links_->spectrum.pool = &pool;
    links_->filter.form = &form3;
    links_->analysis.spectrum = &form2;
    links_->analysis.filter = &form3;
}

ProgramWindows::~ProgramWindows() = default;

ViewerSource& ProgramWindows::Viewer()
{
    return links_->measured;
}

} // namespace links
