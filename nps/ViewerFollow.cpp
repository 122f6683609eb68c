#include "ViewerFollow.h"

#include <QCoreApplication>

namespace nps {

void FollowViewer(QLineEdit* edit, QString& fromViewer, const std::string& now)
{
    const bool untouched = edit->text() == fromViewer;
    fromViewer = QString::fromStdString(now);
    if (untouched && !now.empty())
        edit->setText(fromViewer);
}

void BringUpFromViewer(QWidget& window, QLabel& status, const links::ViewerHandOff& handOff)
{
    status.setText(handOff.loadedFile.empty() ? QCoreApplication::translate("nps", "No image loaded in the viewer")
                                              : QString::fromStdString(handOff.loadedFile));
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace nps
