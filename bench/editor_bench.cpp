// A document written by hand with 10,000 rows, on SQLite and with the archives on PostgreSQL in
// the same run: saving it (checks, number, totals, header and rows in one transaction) against
// a raw insert of the same header and rows in one transaction on a connection of its own, and
// opening it (the draft read back with its totals) against the bare query of its rows; the
// median of the rounds' ratios. Then an article code typed in a row, among 1,000,000 articles (100,000
// in the short run), against the bare indexed query of that code. The process's peak memory too.
//   editor_bench [--short]
#include "benchmark.h"
#include "common/database.h"
#include "components/base/baseclass.h"
#include "documents/documentsave.h"
#include "documents/documentamounts.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <QSqlQuery>

namespace {

constexpr int DocumentRows = 10000;
constexpr double SaveBar = 1.5, OpenBar = 2.0, LookupBar = 2.0, MemoryBarMB = 150;

bool measureDocument(int rounds)
{
    ScriptedPlatform platform;
    ProgramFolder folder;
    const auto base = folder.makeBase();
    const Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    DocumentDraft draft{.kindCode = "DDT", .date = platform.todayDate, .counterpartCode = "C001"};
    for (int i = 0; i < DocumentRows; ++i)
        draft.rows << DraftRow{.article = QString("ART00%1").arg(i % 8 + 1), .description = QString("Articolo di prova numero %1").arg(i),
                               .unit = "PZ", .vatCode = "20", .deposit = "DEP", .quantity = double(i % 50 + 1),
                               .priceEuro = 9.3, .priceLire = 18000, .discount = 5};

    const Database raw = Database::open(folder.dataDb(), ProgramFolder::connectString());
    const Books books = base->books();
    const DocumentAmounts amounts = draftAmounts(readVatTable(db), draft, books);  // the raw side writes the same amounts
    std::vector<double> saveTimes, rawTimes, openTimes, queryTimes;
    qint32 number = 0;
    for (int round = 0; round < rounds; ++round) {
        rawTimes.push_back(bench::elapsedMs([&] {
            raw.run(QStringLiteral("BEGIN"));
            QSqlQuery header = raw.prepare(QStringLiteral("INSERT INTO FATNCTes (DataReg, NumInt, Numero, idEsercizio, idCliente, "
                                                          "DSCli, TotFATNCLire, TotFATNCLEURO) VALUES (?, ?, ?, ?, 1, 'Rossi', 1, 1)"));
            for (const QVariant& v : {QVariant(draft.date.toString(Qt::ISODate)), QVariant(round + 10), QVariant(round + 10),
                                      QVariant(base->FiscalYear)})
                header.addBindValue(v);
            raw.run(header);
            QSqlQuery rows = raw.prepare(QStringLiteral("INSERT INTO FATNCRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, "
                                                        "Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, "
                                                        "TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, "
                                                        "TotRigaEuro) VALUES (?, ?, ?, ?, 'A', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            for (int i = 0; i < draft.rows.size(); ++i) {
                const DraftRow& r = draft.rows[i];
                for (const QVariant& v : {QVariant(draft.date.toString(Qt::ISODate)), QVariant(round + 10), QVariant(i + 1),
                                          QVariant(r.deposit), QVariant(r.article), QVariant(r.description), QVariant(r.unit),
                                          QVariant(r.vatCode), QVariant(r.quantity), QVariant(r.priceLire),
                                          QVariant(r.priceEuro), QVariant(r.discount)})
                    rows.addBindValue(v);
                const Amounts& a = amounts.rows[i].amount;
                const double lire = a.lire.toDouble(), euro = a.euro.toDouble();
                for (const double v : {0.0, 0.0, lire, euro, 0.0, 0.0, lire, euro}) rows.addBindValue(v);
                raw.run(rows);
            }
            raw.run(QStringLiteral("COMMIT"));
        }));
        DocumentDraft typed = draft;
        saveTimes.push_back(bench::elapsedMs([&] { number = saveDraft(base->documentSession(), typed); }));

        queryTimes.push_back(bench::elapsedMs([&] {
            QSqlQuery q = raw.prepare(QStringLiteral("SELECT * FROM DDTRig WHERE DataReg = ? AND NumInt = ? ORDER BY Riga"));
            q.addBindValue(draft.date.toString(Qt::ISODate));
            q.addBindValue(number);
            raw.run(q);
            int n = 0;
            while (q.next()) n += q.value(5).toString().size() > 0;
            bench::require(n == DocumentRows, "the bare query did not read every row");
        }));
        openTimes.push_back(bench::elapsedMs([&] {
            const std::optional<DocumentDraft> opened = readDraft(base->dataArchive(), "DDT", draft.date, number);
            bench::require(opened && opened->rows.size() == DocumentRows, "the document did not open whole");
            bench::require(draftAmounts(readVatTable(base->dataArchive()), *opened, books).total.euro.units() > 0, "no totals");
        }));
    }
    const double saving = bench::pairedRatio(saveTimes, rawTimes), opening = bench::pairedRatio(openTimes, queryTimes);
    std::printf("  %s: save %.1f ms / raw insert %.1f ms, ratio %.2f (bar %.1f); open %.1f ms / bare query %.1f ms, ratio %.2f (bar %.1f)\n",
                ProgramFolder::onServer() ? "PostgreSQL" : "SQLite", bench::percentile(saveTimes, 0.5), bench::percentile(rawTimes, 0.5),
                saving, SaveBar, bench::percentile(openTimes, 0.5), bench::percentile(queryTimes, 0.5), opening, OpenBar);
    return saving <= SaveBar && opening <= OpenBar;
}

bool measureLookup(int articles, int rounds)
{
    ScriptedPlatform platform;
    ProgramFolder folder;
    const auto base = folder.makeBase();
    const Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 100 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                          "INSERT INTO Articoli (Codice, Descrizione, UM, CdIva, idDeposito, PrezzoVen, PrezzoVenEuro) "
                          "SELECT 'B' || i, 'Articolo ' || i, 'PZ', '20', 'DEP', 1000, 0.52 FROM n").arg(articles + 99));
    const DocumentDraft draft{.kindCode = "FATVE", .counterpartCode = "C001"};
    const QString code = QStringLiteral("B%1").arg(articles / 2 + 100);
    const double typed = bench::fastest([&] { bench::require(articleRow(db, draft, code).has_value(), "article not found"); }, rounds);
    const double bare = bench::fastest([&] {
        QSqlQuery q = db.prepare(QStringLiteral("SELECT Codice, Descrizione, UM, CdIva, idDeposito, PrezzoVen, PrezzoVenEuro "
                                                "FROM Articoli WHERE Codice = ?"));
        q.addBindValue(code);
        db.run(q);
        bench::require(q.next(), "the bare query found nothing");
    }, rounds);
    std::printf("  %s, %d articles: code typed %.3f ms / bare indexed query %.3f ms = %.2f (bar %.1f)\n",
                ProgramFolder::onServer() ? "PostgreSQL" : "SQLite", articles, typed, bare, typed / bare, LookupBar);
    return typed <= LookupBar * bare;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const bool quick = bench::shortRun(argc, argv);
    std::printf("A document of %d rows written by hand, median of %d rounds:\n", DocumentRows, quick ? 3 : 9);
    bool ok = true;
    for (const char* engine : {"sqlite", "postgresql"}) {
        qputenv("BREVANO_ENGINE", engine);
        ok = measureDocument(quick ? 3 : 9) && ok;
        ok = measureLookup(quick ? 100000 : 1000000, quick ? 20 : 100) && ok;
    }
    const double peak = bench::peakMemoryMB();
    std::printf("  peak memory %.1f MB (bar %.0f MB)\n", peak, MemoryBarMB);
    return bench::verdict(ok && peak <= MemoryBarMB);
}
