#pragma once
#include "printabledocument.h"

// Writes the PDF of a document (A4); the number of pages written, 0 when the file cannot be
// written.
int writeDocumentPdf(const PrintableDocument& document, const QString& path);

// The file name of a document's PDF, made of its kind, number and date:
// "Fattura_Immediata_1_2026-12-07.pdf".
QString documentPdfName(const PrintableDocument& document);

// The folder documents are written to: the company's own (Directory Doc.), or "Documenti" in the
// data folder while the company names none.
QString documentFolder(const CompanyBlock& company, const QString& dataFolder);
