// Creating a document of many rows, against a raw insert-select that copies the same rows in one
// transaction, on the same archive in the same run, on SQLite and on PostgreSQL. Each side keeps a
// connection of its own, as the program keeps the company archive open, and appends to a rows
// table of the same shape (FATVERig, FATNCRig). Measured twice: rows numbered 1, 2, 3 without a
// movement, and rows numbered with gaps and a warehouse movement (the raw side copies the movement
// lines too). The bar: creation within 1.5 times the raw copy, as the median of the rounds' ratios.
//   creation_bench [--short]
#include "benchmark.h"
#include "common/database.h"
#include "components/base/baseclass.h"
#include "documents/documentcreation.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>

namespace {

constexpr int DocumentRows = 10000;
constexpr double Bar = 1.5;
constexpr qint32 SourceNumInt = 900;

const char* const RowColumns = "Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, "
                               "Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, "
                               "TotRigaLit, TotRigaEuro";

// Rounds of one path on a fresh data folder of the engine the environment names: their ratio.
double measure(bool gapsAndMovement, int rounds)
{
    ScriptedPlatform platform;
    ProgramFolder folder;
    const auto base = folder.makeBase();
    const Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());

    // A delivery note of the previous day with DocumentRows full rows.
    const QString sourceDate = platform.todayDate.addDays(-1).toString(Qt::ISODate);
    const QString today = platform.todayDate.toString(Qt::ISODate);
    const QString sourceNumber = QString::number(SourceNumInt);
    db.run(QStringLiteral("INSERT INTO DDTTes (DataReg, NumInt, Numero, idEsercizio, TotDDTLire, TotDDTLEURO) "
                          "VALUES ('%1', %2, %2, '%3', 1000, 0.52)").arg(sourceDate, sourceNumber, base->FiscalYear));
    db.run(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                          "INSERT INTO DDTRig (DataReg, NumInt, Riga, %2) "
                          "SELECT '%3', %4, i * %5, 'DEP', 'A', 'ART00' || (i % 8 + 1), 'Articolo di prova numero ' || i, "
                          "'PZ', '20', i % 50 + 1, 18000.0, 9.3, 5.0, 900.0, 0.46, 17100.0, 8.83, 3420.0, 1.77, "
                          "20520.0, 10.6 FROM n")
               .arg(QString::number(DocumentRows), QLatin1String(RowColumns), sourceDate, sourceNumber,
                    gapsAndMovement ? QStringLiteral("3") : QStringLiteral("1")));

    // A server gathers its statistics of a table soon after many rows arrive; the bench does not wait for it.
    if (ProgramFolder::onServer()) db.run(QStringLiteral("ANALYZE"));

    const CreationRequest request{.sourceType = SourceKind::DeliveryNote, .targetType = TargetKind::ImmediateInvoice,
                                  .sourceKindName = QStringLiteral("D.D.T."), .sourceDataReg = platform.todayDate.addDays(-1),
                                  .sourceNumInt = SourceNumInt, .sourceNumero = sourceNumber,
                                  .movementRequested = gapsAndMovement, .movementDate = platform.todayDate.toString(QStringLiteral("dd/MM/yyyy")),
                                  .movementReason = QStringLiteral("VEN")};

    const Database copying = Database::open(folder.dataDb(), ProgramFolder::connectString());
    std::vector<double> rawTimes, creationTimes;
    for (int round = 0; round < rounds; ++round) {
        const QString roundNumber = QString::number(round + 1);
        const auto raw = [&] {
            copying.run(QStringLiteral("BEGIN"));
            copying.run(QStringLiteral("INSERT INTO FATNCRig (DataReg, NumInt, Riga, %1) SELECT '%2', %3, Riga, %1 "
                                       "FROM DDTRig WHERE DataReg = '%4' AND NumInt = %5")
                            .arg(QLatin1String(RowColumns), today, roundNumber, sourceDate, sourceNumber));
            if (gapsAndMovement)
                copying.run(QStringLiteral("INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, "
                                           "idArticolo, Deposito, Quantita, Segno, PUnitLit, PUnitEuro) SELECT '%1', %2, "
                                           "'RAW', '%3', Riga, idArticolo, Deposito, Quantita, '-', PUnitLit, PUnitEuro "
                                           "FROM DDTRig WHERE DataReg = '%4' "
                                           "AND NumInt = %5")
                                .arg(today, roundNumber, base->FiscalYear, sourceDate, sourceNumber));
            copying.run(QStringLiteral("COMMIT"));
        };
        CreationResult result;
        const std::function<void()> sides[] = {raw, [&] { result = createDocument(base->documentSession(), request); }};
        // Each side goes first in every other round: neither always follows the other's writes.
        for (const int side : {round % 2, 1 - round % 2})
            (side ? creationTimes : rawTimes).push_back(bench::elapsedMs(sides[side]));
        bench::require(result.status == CreationResult::Status::Created, "the document was not created");
    }
    const double ratio = bench::pairedRatio(creationTimes, rawTimes);
    std::printf("  %s, %s: creation %.1f ms, raw insert-select %.1f ms (medians); ratio %.2f\n",
                ProgramFolder::onServer() ? "PostgreSQL" : "SQLite", gapsAndMovement ? "numbers with gaps and a movement" : "rows 1, 2, 3",
                bench::percentile(creationTimes, 0.5), bench::percentile(rawTimes, 0.5), ratio);
    return ratio;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = bench::shortRun(argc, argv) ? 25 : 41;
    std::printf("Creating a document of %d rows, median of %d rounds (bar %.1f on each engine):\n", DocumentRows, rounds, Bar);
    bool ok = true;
    for (const char* engine : {"sqlite", "postgresql"}) {
        qputenv("BREVANO_ENGINE", engine);
        for (const bool gapsAndMovement : {false, true}) ok = measure(gapsAndMovement, rounds) <= Bar && ok;
    }
    return bench::verdict(ok);
}
