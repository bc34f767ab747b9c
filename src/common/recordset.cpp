#include "recordset.h"
#include "jetcollation.h"
#include "transaction.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

namespace {

const QString RowidColumn = QStringLiteral("__rowid__");

QString quoted(const QString& name)
{
    return u'[' + name + u']';
}

// Values as the archive stores them.
QVariant storable(const QVariant& v)
{
    if (v.isNull())
        return QVariant();
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    default: return v;
    }
}

bool sameValue(const QVariant& stored, const QVariant& wanted)
{
    if (stored.isNull() || wanted.isNull())
        return false;
    const bool storedNumber = stored.typeId() == QMetaType::LongLong || stored.typeId() == QMetaType::Int
                              || stored.typeId() == QMetaType::Double;
    const bool wantedNumber = wanted.typeId() == QMetaType::LongLong || wanted.typeId() == QMetaType::Int
                              || wanted.typeId() == QMetaType::Double;
    if (storedNumber && wantedNumber)
        return stored.toDouble() == wanted.toDouble();
    if (wantedNumber) {
        bool ok = false;
        const double d = stored.toString().toDouble(&ok);
        return ok && d == wanted.toDouble();
    }
    return jetCompare(stored.toString(), storable(wanted).toString()) == 0;
}

struct Condition
{
    QString field;
    QVariant value;
};

// "(idTipo=" "M" " AND idCodice=" "x" ")" -> [(idTipo, M), (idCodice, x)]
QVector<Condition> conditionsOf(const JetQuery& criterion)
{
    static const QRegularExpression fieldBefore(
        QStringLiteral("(?:^|\\(|\\s|\\bAND\\b)\\s*\\(?\\s*(?:\\[?\\w+\\]?\\.)?\\[?(\\w+)\\]?\\s*=\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression connective(QStringLiteral("^[\\s\\(\\)]*(AND)?[\\s\\(\\)]*$"),
                                               QRegularExpression::CaseInsensitiveOption);
    QVector<Condition> out;
    const auto& pieces = criterion.pieces();
    QString pending;
    for (const auto& p : pieces) {
        if (p.kind == JetQuery::PieceKind::Fixed) {
            pending += p.fixed;
            continue;
        }
        const auto m = fieldBefore.match(pending);
        if (!m.hasMatch())
            throw DatabaseError(DatabaseError::Kind::Refused,
                                QStringLiteral("Criterio di ricerca non supportato: %1").arg(criterion.jetText()));
        const QString before = pending.left(m.capturedStart(0));
        if (!connective.match(before).hasMatch())
            throw DatabaseError(DatabaseError::Kind::Refused,
                                QStringLiteral("Criterio di ricerca non supportato: %1").arg(criterion.jetText()));
        out.push_back({m.captured(1), p.kind == JetQuery::PieceKind::Date ? QVariant(p.value.toDate()) : p.value});
        pending.clear();
    }
    if (!connective.match(pending).hasMatch() || out.isEmpty())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Criterio di ricerca non supportato: %1").arg(criterion.jetText()));
    return out;
}

} // namespace

Recordset Recordset::openTable(const Database& db, const QString& table, bool readOnly)
{
    JetQuery q;
    q << "SELECT * FROM " << Jet::identifier(table);
    Recordset rs = open(db, q, Type::Dynaset, readOnly);
    rs.m_type = Type::Table;
    return rs;
}

Recordset Recordset::open(const Database& db, const JetQuery& query, Type type, bool readOnly)
{
    Recordset rs;
    rs.m_db = db;
    rs.m_source = query;
    rs.m_type = type;
    rs.m_readOnly = readOnly || type == Type::Snapshot;
    rs.m_statements = std::make_shared<QHash<QString, QSqlQuery>>();

    // A selection of every column of one table can be written back through the row ids.
    static const QRegularExpression oneTable(
        QStringLiteral("^\\s*SELECT\\s+\\*\\s+FROM\\s+\\[?(\\w+)\\]?(\\s+(WHERE|ORDER\\s+BY)\\b.*)?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QString sql = query.sqliteText();
    const auto m = oneTable.match(sql);
    if (m.hasMatch() && !sql.contains(QLatin1String("JOIN"), Qt::CaseInsensitive)) {
        rs.m_table = m.captured(1);
        rs.m_sql = QStringLiteral("SELECT rowid AS %1, * FROM %2%3")
                       .arg(RowidColumn, quoted(rs.m_table), m.captured(2));
    } else {
        rs.m_sql = sql;
    }
    rs.load();
    return rs;
}

void Recordset::close()
{
    m_db = Database();
    m_rows.clear();
    m_statements.reset();
}

QSqlQuery& Recordset::cachedQuery(const QString& sql)
{
    auto it = m_statements->find(sql);
    if (it == m_statements->end())
        it = m_statements->insert(sql, m_db.prepare(sql));
    return *it;
}

void Recordset::load()
{
    QSqlQuery q(m_db.connection());
    q.setForwardOnly(true);
    if (!q.prepare(m_sql))
        throw m_db.failure(q.lastError());
    for (const QVariant& v : m_source.bindings())
        q.addBindValue(v);
    if (!q.exec())
        throw m_db.failure(q.lastError());
    const QSqlRecord rec = q.record();
    const bool hasRowid = !m_table.isEmpty();
    m_fields.clear();
    for (int i = hasRowid ? 1 : 0; i < rec.count(); ++i)
        m_fields << rec.fieldName(i);
    m_rows.clear();
    while (q.next()) {
        Row row;
        if (hasRowid)
            row.rowid = q.value(0).toLongLong();
        row.values.reserve(m_fields.size());
        for (int i = hasRowid ? 1 : 0; i < rec.count(); ++i)
            row.values << q.value(i);
        m_rows << row;
    }
    m_pos = 0;
    m_afterDelete = false;
    m_editMode = EditMode::None;
}

void Recordset::Requery()
{
    load();
}

int Recordset::fieldIndex(const QString& field) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void Recordset::setAbsolutePosition(int position)
{
    m_afterDelete = false;
    m_pos = std::clamp(position, -1, int(m_rows.size()));
}

void Recordset::MoveFirst() { m_afterDelete = false; m_pos = 0; }
void Recordset::MoveLast() { m_afterDelete = false; m_pos = int(m_rows.size()) - 1; if (m_rows.isEmpty()) m_pos = 0; }

void Recordset::MoveNext()
{
    if (m_afterDelete) {
        m_afterDelete = false;
        return;
    }
    if (m_pos < m_rows.size())
        ++m_pos;
}

void Recordset::MovePrevious()
{
    m_afterDelete = false;
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::requireCurrent() const
{
    if (isBOF() || isEOF() || m_afterDelete)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Nessun record corrente."));
}

void Recordset::requireUpdatable() const
{
    if (!updatable())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura."));
}

void Recordset::refreshRow(Row& row) const
{
    QSqlQuery q(m_db.connection());
    q.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    q.addBindValue(row.rowid);
    if (!q.exec())
        throw m_db.failure(q.lastError());
    if (q.next()) {
        const QSqlRecord rec = q.record();
        for (int i = 0; i < m_fields.size(); ++i) {
            const int at = rec.indexOf(m_fields[i]);
            if (at >= 0)
                row.values[i] = q.value(at);
        }
    }
    row.stale = false;
}

const Recordset::Row& Recordset::currentRow() const
{
    requireCurrent();
    Row& row = const_cast<Row&>(m_rows[m_pos]);
    if (row.stale)
        refreshRow(row);
    return row;
}

QVariant Recordset::value(int index) const
{
    if (index < 0 || index >= m_fields.size())
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Elemento non trovato in questo insieme."));
    if (m_editMode != EditMode::None)
        return m_buffer[index];
    return currentRow().values[index];
}

QVariant Recordset::value(const QString& field) const
{
    const int index = fieldIndex(field);
    if (index < 0)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Elemento '%1' non trovato in questo insieme.").arg(field));
    return value(index);
}

void Recordset::setValue(const QString& field, const QVariant& v)
{
    if (m_editMode == EditMode::None)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Aggiornamento o annullamento senza AddNew o Edit."));
    const int index = fieldIndex(field);
    if (index < 0)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Elemento '%1' non trovato in questo insieme.").arg(field));
    m_buffer[index] = storable(v);
    m_changed[index] = true;
}

void Recordset::AddNew()
{
    requireUpdatable();
    m_editMode = EditMode::Adding;
    m_buffer = QVector<QVariant>(m_fields.size());
    m_changed = QVector<bool>(m_fields.size(), false);
}

void Recordset::Edit()
{
    requireUpdatable();
    m_buffer = currentRow().values;
    m_changed = QVector<bool>(m_fields.size(), false);
    m_editMode = EditMode::Editing;
}

void Recordset::CancelUpdate()
{
    m_editMode = EditMode::None;
    m_buffer.clear();
    m_changed.clear();
}

void Recordset::Update()
{
    if (m_editMode == EditMode::None)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Aggiornamento o annullamento senza AddNew o Edit."));
    QStringList names;
    QVariantList values;
    QHash<QString, QVariant> row;
    for (int i = 0; i < m_fields.size(); ++i) {
        row.insert(m_fields[i].toLower(), m_buffer[i]);
        if (m_changed[i]) {
            names << quoted(m_fields[i]);
            values << m_buffer[i];
        }
    }
    // The key is looked for and the row written in one transaction: two workstations saving
    // "É" and "é" at the same moment cannot both succeed.
    WriteTransaction write(m_db);
    if (!names.isEmpty())
        m_db.refuseDuplicateKeys(m_table, row, m_editMode == EditMode::Adding ? -1 : m_rows[m_pos].rowid);
    if (m_editMode == EditMode::Adding) {
        const QString sql = names.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_table))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(quoted(m_table), names.join(u','),
                                           QStringList(names.size(), QStringLiteral("?")).join(u','));
        QSqlQuery& q = cachedQuery(sql);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        if (!q.exec())
            throw m_db.failure(q.lastError());
        Row row;
        row.rowid = q.lastInsertId().toLongLong();
        row.values = m_buffer;
        row.stale = true;
        q.finish();
        m_rows << row;
        m_lastModified = int(m_rows.size()) - 1;
    } else {
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString& n : names)
                sets << n + QStringLiteral("=?");
            QSqlQuery& q = cachedQuery(
                QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?").arg(quoted(m_table), sets.join(u',')));
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values[i]);
            q.bindValue(int(values.size()), m_rows[m_pos].rowid);
            if (!q.exec())
                throw m_db.failure(q.lastError());
            q.finish();
            m_rows[m_pos].values = m_buffer;
        }
        m_lastModified = m_pos;
    }
    write.commit();
    CancelUpdate();
}

void Recordset::Delete()
{
    requireUpdatable();
    requireCurrent();
    QSqlQuery& q = cachedQuery(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoted(m_table)));
    q.bindValue(0, m_rows[m_pos].rowid);
    if (!q.exec())
        throw m_db.failure(q.lastError());
    q.finish();
    m_rows.removeAt(m_pos);
    m_afterDelete = true;
}

int Recordset::find(const JetQuery& criterion, int from)
{
    const QVector<Condition> conditions = conditionsOf(criterion);
    QVector<int> indexes;
    for (const Condition& c : conditions) {
        const int i = fieldIndex(c.field);
        if (i < 0)
            throw DatabaseError(DatabaseError::Kind::Refused,
                                QStringLiteral("Elemento '%1' non trovato in questo insieme.").arg(c.field));
        indexes << i;
    }
    for (int r = std::max(from, 0); r < m_rows.size(); ++r) {
        Row& row = m_rows[r];
        if (row.stale)
            refreshRow(row);
        bool all = true;
        for (int k = 0; k < conditions.size() && all; ++k)
            all = sameValue(row.values[indexes[k]], conditions[k].value);
        if (all)
            return r;
    }
    return -1;
}

bool Recordset::FindFirst(const JetQuery& criterion)
{
    const int found = find(criterion, 0);
    m_noMatch = found < 0;
    if (!m_noMatch) {
        m_pos = found;
        m_afterDelete = false;
    }
    return !m_noMatch;
}

bool Recordset::FindNext(const JetQuery& criterion)
{
    const int found = find(criterion, m_afterDelete ? m_pos : m_pos + 1);
    m_noMatch = found < 0;
    if (!m_noMatch) {
        m_pos = found;
        m_afterDelete = false;
    }
    return !m_noMatch;
}
