#pragma once
#include <QString>

// The Italian VAT number (partita IVA: 11 digits, the last a check digit computed as Luhn's) and
// fiscal code (codice fiscale: 16 letters and digits ending in a check letter, or a company's 11
// digits, checked as a VAT number). The rules read a code as typed, spaces around it and letter
// case aside; an empty code is no fault (the field is optional). A code that breaks them may
// still be right abroad: the caller decides.
enum class TaxCodeFault {
    None,
    Length,       // neither 11 nor (for a fiscal code) 16 characters
    Characters,   // a character out of place: a letter among the digits, a sign
    CheckDigit,   // well formed, but the check digit or letter does not match
};

TaxCodeFault vatNumberFault(const QString& code);
TaxCodeFault fiscalCodeFault(const QString& code);
