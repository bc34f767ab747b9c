#include "documenttotals.h"

#include <QMap>

namespace {

// The fewest places with which the euro price still gives the euro amount.
Decimal shownPrice(const PricedRow& row, Decimal price, Money amountEuro)
{
    for (int places = 2; places < Decimal::Places; ++places) {
        const Decimal p = price.rounded(places);
        if (rowAmount(*row.quantity, p, row.discountPercent, Currency::Euro) == amountEuro)
            return p;
    }
    return price;
}

RowAmounts amountsOf(const PricedRow& row, const Books& books)
{
    RowAmounts r;
    r.priced = row.priced();
    const Money own = row.priced() ? rowAmount(*row.quantity, *row.unitPrice, row.discountPercent, books.currency)
                                   : Money(row.givenAmount.units(), books.currency);
    r.amount.in(books.currency) = own;
    r.amount.in(books.other()) = converted(own, books.other(), books.lirePerEuro);
    r.unitPriceEuro = row.priced()
                          ? shownPrice(row, convertedPrice(*row.unitPrice, books.currency, Currency::Euro, books.lirePerEuro),
                                       r.amount.euro)
                          : r.amount.euro.toDecimal();
    return r;
}

} // namespace

size_t qHash(const PricedRow& row, size_t seed)
{
    const auto scaled = [](const std::optional<Decimal>& d) { return d ? d->scaled() : qint64(-1); };
    return qHashMulti(seed, row.vatCode, scaled(row.quantity), scaled(row.unitPrice), row.discountPercent.scaled(),
                      row.givenAmount.units());
}

void PricedRowGroups::add(const PricedRow& row)
{
    if (const auto at = m_at.constFind(row); at != m_at.constEnd()) {
        ++m_groups[*at].repeats;
        return;
    }
    m_at.insert(row, m_groups.size());
    m_groups << row;
}

Books booksOf(const QString& baseCurrency, double euroRate)
{
    Books b;
    const QString c = baseCurrency.trimmed();
    if (c.compare(QLatin1String("LIT"), Qt::CaseInsensitive) == 0 || c.compare(QLatin1String("ITL"), Qt::CaseInsensitive) == 0)
        b.currency = Currency::Lira;
    if (euroRate > 0)
        b.lirePerEuro = Decimal::fromDouble(euroRate);
    return b;
}

Amounts& Amounts::operator+=(const Amounts& o)
{
    euro += o.euro;
    lire += o.lire;
    return *this;
}

DocumentAmounts computeDocumentAmounts(const QVector<PricedRow>& rows, const QHash<QString, VatCode>& vatTable,
                                       const Books& books)
{
    DocumentAmounts d;
    QMap<QString, VatTotals> codes;
    for (int i = 0; i < rows.size(); ++i) {
        const PricedRow& row = rows[i];
        d.rows << amountsOf(row, books);
        VatTotals& line = codes[row.vatCode.trimmed().toUpper()];
        if (line.rows.isEmpty()) {
            const auto v = vatTable.constFind(row.vatCode.trimmed().toUpper());
            line.known = v != vatTable.constEnd();
            line.code = row.vatCode.trimmed();
            if (line.known) {
                line.description = v->description;
                line.nature = v->nature;
                line.rate = v->rate;
            }
        }
        line.rows << i;
        const Money own = d.rows.last().amount.in(books.currency);
        line.taxable.in(books.currency) += Money(own.units() * row.repeats, books.currency);
    }
    for (VatTotals& line : codes) {
        Money& other = line.taxable.in(books.other());
        other = converted(line.taxable.in(books.currency), books.other(), books.lirePerEuro);
        line.tax.euro = percentOf(line.taxable.euro, line.rate);
        line.tax.lire = percentOf(line.taxable.lire, line.rate);
        d.byCode << line;
        d.taxable += line.taxable;
        d.tax += line.tax;
    }
    d.total = d.taxable;
    d.total += d.tax;
    return d;
}
