#include "headertotals.h"
#include "documentamounts.h"

#include <QSqlRecord>
#include <cmath>

namespace {

JetQuery documentRows(const QString& rowsTable, const QDate& dataReg, qint32 numInt)
{
    JetQuery q(" FROM ");
    q << Jet::identifier(rowsTable) << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = " << Jet::number(numInt);
    return q;
}

// The rows of a document in groups of rows alike, each read as one priced row standing for
// as many rows as the group counts.
QVector<PricedRow> rowGroups(const Database& data, const QString& rowsTable, const QDate& dataReg, qint32 numInt,
                             Currency books)
{
    const bool lire = books == Currency::Lira;
    const char* const columns[] = {RowColumn::VatCode, RowColumn::Quantity,
                                   lire ? RowColumn::PriceLire : RowColumn::PriceEuro, RowColumn::Discount,
                                   lire ? RowColumn::ValueLire : RowColumn::ValueEuro,
                                   lire ? RowColumn::TotalLire : RowColumn::TotalEuro};
    JetQuery grouped;
    for (const char* column : columns) {
        if (!grouped.isEmpty())
            grouped << ", ";
        grouped << Jet::identifier(QLatin1String(column));
    }
    JetQuery q("SELECT ");
    q << grouped << ", Count(*)" << documentRows(rowsTable, dataReg, numInt) << " GROUP BY " << grouped;
    Rows found = data.select(q);
    const QSqlRecord shape = found.record();
    const PricedRowReader reader(shape, books);
    const int count = shape.count() - 1;
    QVector<PricedRow> groups;
    while (found.next()) {
        groups << reader.read(found);
        groups.last().repeats = found.value(count).toLongLong();
    }
    return groups;
}

// The rows' amounts summed per VAT code by the engine in floating point; nothing unless every
// row's amount is a whole number of units within what the inputs' eight places and the
// floating point can move it (and its discount whole hundredths), which is then the amount the
// exact rule gives. Rounding in the engine would cost more than summing the rows in groups.
std::optional<QVector<PricedRow>> summedByCode(const Database& data, const QString& rowsTable, const QDate& dataReg,
                                               qint32 numInt, Currency books)
{
    const bool lire = books == Currency::Lira;
    const auto column = [](const char* name) { return Jet::identifier(QLatin1String(name)); };
    const auto quantity = column(RowColumn::Quantity), price = column(lire ? RowColumn::PriceLire : RowColumn::PriceEuro),
               value = column(lire ? RowColumn::ValueLire : RowColumn::ValueEuro),
               total = column(lire ? RowColumn::TotalLire : RowColumn::TotalEuro);
    JetQuery unit, discount, priced;
    if (lire)
        unit << "1.0";
    else
        unit << "100.0";
    discount << "COALESCE(" << column(RowColumn::Discount) << ", 0)";
    priced << value << " IS NOT NULL AND " << quantity << " IS NOT NULL AND " << price << " IS NOT NULL";
    JetQuery rows("SELECT ");
    rows << column(RowColumn::VatCode) << " AS code, CASE WHEN " << priced << " THEN " << unit << " * " << quantity
         << " * " << price << " * (100 - " << discount << ") / 100 ELSE " << unit << " * COALESCE(" << value << ", "
         << total << ", 0) END AS amount, CASE WHEN NOT (" << priced << ") THEN 0.00000001 * " << unit
         << " WHEN ABS(" << discount << " * 100 - FLOOR(" << discount << " * 100 + 0.5)) > 0.000001 THEN 1 "
         << "ELSE 0.00000001 * (ABS(" << quantity << ") + 1) * (ABS(" << price << ") + 1) * " << unit << " * (2 + ABS("
         << discount << ") / 100) END AS margin" << documentRows(rowsTable, dataReg, numInt);
    JetQuery q("SELECT code, SUM(FLOOR(amount + 0.5)), SUM(CASE WHEN ABS(amount - FLOOR(amount + 0.5)) <= margin "
               "+ 0.000000000001 * ABS(amount) AND margin < 0.25 THEN 0 ELSE 1 END) FROM (");
    q << rows << ") AS amounts GROUP BY code";
    QVector<PricedRow> codes;
    for (Rows found = data.select(q); found.next();) {
        if (found.value(2).toLongLong() > 0)
            return std::nullopt;
        codes.push_back({found.value(0).toString().trimmed(), std::nullopt, std::nullopt, Decimal(),
                         Money(qint64(std::llround(found.value(1).toDouble())), books)});
    }
    return codes;
}

} // namespace

void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const Books& books)
{
    std::optional<QVector<PricedRow>> rows = summedByCode(data, kind.rowsTable, dataReg, numInt, books.currency);
    if (!rows)
        rows = rowGroups(data, kind.rowsTable, dataReg, numInt, books.currency);
    const DocumentAmounts amounts = computeDocumentAmounts(*rows, readVatTable(data), books);
    const TotalColumns& c = kind.totals;
    QVector<std::pair<QString, Money>> columns{{c.totalLire, amounts.total.lire}, {c.totalEuro, amounts.total.euro}};
    if (c.hasTaxBreakdown())
        columns << std::pair{c.taxableLire, amounts.taxable.lire} << std::pair{c.taxableEuro, amounts.taxable.euro}
                << std::pair{c.taxLire, amounts.tax.lire} << std::pair{c.taxEuro, amounts.tax.euro};
    JetQuery q("UPDATE ");
    q << Jet::identifier(kind.headerTable) << " SET ";
    for (const auto& [column, value] : columns) {
        if (column != columns.first().first)
            q << ", ";
        q << Jet::identifier(column) << " = " << Jet::number(value.toDouble());
    }
    q << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = " << Jet::number(numInt);
    data.execute(q);
}
