#pragma once
#include "documentkinds.h"
#include "documenttotals.h"
#include "common/database.h"

#include <QDate>

// Writes the kind's total columns of one stored header (two for a return note) from the
// document's own rows, by documenttotals.h's rule. The engine sums the rows: rows alike in VAT
// code, quantity, price, discount and amounts are counted as one group, so that a document of
// many rows reaches this program as its few groups; the amounts are those computeDocumentAmounts
// gives for the rows one by one.
void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const Books& books);
