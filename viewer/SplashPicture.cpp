#include "SplashPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QCoreApplication>
#include <QFontMetrics>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int kTextWidth = 496;  // the picture's width less a margin on each side

// The picture's font (Japanese glyphs included) at `pixelSize`, made smaller where needed so that
// each line fits the picture: a translation may be longer than the text the layout was made for.
QFont FittedFont(int pixelSize, bool bold, std::initializer_list<QString> lines)
{
    QFont font("IPAPGothic");
    font.setBold(bold);
    for (int size = pixelSize;; --size) {
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const QString& line : lines)
            fits = fits && metrics.horizontalAdvance(line) <= kTextWidth;
        if (fits || size <= 8)
            return font;
    }
}

} // namespace

QImage MakeSplashPicture()
{
    QImage image(512, 512, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 512);
    sky.setColorAt(0, QColor(12, 34, 86));
    sky.setColorAt(1, QColor(6, 90, 110));
    p.fillRect(image.rect(), sky);

    // A centred spectrum: rings of decreasing brightness around the zero frequency.
    QRadialGradient glow(QPointF(256, 300), 190);
    glow.setColorAt(0, QColor(255, 244, 180));
    glow.setColorAt(0.25, QColor(255, 160, 60, 220));
    glow.setColorAt(0.6, QColor(200, 40, 90, 120));
    glow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(glow);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(256, 300), 190, 190);

    p.setBrush(Qt::NoBrush);
    for (int r = 30; r <= 180; r += 30) {
        p.setPen(QPen(QColor(120, 220, 255, 160 - r / 2), 1.5, Qt::DashLine));
        p.drawEllipse(QPointF(256, 300), r, r);
    }

    // A radial filter's gain curve across the bottom.
    QPainterPath curve;
    for (int x = 0; x <= 512; x += 4) {
        const double f = std::abs(x - 256) / 256.0;
        const double gain = 1.0 / (1.0 + std::pow(f / 0.35, 6));
        const double y = 490 - 90 * gain;
        if (x == 0)
            curve.moveTo(x, y);
        else
            curve.lineTo(x, y);
    }
    p.setPen(QPen(QColor(140, 255, 160), 3));
    p.drawPath(curve);

    // The title's two lines and the line under them, in the run's language.
    const QString title[] = {QCoreApplication::translate("viewer", "画像の周波数スペクトル計算"),
                             QCoreApplication::translate("viewer", "とフィルタ処理")};
    const QString subtitle =
        QCoreApplication::translate("viewer", "Spatial-frequency spectra and radial filters of medical images");
    p.setPen(Qt::white);
    p.setFont(FittedFont(30, true, {title[0], title[1]}));
    p.drawText(QRect(0, 28, 512, 40), Qt::AlignCenter, title[0]);
    p.drawText(QRect(0, 68, 512, 40), Qt::AlignCenter, title[1]);
    p.setPen(QColor(200, 230, 255));
    p.setFont(FittedFont(15, false, {subtitle}));
    p.drawText(QRect(0, 114, 512, 24), Qt::AlignCenter, subtitle);
    return image;
}
