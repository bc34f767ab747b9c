#pragma once
#include <QString>
#include <QStringList>

// A run of the real start-up (brevano_scripted) on a program folder, observed through its log.
struct ScriptedRun
{
    QStringList log;        // "MESSAGE|...", "WINDOW|...", "PROGRAM ENDED", in order
    bool exited = false;    // the process ended by itself
    int exitCode = -1;
};

// What a client is told when the server's archives are out of reach.
inline const QString NotFoundClient = QStringLiteral(
    "MESSAGE|critical|ok|Brevano V|E' stato riscontrato un errore durante il collegamento alla fonte di dati."
    "\\rAssicurarsi che il computer sia connesso correttamente alla rete.");

// Starts brevano_scripted on the folder with the script lines (a log line is added) and waits
// until it ends by itself, or until the log shows the window `until`; then it is stopped.
ScriptedRun runScripted(const QString& programFolder, const QStringList& script = {}, const QString& until = QString());
