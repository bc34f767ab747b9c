#include "recordsetmodel.h"
#include "common/recordset.h"

#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

namespace {
qint64 headingKey(int section, int role) { return (qint64(section) << 32) | quint32(role); }
} // namespace

void RecordsetModel::load(const Recordset& rows, const JetQuery& filter)
{
    beginResetModel();
    m_rows = PagedRows(RowPager(rows.pager().database(), rows.pager().source(), filter));
    m_headings.clear();
    m_shown = int(m_rows.firstPageRows());
    ++m_generation;
    endResetModel();
    if (!m_rows.counted())
        countInBackground();
}

void RecordsetModel::countInBackground()
{
    const RowPager pager = m_rows.pager();
    auto* watcher = new QFutureWatcher<qint64>(this);
    connect(watcher, &QFutureWatcher<qint64>::finished, this, [this, watcher, generation = m_generation] {
        watcher->deleteLater();
        const qint64 count = watcher->result();
        if (generation != m_generation || count < 0 || m_rows.counted())
            return;
        m_rows.setCount(count);
        countRows();
    });
    watcher->setFuture(QtConcurrent::run([pager]() -> qint64 {
        try {
            const Database own = pager.database().reopened();
            return pager.through(own).count();
        } catch (const DatabaseError&) {
            return -1;  // the grid counts for itself when it must
        }
    }));
}

void RecordsetModel::clear()
{
    ++m_generation;
    beginResetModel();
    m_rows = PagedRows();
    m_headings.clear();
    m_shown = 0;
    endResetModel();
}

void RecordsetModel::countRows()
{
    if (!m_rows.isValid())
        return;
    const int total = int(m_rows.count());
    if (total > m_shown) {
        beginInsertRows(QModelIndex(), m_shown, total - 1);
        m_shown = total;
        endInsertRows();
    }
}

int RecordsetModel::placeOf(const RowPager::Row& row)
{
    const qint64 place = m_rows.indexOf(row);
    if (place >= m_shown)
        countRows();
    return int(place);
}

bool RecordsetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_rows.isValid() && !m_rows.counted();
}

void RecordsetModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid())
        countRows();
}

int RecordsetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int RecordsetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.pager().fields().size());
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const RowPager::Row* row = m_rows.row(index.row());
    if (!row || index.column() >= row->values.size())
        return {};
    return row->values[index.column()];
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const QStringList fields = m_rows.pager().fields();
    if (orientation != Qt::Horizontal || section < 0 || section >= fields.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::EditRole)
        return fields[section];
    if (const auto it = m_headings.find(headingKey(section, role)); it != m_headings.end())
        return *it;
    if (role == Qt::DisplayRole)
        return fields[section];
    return {};
}

bool RecordsetModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_rows.pager().fields().size()
        || role == Qt::EditRole)
        return false;
    m_headings.insert(headingKey(section, role), value);
    emit headerDataChanged(orientation, section, section);
    return true;
}

QVariant RecordsetModel::value(int row, const QString& field) const
{
    const RowPager::Row* r = m_rows.row(row);
    const int column = m_rows.pager().fieldIndex(field);
    if (!r || column < 0)
        return {};
    return r->values[column];
}
