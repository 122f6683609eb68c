// Runs GoogleTest inside a QApplication on the offscreen platform unless a display is chosen.
#include <QApplication>
#include <gtest/gtest.h>

#include "UiFont.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(toolkit::UiFont());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
