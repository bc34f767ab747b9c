#pragma once
#include "documentdraft.h"
#include "documenttotals.h"
#include "common/database.h"

#include <array>

class QSqlRecord;

// What the amounts of a document stored in the company archive are computed from: its rows read
// as priced in the company's books, and the VAT table. Rounding: money.h's one rule.

// The row columns a row is priced from, with the books' currency's price, value and row total
// (PUnitLit / ValoreLit / TotRigaLit for lire, the Euro columns for euro): VAT code, quantity,
// unit price, discount, value, row total.
using PricedCells = std::array<QVariant, 6>;
std::array<const char*, 6> pricedColumns(Currency books);

// A row's cells of those columns (Null where it has none) as priced. A row with a value of its
// own is priced (quantity × price less discount); one without (return notes) is worth its row
// total.
PricedRow pricedRowOf(const PricedCells& cells, Currency books);

// Reads the rows of a selection of a rows table as priced (pricedRowOf).
class PricedRowReader
{
public:
    PricedRowReader(const QSqlRecord& shape, Currency books);
    PricedRow read(const Rows& row) const;

private:
    Currency m_currency;
    std::array<int, 6> m_at;
};

// The VAT table, by code in capitals.
QHash<QString, VatCode> readVatTable(const Database& data);

// A typed row as priced in the books, as it will read back once saved.
PricedRow pricedRow(const DraftRow& row, Currency books);

// The amounts of a draft, those its saved document will print with. Rows of text alone carry
// no amount and no VAT code; their amounts are nought.
DocumentAmounts draftAmounts(const QHash<QString, VatCode>& vatTable, const DocumentDraft& draft, const Books& books);
