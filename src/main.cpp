#include "common/appglobals.h"
#include "components/qtplatform.h"
#include "mainwindow/principale.h"
#include "startup/entryprocedure.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Esc on the splash screen or closing the sign-in leaves no window: the program ends.
    QApplication::setQuitOnLastWindowClosed(true);
    QtPlatform platform;
    Platform::install(&platform);
    appGlobals().makeMainWindow = [](AppGlobals& globals) { return new Principale(globals); };
    EntryProcedure entry(QCoreApplication::applicationDirPath());
    entry.run();
    return app.exec();
}
