// The base component's table editor, through its customers screen and its other tables.
#include "mainwindow/mainwindowfixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableView>

class TableEditor : public MainWindowTest
{
protected:
    // A screen of the base component, opened from the menu.
    QWidget* shown(const char* command, const char* name, const char* data = "PanDati")
    {
        s = open(command, name);
        panel = s ? ui::find<QWidget>(s, data) : nullptr;
        return s;
    }
    QWidget* customers() { return shown("BClienti", "Clienti"); }

    QString field(const QString& name) const { return ui::text(panel, name); }
    void type(const char* name, const QString& text) { ui::type(panel, name, text); }
    // Saves and tells what the message bar says.
    QString save()
    {
        ui::click(s, "BSalva");
        return ui::text(s, "ErrorBar_1");
    }
    QStringList customer(const char* columns, const QString& code)
    {
        return program.rows("data.mdb", QStringLiteral("SELECT %1 FROM Clienti WHERE Codice = '%2'").arg(columns, code));
    }

    QWidget* s = nullptr;
    QWidget* panel = nullptr;
};

// Some hundreds of customers, read a page at a time: the last row and a row picked far down are
// shown as the first ones are (the walk of every screen moves through the demo's few).
TEST_F(TableEditor, TheCustomersScreenBrowsesItsTableByCode)
{
    program.exec("data.mdb", "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 350) "
                             "INSERT INTO Clienti (Codice, Denominazione) SELECT printf('X%04d', i), 'Cliente ' || i FROM n");
    ASSERT_TRUE(customers());
    auto* grid = ui::find<QTableView>(s, "TDBGTabella");
    const int count = one("SELECT COUNT(*) FROM Clienti").toInt();
    EXPECT_TRUE(QTest::qWaitFor([&] { return gridRows(s) == count; }, 10000)) << gridRows(s) << " of " << count;
    ui::click(s, "BUltimo");
    ui::click(s, "BAvanti");
    ui::click(s, "BIndietro");
    EXPECT_EQ(grid->currentIndex().row(), count - 2);
    const int y = grid->rowViewportPosition(count - 2);
    EXPECT_TRUE(y >= 0 && y < grid->viewport()->height()) << "the record followed is in view, not at " << y;
    for (const int row : {2, count - 3}) {
        grid->selectRow(row);
        EXPECT_EQ(field("Codice"), one(QStringLiteral("SELECT Codice FROM Clienti ORDER BY Codice LIMIT 1 OFFSET %1").arg(row)));
    }
}

TEST_F(TableEditor, ACustomerIsCheckedFieldByFieldOnAddingThenEditedAndDeleted)
{
    program.exec("data.mdb", "INSERT INTO Clienti (Codice, Denominazione, Esente) VALUES ('EA', 'a', 0), ('ÉB', 'b', 1), ('EC', 'c', 0)");
    customers();
    // Codes sort as Italians read them: "ÉB" between "EA" and "EC", not after "Z".
    for (int n = 0; n < 20 && field("Codice") != "EA"; ++n) ui::click(s, "BAvanti");
    ui::click(s, "BAvanti");
    EXPECT_EQ(field("Codice"), "ÉB");
    const int before = gridRows(s);
    auto* exempt = ui::find<QCheckBox>(panel, "Esente");
    const bool shownExempt = exempt->isChecked();
    // Clicked as the mouse clicks: on the window, where the widget under the pointer is found.
    const auto clickTheBox = [exempt] {
        QTest::mouseClick(exempt->window()->windowHandle(), Qt::LeftButton, {},
                          exempt->mapTo(exempt->window(), QPoint(6, exempt->height() / 2)));
    };
    clickTheBox();
    EXPECT_TRUE(shownExempt && exempt->isChecked()) << "a tick box does not toggle while browsing";
    ui::click(s, "BNuovo");  // a new record starts with the box clear

    type("Codice", one("SELECT MIN(Codice) FROM Clienti").toLower());  // one code whatever its case
    EXPECT_EQ(save(), "Codice già esistente");
    type("Codice", "C999");
    EXPECT_EQ(save(), "Denominazione non Inserita");

    ui::find<QLineEdit>(panel, "Denominazione")->setText("Caffè Ròsa S.n.c.");
    type("Sconto", "12,5");
    clickTheBox();
    EXPECT_EQ(save(), "");
    EXPECT_EQ(QString("%1|%2|%3").arg(base->EditingScreenCount).arg(gridRows(s) - before).arg(field("Codice")), "0|1|C999");
    EXPECT_EQ(customer("Denominazione, Sconto, Esente, Fax IS NULL", "C999"), QStringList{"Caffè Ròsa S.n.c.|12.5|1|1"});

    // Editing keeps the code, cancelling restores the row, deleting asks first.
    const QString code = field("Codice"), name = field("Denominazione");
    ui::click(s, "BModifica");
    type("Denominazione", "Nome provvisorio");
    ui::click(s, "BAnnulla");
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(field("Denominazione"), name);
    EXPECT_EQ(customer("Denominazione", code), QStringList{name});
    ui::click(s, "BNuovo");
    EXPECT_TRUE(ui::typable(panel, "Codice")) << "a new record's code can be typed after an edit";
    ui::click(s, "BAnnulla");

    ui::click(s, "BModifica");
    type("Denominazione", "Nome nuovo");
    type("Fido", "abc");  // letters never reach a number field
    EXPECT_EQ(save(), "");
    EXPECT_EQ(field("Codice"), code);
    EXPECT_EQ(customer("Denominazione", code), QStringList{"Nome nuovo"});

    platform.answers.enqueue(Platform::Answer::No);
    ui::click(s, "BElimina");
    EXPECT_EQ(customer("Codice", code), QStringList{code});

    // A lock, a reading or a deletion the archives refuse is said, and the customer stays as it was.
    const QString refuse = "CREATE TRIGGER refuse BEFORE %1 BEGIN SELECT RAISE(ABORT, 'disco pieno'); END";
    const struct { const char* archive; QString change, undo; const char *tool, *said; bool inBar; } refusals[] = {
        {"user.mdb", refuse.arg("INSERT ON Accessi"), "DROP TRIGGER refuse", "BModifica", "disco pieno", false},
        {"data.mdb", "ALTER TABLE Clienti RENAME TO Altrove", "ALTER TABLE Altrove RENAME TO Clienti", "BModifica", "no such table: Clienti", true},
        {"data.mdb", refuse.arg("DELETE ON Clienti"), "DROP TRIGGER refuse", "BElimina", "disco pieno", true}};
    for (const auto& r : refusals) {
        program.exec(r.archive, r.change);
        ui::click(s, r.tool);
        EXPECT_TRUE((r.inBar ? ui::text(s, "ErrorBar_1") : platform.lastText()).endsWith(QString("Dettaglio: ") + r.said)) << r.said;
        EXPECT_FALSE(ui::typable(panel, "Denominazione"));
        program.exec(r.archive, r.undo);
        EXPECT_EQ(customer("Codice", code), QStringList{code});
    }
    EXPECT_EQ(program.lockHolders(), QStringList()) << "no lock left behind";
    ui::click(s, "BElimina");
    EXPECT_TRUE(customer("Codice", code).isEmpty());
    EXPECT_EQ(gridRows(s), before);
}

// A table damaged on disk: the customers screen shows that a payment term cannot be read, its save
// says the archive is damaged and writes nothing, not even into a sound table; a screen cannot open.
TEST_F(TableEditor, ADamagedArchiveIsSaidAndNothingIsWrittenIntoIt)
{
    program.damageTable("data.mdb", "ModPag");
    customers();
    ui::click(s, "BNuovo");
    type("Codice", "C001X");
    type("Denominazione", "Nuovo cliente");
    type("idPagamento", "RD");
    EXPECT_EQ(field("idPagamento_Desc"), "(archivio danneggiato)");
    EXPECT_TRUE(save().startsWith("L'archivio '" + program.dataDb() + "' risulta danneggiato.")) << save().toStdString();
    EXPECT_TRUE(customer("Codice", "C001X").isEmpty());
    click("BModPag");  // a screen that cannot open says why
    EXPECT_TRUE(platform.lastText().startsWith("L'archivio '" + program.dataDb() + "' risulta danneggiato."));
}

TEST_F(TableEditor, DatesAndNumbersAreTypedAsUsersWriteThem)
{
    ASSERT_TRUE(shown("BEsercizio", "TableForm", "PanDati_9"));
    ui::click(s, "BNuovo");
    type("Codice", "2030");
    type("Desc", "Esercizio 2030");
    type("DTIn", "01012030");
    EXPECT_EQ(save(), "Data di Fine non Inserita");
    type("DTFi", "31132030");
    EXPECT_EQ(save(), "Valore non Valido: Fine Esercizio");
    type("DTFi", "31122030");
    EXPECT_EQ(save(), "");
    EXPECT_EQ(program.rows("data.mdb", "SELECT DTFi FROM Esercizio WHERE Codice = '2030'"), QStringList{"2030-12-31"});
    EXPECT_EQ(field("DTIn"), "01/01/2030");

    // Amounts show as in the lists (lire 0 decimals, euro 2, grouped, right-aligned): see the articles' snapshot. Typed
    // keys -> shown text -> what the archive keeps. '.' groups thousands and ',' comes before the decimals; what cannot
    // become a number is refused key by key (a second comma, a third euro decimal, a lire decimal); the paired amount
    // follows at the company's rate 1936,27.
    const struct { const char *command, *screen, *field, *typed, *shown, *columns, *stored, *message; } typings[] = {
        {"BArticoli", "Articoli", "PrezzoVenEuro", "1.234,56", "1.234,56", "PrezzoVenEuro, PrezzoVen", "1234.56|2390441", ""},
        {"BArticoli", "Articoli", "PrezzoVenEuro", "1234,5", "1234,5", "PrezzoVenEuro, PrezzoVen", "1234.5|2390325", ""},
        {"BArticoli", "Articoli", "PrezzoVenEuro", "1,2,345", "1,23", "PrezzoVenEuro, PrezzoVen", "1.23|2382", ""},
        {"BArticoli", "Articoli", "PrezzoAcq", "18000,5", "180005", "PrezzoAcq, PrezzoAcqEuro", "180005|92.96", ""},
        {"BArticoli", "Articoli", "PuntoGiacenzaMinima", "1.234,75", "1.234,75", "PuntoGiacenzaMinima", "1234.75", ""},
        {"BArticoli", "Articoli", "PuntoGiacenzaMinima", "12.34", "12.34", "PuntoGiacenzaMinima", "1234.75",
         "Valore non Valido: Giacenza Minima"},
        {"BClienti", "Clienti", "Sconto", "12,5", "12,5", "Sconto", "12.5", ""}};
    for (const auto& t : typings) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(t.field, t.typed).toStdString());
        if (s->objectName() != QLatin1String(t.screen)) shown(t.command, t.screen);
        const QString code = field("Codice");
        if (ui::find<QLineEdit>(panel, t.field)->isReadOnly()) ui::click(s, "BModifica");
        type(t.field, QString::fromUtf8(t.typed));
        EXPECT_EQ(field(t.field), QString::fromUtf8(t.shown));
        EXPECT_EQ(save(), QString::fromUtf8(t.message));
        EXPECT_EQ(program.rows("data.mdb", QStringLiteral("SELECT %1 FROM %2 WHERE Codice = '%3'")
                                               .arg(t.columns, t.screen, code)), QStringList{t.stored});
    }
    ui::click(s, "BModifica");  // a comma typed over leaves room for another; no letter; Backspace takes one back
    ui::find<QLineEdit>(panel, "Sconto")->setSelection(1, 3);
    QTest::keyClicks(ui::find<QWidget>(panel, "Sconto"), ",7x59\b");
    EXPECT_EQ(field("Sconto"), "1,75");
    shown("BArticoli", "Articoli");  // still in edit; a lire amount pasted with decimals is refused whole
    QApplication::clipboard()->setText("18000,5");
    auto* price = ui::find<QLineEdit>(panel, "PrezzoAcq");
    price->selectAll();
    QTest::keyClick(price, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(price->text(), "180.005");
    base->EuroRate = 0;  // a company without a rate of its own: lire typed leave the euro as they were
    type("PrezzoAcq", "20000");
    EXPECT_EQ(field("PrezzoAcqEuro"), "92,96");

    // A count takes digits alone, Backspace takes back what was typed, Ctrl+A selects it all.
    ASSERT_TRUE(shown("BValute", "TableForm", "PanDati_10"));
    ui::click(s, "BModifica");
    type("Decimali", "3a,-\b45");  // as a keyboard sends Backspace: its key with its character
    EXPECT_EQ(field("Decimali"), "45");
    QTest::keyClick(ui::find<QWidget>(panel, "Decimali"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(ui::find<QWidget>(panel, "Decimali"), "2");
    EXPECT_EQ(field("Decimali"), "2");
}

TEST_F(TableEditor, TheImageManagerShowsThePictureOfEachRow)
{
    ASSERT_TRUE(shown("BGestImm", "GestioneImmagine"));
    ui::click(s, "BNuovo");
    type("Codice", "LOGO");
    type("Desc", "Sfondo del programma");
    const QString picture = program.file("Sfondo.jpg");
    platform.filesToChoose.enqueue(picture);
    ui::click(panel, "BSfoglia");
    EXPECT_FALSE(ui::find<QLabel>(panel, "Immagine")->pixmap().isNull());
    ui::click(s, "BSalva");
    EXPECT_EQ(program.rows("data.mdb", "SELECT Percorso FROM Immagini WHERE Codice = 'LOGO'"), QStringList{picture});
    ui::click(s, "BNuovo");
    ui::click(s, "BAnnulla");
    EXPECT_FALSE(ui::find<QLabel>(panel, "Immagine")->pixmap().isNull()) << "the row shown again, its picture too";
}

// Esc asks before dropping typing; doubtful tax codes are saved when the clerk says so, asked once.
TEST_F(TableEditor, TypedDataIsDroppedAndDoubtfulCodesAreSavedOnlyWhenTheClerkSaysSo)
{
    customers();
    const auto esc = [&] { QTest::keyClick(ui::find<QWidget>(panel, "Denominazione"), Qt::Key_Escape); };
    ui::click(s, "BNuovo");
    esc();
    EXPECT_TRUE(platform.messages.isEmpty() && base->EditingScreenCount == 0) << "nothing typed, nothing asked";
    ui::click(s, "BNuovo");
    type("Codice", "C900");
    type("Denominazione", "Prova");
    platform.answers.enqueue(Platform::Answer::No);
    esc();
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Brevano V|I Dati Digitati Andranno Persi.\\r\\rSi Desidera Annullare le Modifiche?"});
    EXPECT_EQ(field("Codice") + "|" + QString::number(base->EditingScreenCount), "C900|1");

    // Refused, the code is selected for correcting.
    const struct { const char *vat, *fiscal, *problem, *field; } doubtful[] = {
        {"12345678901", "", "Partita I.V.A. Errata: la Cifra di Controllo non Corrisponde", "Piva"},
        {"12345678903", "RSSMRA85T10A562", "Il Codice Fiscale Deve Avere 16 Caratteri (11 Cifre per le Società)", "CodFiscale"},
        {"DE123456789", "RSSMRA85T10A562S", "La Partita I.V.A. Deve Contenere Solo Cifre", "Piva"}};
    for (const auto& d : doubtful) {
        type("Piva", d.vat);
        type("CodFiscale", d.fiscal);
        platform.answers.enqueue(Platform::Answer::No);
        EXPECT_EQ(save(), d.problem);
        EXPECT_EQ(platform.lastText(), QString(d.problem) + "\r\rSe il Codice è Estero o Comunque Corretto, Salvarlo Così?");
        auto* at = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_TRUE(at && at->objectName() == d.field && at->selectedText() == at->text()) << d.field;
    }
    EXPECT_EQ(save(), "") << "answered Yes";
    EXPECT_EQ(customer("Piva, CodFiscale", "C900"), QStringList{"DE123456789|RSSMRA85T10A562S"});
    ui::click(s, "BModifica");
    type("Denominazione", "Prova due");
    platform.clear();
    EXPECT_EQ(save() + messages().join(','), "") << "a code kept once is not asked about again";
}

// The users keep someone who can reach the administrator screens, and the user signed in.
TEST_F(TableEditor, TheSignedInUserAndTheLastAdministratorAreNeitherDeletedNorDemoted)
{
    const auto onUser = [&](const char* code, const char* button, const char* type = nullptr) {
        ui::click(s, "BPrimo");
        for (int i = 0; i < 5 && field("Codice") != code; ++i) ui::click(s, "BAvanti");
        platform.clear();
        ui::click(s, button);
        if (!type) return messages().join(',');
        this->type("Tipo", type);
        const QString said = save();
        if (base->EditingScreenCount) ui::click(s, "BAnnulla");
        return said;
    };
    const QString refused = "MESSAGE|critical|ok|Brevano V|Impossibile ";
    ASSERT_TRUE(shown("BAccessi", "TableForm", "PanDati_6"));
    EXPECT_EQ(onUser("admin", "BModifica", "U"), "Impossibile Togliere i Diritti di Amministratore all'Utente Collegato");
    signIn("mario", true);
    ASSERT_TRUE(shown("BAccessi", "TableForm", "PanDati_6"));
    EXPECT_EQ(onUser("admin", "BElimina"), refused + "Eliminare l'Ultimo Amministratore");
    EXPECT_EQ(onUser("admin", "BModifica", "U"), "Impossibile Togliere i Diritti all'Ultimo Amministratore");
    EXPECT_EQ(onUser("mario", "BModifica", "A"), "");
    EXPECT_EQ(onUser("admin", "BModifica", "U"), "") << "another administrator remains";
    EXPECT_EQ(onUser("admin", "BModifica", "A"), "");  // and deleted below, while another administrator remains
    EXPECT_EQ(onUser("mario", "BElimina"), refused + "Eliminare l'Utente Collegato");
    EXPECT_EQ(onUser("admin", "BElimina"), "MESSAGE|none|yesno|Brevano V|Si Desidera Cancellare il Record Corrente?");
    EXPECT_EQ(program.rows("user.mdb", "SELECT Codice, Tipo FROM Password"), QStringList{"mario|A"});
}
