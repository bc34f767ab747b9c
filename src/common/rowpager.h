#pragma once
#include "database.h"

#include <QStringList>
#include <QVariant>
#include <QVector>
#include <optional>

// Reads the rows of a selection a page at a time, in the order of its sort keys and then, for
// the rows of a table, of their row ids. Each page is one short statement that continues after
// (or before) the keys of a row already read: no read stays open between pages, so other
// workstations write meanwhile, and an index on the keys serves every page whatever the
// archive holds. A selection with neither keys nor a table is read by offsets, as it comes.
class RowPager
{
public:
    struct Row
    {
        QVector<QVariant> values;   // as fields() names them
        QVariantList key;           // the sort keys' values, then the row id when there is one
        qint64 rowid = -1;          // the row of the table, -1 for other selections
    };

    RowPager() = default;
    // A filter narrows the selection: a condition on its columns, as a list's search field
    // writes it.
    RowPager(const Database& db, const JetQuery& source, const JetQuery& filter = JetQuery());

    bool isValid() const { return m_db.isValid(); }
    // The same selection read through another connection (one opened in another thread).
    RowPager through(const Database& other) const;
    // Whether pages continue from a row's keys (otherwise they are read by offset).
    bool byKeys() const { return !m_keys.isEmpty(); }
    const Database& database() const { return m_db; }
    const JetQuery& source() const { return m_source; }
    QStringList fields() const;
    int fieldIndex(const QString& field) const;

    QVector<Row> first(int count) const;
    // The last rows, in order.
    QVector<Row> last(int count) const;
    QVector<Row> after(const Row& row, int count) const;
    // The rows just before a row, in order.
    QVector<Row> before(const Row& row, int count) const;
    QVector<Row> fromOffset(qint64 offset, int count) const;
    // The first row that meets a criterion, after a row when one is given.
    std::optional<Row> find(const JetQuery& criterion, const Row* after = nullptr) const;
    // A row of the table as it stands now; nothing when it is gone or left the selection.
    std::optional<Row> byRowid(qint64 rowid) const;
    qint64 count() const;
    // How many rows come before a row.
    qint64 countBefore(const Row& row) const;

private:
    // The selection with its keys, filtered; a condition is joined to the filter.
    QString keyedSelect(const QString& condition = QString()) const;
    QVector<Row> read(const QString& condition, const QString& tail, QVariantList values) const;
    qint64 countWhere(const QString& condition, QVariantList values) const;
    // "key > row's key" (or "<"), written so that an index range serves it.
    QString beyond(bool forward, const Row& row, QVariantList& values) const;
    bool nullsBefore(const Row& row) const;
    QString nullFirstKey() const;     // the condition "first key is Null"
    // The keys' order; Null first as SQLite sorts it, on either engine.
    QString orderOf(bool descending) const;

    Database m_db;
    JetQuery m_source;
    JetQuery m_filterQuery;
    QString m_filter;          // executed text of the filter, empty for none
    QVariantList m_filterValues;
    QStringList m_keys;        // the sort expressions, then __rowid__ for a table's rows
    QVector<bool> m_nullable;  // whether each key can be Null
    mutable QStringList m_fields;     // known from the first statement read
    mutable bool m_fieldsKnown = false;
    bool m_hasRowid = false;
};
