#pragma once
#include "database.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

// A set of rows read from an archive, moved through one at a time, in the manner of the
// original engine's recordsets:
//  - Table: a whole table, updatable; Dynaset: the rows of a one-table selection, updatable;
//    Snapshot: a static copy, never updatable (any selection, joins included).
//  - BOF/EOF, moves, record count, find-first on a criterion;
//  - AddNew/Edit, field assignments, Update or CancelUpdate; Delete.
// Rows are read when the set is opened (or re-queried). Null values stay Null.
// Dates are stored as "yyyy-MM-dd"; QDate values written to a field are stored that way.
class Recordset
{
public:
    enum class Type { Table, Dynaset, Snapshot };
    enum class EditMode { None, Editing, Adding };

    Recordset() = default;
    static Recordset openTable(const Database& db, const QString& table, bool readOnly = false);
    static Recordset open(const Database& db, const JetQuery& query, Type type = Type::Dynaset,
                          bool readOnly = false);

    bool isOpen() const { return bool(m_db.isValid()); }
    void close();
    Type type() const { return m_type; }
    bool updatable() const { return !m_readOnly && !m_table.isEmpty(); }
    QString tableName() const { return m_table; }
    QStringList fieldNames() const { return m_fields; }
    int fieldIndex(const QString& field) const;

    int RecordCount() const { return int(m_rows.size()); }
    bool isBOF() const { return m_pos < 0 || m_rows.isEmpty(); }
    bool isEOF() const { return m_pos >= m_rows.size() || m_rows.isEmpty(); }
    int AbsolutePosition() const { return (isBOF() || isEOF()) ? -1 : m_pos; }
    void setAbsolutePosition(int position);
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

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
    // Position of the row last added or changed (the original's LastModified bookmark).
    int LastModified() const { return m_lastModified; }

    // Reads the rows again with the same source; position goes to the first row.
    void Requery();

private:
    struct Row
    {
        qint64 rowid = -1;
        QVector<QVariant> values;
        bool stale = false;  // inserted; defaults not read back yet
    };

    void load();
    void refreshRow(Row& row) const;
    const Row& currentRow() const;
    void requireCurrent() const;
    void requireUpdatable() const;
    int find(const JetQuery& criterion, int from);
    QSqlQuery& cachedQuery(const QString& sql);

    Database m_db;
    JetQuery m_source;
    QString m_sql;
    QString m_table;
    Type m_type = Type::Dynaset;
    bool m_readOnly = true;
    QStringList m_fields;
    QVector<Row> m_rows;
    int m_pos = 0;
    bool m_afterDelete = false;
    bool m_noMatch = false;
    EditMode m_editMode = EditMode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_changed;
    int m_lastModified = -1;
    std::shared_ptr<QHash<QString, QSqlQuery>> m_statements;
};
