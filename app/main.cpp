#include <QApplication>
#include <QScreen>
#include <vector>

#include "CutTextTips.h"
#include "NpsLauncher.h"
#include "NpsSource.h"
#include "NpsWindow.h"
#include "ProgramWindows.h"
#include "UiFont.h"
#include "WindowCascade.h"

namespace {

// The windows cascade over the screen's free area, so that none hides another's title bar even
// on a small screen; the viewer keeps its own place where it fits.
void PlaceWindows(const std::vector<QWidget*>& windows)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || windows.empty())
        return;
    const QRect free = screen->availableGeometry();
    // A window laid out by its layout has its size only from its size hint until it is shown.
    const auto rect = [](const QWidget* w) {
        const QSize size = w->size().expandedTo(w->sizeHint());
        return common::WindowRect{w->x(), w->y(), size.width(), size.height()};
    };
    std::vector<common::WindowRect> others;
    for (std::size_t i = 1; i < windows.size(); ++i)
        others.push_back(rect(windows[i]));
    const std::vector<common::WindowRect> placed = common::CascadeWindows(
        {free.x(), free.y(), free.width(), free.height()}, rect(windows.front()), others);
    for (std::size_t i = 0; i < windows.size(); ++i)
        windows[i]->move(placed[i].x, placed[i].y);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The name message boxes carry as their title (otherwise the executable's file name). Not the
    // display name: that one would also be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Spectrum Viewer"));
    QApplication::setFont(toolkit::UiFont());
    toolkit::InstallCutTextTips();

    // The worker threads of every window, one per hardware thread, for the whole run.
    common::ThreadPool pool;

    // The viewer is the main window; the two analysis windows exist from the start, hidden.
    links::ProgramWindows windows(pool);
    nps::ViewerNpsSource npsSource(windows.form1);
    nps::NpsWindow npsWindow(npsSource, pool);
    nps::InstallNpsLauncher(windows.form1, npsWindow);
    PlaceWindows({&windows.form1, &windows.form2, &windows.form3, &npsWindow});
    windows.form1.show();
    return app.exec();
}
