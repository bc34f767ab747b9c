// The base component's table editor, through its customers screen and its other tables.
#include "componentsfixture.h"

#include "common/recordset.h"
#include "common/transaction.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace {

const QStringList BrowseTools = {"BNuovo", "BModifica", "BElimina", "BPrimo", "BIndietro", "BAvanti", "BUltimo", "BEsci"};

} // namespace

class TableEditor : public ComponentsTest
{
protected:
    // A screen of the base component, opened from the menu.
    QWidget* shown(const char* command, const char* name)
    {
        QWidget* s = open(command, name);
        if (s)
            panel = ui::find<QWidget>(s, QStringLiteral("PanDati"));
        return s;
    }

    QWidget* customers() { return shown("BClienti", "Clienti"); }

    QStringList enabledTools(QWidget* s) const
    {
        QStringList out;
        for (const QString& tool : BrowseTools + QStringList{"BSalva", "BAnnulla"})
            if (ui::enabled(s, tool))
                out << tool;
        return out;
    }

    QString field(const QString& name) const { return ui::text(panel, name); }
    int gridRows(QWidget* s) const { return ui::find<QTableView>(s, QStringLiteral("TDBGTabella"))->model()->rowCount(); }
    QString message(QWidget* s) const { return ui::text(s, QStringLiteral("ErrorBar_1")); }

    QWidget* panel = nullptr;
};

// The customers screen browses its table by code alike with the demo's few customers and with
// some hundreds more, read a page at a time: moves, the last row, a row picked far down.
TEST_F(TableEditor, TheCustomersScreenBrowsesItsTableByCode)
{
    for (const int added : {0, 350}) {
        SCOPED_TRACE(added);
        const Database archive = dataDb();
        inImmediateTransaction(archive, [&] {
            for (int n = 0; n < added; ++n)
                archive.execute(JetQuery("INSERT INTO Clienti (Codice, Denominazione) VALUES (")
                                 << Jet::text(QStringLiteral("X%1").arg(n, 4, 10, QChar(u'0'))) << ", "
                                 << Jet::text(QStringLiteral("Cliente %1").arg(n)) << ")");
        });
        QWidget* s = customers();
        ASSERT_TRUE(s);
        EXPECT_EQ(s->windowTitle(), QStringLiteral("Brevano V : Anagrafica Clienti"));
        EXPECT_EQ(base->OpenScreenCount, 1);
        auto* grid = ui::find<QTableView>(s, QStringLiteral("TDBGTabella"));
        const int customersCount = valueOf("SELECT COUNT(*) FROM Clienti").toInt();
        for (QElapsedTimer waited; waited.start(), gridRows(s) < customersCount && waited.elapsed() < 10000;)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(gridRows(s), customersCount);
        EXPECT_EQ(enabledTools(s), BrowseTools);
        EXPECT_FALSE(ui::typable(panel, "Denominazione"));
        // Codes of other tables are labelled after them and show the name of the record they stand for.
        EXPECT_EQ(ui::find<QWidget>(panel, "idPagamento")->accessibleName(), QStringLiteral("Modalità Pagamento"));
        EXPECT_EQ(ui::find<QWidget>(panel, "idModPag")->accessibleName(), QStringLiteral("Tipo Pagamento"));
        EXPECT_EQ(field("idPagamento_Desc"),
                  valueOf("SELECT m.\"Desc\" FROM Clienti c JOIN ModPag m ON m.Codice = c.idPagamento WHERE c.Codice = ",
                          field("Codice")).toString());
        EXPECT_FALSE(field("idPagamento_Desc").isEmpty());
        // Values show their beginning, however long.
        for (const char* shown : {"Denominazione", "idPagamento_Desc"})
            EXPECT_EQ(ui::find<QLineEdit>(panel, shown)->cursorPosition(), 0) << shown;
        EXPECT_EQ(field("Codice"), valueOf("SELECT MIN(Codice) FROM Clienti").toString());
        EXPECT_EQ(field("Denominazione"),
                  valueOf("SELECT Denominazione FROM Clienti WHERE Codice = ", field("Codice")).toString());

        ui::click(s, QStringLiteral("BUltimo"));
        const QString last = valueOf("SELECT MAX(Codice) FROM Clienti").toString();
        EXPECT_EQ(field("Codice"), last);
        EXPECT_EQ(grid->currentIndex().row(), customersCount - 1);
        // A move past the last row stays on the last; a move back goes to the one before.
        ui::click(s, QStringLiteral("BAvanti"));
        EXPECT_EQ(field("Codice"), last);
        ui::click(s, QStringLiteral("BIndietro"));
        EXPECT_EQ(grid->currentIndex().row(), customersCount - 2);
        ui::click(s, QStringLiteral("BPrimo"));
        ui::click(s, QStringLiteral("BIndietro"));
        EXPECT_EQ(field("Codice"), valueOf("SELECT MIN(Codice) FROM Clienti").toString());

        // Picking a row in the grid shows it, far down the list too.
        int codeColumn = -1;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            if (grid->model()->headerData(c, Qt::Horizontal, Qt::EditRole).toString() == QLatin1String("Codice"))
                codeColumn = c;
        for (const int row : {2, customersCount - 3}) {
            grid->selectRow(row);
            EXPECT_EQ(field("Codice"), grid->model()->index(row, codeColumn).data().toString());
        }
        // One screen while it is open.
        EXPECT_EQ(customers(), s);
        EXPECT_EQ(workspace()->subWindowList().size(), 1);
        closeScreen(s);
        ui::settle();
    }
}

TEST_F(TableEditor, ANewCustomerIsCheckedFieldByFieldAndKeepsWhatWasTyped)
{
    QWidget* s = customers();
    const int before = gridRows(s);
    ui::click(s, QStringLiteral("BNuovo"));
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(enabledTools(s), (QStringList{"BSalva", "BAnnulla"}));
    EXPECT_FALSE(ui::find<QTableView>(s, QStringLiteral("TDBGTabella"))->isEnabled()) << "no other row while editing";
    EXPECT_TRUE(ui::typable(panel, "Denominazione"));
    EXPECT_EQ(field("Codice"), QString());

    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QStringLiteral("Codice non Inserito"));
    EXPECT_EQ(QApplication::focusWidget(), ui::find<QWidget>(panel, QStringLiteral("Codice")));

    // Codes are one code whatever their case.
    const QString existing = valueOf("SELECT MIN(Codice) FROM Clienti").toString();
    ui::type(panel, QStringLiteral("Codice"), existing.toLower());
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QStringLiteral("Codice già esistente"));

    ui::type(panel, QStringLiteral("Codice"), QStringLiteral("C999"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QStringLiteral("Denominazione non Inserita"));
    EXPECT_EQ(field("Codice"), QStringLiteral("C999"));

    ui::find<QLineEdit>(panel, QStringLiteral("Denominazione"))->setText(QStringLiteral("Caffè Ròsa S.n.c."));
    ui::type(panel, QStringLiteral("Sconto"), QStringLiteral("12,5"));
    ui::find<QCheckBox>(panel, QStringLiteral("Esente"))->setChecked(true);
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QString());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(enabledTools(s), BrowseTools);
    EXPECT_EQ(gridRows(s), before + 1);
    EXPECT_EQ(field("Codice"), QStringLiteral("C999"));
    EXPECT_EQ(valueOf("SELECT Denominazione FROM Clienti WHERE Codice = ", QStringLiteral("C999")).toString(),
              QStringLiteral("Caffè Ròsa S.n.c."));
    EXPECT_DOUBLE_EQ(valueOf("SELECT Sconto FROM Clienti WHERE Codice = ", QStringLiteral("C999")).toDouble(), 12.5);
    EXPECT_EQ(valueOf("SELECT Esente FROM Clienti WHERE Codice = ", QStringLiteral("C999")).toInt(), 1);
    EXPECT_TRUE(valueOf("SELECT Fax FROM Clienti WHERE Codice = ", QStringLiteral("C999")).isNull());
}

TEST_F(TableEditor, EditingKeepsTheCodeAndCancellingRestoresTheRow)
{
    QWidget* s = customers();
    const QString code = field("Codice");
    const QString name = field("Denominazione");
    ui::click(s, QStringLiteral("BModifica"));
    EXPECT_FALSE(ui::enabled(panel, QStringLiteral("Codice")));
    ui::type(panel, QStringLiteral("Denominazione"), QStringLiteral("Nome provvisorio"));
    ui::click(s, QStringLiteral("BAnnulla"));
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(field("Denominazione"), name);
    EXPECT_EQ(valueOf("SELECT Denominazione FROM Clienti WHERE Codice = ", code).toString(), name);

    ui::click(s, QStringLiteral("BModifica"));
    ui::type(panel, QStringLiteral("Denominazione"), QStringLiteral("Nome nuovo"));
    ui::type(panel, QStringLiteral("Fido"), QStringLiteral("abc"));  // letters never reach a number field
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QString());
    EXPECT_EQ(field("Codice"), code);
    EXPECT_EQ(valueOf("SELECT Denominazione FROM Clienti WHERE Codice = ", code).toString(), QStringLiteral("Nome nuovo"));
}

TEST_F(TableEditor, DeletingAsksFirst)
{
    QWidget* s = customers();
    const QString code = field("Codice");
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(s, QStringLiteral("BElimina"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|none|yesno|Brevano V|Si Desidera Cancellare il Record Corrente?"));
    EXPECT_EQ(valueOf("SELECT COUNT(*) FROM Clienti WHERE Codice = ", code).toInt(), 1);

    const int before = gridRows(s);
    ui::click(s, QStringLiteral("BElimina"));
    EXPECT_EQ(valueOf("SELECT COUNT(*) FROM Clienti WHERE Codice = ", code).toInt(), 0);
    EXPECT_EQ(gridRows(s), before - 1);
    EXPECT_NE(field("Codice"), code);
}

TEST_F(TableEditor, ClosingWithAPendingRowAsksAndNoKeepsIt)
{
    QWidget* s = customers();
    ui::click(s, QStringLiteral("BNuovo"));
    ui::type(panel, QStringLiteral("Codice"), QStringLiteral("C998"));
    // Only the window's own close control is left while editing.
    EXPECT_FALSE(ui::enabled(s, QStringLiteral("BEsci")));
    platform.answers.enqueue(Platform::Answer::No);
    s->parentWidget()->close();
    ui::settle();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral("E' Stato Inserito un Nuovo Record.\r\rSi Desidera Uscire Perdendo le Modifiche?"));
    EXPECT_EQ(screen("Clienti"), s);
    EXPECT_EQ(field("Codice"), QStringLiteral("C998"));
    EXPECT_EQ(base->EditingScreenCount, 1);

    s->parentWidget()->close();
    ui::settle();
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(base->OpenScreenCount, 0);
    EXPECT_TRUE(workspace()->subWindowList().isEmpty());
    EXPECT_EQ(valueOf("SELECT COUNT(*) FROM Clienti WHERE Codice = ", QStringLiteral("C998")).toInt(), 0);
}

TEST_F(TableEditor, DatesAndNumbersAreTypedAsUsersWriteThem)
{
    QWidget* s = open("BEsercizio", "TableForm");
    ASSERT_TRUE(s);
    panel = ui::find<QWidget>(s, "PanDati_9");
    ui::click(s, QStringLiteral("BNuovo"));
    ui::type(panel, QStringLiteral("Codice"), QStringLiteral("2030"));
    ui::type(panel, QStringLiteral("Desc"), QStringLiteral("Esercizio 2030"));
    ui::type(panel, QStringLiteral("DTIn"), QStringLiteral("01012030"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QStringLiteral("Data di Fine non Inserita"));
    ui::type(panel, QStringLiteral("DTFi"), QStringLiteral("31132030"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QStringLiteral("Valore non Valido: Fine Esercizio"));
    ui::type(panel, QStringLiteral("DTFi"), QStringLiteral("31122030"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(message(s), QString());
    EXPECT_EQ(valueOf("SELECT DTFi FROM Esercizio WHERE Codice = ", QStringLiteral("2030")).toString(),
              QStringLiteral("2030-12-31"));
    EXPECT_EQ(field("DTIn"), QStringLiteral("01/01/2030"));

    // Amounts read as in the lists: the currency's decimals (lire 0, euro 2), grouped, right-aligned;
    // a code of another table shows its name.
    shown("BArticoli", "Articoli");
    EXPECT_EQ(field("Codice"), QStringLiteral("ART001"));
    EXPECT_EQ(field("PrezzoVen"), QStringLiteral("18.000"));
    EXPECT_EQ(field("PrezzoVenEuro"), QStringLiteral("9,30"));
    EXPECT_TRUE(ui::find<QLineEdit>(panel, QStringLiteral("PrezzoVenEuro"))->alignment() & Qt::AlignRight);
    EXPECT_FALSE(ui::find<QLineEdit>(panel, QStringLiteral("Codice"))->alignment() & Qt::AlignRight) << "a code reads as text";
    EXPECT_EQ(field("UM_Desc"), valueOf("SELECT \"Desc\" FROM UM WHERE Codice = ", QStringLiteral("PZ")).toString());
}

TEST_F(TableEditor, TheImageManagerShowsThePictureOfEachRow)
{
    QWidget* s = shown("BGestImm", "GestioneImmagine");
    ASSERT_TRUE(s);
    EXPECT_EQ(gridRows(s), 0);
    EXPECT_FALSE(ui::enabled(s, QStringLiteral("BModifica")));
    ui::click(s, QStringLiteral("BNuovo"));
    ui::type(panel, QStringLiteral("Codice"), QStringLiteral("LOGO"));
    ui::type(panel, QStringLiteral("Desc"), QStringLiteral("Sfondo del programma"));
    platform.filesToChoose.enqueue(program.file(QStringLiteral("Sfondo.jpg")));
    ui::click(panel, QStringLiteral("BSfoglia"));
    EXPECT_EQ(field("Percorso"), program.file(QStringLiteral("Sfondo.jpg")));
    EXPECT_FALSE(ui::find<QLabel>(panel, QStringLiteral("Immagine"))->pixmap().isNull());
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(valueOf("SELECT Percorso FROM Immagini WHERE Codice = ", QStringLiteral("LOGO")).toString(),
              program.file(QStringLiteral("Sfondo.jpg")));
}

TEST_F(TableEditor, AScreenWhoseTableCannotBeReadSaysWhyAndLeavesNothingOpen)
{
    program.exec("data.mdb", "DROP TABLE Clienti");
    EXPECT_FALSE(customers());
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(platform.messages.value(0).icon, Platform::Icon::Critical);
    EXPECT_TRUE(workspace()->subWindowList().isEmpty());
    EXPECT_EQ(base->OpenScreenCount, 0);
}
