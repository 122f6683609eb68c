#include "NpsPlot.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "Errors.h"
#include "PlotScale.h"

namespace nps {

const std::array<NpsCurveStyle, 3>& NpsCurveStyles()
{
    static const std::array<NpsCurveStyle, 3> styles = {{
        {"radial", QColor(0, 0, 0), &NpsCurvePoint::nps},
        {"u axis", QColor(200, 30, 30), &NpsCurvePoint::uAxis},
        {"v axis", QColor(30, 60, 200), &NpsCurvePoint::vAxis},
    }};
    return styles;
}

QColor NpsBandColour() { return QColor(0, 0, 0, 45); }

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
void DrawAxes(QPainter& p, const Frame& frame, double yTitleX, int height)
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
               QStringLiteral("spatial frequency (cycles/mm)"));
    p.save();
    p.translate(yTitleX, frame.box.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-150, -metrics.height(), 300, metrics.height()), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("NPS (value² mm²)"));
    p.restore();
    (void)height;
}

// The radial curve's standard error as a band, one polygon per run of bins that have one.
void DrawBand(QPainter& p, const Frame& frame, const NpsResult& result)
{
    p.setPen(Qt::NoPen);
    p.setBrush(NpsBandColour());
    QPolygonF top, bottom;
    const auto flush = [&] {
        if (top.size() >= 2) {
            QPolygonF band = top;
            for (auto it = bottom.rbegin(); it != bottom.rend(); ++it)
                band << *it;
            p.drawPolygon(band);
        } else if (top.size() == 1) {
            p.drawRect(QRectF(top[0].x() - 2, top[0].y(), 4, bottom[0].y() - top[0].y()));
        }
        top.clear();
        bottom.clear();
    };
    for (const NpsCurvePoint& c : result.curve) {
        const double hi = c.nps + c.standardError, lo = c.nps - c.standardError;
        if (!frame.Drawable(c.nps) || !std::isfinite(c.standardError)) {
            flush();
            continue;
        }
        const double x = frame.X(c.frequency);
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

// A curve as lines between neighbouring bins that have a value, and a marker at every value, so
// that a bin between two empty ones is still seen.
void DrawCurve(QPainter& p, const Frame& frame, const NpsResult& result, const NpsCurveStyle& style, int shape)
{
    QPainterPath path;
    bool open = false;
    std::vector<QPointF> points;
    for (const NpsCurvePoint& c : result.curve) {
        const double v = c.*style.value;
        if (!frame.Drawable(v)) {
            open = false;
            continue;
        }
        const QPointF at(frame.X(c.frequency), frame.Y(v));
        if (open)
            path.lineTo(at);
        else
            path.moveTo(at);
        open = true;
        points.push_back(at);
    }
    p.setPen(QPen(style.colour, 1.6));
    p.drawPath(path);
    p.setBrush(style.colour);
    p.setPen(Qt::NoPen);
    for (const QPointF& at : points)
        DrawMarker(p, at, shape, 2.6);
    p.setBrush(Qt::NoBrush);
}

void DrawLegend(QPainter& p, const Frame& frame)
{
    const QFontMetricsF metrics(p.font());
    const double rowHeight = 18, width = 48 + metrics.horizontalAdvance(QString::fromUtf8(kNpsBandName)) + 10;
    const QRectF box(frame.box.right() - width - 8, frame.box.top() + 8, width, 4 * rowHeight + 8);
    p.setPen(QPen(QColor(160, 160, 160), 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    double y = box.top() + 4 + rowHeight / 2;
    int shape = 0;
    for (const NpsCurveStyle& style : NpsCurveStyles()) {
        p.setPen(QPen(style.colour, 1.6));
        p.drawLine(QPointF(box.left() + 8, y), QPointF(box.left() + 38, y));
        p.setPen(Qt::NoPen);
        p.setBrush(style.colour);
        DrawMarker(p, QPointF(box.left() + 23, y), shape++, 2.6);
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 46, y + metrics.ascent() / 2 - 1), QString::fromLatin1(style.name));
        y += rowHeight;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(NpsBandColour());
    p.drawRect(QRectF(box.left() + 8, y - 6, 30, 12));
    p.setPen(Qt::black);
    p.drawText(QPointF(box.left() + 46, y + metrics.ascent() / 2 - 1), QString::fromUtf8(kNpsBandName));
    p.setBrush(Qt::NoBrush);
}

} // namespace

QImage NpsPlotImage(const NpsResult& result, bool logarithmic, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const NpsPlotScales scales = PlotScales(result, logarithmic);

    // The left margin holds the widest tick label and, left of it, the y title.
    double labelWidth = 0.0;
    for (double v : scales.y.ticks)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(Text(TickText(v, logarithmic ? 0.0 : scales.y.step))));
    const double titleX = 8 + metrics.height();
    const double left = titleX + 8 + labelWidth + 6;
    Frame frame{QRectF(left, 40, width - left - 24, height - 40 - 70), scales.x, scales.y};
    DrawAxes(p, frame, titleX, height);

    p.save();
    p.setClipRect(frame.box);
    DrawBand(p, frame, result);
    int shape = 0;
    for (const NpsCurveStyle& style : NpsCurveStyles())
        DrawCurve(p, frame, result, style, shape++);
    p.restore();
    DrawLegend(p, frame);

    p.setPen(Qt::black);
    p.drawText(QRectF(frame.box.left(), 12, frame.box.width(), 20), Qt::AlignLeft,
               QStringLiteral("NPS: %1 ROIs of %2 px in %3 image(s), detrend %4 (%5), axis curves %6")
                   .arg(result.roiCount)
                   .arg(result.n)
                   .arg(result.imageCount)
                   .arg(QString::fromLatin1(DetrendName(result.detrend)))
                   .arg(QString::fromLatin1(DetrendScopeName(result.scope)))
                   .arg(QString::fromLatin1(AxisPlacementName(result.axisPlacement))));
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
