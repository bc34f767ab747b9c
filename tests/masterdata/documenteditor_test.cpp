// Documents and warehouse movements written by hand on every document screen, Movimenti Magazzino and Apertura
// Giacenze, from the keyboard alone: written, saved, reopened, corrected and deleted, and read back as another program
// reads them; a second workstation is kept out while one corrects a document.
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include "components/base/recordsetmodel.h"
#include "documents/documentkinds.h"

#include <QSqlQuery>
#include <QTableView>

namespace {

struct EditorCase { const char *tool, *screen, *kind, *variant; bool supplier; };

void PrintTo(const EditorCase& c, std::ostream* os) { *os << c.screen; }

class EditorTest : public MainWindowTest
{
protected:
    QStringList header(const DocumentKind& kind, const QString& columns) const
    {
        return program.rows("data.mdb", "SELECT " + columns + " FROM " + kind.headerTable + " WHERE DataReg = '" + Year + "-12-31'");
    }
    const QString Year = QString::number(QDate::currentDate().year());
};

class DocumentEditorWalk : public EditorTest, public ::testing::WithParamInterface<EditorCase> {};

TEST_P(DocumentEditorWalk, WritesSavesReopensCorrectsAndDeletesADocumentFromTheKeyboard)
{
    const EditorCase c = GetParam();
    const DocumentKind& kind = *documentKind(c.kind);
    QWidget* s = openActive(c.tool, c.screen);
    const int listed = ui::find<QTableView>(s, "TDBGTestate")->model()->rowCount();

    startDocument("X9");  // an unknown counterpart keeps the cursor, its code selected
    EXPECT_EQ(platform.lastText(), QString(c.supplier ? "Fornitore" : "Cliente") + " sconosciuto: X9");
    platform.messages.clear();
    key(Qt::Key_Backspace);  // emptied and left, it has nothing to say yet
    key(Qt::Key_Tab);
    EXPECT_EQ(messages(), QStringList());
    ui::find<QLineEdit>(s, c.supplier ? "CodiceFornitore" : "CodiceCliente")->setFocus();
    typeKeys(c.supplier ? "F001" : "C001");
    key(Qt::Key_Tab);
    key(Qt::Key_S, Qt::ControlModifier);  // refused without rows: the cursor on a first row, ready
    EXPECT_EQ(messages(), QStringList("MESSAGE|critical|ok|Brevano V|Documento non salvato. Manca:\\r- almeno una riga"));
    EXPECT_EQ(ui::find<QTableView>(s, "TDBGRigheDocumento")->model()->rowCount(), 1);
    platform.messages.clear();
    typeKeys("ART001");
    tabs(3);
    typeKeys("2");
    key(Qt::Key_Tab, Qt::ControlModifier);  // out of the cell being typed and of the grid
    // The totals follow the typing, the customer's discount stands in the header: see the snapshot.
    EXPECT_EQ(changedFrom(QString("Editor-") + c.screen, s), QString());
    ui::find<QLineEdit>(s, "NoteDoc")->setText("Nota provvisoria");
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList());

    // Saved as another program reads it: the counterpart's copy, the variant, the rows, the totals.
    const QString euro = kind.supplierCounterpart ? "EURO" : "LEURO";
    const QString total = "Tot" + kind.code + euro;
    EXPECT_EQ(header(kind, "COALESCE(DSCli, DSFor), NoteDoc, " + total),
              QStringList(QString(c.supplier ? "Utensileria Italiana S.p.A.|Nota provvisoria|13.63" : "Rossi Ferramenta S.n.c.|Nota provvisoria|21.19")));
    if (QString(c.variant) != "-") {
        EXPECT_EQ(header(kind, "COALESCE(TipoFattura, '')"), QStringList(c.variant));
    }
    const QString number = header(kind, "NumInt").value(0);
    EXPECT_EQ(program.rows("data.mdb", "SELECT idArticolo, Descrizione, Quantita FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"),
              QStringList("ART001|Martello da carpentiere 500 g|2"));

    // Reopened (the last of the list), corrected, saved again under the same number.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_F2);
    QTest::keyClicks(ui::find<QLineEdit>(s, "NoteDoc"), "x");  // typed in the header: Esc asks, No keeps it
    platform.answers.enqueue(Platform::Answer::No);
    key(Qt::Key_Escape);
    EXPECT_EQ(platform.lastText(), "Annullare le modifiche al documento?");
    tabs(5);
    typeKeys("4");
    // The demo company keeps its books in lire: the lire price is typed, the euro one follows at the company's rate;
    // walked past, the euro price and the discount keep their values; the VAT code is typed over.
    key(Qt::Key_Tab);
    typeKeys("20000");
    key(Qt::Key_Tab);
    const QAbstractItemModel* rows = ui::find<QTableView>(s, "TDBGRigheDocumento")->model();
    EXPECT_EQ(rows->headerData(5, Qt::Horizontal).toString() + " " + rows->index(0, 5).data().toString(), "Prezzo Euro 10,33");
    tabs(2);
    typeKeys("10");
    ui::find<QLineEdit>(s, "NoteDoc")->clear();  // a note taken away is taken away in the archive
    key(Qt::Key_S, Qt::ControlModifier);  // saved with the cell still open: what it holds is saved

    // Stored under its number: 4 × 20.000 lire, less the customer's 5%, plus 10%, is 83.600 lire (43,18 €).
    EXPECT_EQ(program.storedChanged(c.screen, {kind.headerTable, kind.rowsTable}, " WHERE DataReg = '" + Year + "-12-31'"), QString());

    // Deleted, after a question; kept and still picked when the answer is no.
    key(Qt::Key_End, Qt::ControlModifier);
    platform.answers.enqueue(Platform::Answer::No);
    key(Qt::Key_Delete, Qt::ControlModifier);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(header(kind, "NumInt"), QStringList());
    EXPECT_EQ(ui::find<QTableView>(s, "TDBGTestate")->model()->rowCount(), listed) << "the list read again without it";
    EXPECT_EQ(program.rows("data.mdb", "SELECT COUNT(*) FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"), QStringList("0"));
}

INSTANTIATE_TEST_SUITE_P(EveryDocumentScreen, DocumentEditorWalk,
    ::testing::Values(EditorCase{"BDDT", "objddt", "DDT", "-", false}, EditorCase{"BRESO", "objreso", "RESO", "-", false},
                      EditorCase{"BPREV", "objprev", "PREV", "-", false}, EditorCase{"BORDVE", "objORDVE", "ORDVE", "-", false},
                      EditorCase{"BORDAC", "objORDAC", "ORDAC", "-", true}, EditorCase{"BFATVE", "objFATVE", "FATVE", "", false},
                      EditorCase{"BFATPRO", "objFATPRO", "FATVE", "PF", false}, EditorCase{"BFATSE", "objFATSE", "FATVE", "FS", false},
                      EditorCase{"BFATAC", "objFATAC", "FATAC", "-", true}, EditorCase{"BFATNC", "objFATNC", "FATNC", "", false},
                      EditorCase{"BFATND", "objFATND", "FATNC", "ND", false}),
    [](const auto& info) { return std::string(info.param.screen).substr(3); });

struct MovementCase
{
    const char *tool, *screen, *refusedReason, *refusal, *reason, *origin;
    double typed, corrected;  // ART001 in DEP after the movement, and after its correction
};

void PrintTo(const MovementCase& c, std::ostream* os) { *os << c.screen; }

class MovementEditorWalk : public EditorTest, public ::testing::WithParamInterface<MovementCase>
{
protected:
    // What the open stock screen shows for ART001 in DEP.
    double stock(QWidget* screen) const
    {
        auto* items = static_cast<RecordsetModel*>(ui::find<QTableView>(screen, "TDBGTestate")->model());
        for (int r = 0; r < items->rowCount(); ++r)
            if (items->value(r, "Articolo") == "ART001" && items->value(r, "Deposito") == "DEP")
                return items->value(r, "Giacenza").toDouble();
        return 0;
    }
    // The movements of the 31st as another program reads them, against their snapshot.
    QString stored(const QString& name) const
    {
        return program.storedChanged(name, {"MovMagTes", "MovMagRig"}, " WHERE DataReg = '" + Year + "-12-31'");
    }
    void walk(QWidget* s, QWidget* stockScreen, const MovementCase& c)
    {
        startDocument("XYZ");  // the reason stands where a document's counterpart does
        EXPECT_EQ(ui::problems(s, s->parentWidget() ? s->parentWidget() : s), QStringList()) << "the editor fits";
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "idCausale") << "an unknown reason keeps the cursor";
        typeKeys(c.refusedReason);
        key(Qt::Key_Tab);
        // An unknown article or warehouse keeps the cursor in its cell; letters never reach a quantity.
        for (const char* typed : {"ART999", "ART001"}) {
            typeKeys(typed);
            key(Qt::Key_Tab);
        }
        key(Qt::Key_Tab);
        for (const char* typed : {"XX", "DEP"}) {
            typeKeys(typed);
            key(Qt::Key_Tab);
        }
        typeKeys("7a");
        tabs(2);  // past the lire price: the euro one is typed
        typeKeys("2,5");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "idCausale") << "a reason of the wrong sign is refused";
        qobject_cast<QLineEdit*>(QApplication::focusWidget())->insert(QString(c.reason).insert(1, u'\t'));  // pasted: the tab stays out
        ui::type(s, "Note", "Merce in prova");  // shown again when reopened, so kept by the correction
        key(Qt::Key_S, Qt::ControlModifier);
        const QString reasonShown = ui::text(s, "LBLCausale");
        EXPECT_TRUE(reasonShown.endsWith(QString(c.reason) == "SCA" ? " (scarico)" : " (carico)")) << reasonShown.toStdString();
        EXPECT_EQ(messages(), (QStringList{"MESSAGE|critical|ok|Brevano V|Causale di magazzino sconosciuta: XYZ", "MESSAGE|critical|ok|Brevano V|Articolo sconosciuto: ART999",
                                           "MESSAGE|critical|ok|Brevano V|Deposito sconosciuto: XX", QString("MESSAGE|critical|ok|Brevano V|") + c.refusal}));
        EXPECT_EQ(stored(QString(c.screen) + "-saved"), QString());
        EXPECT_EQ(stock(stockScreen), c.typed) << "the stock screen shows it at once";

        // Reopened under its lock, corrected; Esc asks before dropping what was typed.
        key(Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_F2);
        EXPECT_EQ(program.lockHolders().size(), 1);
        tabs(5);
        typeKeys("0");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::ControlModifier);  // refused: the cursor goes back to the quantity
        typeKeys("5");
        key(Qt::Key_Escape);  // drops what the cell's editor holds, and nothing more, unasked
        EXPECT_EQ(platform.lastText(), "Riga 1 - Indicare una quantità maggiore di zero.");
        typeKeys("9");
        key(Qt::Key_Return);
        platform.answers.enqueue(Platform::Answer::No);
        key(Qt::Key_Escape);
        key(Qt::Key_Escape);
        EXPECT_EQ(platform.lastText(), "Annullare le modifiche al movimento?");
        key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(stored(c.screen), QString());
        EXPECT_EQ(program.lockHolders(), QStringList());
        EXPECT_EQ(stock(stockScreen), c.corrected);
        platform.todayDate.setDate(platform.todayDate.year(), platform.todayDate.month(), 28);
        key(Qt::Key_N, Qt::ControlModifier);  // the next movement starts blank, dated today
        EXPECT_EQ(changedFrom(QString("Movimento-") + c.screen, s), QString());
        key(Qt::Key_Escape);

        key(Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(stored(QString(c.screen) + "-deleted"), QString());
        EXPECT_EQ(stock(stockScreen), -10);
    }
};

TEST_P(MovementEditorWalk, WritesSavesReopensCorrectsAndDeletesAMovementAndTheStockFollows)
{
    const MovementCase c = GetParam();
    QWidget* stockScreen = openActive("BGiacArt", "objgiacenze");
    if (QString(c.screen) == "objapergiac") {  // a dialog of its own
        ui::onNextModal([&](QWidget* dialog) {
            QApplication::setActiveWindow(dialog);
            ui::find(dialog, "TDBGTestate")->setFocus();
            walk(dialog, stockScreen, c);
            ui::click(dialog, "BEsci");
        });
        click(c.tool);
    } else {
        click(c.tool);
        walk(screen(c.screen), stockScreen, c);
    }
}

INSTANTIATE_TEST_SUITE_P(BothMovementScreens, MovementEditorWalk,
    ::testing::Values(MovementCase{"BMovMaga", "objmovmaga", "NEU",
                                   "Causale con Segno Operazione Errata: il movimento carica (+) o scarica (-).", "SCA", "-", -17, -19},
                      MovementCase{"BAperGiac", "objapergiac", "SCA",
                                   "Causale con Segno Operazione Errata: l'apertura delle giacenze è un carico (+).", "CAR",
                                   "Apertura Giacenze", -3, -1}),
    [](const auto& info) { return std::string(info.param.screen).substr(3); });

// While one workstation corrects a document, another is refused, told who holds it; once deleted, it is not found.
TEST_F(MainWindowTest, ASecondWorkstationCannotCorrectOrDeleteADocumentBeingCorrected)
{
    Workstation first(program, "admin", "PC1"), second(program, "mario", "PC2");
    EXPECT_EQ(first.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_EQ(first.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(second.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_TRUE(second.ask("click BModifica").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
    EXPECT_TRUE(second.ask("click BElimina").contains("Dato in Modifica da Altro Utente. Impossibile Eliminare"));
    EXPECT_EQ(program.lockHolders(), QStringList("admin@PC1"));
    // Let go and deleted by the first, the document is gone from under the second's list.
    EXPECT_EQ(first.ask("close"), "editing=0 screens=0");
    first.ask("click BDDT");
    EXPECT_EQ(first.ask("click BElimina").count(" | "), 1) << "asked once";
    EXPECT_TRUE(second.ask("click BModifica").endsWith("|Documento non trovato: aggiornare l'elenco."));
    EXPECT_EQ(program.lockHolders(), QStringList());
}

// A save the archive fails half way writes nothing, takes no number, says so in Italian and keeps
// what was typed; once the fault is gone the same save stores it. The delivery time is hh:mm.
TEST_F(EditorTest, AFailedSaveWritesNothingKeepsWhatWasTypedAndTheNextSaveStoresIt)
{
    QWidget* s = openActive("BDDT", "objddt");
    const auto archive = [&] {
        return program.rows("data.mdb", "SELECT idCodice, Progressivo FROM Numeratori ORDER BY idTipo, idCodice, idEsercizio")
               + program.rows("data.mdb", "SELECT (SELECT COUNT(*) FROM DDTTes) + (SELECT COUNT(*) FROM DDTRig) + "
                                          "(SELECT COUNT(*) FROM MovMagTes)");
    };
    const QStringList before = archive();
    startDocument("C001");
    typeKeys("ART001");
    key(Qt::Key_Return);
    auto* time = ui::find<QLineEdit>(s, "OraCons");
    time->setFocus();
    key(Qt::Key_Home);
    typeKeys("2575");
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(platform.lastText(), "Ora di consegna non valida: scrivere ore e minuti (hh:mm).");
    typeKeys("0930");

    program.refuseWrites("data.mdb", "INSERT", "DDTRig");
    key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[1].startsWith("MESSAGE|critical|ok|Brevano V|") && !messages()[1].contains("|disco pieno"))
        << "the program's sentence, the engine's words at most a detail: " << messages()[1].toStdString();
    EXPECT_EQ(archive(), before) << "no header, row, movement or number";
    auto* rows = ui::find<QTableView>(s, "TDBGRigheDocumento")->model();
    EXPECT_EQ(QStringList({ui::text(s, "CodiceCliente"), time->text(), rows->index(0, 0).data().toString()}),
              QStringList({"C001", "09:30", "ART001"}));

    program.refuseWrites("data.mdb", "INSERT", "DDTRig", false);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages().size(), 2);
    const QString number =
        program.rows("data.mdb", "SELECT Progressivo FROM Numeratori WHERE idCodice = 'DDT' AND idEsercizio = '" + Year + "'").value(0);
    EXPECT_EQ(header(*documentKind("DDT"), "NumInt, OraCons"), QStringList(number + "|09:30"));
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_F2);
    EXPECT_EQ(time->text(), "09:30");
}

// Rows are inserted, moved and deleted from the keyboard; a row never moves past either end, Enter outside a cell being
// typed goes to the next cell, Tab from a row's last typed cell to the next row. The rows are saved in the order shown.
TEST_F(EditorTest, RowsAreInsertedMovedAndDeletedFromTheKeyboard)
{
    QWidget* s = openActive("BDDT", "objddt");
    startDocument("C001");
    auto* grid = ui::find<QTableView>(s, "TDBGRigheDocumento");
    const auto article = [&](const char* code) { return [&, code] { typeKeys(code); key(Qt::Key_Return); }; };
    const struct { const char* what; std::function<void()> act; QStringList articles; int row, column; } steps[] = {
        {"typed", article("ART001"), {"ART001"}, 0, 1},
        {"Esc leaves the next cell untyped", [&] { key(Qt::Key_Escape); }, {"ART001"}, 0, 1},
        {"Enter outside a cell being typed", [&] { key(Qt::Key_Return); }, {"ART001"}, 0, 2},
        {"inserted above", [&] { key(Qt::Key_Insert); }, {"", "ART001"}, 0, 0},
        {"typed", article("ART004"), {"ART004", "ART001"}, 0, 1},
        {"Ctrl+Sinistra and Canc while a cell is typed, then Esc", [&] { typeKeys("XY"); key(Qt::Key_Left, Qt::ControlModifier);
             key(Qt::Key_Delete); EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), "Y");
             key(Qt::Key_Escape); EXPECT_EQ(QApplication::focusWidget(), grid); }, {"ART004", "ART001"}, 0, 1},
        {"moved up at the top", [&] { key(Qt::Key_Up, Qt::ControlModifier); }, {"ART004", "ART001"}, 0, 1},
        {"moved down", [&] { key(Qt::Key_Down, Qt::ControlModifier); }, {"ART001", "ART004"}, 1, 1},
        {"moved down at the bottom", [&] { key(Qt::Key_Down, Qt::ControlModifier); }, {"ART001", "ART004"}, 1, 1},
        {"inserted between", [&] { key(Qt::Key_Insert); }, {"ART001", "", "ART004"}, 1, 0},
        {"an unknown article, then Ins", [&] { typeKeys("XYZ"); key(Qt::Key_Insert); EXPECT_EQ(platform.lastText(), "Articolo sconosciuto: XYZ"); },
         {"ART001", "", "ART004"}, 1, 0},
        {"picked from the list F4 opens, searched in any case", [&] {
             ui::onNextModal([](QWidget* list) { ui::type(list, "tCerca", "200 PZ"); ui::click(list, "BTNOK"); });
             key(Qt::Key_F4);
             QApplication::setActiveWindow(window.get()); }, {"ART001", "ART003", "ART004"}, 1, 0},
        {"moved up", [&] { key(Qt::Key_Up, Qt::ControlModifier); }, {"ART003", "ART001", "ART004"}, 0, 0},
        {"deleted while typed over", [&] { typeKeys("ART005"); key(Qt::Key_Delete, Qt::ControlModifier); }, {"ART001", "ART004"}, 0, 0},
        {"Tab from the last typed cell of a row", [&] { grid->setCurrentIndex(grid->model()->index(0, 7)); key(Qt::Key_Tab); },
         {"ART001", "ART004"}, 1, 0}};
    const QAbstractItemModel* rows = grid->model();
    int amountColumn = 0;
    while (rows->headerData(amountColumn, Qt::Horizontal).toString() != "Importo Euro") ++amountColumn;
    QHash<QString, QString> amounts{{"", ""}};  // each article's amount as first shown; none on an empty row
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        QStringList shown;
        for (int r = 0; r < grid->verticalHeader()->count(); ++r) {  // the rows the grid shows
            shown << rows->index(r, 0).data().toString();
            const QString amount = rows->index(r, amountColumn).data().toString();
            if (!amounts.contains(shown.last())) amounts.insert(shown.last(), amount);
            EXPECT_EQ(amount, amounts[shown.last()]) << "row " << r << " shows its own amount";
        }
        EXPECT_EQ(shown, step.articles);
        EXPECT_EQ(QPoint(grid->currentIndex().column(), grid->currentIndex().row()), QPoint(step.column, step.row));
    }
    // F4 on each coded field of the header lists its table, a name beside each code.
    for (const char* field : {"idCausaleDoc", "idPagamento", "idAgente", "idVett1"}) {
        ui::onNextModal([&, field](QWidget* list) {
            EXPECT_EQ(changedFrom(QString("Lookup-") + field, list), QString());
            ui::click(list, "BTNAnnulla");
        });
        QTest::keyClick(ui::find<QWidget>(s, field), Qt::Key_F4);
        ui::settle();
    }
    QApplication::setActiveWindow(window.get());
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(program.rows("data.mdb", "SELECT r.Riga, r.idArticolo FROM DDTRig r JOIN DDTTes t ON t.DataReg = r.DataReg AND "
                                       "t.NumInt = r.NumInt WHERE t.DataReg = '" + Year + "-12-31' ORDER BY r.Riga"),
              (QStringList{"1|ART001", "2|ART004"}));
}

// A price list's prices are typed on its screen as a document's rows are; an unknown or repeated
// article is refused by name, and the prices are written with the list, in its transaction.
TEST_F(EditorTest, APriceListsPricesAreTypedOnItsScreenAndSavedWithTheList)
{
    QWidget* s = openActive("BListini", "Listini");
    const QString stored = "SELECT l.[Desc], p.idArticolo, p.Prezzo, p.PrezzoEuro FROM Listini l LEFT JOIN ListiniPrezzi p "
                           "ON p.idListino = l.Codice WHERE l.Codice = 'L1'";
    key(Qt::Key_F2);
    typeKeys("Rivenditori");
    ui::find<QTableView>(s, "TDBGPrezzi")->setFocus();
    typeKeys("ART002");
    tabs(3);
    EXPECT_EQ(ui::find<QTableView>(s, "TDBGPrezzi")->model()->index(0, 3).data().toString(), "3,36") << "the article's price";
    typeKeys("3,1");
    key(Qt::Key_Backtab);
    typeKeys("6000");
    key(Qt::Key_Tab);
    key(Qt::Key_F2);  // the price in euro left as shown keeps the price in lire as typed
    key(Qt::Key_Return);  // a new row
    typeKeys("XYZ");
    key(Qt::Key_Return);
    EXPECT_EQ(platform.lastText(), "Articolo sconosciuto: XYZ");
    key(Qt::Key_Left);
    typeKeys("art002");
    key(Qt::Key_Tab);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui::text(s, "ErrorBar_1"), "Riga 2: l'articolo ART002 è già nel listino");
    key(Qt::Key_Delete, Qt::ControlModifier);
    program.exec("data.mdb", "UPDATE Articoli SET Codice = 'ART002X' WHERE Codice = 'ART002'");  // by another workstation
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ui::text(s, "ErrorBar_1"), "Riga 1: articolo sconosciuto: ART002");
    program.exec("data.mdb", "UPDATE Articoli SET Codice = 'ART002' WHERE Codice = 'ART002X'");
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(program.rows("data.mdb", stored), QStringList("Rivenditori|ART002|6000|3.1"));

    // A save the archive fails half way leaves the list and its prices as they were.
    key(Qt::Key_F2);
    typeKeys("Grossisti");
    program.refuseWrites("data.mdb", "INSERT", "ListiniPrezzi");
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(ui::text(s, "ErrorBar_1").isEmpty());
    EXPECT_EQ(program.rows("data.mdb", stored), QStringList("Rivenditori|ART002|6000|3.1"));
    key(Qt::Key_Escape);
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(ui::find<QTableView>(s, "TDBGPrezzi")->model()->rowCount(), 0) << "a new list starts without prices";
    key(Qt::Key_Escape);
    platform.answers.enqueue(Platform::Answer::Yes);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(program.rows("data.mdb", "SELECT COUNT(*) FROM ListiniPrezzi"), QStringList("0")) << "the prices go with the list";
}

} // namespace
