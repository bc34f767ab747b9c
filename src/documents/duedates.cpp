#include "duedates.h"

#include <cstdlib>

QVector<Instalment> dueDates(const PaymentTerm& term, const QDate& documentDate, Money totalEuro)
{
    const int count = std::min<int>(term.instalments, term.days.size());
    if (count <= 0 || !documentDate.isValid())
        return {{documentDate, totalEuro}};
    // An even share, halves away from zero like every amount.
    const qint64 units = totalEuro.units();
    const qint64 share = (2 * std::llabs(units) + count) / (2 * qint64(count)) * (units < 0 ? -1 : 1);
    QVector<Instalment> out;
    Money given(0, totalEuro.currency());
    for (int k = 0; k < count; ++k) {
        QDate due = documentDate.addDays(term.days[k]);
        if (term.monthEnd)
            due = QDate(due.year(), due.month(), due.daysInMonth());
        const Money amount = k + 1 < count ? Money(share, totalEuro.currency()) : totalEuro - given;
        given += amount;
        out.append({due, amount});
    }
    return out;
}
