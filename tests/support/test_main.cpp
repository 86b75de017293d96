#include "install_translations.h"

#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

// Every test runs inside a widget application on Qt's offscreen platform, so image and
// widget code behaves as in the program without a display, and speaks its language
// (English, as the tests' environment sets it).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    install_translations(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
