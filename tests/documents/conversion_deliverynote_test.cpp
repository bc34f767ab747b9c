// Delivery notes become sales invoices (with their transport data) or return notes.
#include "creation_fixture.h"
#include "common/jetdate.h"

namespace {

const ColumnPairs InvoiceHeader = sameNames({"idCausaleDoc", "idEsercizio", "CausaleTrasp", "Colli", "Aspetto", "PesoKG",
                                             "idVett1", "NoteVett1", "idVett2", "NoteVett2", "idCliente", "DSCli",
                                             "Indirizzo", "Localita", "Stato", "PV", "CAP", "NoteDoc", "idPagamento",
                                             "idModPag", "idListino", "DtCons", "Porto", "ACura", "Zona", "idAgente",
                                             "PercSconto"})
                                  + totalsFrom("DDT", "LEURO", "FATVE", "LEURO");
const ColumnPairs InvoiceRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva", "Quantita",
                                           "PUnitLit", "PUnitEuro", "Sconto", "TotScontiLit", "TotScontiEuro",
                                           "ValoreLit", "ValoreEuro", "ImpostaLit", "ImpostaEuro", "TotRigaLit",
                                           "TotRigaEuro"});
const ColumnPairs ReturnHeader = sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc", "DtCons"})
                                 + ColumnPairs{{"TotRESOLire", "TotDDTLire"}, {"TotRESOLEURO", "TotDDTLEURO"}};
const ColumnPairs ReturnRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "Quantita",
                                          "PUnitLit", "PUnitEuro", "TotRigaLit", "TotRigaEuro"});

using DeliveryNoteConversion = CreationTest;

TEST_F(DeliveryNoteConversion, InvoiceTakesTransportCustomerPaymentAndTotalsWithTheMovementKeys)
{
    CreationRequest r = request(1, 1, 1);
    r.movementRequested = true;
    r.movementDate = typedDate(platform.todayDate);
    r.movementReason = "ven";
    r.reasonKind = "V";
    const CreationResult result = create(r);
    // The demo's first VEN movement holds number 1.
    EXPECT_EQ(result.movementNumber, 2);
    expectDocument(result, "FATVE", r, InvoiceHeader, InvoiceRows,
                   {{"MMDataReg", stored(platform.todayDate)}, {"MMidCausaleDoc", "ven"}, {"MMNumInt", qlonglong(2)}});

    const QSqlRecord invoice = header("FATVETes", platform.todayDate, result.newNumber);
    EXPECT_EQ(invoice.value("TotFATVELire").toDouble(), 383832.0);
    EXPECT_EQ(invoice.value("Colli").toInt(), 3);
    EXPECT_EQ(invoice.value("idVett1").toString(), "V01");
}

TEST_F(DeliveryNoteConversion, ReturnNoteTakesOnlyReasonCustomerNotesDeliveryDateAndTotal)
{
    const CreationRequest r = request(1, 10, 1);
    const CreationResult result = create(r);
    expectDocument(result, "RESO", r, ReturnHeader, ReturnRows);

    // No VAT code, discount, value or tax on the rows, whatever the delivery note's rows hold.
    for (const QSqlRecord& row : rows("RESORig", platform.todayDate, result.newNumber)) {
        for (const char* column : {"CdIva", "Sconto", "TotScontiLit", "TotScontiEuro", "ValoreLit", "ValoreEuro",
                                   "ImpostaLit", "ImpostaEuro"})
            EXPECT_TRUE(row.value(column).isNull()) << column;
        EXPECT_FALSE(row.value("Quantita").isNull());
        EXPECT_FALSE(row.value("TotRigaLit").isNull());
    }
    EXPECT_EQ(header("RESOTes", platform.todayDate, result.newNumber).value("TotRESOLire").toDouble(), 383832.0);
}

TEST_F(DeliveryNoteConversion, RowsWithGapsAreRenumberedInTheirOrder)
{
    const CreationRequest r = request(1, 1, 3);
    const CreationResult result = create(r);
    expectDocument(result, "FATVE", r, InvoiceHeader, InvoiceRows);
    const QVector<QSqlRecord> created = rows("FATVERig", platform.todayDate, result.newNumber);
    ASSERT_EQ(created.size(), 3);
    EXPECT_EQ(created[0].value("idArticolo").toString(), "ART004");
    EXPECT_EQ(created[1].value("idArticolo").toString(), "ART007");
    EXPECT_EQ(created[2].value("idArticolo").toString(), "ART002");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(created[i].value("Riga").toInt(), i + 1);
}

} // namespace
