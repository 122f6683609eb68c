// The automatic window, the ROI statistics and the redraw buttons and boxes of the "Windowing"
// and "ROI" panels.
#include "AutoWindow.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "RoiStatistics.h"
#include "Translation.h"
#include "Unit1.h"

using toolkit::Guarded;
using toolkit::SetText;

void TForm1::ConnectStatsHandlers()
{
    connect(ui.ButtonAutoWL, &QPushButton::clicked, this, Guarded([this] { ButtonAutoWLClick(); }));
    connect(ui.ButtonStat, &QPushButton::clicked, this, Guarded([this] { ButtonStatClick(); }));
    connect(ui.ButtonDisp, &QPushButton::clicked, this, Guarded([this] { ButtonDispClick(); }));
    // "Swap" and "Lock" share one handler.
    connect(ui.CheckBoxSwp, &QCheckBox::toggled, this, Guarded([this] { CheckBoxSwpClick(); }));
    connect(ui.CheckBoxRoiLock, &QCheckBox::toggled, this, Guarded([this] { CheckBoxSwpClick(); }));
    connect(ui.CheckBoxInvrt, &QCheckBox::toggled, this, Guarded([this] { CheckBoxInvrtClick(); }));
}

viewer::SampleRule TForm1::SampleRuleNow()
{
    viewer::SampleRule rule;
    rule.swap = ui.CheckBoxSwp->isChecked();
    rule.valueOffset = IntOf(ui.EditOffst);
    return rule;
}

void TForm1::ButtonAutoWLClick()
{
    const imageio::PixelSource source = Source();
    const viewer::SampleRule rule = SampleRuleNow();
    // An image too small to have a central half keeps the window it has.
    if (const auto window = viewer::ComputeAutoWindow(source, rule)) {
        SetText(ui.EditWindowWidth, IntText(window->width));
        SetText(ui.EditWindowLevel, IntText(window->level));
    }
    RenderView();
}

void TForm1::ButtonStatClick()
{
    if (ui.RadioGroupTool->ItemIndex() != 0)
        return;
    const imageio::PixelSource source = Source();
    const viewer::SampleRule rule = SampleRuleNow();
    // A ROI with no sample inside the image has no statistics: the last ones stay.
    const auto stats = viewer::ComputeRoiStatistics(source, RoiBlockOfEdits(), rule);
    if (!stats)
        return;
    SetText(ui.EditAve, RealText(stats->mean));
    SetText(ui.EditMax, RealText(stats->max));
    SetText(ui.EditMin, RealText(stats->min));
    SetText(ui.EditSD, RealText(stats->sd));
    // A ROI that reaches outside the image is measured over its part inside: the edits say which.
    const std::optional<common::Text> part = viewer::PartCounted(*stats, RoiBlockOfEdits());
    const QString tip = part ? tr("Of the ROI's %1").arg(i18n::Shown(*part)) : QString();
    for (QLineEdit* edit : {ui.EditAve, ui.EditSD, ui.EditMax, ui.EditMin})
        edit->setToolTip(tip);
}

void TForm1::ButtonDispClick() { RenderView(); }

void TForm1::CheckBoxSwpClick() { ButtonDispClick(); }

void TForm1::CheckBoxInvrtClick() { ButtonDispClick(); }
