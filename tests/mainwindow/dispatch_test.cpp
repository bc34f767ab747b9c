// The command dispatch: the fiscal year it asks for, the administrators' commands, the shared
// table screen and the screens of this system.
#include "mainwindowfixture.h"

#include "common/passwordhash.h"

#include <QCoreApplication>
#include <QMenu>
#include <QProcess>

namespace {

const QString ThisYear = QString::number(QDate::currentDate().year());
const QString LastYear = QString::number(QDate::currentDate().year() - 1);

// Picks a fiscal year in the look-up that opens next; an empty year cancels it.
void pickYearInNextLookup(const QString& year)
{
    ui::onNextModal([year](QWidget* lookup) {
        if (year.isEmpty()) return ui::click(lookup, "BTNAnnulla");
        ui::type(lookup, "tCerca", year);
        ui::click(lookup, "BTNOK");
    });
}

const char* const ForcedChoice =
    "MESSAGE|exclamation|ok|Brevano V|Esercizio Azienda Non Definito \\r\\rImpostare l'Esercizio dell' Azienda";

using Dispatch = MainWindowTest;

} // namespace

// Commands that need a fiscal year ask for one first; the exit does not. The menu command changes
// the year; the status bar shows it.
TEST_F(Dispatch, WithoutAFiscalYearTheChoiceComesBeforeTheCommandAndTheMenuChangesIt)
{
    base->FiscalYear.clear();
    platform.todayDate = QDate(2026, 3, 7);
    Principale& w = openWindow();
    EXPECT_EQ(panel(1) + "|" + panel(2) + "|" + panel(3),
              "Utente Collegato : admin|Esercizio Azienda : Non Definito   |Data : 07/03/2026   ");
    pickYearInNextLookup(QString());
    click("BHELP");
    EXPECT_EQ(messages(), QStringList{ForcedChoice});
    EXPECT_TRUE(platform.helpTopics.isEmpty()) << "cancelled: the command does not run";

    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    click("BEsci");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Brevano V|Si Desidera Terminare la Sessione di Lavoro?"});
    EXPECT_TRUE(w.isVisible()) << "No keeps the window";

    platform.clear();
    pickYearInNextLookup(LastYear);
    click("BHELP");
    EXPECT_EQ(base->FiscalYear + "|" + panel(2), LastYear + "|Esercizio Azienda : " + LastYear + "    ");
    EXPECT_TRUE(platform.helpTopics.isEmpty());
    click("BHELP");
    EXPECT_EQ(platform.helpTopics, QStringList{program.file("BrevanoV.html") + "#260"}) << "with a year the command runs";

    // Chosen from the menu, the year is shown with three blanks; a cancelled choice keeps it.
    pickYearInNextLookup(ThisYear);
    click("BRicEsercizio");
    EXPECT_EQ(base->FiscalYear + "|" + panel(2), ThisYear + "|Esercizio Azienda : " + ThisYear + "   ");
    pickYearInNextLookup(QString());
    click("BRicEsercizio");
    EXPECT_EQ(base->FiscalYear, ThisYear);
    EXPECT_EQ(platform.messages.size(), 1);

    // Where no browser shows them, the guide and the maker's page say so, and the pointer is free.
    platform.clear();
    platform.desktopOpens = false;
    click("BHELP");
    click("BTarmel");
    const QString noBrowser = ": su questa postazione non c'è un browser che la possa mostrare.";
    EXPECT_EQ(messages(), (QStringList{"MESSAGE|information|ok|Brevano V|Impossibile aprire la Guida" + noBrowser,
                                       "MESSAGE|information|ok|Brevano V|Impossibile aprire la pagina https://www.tarmel.it" + noBrowser}));
    EXPECT_EQ(platform.openedUrls, QStringList("https://www.tarmel.it"));
    EXPECT_FALSE(platform.busy);
}

TEST_F(Dispatch, UsersAndLocksAreForAdministratorsAndPasswordsAreNeverShown)
{
    QWidget* users = open("BAccessi", "TableForm");
    // A new password is typed, never shown; left empty, the old one stays.
    const auto stored = [this] { return program.rows("user.mdb", "SELECT [Password] FROM Password WHERE Codice = 'admin'").value(0); };
    QWidget* panel = ui::find<QWidget>(users, "PanDati_6");
    for (const QString& typed : {QStringLiteral("Nuova9"), QString()}) {
        press(users, "BModifica");  // the user's lock names the user archive, apart from the company's
        EXPECT_EQ(ui::text(panel, "Password") + program.rows("user.mdb", "SELECT Tabella || (Archivio <> ':_:') FROM Accessi").join(u','), "Password1");
        ui::type(panel, "Password", typed);
        press(users, "BSalva");
        EXPECT_TRUE(passwordMatches(stored(), "Nuova9", DigestsOnlyVersion) && !stored().contains("Nuova9"));
    }
    EXPECT_TRUE(platform.messages.isEmpty());

    signIn("mario", false);
    openWindow();
    click("BAccessi");
    click("BGestLoc");
    const QString refusal = "MESSAGE|information|ok|Brevano V|Accesso non autorizzato agli Utenti";
    EXPECT_EQ(messages(), (QStringList{refusal, refusal}));
    EXPECT_EQ(screenCount(), 0);
    EXPECT_FALSE(platform.busy);
}

// Each table command shows its own table (as its snapshot) in the one shared screen; the same
// table again only brings the screen forward, another asks before dropping a record being typed.
TEST_F(Dispatch, TableCommandsShowTheirTableInOneSharedScreen)
{
    openWindow();
    for (const char* tool : {"BAttivita", "BBanche", "BAccessi", "BEsercizio", "BIVA", "BValute", "BZone"})  // users live in another archive
        click(tool);
    QWidget* s = screen("TableForm");
    ASSERT_TRUE(s);
    EXPECT_EQ(screenCount(), 1);
    EXPECT_TRUE(platform.messages.isEmpty());

    click("BIVA");
    program.exec("data.mdb", "INSERT INTO IVA (Codice, \"Desc\", Perc) VALUES ('22', 'Aliquota 22%', 22)");
    click("BIVA");
    EXPECT_EQ(gridRows(s), 5) << "the same table again is not read again";
    click("BZone");
    click("BIVA");
    EXPECT_EQ(gridRows(s), 6) << "another table in between reads it again";

    click("BZone");
    press(s, "BNuovo");
    ui::type(ui::find<QWidget>(s, "PanDati_0"), "Codice", "9");
    platform.answers.enqueue(Platform::Answer::No);
    click("BAttivita");
    EXPECT_EQ(platform.lastText(), "E' Stato Inserito un Nuovo Record.\r\rSi Desidera Uscire Perdendo le Modifiche?");
    EXPECT_EQ(platform.last()->defaultAnswer, Platform::Answer::No);
    EXPECT_EQ(ui::text(s, "Codice"), "9");
    click("BAttivita");  // Yes: the zone goes, the activities come
    EXPECT_EQ(gridRows(s), count("attivita"));
    EXPECT_EQ(base->EditingScreenCount, 0);
    click("BValute");  // the currencies' caption is theirs alone: a screen opened next shows none
    EXPECT_FALSE(ui::find(open("BClienti", "Clienti"), "lblValuta")->isVisible());
}

// Another workstation holding the archive: after a short wait the clerk is asked whether to try
// again, with everything typed still on screen; trying again saves it.
TEST_F(Dispatch, ASaveWaitingForAnotherWorkstationAsksToTryAgain)
{
    QWidget* s = open("BZone", "TableForm");
    QWidget* zone = ui::find<QWidget>(s, "PanDati_0");
    press(s, "BNuovo");
    ui::type(zone, "Codice", "7");
    ui::type(zone, "Desc", "Estero");

    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + "/worker_dbholder",
                 {program.dataDb(), "HELD", QString::number(Database::BusyTimeoutMs + 1500)});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    QString typedWhenAsked;
    platform.onMessage = [&](const ScriptedPlatform::Message&) { typedWhenAsked = ui::text(zone, "Desc"); };
    press(s, "BSalva");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.lastText().startsWith("Archivio in uso da un'altra postazione ('" + program.dataDb() + "')"));
    EXPECT_TRUE(platform.lastText().endsWith("Riprovare adesso?"));
    EXPECT_EQ(typedWhenAsked, "Estero");
    ASSERT_TRUE(holder.state() == QProcess::NotRunning || holder.waitForFinished(10000));
    EXPECT_EQ(rows("SELECT Codice FROM Zone WHERE Codice IN ('7', 'HELD') ORDER BY Codice"), (QStringList{"7", "HELD"}));
}

// The screens of this system open once each: their command again brings them forward, and so
// does their entry in the Finestra menu, which lists them all with the active one checked.
TEST_F(Dispatch, ScreensOfThisSystemOpenOnceEach)
{
    openWindow();
    const QVector<QPair<QString, QString>> screens = {
        {"BLoc", "Localita"},          {"BModPag", "ModPaga"},      {"BAzienda", "DatiAzienda"}, {"BNumeratori", "Numeratori"},
        {"BGestLoc", "GestAccessi"},   {"BImporta", "Importazione"}, {"BAUTOCOMP", "AutoComp"}};
    QStringList titles;
    for (const auto& [tool, name] : screens) {
        ASSERT_TRUE(open(tool, name)) << qPrintable(tool);
        titles << QString("&%1 %2").arg(titles.size() + 1).arg(screen(name)->parentWidget()->windowTitle());
    }
    titles.last() += " *";
    auto* menu = ui::find<QMenu>(window.get(), "MFinestra_menu");
    menu->popup(QPoint(0, 0));
    ui::settle();
    QStringList listed;
    QAction* first = nullptr;
    for (QAction* a : menu->actions())
        if (a->isCheckable()) {
            listed << a->text() + (a->isChecked() ? " *" : "");
            first = first ? first : a;
        }
    menu->hide();
    EXPECT_EQ(listed, titles);
    ASSERT_TRUE(first);
    first->trigger();
    ui::settle();
    EXPECT_EQ(window->workspace()->activeSubWindow()->widget(), screen("Localita"));

    for (const auto& [tool, name] : screens) {
        click(tool);
        EXPECT_EQ(window->workspace()->subWindowList(QMdiArea::StackingOrder).last()->widget(), screen(name)) << qPrintable(tool);
    }
    EXPECT_EQ(screenCount(), screens.size());
    ui::click(screen("AutoComp"), "CMD2");  // a screen closed by its own button takes its frame along
    menu->popup(QPoint(0, 0));  // the menu's Chiudi closes the active one
    ui::find<QAction>(menu, "BChiudi")->trigger();
    ui::settle();
    EXPECT_EQ(window->workspace()->subWindowList().size(), screens.size() - 2);

    // Past the most screens open at once, a command says so and leaves nothing behind.
    const qint16 open = base->OpenScreenCount;
    base->OpenScreenCount = BaseClass::MaxOpenScreens;
    const qsizetype widgets = QApplication::allWidgets().size();
    click("BAUTOCOMP");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(platform.lastText(), "Troppe maschere aperte: chiuderne qualcuna e ritentare.");
    EXPECT_EQ(QApplication::allWidgets().size(), widgets);
    EXPECT_EQ(base->OpenScreenCount, BaseClass::MaxOpenScreens);
    base->OpenScreenCount = open;
}
