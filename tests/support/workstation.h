#pragma once
// Another workstation on the same data folder: a real process with the main window signed in
// (tests/workers/workstation.cpp), driven one command at a time.
#include "support/programfolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <stdexcept>

class Workstation
{
public:
    // Given a local folder (holding its own locdata.mdb), it is another installation of the program.
    Workstation(const ProgramFolder& folder, const QString& user, const QString& workstation, const QString& localFolder = {})
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList args{folder.path(), user, workstation};
        if (!localFolder.isEmpty()) args << localFolder;
        m_process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/worker_workstation"), args);
        if (!m_process.waitForStarted(10000)) throw std::runtime_error("worker_workstation did not start");
    }
    ~Workstation()
    {
        if (m_process.state() == QProcess::Running) {
            m_process.write("quit\n");
            if (!m_process.waitForFinished(10000)) crash();
        }
    }

    // Sends one command and returns the workstation's answer line.
    QString ask(const QString& command)
    {
        m_process.write(command.toUtf8() + '\n');
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(30000)) throw std::runtime_error(("no answer to " + command).toStdString());
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    // Ends the process at once, leaving whatever locks it holds behind.
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
};
