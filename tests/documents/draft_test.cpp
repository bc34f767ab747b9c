// Documents and warehouse movements written by hand: saved, corrected and deleted in one
// transaction each, read back as another program reads them, under the rules of the invoice book.
#include "creation_fixture.h"
#include "documents/documentreader.h"
#include "documents/documentsave.h"
#include "documents/draftchecks.h"
#include "documents/movementsave.h"

namespace {

using Drafts = CreationTest;

// The totals a header must hold, recomputed from its rows: the tax of each VAT code on that
// code's summed taxable amount, "taxable|tax" in cents.
QString totalsFromRows(const ProgramFolder& folder, const DocumentKind& kind, qint32 numInt, const QString& year)
{
    const QString where = QString(" WHERE r.NumInt = %1 AND r.DataReg = '%2-12-31'").arg(numInt).arg(year);
    qint64 taxable = 0, tax = 0;
    for (const QString& code : folder.rows("data.mdb", "SELECT SUM(r.ValoreEuro), MAX(i.Perc) FROM " + kind.rowsTable +
                                                           " r JOIN IVA i ON i.Codice = r.CdIva" + where + " GROUP BY r.CdIva")) {
        const qint64 cents = std::llround(code.section('|', 0, 0).toDouble() * 100);
        taxable += cents;
        tax += std::llround(cents * code.section('|', 1).toDouble() / 100);
    }
    return QString("%1|%2").arg(taxable).arg(tax);
}

// The header's taxable amount and tax in cents.
QString headerTotals(const ProgramFolder& folder, const DocumentKind& kind, const QString& where)
{
    const QString euro = kind.supplierCounterpart ? "EURO" : "LEURO";
    const QStringList v = folder.rows("data.mdb", QString("SELECT Impon%1%2, Imposta%1%2 FROM %3").arg(kind.code, euro, kind.headerTable) + where)
                              .value(0).split('|');
    return QString("%1|%2").arg(std::llround(v.value(0).toDouble() * 100)).arg(std::llround(v.value(1).toDouble() * 100));
}

// The header's tax and total in both currencies are those the printed document computes from the rows.
void expectPrintedTotals(const ProgramFolder& folder, const Database& db, const DocumentKind& kind, const DocumentDraft& draft,
                         const QString& where)
{
    const auto doc = readPrintableDocument(db, Database::open(folder.userDb(), ProgramFolder::connectString()), kind.code,
                                           DocumentVariant::Ordinary, draft.date, draft.numInt);
    ASSERT_TRUE(doc);
    const TotalColumns& c = kind.totals;
    const Amounts& total = doc->totals.total, &tax = doc->totals.tax;
    const QStringList columns{c.totalEuro, c.totalLire, c.taxEuro, c.taxLire};
    const QStringList stored = folder.rows("data.mdb", "SELECT " + columns.mid(0, c.hasTaxBreakdown() ? 4 : 2).join(", ") + " FROM " +
                                                           kind.headerTable + where).value(0).split('|');
    const Money expected[] = {total.euro, total.lire, tax.euro, tax.lire};
    for (int i = 0; i < stored.size(); ++i)
        EXPECT_EQ(Money::fromDouble(stored[i].toDouble(), expected[i].currency()).units(), expected[i].units()) << columns[i].toStdString();
}

TEST_F(Drafts, EachKindIsSavedCorrectedAndDeletedWithItsRowsTotalsAndMovement)
{
    folder.exec("data.mdb", "INSERT INTO ListiniPrezzi (idListino, idArticolo, Prezzo, PrezzoEuro) VALUES ('L1', 'ART001', 17000, 8.78)");
    base->EuroRate = 0;  // a company without a rate of its own prices documents at the fixed 1936,27
    const DocumentSession session = base->documentSession();
    for (const DocumentKind& kind : documentKinds()) {
        SCOPED_TRACE(kind.code.toStdString());
        const QString movement = kind.code == "DDT" || kind.code == "FATVE" ? "VEN"
                                 : kind.code == "FATAC"                   ? "CAR"
                                 : kind.code == "RESO"                    ? "RES" : "";
        DocumentDraft draft{.kindCode = kind.code, .date = QDate(year().toInt(), 12, 31),
                            .header = {{"NoteDoc", "Scritto a mano"}}, .movementReason = movement};
        ASSERT_TRUE(fillCounterpart(db, draft, kind.supplierCounterpart ? "f001" : "c001"));
        for (const auto& [code, quantity] : {std::pair{"ART001", 3.0}, {"ART004", 2.0}}) {
            std::optional<DraftRow> row = articleRow(db, draft, code);
            ASSERT_TRUE(row);
            row->quantity = quantity;
            draft.rows << *row;
        }
        draft.rows << DraftRow{.description = "Consegna al piano"};
        const int before = numerator(kind.code);
        const qint32 number = saveDraft(session, draft);
        EXPECT_EQ(number, before + 1);

        const QString where = QString(" WHERE NumInt = %1 AND DataReg = '%2-12-31'").arg(number).arg(year());
        EXPECT_EQ(folder.rows("data.mdb", "SELECT idEsercizio, Numero, COALESCE(DSCli, DSFor), NoteDoc, MMidCausaleDoc FROM " +
                                              kind.headerTable + where),
                  QStringList(QStringList{year(), QString::number(number),
                                          kind.supplierCounterpart ? "Utensileria Italiana S.p.A." : "Rossi Ferramenta S.n.c.",
                                          "Scritto a mano", movement}.join('|')));
        expectPrintedTotals(folder, db, kind, draft, where);
        const bool totals = kind.code != "RESO";  // a return note keeps only its document total
        if (totals) {
            EXPECT_EQ(headerTotals(folder, kind, where), totalsFromRows(folder, kind, number, year()));
        }
        if (kind.code == "FATVE") {  // the price list's price, the customer's discount, tax per code
            EXPECT_EQ(folder.rows("data.mdb", "SELECT TotFATVELEURO, PUnitEuro, Sconto FROM FATVETes t JOIN FATVERig r ON r.DataReg = "
                                              "t.DataReg AND r.NumInt = t.NumInt AND r.Riga = 1 WHERE t.NumInt = " + QString::number(number)),
                      QStringList{"38.51|8.78|5"});
        }
        EXPECT_EQ(folder.rows("data.mdb", "SELECT COALESCE(idArticolo, '') || Descrizione FROM " + kind.rowsTable + where + " ORDER BY Riga").value(2),
                  "Consegna al piano");
        const QString lines = QString("SELECT COUNT(*) FROM MovMagRig r JOIN MovMagTes t ON t.idEsercizio = r.idEsercizio AND "
                                      "t.idCausale = r.idCausale AND t.NumInt = r.NumInt WHERE t.OrigNumInt = %1 AND "
                                      "t.OrigDataReg = '%2-12-31' AND t.idCausale = '%3'").arg(number).arg(year(), movement);
        EXPECT_EQ(count(lines), movement.isEmpty() ? 0 : 2) << "goods rows only";

        // Corrected: the rows and the movement are replaced, the number stays.
        std::optional<DocumentDraft> reopened = readDraft(db, kind.code, draft.date, number);
        ASSERT_TRUE(reopened);
        EXPECT_EQ(reopened->counterpartCode, kind.supplierCounterpart ? "F001" : "C001");
        ASSERT_EQ(reopened->rows.size(), 3);
        reopened->rows.removeLast();
        reopened->rows[0].quantity = 1;
        EXPECT_EQ(saveDraft(session, *reopened), number);
        EXPECT_EQ(count("SELECT COUNT(*) FROM " + kind.rowsTable + where), 2);
        if (totals) {
            EXPECT_EQ(headerTotals(folder, kind, where), totalsFromRows(folder, kind, number, year()));
        }
        EXPECT_EQ(count(QString("SELECT COUNT(*) FROM MovMagTes WHERE OrigNumInt = %1 AND OrigDataReg = '%2-12-31' AND idCausale = '%3'")
                            .arg(number).arg(year(), movement)), movement.isEmpty() ? 0 : 1);

        // Deleted with its rows and movement; the last invoice's number is given back.
        deleteDocument(session, kind.code, draft.date, number);
        EXPECT_EQ(count("SELECT COUNT(*) FROM " + kind.headerTable + where) + count("SELECT COUNT(*) FROM " + kind.rowsTable + where) + count(lines), 0);
        EXPECT_EQ(numerator(kind.code), kind.code == "FATVE" || kind.code == "FATNC" ? before : number);
    }
}

TEST_F(Drafts, RefusalsNameTheFieldOrTheDocumentAndWriteNothing)
{
    const DocumentSession session = base->documentSession();
    const QDate monthStart(platform.todayDate.year(), platform.todayDate.month(), 1);
    const QString month = monthStart.toString("MM/yyyy");
    const auto invoice = [&](const QDate& date, const QString& customer, const QStringList& articles) {
        DocumentDraft d{.kindCode = "FATVE", .date = date, .counterpartCode = customer};
        for (const QString& a : articles)
            d.rows << DraftRow{.article = a, .description = a, .vatCode = "20", .quantity = 1, .priceEuro = 10};
        return d;
    };
    const auto changed = [](const std::function<void(DocumentDraft&)>& change, DocumentDraft d) { change(d); return d; };
    const DocumentDraft load{.kindCode = StockMovementKind, .date = monthStart, .movementReason = "CAR",  // a warehouse movement by hand
                             .rows = {DraftRow{.article = "ART001", .deposit = "DEP", .quantity = 1}}};
    const struct { const char* what; DocumentDraft draft; const char* field; QString message; } checks[] = {
        {"nothing typed", changed([](auto& d) { d = {.kindCode = "FATVE"}; }, {}), "Data",
         "Documento non salvato. Manca:\r- la Data\r- il Cliente\r- almeno una riga"},
        {"unknown customer", invoice(monthStart, "C999", {"ART001"}), "Cliente", "Cliente sconosciuto: C999"},
        {"unknown article", invoice(monthStart, "C001", {"ART001", "XYZ"}), "Riga 2 Articolo", "Riga 2 - Articolo sconosciuto: XYZ"},
        {"outside the fiscal year", invoice(QDate(2001, 1, 1), "C001", {"ART001"}), "Data",
         QString("La data 01/01/2001 è fuori dall'esercizio %1 (dal 01/01/%1 al 31/12/%1).").arg(year())},
        {"unknown reason", changed([](auto& d) { d.reason = "XX"; }, invoice(monthStart, "C001", {"ART001"})), "Causale",
         "Causale sconosciuta: XX"},
        {"unknown movement reason", changed([](auto& d) { d.movementReason = "XX"; }, invoice(monthStart, "C001", {"ART001"})),
         "Causale Magazzino", "Causale di magazzino sconosciuta: XX"},
        {"unknown VAT code", changed([](auto& d) { d.rows[1].vatCode = "XX"; }, invoice(monthStart, "C001", {"ART001", "ART001"})),
         "Riga 2 I.V.A.", "Riga 2 - Codice I.V.A. sconosciuto: XX"},
        {"a row without article or description", changed([](auto& d) { d.rows << DraftRow{.description = " "}; }, invoice(monthStart, "C001", {"ART001"})),
         "Riga 2 Articolo", "Riga 2 - Indicare un articolo o una descrizione."},
        {"movement: nothing typed", changed([](auto& d) { d = {.kindCode = StockMovementKind}; }, {}), "Data",
         "Movimento non salvato. Manca:\r- la Data\r- la Causale\r- almeno una riga"},
        {"movement: no article", changed([](auto& d) { d.rows << DraftRow{.deposit = "DEP", .quantity = 1}; }, load), "Riga 2 Articolo",
         "Riga 2 - Indicare l'articolo."},
        {"movement: no warehouse", changed([](auto& d) { d.rows << DraftRow{.article = "ART001", .quantity = 1}; }, load), "Riga 2 Deposito",
         "Riga 2 - Indicare il deposito."},
        {"movement: no quantity", changed([](auto& d) { d.rows << DraftRow{.article = "ART001", .deposit = "DEP"}; }, load), "Riga 2 Quantità",
         "Riga 2 - Indicare una quantità maggiore di zero."}};
    const QString state = "SELECT CAST(DataReg AS TEXT) || '|' || NumInt FROM FATVETes UNION ALL SELECT CAST(Progressivo AS TEXT) FROM Numeratori ORDER BY 1";
    const QStringList before = folder.rows("data.mdb", state);
    for (auto c : checks) {
        SCOPED_TRACE(c.what);
        const bool movement = c.draft.kindCode == StockMovementKind;
        const std::optional<DraftRefusal> refusal = movement ? checkMovement(db, c.draft, year()) : checkDraft(db, c.draft, year());
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->field + ": " + refusal->message, QString(c.field) + ": " + c.message);
        try {  // saving, whoever calls it, refuses it alike
            movement ? void(saveMovement(session, c.draft, std::nullopt)) : void(saveDraft(session, c.draft));
            ADD_FAILURE() << "saved";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.detail(), c.message);
        }
    }

    // The invoice book: invoices 1 (the 7th) and 2 (the 10th) exist.
    const struct { const char* what; std::function<void()> act; QString message; } book[] = {
        {"a new invoice dated before the last one's date",
         [&] { DocumentDraft d = invoice(monthStart, "C001", {"ART001"}); saveDraft(session, d); },
         "La data 01/" + month + " precede quella del documento precedente, N. 2 del 10/" + month + ": i documenti sono numerati in ordine di data."},
        {"invoice 1 moved after invoice 2",
         [&] { auto d = readDraft(db, "FATVE", monthStart.addDays(6), 1); d->date = monthStart.addDays(10); saveDraft(session, *d); },
         "La data 11/" + month + " segue quella del documento successivo, N. 2 del 10/" + month + ": i documenti sono numerati in ordine di data."},
        {"deleting an invoice that is not the last", [&] { deleteDocument(session, "FATVE", monthStart.addDays(6), 1); },
         "Si può eliminare solo l'ultimo documento della numerazione (N. 2 del 10/" + month + "): la numerazione non deve avere interruzioni."},
        {"correcting an invoice another workstation deleted",
         [&] { auto d = readDraft(db, "FATVE", monthStart.addDays(9), 2); d->numInt = 9; saveDraft(session, *d); },
         "Il documento non è più nell'archivio: un'altra postazione lo ha eliminato."},
        {"correcting a movement another workstation deleted", [&] { saveMovement(session, load, MovementKey{year(), "CAR", 99}); },
         "Il movimento non è più nell'archivio: un'altra postazione lo ha eliminato."},
        {"changing an invoice whose e-invoice is written",
         [&] {
             folder.exec("data.mdb", "UPDATE FATVETes SET FatturaPANome = 'IT04587210963_00001.xml', FatturaPAData = '2026-12-10T09:30:00' WHERE NumInt = 2");
             auto d = readDraft(db, "FATVE", monthStart.addDays(9), 2); saveDraft(session, *d); },
         "La Fattura Elettronica di questo documento è già stata scritta (IT04587210963_00001.xml, il 10/12/2026 09:30): il documento non si può più modificare né eliminare.\rPer correggerlo emettere una nota di credito."},
        {"deleting it", [&] { deleteDocument(session, "FATVE", monthStart.addDays(9), 2); },
         "La Fattura Elettronica di questo documento è già stata scritta (IT04587210963_00001.xml, il 10/12/2026 09:30): il documento non si può più modificare né eliminare.\rPer correggerlo emettere una nota di credito."},
    };
    for (const auto& b : book) {
        SCOPED_TRACE(b.what);
        try {
            b.act();
            ADD_FAILURE() << "not refused";
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.kind(), DatabaseError::Kind::Refused);
            EXPECT_EQ(e.detail(), b.message);
        }
        EXPECT_EQ(folder.rows("data.mdb", state), before);
    }
}

// A pro-forma is no fiscal document: it takes its own numbers, and the invoices written around it,
// in any date order against it, are numbered without gaps. It can be deleted whatever follows it.
TEST_F(Drafts, AProFormaIsNumberedApartFromTheInvoiceBook)
{
    const DocumentSession session = base->documentSession();
    const QDate monthStart(platform.todayDate.year(), platform.todayDate.month(), 1);
    const auto save = [&](DocumentVariant variant, int day) {
        DocumentDraft d{.kindCode = "FATVE", .variant = variant, .date = monthStart.addDays(day - 1), .counterpartCode = "C001",
                        .rows = {DraftRow{.article = "ART001", .description = "ART001", .vatCode = "20", .quantity = 1, .priceEuro = 10}}};
        return saveDraft(session, d);
    };
    // Invoices 1 (the 7th) and 2 (the 10th) exist.
    const qint32 proForma = save(DocumentVariant::ProForma, 12);
    EXPECT_EQ(save(DocumentVariant::Ordinary, 20), 3);
    EXPECT_EQ(save(DocumentVariant::ProForma, 2), proForma - 1) << "dated before the invoices, still accepted";
    EXPECT_EQ(save(DocumentVariant::Ordinary, 21), 4);
    EXPECT_EQ(folder.rows("data.mdb", "SELECT Numero, TipoFattura FROM FATVETes WHERE TipoFattura = 'PF' ORDER BY Numero"),
              (QStringList{"1|PF", "2|PF"}));
    EXPECT_EQ(numerator("FATVE"), 4);

    deleteDocument(session, "FATVE", monthStart.addDays(11), proForma);
    EXPECT_EQ(count("SELECT COUNT(*) FROM FATVETes WHERE TipoFattura = 'PF'"), 1);
    EXPECT_EQ(numerator("FATPRO"), 2) << "not the last pro-forma: its number is not given back";
    deleteDocument(session, "FATVE", monthStart.addDays(1), proForma - 1);
    EXPECT_EQ(numerator("FATPRO"), 1);
    EXPECT_EQ(save(DocumentVariant::ProForma, 22), proForma - 1);
}

// A correction of a movement that fails halfway (the new reason's number is already taken) writes
// nothing: the movement stays as stored. A movement posted with a document is corrected only there.
TEST_F(Drafts, AFailedMovementCorrectionLeavesTheMovementAsStored)
{
    struct TakenNumber : Numbering
    {
        qint32 nextNumber(const QString&, const QString&, const QString&, const QString&) override { return 1; }
    } taken;
    const DocumentSession session = base->documentSession();
    DocumentDraft draft{.kindCode = StockMovementKind, .date = QDate(year().toInt(), 12, 31), .movementReason = "CAR"};
    draft.rows << DraftRow{.article = "ART001", .deposit = "DEP", .quantity = 4};
    const MovementKey saved = saveMovement(session, draft, std::nullopt);
    const QString lines = "SELECT idCausale, NumInt, Quantita, Segno FROM MovMagRig WHERE DataReg = '" + year() + "-12-31'";
    EXPECT_EQ(folder.rows("data.mdb", lines), QStringList("CAR|" + QString::number(saved.number) + "|4|+"));

    draft.movementReason = "VEN";  // its number 1 is the demo delivery note's movement
    draft.rows[0].quantity = 9;
    EXPECT_THROW(saveMovement({session.values, session.archive, taken, session.movements, session.books}, draft, saved),
                 DatabaseError);
    EXPECT_EQ(folder.rows("data.mdb", lines), QStringList("CAR|" + QString::number(saved.number) + "|4|+"));

    try {
        readMovement(db, {year(), "VEN", 1});
        ADD_FAILURE() << "a document's movement was read for correction";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.detail().contains("generato con il documento D.D.T. N. 1")) << e.detail().toStdString();
    }
}

} // namespace
