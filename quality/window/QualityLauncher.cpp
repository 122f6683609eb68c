#include "QualityLauncher.h"

#include <QCoreApplication>
#include <QShortcut>

#include "HandlerGuard.h"
#include "QualityWindow.h"
#include "Unit1.h"

namespace quality {

void InstallQualityLauncher(TForm1& viewer, QualityWindow& window)
{
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(kQualityShortcut)), &viewer);
    shortcut->setObjectName("ShortcutQuality");
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     toolkit::Guarded([&window] { window.OpenFromViewer(); }));
    const QString line = QCoreApplication::translate("quality", "%1: MTF of an edge image and DQE")
                             .arg(QString::fromLatin1(kQualityShortcut));
    const QString tip = viewer.ui.Panel3->toolTip();
    if (!tip.contains(line))
        viewer.ui.Panel3->setToolTip(tip.isEmpty() ? line : tip + QStringLiteral("\n") + line);
}

} // namespace quality
