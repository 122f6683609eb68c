#include "UpDown.h"

#include <QToolButton>
#include <algorithm>

namespace toolkit {

UpDown::UpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { Step(true); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(false); });
}

void UpDown::setPosition(int v) { position_ = std::clamp(v, minimum_, maximum_); }

void UpDown::Step(bool up)
{
    emit changing(position_, up);
    setPosition(up ? position_ + increment_ : position_ - increment_);
    emit stepped(position_);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

} // namespace toolkit
