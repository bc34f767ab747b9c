#pragma once
#include "documentkinds.h"
#include "common/database.h"

#include <QDate>
#include <optional>

// The rules an Italian invoice book keeps, on sales invoices and on credit and debit notes:
// numbered per fiscal year without gaps and in date order, only the last number deletable (its
// number is then given back), and nothing changed once its electronic invoice is written.
// Each check runs inside the caller's transaction and answers with the sentence of a refusal.

bool keepsInvoiceBook(const DocumentKind& kind);

// A document numbered numInt and dated date, against the document numbered before it and the
// one after it in the same fiscal year.
std::optional<QString> dateOrderRefusal(const Database& db, const DocumentKind& kind, const QString& fiscalYear,
                                        qint32 numInt, const QDate& date);

// A saved document that may no longer be changed or deleted: its electronic invoice is written.
std::optional<QString> eInvoiceRefusal(const Database& db, const DocumentKind& kind, const QDate& dataReg,
                                       qint32 numInt);

// Deleting a document that is not the last of its numerator.
std::optional<QString> deletionRefusal(const Database& db, const DocumentKind& kind, const QString& fiscalYear,
                                       qint32 numInt);

// After the last document was deleted: the numerator goes back to the number before it. A pro-forma
// gives its number back to its own numerator.
void giveNumberBack(const Database& db, const DocumentKind& kind, const QString& fiscalYear, qint32 numInt);
