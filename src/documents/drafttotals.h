#pragma once
#include "documentdraft.h"

#include <QMap>

// The amounts of a draft in whole cents of euro and whole lire: each row's value (quantity ×
// price, less its discount), and per VAT code the summed taxable amount and the tax computed on
// that sum, as the electronic invoice computes it. The document's totals are the sums of those,
// so the header always matches its rows to the cent.
struct DraftRowAmounts
{
    qint64 valueCents = 0, discountCents = 0, taxCents = 0;
    qint64 valueLire = 0, discountLire = 0, taxLire = 0;
};

struct VatLine
{
    double rate = 0;
    qint64 taxableCents = 0, taxCents = 0;
    qint64 taxableLire = 0, taxLire = 0;
};

struct DraftTotals
{
    QVector<DraftRowAmounts> rows;         // one per draft row (zero for text rows)
    QMap<QString, VatLine> vat;       // by VAT code
    qint64 taxableCents = 0, taxCents = 0, totalCents = 0;
    qint64 taxableLire = 0, taxLire = 0, totalLire = 0;
};

// The rates come from the archive's VAT table; a code it does not hold counts at 0%.
DraftTotals draftTotals(const Database& db, const DocumentDraft& draft);
