// Every conversion of a demo document: each column of the new header and rows is the source column
// the rule names, a value of the rule, or empty; row amounts go over in lire and in euro as they
// are, and the header's totals are those the test sums from the rows the new document received.
#include "creation_fixture.h"
#include "documents/documentreader.h"
#include "documents/documentsave.h"

namespace {

// Target column <- source column.
using ColumnPairs = QVector<QPair<QString, QString>>;

// Pairs copying each named column to the column of the same name.
ColumnPairs sameNames(const QStringList& columns)
{
    ColumnPairs pairs;
    for (const QString& c : columns) pairs.push_back({c, c});
    return pairs;
}

// The totals a header holds, summed from its rows in the demo's lire books (1936.27 lire for a
// euro): per VAT code the rows' lire, their euro and the tax on each, halves away from zero.
QVariantMap totalsOf(const Database& db, const QVector<QSqlRecord>& rows, const TotalColumns& t)
{
    QMap<QString, double> rates, lire;
    for (Rows q = db.select(JetQuery("SELECT Codice, Perc FROM IVA")); q.next();)
        rates.insert(q.value(0).toString().trimmed().toUpper(), q.value(1).toDouble());
    for (const QSqlRecord& r : rows) {
        const auto v = [&](const char* c) { return r.value(c).toDouble(); };
        const bool priced = !r.value("ValoreLit").isNull() && !r.value("Quantita").isNull() && !r.value("PUnitLit").isNull();
        lire[r.value("CdIva").toString().trimmed().toUpper()] += priced ? std::round(v("Quantita") * v("PUnitLit") * (100 - v("Sconto")) / 100)
                                                                 : v(r.value("ValoreLit").isNull() ? "TotRigaLit" : "ValoreLit");
    }
    double taxable[2] = {}, tax[2] = {}; // lire, cents
    for (const auto& [code, amount] : lire.asKeyValueRange()) {
        const double cents = std::round(amount * 100 / 1936.27), rate = rates.value(code);
        taxable[0] += amount, taxable[1] += cents;
        tax[0] += std::round(amount * rate / 100), tax[1] += std::round(cents * rate / 100);
    }
    QVariantMap m{{t.totalLire, taxable[0] + tax[0]}, {t.totalEuro, (taxable[1] + tax[1]) / 100}};
    if (t.hasTaxBreakdown())
        m.insert({{t.taxableLire, taxable[0]}, {t.taxableEuro, taxable[1] / 100}, {t.taxLire, tax[0]}, {t.taxEuro, tax[1] / 100}});
    return m;
}

// Same stored value and same storage class: a copy changes neither.
void expectSame(const QVariant& actual, const QVariant& expected, const std::string& what)
{
    EXPECT_EQ(actual.isNull(), expected.isNull()) << what << ": " << actual.toString().toStdString() << " / "
                                                  << expected.toString().toStdString();
    if (actual.isNull() || expected.isNull()) return;
    EXPECT_EQ(actual.typeId(), expected.typeId()) << what;
    EXPECT_EQ(actual, expected) << what << ": " << actual.toString().toStdString() << " / "
                                << expected.toString().toStdString();
}

// Every column of a created record: the rule values in fixed, the copies from source, and
// Null (what the archive gives a new record) everywhere else.
void expectRecord(const QSqlRecord& created, const QSqlRecord& source, const ColumnPairs& copies,
                  const QVariantMap& fixed, const std::string& what)
{
    ASSERT_FALSE(created.isEmpty()) << what << ": not written";
    QMap<QString, QString> sourceOf;
    for (const auto& [target, from] : copies) {
        ASSERT_GE(created.indexOf(target), 0) << what << ": no column " << target.toStdString();
        ASSERT_GE(source.indexOf(from), 0) << what << ": no source column " << from.toStdString();
        sourceOf.insert(target.toLower(), from);
    }
    for (int i = 0; i < created.count(); ++i) {
        const QString name = created.fieldName(i);
        const std::string where = what + "." + name.toStdString();
        const auto rule = std::find_if(fixed.keyValueBegin(), fixed.keyValueEnd(),
                                       [&](const auto& kv) { return kv.first.compare(name, Qt::CaseInsensitive) == 0; });
        if (rule != fixed.keyValueEnd()) expectSame(created.value(i), rule->second, where);
        else if (sourceOf.contains(name.toLower()))
            expectSame(created.value(i), source.value(sourceOf.value(name.toLower())), where);
        else
            EXPECT_TRUE(created.value(i).isNull()) << where << " should be left empty, holds "
                                                   << created.value(i).toString().toStdString();
    }
}

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
                              {"Stato", "IT"},                     {"PV", "MI"}, {"CAP", "20090"}};

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

ColumnPairs orderTo(const QStringList& more)
{
    return sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idListino"} + more);
}

const ColumnPairs QuotationTo =
    sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idListino", "PercSconto"} + Customer);

// An order's customer as sales documents take it.
const QStringList OrderCustomer = Customer + Payment + QStringList{"idAgente", "PercSconto"};

const ColumnPairs InvoiceToCreditNote =
    sameNames(QStringList{"idCausaleDoc", "idEsercizio", "NoteDoc", "idAgente"} + Customer + Payment);

const ColumnPairs DeliveryNoteToInvoice =
    sameNames(QStringList{"idCausaleDoc", "idEsercizio", "CausaleTrasp", "Colli", "Aspetto", "PesoKG", "idVett1",
                          "NoteVett1", "idVett2", "NoteVett2", "NoteDoc", "idListino", "DtCons", "OraCons", "Porto", "ACura", "Zona",
                          "idAgente", "PercSconto"} + Customer + Payment);

const Conversion AllConversions[] = {
    {"DeliveryNoteToInvoice", 1, 1, 1, "FATVE", DeliveryNoteToInvoice, SalesRows},
    {"DeliveryNoteWithGapsInItsRows", 1, 1, 3, "FATVE", DeliveryNoteToInvoice, SalesRows},
    // Delivery note 4 is typed by hand as a copy of note 1, with a delivery time: it converts by the same rule.
    {"TypedDeliveryNoteToInvoice", 1, 1, 4, "FATVE", DeliveryNoteToInvoice, SalesRows},
    {"DeliveryNoteToReturnNote", 1, 10, 1, "RESO",
     sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc", "DtCons", "OraCons"}), BareRows},
    {"OrderToInvoice", 2, 1, 1, "FATVE", orderTo(OrderCustomer), SalesRows},
    {"OrderWithEmptyColumnsToInvoice", 2, 1, 2, "FATVE", orderTo(OrderCustomer), SalesRows},
    {"OrderToDeliveryNote", 2, 5, 1, "DDT", orderTo(OrderCustomer), SalesRows},
    {"OrderToQuotation", 2, 7, 1, "PREV", orderTo(Customer + QStringList{"PercSconto"}), SalesRows},
    {"OrderToPurchaseInvoice", 2, 3, 3, "FATAC", orderTo(Payment), PurchaseRows, SupplierF001, "f001", "1"},
    {"OrderToSupplierOrder", 2, 9, 1, "ORDAC", orderTo(Payment), PurchaseRows, SupplierF001, "F001", "1"},
    {"OrderToPurchaseInvoiceOfAnUnknownSupplier", 2, 3, 1, "FATAC", orderTo(Payment), PurchaseRows,
     {{"idFornitore", qlonglong(42)}}, "F999", "42"},
    {"QuotationToInvoice", 3, 1, 2, "FATVE", QuotationTo, SalesRows},
    {"QuotationToDeliveryNote", 3, 5, 2, "DDT", QuotationTo, SalesRows},
    {"QuotationToOrder", 3, 8, 1, "ORDVE", QuotationTo, SalesRows},
    {"InvoiceToCreditNote", 4, 4, 1, "FATNC", InvoiceToCreditNote, PurchaseRows},
    {"ReturnNoteToCreditNote", 5, 4, 1, "FATNC",
     sameNames({"idCausaleDoc", "idEsercizio", "idCliente", "NoteDoc"}),
     BareRows}};

class Conversions : public CreationTest, public ::testing::WithParamInterface<Conversion> {};

// The header against the source's header, then row i against source row i.
TEST_P(Conversions, TheNewDocumentHoldsWhatTheRuleTakesAndNothingElse)
{
    const Conversion& c = GetParam();
    if (c.sourceType == 1 && c.sourceNumInt == 4) {
        std::optional<DocumentDraft> typed = readDraft(db, "DDT", request(1, 1, 1).sourceDataReg, 1);
        ASSERT_TRUE(typed);
        typed->numInt = 0;
        typed->fiscalYear.clear();
        typed->header.insert("OraCons", "09:30");
        ASSERT_EQ(saveDraft(base->documentSession(), *typed), 4);
    }
    CreationRequest r = request(c.sourceType, c.targetType, c.sourceNumInt);
    r.supplierCode = c.supplierCode;
    r.supplierKey = c.supplierKey;
    const CreationResult result = create(r);
    ASSERT_EQ(result.status, CreationResult::Status::Created) << detailOf(result).toStdString();
    const QDate today = platform.todayDate;
    const DocumentKind* source = documentKind(sourceChoice(r.sourceType)->kindCode);

    QVariantMap fixed = c.fixed;
    fixed.insert("DataReg", stored(today));
    fixed.insert("NumInt", qlonglong(result.newNumber));
    fixed.insert("Numero", qlonglong(result.newNumber));
    const QVector<QSqlRecord> created = rows(c.targetCode + "Rig", today, result.newNumber);
    fixed.insert(totalsOf(db, created, documentKind(c.targetCode)->totals));
    expectRecord(header(c.targetCode + "Tes", today, result.newNumber),
                 header(source->headerTable, r.sourceDataReg, r.sourceNumInt), c.header, fixed, "Tes");

    const QVector<QSqlRecord> original = rows(source->rowsTable, r.sourceDataReg, r.sourceNumInt);
    ASSERT_EQ(created.size(), original.size());
    for (int i = 0; i < created.size(); ++i) {
        const QVariantMap rowFixed{
            {"DataReg", stored(today)}, {"NumInt", qlonglong(result.newNumber)}, {"Riga", qlonglong(i + 1)}};
        expectRecord(created[i], original[i], c.rows, rowFixed, "Rig " + std::to_string(i + 1));
    }
}

// The VAT summary a page shows sums to the totals in the header, for a demo delivery note (rows of 37,18 and 17,35 €
// against 54,54 €) and for an invoice the wizard makes of another (rows summing 175,07 / 35,01 € against 175,08 /
// 35,02 €): each code's euro taxable amount is its lire amount converted, not the sum of the rows' rounded euro amounts.
TEST_F(CreationTest, ThePrintedVatSummaryAndTheStoredTotalsAgree)
{
    const CreationResult made = create(request(1, 1, 3));
    ASSERT_EQ(made.status, CreationResult::Status::Created) << detailOf(made).toStdString();
    const Database user = Database::open(folder.userDb(), ProgramFolder::connectString());
    const QDate lastYear(QDate::currentDate().year() - 1, 12, 15);
    const struct { const char* kind; QDate date; qint32 number; } cases[] = {
        {"DDT", lastYear, 15}, {"FATVE", platform.todayDate, made.newNumber}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const auto doc = readPrintableDocument(db, user, c.kind, DocumentVariant::Ordinary, c.date, c.number);
        ASSERT_TRUE(doc);
        Amounts taxable, tax;
        for (const VatTotals& v : doc->vatSummary) {
            taxable += v.taxable;
            tax += v.tax;
        }
        const QSqlRecord h = header(documentKind(c.kind)->headerTable, c.date, c.number);
        const TotalColumns& t = documentKind(c.kind)->totals;
        EXPECT_EQ(taxable.euro.toString(), QString::number(h.value(t.taxableEuro).toDouble(), 'f', 2));
        EXPECT_EQ(tax.euro.toString(), QString::number(h.value(t.taxEuro).toDouble(), 'f', 2));
        EXPECT_EQ(taxable.euro, doc->totals.taxable.euro);
        EXPECT_EQ(tax.lire, doc->totals.tax.lire);
    }
}

INSTANTIATE_TEST_SUITE_P(Demo, Conversions, ::testing::ValuesIn(AllConversions),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
