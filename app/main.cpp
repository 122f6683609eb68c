#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "CutTextTips.h"
#include "NpsLauncher.h"
#include "NpsWindow.h"
#include "ProgramWindows.h"
#include "QualityLauncher.h"
#include "QualityWindow.h"
#include "Translation.h"
#include "UiFont.h"
#include "Version.h"
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

constexpr const char* kUsage = TR_NOOP("main",
    "Usage: spectrum_viewer [OPTION]\n"
    "Look at medical images and their spatial-frequency content: open a raw matrix or a DICOM file,\n"
    "window it, cut a square ROI, look at its 2-D Fourier spectrum in cycles/mm, filter it, and\n"
    "measure a detector's noise power spectrum. The same analyses run without a window in\n"
    "spectrum_cli.\n"
    "\n"
    "Options:\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "  --lang ja|en  the language of this run (otherwise the locale's: LC_ALL,\n"
    "              LC_MESSAGES or LANG starting with ja gives Japanese, else English)\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n");

// The options answered before any window (and any display) is needed. Returns true when one was.
bool AnsweredWithoutWindows(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(i18n::TranslateStd("main", kUsage).c_str(), stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("spectrum_viewer %s\n", common::kVersion);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // The language first: --help already speaks it.
    std::optional<std::string> badLanguage;
    i18n::UseLanguage(i18n::ChooseLanguage(std::vector<std::string>(argv, argv + argc), &badLanguage));
    if (badLanguage) {
        std::fputs((i18n::ShownStd(i18n::LanguageRefusal(*badLanguage)) + "\n").c_str(),
                   stderr);
        return 2;
    }
    if (AnsweredWithoutWindows(argc, argv))
        return 0;
    QApplication app(argc, argv);
    i18n::UseLanguage(i18n::CurrentLanguage());  // now for every window's tr() too
    QApplication::setApplicationVersion(QString::fromLatin1(common::kVersion));
    // The name message boxes carry as their title (otherwise the executable's file name). Not the
    // display name: that one would also be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Spectrum Viewer"));
    QApplication::setFont(toolkit::UiFont());
    toolkit::InstallCutTextTips();

    // The worker threads of every window, one per hardware thread, for the whole run.
    common::ThreadPool pool;

    // The viewer is the main window; the two analysis windows exist from the start, hidden.
    links::ProgramWindows windows(pool);
    nps::NpsWindow npsWindow(windows.Viewer(), pool);
    nps::InstallNpsLauncher(windows.Viewer(), npsWindow);
    quality::QualityWindow qualityWindow(windows.Viewer(), pool);
    quality::InstallQualityLauncher(windows.Viewer(), qualityWindow);
    PlaceWindows({&windows.form1, &windows.form2, &windows.form3, &npsWindow, &qualityWindow});
    windows.form1.show();
    return app.exec();
}
