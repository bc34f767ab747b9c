#pragma once
#include "common/database.h"
#include "printabledocument.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

// A document as a clerk writes it, before it is saved: its header (the counterpart's data are
// the document's own copy, so a later change of the customer never rewrites it) and its rows in
// order. The same draft serves a new document and the correction of a saved one.

struct DraftRow
{
    QString article{};          // empty: a row of text alone, without amounts
    QString description{};
    QString unit{};
    QString vatCode{};
    QString deposit{};
    double quantity = 0;
    double priceEuro = 0;
    double priceLire = 0;
    double discount = 0;      // percent

    bool isText() const { return article.isEmpty(); }
};

struct DocumentDraft
{
    QString kindCode{};                            // "FATVE", "DDT", ...
    DocumentVariant variant = DocumentVariant::Ordinary;
    QDate date{};
    QString reason{};                              // idCausaleDoc
    QString counterpartCode{};                     // the customer's or supplier's Codice
    qint64 counterpartId = 0;                    // its id, found when the code is checked
    // The other header columns by name: DSCli/DSFor, Indirizzo, Localita, ..., NoteDoc, transport.
    QHash<QString, QVariant> header{};
    QString movementReason{};                      // CauMag code; empty: the goods do not move
    QVector<DraftRow> rows{};

    // Where the document is saved; numInt 0 until its first save.
    qint32 numInt = 0;
    QDate savedDate{};
    QString fiscalYear{};                          // empty until saved: the session's
};

// A warehouse movement typed by hand is a draft of this kind: its reason is movementReason, its
// rows name an article, a warehouse, a quantity and a price (the article's purchase price, as the
// goods in stock are valued), and its header may hold Note and Origine.
inline const QString StockMovementKind = QStringLiteral("MovMag");
// The opening stock is the movement whose Origine says so (a movement of a document names the
// document's kind there, one typed on the movements screen nothing).
inline const QString OpeningStockOrigin = QStringLiteral("Apertura Giacenze");
inline bool isOpeningStock(const DocumentDraft& draft)
{
    return draft.header.value(QStringLiteral("Origine")).toString() == OpeningStockOrigin;
}

// How a sales invoice or a note that is not an ordinary one is marked in its header (TipoFattura):
// "PF" pro-forma, "FS" service invoice, "ND" debit note; Null for the ordinary ones.
QString storedVariant(DocumentVariant variant);
DocumentVariant variantOf(const QString& stored);

// A pro-forma is no fiscal document: it is numbered by a numerator of its own, outside the sales
// invoices' book, and its key NumInt is its number made negative, so that it never takes the key
// of an invoice of the same day. Pro-formas written before this carry an invoice's number.
inline const QString ProFormaNumerator = QStringLiteral("FATPRO");
inline bool outsideInvoiceBook(qint32 numInt) { return numInt < 0; }
// The number a document shows and prints.
inline qint32 shownNumber(qint32 numInt) { return numInt < 0 ? -numInt : numInt; }

// The kinds that carry transport data (delivery notes, accompanying invoices, return notes).
bool carriesTransport(const QString& kindCode);

// Reads a saved document into a draft; nothing when it is not there.
std::optional<DocumentDraft> readDraft(const Database& db, const QString& kindCode, const QDate& dataReg,
                                       qint32 numInt);

// Copies the master record of the counterpart whose code is typed into the draft's header:
// name, address, payment term and kind, price list, agent, discount, zone. False when no
// customer (or supplier, for purchases) has that code.
bool fillCounterpart(const Database& db, DocumentDraft& draft, const QString& code);

// A row for an article typed by code: description, unit, VAT code, warehouse and price (the
// purchase price for purchases and movements, the sale price otherwise, or the price list's when
// it has one);
// the discount is the document's. Nothing when no article has that code.
std::optional<DraftRow> articleRow(const Database& db, const DocumentDraft& draft, const QString& code);
