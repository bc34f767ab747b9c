#include "documentsave.h"
#include "documentkinds.h"
#include "documentreader.h"
#include "documentamounts.h"
#include "draftchecks.h"
#include "invoicebook.h"
#include "common/jetdate.h"
#include "common/transaction.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace {

[[noreturn]] void refuse(const QString& sentence)
{
    throw DatabaseError(DatabaseError::Kind::Refused, sentence);
}

QStringList tableColumns(const Database& db, const QString& table)
{
    QStringList names;
    Rows none = db.select(JetQuery("SELECT * FROM ") << Jet::identifier(table) << " WHERE 1 = 0");
    const QSqlRecord r = none.record();
    for (int i = 0; i < r.count(); ++i)
        names << r.fieldName(i);
    return names;
}

// Inserts one record of the values whose columns the table has.
class Insert
{
public:
    Insert(const Database& db, const QString& table, const QStringList& columns) : m_db(db)
    {
        const QStringList held = tableColumns(db, table);
        for (const QString& c : columns)
            if (held.contains(c, Qt::CaseInsensitive))
                m_columns << c;
        QStringList quoted, marks;
        for (const QString& c : std::as_const(m_columns)) {
            quoted << db.quotedName(c);
            marks << QStringLiteral("?");
        }
        m_query = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(db.quotedName(table), quoted.join(u','), marks.join(u',')));
    }
    void run(const QHash<QString, QVariant>& values)
    {
        for (int i = 0; i < m_columns.size(); ++i)
            m_query.bindValue(i, values.value(m_columns[i]));
        m_db.run(m_query);
    }

private:
    Database m_db;
    QStringList m_columns;
    QSqlQuery m_query;
};

struct Stored
{
    QString fiscalYear, movementReason;
    qint32 movementNumber = 0;
};

std::optional<Stored> storedHeader(const Database& db, const DocumentKind& kind, const QDate& dataReg, qint32 numInt)
{
    JetQuery q("SELECT idEsercizio, MMidCausaleDoc, MMNumInt FROM ");
    q << Jet::identifier(kind.headerTable) << " WHERE DataReg = " << Jet::date(dataReg) << " AND NumInt = "
      << Jet::number(numInt);
    Rows h = db.select(q);
    if (!h.next())
        return std::nullopt;
    return Stored{h.value(0).toString(), h.value(1).toString(), h.value(2).toInt()};
}

// The header, the rows and the movement of a saved document.
void removeDocument(const Database& db, const DocumentKind& kind, const QDate& dataReg, qint32 numInt,
                    const Stored& stored)
{
    if (!stored.movementReason.isEmpty() && stored.movementNumber) {
        for (const char* table : {"MovMagRig", "MovMagTes"})
            db.execute(JetQuery("DELETE FROM ")
                       << Jet::identifier(QString::fromLatin1(table)) << " WHERE idEsercizio = "
                       << Jet::text(stored.fiscalYear) << " AND idCausale = " << Jet::text(stored.movementReason)
                       << " AND NumInt = " << Jet::number(stored.movementNumber));
    }
    for (const QString& table : {kind.rowsTable, kind.headerTable})
        db.execute(JetQuery("DELETE FROM ") << Jet::identifier(table) << " WHERE DataReg = " << Jet::date(dataReg)
                                            << " AND NumInt = " << Jet::number(numInt));
}

// What a priced row stores besides its value: its discount and its own tax, in both currencies.
struct RowFigures
{
    Amounts discount, tax;
};

RowFigures rowFigures(const PricedRow& row, const Amounts& value, const QHash<QString, VatCode>& vat, const Books& books)
{
    RowFigures f;
    const Money gross = rowAmount(*row.quantity, *row.unitPrice, Decimal(), books.currency);
    f.discount.in(books.currency) = gross - value.in(books.currency);
    f.discount.in(books.other()) = converted(gross, books.other(), books.lirePerEuro) - value.in(books.other());
    const Decimal rate = vat.value(row.vatCode.toUpper()).rate;
    f.tax.euro = percentOf(value.euro, rate);
    f.tax.lire = percentOf(value.lire, rate);
    return f;
}

void writeRows(const Database& db, const DocumentKind& kind, const DocumentDraft& draft, qint32 numInt,
               const DocumentAmounts& amounts, const QHash<QString, VatCode>& vat, const Books& books)
{
    static const QStringList columns = {"DataReg", "NumInt", "Riga", "Deposito", "TipoRiga", "idArticolo", "Descrizione",
                                        "UM", "CdIva", "Quantita", "PUnitLit", "PUnitEuro", "Sconto", "TotScontiLit",
                                        "TotScontiEuro", "ValoreLit", "ValoreEuro", "ImpostaLit", "ImpostaEuro",
                                        "TotRigaLit", "TotRigaEuro"};
    // The columns this kind's rows table has, in the order above: values are bound by position,
    // since a document may hold thousands of rows.
    const QStringList held = tableColumns(db, kind.rowsTable);
    QVector<int> present;
    QStringList quoted, marks;
    for (int c = 0; c < columns.size(); ++c)
        if (held.contains(columns[c], Qt::CaseInsensitive)) {
            present << c;
            quoted << db.quotedName(columns[c]);
            marks << QStringLiteral("?");
        }
    QSqlQuery insert = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(db.quotedName(kind.rowsTable), quoted.join(u','), marks.join(u',')));
    const QVariant date = draft.date.toString(Qt::ISODate), none;
    QVariant values[21];
    for (int i = 0; i < draft.rows.size(); ++i) {
        const DraftRow& row = draft.rows[i];
        const bool text = row.isText();
        const Amounts& value = amounts.rows[i].amount;
        const RowFigures f = text ? RowFigures{} : rowFigures(pricedRow(row, books.currency), value, vat, books);
        const auto amount = [&](const QVariant& v) { return text ? none : v; };
        values[0] = date;
        values[1] = numInt;
        values[2] = i + 1;
        values[3] = text ? none : QVariant(row.deposit);
        values[4] = text ? QStringLiteral("D") : QStringLiteral("A");
        values[5] = text ? none : QVariant(row.article);
        values[6] = row.description;
        values[7] = text ? none : QVariant(row.unit);
        values[8] = text ? none : QVariant(row.vatCode);
        values[9] = amount(row.quantity);
        values[10] = amount(row.priceLire);
        values[11] = amount(row.priceEuro);
        values[12] = amount(row.discount);
        values[13] = amount(f.discount.lire.toDouble());
        values[14] = amount(f.discount.euro.toDouble());
        values[15] = amount(value.lire.toDouble());
        values[16] = amount(value.euro.toDouble());
        values[17] = amount(f.tax.lire.toDouble());
        values[18] = amount(f.tax.euro.toDouble());
        values[19] = amount((value.lire + f.tax.lire).toDouble());
        values[20] = amount((value.euro + f.tax.euro).toDouble());
        for (int p = 0; p < present.size(); ++p)
            insert.bindValue(p, values[present[p]]);
        db.run(insert);
    }
}

void writeHeader(const Database& db, const DocumentKind& kind, const DocumentDraft& draft, qint32 numInt,
                 const QString& fiscalYear, const DocumentAmounts& t, const PostedMovement& movement)
{
    QHash<QString, QVariant> v = draft.header;
    const TotalColumns& c = kind.totals;
    v.insert({{"DataReg", draft.date.toString(Qt::ISODate)}, {"NumInt", numInt}, {"Numero", shownNumber(numInt)},
              {"idCausaleDoc", draft.reason.isEmpty() ? QVariant() : QVariant(draft.reason)},
              {"idEsercizio", fiscalYear},
              {kind.supplierCounterpart ? "idFornitore" : "idCliente", draft.counterpartId},
              {c.totalLire, t.total.lire.toDouble()}, {c.totalEuro, t.total.euro.toDouble()}});
    if (c.hasTaxBreakdown())
        v.insert({{c.taxableLire, t.taxable.lire.toDouble()}, {c.taxableEuro, t.taxable.euro.toDouble()},
                  {c.taxLire, t.tax.lire.toDouble()}, {c.taxEuro, t.tax.euro.toDouble()}});
    if (const QString variant = storedVariant(draft.variant); !variant.isEmpty())
        v.insert(QStringLiteral("TipoFattura"), variant);
    if (movement.number)
        v.insert({{"MMDataReg", draft.date.toString(Qt::ISODate)}, {"MMidCausaleDoc", draft.movementReason},
                  {"MMNumInt", movement.number}});
    Insert(db, kind.headerTable, v.keys()).run(v);
}

const DocumentKind& kindOf(const QString& code)
{
    const DocumentKind* kind = documentKind(code);
    if (!kind)
        refuse(QStringLiteral("Tipo di documento sconosciuto: ") + code);
    return *kind;
}

} // namespace

qint32 saveDraft(const DocumentSession& session, DocumentDraft& draft)
{
    const DocumentKind& kind = kindOf(draft.kindCode);
    const Database& db = session.archive;
    const QString fiscalYear = draft.fiscalYear.isEmpty() ? session.values.fiscalYear : draft.fiscalYear;
    DocumentDraft checked = draft;
    if (const auto refusal = checkDraft(db, checked, fiscalYear))
        refuse(refusal->message);
    const QHash<QString, VatCode> vat = readVatTable(db);
    const DocumentAmounts totals = draftAmounts(vat, checked, session.books);

    const qint32 number = inImmediateTransaction(db, [&] {
        qint32 numInt = checked.numInt;
        if (numInt) {
            const auto stored = storedHeader(db, kind, checked.savedDate, numInt);
            if (!stored)
                refuse(QStringLiteral("Il documento non è più nell'archivio: un'altra postazione lo ha eliminato."));
            if (const auto refusal = eInvoiceRefusal(db, kind, checked.savedDate, numInt))
                refuse(*refusal);
            removeDocument(db, kind, checked.savedDate, numInt, *stored);
        } else {
            numInt = checked.variant == DocumentVariant::ProForma
                         ? -session.numbering.nextNumber(QStringLiteral("*"), ProFormaNumerator, fiscalYear, kind.headerTable)
                         : session.numbering.nextNumber(QStringLiteral("*"), kind.code, fiscalYear, kind.headerTable);
        }
        if (const auto refusal = dateOrderRefusal(db, kind, fiscalYear, numInt, checked.date))
            refuse(*refusal);
        writeRows(db, kind, checked, numInt, totals, vat, session.books);
        PostedMovement movement;
        if (!checked.movementReason.isEmpty())
            movement = session.movements.PostStockMovement(
                {documentTitle(kind.code, checked.variant, carriesTransport(kind.code)), checked.date,
                 QString::number(shownNumber(numInt)), numInt, kind.rowsTable, typedDate(checked.date), checked.movementReason, {}});
        writeHeader(db, kind, checked, numInt, fiscalYear, totals, movement);
        return numInt;
    });
    draft = checked;
    draft.numInt = number;
    draft.savedDate = draft.date;
    draft.fiscalYear = fiscalYear;
    return number;
}

void deleteDocument(const DocumentSession& session, const QString& kindCode, const QDate& dataReg, qint32 numInt)
{
    const DocumentKind& kind = kindOf(kindCode);
    const Database& db = session.archive;
    inImmediateTransaction(db, [&] {
        const auto stored = storedHeader(db, kind, dataReg, numInt);
        if (!stored)
            return;
        if (const auto refusal = eInvoiceRefusal(db, kind, dataReg, numInt))
            refuse(*refusal);
        if (const auto refusal = deletionRefusal(db, kind, stored->fiscalYear, numInt))
            refuse(*refusal);
        removeDocument(db, kind, dataReg, numInt, *stored);
        if (keepsInvoiceBook(kind))
            giveNumberBack(db, kind, stored->fiscalYear, numInt);
    });
}
