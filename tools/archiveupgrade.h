#pragma once
#include "common/database.h"

#include <QString>
#include <QVector>
#include <functional>

// The changes of the archives' schemas since their first version, as numbered steps. Step n
// brings an archive from version n - 1 to version n; the version an archive has reached is kept
// in its PRAGMA user_version, where any SQLite tool can read it (archives made before the first
// step read 0). A later version of the program appends its steps to the list, one for each of
// the three archives (a step records its version itself: PRAGMA user_version = n), and the new
// templates (schema/*.sql) declare the last version.
enum class ArchiveRole { User, Data, Local };

struct UpgradeStep
{
    int version;
    ArchiveRole archive;
    const char* description;  // Italian, for the report
    void (*apply)(const Database& db);
};

const QVector<UpgradeStep>& upgradeSteps();

// The version archives of this program have.
int currentArchiveVersion();

int archiveVersion(const Database& db);

// Brings an archive up to the current version in one immediate transaction: nothing changes
// unless every step succeeds. beforeChanges runs first, inside the transaction, when there is
// something to change (the archive is then held against other writers: a copy made there is
// the archive as it was). Each step applied is told to report. Returns the version found.
// Throws DatabaseError.
int upgradeArchive(const Database& db, ArchiveRole role, const std::function<void()>& beforeChanges,
                   const std::function<void(const QString&)>& report);
