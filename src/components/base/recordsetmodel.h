#pragma once
#include "common/pagedrows.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

class Recordset;

// The rows of a recordset's selection as a grid model, read a page at a time as the grid shows
// them (pagedrows.h), so that a list of a million rows opens as fast as one of ten and stays
// small however far it is scrolled. It reads on its own: the grid never moves the recordset's
// current row. A list longer than a page is counted in another thread while its first page is
// shown, so that opening it never waits for the count. The
// horizontal header's edit role is the field name (what grid layouts look for); layouts may set
// other headings.
class RecordsetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Lists the rows of a recordset's selection, optionally narrowed by a filter.
    void load(const Recordset& rows, const JetQuery& filter = JetQuery());
    void clear();

    // The row at a place, to move a recordset to; null past the end.
    const RowPager::Row* rowAt(int row) const { return m_rows.row(row); }
    // The place of a row; counts the list when it must.
    int placeOf(const RowPager::Row& row);
    // Counts the list now, when the count was still to come.
    void countRows();
    QVariant value(int row, const QString& field) const;
    QStringList fieldNames() const { return m_rows.pager().fields(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent = QModelIndex()) const override;
    void fetchMore(const QModelIndex& parent = QModelIndex()) override;

private:
    void countInBackground();

    PagedRows m_rows;
    int m_generation = 0;                   // a count for rows loaded since is dropped
    int m_shown = 0;                        // rows the grid knows of
    QHash<qint64, QVariant> m_headings;     // (section, role) -> heading set by a layout
};
