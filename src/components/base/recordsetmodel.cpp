#include "recordsetmodel.h"
#include "common/recordset.h"

namespace {
qint64 headingKey(int section, int role) { return (qint64(section) << 32) | quint32(role); }
} // namespace

void RecordsetModel::load(Recordset& rows)
{
    beginResetModel();
    m_fields = rows.fieldNames();
    m_rows.clear();
    m_headings.clear();
    const int position = rows.AbsolutePosition();
    const bool afterLast = rows.RecordCount() > 0 && rows.isEOF();
    for (int r = 0; r < rows.RecordCount(); ++r) {
        rows.setAbsolutePosition(r);
        QVector<QVariant> values;
        values.reserve(m_fields.size());
        for (int c = 0; c < m_fields.size(); ++c)
            values << rows.value(c);
        m_rows << values;
    }
    if (position >= 0)
        rows.setAbsolutePosition(position);
    else if (afterLast)
        rows.setAbsolutePosition(rows.RecordCount());
    else if (rows.RecordCount() > 0)
        rows.setAbsolutePosition(-1);
    endResetModel();
}

void RecordsetModel::clear()
{
    beginResetModel();
    m_fields.clear();
    m_rows.clear();
    m_headings.clear();
    endResetModel();
}

int RecordsetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordsetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_fields.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_rows[index.row()][index.column()];
    return {};
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::EditRole)
        return m_fields[section];
    if (const auto it = m_headings.find(headingKey(section, role)); it != m_headings.end())
        return *it;
    if (role == Qt::DisplayRole)
        return m_fields[section];
    return {};
}

bool RecordsetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size() || role == Qt::EditRole)
        return false;
    m_headings.insert(headingKey(section, role), value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

QVariant RecordsetModel::value(int row, const QString& field) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    // Field names compare as the archive compares them, without regard to case.
    for (int c = 0; c < m_fields.size(); ++c)
        if (m_fields[c].compare(field, Qt::CaseInsensitive) == 0)
            return m_rows[row][c];
    return {};
}
