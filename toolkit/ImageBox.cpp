#include "ImageBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace toolkit {

QImage ToQImage(const common::GreyBitmap& bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_Indexed8);
    QList<QRgb> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = qRgb(i, i, i);
    image.setColorTable(palette);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::copy_n(bitmap.Row(y), bitmap.Width(), image.scanLine(y));
    return image;
}

ImageBox::ImageBox(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageBox::SetColorPicture(const QImage& picture)
{
    color_ = picture;
    update();
}

void ImageBox::ShowBitmap()
{
    color_ = QImage();
    update();
}

void ImageBox::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

QImage ImageBox::Picture() const { return color_.isNull() ? ToQImage(bitmap_) : color_; }

void ImageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    QImage image;
    if (!color_.isNull()) {
        image = color_;
    } else {
        if (bitmap_.Width() == 0 || bitmap_.Height() == 0)
            return;
        // Shares the bitmap's bytes for the duration of the paint; no copy per repaint.
        image = QImage(bitmap_.Pixels().data(), bitmap_.Width(), bitmap_.Height(), bitmap_.Width(),
                       QImage::Format_Grayscale8);
    }
    if (stretch_) {
        painter.drawImage(rect(), image);
    } else {
        const QPoint at((width() - image.width()) / 2, (height() - image.height()) / 2);
        painter.drawImage(at, image);
    }
}

void ImageBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void ImageBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

} // namespace toolkit
