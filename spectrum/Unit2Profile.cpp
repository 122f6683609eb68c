// The profile through the spectrum along the spinner's direction: the mark on the spectrum
// picture, the values for the clipboard and the chart.
#include <QClipboard>
#include <QGuiApplication>

#include "Canvas.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumProfile.h"
#include "Unit2.h"

using toolkit::SetText;

void TForm2::InvertProfileMark()
{
    // The diameter through the picture centre, drawn with the inverting pen: drawing it again
    // restores the pixels.
    const int c = ui.ImageSpctl->width() / 2;
    common::InvertLine(ui.ImageSpctl->Bitmap(), c - ProfileLineDX + 1, c - ProfileLineDY + 1, c + ProfileLineDX,
                       c + ProfileLineDY);
    ui.ImageSpctl->update();
}

void TForm2::UpDownDegChanging()
{
    InvertProfileMark();
    SetText(ui.EditDeg, IntText(ui.UpDownDeg->Position()));
    const double degrees = RealOf(ui.EditDeg);
    const std::int32_t n = RoiMatrixSize();
    const spectrum::SpectrumProfile profile = spectrum::SampleProfile(*SpectrumMap, n, degrees);
    const int wp = ui.ImageSpctl->width();
    ProfileLineDX = spectrum::MarkOffset(wp, n, profile.lastPx);
    ProfileLineDY = spectrum::MarkOffset(wp, n, profile.lastPy);
    InvertProfileMark();
    std::copy(profile.values.begin(), profile.values.end(), SpectrumProfile.begin());
    SpectrumProfileCount = static_cast<std::int32_t>(profile.values.size());

    ProfileText.clear();
    const double d = PixelSpacing();
    ProfileText = QString::fromStdString(spectrum::ProfileText(profile, n, d));
    profileStamp_ = mapStamp_;

    const bool logarithmic = ui.CheckBoxLog->isChecked();
    std::vector<QPointF> points;
    for (const spectrum::ChartPoint& p : spectrum::ProfileChartPoints(profile, n, d, logarithmic))
        points.emplace_back(p.x, p.y);
    ui.Chart1->SetLeftLogarithmic(logarithmic);
    ui.Chart1->SetPoints(profileSeries_, points);
}

void TForm2::ButtonChrtVlClick()
{
    spectrum::RequireCurrentProfile(profileStamp_, mapStamp_, DataSerial);
    QGuiApplication::clipboard()->setText(ProfileText);
}

void TForm2::ButtonRstClick()
{
    ProfileLineDX = 0;
    ProfileLineDY = 0;
    DrawCurrentView();
}
