#pragma once
#include "documentkinds.h"
#include "documenttotals.h"
#include "common/database.h"

#include <QDate>

// Writes the kind's total columns of one stored header (two for a return note): the document's
// totals as computeDocumentAmounts gives them from its rows.
void writeHeaderTotals(const Database& data, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                       const DocumentAmounts& amounts);
