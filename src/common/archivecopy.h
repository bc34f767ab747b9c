#pragma once
#include "database.h"

#include <QString>
#include <QVector>
#include <functional>

// Copies archives from SQLite files into a PostgreSQL database, and checks a copy. A database
// receives the archives of one data folder once: it refuses a copy over archives it already
// holds.
struct TableCheck
{
    QString table;
    qint64 sourceRows = 0;
    qint64 copiedRows = 0;
    QString sourceDigest;
    QString copiedDigest;
    bool matches() const { return sourceRows == copiedRows && sourceDigest == copiedDigest; }
};

// Makes the archive at `target` (a server archive path) a copy of the SQLite archive `source`:
// the schema translated, every row with its row id, the schema's version. Throws DatabaseError
// (Refused when the database already holds that archive). Progress gets each table's name.
void copyArchiveToServer(const Database& source, const QString& target, const std::function<void(const QString&)>& progress = {});

// Appends the rows of a SQLite table to a table of a server archive, a few hundred values to a
// statement; with their SQLite row ids as __rowid__ when asked.
void copyTableRows(const Database& source, const QString& table, const QStringList& columns, const Database& target,
                   const QString& targetTable, bool withRowid);
// The columns of a SQLite table, in order; with its hidden (generated) columns too when asked.
QStringList sqliteColumns(const Database& sqlite, const QString& table, bool hiddenToo = false);

// The tables of an archive, as its schema spells them.
QStringList archiveTables(const Database& db);
// Row counts and a digest of every value, row by row in row-id order, of each table of both.
QVector<TableCheck> compareArchives(const Database& source, const Database& copy);
