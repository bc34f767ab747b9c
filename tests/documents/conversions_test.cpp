// Every conversion of a demo document: each column of the new header and rows is the source column
// the rule names, a value of the rule, or empty; amounts go over in lire and in euro as they are.
#include "creation_fixture.h"
#include "common/jetdate.h"

namespace {

const QStringList Customer{"idCliente", "DSCli", "Indirizzo", "Localita", "Stato", "PV", "CAP"};
const QStringList Payment{"idPagamento", "idModPag"};
const QStringList PurchaseRowColumns{"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva", "Quantita",
                                     "PUnitLit", "PUnitEuro", "ValoreLit", "ValoreEuro", "ImpostaLit", "ImpostaEuro",
                                     "TotRigaLit", "TotRigaEuro"};
const ColumnPairs PurchaseRows = sameNames(PurchaseRowColumns);
// Sales rows carry discounts too.
const ColumnPairs SalesRows = PurchaseRows + sameNames({"Sconto", "TotScontiLit", "TotScontiEuro"});
// Return notes' rows and credit notes from them carry no VAT, discount, value or tax.
const ColumnPairs BareRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "Quantita", "PUnitLit",
                                        "PUnitEuro", "TotRigaLit", "TotRigaEuro"});

// Supplier F001 of the demo as the supplier step copies it.
const QVariantMap SupplierF001{{"idFornitore", qlonglong(1)},        {"DSFor", "Utensileria Italiana S.p.A."},
                              {"Indirizzo", "Via Cassanese, 224"}, {"Localita", "SEGRATE"},
                              {"Stato", "IT"},                     {"PV", "MI"},
                              {"CAP", "20090"}};

struct Conversion
{
    const char* name;
    qint16 sourceType, targetType;
    qint32 sourceNumInt;
    QString targetCode;
    ColumnPairs header, rows;
    QVariantMap fixed = {};
    QString supplierCode = {}, supplierKey = {};
};

void PrintTo(const Conversion& c, std::ostream* os) { *os << c.name; }

ColumnPairs orderTo(const QString& code, const QStringList& more)
{
    return sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idListino"} + more)
           + totalsFrom("ORDVE", "LEURO", code, code == "FATAC" || code == "ORDAC" ? "EURO" : "LEURO");
}

ColumnPairs quotationTo(const QString& code)
{
    return sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idListino", "PercSconto"} + Customer)
           + totalsFrom("PREV", "LEURO", code, "LEURO");
}

// An order's customer as sales documents take it.
const QStringList OrderCustomer = Customer + Payment + QStringList{"idAgente", "PercSconto"};

const ColumnPairs InvoiceToCreditNote =
    sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idAgente"} + Customer + Payment)
    + totalsFrom("FATVE", "LEURO", "FATNC", "LEURO");

const ColumnPairs DeliveryNoteToInvoice =
    sameNames(QStringList{"idCausaleDoc", "idEsercizio", "CausaleTrasp", "Colli", "Aspetto", "PesoKG", "idVett1",
                          "NoteVett1", "idVett2", "NoteVett2", "NoteDoc", "idListino", "DtCons", "Porto", "ACura", "Zona",
                          "idAgente", "PercSconto"}
              + Customer + Payment)
    + totalsFrom("DDT", "LEURO", "FATVE", "LEURO");

const Conversion AllConversions[] = {
    {"DeliveryNoteToInvoice", 1, 1, 1, "FATVE", DeliveryNoteToInvoice, SalesRows},
    {"DeliveryNoteWithGapsInItsRows", 1, 1, 3, "FATVE", DeliveryNoteToInvoice, SalesRows},
    {"DeliveryNoteToReturnNote", 1, 10, 1, "RESO",
     sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc", "DtCons"})
         + ColumnPairs{{"TotRESOLire", "TotDDTLire"}, {"TotRESOLEURO", "TotDDTLEURO"}},
     BareRows},
    {"OrderToInvoice", 2, 1, 1, "FATVE", orderTo("FATVE", OrderCustomer), SalesRows},
    {"OrderWithEmptyColumnsToInvoice", 2, 1, 2, "FATVE", orderTo("FATVE", OrderCustomer), SalesRows},
    {"OrderToAccompanyingInvoice", 2, 2, 1, "FATVE", orderTo("FATVE", OrderCustomer), SalesRows},
    {"OrderToDeliveryNote", 2, 5, 1, "DDT", orderTo("DDT", OrderCustomer), SalesRows},
    {"OrderToQuotation", 2, 7, 1, "PREV", orderTo("PREV", Customer + QStringList{"PercSconto"}), SalesRows},
    {"OrderToPurchaseInvoice", 2, 3, 3, "FATAC", orderTo("FATAC", Payment), PurchaseRows, SupplierF001, "f001", "1"},
    {"OrderToSupplierOrder", 2, 9, 1, "ORDAC", orderTo("ORDAC", Payment), PurchaseRows, SupplierF001, "F001", "1"},
    {"OrderToPurchaseInvoiceOfAnUnknownSupplier", 2, 3, 1, "FATAC", orderTo("FATAC", Payment), PurchaseRows,
     {{"idFornitore", qlonglong(42)}}, "F999", "42"},
    {"QuotationToInvoice", 3, 1, 2, "FATVE", quotationTo("FATVE"), SalesRows},
    {"QuotationToAccompanyingInvoice", 3, 2, 2, "FATVE", quotationTo("FATVE"), SalesRows},
    {"QuotationToDeliveryNote", 3, 5, 2, "DDT", quotationTo("DDT"), SalesRows},
    {"QuotationToOrder", 3, 8, 1, "ORDVE", quotationTo("ORDVE"), SalesRows},
    {"InvoiceToCreditNote", 4, 4, 1, "FATNC", InvoiceToCreditNote, PurchaseRows},
    {"InvoiceWithoutNotesOrAgentToCreditNote", 4, 4, 2, "FATNC", InvoiceToCreditNote, PurchaseRows},
    {"ReturnNoteToCreditNote", 5, 4, 1, "FATNC",
     sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc"})
         + ColumnPairs{{"TotFATNCLire", "TotRESOLire"}, {"TotFATNCLEURO", "TotRESOLEURO"}},
     BareRows},
};

class Conversions : public CreationTest, public ::testing::WithParamInterface<Conversion>
{
};

TEST_P(Conversions, TheNewDocumentHoldsWhatTheRuleTakesAndNothingElse)
{
    const Conversion& c = GetParam();
    CreationRequest r = request(c.sourceType, c.targetType, c.sourceNumInt);
    r.supplierCode = c.supplierCode;
    r.supplierKey = c.supplierKey;
    expectDocument(create(r), c.targetCode, r, c.header, c.rows, c.fixed);
}

INSTANTIATE_TEST_SUITE_P(Demo, Conversions, ::testing::ValuesIn(AllConversions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
