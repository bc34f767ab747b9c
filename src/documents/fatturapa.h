#pragma once
#include "printabledocument.h"

#include <QByteArray>
#include <QStringList>

// The Italian electronic invoice (FatturaPA, format FPR12, version 1.2 of the official schema)
// of a sales invoice (TD01), credit note (TD04) or debit note (TD05).

// The document type; empty for a document that is no fiscal document to send (pro-forma) or
// of another kind.
QString eInvoiceDocumentType(const PrintableDocument& document);

// What the archives lack for the invoice, one line per field to fill in, as the screens name
// them ("Azienda: Partita I.V.A."); empty when the invoice can be written.
QStringList eInvoiceMissingData(const PrintableDocument& document);

// The XML of the invoice, sent with the given progressive (ProgressivoInvio).
QByteArray fatturaPAXml(const PrintableDocument& document, const QString& progressive);

// The transmission progressive of a number: five characters, digits then capitals (base 36),
// so that every number of a numerator yields another file name.
QString transmissionProgressive(qint32 number);

// The official file name: country code, sender's VAT number, "_", progressive, ".xml".
QString fatturaPAFileName(const PrintableDocument& document, const QString& progressive);
