// Credit notes from a sales invoice or a return note take the amounts as they are.
#include "creation_fixture.h"

namespace {

const ColumnPairs FromInvoiceHeader = sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "DSCli", "Indirizzo",
                                                 "Localita", "Stato", "PV", "CAP", "NoteDoc", "idPagamento", "idModPag",
                                                 "idAgente"})
                                      + totalsFrom("FATVE", "LEURO", "FATNC", "LEURO");
const ColumnPairs FromInvoiceRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva",
                                               "Quantita", "PUnitLit", "PUnitEuro", "ValoreLit", "ValoreEuro",
                                               "ImpostaLit", "ImpostaEuro", "TotRigaLit", "TotRigaEuro"});
const ColumnPairs FromReturnHeader = sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc"})
                                     + ColumnPairs{{"TotFATNCLire", "TotRESOLire"}, {"TotFATNCLEURO", "TotRESOLEURO"}};
const ColumnPairs FromReturnRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "Quantita",
                                              "PUnitLit", "PUnitEuro", "TotRigaLit", "TotRigaEuro"});

using CreditNoteConversion = CreationTest;

TEST_F(CreditNoteConversion, FromInvoiceKeepsPositiveAmounts)
{
    const CreationRequest r = request(4, 4, 1);
    const CreationResult result = create(r);
    expectDocument(result, "FATNC", r, FromInvoiceHeader, FromInvoiceRows);
    const QSqlRecord note = header("FATNCTes", platform.todayDate, result.newNumber);
    EXPECT_EQ(note.value("ImponFATNCLire").toDouble(), 385000.0);
    EXPECT_EQ(note.value("TotFATNCLire").toDouble(), 462000.0);
    EXPECT_EQ(note.value("ImponFATNCLEURO").toDouble(), 198.84);
    EXPECT_EQ(note.value("TotFATNCLEURO").toDouble(), 238.6);
    EXPECT_EQ(rows("FATNCRig", platform.todayDate, result.newNumber).first().value("TotRigaLit").toDouble(), 174000.0);
}

TEST_F(CreditNoteConversion, FromReturnNoteTakesTheTotalOnly)
{
    const CreationRequest r = request(5, 4, 1);
    const CreationResult result = create(r);
    expectDocument(result, "FATNC", r, FromReturnHeader, FromReturnRows);
    const QSqlRecord note = header("FATNCTes", platform.todayDate, result.newNumber);
    EXPECT_EQ(note.value("TotFATNCLire").toDouble(), 26600.0);
    EXPECT_EQ(note.value("TotFATNCLEURO").toDouble(), 13.74);
}

} // namespace
