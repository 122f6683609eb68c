#include "NpsPlot.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <functional>

#include "Errors.h"

namespace nps {

namespace {

struct Frame {
    QRectF box;
    double xMax = 1.0, yMin = 0.0, yMax = 1.0;
    bool logarithmic = false;
    double Y(double v) const { return logarithmic ? std::log10(v) : v; }
    QPointF At(double f, double v) const
    {
        return {box.left() + f / xMax * box.width(), box.bottom() - (Y(v) - yMin) / (yMax - yMin) * box.height()};
    }
    bool Drawable(double v) const { return std::isfinite(v) && (!logarithmic || v > 0.0); }
};

QString Tick(double v)
{
    return QString::number(v, 'g', 3);
}

void DrawCurve(QPainter& p, const Frame& frame, const NpsResult& result, const QColor& colour,
               const std::function<double(const NpsCurvePoint&)>& value)
{
    QPainterPath path;
    bool open = false;
    for (const NpsCurvePoint& point : result.curve) {
        const double v = value(point);
        if (!frame.Drawable(v)) {
            open = false;
            continue;
        }
        const QPointF at = frame.At(point.frequency, v);
        if (open)
            path.lineTo(at);
        else
            path.moveTo(at);
        open = true;
    }
    p.setPen(QPen(colour, 1.6));
    p.drawPath(path);
}

// The axes' ranges from every value that will be drawn.
Frame FrameFor(const NpsResult& result, bool logarithmic, int width, int height)
{
    Frame frame;
    frame.logarithmic = logarithmic;
    frame.box = QRectF(80, 40, width - 110, height - 100);
    frame.xMax = result.curve.empty() ? 1.0 : std::max(result.curve.back().frequency, 1e-12);
    double lo = INFINITY, hi = -INFINITY;
    for (const NpsCurvePoint& c : result.curve)
        for (double v : {c.nps, c.uAxis, c.vAxis, c.nps + c.standardError})
            if (frame.Drawable(v)) {
                lo = std::min(lo, frame.Y(v));
                hi = std::max(hi, frame.Y(v));
            }
    if (!(lo <= hi)) {
        lo = 0.0;
        hi = 1.0;
    }
    if (!logarithmic)
        lo = std::min(lo, 0.0);
    if (hi - lo <= 0.0)
        hi = lo + 1.0;
    frame.yMin = logarithmic ? std::floor(lo) : lo;
    frame.yMax = logarithmic ? std::ceil(hi) : hi * 1.05;
    if (frame.yMax <= frame.yMin)
        frame.yMax = frame.yMin + 1.0;
    return frame;
}

// Grid lines, tick labels, the box and the axis titles.
void DrawAxes(QPainter& p, const Frame& frame, int height)
{
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);
    for (int i = 0; i <= 5; ++i) {
        const double f = frame.xMax * i / 5.0;
        const double x = frame.box.left() + frame.box.width() * i / 5.0;
        p.setPen(QPen(Qt::lightGray, 1));
        p.drawLine(QPointF(x, frame.box.top()), QPointF(x, frame.box.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 40, frame.box.bottom() + 4, 80, 16), Qt::AlignHCenter, Tick(f));
        const double yv = frame.yMin + (frame.yMax - frame.yMin) * i / 5.0;
        const double y = frame.box.bottom() - frame.box.height() * i / 5.0;
        p.setPen(QPen(Qt::lightGray, 1));
        p.drawLine(QPointF(frame.box.left(), y), QPointF(frame.box.right(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y - 8, frame.box.left() - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                   Tick(frame.logarithmic ? std::pow(10.0, yv) : yv));
    }
    p.setPen(Qt::black);
    p.drawRect(frame.box);
    p.drawText(QRectF(frame.box.left(), height - 40, frame.box.width(), 18), Qt::AlignHCenter,
               QStringLiteral("spatial frequency (cycles/mm)"));
    p.save();
    p.translate(16, frame.box.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-150, -10, 300, 18), Qt::AlignHCenter, QStringLiteral("NPS (value² mm²)"));
    p.restore();
}

} // namespace

QImage NpsPlotImage(const NpsResult& result, bool logarithmic, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const Frame frame = FrameFor(result, logarithmic, width, height);
    DrawAxes(p, frame, height);

    // The standard error as a band around the radial curve.
    const QColor band(0, 0, 0, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    for (const NpsCurvePoint& c : result.curve) {
        const double top = c.nps + c.standardError, bottom = c.nps - c.standardError;
        if (!frame.Drawable(top) || !frame.Drawable(c.nps))
            continue;
        const QPointF a = frame.At(c.frequency, top);
        const QPointF b = frame.At(c.frequency, frame.Drawable(bottom) ? bottom : c.nps);
        p.drawRect(QRectF(a.x() - 2, a.y(), 4, b.y() - a.y()));
    }
    p.setBrush(Qt::NoBrush);
    const struct {
        const char* name;
        QColor colour;
        std::function<double(const NpsCurvePoint&)> value;
    } curves[] = {
        {"radial", Qt::black, [](const NpsCurvePoint& c) { return c.nps; }},
        {"u axis", QColor(200, 30, 30), [](const NpsCurvePoint& c) { return c.uAxis; }},
        {"v axis", QColor(30, 60, 200), [](const NpsCurvePoint& c) { return c.vAxis; }},
    };
    double legendY = frame.box.top() + 10;
    for (const auto& c : curves) {
        DrawCurve(p, frame, result, c.colour, c.value);
        p.setPen(QPen(c.colour, 2));
        p.drawLine(QPointF(frame.box.right() - 110, legendY), QPointF(frame.box.right() - 80, legendY));
        p.setPen(Qt::black);
        p.drawText(QPointF(frame.box.right() - 74, legendY + 4), QString::fromLatin1(c.name));
        legendY += 18;
    }
    p.drawText(QRectF(frame.box.left(), 10, frame.box.width(), 20), Qt::AlignLeft,
               QStringLiteral("NPS: %1 ROIs of %2 px in %3 image(s), detrend %4 (%5)")
                   .arg(result.roiCount)
                   .arg(result.n)
                   .arg(result.imageCount)
                   .arg(QString::fromLatin1(DetrendName(result.detrend)))
                   .arg(QString::fromLatin1(DetrendScopeName(result.scope))));
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
