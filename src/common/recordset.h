#pragma once
#include "database.h"
#include "rowpager.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <deque>
#include <memory>
#include <optional>

// A set of rows read from an archive, moved through one at a time, in the manner of the
// original engine's recordsets:
//  - Table: a whole table, updatable; Dynaset: the rows of a selection that names its table
//    (Jet::table), updatable; Snapshot: never updatable (any selection, joins included). A
//    selection that names no table is never updatable.
//  - BOF/EOF, moves, record count, find-first on a criterion;
//  - AddNew/Edit, field assignments, Update or CancelUpdate; Delete.
// Rows are read as the moves reach them, a page at a time (rowpager.h), so that a set of a
// million rows opens as fast as one of ten and holds only the rows near the current one; the
// record count and the position are found when asked. Null values stay Null. Dates are stored
// as "yyyy-MM-dd"; QDate values written to a field are stored that way.
class Recordset
{
public:
    enum class Type { Dynaset, Snapshot };
    enum class EditMode { None, Editing, Adding };
    // A row found again later, wherever it then stands (the original's bookmarks).
    using Bookmark = RowPager::Row;

    Recordset() = default;
    // Every row of a table, in the order of its row ids.
    static Recordset openTable(const Database& db, const QString& table, bool readOnly = false);
    static Recordset open(const Database& db, const JetQuery& query, Type type = Type::Dynaset,
                          bool readOnly = false);

    bool isOpen() const { return m_pager.isValid(); }
    void close();
    bool updatable() const { return !m_readOnly && !m_table.isEmpty(); }
    QString tableName() const { return m_table; }
    QStringList fieldNames() const { return m_pager.fields(); }
    int fieldIndex(const QString& field) const { return m_pager.fieldIndex(field); }
    // What the rows are read through: lists read the same selection on their own.
    const RowPager& pager() const { return m_pager; }

    int RecordCount() const;
    bool isEmpty() const;
    bool isBOF() const { return m_state == State::BeforeFirst || m_state == State::Empty; }
    bool isEOF() const { return m_state == State::AfterLast || m_state == State::Empty; }
    // The position of the current row (0 for the first), -1 when there is none.
    int AbsolutePosition() const;
    void setAbsolutePosition(int position);
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    Bookmark bookmark() const;
    // Moves to a row; its place in the order when the caller knows it, spares counting.
    void setBookmark(const Bookmark& mark, std::optional<qint64> position = std::nullopt);

    // Criteria are conjunctions of equalities, "Codice = " << Jet::text(code) and the like;
    // text compares as the archive does (no regard to case). NoMatch() tells the outcome.
    bool FindFirst(const JetQuery& criterion);
    bool FindNext(const JetQuery& criterion);
    bool NoMatch() const { return m_noMatch; }

    QVariant value(const QString& field) const;
    QVariant value(int index) const;
    QVariant operator[](const QString& field) const { return value(field); }
    void setValue(const QString& field, const QVariant& value);

    EditMode editMode() const { return m_editMode; }
    void AddNew();
    void Edit();
    void Update();
    void CancelUpdate();
    void Delete();
    // The row last added or changed (the original's LastModified bookmark).
    Bookmark LastModified() const { return m_lastModified; }

    // Reads the rows again with the same source; position goes to the first row.
    void Requery();

    // How many rows a move reads at once.
    static constexpr int PageSize = 64;

private:
    enum class State { Empty, BeforeFirst, OnRow, AfterLast };

    void placeOn(const RowPager::Row& row, std::optional<qint64> position);
    void requireCurrent() const;
    void requireUpdatable() const;
    QSqlQuery& cachedQuery(const QString& sql);
    bool findFrom(const JetQuery& criterion, const RowPager::Row* after);

    RowPager m_pager;
    QString m_table;
    bool m_readOnly = true;

    State m_state = State::Empty;
    RowPager::Row m_current;                 // also kept after a Delete, to move on from it
    mutable std::optional<qint64> m_position;
    std::deque<RowPager::Row> m_ahead;       // rows read past the current one
    std::deque<RowPager::Row> m_behind;      // rows read before it, nearest last
    bool m_afterDelete = false;
    mutable std::optional<qint64> m_count;

    bool m_noMatch = false;
    EditMode m_editMode = EditMode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_changed;
    Bookmark m_lastModified;
    std::shared_ptr<QHash<QString, QSqlQuery>> m_statements;
};
