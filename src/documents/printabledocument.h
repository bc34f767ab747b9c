#pragma once
#include "documenttotals.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>
#include <optional>

// One document as it goes on paper and to the tax agency: plain values read from the archives,
// formatted only by whoever prints or sends it. Its amounts are computed from its rows and the
// VAT table (documenttotals.h), never taken from the totals stored in its header.

// What the command that shows a document makes of it: pro-forma and service invoices are stored
// with the sales invoices, debit notes with the credit notes.
enum class DocumentVariant { Ordinary, ProForma, DebitNote, Service };

struct CompanyBlock
{
    QString name, address, postalCode, town, province, country;
    QString vatNumber, fiscalCode, phone, fax, chamberPlace, chamberNumber;
    QString logoPath;        // empty: no logo
    QString documentFolder;  // Azienda.Path as stored
    QString baseCurrency;
    QString fiscalRegime;    // RF01 ...
    Books books;             // from ValutaBase and CambioEuro
    // Amounts are also shown in lire when the company keeps its books in lire.
    bool liraBase() const { return books.currency == Currency::Lira; }
};

struct PartyBlock
{
    bool found = false;      // the master record exists
    QString code, name, address, postalCode, town, province, country;
    QString vatNumber, fiscalCode, recipientCode, pec;
};

struct TransportData
{
    QString reason, appearance, carrier1, carrier1Notes, carrier2, carrier2Notes, porto, aCura;
    std::optional<int> packages;
    std::optional<double> weightKg;
    QDate deliveryDate;
    bool isEmpty() const;
};

struct DocumentRow
{
    int riga = 0;
    QString article, description, unit, vatCode;
    std::optional<Decimal> quantity;
    Decimal discount;          // percent
    RowAmounts amounts;        // computed from quantity, price and discount
};

struct DocumentTotals
{
    bool hasTaxBreakdown = true;  // return notes hold only their total
    Amounts taxable, tax, total;
};

struct PaymentTerm
{
    QString code, description;
    int instalments = 0;
    bool monthEnd = false;
    QVector<int> days;             // Scad1 .. ScadN
    QString method, methodDescription, methodEInvoiceCode;  // the payment kind (tipopag)
};

struct Instalment
{
    QDate due;
    Money amountEuro;
};

struct PrintableDocument
{
    QString kindCode;              // "FATVE", "DDT", ...
    DocumentVariant variant = DocumentVariant::Ordinary;
    QString title;                 // "Fattura Immediata", "Documento di Trasporto", ...
    QDate date;
    qint32 numInt = 0;
    QString number;
    bool supplierCounterpart = false;
    CompanyBlock company;
    PartyBlock counterpart;
    bool showTransport = false;
    TransportData transport;
    QVector<DocumentRow> rows;
    QHash<QString, VatCode> vatCodes;   // the VAT table, by code in capitals
    QVector<VatTotals> vatSummary;      // by VAT code, in code order
    DocumentTotals totals;
    std::optional<PaymentTerm> payment;
    QVector<Instalment> instalments;
    QString notes;
};
