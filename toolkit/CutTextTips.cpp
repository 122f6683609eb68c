#include "CutTextTips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

namespace toolkit {

namespace {

// What a line edit's frame and inner margins take from its width.
constexpr int kEditFrame = 8;
// What a grid cell's margins take from its column.
constexpr int kCellMargins = 6;

// The whole text of the control under the pointer when it shows only part of it, else nothing.
QString CutText(QObject* watched, const QPoint& pos)
{
    if (const auto* edit = qobject_cast<QLineEdit*>(watched)) {
        if (edit->toolTip().isEmpty() && edit->echoMode() == QLineEdit::Normal &&
            edit->fontMetrics().horizontalAdvance(edit->text()) + kEditFrame > edit->width())
            return edit->text();
        return {};
    }
    const auto* view = watched->parent() ? qobject_cast<QAbstractItemView*>(watched->parent()) : nullptr;
    if (!view || view->viewport() != watched)
        return {};
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid() || index.data(Qt::ToolTipRole).isValid())
        return {};
    const QString text = index.data(Qt::DisplayRole).toString();
    if (view->fontMetrics().horizontalAdvance(text) + kCellMargins > view->visualRect(index).width())
        return text;
    return {};
}

} // namespace

bool CutTextTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = CutText(watched, help->pos());
    if (text.isEmpty())
        return false;
    QToolTip::showText(help->globalPos(), text, qobject_cast<QWidget*>(watched));
    return true;
}

void InstallCutTextTips()
{
    qApp->installEventFilter(new CutTextTips(qApp));
}

} // namespace toolkit
