#include "drafttotals.h"

#include <cmath>

namespace {

qint64 rounded(double amount)
{
    return std::llround(amount);
}

} // namespace

DraftTotals draftTotals(const Database& db, const DocumentDraft& draft)
{
    QHash<QString, double> rates;
    for (Rows r = db.select(JetQuery("SELECT Codice, Perc FROM IVA")); r.next();)
        rates.insert(r.value(0).toString().toUpper(), r.value(1).toDouble());

    DraftTotals t;
    for (const DraftRow& row : draft.rows) {
        DraftRowAmounts a;
        if (!row.isText()) {
            const double share = 1.0 - row.discount / 100.0;
            const qint64 grossCents = rounded(row.quantity * row.priceEuro * 100.0);
            const qint64 grossLire = rounded(row.quantity * row.priceLire);
            a.valueCents = rounded(row.quantity * row.priceEuro * share * 100.0);
            a.valueLire = rounded(row.quantity * row.priceLire * share);
            a.discountCents = grossCents - a.valueCents;
            a.discountLire = grossLire - a.valueLire;
            const double rate = rates.value(row.vatCode.toUpper());
            a.taxCents = rounded(a.valueCents * rate / 100.0);
            a.taxLire = rounded(a.valueLire * rate / 100.0);
            VatLine& line = t.vat[row.vatCode.toUpper()];
            line.rate = rate;
            line.taxableCents += a.valueCents;
            line.taxableLire += a.valueLire;
        }
        t.rows << a;
    }
    for (VatLine& line : t.vat) {
        line.taxCents = rounded(line.taxableCents * line.rate / 100.0);
        line.taxLire = rounded(line.taxableLire * line.rate / 100.0);
        t.taxableCents += line.taxableCents;
        t.taxCents += line.taxCents;
        t.taxableLire += line.taxableLire;
        t.taxLire += line.taxLire;
    }
    t.totalCents = t.taxableCents + t.taxCents;
    t.totalLire = t.taxableLire + t.taxLire;
    return t;
}
