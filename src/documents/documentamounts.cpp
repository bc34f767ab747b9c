#include "documentamounts.h"
#include "documentkinds.h"

#include <QSqlRecord>

PricedRowReader::PricedRowReader(const QSqlRecord& shape, Currency books) : m_currency(books)
{
    const bool lire = books == Currency::Lira;
    const auto at = [&](const char* name) { return shape.indexOf(QLatin1String(name)); };
    m_vat = at(RowColumn::VatCode);
    m_quantity = at(RowColumn::Quantity);
    m_price = at(lire ? RowColumn::PriceLire : RowColumn::PriceEuro);
    m_discount = at(RowColumn::Discount);
    m_value = at(lire ? RowColumn::ValueLire : RowColumn::ValueEuro);
    m_total = at(lire ? RowColumn::TotalLire : RowColumn::TotalEuro);
}

PricedRow PricedRowReader::read(const Rows& row) const
{
    const auto cell = [&](int i) { return i < 0 ? QVariant() : row.value(i); };
    const auto decimal = [&](int i) {
        const QVariant v = cell(i);
        return v.isNull() ? std::nullopt : std::optional<Decimal>(Decimal::fromDouble(v.toDouble()));
    };
    // A row without a value of its own (return notes and what is made of them) is worth its row
    // total, which may hold tax and discounts its price does not show.
    const bool ownValue = !cell(m_value).isNull();
    const QVariant given = ownValue ? cell(m_value) : cell(m_total);
    return {cell(m_vat).toString().trimmed(), decimal(m_quantity), ownValue ? decimal(m_price) : std::nullopt,
            decimal(m_discount).value_or(Decimal()), Money::fromDouble(given.toDouble(), m_currency)};
}

QHash<QString, VatCode> readVatTable(const Database& data)
{
    QHash<QString, VatCode> table;
    Rows q = data.select(JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("IVA")));
    const QSqlRecord shape = q.record();
    const int code = shape.indexOf(QStringLiteral("Codice")), description = shape.indexOf(QStringLiteral("Desc")),
              nature = shape.indexOf(QStringLiteral("Natura")), rate = shape.indexOf(QStringLiteral("Perc"));
    const auto text = [&](int i) { return i < 0 ? QString() : q.value(i).toString().trimmed(); };
    while (q.next()) {
        const VatCode v{text(code), text(description), text(nature).toUpper(),
                        Decimal::fromDouble(rate < 0 ? 0.0 : q.value(rate).toDouble())};
        table.insert(v.code.toUpper(), v);
    }
    return table;
}

PricedRow pricedRow(const DraftRow& row, Currency books)
{
    const double price = books == Currency::Lira ? row.priceLire : row.priceEuro;
    return {row.vatCode.trimmed(), Decimal::fromDouble(row.quantity), Decimal::fromDouble(price),
            Decimal::fromDouble(row.discount), Money(0, books)};
}

DocumentAmounts draftAmounts(const QHash<QString, VatCode>& vatTable, const DocumentDraft& draft, const Books& books)
{
    QVector<PricedRow> priced;
    QVector<int> at;   // the draft's index of each priced row
    for (int i = 0; i < draft.rows.size(); ++i)
        if (!draft.rows[i].isText()) {
            priced << pricedRow(draft.rows[i], books.currency);
            at << i;
        }
    DocumentAmounts d = computeDocumentAmounts(priced, vatTable, books);
    QVector<RowAmounts> rows(draft.rows.size());
    for (int k = 0; k < at.size(); ++k)
        rows[at[k]] = d.rows[k];
    d.rows = rows;
    for (QVector<VatTotals>* lines : {&d.byCode, &d.byRate})
        for (VatTotals& line : *lines)
            for (int& r : line.rows)
                r = at[r];
    return d;
}
