#include "datagridmodel.h"
#include "common/datacontrol.h"
#include "common/transaction.h"

DataGridModel::DataGridModel(DataControl* data, QVector<Column> columns, bool editable, QObject* parent)
    : QAbstractTableModel(parent), m_data(data), m_columns(std::move(columns)), m_editable(editable)
{
}

void DataGridModel::reload()
{
    beginResetModel();
    m_pendingRow = -1;
    m_pending.clear();
    m_lock.reset();
    m_open = m_data->isOpen();
    // The grid reads its rows on its own, a page at a time: the data control does not move.
    m_rows = m_open ? PagedRows(m_data->recordset().pager()) : PagedRows();
    m_fields = m_open ? m_rows.pager().fields() : QStringList();
    m_count = m_open ? int(m_rows.count()) : 0;
    endResetModel();
}

QVariant DataGridModel::stored(int row, const QString& field) const
{
    const RowPager::Row* r = m_rows.row(row);
    const int f = m_rows.pager().fieldIndex(field);
    return r && f >= 0 ? r->values[f] : QVariant();
}

const RowPager::Row* DataGridModel::rowAt(int row) const
{
    return m_rows.row(row);
}

int DataGridModel::placeOf(const RowPager::Row& row) const
{
    return int(m_rows.indexOf(row));
}

void DataGridModel::moveDataTo(int row) const
{
    if (const RowPager::Row* r = row < m_count ? m_rows.row(row) : nullptr)
        m_data->moveTo(*r, row);
    else
        m_data->moveTo(row);
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_open)
        return 0;
    return recordCount() + (m_editable ? 1 : 0);
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const Column& column = m_columns[index.column()];
    QVariant value;
    if (index.row() == m_pendingRow) {
        for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
            if (it.key().compare(column.field, Qt::CaseInsensitive) == 0)
                value = it.value();
    } else {
        value = stored(index.row(), column.field);
    }
    if (role == Qt::DisplayRole && column.show)
        return column.show(value);
    return value.isNull() ? QVariant(QString()) : value;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_editable || !index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row();
    if (m_pendingRow >= 0 && m_pendingRow != row)
        return false;
    // An editor closed without a change leaves the row as it was.
    if (data(index, Qt::EditRole).toString() == value.toString())
        return true;
    if (m_pendingRow < 0) {
        m_pendingRow = row;
        for (const QString& field : m_fields)
            m_pending.insert(field, stored(row, field));
    }
    for (const QString& field : m_fields)
        if (field.compare(m_columns[index.column()].field, Qt::CaseInsensitive) == 0)
            m_pending[field] = value.toString();
    emit dataChanged(this->index(row, 0), this->index(row, columnCount() - 1));
    return true;
}

DataGridModel::WriteResult DataGridModel::writePendingRow()
{
    if (m_pendingRow < 0)
        return WriteResult::Written;
    RowValues values = m_pending;
    if (beforeUpdate)
        beforeUpdate(values);
    // Spaces around a value go, as every screen drops them; a blank value is Null.
    for (auto it = values.begin(); it != values.end(); ++it)
        if (it->typeId() == QMetaType::QString)
            *it = it->toString().trimmed().isEmpty() ? QVariant() : QVariant(it->toString().trimmed());
    for (const Column& column : m_columns)
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            if (it.key().compare(column.field, Qt::CaseInsensitive) == 0 && it.value().isNull())
                return WriteResult::EmptyColumn;

    Recordset& rs = m_data->recordset();
    // The data control is moved onto the row to write it, and back where it was after.
    const std::optional<Recordset::Bookmark> was =
        rs.isBOF() || rs.isEOF() ? std::nullopt : std::optional<Recordset::Bookmark>(rs.bookmark());
    const bool atEnd = rs.isEOF() && !rs.isBOF();
    const auto restore = [&] {
        if (was)
            rs.setBookmark(*was);
        else if (atEnd)
            rs.setAbsolutePosition(rs.RecordCount());
    };
    const bool adding = isAddRow(m_pendingRow);
    try {
        WriteTransaction write(m_data->database());
        RowValues before;
        if (adding) {
            rs.AddNew();
        } else {
            rs.setBookmark(*m_rows.row(m_pendingRow), m_pendingRow);
            for (const QString& field : m_fields)
                before.insert(field, rs.value(field));
            rs.Edit();
        }
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            if (!adding || !it.value().isNull())
                rs.setValue(it.key(), it.value());
        rs.Update();
        if (!adding && afterUpdate)
            afterUpdate(before, values);
        write.commit();
    } catch (const DatabaseError& e) {
        rs.CancelUpdate();
        restore();
        m_lastFailure = e;
        return e.kind() == DatabaseError::Kind::Constraint ? WriteResult::Refused : WriteResult::Failed;
    }
    restore();

    // The rows are read anew: a new row stands last, before a new adding row.
    const int row = m_pendingRow;
    m_pendingRow = -1;
    m_lock.reset();
    m_rows = PagedRows(m_rows.pager());
    if (adding) {
        beginInsertRows(QModelIndex(), row + 1, row + 1);
        ++m_count;
        endInsertRows();
    }
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return WriteResult::Written;
}

void DataGridModel::cancelPendingRow()
{
    if (m_pendingRow < 0)
        return;
    const int row = m_pendingRow;
    m_pendingRow = -1;
    m_lock.reset();
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

bool DataGridModel::mayEdit(int row)
{
    if (!lockRow || isAddRow(row) || row == m_pendingRow || (m_lock && row == m_lockedRow))
        return true;
    if (m_pendingRow >= 0)
        return false;
    m_lock.reset();
    RowValues stored;
    for (const QString& field : m_fields)
        stored.insert(field, this->stored(row, field));
    m_lock = lockRow(stored);
    m_lockedRow = row;
    if (!m_lock)
        return false;
    // Typed on from the row as stored now: another workstation may have changed it meanwhile.
    m_rows = PagedRows(m_rows.pager());
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    return true;
}

void DataGridModel::releaseUnusedLock()
{
    if (m_pendingRow < 0)
        m_lock.reset();
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_columns.size() ? m_columns[section].caption : QVariant();
    return isAddRow(section) ? QStringLiteral("*") : QString();
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}
