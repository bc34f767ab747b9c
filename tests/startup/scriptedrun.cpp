#include "scriptedrun.h"
#include "support/programfolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

static QStringList readLog(const QString& path)
{
    return QString::fromUtf8(contentOf(path)).split(u'\n', Qt::SkipEmptyParts);
}

ScriptedRun runScripted(const QString& programFolder, const QStringList& script, const QString& until)
{
    const QString program = qEnvironmentVariable("BREVANO_SCRIPTED");
    if (program.isEmpty()) throw std::runtime_error("BREVANO_SCRIPTED is not set");
    QTemporaryDir work;
    const QString logPath = work.filePath(QStringLiteral("log.txt")), scriptPath = work.filePath(QStringLiteral("script.txt"));
    QFile file(scriptPath);
    if (!file.open(QIODevice::WriteOnly) || file.write((QStringList{"log=" + logPath} + script).join(u'\n').toUtf8() + '\n') < 0)
        throw std::runtime_error("cannot write the script");
    file.close();

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {programFolder, scriptPath});
    if (!process.waitForStarted()) throw std::runtime_error("brevano_scripted did not start");

    ScriptedRun run;
    const QString awaited = QStringLiteral("WINDOW|") + until;
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        if (process.waitForFinished(50)) {
            run.exited = true;
            run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
            break;
        }
        if (!until.isEmpty() && readLog(logPath).contains(awaited)) break;
    }
    if (!run.exited) {
        process.kill();
        process.waitForFinished();
    }
    run.log = readLog(logPath);
    return run;
}
