#include "typednumber.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

// The whole part: plain digits, or groups of three after the first one to three digits.
#define WHOLE_PART "(\\d+|\\d{1,3}(?:\\.\\d{3})+)"

QString digitsOnly(QString text)
{
    text.remove(u'.');
    text.replace(u',', u'.');
    return text;
}

} // namespace

TypedNumber typedNumberState(const QString& typed, int maxDecimals)
{
    static const QRegularExpression readable(QStringLiteral("^-?" WHOLE_PART "(?:,(\\d+))?$"));
    static const QRegularExpression unfinished(
        QStringLiteral("^-?(?:|\\d{1,3}(?:\\.\\d{3})*\\.\\d{0,2}|" WHOLE_PART ",)$"));
    const QString text = typed.trimmed();
    const QRegularExpressionMatch match = readable.match(text);
    if (match.hasMatch()) {
        const bool tooPrecise = maxDecimals >= 0 && match.capturedLength(2) > maxDecimals;
        return tooPrecise ? TypedNumber::Unreadable : TypedNumber::Readable;
    }
    if (unfinished.match(text).hasMatch() && !(maxDecimals == 0 && text.endsWith(u',')))
        return TypedNumber::Unfinished;
    return TypedNumber::Unreadable;
}

std::optional<double> readTypedNumber(const QString& text, int maxDecimals)
{
    if (typedNumberState(text, maxDecimals) != TypedNumber::Readable)
        return std::nullopt;
    bool ok = false;
    const double value = digitsOnly(text.trimmed()).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

double convertAmount(double amount, double factor, int decimals)
{
    const double scale = std::pow(10.0, std::clamp(decimals, 0, 6));
    return std::round(amount * factor * scale) / scale;
}
