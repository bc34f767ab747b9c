// Documents and warehouse movements written by hand on every document screen, Movimenti
// Magazzino and Apertura Giacenze, from the keyboard alone: written, saved, reopened, corrected
// and deleted, and read back as another program reads them; a second workstation is kept out
// while one corrects a document.
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include "components/base/recordsetmodel.h"
#include "documents/documentkinds.h"

#include <QApplication>
#include <QTableView>
#include <QTest>

namespace {

struct EditorCase
{
    const char *tool, *screen, *kind, *variant;
    bool supplier;
};

void PrintTo(const EditorCase& c, std::ostream* os) { *os << c.screen; }

class EditorWalk : public MainWindowTest
{
protected:
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        ui::settle();
    }
    // Types into whatever has the focus, one key at a time (a grid's cell editor opens on the first).
    static void typeKeys(const QString& text)
    {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ui::settle();
        }
    }
    const QString Year = QString::number(QDate::currentDate().year());
};

class DocumentEditorWalk : public EditorWalk, public ::testing::WithParamInterface<EditorCase>
{
protected:
    QStringList header(const DocumentKind& kind, const QString& columns) const
    {
        return program.rows("data.mdb", "SELECT " + columns + " FROM " + kind.headerTable + " WHERE DataReg = '" + Year + "-12-31'");
    }
};

TEST_P(DocumentEditorWalk, WritesSavesReopensCorrectsAndDeletesADocumentFromTheKeyboard)
{
    const EditorCase c = GetParam();
    const DocumentKind& kind = *documentKind(c.kind);
    QApplication::setActiveWindow(&openWindow());
    click(c.tool);
    QWidget* s = screen(c.screen);
    ASSERT_TRUE(s);

    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(ui::problems(s, s->parentWidget()), QStringList()) << "the editor fits its frame";
    key(Qt::Key_Home);
    typeKeys("3112" + Year);
    key(Qt::Key_Tab);  // the counterpart, then the rows
    typeKeys(c.supplier ? "F001" : "C001");
    key(Qt::Key_Tab);
    typeKeys("ART001");
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeKeys("2");
    key(Qt::Key_Return);
    ASSERT_EQ(ui::text(s, "LBLTotali"), c.supplier ? "Imponibile € 11,36   I.V.A. € 2,27   Totale Documento € 13,63"
                                                   : "Imponibile € 17,66   I.V.A. € 3,53   Totale Documento € 21,19")
        << "the totals follow the typing";
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages(), QStringList());

    // Saved as another program reads it: the counterpart's copy, the variant, the rows, the totals.
    const QString euro = kind.supplierCounterpart ? "EURO" : "LEURO";
    const QString total = "Tot" + kind.code + euro;
    EXPECT_EQ(header(kind, "COALESCE(DSCli, DSFor), " + total),
              QStringList(QString(c.supplier ? "Utensileria Italiana S.p.A.|13.63" : "Rossi Ferramenta S.n.c.|21.19")));
    if (QString(c.variant) != "-") {
        EXPECT_EQ(header(kind, "COALESCE(TipoFattura, '')"), QStringList(c.variant));
    }
    const QString number = header(kind, "NumInt").value(0);
    EXPECT_EQ(program.rows("data.mdb", "SELECT idArticolo, Descrizione, Quantita FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"),
              QStringList("ART001|Martello da carpentiere 500 g|2"));

    // Reopened (the last of the list), corrected, saved again under the same number.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_F2);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    typeKeys("4");
    key(Qt::Key_Return);
    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(header(kind, "NumInt, " + total), QStringList(number + (c.supplier ? "|27.26" : "|42.4")));

    // Deleted, after a question.
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(header(kind, "NumInt"), QStringList());
    EXPECT_EQ(program.rows("data.mdb", "SELECT COUNT(*) FROM " + kind.rowsTable + " WHERE NumInt = " + number + " AND DataReg = '" + Year + "-12-31'"), QStringList("0"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryDocumentScreen, DocumentEditorWalk,
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

class MovementEditorWalk : public EditorWalk, public ::testing::WithParamInterface<MovementCase>
{
protected:
    QStringList texts() const
    {
        QStringList out;
        for (const auto& m : platform.messages)
            out << m.text;
        return out;
    }
    // What the open stock screen shows for ART001 in DEP.
    double stock(QWidget* screen) const
    {
        auto* items = static_cast<RecordsetModel*>(ui::find<QTableView>(screen, "TDBGTestate")->model());
        for (int r = 0; r < items->rowCount(); ++r)
            if (items->value(r, "Articolo") == "ART001" && items->value(r, "Deposito") == "DEP")
                return items->value(r, "Giacenza").toDouble();
        return 0;
    }
    QStringList lines() const
    {
        return program.rows("data.mdb", "SELECT t.idCausale, t.Segno, COALESCE(t.Origine, '-'), t.NumInt, r.Riga, r.idArticolo, "
                                        "r.Deposito, r.Quantita, r.Segno, r.PUnitEuro FROM MovMagTes t JOIN MovMagRig r ON "
                                        "r.idEsercizio = t.idEsercizio AND r.idCausale = t.idCausale AND r.NumInt = t.NumInt "
                                        "WHERE t.DataReg = '" + Year + "-12-31' ORDER BY r.Riga");
    }
    void walk(QWidget* s, QWidget* stockScreen, const MovementCase& c)
    {
        key(Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(ui::problems(s, s->parentWidget() ? s->parentWidget() : s), QStringList()) << "the editor fits";
        key(Qt::Key_Home);
        typeKeys("3112" + Year);
        key(Qt::Key_Tab);
        typeKeys("XYZ");
        key(Qt::Key_Tab);
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
        key(Qt::Key_Tab);
        typeKeys("2,5");
        key(Qt::Key_Return);
        key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), "idCausale") << "a reason of the wrong sign is refused";
        typeKeys(c.reason);
        key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(texts(), (QStringList{"Causale di magazzino sconosciuta: XYZ", "Articolo sconosciuto: ART999",
                                        "Deposito sconosciuto: XX", c.refusal}));
        const QStringList saved = lines();
        ASSERT_EQ(saved.size(), 1);
        const QString number = saved[0].section('|', 3, 3);
        EXPECT_EQ(saved[0], QString("%1|%3|%2|%4|1|ART001|DEP|7|%3|2.5").arg(c.reason, c.origin, c.reason == QString("CAR") ? "+" : "-", number));
        EXPECT_EQ(stock(stockScreen), c.typed) << "the stock screen shows it at once";

        // Reopened under its lock, corrected; Esc asks before dropping what was typed.
        key(Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_F2);
        EXPECT_EQ(program.lockHolders().size(), 1);
        for (int tab = 0; tab < 5; ++tab)
            key(Qt::Key_Tab);
        typeKeys("9");
        key(Qt::Key_Return);
        platform.answers.enqueue(Platform::Answer::No);
        key(Qt::Key_Escape);
        key(Qt::Key_Escape);
        EXPECT_EQ(texts().last(), "Annullare le modifiche al movimento?");
        key(Qt::Key_S, Qt::ControlModifier);
        EXPECT_EQ(lines().value(0).section('|', 3, 7), number + "|1|ART001|DEP|9");
        EXPECT_EQ(program.lockHolders(), QStringList());
        EXPECT_EQ(stock(stockScreen), c.corrected);

        key(Qt::Key_End, Qt::ControlModifier);
        key(Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(lines(), QStringList());
        EXPECT_EQ(stock(stockScreen), -10);
    }
};

TEST_P(MovementEditorWalk, WritesSavesReopensCorrectsAndDeletesAMovementAndTheStockFollows)
{
    const MovementCase c = GetParam();
    QApplication::setActiveWindow(&openWindow());
    QWidget* stockScreen = open("BGiacArt", "objgiacenze");
    ASSERT_TRUE(stockScreen);
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

INSTANTIATE_TEST_SUITE_P(
    BothMovementScreens, MovementEditorWalk,
    ::testing::Values(MovementCase{"BMovMaga", "objmovmaga", "NEU",
                                   "Causale con Segno Operazione Errata: il movimento carica (+) o scarica (-).", "SCA", "-", -17, -19},
                      MovementCase{"BAperGiac", "objapergiac", "SCA",
                                   "Causale con Segno Operazione Errata: l'apertura delle giacenze è un carico (+).", "CAR",
                                   "Apertura Giacenze", -3, -1}),
    [](const auto& info) { return std::string(info.param.screen).substr(3); });

// While one workstation corrects a document, another is refused, told who holds it.
TEST_F(MainWindowTest, ASecondWorkstationCannotCorrectADocumentBeingCorrected)
{
    Workstation first(program, "admin", "PC1"), second(program, "mario", "PC2");
    EXPECT_EQ(first.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_EQ(first.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(second.ask("click BDDT"), "editing=0 screens=1");
    EXPECT_TRUE(second.ask("click BModifica").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
    EXPECT_EQ(program.lockHolders(), QStringList("admin@PC1"));
}

} // namespace
