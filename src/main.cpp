#include "startup/entryprocedure.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    EntryProcedure entry(QCoreApplication::applicationDirPath());
    entry.run();
    return app.exec();
}
