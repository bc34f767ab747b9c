#include "moduleviews.h"
#include "common/datacontrol.h"
#include "common/jetdate.h"
#include "documents/documentdraft.h"
#include "documents/documentkinds.h"

#include <stdexcept>

// A pro-forma invoice is no sale: statistics, agents and due dates leave it out.
#define NOT_PRO_FORMA "(t.TipoFattura IS NULL OR t.TipoFattura <> 'PF')"

// Stock: loads add, unloads subtract, other reasons leave it. A macro, so that it joins the
// fixed text of the queries below.
#define SIGNED_QUANTITY "SUM(CASE r.Segno WHEN '+' THEN r.Quantita WHEN '-' THEN -r.Quantita ELSE 0 END)"

BrowserSpec documentsView(const QString& kindCode, const QString& title, DocumentVariant variant)
{
    const DocumentKind* kind = documentKind(kindCode);
    if (!kind)
        throw std::invalid_argument("unknown document kind");
    const bool purchase = kind->supplierCounterpart;
    const QString totalLire = kind->totals.totalLire;
    const QString totalEuro = kind->totals.totalEuro;
    BrowserSpec spec;
    spec.title = title;
    spec.rows << "SELECT DataReg, NumInt, Numero, idEsercizio, idCausaleDoc, DSCli, DSFor, "
              << Jet::identifier(totalLire) << " AS TotaleLire, " << Jet::identifier(totalEuro)
              << " AS TotaleEuro FROM " << Jet::identifier(kind->headerTable);
    // Sales invoices and notes: each screen lists its own variant.
    if (kind->code == QLatin1String("FATVE") || kind->code == QLatin1String("FATNC")) {
        if (const QString stored = storedVariant(variant); stored.isEmpty())
            spec.rows << " WHERE TipoFattura IS NULL";
        else
            spec.rows << " WHERE TipoFattura = " << Jet::text(stored);
    }
    spec.rows.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("DataReg")}, {QStringLiteral("NumInt")}});
    // A sale names its customer, a purchase its supplier.
    spec.rowsLayout = purchase ? QStringLiteral("DocumentiAcquisto") : QStringLiteral("Documenti");
    const QString rowsTable = kind->rowsTable;
    spec.details = [rowsTable](const DataControl& picked) {
        JetQuery q;
        q << "SELECT * FROM " << Jet::table(rowsTable) << " WHERE DataReg = "
          << Jet::date(storedDate(picked.recordset().value(QStringLiteral("DataReg")))) << " AND NumInt = "
          << Jet::number(picked.recordset().value(QStringLiteral("NumInt")).toLongLong());
        return q.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Riga")}});
    };
    spec.detailsLayout = QStringLiteral("RigheDocumento");
    spec.detailsCaption = QStringLiteral("Righe del Documento");
    spec.documentKind = kind->code;
    spec.variant = variant;
    return spec;
}

BrowserSpec movementsView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    spec.rows = JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("MovMagTes"));
    spec.rows.orderBy(QStringLiteral(" ORDER BY "),
                      {{QStringLiteral("DataReg")}, {QStringLiteral("idCausale")}, {QStringLiteral("NumInt")}});
    spec.rowsLayout = QStringLiteral("MovimentiTestata");
    spec.details = [](const DataControl& picked) {
        const Recordset& m = picked.recordset();
        JetQuery q;
        q << "SELECT * FROM " << Jet::table(QStringLiteral("MovMagRig")) << " WHERE idEsercizio = "
          << Jet::text(m.value(QStringLiteral("idEsercizio")).toString()) << " AND idCausale = "
          << Jet::text(m.value(QStringLiteral("idCausale")).toString())
          << " AND NumInt = " << Jet::number(m.value(QStringLiteral("NumInt")).toLongLong());
        return q.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Riga")}});
    };
    spec.detailsLayout = QStringLiteral("MovimentiRighe");
    spec.detailsCaption = QStringLiteral("Righe del Movimento");
    return spec;
}

BrowserSpec stockView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    spec.rows = JetQuery("SELECT r.idArticolo AS Articolo, a.Descrizione AS Descrizione, r.Deposito AS Deposito, "
                         SIGNED_QUANTITY " AS Giacenza FROM MovMagRig r LEFT JOIN Articoli a ON a.Codice = r.idArticolo "
                         "GROUP BY r.idArticolo, r.Deposito");
    spec.rows.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Articolo"), true}, {QStringLiteral("Deposito"), true}});
    spec.rowsLayout = QStringLiteral("Giacenze");
    return spec;
}

BrowserSpec inventoryView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    spec.rows = JetQuery("SELECT r.idArticolo AS Articolo, a.Descrizione AS Descrizione, r.Deposito AS Deposito, "
                         SIGNED_QUANTITY " AS Giacenza, "
                         SIGNED_QUANTITY " * a.PrezzoAcq AS ValoreLire, "
                         SIGNED_QUANTITY " * a.PrezzoAcqEuro AS ValoreEuro "
                         "FROM MovMagRig r LEFT JOIN Articoli a ON a.Codice = r.idArticolo "
                         "GROUP BY r.idArticolo, r.Deposito");
    spec.rows.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Articolo"), true}, {QStringLiteral("Deposito"), true}});
    spec.rowsLayout = QStringLiteral("Inventario");
    return spec;
}

BrowserSpec salesByCustomerView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    // Customers are named by their code and name, not by their internal key.
    spec.rows = JetQuery("SELECT c.Codice AS Codice, COALESCE(c.Denominazione, t.DSCli) AS Denominazione, "
                         "COUNT(*) AS Documenti, SUM(t.TotFATVELire) AS TotaleLire, SUM(t.TotFATVELEURO) AS TotaleEuro, "
                         "t.idCliente AS idCliente FROM FATVETes t LEFT JOIN Clienti c ON c.id = t.idCliente "
                         "WHERE " NOT_PRO_FORMA " GROUP BY t.idCliente");
    spec.rows.orderBy(QStringLiteral(" ORDER BY "),
                      {{QStringLiteral("Denominazione"), true}, {QStringLiteral("idCliente"), true}});
    spec.rowsLayout = QStringLiteral("Statistiche");
    return spec;
}

BrowserSpec salesByAgentView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    spec.rows = JetQuery("SELECT t.idAgente AS Agente, a.Denominazione AS Denominazione, COUNT(*) AS Documenti, "
                         "SUM(t.TotFATVELire) AS TotaleLire, SUM(t.TotFATVELEURO) AS TotaleEuro, "
                         "SUM(t.TotFATVELire * a.ProvvAg / 100) AS ProvvigioneLire, "
                         "SUM(t.TotFATVELEURO * a.ProvvAg / 100) AS ProvvigioneEuro "
                         "FROM FATVETes t LEFT JOIN Agenti a ON a.Codice = t.idAgente "
                         "WHERE " NOT_PRO_FORMA " GROUP BY t.idAgente");
    spec.rows.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Agente"), true}});
    spec.rowsLayout = QStringLiteral("RiepilogoAgenti");
    return spec;
}

BrowserSpec dueDatesView(const QString& title)
{
    BrowserSpec spec;
    spec.title = title;
    spec.rows = JetQuery("SELECT t.DataReg AS DataReg, t.NumInt AS NumInt, t.Numero AS Numero, t.DSCli AS DSCli, "
                         "t.idModPag AS idModPag, m.\"Desc\" AS Pagamento, t.TotFATVELire AS TotaleLire, "
                         "t.TotFATVELEURO AS TotaleEuro FROM FATVETes t LEFT JOIN ModPag m ON m.Codice = t.idModPag "
                         "WHERE " NOT_PRO_FORMA);
    spec.rows.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("DataReg")}, {QStringLiteral("NumInt")}});
    spec.rowsLayout = QStringLiteral("Scadenziario");
    return spec;
}
