// Italian VAT numbers and fiscal codes as typed; the valid ones' check characters worked out by hand.
#include "documents/taxcodes.h"

#include <gtest/gtest.h>

TEST(TaxCodes, EveryCharacterCountsAndACompanysFiscalCodeIsItsVatNumber)
{
    using F = TaxCodeFault;
    const struct { const char* code; F vatNumber, fiscalCode; } cases[] = {
        {"", F::None, F::None}, {" 12345678903 ", F::None, F::None}, {"01234567897", F::None, F::None},
        {"12345678901", F::CheckDigit, F::CheckDigit}, {"21345678903", F::CheckDigit, F::CheckDigit},  // digits swapped
        {"1234567890", F::Length, F::Length}, {"1234567890A", F::Characters, F::Characters},
        {"ZNNGNN80A01Z404C", F::Length, F::None},  // born abroad: the town's letter is Z
        {"RSSMRA85T10A562S", F::Length, F::None}, {"rssmra85t10a562s", F::Length, F::None},
        {"RSSMRA85T10A562T", F::Length, F::CheckDigit}, {"RSSMRA58T10A562S", F::Length, F::CheckDigit},
        {"RSSMRA85T10A56NH", F::Length, F::None},  // a namesake's code: a digit becomes a letter
        {"RSSMRA85T10A56NS", F::Length, F::CheckDigit}, {"RSSMRA85Z10A562S", F::Length, F::Characters},  // no month Z
        {"RSSMRA8-T10A562S", F::Length, F::Characters}, {"RSSMR185T10A562S", F::Length, F::Characters},  // a digit for a letter
        {"RSSMRA85T10A562", F::Length, F::Length}, {"RSSMRA99T19A569I", F::Length, F::None}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(vatNumberFault(QString::fromLatin1(c.code)), c.vatNumber);
        EXPECT_EQ(fiscalCodeFault(QString::fromLatin1(c.code)), c.fiscalCode);
    }
}
