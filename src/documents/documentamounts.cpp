#include "documentamounts.h"
#include "documentkinds.h"

#include <QSqlRecord>

std::array<const char*, 6> pricedColumns(Currency books)
{
    const bool lire = books == Currency::Lira;
    return {RowColumn::VatCode, RowColumn::Quantity, lire ? RowColumn::PriceLire : RowColumn::PriceEuro,
            RowColumn::Discount, lire ? RowColumn::ValueLire : RowColumn::ValueEuro,
            lire ? RowColumn::TotalLire : RowColumn::TotalEuro};
}

PricedRow pricedRowOf(const PricedCells& cells, Currency books)
{
    const auto& [vat, quantity, price, discount, value, total] = cells;
    const auto decimal = [](const QVariant& v) {
        return v.isNull() ? std::nullopt : std::optional<Decimal>(Decimal::fromDouble(v.toDouble()));
    };
    // A row without a value of its own (return notes and what is made of them) is worth its row
    // total, which may hold tax and discounts its price does not show.
    const bool ownValue = !value.isNull();
    return {vat.toString().trimmed(), decimal(quantity), ownValue ? decimal(price) : std::nullopt,
            decimal(discount).value_or(Decimal()), Money::fromDouble((ownValue ? value : total).toDouble(), books)};
}

PricedRowReader::PricedRowReader(const QSqlRecord& shape, Currency books) : m_currency(books)
{
    const auto columns = pricedColumns(books);
    for (size_t i = 0; i < columns.size(); ++i)
        m_at[i] = shape.indexOf(QLatin1String(columns[i]));
}

PricedRow PricedRowReader::read(const Rows& row) const
{
    PricedCells cells;
    for (size_t i = 0; i < cells.size(); ++i)
        if (m_at[i] >= 0)
            cells[i] = row.value(m_at[i]);
    return pricedRowOf(cells, m_currency);
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
    for (VatTotals& line : d.byCode)
        for (int& r : line.rows)
            r = at[r];
    return d;
}
