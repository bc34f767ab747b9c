// Import from the previous generation: the import of the bigger old archive (20,000 articles,
// 5,000 customers) against the floor for the same work, measured in the same run: reading the
// same tables through libmdb and inserting their rows in one transaction.
//   import_bench           best of three
//   import_bench --short   once (the test command's run)
// Exits non-zero when the import takes more than 1.5 times the floor.

#include "benchmark.h"
#include "common/transaction.h"
#include "components/base/baseclass.h"
#include "import/importazione.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <glib.h>
#include <mdbtools.h>

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>
#include <vector>

namespace {

constexpr double Bar = 1.5;

void emptyTargets(const Database& db)
{
    db.execute(JetQuery("DELETE * FROM Articoli"));
    db.execute(JetQuery("DELETE * FROM Clienti"));
}

// The floor: every column bound as text, as libmdb hands it out, and the mapped columns
// inserted with one prepared statement in one transaction.
struct RawTable
{
    const char* oldTable;
    QString insert;
    std::vector<int> sourceColumns;  // 1-based, in the order of the insert's values
};

int rawCopy(MdbHandle* mdb, const Database& target, const RawTable& spec)
{
    MdbTableDef* table = mdb_read_table_by_name(mdb, const_cast<gchar*>(spec.oldTable), MDB_TABLE);
    mdb_read_columns(table);
    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(MDB_BIND_SIZE));
    std::vector<int> lengths(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) mdb_bind_column(table, int(i) + 1, buffers[i].data(), &lengths[i]);
    mdb_rewind_table(table);
    int rows = 0;
    inImmediateTransaction(target, [&] {
        QSqlQuery insert = target.prepare(spec.insert);
        while (mdb_fetch_row(table)) {
            for (size_t i = 0; i < spec.sourceColumns.size(); ++i) {
                const int column = spec.sourceColumns[i] - 1;
                insert.bindValue(int(i), lengths[column] ? QVariant(QString::fromUtf8(buffers[column].data(), lengths[column]))
                                                         : QVariant());
            }
            insert.exec();
            ++rows;
        }
    });
    mdb_free_tabledef(table);
    return rows;
}

double rawFloorMs(const QString& old, const Database& target)
{
    emptyTargets(target);
    return bench::elapsedMs([&] {
        MdbHandle* mdb = mdb_open(QFile::encodeName(old).constData(), MDB_NOFLAGS);
        mdb_read_catalog(mdb, MDB_TABLE);
        rawCopy(mdb, target, {"Articoli",
                             "INSERT INTO Articoli (Codice, Descrizione, idDeposito, PrezzoVen, PrezzoVenEuro, PrezzoAcq, PrezzoAcqEuro,"
                             " PuntoGiacenzaMinima, PuntoGiacenzaMax, Note) VALUES (?, ?, 'DEP', ?, ?, ?, ?, ?, ?, ?)",
                             {1, 2, 3, 4, 5, 6, 7, 8, 9}});
        rawCopy(mdb, target, {"clienti",
                             "INSERT OR IGNORE INTO Clienti (Codice, Denominazione, Indirizzo1, Indirizzo2, Telefono1, Fax, Piva,"
                             " CodFiscale, ContattoCogn, EMAIL, HTTP, Sconto, Fido, ProvvAg, EsenteIVA, Esente, Note)"
                             " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                             {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}});
        mdb_close(mdb);
    });
}

} // namespace

int main(int argc, char** argv)
{
    const bool quick = bench::shortRun(argc, argv);
    QApplication app(argc, argv);
    const QString old =
        QFileInfo(QStringLiteral(BREVANO_SOURCE_DIR "/../shared/fixtures/legacy/BrevanoIV_bigger.mdb")).absoluteFilePath();
    if (!QFileInfo::exists(old)) {
        std::printf("import_bench: SKIPPED, the bigger old archive is not at %s\n", qPrintable(old));
        return 0;
    }

    ScriptedPlatform platform;
    ProgramFolder importFolder, floorFolder;
    auto base = importFolder.makeBase();
    auto* screen = new Importazione(base.get());
    screen->openScreen();
    for (const char* option : {"OpArticoli", "OpClienti"}) screen->findChild<QCheckBox*>(option)->setChecked(true);
    const Database floorArchive = Database::open(floorFolder.dataDb(), ProgramFolder::connectString());

    // The old file is read once before timing, so that both sides find it in the cache.
    rawFloorMs(old, floorArchive);
    const int rounds = quick ? 1 : 3;
    double bestImport = 1e300, bestFloor = 1e300;
    for (int round = 0; round < rounds; ++round) {
        bestFloor = std::min(bestFloor, rawFloorMs(old, floorArchive));
        platform.clear();
        emptyTargets(screen->CurrentArchive);
        bestImport = std::min(bestImport, bench::elapsedMs([&] { screen->ImportTables(old); }));
    }
    QStringList shown;
    for (const auto& message : platform.messages) shown << message.text;
    const bool imported = shown.contains(QStringLiteral("Sono Stati Importati 20000 Articoli su 20000"))
                          && shown.contains(QStringLiteral("Sono Stati Importati 5000 Clienti su 5000"));
    const double ratio = bestImport / bestFloor;
    std::printf("import_bench%s: 20,000 articles + 5,000 customers\n", quick ? " (short)" : "");
    std::printf("  import %.0f ms, libmdb read + one-transaction insert %.0f ms, ratio %.2f (bar %.1f)\n", bestImport,
                bestFloor, ratio, Bar);
    delete screen;
    bench::require(imported, "the import did not report every row");
    return bench::verdict(ratio <= Bar);
}
