#pragma once
#include "common/platform.h"

#include <QDate>
#include <QQueue>
#include <QString>
#include <QVector>
#include <functional>

// A platform for tests: records every message, answers questions from a script, and tells
// the workstation name and today's date it was given.
class ScriptedPlatform : public Platform
{
public:
    struct Message
    {
        QString text;
        Icon icon;
        Buttons buttons;
        QString title;  // null: no title of its own
        Answer defaultAnswer = Answer::Yes;  // the button Enter presses in a question
    };

    ScriptedPlatform();
    ~ScriptedPlatform() override;

    Answer message(const QString& text, Icon icon, Buttons buttons, const QString& title,
                   Answer defaultAnswer = Answer::Yes) override;
    // Writes the messages shown so far to standard error ("MESSAGE|icon|title|text", carriage returns as \r), then ends
    // the process with code 0. Tests observe it as a death test or from a child process.
    [[noreturn]] void endProgram() override;
    void setHourglass(bool busy) override;
    QString workstationName() override { return workstation; }
    QString chooseOpenFile(QWidget* parent, const QString& filter) override;
    QString chooseFolder(QWidget* parent, const QString& start) override;
    bool openUrl(const QString& url) override;
    bool openFolder(const QString& folder) override;
    bool showHelp(const QString& helpFile, int context) override;
    QDate today() override { return todayDate; }
    QStringList drives() override { return driveRoots; }
    bool isLocalPath(const QString& path) override;

    // Script.
    QString workstation = QStringLiteral("POSTAZIONE1");
    QDate todayDate = QDate::currentDate();
    QQueue<Answer> answers;            // for Yes/No questions; an empty queue answers Yes
    QQueue<QString> filesToChoose;     // for the open-file dialog; empty: cancelled
    QQueue<QString> foldersToChoose;
    QStringList networkPaths;          // prefixes treated as network shares
    QStringList driveRoots{QStringLiteral("/")};
    bool desktopOpens = true;          // false: a machine without programs that open folders and pages
    // Runs when a message is shown (before it is answered).
    std::function<void(const Message&)> onMessage;

    // Observations.
    QVector<Message> messages;
    QStringList openedFolders, openedUrls, helpTopics;
    bool busy = false;

    const Message* last() const { return messages.isEmpty() ? nullptr : &messages.last(); }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() { messages.clear(); }

    // The line format used by endProgram() and the scripted program's log.
    static QString describe(const Message& m);
    // A log file to append every message to (used by the scripted program).
    QString logFile;

private:
    Platform* m_previous = nullptr;
};
