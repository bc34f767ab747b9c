#pragma once
#include "printabledocument.h"
#include "common/database.h"

// Reads one document (kind code, DataReg, NumInt) with all its page and its electronic invoice
// show: the company record of the user archive, the counterpart's master record, the rows, the
// VAT codes, the payment term and its due dates. Nothing when the document is not there;
// archive errors are thrown (DatabaseError).
std::optional<PrintableDocument> readPrintableDocument(const Database& data, const Database& user,
                                                       const QString& kindCode, DocumentVariant variant,
                                                       const QDate& dataReg, qint32 numInt);

// The title a document is printed under.
QString documentTitle(const QString& kindCode, DocumentVariant variant, bool carriesTransport);
