#include "rowpager.h"

#include <QSqlRecord>

namespace {

const QString RowidColumn = QStringLiteral("__rowid__");

QString keyColumn(int i)
{
    return QStringLiteral("__k%1").arg(i);
}

} // namespace

RowPager::RowPager(const Database& db, const JetQuery& source, const JetQuery& filter) : m_db(db), m_source(source)
{
    m_filterQuery = filter;
    if (!filter.isEmpty()) {
        m_filter = filter.executedText(db.engine());
        m_filterValues = filter.bindings();
    }
    m_hasRowid = !source.rowsTable().isEmpty();
    for (const SortKey& key : source.ordering()) {
        m_keys << JetQuery::sortExpression(key, db.engine());
        // A text key is its order key, never Null; a column of any other kind may be Null.
        m_nullable << !key.text;
    }
    if (m_hasRowid) {
        m_keys << RowidColumn;
        m_nullable << false;
    }
}

QStringList RowPager::fields() const
{
    // Known from the first page read; asked before any, from a statement that reads no row.
    if (!m_fieldsKnown && m_db.isValid())
        read(QStringLiteral("0"), {}, {});
    return m_fields;
}

RowPager RowPager::through(const Database& other) const
{
    return RowPager(other, m_source, m_filterQuery);
}

int RowPager::fieldIndex(const QString& field) const
{
    const QStringList names = fields();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The selection with the values of its sort keys added to each row.
QString RowPager::keyedSelect(const QString& condition) const
{
    QStringList keys;
    for (int i = 0; i < m_keys.size(); ++i)
        keys << m_keys[i] + QStringLiteral(" AS ") + keyColumn(i);
    QStringList conditions;
    if (!m_filter.isEmpty())
        conditions << u'(' + m_filter + u')';
    if (!condition.isEmpty())
        conditions << condition;
    QString where = conditions.isEmpty() ? QString() : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return QStringLiteral("SELECT r.*%1 FROM (%2) AS r")
               .arg(keys.isEmpty() ? QString() : QStringLiteral(", ") + keys.join(QStringLiteral(", ")), QStringLiteral("%1"))
           + where;
}

// Null sorts first on both engines: nothing comes before a Null key, every other value after it.
QString RowPager::beyond(bool forward, const Row& row, QVariantList& values) const
{
    const QString op = forward ? QStringLiteral(">") : QStringLiteral("<");
    const QVariant& lead = row.key.first();
    // The first key bounds the index range: a backward range leaves out the rows whose first key
    // is Null, which before() and countBefore() take on their own.
    QString range;
    if (lead.isNull()) {
        if (!forward)
            range = nullFirstKey() + QStringLiteral(" AND ");
    } else {
        values << lead;
        range = QStringLiteral("%1 %2= ? AND ").arg(m_keys.first(), op);
    }
    bool plain = true;   // without Nulls to place, the row values order the ties
    for (int i = 0; i < m_keys.size(); ++i)
        plain = plain && !row.key[i].isNull() && (forward || !m_nullable[i]);
    if (plain) {
        values += row.key;
        const QString placeholders = QStringList(m_keys.size(), QStringLiteral("?")).join(QStringLiteral(", "));
        return range + QStringLiteral("(%1) %2 (%3)").arg(m_keys.join(QStringLiteral(", ")), op, placeholders);
    }
    // Key by key, from the last: past this key, or equal to it and past the keys after it.
    QString past;
    QVariantList pastValues;
    for (qsizetype i = m_keys.size() - 1; i >= 0; --i) {
        const QString& key = m_keys[i];
        const QVariant& v = row.key[i];
        QVariantList here;
        QString beyondKey, equalKey;
        if (v.isNull()) {
            beyondKey = forward ? key + QStringLiteral(" IS NOT NULL") : QStringLiteral("1 = 0");
            equalKey = key + QStringLiteral(" IS NULL");
        } else {
            beyondKey = !forward && m_nullable[i] ? QStringLiteral("(%1 IS NULL OR %1 < ?)").arg(key)
                                                  : key + u' ' + op + QStringLiteral(" ?");
            equalKey = key + QStringLiteral(" = ?");
            here << v;
        }
        if (past.isEmpty()) {
            past = beyondKey;
            pastValues = here;
        } else {
            past = QStringLiteral("(%1 OR (%2 AND %3))").arg(beyondKey, equalKey, past);
            pastValues = here + (v.isNull() ? QVariantList() : QVariantList{v}) + pastValues;
        }
    }
    values += pastValues;
    return range + past;
}

// Whether the rows before a row include those whose first key is Null, which the index range of
// beyond() leaves out.
bool RowPager::nullsBefore(const Row& row) const
{
    return m_nullable.first() && !row.key.first().isNull();
}

QString RowPager::nullFirstKey() const
{
    return m_keys.first() + QStringLiteral(" IS NULL");
}

QVector<RowPager::Row> RowPager::read(const QString& condition, const QString& tail, QVariantList values) const
{
    values = m_filterValues + values;
    Rows q = m_db.selectAround(m_source, keyedSelect(condition) + tail, values);
    const QSqlRecord rec = q.record();
    if (!m_fieldsKnown) {
        for (int i = 0; i < rec.count(); ++i)
            if (rec.fieldName(i) != RowidColumn && !rec.fieldName(i).startsWith(QLatin1String("__k")))
                m_fields << m_db.schemaName(rec.fieldName(i));
        m_fieldsKnown = true;
    }
    const int rowidAt = rec.indexOf(RowidColumn);
    QVector<int> fieldAt;
    for (const QString& f : std::as_const(m_fields))
        fieldAt << rec.indexOf(f);
    QVector<int> keyAt;
    for (int i = 0; i < m_keys.size(); ++i)
        keyAt << rec.indexOf(keyColumn(i));
    QVector<Row> rows;
    while (q.next()) {
        Row row;
        row.values.reserve(fieldAt.size());
        for (const int at : fieldAt)
            row.values << Database::sameAsSQLite(q.value(at));
        for (const int at : keyAt)
            row.key << Database::sameAsSQLite(q.value(at));
        if (rowidAt >= 0)
            row.rowid = q.value(rowidAt).toLongLong();
        rows << row;
    }
    return rows;
}

namespace {

} // namespace

// PostgreSQL sorts Null last unless told: told here, it sorts Null first as SQLite does.
QString RowPager::orderOf(bool descending) const
{
    const bool server = m_db.engine() == SqlEngine::PostgreSQL;
    QStringList terms;
    const QString nulls = descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
    for (int i = 0; i < m_keys.size(); ++i)
        terms << m_keys[i] + (descending ? QStringLiteral(" DESC") : QString()) + (server && m_nullable[i] ? nulls : QString());
    return terms.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
}

QVector<RowPager::Row> RowPager::first(int count) const
{
    return read({}, orderOf(false) + QStringLiteral(" LIMIT ?"), {count});
}

QVector<RowPager::Row> RowPager::last(int count) const
{
    if (!byKeys()) {
        const qint64 total = this->count();
        return fromOffset(std::max<qint64>(0, total - count), count);
    }
    QVector<Row> rows = read({}, orderOf(true) + QStringLiteral(" LIMIT ?"), {count});
    std::reverse(rows.begin(), rows.end());
    return rows;
}

QVector<RowPager::Row> RowPager::after(const Row& row, int count) const
{
    if (!byKeys())
        return {};
    QVariantList values;
    const QString condition = beyond(true, row, values);
    values << count;
    return read(condition, orderOf(false) + QStringLiteral(" LIMIT ?"), values);
}

QVector<RowPager::Row> RowPager::before(const Row& row, int count) const
{
    if (!byKeys())
        return {};
    QVariantList values;
    const QString condition = beyond(false, row, values);
    values << count;
    QVector<Row> rows = read(condition, orderOf(true) + QStringLiteral(" LIMIT ?"), values);
    if (rows.size() < count && nullsBefore(row))
        rows += read(nullFirstKey(), orderOf(true) + QStringLiteral(" LIMIT ?"), {count - rows.size()});
    std::reverse(rows.begin(), rows.end());
    return rows;
}

QVector<RowPager::Row> RowPager::fromOffset(qint64 offset, int count) const
{
    return read({}, orderOf(false) + QStringLiteral(" LIMIT ? OFFSET ?"), {count, offset});
}

std::optional<RowPager::Row> RowPager::find(const JetQuery& criterion, const Row* after) const
{
    // The criterion is a query of its own: its values are bound after the selection's.
    JetQuery where;
    where << criterion;
    QVariantList values = where.bindings();
    QString condition = QStringLiteral("(") + where.executedText(m_db.engine()) + QStringLiteral(")");
    if (after && byKeys()) {
        QVariantList afterValues;
        condition += QStringLiteral(" AND ") + beyond(true, *after, afterValues);
        values += afterValues;
    }
    const QVector<Row> found = read(condition, orderOf(false) + QStringLiteral(" LIMIT 1"), values);
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

std::optional<RowPager::Row> RowPager::byRowid(qint64 rowid) const
{
    const QVector<Row> found = read(QStringLiteral("r.") + RowidColumn + QStringLiteral(" = ?"), {}, {rowid});
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

qint64 RowPager::count() const
{
    return countWhere({}, {});
}

qint64 RowPager::countBefore(const Row& row) const
{
    if (!byKeys())
        return 0;
    QVariantList values;
    const QString condition = beyond(false, row, values);
    return countWhere(condition, values) + (nullsBefore(row) ? countWhere(nullFirstKey(), {}) : 0);
}

qint64 RowPager::countWhere(const QString& condition, QVariantList values) const
{
    values = m_filterValues + values;
    Rows q = m_db.selectAround(m_source, QStringLiteral("SELECT count(*) FROM (") + keyedSelect(condition) + QStringLiteral(") AS c"), values);
    return q.next() ? q.value(0).toLongLong() : 0;
}
