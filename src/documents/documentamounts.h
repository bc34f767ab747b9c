#pragma once
#include "documentdraft.h"
#include "documenttotals.h"
#include "common/database.h"

class QSqlRecord;

// What the amounts of a document stored in the company archive are computed from: its rows read
// as priced in the company's books, and the VAT table. Rounding: money.h's one rule.

// Reads one row of a rows table as priced: the unit price, value and row total of the books'
// currency (PUnitLit / ValoreLit / TotRigaLit for lire, the Euro columns for euro). A row with
// a value of its own is priced (quantity × price less discount); one without (return notes) is
// worth its row total.
class PricedRowReader
{
public:
    PricedRowReader(const QSqlRecord& shape, Currency books);
    PricedRow read(const Rows& row) const;

private:
    Currency m_currency;
    int m_vat, m_quantity, m_price, m_discount, m_value, m_total;
};

// The VAT table, by code in capitals.
QHash<QString, VatCode> readVatTable(const Database& data);

// A typed row as priced in the books, as it will read back once saved.
PricedRow pricedRow(const DraftRow& row, Currency books);

// The amounts of a draft, those its saved document will print with. Rows of text alone carry
// no amount and no VAT code; their amounts are nought.
DocumentAmounts draftAmounts(const QHash<QString, VatCode>& vatTable, const DocumentDraft& draft, const Books& books);
