#include "startup/entryprocedure.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Esc on the splash screen or closing the sign-in leaves no window: the program ends.
    QApplication::setQuitOnLastWindowClosed(true);
    EntryProcedure entry(QCoreApplication::applicationDirPath());
    entry.run();
    return app.exec();
}
