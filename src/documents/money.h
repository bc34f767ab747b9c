#pragma once
#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

// Owns exact amounts. Money is a whole number of the currency's unit: cents for the euro, lire
// for the lira. The one rounding rule, used by every computation that reaches a unit: halves go
// away from zero, to the cent or to the lira (1.005 € -> 1.01 €, -0.125 € -> -0.13 €), as the
// exchange system rounds the tax of an electronic invoice. Quantities, unit prices, percentages
// and the euro rate are Decimals with eight places, the most an electronic invoice's prices carry.

enum class Currency { Euro, Lira };

class Decimal
{
public:
    static constexpr int Places = 8;
    static constexpr qint64 One = 100000000;

    constexpr Decimal() = default;
    static constexpr Decimal fromScaled(qint64 scaled) { return Decimal(scaled); }
    static constexpr Decimal whole(qint64 value) { return Decimal(value * One); }
    // A number as the archive stores it (a double): the nearest value with eight places, so
    // that 1.005, stored as 1.00499..., reads back as 1.005.
    static Decimal fromDouble(double value);
    // "1.005", "-2", "0.61974416": a C-form decimal; nothing for other text.
    static std::optional<Decimal> fromText(const QString& text);

    constexpr qint64 scaled() const { return m_scaled; }
    double toDouble() const { return double(m_scaled) / double(One); }
    bool isZero() const { return m_scaled == 0; }
    // Rounded by the rule to the given places (0..8).
    Decimal rounded(int places) const;
    // C form with at least minPlaces and at most eight places, trailing zeros beyond minPlaces dropped.
    QString toString(int minPlaces = 2) const;

    friend constexpr bool operator==(Decimal, Decimal) = default;
    friend constexpr auto operator<=>(Decimal, Decimal) = default;
    friend constexpr Decimal operator-(Decimal d) { return Decimal(-d.m_scaled); }

private:
    constexpr explicit Decimal(qint64 scaled) : m_scaled(scaled) {}
    qint64 m_scaled = 0;
};

class Money
{
public:
    constexpr Money() = default;
    constexpr Money(qint64 units, Currency currency) : m_units(units), m_currency(currency) {}
    // An amount as the archive stores it (a double), rounded by the rule to the unit.
    static Money fromDouble(double value, Currency currency);
    // A decimal amount rounded by the rule to the unit.
    static Money fromDecimal(Decimal value, Currency currency);

    constexpr qint64 units() const { return m_units; }
    constexpr Currency currency() const { return m_currency; }
    // Decimal places of the currency: 2 for the euro, 0 for the lira.
    constexpr int places() const { return m_currency == Currency::Euro ? 2 : 0; }
    bool isZero() const { return m_units == 0; }
    double toDouble() const;
    Decimal toDecimal() const;
    // C form with the currency's places: "123.95", "240000".
    QString toString() const;

    // Sums and differences of amounts of one currency.
    Money operator+(Money other) const { return Money(m_units + other.m_units, m_currency); }
    Money operator-(Money other) const { return Money(m_units - other.m_units, m_currency); }
    Money operator-() const { return Money(-m_units, m_currency); }
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }
    friend constexpr bool operator==(Money, Money) = default;

private:
    qint64 m_units = 0;
    Currency m_currency = Currency::Euro;
};

// The amount of a priced row: quantity × unit price, less a discount in percent, rounded by the
// rule to the unit of the currency.
Money rowAmount(Decimal quantity, Decimal unitPrice, Decimal discountPercent, Currency currency);

// The share of an amount at a rate in percent (the tax at a VAT rate), rounded by the rule.
Money percentOf(Money amount, Decimal ratePercent);

// An amount in the other currency at the euro rate (lire for one euro), rounded by the rule.
Money converted(Money amount, Currency to, Decimal lirePerEuro);

// A unit price in the other currency at the euro rate, to eight places by the rule.
Decimal convertedPrice(Decimal price, Currency from, Currency to, Decimal lirePerEuro);

// The rate the lira was fixed at: 1936.27 lire for one euro.
constexpr Decimal FixedLirePerEuro = Decimal::fromScaled(193627000000);
