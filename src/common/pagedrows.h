#pragma once
#include "rowpager.h"

#include <QHash>
#include <QList>
#include <optional>

// The rows of a selection by their place in its order, for a list that may show any of them:
// a page is read when the list first asks for one of its rows, on from a neighbouring page when
// there is one, so that scrolling reads page after page by the keys; a jump far away reads by
// offset, once. A few dozen pages are kept; the others are let go, so memory stays bounded
// however far the list is scrolled.
class PagedRows
{
public:
    static constexpr int PageSize = 100;
    static constexpr int KeptPages = 40;

    PagedRows() = default;
    explicit PagedRows(RowPager pager) : m_pager(std::move(pager)) {}

    const RowPager& pager() const { return m_pager; }
    bool isValid() const { return m_pager.isValid(); }
    // How many rows there are; counted the first time it is asked.
    qint64 count() const;
    bool counted() const { return m_count.has_value(); }
    // The count, when it was found elsewhere (counted in another thread).
    void setCount(qint64 count) const { m_count = count; }
    // The rows known from the top without counting: the first page.
    qint64 firstPageRows() const;
    // A row by its place; null beyond the last.
    const RowPager::Row* row(qint64 index) const;
    // The place of a row in the order: found among the pages read, or at the end, or counted.
    qint64 indexOf(const RowPager::Row& row) const;

private:
    const QVector<RowPager::Row>& page(qint64 number) const;

    RowPager m_pager;
    mutable QHash<qint64, QVector<RowPager::Row>> m_pages;
    mutable QList<qint64> m_recent;   // page numbers, the most recently used last
    mutable std::optional<qint64> m_count;
};
