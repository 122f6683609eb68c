// The command-line program: owns the Qt GUI application the PNG plot needs (on the offscreen
// platform unless one is chosen), speaks the language of --lang or else of the locale, runs the
// command line and returns its exit code.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "Cli.h"
#include "Translation.h"

namespace {

// Qt serves only the drawing here: its notes about the session (a missing runtime folder, the
// platform plugin) say nothing about the results, so only its errors reach standard error.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(QtMessages);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    std::vector<std::string> args(argv, argv + argc);
    // --lang's language, else the environment's; a wrong --lang is RunCli's to refuse, in the
    // environment's language.
    std::optional<std::string> badLanguage;
    i18n::UseLanguage(i18n::ChooseLanguage({args.empty() ? args.end() : args.begin() + 1, args.end()}, &badLanguage));
    return cli::RunCli(args, std::cout, std::cerr);
}
