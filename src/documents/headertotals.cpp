#include "headertotals.h"
#include "documentamounts.h"

#include <QSqlRecord>

namespace {

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
    q << grouped << ", Count(*) FROM " << Jet::identifier(rowsTable) << " WHERE DataReg = " << Jet::date(dataReg)
      << " AND NumInt = " << Jet::number(numInt) << " GROUP BY " << grouped;
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

} // namespace

void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const Books& books)
{
    const DocumentAmounts amounts = computeDocumentAmounts(
        rowGroups(data, kind.rowsTable, dataReg, numInt, books.currency), readVatTable(data), books);
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
