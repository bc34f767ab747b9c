#pragma once
#include "documentkinds.h"
#include "documenttotals.h"
#include "common/database.h"

#include <QDate>

class QSqlRecord;

// The amounts of a document stored in the company archive: its rows read as priced in the
// company's books, the VAT table, and the header totals written back from what
// computeDocumentAmounts makes of them. Rounding: money.h's one rule.

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

// Writes the kind's six total columns (two for a return note) of one header from the amounts.
void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const DocumentAmounts& amounts);

// Computes a stored document's amounts from its rows and writes them into its header.
DocumentAmounts updateHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                                   const Books& books);
