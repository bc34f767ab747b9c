#include "money.h"

#include <QRegularExpression>
#include <cmath>

namespace {

using Wide = __int128;

// numerator / denominator rounded by the rule: halves away from zero.
qint64 roundedQuotient(Wide numerator, Wide denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const bool negative = numerator < 0;
    const Wide magnitude = negative ? -numerator : numerator;
    const Wide q = (magnitude + denominator / 2) / denominator;
    return qint64(negative ? -q : q);
}

Wide power10(int exponent)
{
    Wide p = 1;
    while (exponent-- > 0)
        p *= 10;
    return p;
}

// Units of a currency in one whole: 100 cents, 1 lira.
qint64 unitsPerWhole(Currency c)
{
    return c == Currency::Euro ? 100 : 1;
}

} // namespace

Decimal Decimal::fromDouble(double value)
{
    // Below 9e7 the scaled double is within a hundredth of a unit of the decimal it was written
    // from; above, fifteen significant digits give that decimal back.
    if (std::abs(value) < 9e7)
        return Decimal(qint64(std::llround(value * double(One))));
    const QString text = QString::number(value, 'g', 15);
    if (const std::optional<Decimal> d = fromText(text))
        return *d;
    return Decimal(qint64(std::llround(value * double(One))));
}

std::optional<Decimal> Decimal::fromText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^([-+]?)(\\d*)(?:\\.(\\d*))?(?:[eE]([-+]?\\d+))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    const QString digits = m.captured(2) + m.captured(3);
    int exponent = m.captured(4).toInt() - int(m.captured(3).size());
    if (digits.size() > 30 || exponent > 12 || exponent < -30)
        return std::nullopt;
    Wide mantissa = 0;
    for (QChar c : digits)
        mantissa = mantissa * 10 + c.digitValue();
    // value = mantissa × 10^exponent; kept with eight places (power10 of a negative exponent is 1).
    const int shift = exponent + Places;
    const qint64 scaled = roundedQuotient(mantissa * power10(shift), power10(-shift));
    return Decimal(m.captured(1) == QLatin1String("-") ? -scaled : scaled);
}

Decimal Decimal::rounded(int places) const
{
    const Wide step = power10(Places - std::clamp(places, 0, Places));
    return Decimal(qint64(Wide(roundedQuotient(m_scaled, step)) * step));
}

QString Decimal::toString(int minPlaces) const
{
    const qint64 magnitude = m_scaled < 0 ? -m_scaled : m_scaled;
    QString fraction = QString::number(magnitude % One).rightJustified(Places, u'0');
    while (fraction.size() > minPlaces && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString s = (m_scaled < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / One);
    return fraction.isEmpty() ? s : s + u'.' + fraction;
}

Money Money::fromDouble(double value, Currency currency)
{
    // Beyond what eight places hold, a double has no places left to round.
    if (std::abs(value) >= 9e10)
        return Money(qint64(std::llround(value * double(unitsPerWhole(currency)))), currency);
    return fromDecimal(Decimal::fromDouble(value), currency);
}

Money Money::fromDecimal(Decimal value, Currency currency)
{
    return Money(roundedQuotient(Wide(value.scaled()) * unitsPerWhole(currency), Decimal::One), currency);
}

double Money::toDouble() const
{
    return toDecimal().toDouble();
}

Decimal Money::toDecimal() const
{
    return Decimal::fromScaled(m_units * (Decimal::One / unitsPerWhole(m_currency)));
}

QString Money::toString() const
{
    const qint64 per = unitsPerWhole(m_currency);
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString s = (m_units < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / per);
    if (per > 1)
        s += u'.' + QString::number(magnitude % per).rightJustified(places(), u'0');
    return s;
}

Money rowAmount(Decimal quantity, Decimal unitPrice, Decimal discountPercent, Currency currency)
{
    // quantity × price × (100 − discount) / 100, every factor with eight places.
    const Wide hundred = Wide(100) * Decimal::One;
    const Wide gross = Wide(quantity.scaled()) * unitPrice.scaled();
    // The discount is kept to the hundredth of a percent, as the electronic invoice writes it.
    const Wide remaining = hundred - discountPercent.rounded(2).scaled();
    const Wide factor = remaining / 1000000;          // hundredths of a percent
    return Money(roundedQuotient(gross * factor * unitsPerWhole(currency), Wide(Decimal::One) * Decimal::One * 10000),
                 currency);
}

Money percentOf(Money amount, Decimal ratePercent)
{
    return Money(roundedQuotient(Wide(amount.units()) * ratePercent.scaled(), Wide(100) * Decimal::One),
                 amount.currency());
}

Money converted(Money amount, Currency to, Decimal lirePerEuro)
{
    if (amount.currency() == to)
        return amount;
    const Wide units = amount.units();
    if (to == Currency::Euro) // lire / rate, in cents
        return Money(roundedQuotient(units * 100 * Decimal::One, lirePerEuro.scaled()), to);
    return Money(roundedQuotient(units * lirePerEuro.scaled(), Wide(100) * Decimal::One), to);
}

Decimal convertedPrice(Decimal price, Currency from, Currency to, Decimal lirePerEuro)
{
    if (from == to)
        return price;
    if (to == Currency::Euro)
        return Decimal::fromScaled(roundedQuotient(Wide(price.scaled()) * Decimal::One, lirePerEuro.scaled()));
    return Decimal::fromScaled(roundedQuotient(Wide(price.scaled()) * lirePerEuro.scaled(), Decimal::One));
}
