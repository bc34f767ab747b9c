#include "documentdraft.h"
#include "documentkinds.h"
#include "documentrecords.h"
#include "common/jetdate.h"

#include <QSqlRecord>

namespace {

// The columns of a header a draft keeps by name (the rest are the draft's own members or totals).
bool keptInHeader(const QString& column)
{
    static const QStringList own = {"DataReg", "NumInt", "Numero", "idCausaleDoc", "idEsercizio", "idCliente",
                                    "idFornitore", "MMDataReg", "MMidCausaleDoc", "MMNumInt", "TipoFattura",
                                    "FatturaPANome", "FatturaPAData"};
    return !own.contains(column) && !column.startsWith(QLatin1String("Impon"))
           && !column.startsWith(QLatin1String("Imposta")) && !column.startsWith(QLatin1String("Tot"));
}

} // namespace

QString storedVariant(DocumentVariant variant)
{
    switch (variant) {
    case DocumentVariant::ProForma: return QStringLiteral("PF");
    case DocumentVariant::Service: return QStringLiteral("FS");
    case DocumentVariant::DebitNote: return QStringLiteral("ND");
    case DocumentVariant::Ordinary: break;
    }
    return {};
}

DocumentVariant variantOf(const QString& stored)
{
    for (DocumentVariant v : {DocumentVariant::ProForma, DocumentVariant::Service, DocumentVariant::DebitNote})
        if (stored.compare(storedVariant(v), Qt::CaseInsensitive) == 0)
            return v;
    return DocumentVariant::Ordinary;
}

bool carriesTransport(const QString& kindCode)
{
    return kindCode == QLatin1String("DDT") || kindCode == QLatin1String("FATVE") || kindCode == QLatin1String("RESO");
}

std::optional<DocumentDraft> readDraft(const Database& db, const QString& kindCode, const QDate& dataReg, qint32 numInt)
{
    const DocumentKind* kind = documentKind(kindCode);
    if (!kind)
        return std::nullopt;
    DocumentDraft draft;
    draft.kindCode = kindCode;
    {
        Rows h = db.select(documentSelection(kind->headerTable, dataReg, numInt));
        if (!h.next())
            return std::nullopt;
        const QSqlRecord r = h.record();
        for (int i = 0; i < r.count(); ++i)
            if (keptInHeader(r.fieldName(i)) && !r.isNull(i))
                draft.header.insert(r.fieldName(i), r.value(i));
        draft.date = draft.savedDate = storedDate(r.value("DataReg"));
        draft.numInt = numInt;
        draft.fiscalYear = r.value("idEsercizio").toString();
        draft.reason = r.value("idCausaleDoc").toString();
        draft.movementReason = r.value("MMidCausaleDoc").toString();
        draft.counterpartId = r.value(kind->supplierCounterpart ? "idFornitore" : "idCliente").toLongLong();
        draft.variant = variantOf(r.value("TipoFattura").toString());
    }
    if (draft.counterpartId) {
        JetQuery q("SELECT Codice FROM ");
        q << Jet::identifier(kind->supplierCounterpart ? "Fornitori" : "Clienti") << " WHERE id = "
          << Jet::number(draft.counterpartId);
        Rows c = db.select(q);
        if (c.next())
            draft.counterpartCode = c.value(0).toString();
    }
    Rows r = db.select(documentRowsSelection(kind->rowsTable, dataReg, numInt));
    // Columns are found by name once: on a server, naming them row by row costs more than the rows.
    const QSqlRecord columns = r.record();
    const int article = columns.indexOf("idArticolo"), description = columns.indexOf("Descrizione"),
              unit = columns.indexOf("UM"), vat = columns.indexOf("CdIva"), deposit = columns.indexOf("Deposito"),
              quantity = columns.indexOf("Quantita"), euro = columns.indexOf("PUnitEuro"), lire = columns.indexOf("PUnitLit"),
              discount = columns.indexOf("Sconto");
    while (r.next())
        draft.rows << DraftRow{r.value(article).toString(),      r.value(description).toString(),
                               r.value(unit).toString(),         r.value(vat).toString(),
                               r.value(deposit).toString(),      r.value(quantity).toDouble(),
                               r.value(euro).toDouble(),         r.value(lire).toDouble(),
                               r.value(discount).toDouble()};
    return draft;
}

bool fillCounterpart(const Database& db, DocumentDraft& draft, const QString& code)
{
    const DocumentKind* kind = documentKind(draft.kindCode);
    const bool supplier = kind && kind->supplierCounterpart;
    JetQuery q("SELECT * FROM ");
    q << Jet::identifier(supplier ? "Fornitori" : "Clienti") << " WHERE Codice = " << Jet::text(code.trimmed());
    Rows found = db.select(q);
    if (code.trimmed().isEmpty() || !found.next())
        return false;
    const QSqlRecord m = found.record();
    draft.counterpartCode = m.value("Codice").toString();
    draft.counterpartId = m.value("id").toLongLong();
    // Document column <- master column; a supplier has no price list, agent, discount or zone.
    const std::pair<const char*, const char*> copied[] = {
        {supplier ? "DSFor" : "DSCli", "Denominazione"},
        {"Indirizzo", "Indirizzo1"}, {"Localita", "Localita1"}, {"Stato", "idStato1"}, {"PV", "idPV1"},
        {"CAP", "idCAP1"}, {"idPagamento", "idPagamento"}, {"idModPag", "idModPag"}, {"idListino", "idListino"},
        {"idAgente", "idAgente"}, {"PercSconto", "Sconto"}, {"Zona", "idZona"}};
    for (const auto& [to, from] : copied) {
        const QString column = QString::fromLatin1(to);
        if (m.indexOf(QLatin1String(from)) < 0 || m.isNull(QLatin1String(from)))
            draft.header.remove(column);
        else
            draft.header.insert(column, m.value(QLatin1String(from)));
    }
    return true;
}

std::optional<DraftRow> articleRow(const Database& db, const DocumentDraft& draft, const QString& code)
{
    const DocumentKind* kind = documentKind(draft.kindCode);
    const bool purchase = kind && kind->supplierCounterpart;
    Rows a = db.select(JetQuery("SELECT Codice, Descrizione, UM, CdIva, idDeposito, PrezzoVen, PrezzoVenEuro, PrezzoAcq, "
                                "PrezzoAcqEuro FROM Articoli WHERE Codice = ")
                       << Jet::text(code.trimmed()));
    if (code.trimmed().isEmpty() || !a.next())
        return std::nullopt;
    DraftRow row;
    row.article = a.value(0).toString();
    row.description = a.value(1).toString();
    row.unit = a.value(2).toString();
    row.vatCode = a.value(3).toString();
    row.deposit = a.value(4).toString();
    row.priceLire = a.value(purchase ? 7 : 5).toDouble();
    row.priceEuro = a.value(purchase ? 8 : 6).toDouble();
    row.quantity = 0;
    row.discount = draft.header.value(QStringLiteral("PercSconto")).toDouble();
    const QString list = draft.header.value(QStringLiteral("idListino")).toString();
    if (!purchase && !list.isEmpty()) {
        Rows p = db.select(JetQuery("SELECT Prezzo, PrezzoEuro FROM ListiniPrezzi WHERE idListino = ")
                           << Jet::text(list) << " AND idArticolo = " << Jet::text(row.article));
        if (p.next()) {
            row.priceLire = p.value(0).toDouble();
            row.priceEuro = p.value(1).toDouble();
        }
    }
    return row;
}
