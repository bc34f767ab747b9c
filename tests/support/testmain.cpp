#include "support/scriptedplatform.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests read numbers and dates the way an Italian workstation shows them.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // What runs outside a test's own scripted platform (windows closing late) meets this one.
    ScriptedPlatform outside;
    return RUN_ALL_TESTS();
}
