#include "duedates.h"

#include <cmath>

double roundCents(double amount)
{
    // The small nudge keeps amounts like 1.005, stored as 1.00499..., rounding the way they read.
    return std::round(amount * 100.0 + (amount >= 0 ? 1e-7 : -1e-7)) / 100.0;
}

QVector<Instalment> dueDates(const PaymentTerm& term, const QDate& documentDate, double totalEuro)
{
    const int count = std::min<int>(term.instalments, term.days.size());
    if (count <= 0 || !documentDate.isValid())
        return {{documentDate, roundCents(totalEuro)}};
    QVector<Instalment> out;
    const double share = roundCents(totalEuro / count);
    double given = 0;
    for (int k = 0; k < count; ++k) {
        QDate due = documentDate.addDays(term.days[k]);
        if (term.monthEnd)
            due = QDate(due.year(), due.month(), due.daysInMonth());
        const double amount = k + 1 < count ? share : roundCents(totalEuro - given);
        given += amount;
        out.append({due, amount});
    }
    return out;
}
