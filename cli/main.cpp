// The command-line program: owns the Qt GUI application the PNG plot needs (on the offscreen
// platform unless one is chosen), runs the command line and returns its exit code.
#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "Cli.h"

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication application(argc, argv);
    std::vector<std::string> args(argv, argv + argc);
    return cli::RunCli(args, std::cout, std::cerr);
}
