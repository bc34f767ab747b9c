#include "archivecopy.h"
#include "serverarchive.h"
#include "transaction.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// Rows sent in one statement: few round trips, statements of bounded size.
constexpr int ValuesPerStatement = 2000;

} // namespace

QStringList sqliteColumns(const Database& sqlite, const QString& table, bool hiddenToo)
{
    QSqlQuery q = sqlite.prepare(hiddenToo ? QStringLiteral("SELECT name FROM pragma_table_xinfo(?) ORDER BY cid")
                                           : QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"));
    q.addBindValue(table);
    sqlite.run(q);
    QStringList columns;
    while (q.next())
        columns << q.value(0).toString();
    return columns;
}

namespace {

// A connection to the server database itself, for the work outside an archive's schema.
// The statements of the schema run as written: "C" is a collation, not a name to translate.
void runOnServer(const Database& server, const QString& sql)
{
    QSqlQuery q(server.connection());
    if (!q.exec(sql))
        throw server.failure(q.lastError());
}

} // namespace

void copyTableRows(const Database& source, const QString& table, const QStringList& columns, const Database& target,
                   const QString& targetTable, bool withRowid)
{
    QStringList names;
    if (withRowid)
        names << QStringLiteral("__rowid__");
    for (const QString& c : columns)
        names << target.quotedName(c);
    const int width = int(names.size());
    const int perStatement = std::max(1, ValuesPerStatement / width);
    const QString one = u'(' + QStringList(width, QStringLiteral("?")).join(u',') + u')';
    const QString head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(targetTable, names.join(u','));
    QHash<int, QSqlQuery> statements;
    const auto statementFor = [&](int rows) -> QSqlQuery& {
        auto it = statements.find(rows);
        if (it == statements.end())
            it = statements.insert(rows, target.prepare(head + QStringList(rows, one).join(u',')));
        return *it;
    };
    QStringList selected;
    for (const QString& c : columns)
        selected << u'[' + c + u']';
    QSqlQuery read(source.connection());
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT rowid, %1 FROM [%2] ORDER BY rowid").arg(selected.join(u','), table)))
        throw source.failure(read.lastError());
    QVariantList batch;
    int rows = 0;
    const auto flush = [&] {
        if (rows == 0)
            return;
        QSqlQuery& insert = statementFor(rows);
        for (int i = 0; i < batch.size(); ++i)
            insert.bindValue(i, batch[i]);
        target.run(insert);
        batch.clear();
        rows = 0;
    };
    while (read.next()) {
        for (int i = withRowid ? 0 : 1; i <= columns.size(); ++i)
            batch << read.value(i);
        if (++rows == perStatement)
            flush();
    }
    flush();
}

namespace {

// One value as the digest reads it, the same on both engines.
void digestValue(QCryptographicHash& hash, const QVariant& v)
{
    QByteArray bytes;
    if (v.isNull())
        bytes = QByteArrayLiteral("\x01N");
    else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        bytes = QByteArray::number(v.toDouble(), 'g', 17);
    else if (v.typeId() == QMetaType::QByteArray)
        bytes = v.toByteArray().toHex();
    else
        bytes = v.toString().toUtf8();
    hash.addData(bytes);
    hash.addData(QByteArrayLiteral("\x00"));
}

std::pair<qint64, QString> digestTable(const Database& db, const QString& table, const QStringList& columns)
{
    QStringList selected;
    for (const QString& c : columns)
        selected << db.quotedName(c);
    QSqlQuery q(db.connection());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(selected.join(u','), db.quotedName(table), db.rowidColumn())))
        throw db.failure(q.lastError());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    qint64 rows = 0;
    while (q.next()) {
        for (int i = 0; i < columns.size(); ++i)
            digestValue(hash, q.value(i));
        ++rows;
    }
    return {rows, QString::fromLatin1(hash.result().toHex())};
}

} // namespace

QStringList archiveTables(const Database& db)
{
    QSqlQuery q(db.connection());
    const bool server = db.engine() == Database::Engine::PostgreSQL;
    if (!q.exec(server ? QStringLiteral("SELECT name FROM msysnames WHERE kind = 'table' ORDER BY lower(name)")
                       : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' "
                                        "ORDER BY lower(name)")))
        throw db.failure(q.lastError());
    QStringList tables;
    while (q.next())
        tables << q.value(0).toString();
    return tables;
}

void copyArchiveToServer(const Database& source, const QString& target, const std::function<void(const QString&)>& progress)
{
    // The database itself, reached through the archive's service with no archive schema yet.
    const QString schema = ServerArchive::schemaOf(target);
    Database server = Database::open(ServerArchive::locator(ServerArchive::serviceOf(target), QString()), QString());
    QSqlQuery exists = server.prepare(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?"));
    exists.addBindValue(schema);
    server.run(exists);
    if (exists.next())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Il database contiene già l'archivio %1.").arg(ServerArchive::archiveFileOf(target)), target);
    exists.finish();

    // The whole archive or nothing: a copy that fails leaves no schema behind.
    inImmediateTransaction(server, [&] {
        for (const QString& statement : ServerArchive::postgresPrelude())
            runOnServer(server, statement);
        runOnServer(server, QStringLiteral("CREATE SCHEMA %1").arg(schema));
        runOnServer(server, QStringLiteral("SET LOCAL search_path TO %1, public").arg(schema));
        runOnServer(server, QStringLiteral("CREATE TABLE msysnames (name text NOT NULL, kind text NOT NULL)"));
        runOnServer(server, QStringLiteral("CREATE TABLE msysversion (version bigint NOT NULL)"));
        QSqlQuery version = server.prepare(QStringLiteral("INSERT INTO msysversion (version) VALUES (?)"));
        version.addBindValue(source.schemaVersion());
        server.run(version);

        QSqlQuery schemaRows(source.connection());
        if (!schemaRows.exec(QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite%' "
                                            "ORDER BY type = 'index', rowid")))
            throw source.failure(schemaRows.lastError());
        QSqlQuery name = server.prepare(QStringLiteral("INSERT INTO msysnames (name, kind) VALUES (?, ?)"));
        while (schemaRows.next()) {
            const QString kind = schemaRows.value(0).toString(), table = schemaRows.value(1).toString();
            for (const QString& statement : ServerArchive::postgresSchema(schemaRows.value(2).toString()))
                runOnServer(server, statement);
            if (kind != QLatin1String("table"))
                continue;
            name.bindValue(0, table);
            name.bindValue(1, kind);
            server.run(name);
            const QStringList columns = sqliteColumns(source, table);
            const QStringList named = sqliteColumns(source, table, true);
            for (const QString& column : named) {
                name.bindValue(0, column);
                name.bindValue(1, QStringLiteral("column"));
                server.run(name);
            }
            if (progress)
                progress(table);
            copyTableRows(source, table, columns, server, server.quotedName(table), true);
            // New rows continue after the copied ones.
            for (const QString& counted : QStringList{QStringLiteral("__rowid__")} + columns) {
                QSqlQuery identity = server.prepare(QStringLiteral("SELECT pg_get_serial_sequence(?, ?)"));
                identity.addBindValue(schema + u'.' + table.toLower());
                identity.addBindValue(counted.toLower());
                server.run(identity);
                if (!identity.next() || identity.value(0).isNull())
                    continue;
                runOnServer(server, QStringLiteral("SELECT setval('%1', coalesce((SELECT max(%2) FROM %3), 0) + 1, false)")
                                        .arg(identity.value(0).toString(), server.quotedName(counted), server.quotedName(table)));
            }
        }
    });
}

QVector<TableCheck> compareArchives(const Database& source, const Database& copy)
{
    QVector<TableCheck> checks;
    for (const QString& table : archiveTables(source)) {
        TableCheck check;
        check.table = table;
        const QStringList columns = source.engine() == Database::Engine::SQLite ? sqliteColumns(source, table) : QStringList();
        std::tie(check.sourceRows, check.sourceDigest) = digestTable(source, table, columns);
        try {
            std::tie(check.copiedRows, check.copiedDigest) = digestTable(copy, table, columns);
        } catch (const DatabaseError&) {
            check.copiedRows = -1;
        }
        checks << check;
    }
    return checks;
}

// A selection that reads another archive (the import's staged tables) reads, on a server, a
// temporary copy of each table it names: the rows are sent with prepared inserts in one
// transaction.
QStringList Database::attachToServer(const JetQuery& query) const
{
    QStringList aliases;
    const auto& pieces = query.pieces();
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].kind != JetQuery::PieceKind::Archive)
            continue;
        aliases << QStringLiteral("pg_temp");
        static const QRegularExpression tableAfter(QStringLiteral("^\\.(\\w+)"));
        const auto m = i + 1 < pieces.size() ? tableAfter.match(pieces[i + 1].fixed) : QRegularExpressionMatch();
        if (!m.hasMatch())
            continue;
        const QString table = m.captured(1);
        const Database source = Database::open(pieces[i].fixed, QString(), true);
        QString realName = table;
        for (const QString& t : archiveTables(source))
            if (t.compare(table, Qt::CaseInsensitive) == 0)
                realName = t;
        QSqlQuery types = source.prepare(QStringLiteral("SELECT name, upper(type) FROM pragma_table_info(?) ORDER BY cid"));
        types.addBindValue(realName);
        source.run(types);
        QStringList columns, definitions;
        while (types.next()) {
            const QString type = types.value(1).toString();
            columns << types.value(0).toString();
            definitions << quotedName(columns.last()) + u' '
                               + (type.contains(QLatin1String("INT"))    ? QStringLiteral("bigint")
                                  : type.contains(QLatin1String("REAL")) ? QStringLiteral("double precision")
                                  : type.contains(QLatin1String("BLOB")) ? QStringLiteral("bytea")
                                                                         : QStringLiteral("text"));
        }
        const QString temporary = QStringLiteral("pg_temp.") + quotedName(table);
        // The rows go in one transaction (a savepoint inside the caller's), not one each.
        inImmediateTransaction(*this, [&] {
            run(QStringLiteral("DROP TABLE IF EXISTS ") + temporary);
            run(QStringLiteral("CREATE TEMPORARY TABLE %1 (%2)").arg(quotedName(table), definitions.join(u',')));
            copyTableRows(source, realName, columns, *this, temporary, false);
        });
    }
    return aliases;
}
