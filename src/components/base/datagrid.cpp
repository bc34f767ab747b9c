#include "datagrid.h"
#include "recordsetmodel.h"
#include "common/datacontrol.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), m_rows(new RecordsetModel(this))
{
    setModel(m_rows);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // A list shows a handful of rows at least, whatever the panel below it needs.
    setMinimumHeight(horizontalHeader()->sizeHint().height() + 6 * verticalHeader()->defaultSectionSize() + 4);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_following && current.isValid())
                    pickRow(current.row());
            });
}

void DataGrid::setDataSource(DataControl* data)
{
    if (m_data)
        disconnect(m_data, nullptr, this, nullptr);
    m_data = data;
    if (m_data)
        connect(m_data, &DataControl::repositioned, this, &DataGrid::followPosition);
}

void DataGrid::LoadLayout(const QString& layoutName, const QString& layoutFile)
{
    m_layout = loadGridLayout(layoutFile, layoutName);
}

void DataGrid::ReBind()
{
    m_following = true;
    if (m_data && m_data->isOpen() && m_data->recordset().editMode() == Recordset::EditMode::None)
        m_rows->load(m_data->recordset());
    else if (!m_data || !m_data->isOpen())
        m_rows->clear();
    applyGridLayout(this, m_layout);
    m_following = false;
    followPosition();
}

void DataGrid::followPosition()
{
    if (!m_data || !m_data->isOpen())
        return;
    m_following = true;
    const Recordset& rs = m_data->recordset();
    const int row = rs.isBOF() || rs.isEOF() ? -1 : m_rows->placeOf(rs.bookmark());
    if (row >= 0 && row < m_rows->rowCount()) {
        const QModelIndex index = m_rows->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        // The view never scrolls to a hidden column (the key's): scroll to the leftmost one shown.
        scrollTo(m_rows->index(row, std::max(0, horizontalHeader()->logicalIndexAt(0))));
    } else {
        selectionModel()->clearSelection();
    }
    m_following = false;
}

void DataGrid::pickRow(int row)
{
    if (!m_data || !m_data->isOpen() || m_data->recordset().editMode() != Recordset::EditMode::None)
        return;
    const RowPager::Row* picked = m_rows->rowAt(row);
    const Recordset& rs = m_data->recordset();
    if (!picked || (!rs.isBOF() && !rs.isEOF() && rs.bookmark().rowid == picked->rowid && rs.bookmark().key == picked->key))
        return;
    m_data->moveTo(*picked, row);
}
