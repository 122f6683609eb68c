#pragma once
// An image control: shows a grey bitmap (or a colour picture) either stretched to its bounds with
// nearest-neighbour sampling or at its own size, centred. Mouse events are reported in client
// pixels.
#include <QImage>
#include <QWidget>

#include "GreyBitmap.h"

namespace toolkit {

class ImageBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool stretch READ Stretch WRITE setStretch)

public:
    explicit ImageBox(QWidget* parent = nullptr);

    // The bitmap the control shows; drawing on it and calling update() changes the picture.
    common::GreyBitmap& Bitmap() { return bitmap_; }
    const common::GreyBitmap& Bitmap() const { return bitmap_; }

    // A colour picture shown instead of the bitmap until the bitmap is shown again.
    void SetColorPicture(const QImage& picture);
    void ShowBitmap();
    bool ShowsColorPicture() const { return !color_.isNull(); }

    bool Stretch() const { return stretch_; }
    void setStretch(bool stretch);

    // The picture as the control shows it: the bitmap as an 8-bit grey image, or the colour one.
    QImage Picture() const;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    common::GreyBitmap bitmap_;
    QImage color_;
    bool stretch_ = true;
};

// A grey bitmap as a Qt image (copied, 8-bit indexed with a grey palette).
QImage ToQImage(const common::GreyBitmap& bitmap);

} // namespace toolkit
