#pragma once
#include <QString>

// The wording of the checks of Italian VAT numbers and fiscal codes (documents/taxcodes.h) where
// a clerk types them. A code that breaks the rules may be foreign or unusual and right all the
// same: it is saved once the clerk says so.

// What is wrong with a typed code, in Italian; empty when nothing is.
QString vatNumberProblem(const QString& code);
QString fiscalCodeProblem(const QString& code);
// Asks whether to save a doubtful code all the same, saying what is wrong; No by default.
bool keepDoubtfulCode(const QString& problem, const QString& title);
