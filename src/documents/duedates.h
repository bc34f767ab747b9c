#pragma once
#include "printabledocument.h"

// The instalments of a payment term for a document: instalment k falls Scad k days after the
// document's date, moved to the last day of that month when the term says "fine mese". The total
// is split evenly to the cent, the last instalment taking what rounding leaves, so that the
// instalments always sum to the total. A term without instalments is paid at once, on the
// document's date.
QVector<Instalment> dueDates(const PaymentTerm& term, const QDate& documentDate, Money totalEuro);
