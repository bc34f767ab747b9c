#include "archiverepair.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInt checkCounter;

// How many of the check's findings are worth a report: the first ones name the damaged tables.
constexpr int ReportedProblems = 20;

// SQLite's code for a damaged file.
constexpr int SqliteCorrupt = 11;

QString besideWith(const QString& path, const QString& what, const QString& stamp)
{
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + u'_' + what + u'_' + stamp + QStringLiteral(".mdb"));
}

bool damagedCode(const QSqlError& error)
{
    return (error.nativeErrorCode().toInt() & 0xff) == SqliteCorrupt;
}

} // namespace

// Runs work on a connection of its own that only reads the file, as another program would.
template <typename Work>
void reading(const QString& path, Work&& work)
{
    const QString name = QStringLiteral("brevano-check-%1").arg(checkCounter.fetchAndAddRelaxed(1));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open())
            work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList integrityProblems(const QString& path)
{
    QStringList problems;
    reading(path, [&](QSqlDatabase& db) {
        QSqlQuery check(db);
        if (check.exec(QStringLiteral("PRAGMA integrity_check(%1)").arg(ReportedProblems))) {
            while (check.next())
                problems << check.value(0).toString();
            if (problems == QStringList{QStringLiteral("ok")})
                problems.clear();
        } else if (damagedCode(check.lastError())) {
            problems << check.lastError().databaseText();
        }
    });
    return problems;
}

QStringList unreadableTables(const QString& path)
{
    QStringList unreadable;
    reading(path, [&](QSqlDatabase& db) {
        QSqlQuery tables(db);
        QStringList names;
        if (tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")))
            while (tables.next())
                names << tables.value(0).toString();
        for (const QString& table : names) {
            QSqlQuery rows(db);
            if (!rows.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QString(table).replace(u'"', QStringLiteral("\"\""))))
                && damagedCode(rows.lastError()))
                unreadable << table;
        }
    });
    return unreadable;
}

Recovery recoverArchive(const QString& path, const QString& stamp)
{
    Recovery r;
    const QString rebuilt = besideWith(path, QStringLiteral("ricostruito"), stamp);
    QProcess read, write;
    read.setStandardOutputProcess(&write);
    read.start(QStringLiteral("sqlite3"), {path, QStringLiteral(".recover")});
    write.start(QStringLiteral("sqlite3"), {rebuilt});
    const bool ran = read.waitForFinished(-1) && write.waitForFinished(-1);
    if (!ran || read.exitCode() != 0 || write.exitCode() != 0) {
        r.problem = QStringLiteral("il comando sqlite3 .recover non è riuscito: %1")
                        .arg(QString::fromLocal8Bit(read.readAllStandardError() + write.readAllStandardError()).trimmed());
        if (read.error() == QProcess::FailedToStart)
            r.problem = QStringLiteral("il programma sqlite3 non è installato");
        QFile::remove(rebuilt);
        return r;
    }
    if (!integrityProblems(rebuilt).isEmpty()) {
        r.problem = QStringLiteral("anche la copia ricostruita risulta danneggiata");
        QFile::remove(rebuilt);
        return r;
    }
    const QString kept = besideWith(path, QStringLiteral("danneggiato"), stamp);
    // The damaged file's journal goes with it: it belongs to that file, never to the new one.
    const QString journal = path + QStringLiteral("-journal");
    if (QFile::rename(path, kept)) {
        if ((!QFile::exists(journal) || QFile::rename(journal, kept + QStringLiteral("-journal")))
            && QFile::rename(rebuilt, path)) {
            r.damagedKeptAs = kept;
            return r;
        }
        QFile::rename(kept + QStringLiteral("-journal"), journal);
        QFile::rename(kept, path);
    }
    r.problem = QStringLiteral("impossibile mettere la copia ricostruita %1 al posto dell'archivio")
                    .arg(QDir::toNativeSeparators(rebuilt));
    return r;
}
