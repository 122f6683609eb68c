#include "RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

namespace toolkit {

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), grid_(new QGridLayout(this))
{
    grid_->setContentsMargins(4, 2, 4, 2);
    grid_->setSpacing(0);
    connect(&buttons_, &QButtonGroup::idToggled, this, &RadioGroup::OnToggled);
}

void RadioGroup::setItems(const QStringList& items)
{
    items_ = items;
    Rebuild();
}

void RadioGroup::setColumns(int columns)
{
    columns_ = columns < 1 ? 1 : columns;
    Rebuild();
}

QAbstractButton* RadioGroup::Button(int index) const { return buttons_.button(index); }

void RadioGroup::Rebuild()
{
    for (QAbstractButton* b : buttons_.buttons()) {
        buttons_.removeButton(b);
        delete b;
    }
    const int rows = (items_.size() + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto* button = new QRadioButton(items_[i], this);
        button->setObjectName(objectName() + "_item" + QString::number(i));
        buttons_.addButton(button, i);
        // Items run down the first column, then the next, as a radio group lays them out.
        grid_->addWidget(button, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    if (index_ >= items_.size())
        index_ = -1;
    if (index_ >= 0) {
        const QSignalBlocker block(&buttons_);
        buttons_.button(index_)->setChecked(true);
    }
}

void RadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= items_.size() || index == index_)
        return;
    if (index == -1) {
        const QSignalBlocker block(&buttons_);
        buttons_.setExclusive(false);
        for (QAbstractButton* b : buttons_.buttons())
            b->setChecked(false);
        buttons_.setExclusive(true);
        index_ = -1;
        emit itemIndexChanged(-1);
        return;
    }
    buttons_.button(index)->setChecked(true);  // OnToggled records it and emits
}

void RadioGroup::OnToggled(int id, bool checked)
{
    if (!checked || id == index_)
        return;
    index_ = id;
    emit itemIndexChanged(id);
}

} // namespace toolkit
