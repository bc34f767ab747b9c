#include "pagedrows.h"

#include <algorithm>
#include <optional>

qint64 PagedRows::count() const
{
    if (!m_count)
        m_count = m_pager.isValid() ? m_pager.count() : 0;
    return *m_count;
}

qint64 PagedRows::firstPageRows() const
{
    if (!m_pager.isValid())
        return 0;
    const qint64 rows = page(0).size();
    if (rows < PageSize)
        m_count = rows;
    return rows;
}

const QVector<RowPager::Row>& PagedRows::page(qint64 number) const
{
    if (const auto it = m_pages.constFind(number); it != m_pages.cend()) {
        m_recent.removeOne(number);
        m_recent.append(number);
        return *it;
    }
    QVector<RowPager::Row> rows;
    const auto before = m_pages.constFind(number - 1);
    const auto after = m_pages.constFind(number + 1);
    if (number == 0)
        rows = m_pager.first(PageSize);
    else if (!m_pager.byKeys())
        rows = m_pager.fromOffset(number * PageSize, PageSize);
    else if (before != m_pages.cend() && before->size() == PageSize)
        rows = m_pager.after(before->last(), PageSize);
    else if (after != m_pages.cend() && !after->isEmpty())
        rows = m_pager.before(after->first(), PageSize);
    else if (m_count && number * PageSize >= *m_count - 2 * PageSize) {
        // Near the end: read back from the last row rather than counting an offset through all.
        rows = m_pager.last(int(*m_count - number * PageSize)).mid(0, PageSize);
    } else {
        rows = m_pager.fromOffset(number * PageSize, PageSize);
    }
    if (m_recent.size() >= KeptPages)
        m_pages.remove(m_recent.takeFirst());
    m_recent.append(number);
    return *m_pages.insert(number, rows);
}

const RowPager::Row* PagedRows::row(qint64 index) const
{
    if (index < 0 || !m_pager.isValid() || (m_count && index >= *m_count))
        return nullptr;
    const QVector<RowPager::Row>& rows = page(index / PageSize);
    const qint64 at = index % PageSize;
    return at < rows.size() ? &rows[at] : nullptr;
}

qint64 PagedRows::indexOf(const RowPager::Row& row) const
{
    const auto findIn = [&row](const QVector<RowPager::Row>& rows) -> std::optional<qsizetype> {
        const auto at = std::find_if(rows.cbegin(), rows.cend(),
                                     [&row](const RowPager::Row& r) { return r.key == row.key && r.rowid == row.rowid; });
        return at == rows.cend() ? std::nullopt : std::optional<qsizetype>(at - rows.cbegin());
    };
    if (row.key.isEmpty())
        return m_pager.countBefore(row);
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it)
        if (const auto at = findIn(*it))
            return it.key() * PageSize + *at;
    // The last rows (a jump to the last record) are read as a page rather than counted up to.
    if (count() > 0) {
        const qint64 lastPage = (count() - 1) / PageSize;
        if (const auto at = findIn(page(lastPage)))
            return lastPage * PageSize + *at;
    }
    return m_pager.countBefore(row);
}
