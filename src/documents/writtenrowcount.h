#pragma once
#include "documenttotals.h"
#include "common/database.h"

#include <memory>

// Counts the rows a statement writes on SQLite by the cells each is priced from, as the
// statement writes them: the statement gives each row's number as written_row(number, cells...),
// with the cells in pricedColumns order (documentamounts.h), and gets the number back as it is.
// Reading the rows again, even through RETURNING, costs SQLite about as much as writing them.
// One count at a time on a thread (a connection belongs to the thread that opened it).
class WrittenRowCount
{
public:
    explicit WrittenRowCount(const Database& sqlite);
    ~WrittenRowCount();
    WrittenRowCount(const WrittenRowCount&) = delete;
    WrittenRowCount& operator=(const WrittenRowCount&) = delete;

    // The rows counted, in groups of rows alike, priced as the archive reads them back.
    QVector<PricedRow> groups(Currency books) const;

    struct Counts;   // the rows counted so far

private:
    std::unique_ptr<Counts> m_counts;
};
