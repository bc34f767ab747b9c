// A customer order becomes a sales invoice, a purchase invoice, a delivery note, a quotation or a
// supplier order; purchase documents take the supplier chosen in the wizard.
#include "creation_fixture.h"

namespace {

const QStringList Common{"idCausaleDoc", "idEsercizio", "NoteDoc", "idListino"};
const QStringList Customer{"idCliente", "DSCli", "Indirizzo", "Localita", "Stato", "PV", "CAP"};
const QStringList Payment{"idPagamento", "idModPag"};

const ColumnPairs SalesRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva", "Quantita",
                                         "PUnitLit", "PUnitEuro", "Sconto", "TotScontiLit", "TotScontiEuro",
                                         "ValoreLit", "ValoreEuro", "ImpostaLit", "ImpostaEuro", "TotRigaLit",
                                         "TotRigaEuro"});
// Purchase rows carry no discounts.
const ColumnPairs PurchaseRows = sameNames({"Deposito", "TipoRiga", "idArticolo", "Descrizione", "UM", "CdIva",
                                            "Quantita", "PUnitLit", "PUnitEuro", "ValoreLit", "ValoreEuro",
                                            "ImpostaLit", "ImpostaEuro", "TotRigaLit", "TotRigaEuro"});

// Supplier F001 of the demo as the supplier step copies it.
const QVariantMap SupplierF001{{"idFornitore", qlonglong(1)},        {"DSFor", "Utensileria Italiana S.p.A."},
                              {"Indirizzo", "Via Cassanese, 224"}, {"Localita", "SEGRATE"},
                              {"Stato", "IT"},                     {"PV", "MI"},
                              {"CAP", "20090"}};

using CustomerOrderConversion = CreationTest;

TEST_F(CustomerOrderConversion, SalesDocumentsKeepTheCustomer)
{
    struct Target
    {
        qint16 type;
        QString code;
        ColumnPairs header;
    };
    const QVector<Target> targets{
        {1, "FATVE",
         sameNames(Common + Customer + Payment + QStringList{"idAgente", "PercSconto"})
             + totalsFrom("ORDVE", "LEURO", "FATVE", "LEURO")},
        {2, "FATVE",
         sameNames(Common + Customer + Payment + QStringList{"idAgente", "PercSconto"})
             + totalsFrom("ORDVE", "LEURO", "FATVE", "LEURO")},
        {5, "DDT",
         sameNames(Common + Customer + Payment + QStringList{"idAgente", "PercSconto"})
             + totalsFrom("ORDVE", "LEURO", "DDT", "LEURO")},
        // A quotation keeps price list and discount, but no payment terms, method or agent.
        {7, "PREV", sameNames(Common + Customer + QStringList{"PercSconto"}) + totalsFrom("ORDVE", "LEURO", "PREV", "LEURO")},
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(t.type);
        const CreationRequest r = request(2, t.type, 1);
        expectDocument(create(r), t.code, r, t.header, SalesRows);
    }
}

TEST_F(CustomerOrderConversion, PurchaseInvoiceTakesTheSupplierAndNoAgentOrDiscount)
{
    CreationRequest r = request(2, 3, 3);
    r.supplierCode = "f001";
    r.supplierKey = "1";
    const CreationResult result = create(r);
    expectDocument(result, "FATAC", r, sameNames(Common + Payment) + totalsFrom("ORDVE", "LEURO", "FATAC", "EURO"),
                   PurchaseRows, SupplierF001);
    // The order rows carry discounts; the purchase rows do not, but keep the order's values.
    const QVector<QSqlRecord> created = rows("FATACRig", platform.todayDate, result.newNumber);
    ASSERT_EQ(created.size(), 4);
    EXPECT_TRUE(created[1].value("Sconto").isNull());
    EXPECT_EQ(created[1].value("ValoreLit").toDouble(), 74100.0);
    EXPECT_EQ(created[1].value("TotRigaLit").toDouble(), 88920.0);
}

TEST_F(CustomerOrderConversion, SupplierOrderStoresEuroTotalsInColumnsWithoutL)
{
    CreationRequest r = request(2, 9, 1);
    r.supplierCode = "F001";
    r.supplierKey = "1";
    const CreationResult result = create(r);
    expectDocument(result, "ORDAC", r, sameNames(Common + Payment) + totalsFrom("ORDVE", "LEURO", "ORDAC", "EURO"),
                   PurchaseRows, SupplierF001);
    const QSqlRecord order = header("ORDACTes", platform.todayDate, result.newNumber);
    EXPECT_EQ(order.value("ImponORDACEURO").toDouble(), 274.6);
    EXPECT_EQ(order.value("ImpostaORDACEURO").toDouble(), 54.92);
    EXPECT_EQ(order.value("TotORDACEURO").toDouble(), 329.52);
    EXPECT_TRUE(order.value("idCliente").isNull());
}

TEST_F(CustomerOrderConversion, SupplierMissingFromTheArchiveLeavesOnlyTheKey)
{
    CreationRequest r = request(2, 3, 1);
    r.supplierCode = "F999";
    r.supplierKey = "42";
    const CreationResult result = create(r);
    expectDocument(result, "FATAC", r, sameNames(Common + Payment) + totalsFrom("ORDVE", "LEURO", "FATAC", "EURO"),
                   PurchaseRows, {{"idFornitore", qlonglong(42)}});
}

TEST_F(CustomerOrderConversion, EmptyColumnsStayEmpty)
{
    // Order 2 has no notes, price list, agent or discount.
    const CreationRequest r = request(2, 1, 2);
    const CreationResult result = create(r);
    expectDocument(result, "FATVE", r,
                   sameNames(Common + Customer + Payment + QStringList{"idAgente", "PercSconto"})
                       + totalsFrom("ORDVE", "LEURO", "FATVE", "LEURO"),
                   SalesRows);
    const QSqlRecord invoice = header("FATVETes", platform.todayDate, result.newNumber);
    for (const char* column : {"NoteDoc", "idListino", "idAgente", "PercSconto"})
        EXPECT_TRUE(invoice.value(column).isNull()) << column;
}

} // namespace
