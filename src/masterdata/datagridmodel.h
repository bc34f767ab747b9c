#pragma once
#include <QAbstractTableModel>
#include <QHash>
#include <QVariant>
#include <QVector>
#include <functional>
#include <optional>

#include "common/databaseerror.h"
#include "common/pagedrows.h"
#include "components/heldlock.h"

class DataControl;

// The rows of a data control shown in a grid, as a bound data grid shows them: one grid row per
// row of the recordset, in its order, read a page at a time. An editable grid ends with an empty
// row for adding.
//
// Typing changes one row at a time: the row becomes the pending row, and its values stay in the
// grid (not in the archive) until writePendingRow() writes them or cancelPendingRow() drops
// them. Every shown column must hold a value for the row to be written; empty texts are written
// as Null. The grid reads its rows on reload(), after the data control was refreshed or closed
// (a closed data control shows no rows at all, not even the adding row).
// With lockRow set, an existing row is typed on only under its record lock, taken when its
// editor opens and given back once the row is written or dropped, or left unchanged.
class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString caption;
        // How a stored value is shown; empty: as it is.
        std::function<QString(const QVariant&)> show = {};
    };
    // Refused: the archive's keys refused the row; Failed: the archive failed (lastFailure).
    enum class WriteResult { Written, EmptyColumn, Refused, Failed };
    using RowValues = QHash<QString, QVariant>;  // by the recordset's field names

    DataGridModel(DataControl* data, QVector<Column> columns, bool editable, QObject* parent = nullptr);

    void reload();
    // Rows of the recordset (the adding row not counted).
    int recordCount() const { return m_count; }
    // A row of the recordset by its place, and the place of a row; to move the data control.
    const RowPager::Row* rowAt(int row) const;
    int placeOf(const RowPager::Row& row) const;
    // Moves the data control to a row of the grid (the adding row: past the last).
    void moveDataTo(int row) const;
    bool isAddRow(int row) const { return m_editable && row == recordCount(); }

    bool hasPendingEdit() const { return m_pendingRow >= 0; }
    int pendingRow() const { return m_pendingRow; }
    // Runs on the pending row's values, every field of the recordset, just before they are written.
    std::function<void(RowValues& row)> beforeUpdate;
    // Runs after an existing row was written, in the same transaction, with its values before
    // and after: what depends on the row follows it, or nothing is written.
    std::function<void(const RowValues& before, const RowValues& after)> afterUpdate;
    // Writes the pending row. On failure nothing is written and the row stays pending.
    WriteResult writePendingRow();
    void cancelPendingRow();
    std::optional<DatabaseError> lastFailure() const { return m_lastFailure; }

    // Takes the record lock of an existing row from its stored values; empty: held elsewhere.
    std::function<std::optional<HeldLock>(const RowValues& row)> lockRow;
    // Whether a row may be typed on now: the adding row and the pending row may, another row
    // once its lock is taken.
    bool mayEdit(int row);
    // Gives back the lock of a row that was not changed.
    void releaseUnusedLock();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVariant stored(int row, const QString& field) const;

    DataControl* m_data;
    QVector<Column> m_columns;
    bool m_editable;
    bool m_open = false;
    QStringList m_fields;
    PagedRows m_rows;
    int m_count = 0;
    int m_pendingRow = -1;
    RowValues m_pending;  // the values of m_pendingRow; every field is set when its edit starts
    std::optional<HeldLock> m_lock;
    int m_lockedRow = -1;
    std::optional<DatabaseError> m_lastFailure;
};
