// The filter window: the filter parameters, their step buttons and the filtering pipeline.
#include "BusyCursor.h"
#include "FilterRun.h"
#include "FilteredHistogram.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "RadialFilter.h"
#include "SpectrumSource.h"
#include "Unit3.h"

using filter::FilterType;
using toolkit::SetText;

namespace {

FilterType TypeOf(const toolkit::RadioGroup* group) { return static_cast<FilterType>(group->ItemIndex()); }

// The window's filter settings: its radio group, check boxes and edits, each converted when the
// run asks for it.
class WindowFilterSettings final : public filter::FilterSettings {
public:
    explicit WindowFilterSettings(const Ui::TForm3& ui) : ui_(ui) {}
    FilterType Type() override { return TypeOf(ui_.RadioGroupFilter); }
    bool Steepen() override { return ui_.CheckBoxCOF->isChecked(); }
    double LowCutOff() override { return RealOf(ui_.EditLCOF); }
    std::int32_t LowPower() override { return IntOf(ui_.EditLN); }
    double HighCutOff() override { return RealOf(ui_.EditHCOF); }
    std::int32_t HighPower() override { return IntOf(ui_.EditHN); }
    std::optional<double> NoiseFloorDivisor() override
    {
        if (!ui_.CheckBoxSSIR->isChecked())
            return std::nullopt;
        return RealOf(ui_.EditSSIR);
    }

private:
    const Ui::TForm3& ui_;
};

} // namespace

std::string TForm3::FilterSettingsText() const
{
    const auto& u = ui;
    const QString text = QString::number(u.RadioGroupFilter->ItemIndex()) + '|' + u.EditLCOF->text() + '|' +
                         u.EditLN->text() + '|' + u.EditHCOF->text() + '|' + u.EditHN->text() + '|' +
                         QString::number(u.CheckBoxCOF->isChecked()) + '|' +
                         QString::number(u.CheckBoxSSIR->isChecked()) + '|' + u.EditSSIR->text() + '|' +
                         QString::number(FilterMatrixSize);
    return text.toStdString();
}

void TForm3::RequireCurrentResult(spectrum::ExportKind kind) const
{
    spectrum::RequireCurrent(resultStamp_, spectrum_.DataSerial(), FilterSettingsText(), kind,
                             {common::TrText("filter", "filter window's result"), "*"});
}

void TForm3::RunFilter()
{
    const int n = FilterMatrixSize;
    common::ThreadPool& pool = pool_;
    links::SpectrumSource& source = spectrum_;
    // The gain, the filtered image and its power change from here on: the drawings that wait to
    // show them as they are now are drawn first.
    if (DrawingWaits({filter::View::Filtered, filter::View::Filter, filter::View::Convolution}))
        DrawPending();
    resultStamp_.interrupted = true;  // the matrices change from here on
    WindowFilterSettings settings(ui);
    filter::RunFilter(settings, {source.SpectrumRe(), source.SpectrumIm(), source.SpectrumMap(), n},
                      spectrum::SharedFft(),
                      {FilterGain, FilterMax, FilteredRe, FilteredIm, FilteredPower, FilteredPowerMax, FilteredImage,
                       FilteredMax, FilteredMin},
                      pool);
    const double max = common::StrToFloat(source.EditMax().toStdString());
    const double min = common::StrToFloat(source.EditMin().toStdString());
    std::vector<QPointF> points;
    for (const spectrum::ChartPoint& p : filter::FilteredHistogram(FilteredImage, n, max, min, IntOf(ui.EditNdHist), pool))
        points.emplace_back(p.x, p.y);
    ChartHist->SetPoints(Series2, points);
    resultStamp_ = {source.DataSerial(), FilterSettingsText(), false};
}

void TForm3::RefreshFilterViews(bool filteredFirst)
{
    const BusyCursor busy;
    InOneOperation([this, filteredFirst] {
        RunFilter();
        if (filteredFirst)
            SelectAndShow(1);
        SelectAndShow(3);
        SelectAndShow(4);
        SelectAndShow(1);
    });
}

void TForm3::StepCutOff(double sign)
{
    const double step = sign * filter::CutOffStep(FilterMatrixSize, ui.RadioGroupC->ItemIndex());
    const FilterType type = TypeOf(ui.RadioGroupFilter);
    const bool low = type == FilterType::LCF || type == FilterType::BPF;
    const bool high = type == FilterType::HCF || type == FilterType::BPF;
    const double lowCutOff = low ? RealOf(ui.EditLCOF) + step : 0;
    const double highCutOff = high ? RealOf(ui.EditHCOF) + step : 0;
    // A step that would take the high cut-off to 0 or below is refused before any text changes.
    if (high)
        filter::CheckHighCutOff(highCutOff);
    if (low)
        SetText(ui.EditLCOF, RealText(lowCutOff));
    if (high)
        SetText(ui.EditHCOF, RealText(highCutOff));
}

void TForm3::StepPower(double sign)
{
    const FilterType type = TypeOf(ui.RadioGroupFilter);
    if (type == FilterType::LCF || type == FilterType::BPF)
        SetText(ui.EditLN, RealText(RealOf(ui.EditLN) + sign));
    if (type == FilterType::HCF || type == FilterType::BPF)
        SetText(ui.EditHN, RealText(RealOf(ui.EditHN) + sign));
}

void TForm3::ButtonFltrUpClick()
{
    StepCutOff(+1.0);
    RefreshFilterViews(true);
}

void TForm3::ButtonFltrDwnClick()
{
    StepCutOff(-1.0);
    RefreshFilterViews(false);
}

void TForm3::ButtonPwrUpClick()
{
    StepPower(+1.0);
    RefreshFilterViews(false);
}

void TForm3::ButtonPwrDwnClick()
{
    StepPower(-1.0);
    RefreshFilterViews(false);
}

void TForm3::ButtonBPFClick()
{
    if (TypeOf(ui.RadioGroupFilter) == FilterType::BPF) {
        SetText(ui.EditLCOF, QString::fromStdString(filter::BandPassLowCutOffText(RealOf(ui.EditHCOF))));
        SetText(ui.EditLN, RealText(RealOf(ui.EditHN)));
    }
    RefreshFilterViews(false);
}

void TForm3::CheckBoxCOFClick() { RefreshFilterViews(false); }

