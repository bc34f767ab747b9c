#include "taxcodes.h"

namespace {

constexpr int VatNumberLength = 11;
constexpr int PersonalCodeLength = 16;

bool allDigits(const QString& text)
{
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// Where a person's code holds digits: year, day and the town's number. A code given to a second
// person with the same data (omocodia) has some of them replaced by the letters L to V.
bool digitPlace(int index)
{
    return index == 6 || index == 7 || index == 9 || index == 10 || (index >= 12 && index <= 14);
}

bool isAsciiLetter(QChar c) { return c >= u'A' && c <= u'Z'; }

bool wellPlaced(const QString& code)
{
    static const QString months = QStringLiteral("ABCDEHLMPRST");
    static const QString digitLetters = QStringLiteral("LMNPQRSTUV");
    for (int i = 0; i < PersonalCodeLength; ++i) {
        const QChar c = code[i];
        const bool placed = !digitPlace(i) ? isAsciiLetter(c) && (i != 8 || months.contains(c))
                                           : (c >= u'0' && c <= u'9') || digitLetters.contains(c);
        if (!placed)
            return false;
    }
    return true;
}

// The value of a character in an odd place (first, third, ...) of a person's code; digits count
// as the letter of the same rank (0 as A).
int oddValue(QChar c)
{
    static const int values[26] = {1,  0,  5,  7,  9,  13, 15, 17, 19, 21, 2,  4,  18,
                                   20, 11, 3,  6,  8,  12, 14, 16, 10, 22, 25, 24, 23};
    return values[c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'A'];
}

int evenValue(QChar c)
{
    return c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'A';
}

} // namespace

TaxCodeFault vatNumberFault(const QString& typed)
{
    const QString code = typed.trimmed();
    if (code.isEmpty())
        return TaxCodeFault::None;
    if (code.size() != VatNumberLength)
        return TaxCodeFault::Length;
    if (!allDigits(code))
        return TaxCodeFault::Characters;
    int sum = 0;
    for (int i = 0; i < VatNumberLength - 1; ++i) {
        const int digit = code[i].unicode() - u'0';
        // Digits in even places (second, fourth, ...) count twice, their digits summed.
        const int doubled = 2 * digit;
        sum += i % 2 == 0 ? digit : doubled > 9 ? doubled - 9 : doubled;
    }
    return (10 - sum % 10) % 10 == code.back().unicode() - u'0' ? TaxCodeFault::None : TaxCodeFault::CheckDigit;
}

TaxCodeFault fiscalCodeFault(const QString& typed)
{
    const QString code = typed.trimmed().toUpper();
    if (code.size() == VatNumberLength)
        return vatNumberFault(code);
    if (code.isEmpty())
        return TaxCodeFault::None;
    if (code.size() != PersonalCodeLength)
        return TaxCodeFault::Length;
    if (!wellPlaced(code))
        return TaxCodeFault::Characters;
    int sum = 0;
    for (int i = 0; i < PersonalCodeLength - 1; ++i)
        sum += i % 2 == 0 ? oddValue(code[i]) : evenValue(code[i]);
    return code.back() == QChar(u'A' + sum % 26) ? TaxCodeFault::None : TaxCodeFault::CheckDigit;
}
