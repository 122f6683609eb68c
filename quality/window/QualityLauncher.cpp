#include "QualityLauncher.h"

#include <QCoreApplication>

#include "QualityWindow.h"

namespace quality {

void InstallQualityLauncher(links::ViewerSource& viewer, QualityWindow& window)
{
    viewer.AddLauncher(QString::fromLatin1(kQualityShortcut), QStringLiteral("ShortcutQuality"),
                       QCoreApplication::translate("quality", "%1: MTF of an edge image and DQE")
                           .arg(QString::fromLatin1(kQualityShortcut)),
                       window, [&window] { window.OpenFromViewer(); });
}

} // namespace quality
