#include "documentreader.h"
#include "documentamounts.h"
#include "documentkinds.h"
#include "documentrecords.h"
#include "duedates.h"
#include "common/jetdate.h"

#include <QSqlRecord>

namespace {

// Columns are looked up by name; one an older archive lacks reads as Null.
QVariant column(const QSqlRecord& row, const char* name)
{
    const int i = row.indexOf(QLatin1String(name));
    return i < 0 ? QVariant() : row.value(i);
}

QString text(const QSqlRecord& row, const char* name)
{
    return column(row, name).toString().trimmed();
}

std::optional<double> number(const QSqlRecord& row, const char* name)
{
    const QVariant v = column(row, name);
    return v.isNull() || !v.isValid() ? std::nullopt : std::optional<double>(v.toDouble());
}

QSqlRecord firstRow(const Database& db, const JetQuery& query)
{
    Rows q = db.select(query);
    return q.next() ? q.record() : QSqlRecord();
}

QString orElse(const QString& first, const QString& second)
{
    return first.isEmpty() ? second : first;
}

CompanyBlock readCompany(const Database& user)
{
    const QSqlRecord a = firstRow(user, (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Azienda")) << " ORDER BY id"));
    CompanyBlock c;
    c.name = text(a, "Denominazione");
    c.address = text(a, "Indirizzo");
    c.postalCode = text(a, "CAP");
    c.town = text(a, "Localita");
    c.province = text(a, "Pv");
    c.country = text(a, "Stato");
    c.vatNumber = text(a, "PIVA");
    c.fiscalCode = text(a, "CodFisc");
    c.phone = text(a, "Telefono1");
    c.fax = text(a, "FAX");
    c.chamberPlace = text(a, "LuogoCCIAA");
    c.chamberNumber = text(a, "NumCCIAA");
    c.logoPath = text(a, "PathImg");
    if (c.logoPath == QLatin1String("0"))
        c.logoPath.clear();
    c.documentFolder = text(a, "Path");
    c.baseCurrency = text(a, "ValutaBase");
    c.fiscalRegime = text(a, "RegimeFiscale");
    c.books = booksOf(c.baseCurrency, column(a, "CambioEuro").toDouble());
    return c;
}

// The counterpart as the document names it, completed from its master record.
PartyBlock readParty(const Database& data, const QSqlRecord& header, bool supplier)
{
    JetQuery q(supplier ? (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Fornitori")) << " WHERE id = ") : (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Clienti")) << " WHERE id = "));
    const QVariant id = column(header, supplier ? "idFornitore" : "idCliente");
    QSqlRecord m;
    if (!id.isNull())
        m = firstRow(data, q << Jet::number(id.toLongLong()));
    PartyBlock p;
    p.found = !m.isEmpty();
    p.code = text(m, "Codice");
    p.name = orElse(text(header, supplier ? "DSFor" : "DSCli"), text(m, "Denominazione"));
    p.address = orElse(text(header, "Indirizzo"), text(m, "Indirizzo1"));
    p.town = orElse(text(header, "Localita"), text(m, "Localita1"));
    p.country = orElse(text(header, "Stato"), text(m, "idStato1"));
    p.province = orElse(text(header, "PV"), text(m, "idPV1"));
    p.postalCode = orElse(text(header, "CAP"), text(m, "idCAP1"));
    p.vatNumber = text(m, "Piva");
    p.fiscalCode = text(m, "CodFiscale");
    p.recipientCode = text(m, "CodiceDestinatario");
    p.pec = text(m, "PECDestinatario");
    return p;
}

QString carrierName(const Database& data, const QString& code)
{
    if (code.isEmpty())
        return {};
    const QSqlRecord v = firstRow(data, JetQuery("SELECT Denominazione FROM Vettori WHERE Codice = ") << Jet::text(code));
    return orElse(text(v, "Denominazione"), code);
}

TransportData readTransport(const Database& data, const QSqlRecord& h)
{
    TransportData t;
    t.reason = text(h, "CausaleTrasp");
    t.appearance = text(h, "Aspetto");
    t.carrier1 = carrierName(data, text(h, "idVett1"));
    t.carrier1Notes = text(h, "NoteVett1");
    t.carrier2 = carrierName(data, text(h, "idVett2"));
    t.carrier2Notes = text(h, "NoteVett2");
    t.porto = text(h, "Porto");
    t.aCura = text(h, "ACura");
    if (const auto packages = number(h, "Colli"))
        t.packages = int(*packages);
    t.weightKg = number(h, "PesoKG");
    t.deliveryDate = storedDate(column(h, "DtCons"));
    t.deliveryTime = text(h, "OraCons");
    return t;
}

std::optional<PaymentTerm> readPayment(const Database& data, const QSqlRecord& h)
{
    PaymentTerm p;
    p.code = text(h, "idPagamento");
    p.method = text(h, "idModPag");
    if (p.code.isEmpty() && p.method.isEmpty())
        return std::nullopt;
    if (!p.code.isEmpty()) {
        const QSqlRecord m = firstRow(data, (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("ModPag")) << " WHERE Codice = ") << Jet::text(p.code));
        p.description = text(m, "Desc");
        p.instalments = column(m, "Rate").toInt();
        p.monthEnd = column(m, "FineMese").toInt() != 0;
        for (int k = 1; k <= 12; ++k) {
            const QByteArray name = "Scad" + QByteArray::number(k);
            const QVariant days = column(m, name.constData());
            if (days.isNull() || !days.isValid())
                break;
            p.days << days.toInt();
        }
    }
    if (!p.method.isEmpty()) {
        const QSqlRecord t = firstRow(data, (JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("tipopag")) << " WHERE Codice = ") << Jet::text(p.method));
        p.methodDescription = text(t, "Desc");
        p.methodEInvoiceCode = text(t, "ModalitaPagamento");
    }
    return p;
}

// The rows as priced in the company's books; every amount is then computed from them.
QVector<PricedRow> readRows(const Database& data, const DocumentKind& kind, PrintableDocument& doc)
{
    Rows q = data.select(documentRowsSelection(kind.rowsTable, doc.date, doc.numInt));
    const QSqlRecord shape = q.record();
    const auto at = [&](const char* name) { return shape.indexOf(QLatin1String(name)); };
    const int riga = at("Riga"), article = at("idArticolo"), description = at("Descrizione"), unit = at("UM");
    const auto cell = [&](int i) { return i < 0 ? QVariant() : q.value(i); };
    const PricedRowReader priced(shape, doc.company.books.currency);
    QVector<PricedRow> rows;
    while (q.next()) {
        const PricedRow p = priced.read(q);
        DocumentRow r;
        r.riga = cell(riga).toInt();
        r.article = cell(article).toString().trimmed();
        r.description = cell(description).toString().trimmed();
        r.unit = cell(unit).toString().trimmed();
        r.vatCode = p.vatCode;
        r.quantity = p.quantity;
        r.discount = p.discountPercent;
        doc.rows.append(std::move(r));
        rows << p;
    }
    return rows;
}

void computeAmounts(const DocumentKind& kind, const QVector<PricedRow>& rows, PrintableDocument& doc)
{
    const DocumentAmounts amounts = computeDocumentAmounts(rows, doc.vatCodes, doc.company.books);
    for (int i = 0; i < doc.rows.size(); ++i)
        doc.rows[i].amounts = amounts.rows[i];
    doc.vatSummary = amounts.byCode;
    doc.totals.hasTaxBreakdown = kind.totals.hasTaxBreakdown();
    doc.totals.taxable = amounts.taxable;
    doc.totals.tax = amounts.tax;
    doc.totals.total = amounts.total;
}

} // namespace

bool TransportData::isEmpty() const
{
    return reason.isEmpty() && appearance.isEmpty() && carrier1.isEmpty() && !packages && !weightKg;
}

QString documentTitle(const QString& kindCode, DocumentVariant variant, bool carriesTransport)
{
    if (kindCode == QLatin1String("FATVE")) {
        if (variant == DocumentVariant::ProForma)
            return QStringLiteral("Fattura Proforma");
        // Both invoices are stored alike: the one that travels with the goods carries their transport.
        return carriesTransport ? QStringLiteral("Fattura Accompagnatoria") : QStringLiteral("Fattura Immediata");
    }
    if (kindCode == QLatin1String("FATNC"))
        return variant == DocumentVariant::DebitNote ? QStringLiteral("Nota di Debito") : QStringLiteral("Nota di Credito");
    static const QHash<QString, QString> titles = {
        {QStringLiteral("FATAC"), QStringLiteral("Fattura di Acquisto")},
        {QStringLiteral("DDT"), QStringLiteral("Documento di Trasporto")},
        {QStringLiteral("PREV"), QStringLiteral("Preventivo")},
        {QStringLiteral("ORDVE"), QStringLiteral("Ordine Cliente")},
        {QStringLiteral("ORDAC"), QStringLiteral("Ordine Fornitore")},
        {QStringLiteral("RESO"), QStringLiteral("Bolla di Reso")},
    };
    return titles.value(kindCode, kindCode);
}

std::optional<PrintableDocument> readPrintableDocument(const Database& data, const Database& user,
                                                       const QString& kindCode, DocumentVariant variant,
                                                       const QDate& dataReg, qint32 numInt)
{
    const DocumentKind* kind = documentKind(kindCode);
    if (!kind)
        return std::nullopt;
    const QSqlRecord h = firstRow(data, documentSelection(kind->headerTable, dataReg, numInt));
    if (h.isEmpty())
        return std::nullopt;

    PrintableDocument doc;
    doc.kindCode = kind->code;
    doc.variant = variant;
    doc.date = storedDate(column(h, "DataReg"));
    doc.numInt = numInt;
    const QVariant number = column(h, "Numero");
    doc.number = number.isNull() ? QString::number(numInt) : QString::number(number.toLongLong());
    doc.supplierCounterpart = kind->supplierCounterpart;
    doc.company = readCompany(user);
    doc.counterpart = readParty(data, h, kind->supplierCounterpart);
    doc.transport = readTransport(data, h);
    const bool carriesTransport = !doc.transport.isEmpty();
    doc.showTransport = kind->code == QLatin1String("DDT") || (kind->code == QLatin1String("FATVE") && carriesTransport);
    doc.title = documentTitle(kind->code, variant, carriesTransport);
    doc.notes = text(h, "NoteDoc");
    const QVector<PricedRow> rows = readRows(data, *kind, doc);
    doc.vatCodes = readVatTable(data);
    computeAmounts(*kind, rows, doc);
    doc.payment = readPayment(data, h);
    if (doc.payment)
        doc.instalments = dueDates(*doc.payment, doc.date, doc.totals.total.euro);
    return doc;
}
