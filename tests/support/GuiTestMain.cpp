// Runs GoogleTest inside a QApplication on the offscreen platform unless a display is chosen, in
// Japanese: the windows' message texts are checked as Japanese users read them.
#include <QApplication>
#include <gtest/gtest.h>

#include "Translation.h"
#include "UiFont.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(toolkit::UiFont());
    i18n::UseLanguage(i18n::Language::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
