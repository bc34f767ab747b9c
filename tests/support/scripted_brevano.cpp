// The program's real start-up with a scripted platform, for tests that run whole processes.
// Usage: brevano_scripted <program folder> <script file>
// The script holds "key=value" lines: workstation, answer (Yes/No, repeatable), log (file that
// receives every message), today (yyyy-MM-dd).
#include "startup/entryprocedure.h"
#include "scriptedplatform.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    ScriptedPlatform platform;
    QFile script(QString::fromLocal8Bit(argv[2]));
    if (script.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream in(&script);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            const int eq = line.indexOf(u'=');
            if (eq < 0)
                continue;
            const QString key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
            if (key == QLatin1String("workstation"))
                platform.workstation = value;
            else if (key == QLatin1String("answer"))
                platform.answers.enqueue(value == QLatin1String("No") ? Platform::Answer::No : Platform::Answer::Yes);
            else if (key == QLatin1String("log"))
                platform.logFile = value;
            else if (key == QLatin1String("today"))
                platform.todayDate = QDate::fromString(value, Qt::ISODate);
        }
    }
    EntryProcedure entry(QString::fromLocal8Bit(argv[1]));
    entry.run();
    return app.exec();
}
