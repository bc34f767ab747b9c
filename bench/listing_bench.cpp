// Lists of an archive with a great many rows open, jump and find as fast as the bare queries
// that read the same rows, and the process stays small however far a list is scrolled:
//  - step 3 of the document wizard on the delivery notes, also with the archives on PostgreSQL;
//  - the articles screen: its first page, "Ultimo", scrolling from the first row to the last;
//  - the delivery-note browser: its first page and its last row;
//  - a code typed in a look-up of the customers.
//   listing_bench            1,000,000 rows in each table
//   listing_bench --short      200,000 (what the test command runs), against 2.5 times the bare
//                              query: figures of about a millisecond vary by a third from one
//                              round to the next beside the other tests' leftovers
#include "benchmark.h"
#include "common/jetcollation.h"
#include "components/base/baseclass.h"
#include "components/base/datagrid.h"
#include "components/base/lookupdialog.h"
#include "components/modules/modulecomponent.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"
#include "wizard/autocomp.h"
#include "documents/sourcelist.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QSqlQuery>
#include <QTableView>

namespace {

constexpr double RatioBar = 2.0;
constexpr double ShortRunRatioBar = 2.5;
constexpr double MemoryBarMB = 150.0;
constexpr int Repeats = 11;

const QDate FirstDay{2041, 3, 1};
const QDate LastDay{2041, 12, 31};

// Delivery notes spread over the days of the listed range, and on SQLite as many articles and
// customers: each table written by one statement of the engine itself.
void fillArchive(const QString& path, int rows)
{
    const Database db = Database::open(path, ProgramFolder::connectString());
    const bool server = ProgramFolder::onServer();
    const QString numbers = server ? QStringLiteral("generate_series(1, %1) AS n(i)").arg(rows) : QStringLiteral("n");
    const QString counting =
        server ? QString()
               : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ").arg(rows);
    const QString day = (server ? QStringLiteral("to_char(DATE '%1' + ((i - 1) * %2 / %3)::int, 'YYYY-MM-DD')")
                                : QStringLiteral("date('%1', '+' || ((i - 1) * %2 / %3) || ' days')"))
                            .arg(FirstDay.toString(Qt::ISODate)).arg(FirstDay.daysTo(LastDay) + 1).arg(rows);
    db.run(counting + QStringLiteral("INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, "
                                     "DSCli, TotDDTLire, TotDDTLEURO) SELECT %1, i, i, 'VEN', '2041', CASE WHEN i % 7 = 0 "
                                     "THEN 99 ELSE i % 5 + 1 END, 'Cliente', 1000.0 * (i % 997), 0.52 * (i % 997) FROM %2")
                          .arg(day, numbers));
    if (server) {
        db.run(QStringLiteral("ANALYZE ddttes"));
        return;
    }
    db.run(counting + QStringLiteral("INSERT INTO Articoli (Codice, Descrizione, UM, CdIva, PrezzoVen, PrezzoVenEuro) "
                                     "SELECT printf('B%07d', i), 'Articolo numero ' || i, 'PZ', '20', 1000.0 * (i % 97), "
                                     "0.52 * (i % 97) FROM n"));
    db.run(counting + QStringLiteral("INSERT INTO Clienti (Codice, Denominazione, Localita1) "
                                     "SELECT printf('K%07d', i), 'Cliente numero ' || i, 'MILANO' FROM n"));
}

// The bare query as a list needs it: open the archive, run the query, read its rows.
std::function<void()> bareQuery(const QString& path, const QString& sql, int expected)
{
    return [=] {
        const Database db = Database::open(path, ProgramFolder::connectString(), true);
        QSqlQuery rows = db.prepare(sql);
        db.run(rows);
        int read = 0;
        for (QVariant last; rows.next(); ++read)
            for (int c = 0; c < 4; ++c) last = rows.value(c);
        bench::require(read >= expected, "the bare query read too few rows");
    };
}

struct Figure { const char* what; double ms, bareMs, ratio; };

// The program and the bare query round by round: both sides of a round share the machine's load,
// and the median of the rounds' ratios is the figure.
Figure paired(const char* what, const std::function<void()>& program, const std::function<void()>& bare, int turns = Repeats)
{
    std::vector<double> programMs, bareMs;
    for (int turn = 0; turn < turns; ++turn) {
        programMs.push_back(bench::elapsedMs(program));
        bareMs.push_back(bench::elapsedMs(bare));
    }
    return {what, bench::percentile(programMs, 0.5), bench::percentile(bareMs, 0.5), bench::pairedRatio(programMs, bareMs)};
}

void waitForCount(QTableView* grid, int rows)
{
    bench::require(QTest::qWaitFor([&] { return grid->model()->rowCount() >= rows; }, 60000), "the list was not read to its end");
}

// Step 3 of the wizard: from step 2's "Avanti" to the first page of the list in the grid.
Figure wizardStep3(const char* what, BaseClass* base, const std::function<void()>& bare)
{
    auto* wizard = new AutoComp(base);
    wizard->openScreen();
    wizard->show();
    ui::settle();
    ui::click(wizard, "CMD1");
    ui::choose(wizard, "CBLista1", "Bolla di Reso");
    ui::click(wizard, "CMD4");
    const Figure figure = paired(what, [&] {
        ui::click(wizard, "CMD7");
        bench::require(wizard->CurrentPage == 4 && ui::find<QTableView>(wizard, "GridRic")->model()->rowCount() > 0,
                       "step 3 did not show the list");
        ui::click(wizard, "CMD10");
    }, bare);
    delete wizard;
    return figure;
}

// The wizard's list of delivery notes as the bare query, its first hundred rows.
QString sourceListText(SqlEngine engine)
{
    const JetQuery list = sourceListQuery({SourceKind::DeliveryNote, FirstDay, LastDay});
    QString sql = list.executedText(engine, {});
    for (const QVariant& v : list.bindings()) sql.replace(sql.indexOf(u'?'), 1, u'\'' + v.toString() + u'\'');
    return sql + QStringLiteral(" LIMIT 100");
}

} // namespace

int main(int argc, char** argv)
{
    const bool shortMode = bench::shortRun(argc, argv);
    QApplication app(argc, argv);
    const int rows = shortMode ? 200000 : 1000000;

    ScriptedPlatform platform;
    platform.todayDate = QDate(2041, 3, 5);
    ProgramFolder folder;
    QFile::copy(ProgramFolder::builtProgramDir() + QStringLiteral("/Layout.grx"), folder.file("Layout.grx"));
    auto base = folder.makeBase();
    base->FiscalYear = QStringLiteral("2041");
    const QString dataDb = folder.dataDb();

    const double fillMs = bench::elapsedMs([&] { fillArchive(dataDb, rows); });
    std::printf("listing_bench: %d delivery notes, articles and customers written in %.1f s\n", rows, fillMs / 1000);
    std::vector<Figure> figures;

    figures.push_back(wizardStep3("wizard step 3, first page", base.get(), bareQuery(dataDb, sourceListText(SqlEngine::SQLite), 100)));
    {
        qputenv("BREVANO_ENGINE", "postgresql");
        ProgramFolder server;
        auto serverBase = server.makeBase();
        serverBase->FiscalYear = QStringLiteral("2041");
        fillArchive(server.dataDb(), rows);
        figures.push_back(wizardStep3("wizard step 3, first page, PostgreSQL", serverBase.get(),
                                      bareQuery(server.dataDb(), sourceListText(SqlEngine::PostgreSQL), 100)));
        qunsetenv("BREVANO_ENGINE");
    }

    // The articles screen: listing its table from the top, then "Ultimo".
    const QString articles = QStringLiteral("SELECT rowid, * FROM Articoli ORDER BY %1, rowid%2 LIMIT 100");
    const QString articleKey = jetOrderKeySql(QStringLiteral("Codice"));
    auto* screen = base->ArticlesForm();
    screen->show();
    ui::settle();
    auto* data = ui::find<DataControl>(screen, "DataTabelle");
    auto* grid = ui::find<DataGrid>(screen, "TDBGTabella");
    figures.push_back(paired("articles, first page", [&] {
                          data->Refresh();
                          grid->ReBind();
                      }, bareQuery(dataDb, articles.arg(articleKey, QString()), 100)));
    waitForCount(grid, rows);
    figures.push_back(paired("articles, Ultimo", [&] {
                          ui::click(screen, "BPrimo");
                          ui::click(screen, "BUltimo");
                          bench::require(grid->currentIndex().row() == grid->model()->rowCount() - 1, "not on the last article");
                      }, bareQuery(dataDb, articles.arg(articleKey + QStringLiteral(" DESC"), QStringLiteral(" DESC")), 100)));

    // A code typed in a look-up of the customers, and Enter.
    const QString customer = QStringLiteral("K%1").arg(rows / 2, 7, 10, QChar(u'0'));
    const Database archive = Database::open(dataDb, ProgramFolder::connectString());
    JetQuery everyCustomer = JetQuery("SELECT * FROM ") << Jet::table(QStringLiteral("Clienti"));
    everyCustomer.orderBy(QStringLiteral(" ORDER BY "), {{QStringLiteral("Codice"), true}});
    const QStringList columns{QStringLiteral("Codice"), QStringLiteral("Denominazione"), QStringLiteral("Localita1")};
    figures.push_back(paired(
        "customers look-up, a code typed", [&] {
            LookupDialog lookup(QStringLiteral("Clienti"), Recordset::open(archive, everyCustomer, Recordset::Type::Snapshot),
                                columns, columns);
            lookup.show();
            ui::type(&lookup, QStringLiteral("tCerca"), customer);
            ui::key(&lookup, QStringLiteral("tCerca"), Qt::Key_Return, QStringLiteral("\r"));
            bench::require(lookup.pickedValue(QStringLiteral("Codice")).toString() == customer, "the customer was not found");
        },
        bareQuery(dataDb,
                  QStringLiteral("SELECT rowid, * FROM Clienti WHERE jet_contains(Codice, '%2') OR "
                                 "jet_contains(Denominazione, '%2') OR jet_contains(Localita1, '%2') ORDER BY %1, rowid LIMIT 100")
                      .arg(articleKey, customer.toLower()), 1),
        3));

    // Scrolling the articles from the first row to the last, a screenful at a time: the grid asks
    // for the values of the rows it shows.
    QElapsedTimer scrolling;
    scrolling.start();
    ui::click(screen, "BPrimo");
    QAbstractItemModel* model = grid->model();
    const int screenful = std::max(1, grid->verticalScrollBar()->pageStep());
    for (int top = 0; top < model->rowCount(); top += screenful) {
        grid->verticalScrollBar()->setValue(top);
        for (int row = top; row < std::min(top + screenful, model->rowCount()); ++row)
            for (int c = 0; c < model->columnCount(); ++c) model->index(row, c).data();
    }
    grid->viewport()->repaint();
    std::printf("listing_bench: scrolled %d articles in %.1f s\n", rows, scrolling.elapsed() / 1000.0);
    screen->close();

    // The delivery-note browser: listing the notes, then its last row.
    WarehouseComponent warehouse;
    warehouse.setObjBase(base.get());
    QMetaObject::invokeMethod(warehouse.objddt(), "Show");
    ui::settle();
    QWidget* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("objddt")) browser = w;
    auto* notes = ui::find<DataGrid>(browser, "TDBGTestate");
    const QString ddt = QStringLiteral("SELECT DataReg, NumInt, Numero, DSCli FROM DDTTes ORDER BY DataReg%1, NumInt%1 LIMIT 100");
    figures.push_back(paired("delivery notes, first page", [&] { ui::click(browser, "BAggiorna"); },
                             bareQuery(dataDb, ddt.arg(QString()), 100)));
    waitForCount(notes, rows);
    figures.push_back(paired("delivery notes, last row", [&] {
                          notes->setCurrentIndex(notes->model()->index(0, 0));
                          QTest::keyClick(notes, Qt::Key_End, Qt::ControlModifier);
                          bench::require(notes->currentIndex().row() == notes->model()->rowCount() - 1, "not on the last note");
                      }, bareQuery(dataDb, ddt.arg(QStringLiteral(" DESC")), 100)));
    browser->close();

    bool ok = true;
    const double bar = shortMode ? ShortRunRatioBar : RatioBar;
    for (const Figure& f : figures) {
        ok = ok && f.ratio <= bar;
        std::printf("listing_bench: %d rows; %-34s %7.2f ms, bare query %7.2f ms, ratio %.2f (bar %.1f)\n", rows,
                    f.what, f.ms, f.bareMs, f.ratio, bar);
    }
    const double memory = bench::peakMemoryMB();
    ok = ok && memory <= MemoryBarMB;
    std::printf("listing_bench: peak memory after scrolling %d articles %.1f MB (bar %.0f MB)\n", rows, memory, MemoryBarMB);
    return bench::verdict(ok);
}
