#include "SplashPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

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

    QFont title("IPAPGothic");
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 28, 512, 40), Qt::AlignCenter, QStringLiteral("画像の周波数スペクトル計算"));
    p.drawText(QRect(0, 68, 512, 40), Qt::AlignCenter, QStringLiteral("とフィルタ処理"));
    QFont sub("IPAPGothic");
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(200, 230, 255));
    p.drawText(QRect(0, 114, 512, 24), Qt::AlignCenter,
               QStringLiteral("Spatial-frequency spectra and radial filters of medical images"));
    return image;
}
