#include "headertotals.h"

void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const DocumentAmounts& amounts)
{
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
