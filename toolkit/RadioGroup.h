#pragma once
// A captioned group of radio items with one selected index (-1 for none). itemIndexChanged fires
// when, and only when, the selected index changes, whether the user or the program changed it.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;

namespace toolkit {

class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ Items WRITE setItems)
    Q_PROPERTY(int itemIndex READ ItemIndex WRITE setItemIndex)
    Q_PROPERTY(int columns READ Columns WRITE setColumns)

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QStringList Items() const { return items_; }
    void setItems(const QStringList& items);
    int ItemIndex() const { return index_; }
    void setItemIndex(int index);
    int Columns() const { return columns_; }
    void setColumns(int columns);

    QAbstractButton* Button(int index) const;

signals:
    void itemIndexChanged(int index);

private:
    void Rebuild();
    void OnToggled(int id, bool checked);

    QStringList items_;
    int index_ = -1;
    int columns_ = 1;
    QButtonGroup buttons_;
    QGridLayout* grid_;
};

} // namespace toolkit
