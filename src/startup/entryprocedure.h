#pragma once
#include <QString>

// PENDING: the start-up sequence (program title, pointer file, archives, components, splash).
class EntryProcedure
{
public:
    explicit EntryProcedure(const QString& programFolder) : m_programFolder(programFolder) {}
    void run();

private:
    QString m_programFolder;
};
