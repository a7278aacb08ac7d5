// GoogleTest with a QApplication in Japanese, painting offscreen unless told otherwise (test
// discovery runs this too, outside CTest's environment).
#include "gui_common/language.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The window texts as written, whatever the machine's locale says.
    UseLanguage(Language::Japanese);
    return RUN_ALL_TESTS();
}
