// The filter window: the profile graph through the spectrum and the filtered spectrum.
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include "HandlerGuard.h"
#include "ParameterText.h"
#include "ProfileGraph.h"
#include "SpectrumSource.h"
#include "Unit3.h"

using toolkit::SetItemIndex;
using toolkit::SetText;

void TForm3::UpDownDegChanging(int positionBefore)
{
    SetText(ui.EditDeg, IntText(positionBefore));
    const std::int32_t degrees = IntOf(ui.EditDeg);
    if (degrees >= 0 && degrees <= 90) {
        DrawSpectrumProfile();
        return;
    }
    // Beyond the graph's angles: track-bar moves stop redrawing until the next ShowImage, the
    // Power view is selected without a redraw and the angle is put back in range.
    RenderReady = 0;
    SetItemIndex(ui.RadioGroupImg, 2);
    SetText(ui.EditDeg, QString(degrees < 0 ? "0" : "90"));
}

void TForm3::DrawSpectrumProfile()
{
    const int n = FilterMatrixSize;
    QImage graph = ClearGraph();
    if (ProfileDX > 0) {
        ToggleProfileLine(ui.ImageSpctl);
        ToggleProfileLine(ui.ImageCnvl);
    }
    links::SpectrumSource& source = spectrum_;
    const filter::ProfilePath path = filter::MakeProfilePath(RealOf(ui.EditDeg), n);
    const int k = filter::SampleProfile(source.SpectrumMap(), n, path, ProfileValues);
    ProfileCount = k;
    if (k > 0) {
        ProfileDX = path.dx[static_cast<std::size_t>(k - 1)];
        ProfileDY = path.dy[static_cast<std::size_t>(k - 1)];
    }
    ToggleProfileLine(ui.ImageSpctl);
    ToggleProfileLine(ui.ImageCnvl);
    QGuiApplication::clipboard()->setText(QString::fromStdString(filter::ProfileText(ProfileValues, k)));
    ProfileCount = 2 * k;
    filter::SmoothProfile(ProfileValues, ProfileCount);
    const filter::ProfileRange range = filter::FindProfileRange(ProfileValues, ProfileCount);
    if (range.valid) {
        ProfileMax = range.max;
        ProfileMin = range.min;
    }
    // Both curves use the blue curve's scale; without a single value to scale by, neither is drawn.
    if (range.valid)
        PlotProfile(graph, QColor(0, 0, 255));
    ProfileCount = 2 * filter::SampleProfile(FilteredPower, n, path, ProfileValues);
    if (range.valid)
        PlotProfile(graph, QColor(255, 0, 0));
    ui.ImageFltrC->SetColorPicture(graph);
}

QImage TForm3::ClearGraph()
{
    // A rectangle over the whole graph: white brush, black pen.
    QImage graph(ui.ImageFltrC->width(), ui.ImageFltrC->height(), QImage::Format_RGB32);
    graph.fill(Qt::white);
    {
        QPainter painter(&graph);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, graph.width() - 1, graph.height() - 1);
    }
    ui.ImageFltrC->SetColorPicture(graph);
    return graph;
}

void TForm3::PlotProfile(QImage& graph, const QColor& colour)
{
    const filter::ProfileRange range{ProfileMax, ProfileMin, true};
    const filter::ProfileCurve curve =
        filter::PlotProfile(ProfileValues, ProfileCount, range, graph.width(), graph.height());
    QPainter painter(&graph);
    painter.setPen(colour);
    for (const filter::GraphRun& run : curve.runs) {
        for (std::size_t i = 1; i < run.size(); ++i)
            painter.drawLine(run[i - 1].x, run[i - 1].y, run[i].x, run[i].y);
        if (run.size() == 1)
            painter.drawPoint(run[0].x, run[0].y);
    }
    for (int y : curve.tickYs)
        painter.drawLine(0, y, 5, y);
}
