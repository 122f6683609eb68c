#include "LineChart.h"

#include <QLogValueAxis>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

namespace toolkit {

LineChart::LineChart(QWidget* parent) : QChartView(parent), leftMinimum_(std::numeric_limits<double>::quiet_NaN())
{
    QChart* c = chart();
    c->legend()->hide();
    c->setMargins(QMargins(2, 2, 2, 2));
    auto* bottom = new QValueAxis;
    bottom->setLabelFormat("%g");
    c->addAxis(bottom, Qt::AlignBottom);
    bottom_ = bottom;
    AttachLeftAxis();
}

QLineSeries* LineChart::AddSeries(const QString& name, const QColor& color)
{
    auto* series = new QLineSeries;
    series->setObjectName(name);
    series->setColor(color);
    chart()->addSeries(series);
    series->attachAxis(bottom_);
    series->attachAxis(left_);
    lines_.push_back({series, {}});
    return series;
}

void LineChart::SetPoints(QLineSeries* series, const std::vector<QPointF>& points)
{
    for (Line& line : lines_)
        if (line.series == series) {
            line.values = points;
            Replot(line);
        }
    Rescale();
}

std::vector<QPointF> LineChart::Values(const QLineSeries* series) const
{
    for (const Line& line : lines_)
        if (line.series == series)
            return line.values;
    return {};
}

void LineChart::SetLeftLogarithmic(bool logarithmic)
{
    if (logarithmic == logarithmic_)
        return;
    logarithmic_ = logarithmic;
    AttachLeftAxis();
    for (Line& line : lines_)
        Replot(line);
    Rescale();
}

void LineChart::SetLeftMinimum(double minimum)
{
    leftMinimum_ = minimum;
    Rescale();
}

void LineChart::SetLeftLabelFormat(const QString& format)
{
    labelFormat_ = format;
    if (auto* log = qobject_cast<QLogValueAxis*>(left_))
        log->setLabelFormat(format);
    else if (auto* lin = qobject_cast<QValueAxis*>(left_))
        lin->setLabelFormat(format);
}

void LineChart::AttachLeftAxis()
{
    QChart* c = chart();
    if (left_) {
        for (const Line& line : lines_)
            line.series->detachAxis(left_);
        c->removeAxis(left_);
        delete left_;
    }
    if (logarithmic_) {
        auto* axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(labelFormat_);
        left_ = axis;
    } else {
        auto* axis = new QValueAxis;
        axis->setLabelFormat(labelFormat_);
        left_ = axis;
    }
    c->addAxis(left_, Qt::AlignLeft);
    for (const Line& line : lines_)
        line.series->attachAxis(left_);
}

void LineChart::Replot(Line& line)
{
    QList<QPointF> plotted;
    plotted.reserve(static_cast<qsizetype>(line.values.size()));
    for (const QPointF& p : line.values)
        plotted.append(logarithmic_ && !(p.y() >= kLogFloor) ? QPointF(p.x(), kLogFloor) : p);
    line.series->replace(plotted);
}

void LineChart::Rescale()
{
    double xmin = INFINITY, xmax = -INFINITY, ymin = INFINITY, ymax = -INFINITY;
    for (const Line& line : lines_)
        for (const QPointF& p : line.series->points()) {
            xmin = std::min(xmin, p.x());
            xmax = std::max(xmax, p.x());
            ymin = std::min(ymin, p.y());
            ymax = std::max(ymax, p.y());
        }
    if (!(xmin <= xmax)) {
        xmin = 0, xmax = 1, ymin = logarithmic_ ? 1 : 0, ymax = logarithmic_ ? 10 : 1;
    }
    if (!std::isnan(leftMinimum_))
        ymin = leftMinimum_;
    if (xmin == xmax)
        xmin -= 1, xmax += 1;
    if (!(ymin < ymax))
        ymax = logarithmic_ ? ymin * 10 : ymin + 1;
    bottom_->setRange(xmin, xmax);
    left_->setRange(ymin, ymax);
}

} // namespace toolkit
