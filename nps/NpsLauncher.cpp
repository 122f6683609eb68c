#include "NpsLauncher.h"

#include <QCoreApplication>

#include "NpsWindow.h"

namespace nps {

void InstallNpsLauncher(links::ViewerSource& viewer, NpsWindow& window)
{
    viewer.AddLauncher(QString::fromLatin1(kNpsShortcut), QStringLiteral("ShortcutNps"),
                       QCoreApplication::translate("nps", "%1: noise power spectrum (NPS) of the image or of the "
                                                          "folder list")
                           .arg(QString::fromLatin1(kNpsShortcut)),
                       window, [&window] { window.OpenFromViewer(); });
}

} // namespace nps
