#include "legacyarchive.h"
#include "jetarchivereader.h"
#include "common/transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

namespace {

// How often a long table reports its progress.
constexpr int ProgressEveryRows = 1000;

QString quoted(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString sqlType(JetTableReader::Kind kind)
{
    switch (kind) {
    case JetTableReader::Kind::Boolean:
    case JetTableReader::Kind::Integer: return QStringLiteral("INTEGER");
    case JetTableReader::Kind::Real: return QStringLiteral("REAL");
    case JetTableReader::Kind::Text: return QStringLiteral("TEXT");
    case JetTableReader::Kind::Date: return QStringLiteral("DATE");
    case JetTableReader::Kind::Unsupported: break;
    }
    return QStringLiteral("BLOB");
}

void run(QSqlQuery& query)
{
    if (!query.exec())
        throw DatabaseError(DatabaseError::Kind::Refused, query.lastError().text());
}

void run(const Database& db, const QString& sqliteText)
{
    QSqlQuery query = db.prepare(sqliteText);
    run(query);
}

} // namespace

LegacyArchive::LegacyArchive(const QString& path) : m_path(path)
{
    m_jet = JetArchiveReader::open(path);
    if (!m_jet)
        m_own = Database::open(path, QString());
}

LegacyArchive::~LegacyArchive() = default;

LegacyArchive::SourceTable LegacyArchive::openTable(const QString& name, const Progress& progress)
{
    if (m_jet)
        return stageJetTable(name, progress);
    Rows count = m_own.select(JetQuery("SELECT COUNT(*) FROM ") << Jet::identifier(name));
    count.next();
    return {m_path, count.value(0).toInt()};
}

LegacyArchive::SourceTable LegacyArchive::stageJetTable(const QString& name, const Progress& progress)
{
    std::unique_ptr<JetTableReader> table = m_jet->table(name);
    if (!table)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("La tabella '%1' non esiste in '%2'.").arg(name, m_path));
    if (!m_stage.isValid()) {
        m_stageFolder = std::make_unique<QTemporaryDir>();
        if (!m_stageFolder->isValid())
            throw DatabaseError(DatabaseError::Kind::Refused, m_stageFolder->errorString());
        m_stage = Database::create(m_stageFolder->filePath(QStringLiteral("BrevanoIV.mdb")), QString());
        // A private scratch copy, thrown away afterwards: nothing to journal or to sync.
        run(m_stage, QStringLiteral("PRAGMA journal_mode=OFF"));
        run(m_stage, QStringLiteral("PRAGMA synchronous=OFF"));
    }

    QStringList definitions, places;
    for (const JetTableReader::Column& column : table->columns()) {
        definitions << quoted(column.name) + u' ' + sqlType(column.kind);
        places << QStringLiteral("?");
    }
    const QString tableName = quoted(table->name());
    run(m_stage, QStringLiteral("DROP TABLE IF EXISTS %1").arg(tableName));
    run(m_stage, QStringLiteral("CREATE TABLE %1 (%2)").arg(tableName, definitions.join(u',')));

    const int columns = int(table->columns().size());
    const int total = table->storedRowCount();
    int rows = 0;
    inImmediateTransaction(m_stage, [&] {
        QSqlQuery insert = m_stage.prepare(
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(tableName, places.join(u',')));
        while (table->next()) {
            for (int i = 0; i < columns; ++i)
                insert.bindValue(i, table->value(i));
            run(insert);
            if (++rows % ProgressEveryRows == 0 && progress)
                progress(rows, std::max(rows, total));
        }
    });
    if (progress)
        progress(rows, rows);
    return {m_stage.path(), rows};
}
