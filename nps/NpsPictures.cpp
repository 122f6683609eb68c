#include "NpsPictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace nps {

namespace {

int Grey(double v, double lo, double hi)
{
    if (!(hi > lo))
        return 0;
    return static_cast<int>(std::clamp((v - lo) / (hi - lo) * 255.0, 0.0, 255.0));
}

} // namespace

QImage RoiPicture(const PixelView& image, const RoiGrid& grid, int side)
{
    if (image.width <= 0 || image.height <= 0)
        return {};
    double sum = 0.0, square = 0.0;
    for (double v : image.values.first(static_cast<std::size_t>(image.width * image.height))) {
        sum += v;
        square += v * v;
    }
    const double count = static_cast<double>(image.width * image.height);
    const double mean = sum / count, sd = std::sqrt(std::max(0.0, square / count - mean * mean));
    QImage grey(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGB32);
    for (long long y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(static_cast<int>(y)));
        for (long long x = 0; x < image.width; ++x) {
            const int g = Grey(image.At(x, y), mean - 3 * sd, mean + 3 * sd);
            line[x] = qRgb(g, g, g);
        }
    }
    QImage shown = grey.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation);
    const double scale = static_cast<double>(shown.width()) / static_cast<double>(image.width);
    QPainter p(&shown);
    const QColor colours[] = {QColor(255, 200, 0), QColor(0, 200, 255)};
    std::size_t i = 0;
    for (const RoiCorner& c : grid.corners) {
        p.setPen(QPen(colours[i++ % 2], 1));
        p.drawRect(QRectF(c.x * scale, c.y * scale, grid.size * scale - 1, grid.size * scale - 1));
    }
    return shown;
}

QImage NpsPicture(const NpsResult& result, int side)
{
    const int n = result.n;
    if (n <= 0)
        return {};
    double lo = INFINITY, hi = -INFINITY;
    const std::size_t centre = static_cast<std::size_t>(n / 2) * n + n / 2;
    for (std::size_t k = 0; k < result.nps2d.size(); ++k)
        if (k != centre && result.nps2d[k] > 0.0) {
            lo = std::min(lo, std::log10(result.nps2d[k]));
            hi = std::max(hi, std::log10(result.nps2d[k]));
        }
    QImage picture(n, n, QImage::Format_RGB32);
    for (int r = 0; r < n; ++r) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(r));
        for (int c = 0; c < n; ++c) {
            const double v = result.nps2d[static_cast<std::size_t>(r) * n + c];
            const int g = v > 0.0 ? Grey(std::log10(v), lo, hi) : 0;
            line[c] = qRgb(g, g, g);
        }
    }
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation);
}

} // namespace nps
