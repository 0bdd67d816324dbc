// The tests of the windows need one application object with widgets, no
// display, the program's own font and Qt's dialogs in French.

#include "dialogs/FrenchTranslations.h"
#include "window/Appearance.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs the program without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qunsetenv("QT_FONT_DPI");
    // The user's scale never reaches the tests; a test of another scale
    // asks for it by OHMORA_TEST_SCALE_FACTOR.
    qunsetenv("QT_SCALE_FACTOR");
    if (!qEnvironmentVariableIsEmpty("OHMORA_TEST_SCALE_FACTOR")) {
        qputenv("QT_SCALE_FACTOR", qgetenv("OHMORA_TEST_SCALE_FACTOR"));
    }
    QApplication app(argc, argv);
    QApplication::setFont(ohmora::controlFont());
    ohmora::installFrenchTranslations(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
