#include "CurvePlot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Errors.h"

namespace nps {

CurveScales CurvePlotScales(const CurvePlot& plot)
{
    const bool logarithmic = plot.logarithmic;
    CurveScales scales;
    double lo = INFINITY, hi = -INFINITY;
    const auto take = [&](double v) {
        if (!std::isfinite(v))
            return;
        if (logarithmic && !(v > 0.0)) {
            ++scales.leftOut;
            return;
        }
        ++scales.drawn;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    };
    for (const PlotCurve& curve : plot.curves)
        for (double v : curve.y)
            take(v);
    if (plot.band) {
        const PlotBand& band = *plot.band;
        for (std::size_t i = 0; i < band.centre.size(); ++i) {
            if (!std::isfinite(band.centre[i]) || !std::isfinite(band.halfWidth[i]))
                continue;
            const double top = band.centre[i] + band.halfWidth[i], bottom = band.centre[i] - band.halfWidth[i];
            if (!logarithmic || top > 0.0)
                hi = std::max(hi, top);
            if (!logarithmic || bottom > 0.0)
                lo = std::min(lo, bottom);
        }
    }
    double lastX = -INFINITY;
    for (const PlotCurve& curve : plot.curves)
        if (!curve.x.empty())
            lastX = std::max(lastX, curve.x.back());
    const double xMax = std::isfinite(lastX) ? std::max(lastX, 1e-12) : 1.0;
    scales.x = LinearScale(0.0, xMax);
    if (scales.drawn == 0) {
        scales.y = logarithmic ? DecadeScale(1.0, 10.0) : LinearScale(0.0, 1.0);
        scales.note = logarithmic && scales.leftOut > 0
                          ? "Nothing to draw on a logarithmic axis: no value lies above 0."
                          : "Nothing to draw: every bin is empty.";
        return scales;
    }
    if (logarithmic) {
        scales.y = DecadeScale(lo, hi);
        if (scales.leftOut > 0)
            scales.note = std::to_string(scales.leftOut) + " value(s) of 0 or below are left out of the logarithmic axis.";
    } else {
        scales.y = LinearScale(std::min(lo, 0.0), hi);
    }
    return scales;
}

namespace {

struct Frame {
    QRectF box;
    AxisScale x, y;
    double X(double f) const { return box.left() + (f - x.min) / (x.max - x.min) * box.width(); }
    double Y(double v) const
    {
        const double t = y.logarithmic ? (std::log10(v) - std::log10(y.min)) / (std::log10(y.max) - std::log10(y.min))
                                       : (v - y.min) / (y.max - y.min);
        return box.bottom() - t * box.height();
    }
    bool Drawable(double v) const { return std::isfinite(v) && (!y.logarithmic || v > 0.0); }
};

QString Text(const std::string& s) { return QString::fromStdString(s); }

// Grid lines, tick labels, the box and the axis titles; the y title left of the widest label.
void DrawAxes(QPainter& p, const Frame& frame, double yTitleX, const CurvePlot& plot)
{
    const QFontMetricsF metrics(p.font());
    p.setPen(QPen(QColor(235, 235, 235), 1));
    for (double v : frame.y.minorTicks)
        p.drawLine(QPointF(frame.box.left(), frame.Y(v)), QPointF(frame.box.right(), frame.Y(v)));
    for (double f : frame.x.ticks) {
        const double x = frame.X(f);
        p.setPen(QPen(QColor(205, 205, 205), 1));
        p.drawLine(QPointF(x, frame.box.top()), QPointF(x, frame.box.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 40, frame.box.bottom() + 4, 80, 16), Qt::AlignHCenter, Text(TickText(f, frame.x.step)));
    }
    for (double v : frame.y.ticks) {
        const double y = frame.Y(v);
        p.setPen(QPen(QColor(205, 205, 205), 1));
        p.drawLine(QPointF(frame.box.left(), y), QPointF(frame.box.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y - 8, frame.box.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   Text(TickText(v, frame.y.logarithmic ? 0.0 : frame.y.step)));
    }
    p.setPen(Qt::black);
    p.drawRect(frame.box);
    p.drawText(QRectF(frame.box.left(), frame.box.bottom() + 24, frame.box.width(), 18), Qt::AlignHCenter,
               Text(plot.xTitle));
    p.save();
    p.translate(yTitleX, frame.box.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-150, -metrics.height(), 300, metrics.height()), Qt::AlignHCenter | Qt::AlignBottom,
               Text(plot.yTitle));
    p.restore();
}

// The band, one polygon per run of points that have one.
void DrawBand(QPainter& p, const Frame& frame, const PlotBand& band)
{
    p.setPen(Qt::NoPen);
    p.setBrush(band.colour);
    QPolygonF top, bottom;
    const auto flush = [&] {
        if (top.size() >= 2) {
            QPolygonF polygon = top;
            for (auto it = bottom.rbegin(); it != bottom.rend(); ++it)
                polygon << *it;
            p.drawPolygon(polygon);
        } else if (top.size() == 1) {
            p.drawRect(QRectF(top[0].x() - 2, top[0].y(), 4, bottom[0].y() - top[0].y()));
        }
        top.clear();
        bottom.clear();
    };
    for (std::size_t i = 0; i < band.centre.size(); ++i) {
        const double centre = band.centre[i], half = band.halfWidth[i];
        if (!frame.Drawable(centre) || !std::isfinite(half)) {
            flush();
            continue;
        }
        const double hi = centre + half, lo = centre - half;
        const double x = frame.X(band.x[i]);
        top << QPointF(x, frame.Y(hi));
        // On a logarithmic axis a band reaching 0 or below runs off the bottom.
        bottom << QPointF(x, frame.Drawable(lo) ? frame.Y(lo) : frame.box.bottom());
    }
    flush();
    p.setBrush(Qt::NoBrush);
}

void DrawMarker(QPainter& p, QPointF at, int shape, double r)
{
    switch (shape) {
    case 0: p.drawEllipse(at, r, r); break;
    case 1: p.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r)); break;
    default: p.drawPolygon(QPolygonF{{at.x(), at.y() - r * 1.3}, {at.x() + r * 1.3, at.y()}, {at.x(), at.y() + r * 1.3},
                                    {at.x() - r * 1.3, at.y()}});
    }
}

// Above this many points a curve's markers would merge into a thick band: only the points without
// a drawn neighbour keep theirs.
constexpr std::size_t kMarkedPointsAtMost = 120;

// A curve as lines between neighbouring points that have a value, and a marker at every value (on a
// dense curve at every point without a drawn neighbour), so that a point between two empty ones is
// still seen.
void DrawCurve(QPainter& p, const Frame& frame, const PlotCurve& curve, int shape)
{
    QPainterPath path;
    bool open = false;
    std::vector<QPointF> points;
    std::vector<bool> alone;
    for (std::size_t i = 0; i < curve.y.size(); ++i) {
        const double v = curve.y[i];
        if (!frame.Drawable(v)) {
            open = false;
            continue;
        }
        const QPointF at(frame.X(curve.x[i]), frame.Y(v));
        if (open)
            path.lineTo(at);
        else
            path.moveTo(at);
        const bool nextDrawn = i + 1 < curve.y.size() && frame.Drawable(curve.y[i + 1]);
        alone.push_back(!open && !nextDrawn);
        open = true;
        points.push_back(at);
    }
    if (points.size() > kMarkedPointsAtMost) {
        std::vector<QPointF> marked;
        for (std::size_t i = 0; i < points.size(); ++i)
            if (alone[i])
                marked.push_back(points[i]);
        points = std::move(marked);
    }
    p.setPen(QPen(curve.colour, 1.6));
    p.drawPath(path);
    p.setBrush(curve.colour);
    p.setPen(Qt::NoPen);
    for (const QPointF& at : points)
        DrawMarker(p, at, shape, 2.6);
    p.setBrush(Qt::NoBrush);
}

void DrawLegend(QPainter& p, const Frame& frame, const CurvePlot& plot)
{
    const QFontMetricsF metrics(p.font());
    double widest = 0.0;
    for (const PlotCurve& curve : plot.curves)
        widest = std::max(widest, metrics.horizontalAdvance(Text(curve.name)));
    if (plot.band)
        widest = std::max(widest, metrics.horizontalAdvance(Text(plot.band->name)));
    const int rows = static_cast<int>(plot.curves.size()) + (plot.band ? 1 : 0);
    const double rowHeight = 18, width = 48 + widest + 10;
    const QRectF box(frame.box.right() - width - 8, frame.box.top() + 8, width, rows * rowHeight + 8);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    double y = box.top() + 4 + rowHeight / 2;
    int shape = 0;
    for (const PlotCurve& curve : plot.curves) {
        p.setPen(QPen(curve.colour, 1.6));
        p.drawLine(QPointF(box.left() + 8, y), QPointF(box.left() + 38, y));
        p.setPen(Qt::NoPen);
        p.setBrush(curve.colour);
        DrawMarker(p, QPointF(box.left() + 23, y), shape++, 2.6);
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 46, y + metrics.ascent() / 2 - 1), Text(curve.name));
        y += rowHeight;
    }
    if (plot.band) {
        p.setPen(Qt::NoPen);
        p.setBrush(plot.band->colour);
        p.drawRect(QRectF(box.left() + 8, y - 6, 30, 12));
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 46, y + metrics.ascent() / 2 - 1), Text(plot.band->name));
    }
    p.setBrush(Qt::NoBrush);
}

} // namespace

QImage CurvePlotImage(const CurvePlot& plot, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const CurveScales scales = CurvePlotScales(plot);

    // The left margin holds the widest tick label and, left of it, the y title.
    double labelWidth = 0.0;
    for (double v : scales.y.ticks)
        labelWidth =
            std::max(labelWidth, metrics.horizontalAdvance(Text(TickText(v, plot.logarithmic ? 0.0 : scales.y.step))));
    const double titleX = 8 + metrics.height();
    const double left = titleX + 8 + labelWidth + 6;
    Frame frame{QRectF(left, 40, width - left - 24, height - 40 - 70), scales.x, scales.y};
    DrawAxes(p, frame, titleX, plot);

    p.save();
    p.setClipRect(frame.box);
    if (plot.band)
        DrawBand(p, frame, *plot.band);
    int shape = 0;
    for (const PlotCurve& curve : plot.curves)
        DrawCurve(p, frame, curve, shape++);
    p.restore();
    DrawLegend(p, frame, plot);

    p.setPen(Qt::black);
    p.drawText(QRectF(frame.box.left(), 12, frame.box.width(), 20), Qt::AlignLeft, Text(plot.title));
    if (!scales.note.empty()) {
        if (scales.drawn == 0) {
            QFont large = font;
            large.setPixelSize(16);
            p.setFont(large);
            p.drawText(frame.box, Qt::AlignCenter | Qt::TextWordWrap, Text(scales.note));
            p.setFont(font);
        } else {
            p.drawText(QRectF(frame.box.left(), height - 22, frame.box.width(), 18), Qt::AlignLeft, Text(scales.note));
        }
    }
    return image;
}

std::vector<std::uint8_t> PngFileBytes(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        common::ThrowCannotCreate(path);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

} // namespace nps
