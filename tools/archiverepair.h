#pragma once
#include <QString>
#include <QStringList>

// The soundness of a SQLite archive file, and its rebuilding from what can still be read of it.
// The check is SQLite's own (PRAGMA integrity_check), made as any other program would make it;
// the rebuilding copies the schema and every row that can still be read into a new file (as the
// sqlite3 shell's .dump would, without needing the shell), the damaged one kept aside.

// "<name>_<what>_<stamp>.mdb" beside the archive at path: where its copies are kept.
QString besideWith(const QString& path, const QString& what, const QString& stamp);

// What the check finds wrong with the archive, in the engine's words; empty when it is sound or
// when the file cannot be read as an archive at all (opening it then says why).
QStringList integrityProblems(const QString& path);

// The tables whose rows cannot all be read any more.
QStringList unreadableTables(const QString& path);

struct Recovery
{
    QString damagedKeptAs;  // where the damaged file now is
    QString problem;        // why it could not be rebuilt; empty when it was
    QStringList partialTables;  // tables some of whose rows could not be read
};

// Rebuilds the archive at path from every row that can be read, under the same name; the damaged
// file is kept beside it as "<name>_danneggiato_<stamp>.mdb". A rebuilding that fails leaves the
// damaged file where it was.
Recovery recoverArchive(const QString& path, const QString& stamp);
