#pragma once
#include <QString>

// The start-up sequence: program title, local archive path, connect string, pointer file,
// archive check, business-module components, then the splash screen. Every failure on the way
// ends the program; after the splash is shown the program is driven by its windows.
class EntryProcedure
{
public:
    explicit EntryProcedure(const QString& programFolder) : m_programFolder(programFolder) {}
    void run();

private:
    QString m_programFolder;
};
