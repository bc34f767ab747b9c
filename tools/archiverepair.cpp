#include "archiverepair.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

namespace {

QAtomicInt checkCounter;

// How many of the check's findings are worth a report: the first ones name the damaged tables.
constexpr int ReportedProblems = 20;

// SQLite's code for a damaged file.
constexpr int SqliteCorrupt = 11;

bool damagedCode(const QSqlError& error)
{
    return (error.nativeErrorCode().toInt() & 0xff) == SqliteCorrupt;
}

} // namespace

QString besideWith(const QString& path, const QString& what, const QString& stamp)
{
    const QFileInfo file(path);
    return file.dir().filePath(file.completeBaseName() + u'_' + what + u'_' + stamp + QStringLiteral(".mdb"));
}

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
            // Every row in row-id order: the table itself, never an index that could stand for it.
            QSqlQuery rows(db);
            rows.setForwardOnly(true);
            bool read = rows.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(QString(table).replace(u'"', QStringLiteral("\"\""))));
            while (read && rows.next()) {
            }
            if (damagedCode(rows.lastError()))
                unreadable << table;
        }
    });
    return unreadable;
}

namespace {

bool run(QSqlDatabase& db, const QString& sql)
{
    return QSqlQuery(db).exec(sql);
}

QString quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Copies the rows of a table that can be read: all at once, or else in row-id order from the
// first row up to the damage and from the last row down to it. False when rows were lost.
bool copyReadableRows(QSqlDatabase& db, const QString& table)
{
    QSqlQuery columns(db);
    columns.exec(QStringLiteral("SELECT name FROM pragma_table_xinfo(%1, 'damaged') WHERE hidden = 0")
                     .arg(u'\'' + QString(table).replace(u'\'', QStringLiteral("''")) + u'\''));
    QStringList names;
    while (columns.next())
        names << quoted(columns.value(0).toString());
    const QString list = names.join(u',');
    const QString copy = QStringLiteral("INSERT OR IGNORE INTO main.%1 (%2) SELECT %2 FROM damaged.%1").arg(quoted(table), list);
    if (run(db, QStringLiteral("BEGIN")) && run(db, copy) && run(db, QStringLiteral("COMMIT")))
        return true;
    // The engine may have undone the transaction itself: then this finds none to undo.
    run(db, QStringLiteral("ROLLBACK"));
    QVector<QVariantList> readable;
    for (const char* order : {"ASC", "DESC"}) {
        QSqlQuery rows(db);
        rows.setForwardOnly(true);
        if (!rows.exec(QStringLiteral("SELECT %1 FROM damaged.%2 ORDER BY rowid %3").arg(list, quoted(table), QLatin1String(order))))
            continue;
        while (rows.next()) {
            QVariantList values;
            for (int i = 0; i < names.size(); ++i)
                values << rows.value(i);
            readable << values;
        }
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT OR IGNORE INTO main.%1 (%2) VALUES (%3)")
                       .arg(quoted(table), list, QStringList(names.size(), QStringLiteral("?")).join(u',')));
    run(db, QStringLiteral("BEGIN"));
    for (const QVariantList& values : readable) {
        for (int i = 0; i < values.size(); ++i)
            insert.bindValue(i, values[i]);
        insert.exec();
    }
    run(db, QStringLiteral("COMMIT"));
    return false;
}

// Makes a new archive at rebuilt with the schema of the damaged one and every row that can be
// read; returns the tables that lost rows, or fails with the reason.
QString rebuild(const QString& damaged, const QString& rebuilt, QStringList& partial)
{
    const QString name = QStringLiteral("brevano-rebuild-%1").arg(checkCounter.fetchAndAddRelaxed(1));
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(rebuilt);
        QSqlQuery q(db);
        if (!db.open() || !q.prepare(QStringLiteral("ATTACH DATABASE ? AS damaged"))) {
            problem = db.lastError().text();
        } else {
            q.addBindValue(damaged);
            QStringList statements, tables;
            if (!q.exec() || !q.exec(QStringLiteral("SELECT type, name, sql FROM damaged.sqlite_master WHERE sql IS NOT NULL "
                                                    "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                                    "ORDER BY CASE type WHEN 'table' THEN 0 WHEN 'index' THEN 1 ELSE 2 END")))
                problem = q.lastError().text();
            while (q.next()) {
                statements << q.value(2).toString();
                if (q.value(0).toString() == QLatin1String("table"))
                    tables << q.value(1).toString();
            }
            for (const QString& sql : statements.mid(0, tables.size()))
                if (problem.isEmpty() && !run(db, sql))
                    problem = QStringLiteral("tabella non ricreata: ") + sql.left(60);
            for (const QString& table : tables)
                if (problem.isEmpty() && !copyReadableRows(db, table))
                    partial << table;
            run(db, QStringLiteral("INSERT INTO main.sqlite_sequence SELECT * FROM damaged.sqlite_sequence"));
            for (const QString& sql : statements.mid(tables.size()))
                run(db, sql);
            for (const char* setting : {"user_version", "application_id"})
                if (q.exec(QStringLiteral("PRAGMA damaged.%1").arg(QLatin1String(setting))) && q.next())
                    run(db, QStringLiteral("PRAGMA main.%1 = %2").arg(QLatin1String(setting)).arg(q.value(0).toLongLong()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

} // namespace

Recovery recoverArchive(const QString& path, const QString& stamp)
{
    Recovery r;
    const QString rebuilt = besideWith(path, QStringLiteral("ricostruito"), stamp);
    QFile::remove(rebuilt);
    r.problem = rebuild(path, rebuilt, r.partialTables);
    if (r.problem.isEmpty() && !integrityProblems(rebuilt).isEmpty())
        r.problem = QStringLiteral("anche la copia ricostruita risulta danneggiata");
    if (!r.problem.isEmpty()) {
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
