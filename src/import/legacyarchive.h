#pragma once
#include "common/database.h"

#include <QString>
#include <functional>
#include <memory>

class JetArchiveReader;
class QTemporaryDir;

// The previous generation's archive chosen by the user: a Microsoft Jet file, read through
// libmdb, or an archive in our own format with the same tables.
//
// Our archives cannot attach a Jet file, so a Jet table is first copied as it is (same names,
// values of the same kinds) into a private temporary archive, which the insert-select then
// reads in its place.
class LegacyArchive
{
public:
    // Called while a table is read: rows read so far, rows the table holds.
    using Progress = std::function<void(int done, int total)>;

    // Throws DatabaseError when the file is neither kind of archive.
    explicit LegacyArchive(const QString& path);
    ~LegacyArchive();
    LegacyArchive(const LegacyArchive&) = delete;
    LegacyArchive& operator=(const LegacyArchive&) = delete;

    QString path() const { return m_path; }
    bool isJet() const { return bool(m_jet); }

    struct SourceTable
    {
        QString archivePath;  // the archive an insert-select reads the table from
        int recordCount;      // the rows the old table holds
    };
    // Opens an old table for reading; throws DatabaseError when the table is missing.
    SourceTable openTable(const QString& name, const Progress& progress = {});

private:
    SourceTable stageJetTable(const QString& name, const Progress& progress);

    QString m_path;
    std::unique_ptr<JetArchiveReader> m_jet;
    Database m_own;
    std::unique_ptr<QTemporaryDir> m_stageFolder;
    Database m_stage;
};
