#include "scriptedplatform.h"
#include "programfolder.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

ScriptedPlatform::ScriptedPlatform()
{
    m_previous = Platform::installed();
    Platform::install(this);
}

ScriptedPlatform::~ScriptedPlatform()
{
    Platform::install(m_previous);
}

QString ScriptedPlatform::describe(const Message& m)
{
    static const char* icons[] = {"none", "critical", "exclamation", "information"};
    QString text = m.text;
    text.replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n"));
    return QStringLiteral("MESSAGE|%1|%2|%3|%4")
        .arg(QLatin1String(icons[int(m.icon)]), m.buttons == Buttons::YesNo ? QStringLiteral("yesno") : QStringLiteral("ok"),
             m.title.isNull() ? QStringLiteral("<none>") : m.title, text);
}

Platform::Answer ScriptedPlatform::message(const QString& text, Icon icon, Buttons buttons, const QString& title, Answer defaultAnswer)
{
    messages.push_back({text, icon, buttons, title, defaultAnswer});
    if (!logFile.isEmpty()) {
        QFile log(logFile);
        if (log.open(QIODevice::Append | QIODevice::Text)) QTextStream(&log) << describe(messages.last()) << '\n';
    }
    if (onMessage) onMessage(messages.last());
    if (buttons == Buttons::Ok) return Answer::Ok;
    return answers.isEmpty() ? Answer::Yes : answers.dequeue();
}

void ScriptedPlatform::endProgram()
{
    for (const Message& m : messages) std::fprintf(stderr, "%s\n", qPrintable(describe(m)));
    std::fprintf(stderr, "PROGRAM ENDED\n");
    std::fflush(nullptr);
    if (!logFile.isEmpty()) {
        QFile log(logFile);
        if (log.open(QIODevice::Append | QIODevice::Text)) QTextStream(&log) << "PROGRAM ENDED\n";
    }
    ProgramFolder::removeThisProcessFolders();
    std::_Exit(0);
}

void ScriptedPlatform::setHourglass(bool on)
{
    busy = on;
}

QString ScriptedPlatform::chooseOpenFile(QWidget*, const QString&)
{
    return filesToChoose.isEmpty() ? QString() : filesToChoose.dequeue();
}

QString ScriptedPlatform::chooseFolder(QWidget*, const QString&)
{
    return foldersToChoose.isEmpty() ? QString() : foldersToChoose.dequeue();
}

bool ScriptedPlatform::openUrl(const QString& url)
{
    openedUrls << url;
    return desktopOpens;
}

bool ScriptedPlatform::openFolder(const QString& folder)
{
    openedFolders << folder;
    return desktopOpens;
}

bool ScriptedPlatform::showHelp(const QString& helpFile, int context)
{
    helpTopics << QStringLiteral("%1#%2").arg(helpFile).arg(context);
    return desktopOpens;
}

bool ScriptedPlatform::isLocalPath(const QString& path)
{
    if (path.startsWith(QLatin1String("//")) || path.startsWith(QLatin1String("\\\\")))
        return false;
    for (const QString& prefix : networkPaths)
        if (path.startsWith(prefix)) return false;
    return true;
}
