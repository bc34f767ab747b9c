// A quotation becomes a sales invoice, a delivery note or a customer order with the same columns;
// only the names of the totals differ.
#include "creation_fixture.h"

namespace {

const ColumnPairs QuotationHeader = sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "DSCli", "Indirizzo",
                                               "Localita", "Stato", "PV", "CAP", "NoteDoc", "idListino", "PercSconto"});
const ColumnPairs QuotationRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva",
                                             "Quantita", "PUnitLit", "PUnitEuro", "Sconto", "TotScontiLit",
                                             "TotScontiEuro", "ValoreLit", "ValoreEuro", "ImpostaLit", "ImpostaEuro",
                                             "TotRigaLit", "TotRigaEuro"});

using QuotationConversion = CreationTest;

TEST_F(QuotationConversion, EveryTargetTakesTheSameColumnsAndNoPaymentOrAgent)
{
    // Quotation 2 carries payment terms, method and agent: none of them goes over.
    const QVector<QPair<qint16, QString>> targets{{1, "FATVE"}, {2, "FATVE"}, {5, "DDT"}, {8, "ORDVE"}};
    for (const auto& [type, code] : targets) {
        SCOPED_TRACE(type);
        const CreationRequest r = request(3, type, 2);
        const CreationResult result = create(r);
        expectDocument(result, code, r, QuotationHeader + totalsFrom("PREV", "LEURO", code, "LEURO"), QuotationRows);
        const QSqlRecord created = header(code + "Tes", platform.todayDate, result.newNumber);
        for (const char* column : {"idPagamento", "idModPag", "idAgente", "DtCons", "CausaleTrasp"})
            EXPECT_TRUE(created.value(column).isNull()) << column;
    }
}

TEST_F(QuotationConversion, CustomerOrderHasTheQuotationTotals)
{
    const CreationRequest r = request(3, 8, 1);
    const CreationResult result = create(r);
    expectDocument(result, "ORDVE", r, QuotationHeader + totalsFrom("PREV", "LEURO", "ORDVE", "LEURO"), QuotationRows);
    const QSqlRecord order = header("ORDVETes", platform.todayDate, result.newNumber);
    EXPECT_EQ(order.value("TotORDVELire").toDouble(), 783300.0);
    EXPECT_EQ(order.value("TotORDVELEURO").toDouble(), 404.54);
}

} // namespace
