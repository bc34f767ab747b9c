#include "recordset.h"
#include "transaction.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>

namespace {

// How many rows around the current one a recordset keeps.
constexpr size_t KeptRows = 4 * Recordset::PageSize;
// A jump (first, last, a place) reads a few rows only: a list shown beside the recordset reads
// its own page, and the moves that follow read on a page at a time.
constexpr int JumpRows = 8;

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

[[noreturn]] void noCurrentRecord()
{
    throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Nessun record corrente."));
}

[[noreturn]] void noSuchField(const QString& field)
{
    throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Elemento '%1' non trovato in questo insieme.").arg(field));
}

} // namespace

Recordset Recordset::openTable(const Database& db, const QString& table, bool readOnly)
{
    return open(db, JetQuery("SELECT * FROM ") << Jet::table(table), Type::Dynaset, readOnly);
}

Recordset Recordset::open(const Database& db, const JetQuery& query, Type type, bool readOnly)
{
    Recordset rs;
    rs.m_pager = RowPager(db, query);
    rs.m_readOnly = readOnly || type == Type::Snapshot;
    rs.m_table = query.rowsTable();
    rs.m_statements = std::make_shared<QHash<QString, QSqlQuery>>();
    rs.MoveFirst();
    return rs;
}

void Recordset::close()
{
    m_pager = RowPager();
    m_state = State::Empty;
    m_ahead.clear();
    m_behind.clear();
    m_statements.reset();
}

QSqlQuery& Recordset::cachedQuery(const QString& sql)
{
    auto it = m_statements->find(sql);
    if (it == m_statements->end())
        it = m_statements->insert(sql, m_pager.database().prepare(sql));
    return *it;
}

void Recordset::Requery()
{
    m_pager = RowPager(m_pager.database(), m_pager.source());
    m_count.reset();
    m_editMode = EditMode::None;
    MoveFirst();
}

int Recordset::RecordCount() const
{
    if (!isOpen())
        return 0;
    if (!m_count)
        m_count = m_pager.count();
    return int(*m_count);
}

bool Recordset::isEmpty() const
{
    if (!isOpen())
        return true;
    if (m_count)
        return *m_count == 0;
    if (m_state == State::OnRow && !m_afterDelete)
        return false;
    return m_pager.first(1).isEmpty();
}

void Recordset::placeOn(const RowPager::Row& row, std::optional<qint64> position)
{
    m_current = row;
    m_position = position;
    m_state = State::OnRow;
    m_afterDelete = false;
    m_ahead.clear();
    m_behind.clear();
}

int Recordset::AbsolutePosition() const
{
    if (m_state != State::OnRow || m_afterDelete)
        return -1;
    if (!m_position)
        m_position = m_pager.countBefore(m_current);
    return int(*m_position);
}

void Recordset::setAbsolutePosition(int position)
{
    if (!isOpen())
        return;
    if (position < 0) {
        m_state = isEmpty() ? State::Empty : State::BeforeFirst;
        return;
    }
    const QVector<RowPager::Row> rows = m_pager.fromOffset(position, JumpRows);
    if (rows.isEmpty()) {
        MoveLast();
        if (m_state == State::OnRow)
            m_state = State::AfterLast;
        return;
    }
    placeOn(rows.first(), position);
    m_ahead.assign(rows.begin() + 1, rows.end());
}

void Recordset::MoveFirst()
{
    if (!isOpen())
        return;
    const QVector<RowPager::Row> rows = m_pager.first(JumpRows);
    if (rows.isEmpty()) {
        m_state = State::Empty;
        return;
    }
    placeOn(rows.first(), 0);
    m_ahead.assign(rows.begin() + 1, rows.end());
}

void Recordset::MoveLast()
{
    if (!isOpen())
        return;
    const QVector<RowPager::Row> rows = m_pager.last(JumpRows);
    if (rows.isEmpty()) {
        m_state = State::Empty;
        return;
    }
    placeOn(rows.last(), m_count ? std::optional<qint64>(*m_count - 1) : std::nullopt);
    m_behind.assign(rows.begin(), rows.end() - 1);
}

void Recordset::MoveNext()
{
    switch (m_state) {
    case State::Empty:
    case State::AfterLast: return;
    case State::BeforeFirst: MoveFirst(); return;
    case State::OnRow: break;
    }
    if (m_ahead.empty()) {
        const QVector<RowPager::Row> rows = m_pager.after(m_current, PageSize);
        m_ahead.assign(rows.begin(), rows.end());
    }
    if (m_ahead.empty()) {
        // Past the last row; a move back returns to it (after a Delete, to the row before it).
        if (m_afterDelete) {
            if (!m_behind.empty() || !m_pager.before(m_current, 1).isEmpty())
                MovePrevious();
            else
                m_state = State::Empty;
            if (m_state == State::OnRow)
                m_state = State::AfterLast;
            return;
        }
        m_state = State::AfterLast;
        return;
    }
    if (!m_afterDelete) {
        m_behind.push_back(m_current);
        if (m_behind.size() > KeptRows)
            m_behind.pop_front();
        if (m_position)
            ++*m_position;
    }
    m_afterDelete = false;
    m_current = m_ahead.front();
    m_ahead.pop_front();
}

void Recordset::MovePrevious()
{
    switch (m_state) {
    case State::Empty:
    case State::BeforeFirst: return;
    case State::AfterLast:
        m_state = State::OnRow;
        if (m_position)
            *m_position = std::max<qint64>(0, *m_position);
        return;
    case State::OnRow: break;
    }
    if (m_behind.empty()) {
        const QVector<RowPager::Row> rows = m_pager.before(m_current, PageSize);
        m_behind.assign(rows.begin(), rows.end());
    }
    if (m_behind.empty()) {
        m_state = State::BeforeFirst;
        return;
    }
    if (!m_afterDelete) {
        m_ahead.push_front(m_current);
        if (m_ahead.size() > KeptRows)
            m_ahead.pop_back();
    }
    if (m_position)
        --*m_position;
    m_afterDelete = false;
    m_current = m_behind.back();
    m_behind.pop_back();
}

Recordset::Bookmark Recordset::bookmark() const
{
    requireCurrent();
    return m_current;
}

void Recordset::setBookmark(const Bookmark& mark, std::optional<qint64> position)
{
    if (mark.rowid >= 0) {
        if (const auto fresh = m_pager.byRowid(mark.rowid)) {
            placeOn(*fresh, position);
            return;
        }
    }
    placeOn(mark, position);
}

void Recordset::requireCurrent() const
{
    if (m_state != State::OnRow || m_afterDelete)
        noCurrentRecord();
}

void Recordset::requireUpdatable() const
{
    if (!updatable())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura."));
}

QVariant Recordset::value(int index) const
{
    if (index < 0 || index >= m_pager.fields().size())
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Elemento non trovato in questo insieme."));
    if (m_editMode != EditMode::None)
        return m_buffer[index];
    requireCurrent();
    return m_current.values[index];
}

QVariant Recordset::value(const QString& field) const
{
    const int index = fieldIndex(field);
    if (index < 0)
        noSuchField(field);
    return value(index);
}

void Recordset::setValue(const QString& field, const QVariant& v)
{
    if (m_editMode == EditMode::None)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Aggiornamento o annullamento senza AddNew o Edit."));
    const int index = fieldIndex(field);
    if (index < 0)
        noSuchField(field);
    m_buffer[index] = storable(v);
    m_changed[index] = true;
}

void Recordset::AddNew()
{
    requireUpdatable();
    m_editMode = EditMode::Adding;
    m_buffer = QVector<QVariant>(m_pager.fields().size());
    m_changed = QVector<bool>(m_pager.fields().size(), false);
}

void Recordset::Edit()
{
    requireUpdatable();
    requireCurrent();
    m_buffer = m_current.values;
    m_changed = QVector<bool>(m_pager.fields().size(), false);
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
    const Database& db = m_pager.database();
    const QStringList fields = m_pager.fields();
    QStringList names;
    QVariantList values;
    QHash<QString, QVariant> row;
    for (int i = 0; i < fields.size(); ++i) {
        row.insert(fields[i].toLower(), m_buffer[i]);
        if (m_changed[i]) {
            names << db.quotedName(fields[i]);
            values << m_buffer[i];
        }
    }
    const bool adding = m_editMode == EditMode::Adding;
    // The key is looked for and the row written in one transaction: two workstations saving
    // "É" and "é" at the same moment cannot both succeed.
    WriteTransaction write(db);
    if (!names.isEmpty())
        db.refuseDuplicateKeys(m_table, row, adding ? -1 : m_current.rowid);
    qint64 rowid = m_current.rowid;
    if (adding) {
        const QString sql = names.isEmpty()
                                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(db.quotedName(m_table))
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(db.quotedName(m_table), names.join(u','),
                                           QStringList(names.size(), QStringLiteral("?")).join(u','));
        QSqlQuery& q = cachedQuery(db.insertReturningRowid(sql));
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        db.run(q);
        rowid = db.insertedRowid(q);
        q.finish();
    } else if (!names.isEmpty()) {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral("=?");
        QSqlQuery& q = cachedQuery(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?").arg(db.quotedName(m_table), sets.join(u','), db.rowidColumn()));
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        q.bindValue(int(values.size()), m_current.rowid);
        db.run(q);
        q.finish();
    }
    write.commit();

    // The row as the archive now holds it (defaults filled in), or as written when the selection
    // no longer shows it.
    RowPager::Row written;
    written.values = m_buffer;
    written.rowid = rowid;
    if (const auto fresh = m_pager.byRowid(rowid))
        written = *fresh;
    m_lastModified = written;
    CancelUpdate();
    if (adding) {
        if (m_count)
            ++*m_count;
        // The current row stays; an empty set comes to stand on its new row.
        if (m_state == State::Empty || m_state == State::BeforeFirst || m_state == State::AfterLast)
            placeOn(written, std::nullopt);
        else
            m_position.reset();
    } else {
        m_current = written;
        m_position.reset();
    }
    m_ahead.clear();
    m_behind.clear();
}

void Recordset::Delete()
{
    requireUpdatable();
    requireCurrent();
    const Database& db = m_pager.database();
    QSqlQuery& q = cachedQuery(QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(db.quotedName(m_table), db.rowidColumn()));
    q.bindValue(0, m_current.rowid);
    m_pager.database().run(q);
    q.finish();
    if (m_count)
        --*m_count;
    m_afterDelete = true;
}

bool Recordset::findFrom(const JetQuery& criterion, const RowPager::Row* after)
{
    const std::optional<RowPager::Row> found = m_pager.find(criterion, after);
    m_noMatch = !found;
    if (found)
        placeOn(*found, std::nullopt);
    return found.has_value();
}

bool Recordset::FindFirst(const JetQuery& criterion)
{
    return findFrom(criterion, nullptr);
}

bool Recordset::FindNext(const JetQuery& criterion)
{
    if (m_state != State::OnRow)
        return m_state == State::BeforeFirst ? findFrom(criterion, nullptr) : (m_noMatch = true, false);
    return findFrom(criterion, &m_current);
}
