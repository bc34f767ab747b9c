// The command dispatch: guards, the shared table screen, the screens of this system, of the
// base component and of the module components, help, about box and the maker's page.
#include "mainwindowfixture.h"
#include "components/sharedtablescreen.h"

#include "common/recordset.h"
#include "components/passwordhash.h"
#include "startup/ricercaserver.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProcess>
#include <QHeaderView>
#include <QTableView>
#include <QStyledItemDelegate>

namespace {

const QString ThisYear = QString::number(QDate::currentDate().year());
const QString LastYear = QString::number(QDate::currentDate().year() - 1);

// Picks a fiscal year in the look-up that opens next; an empty year cancels it.
void pickYearInNextLookup(const QString& year)
{
    ui::onNextModal([year](QWidget* lookup) {
        if (year.isEmpty()) {
            ui::click(lookup, QStringLiteral("BTNAnnulla"));
            return;
        }
        ui::type(lookup, QStringLiteral("tCerca"), year);
        ui::click(lookup, QStringLiteral("BTNOK"));
    });
}

const char* const ForcedChoice =
    "MESSAGE|exclamation|ok|Brevano V|Esercizio Azienda Non Definito \\r\\rImpostare l'Esercizio dell' Azienda";

} // namespace

class Dispatch : public MainWindowTest
{
protected:
    QWidget* tableScreen() const { return screen(QStringLiteral("TableForm")); }
    SharedTableScreen* shared(QWidget* s) const { return dynamic_cast<SharedTableScreen*>(s); }
    int gridRows(QWidget* s) const { return ui::find<QTableView>(s, QStringLiteral("TDBGTabella"))->model()->rowCount(); }
    QStringList shownHeadings(QWidget* s) const
    {
        auto* grid = ui::find<QTableView>(s, QStringLiteral("TDBGTabella"));
        QStringList out;
        for (int v = 0; v < grid->model()->columnCount(); ++v) {
            const int logical = grid->horizontalHeader()->logicalIndex(v);
            if (!grid->isColumnHidden(logical))
                out << grid->model()->headerData(logical, Qt::Horizontal).toString();
        }
        return out;
    }
    QStringList messages() const
    {
        QStringList out;
        for (const auto& m : platform.messages)
            out << ScriptedPlatform::describe(m);
        return out;
    }
};

TEST_F(Dispatch, WithoutAFiscalYearHelpAndAboutLeadToTheChoiceInstead)
{
    base->FiscalYear.clear();
    openWindow();

    pickYearInNextLookup(QString());
    click(QStringLiteral("BHELP"));
    EXPECT_EQ(messages(), QStringList{ForcedChoice});
    EXPECT_TRUE(platform.helpTopics.isEmpty());
    // Cancelling changes nothing.
    EXPECT_EQ(base->FiscalYear, QString());
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : Non Definito   "));

    platform.clear();
    pickYearInNextLookup(LastYear);
    click(QStringLiteral("BInfo"));
    EXPECT_EQ(messages(), QStringList{ForcedChoice});
    EXPECT_EQ(base->FiscalYear, LastYear);
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : ") + LastYear + QStringLiteral("    "));
    EXPECT_EQ(screenCount(), 0);

    // With a year the command runs.
    click(QStringLiteral("BHELP"));
    EXPECT_EQ(platform.helpTopics, QStringList{program.file(QStringLiteral("BrevanoV.html")) + QStringLiteral("#260")});
}

TEST_F(Dispatch, WithoutAFiscalYearMenuLockBackgroundAndExitDoNotAskForIt)
{
    base->FiscalYear.clear();
    Principale& w = openWindow();
    click(QStringLiteral("MBlocca"));
    EXPECT_TRUE(w.menusLocked());
    EXPECT_TRUE(platform.messages.isEmpty());

    platform.answers.enqueue(Platform::Answer::No);
    click(QStringLiteral("BSfondo"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith(QStringLiteral("Non è stato Selezionato uno Sfondo")));

    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    click(QStringLiteral("BEsci"));
    EXPECT_EQ(messages(), QStringList{QStringLiteral("MESSAGE|none|yesno|Brevano V|Si Desidera Terminare la Sessione di Lavoro?")});
    EXPECT_TRUE(w.isVisible());
}

TEST_F(Dispatch, ChoosingTheFiscalYearFromTheMenuWritesItWithThreeBlanks)
{
    openWindow();
    // The years are listed with their dates day first.
    QStringList listed;
    ui::onNextModal([&listed](QWidget* lookup) {
        auto* years = ui::find<QTableView>(lookup, QStringLiteral("LookupGrid"));
        auto* shown = static_cast<QStyledItemDelegate*>(years->itemDelegate());
        for (int c = 0; c < years->model()->columnCount(); ++c)
            if (!years->isColumnHidden(c))
                listed << shown->displayText(years->model()->index(0, c).data(), QLocale());
        ui::type(lookup, QStringLiteral("tCerca"), LastYear);
        ui::click(lookup, QStringLiteral("BTNOK"));
    });
    click(QStringLiteral("BRicEsercizio"));
    EXPECT_TRUE(listed.contains(QStringLiteral("01/01/") + listed.value(0))) << listed.join(u'|').toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("31/12/") + listed.value(0))) << listed.join(u'|').toStdString();
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(base->FiscalYear, LastYear);
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : ") + LastYear + QStringLiteral("   "));

    pickYearInNextLookup(QString());
    click(QStringLiteral("BRicEsercizio"));
    EXPECT_EQ(base->FiscalYear, LastYear);

    // A look-up that cannot read the fiscal years says why, and nothing changes.
    base->DataDbPath = program.file(QStringLiteral("manca.mdb"));
    click(QStringLiteral("BRicEsercizio"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("Brevano V"));
    EXPECT_EQ(base->FiscalYear, LastYear);
}

TEST_F(Dispatch, UserAccessAndLockManagementAreForAdministrators)
{
    signIn(QStringLiteral("mario"), false);
    openWindow();
    click(QStringLiteral("BAccessi"));
    click(QStringLiteral("BGestLoc"));
    const QString refusal = QStringLiteral("MESSAGE|information|ok|Brevano V|Accesso non autorizzato agli Utenti");
    EXPECT_EQ(messages(), (QStringList{refusal, refusal}));
    EXPECT_EQ(screenCount(), 0);
    EXPECT_FALSE(platform.busy);
}

TEST_F(Dispatch, AnAdministratorSeesTheUsersTableAndTheLocks)
{
    openWindow();
    click(QStringLiteral("BAccessi"));
    QWidget* users = tableScreen();
    ASSERT_TRUE(users);
    EXPECT_EQ(users->windowTitle(), QStringLiteral("Brevano V : Gestione Accessi"));
    EXPECT_EQ(shared(users)->tag(), QStringLiteral("6"));
    EXPECT_EQ(gridRows(users), 2);
    EXPECT_EQ(shownHeadings(users), (QStringList{"Utente", "Descrizione", "Tipo", "Esercizio"}));

    // A new password is typed, never shown; left empty, the old one stays.
    const auto stored = [this] {
        Rows q = userDb().select(JetQuery("SELECT [Password] FROM Password WHERE Codice = 'admin'"));
        return q.next() ? q.value(0).toString() : QString();
    };
    QWidget* panel = ui::find<QWidget>(users, QStringLiteral("PanDati_6"));
    for (const QString& typed : {QStringLiteral("Nuova9"), QString()}) {
        ui::click(users, QStringLiteral("BModifica"));
        EXPECT_EQ(ui::text(panel, QStringLiteral("Password")), QString());
        ui::type(panel, QStringLiteral("Password"), typed);
        ui::click(users, QStringLiteral("BSalva"));
        EXPECT_TRUE(passwordMatches(stored(), QStringLiteral("Nuova9")));
        EXPECT_FALSE(stored().contains(QStringLiteral("Nuova9")));
    }
    click(QStringLiteral("BGestLoc"));
    EXPECT_TRUE(screen(QStringLiteral("GestAccessi")));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(Dispatch, TheDataFolderConfigurationWaitsUntilNoScreenIsInEditMode)
{
    openWindow();
    base->EditingScreenCount = 1;
    click(QStringLiteral("BCS"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("Attenzione: Impossibile Accedere a questa Funzione.\r"
                                                        "Alcune Maschere sono in Modifica.\r"
                                                        "Chiudere le Maschere e Ritentare."));
    EXPECT_EQ(platform.messages[0].icon, Platform::Icon::Information);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("Brevano V"));

    base->EditingScreenCount = 0;
    QString shown, tag;
    ui::onNextModal([&](QWidget* modal) {
        shown = modal->objectName();
        if (auto* configuration = qobject_cast<RicercaServer*>(modal))
            tag = configuration->Tag;
        ui::click(modal, QStringLiteral("BAnnulla"));
    });
    click(QStringLiteral("BCS"));
    EXPECT_EQ(shown, QStringLiteral("RicercaServer"));
    EXPECT_EQ(tag, QStringLiteral("Nel Prog"));
    EXPECT_EQ(platform.messages.size(), 1);
}

TEST_F(Dispatch, EveryTableCommandOpensItsTableInTheSharedScreen)
{
    openWindow();
    struct Expected
    {
        const char* tool;
        const char* title;
        int number;
        const char* table;
    };
    const Expected tables[] = {
        {"BAttivita", "Tabella Attività", 3, "attivita"},
        {"BBanche", "Coordinate Bancarie", 11, "banche"},
        {"BCauDoc", "Causali Documenti", 7, "causalidoc"},
        {"BIVA", "Tabella Codici ed Aliquote I.V.A.", 5, "iva"},
        {"BDepositi", "Depositi", 12, "depositi"},
        {"BEsercizio", "Esercizi Azienda", 9, "esercizio"},
        {"BSettMerc", "Tabella Settori Merceologici", 4, "settmerc"},
        {"BTipiPag", "Tabella Tipi di Pagamento", 2, "tipopag"},
        {"BUM", "Tabella Unità di Misura", 1, "um"},
        {"BValute", "Tabella Valute", 10, "Valute"},
        {"BZone", "Tabella Zone", 0, "zone"},
        {"BCatAge", "Categoria Agenti", 15, "catage"},
        {"BCatArt", "Categoria Articoli", 13, "catart"},
        {"BCatCli", "Categoria Clienti", 8, "catcli"},
        {"BCatFor", "Categoria Fornitori", 14, "catfor"},
        {"BCatMat", "Categoria Materiali", 16, "catmat"},
        {"BCatSer", "Categoria Servizi", 17, "catser"},
    };
    for (const Expected& t : tables) {
        SCOPED_TRACE(t.tool);
        click(QString::fromUtf8(t.tool));
        QWidget* s = tableScreen();
        ASSERT_TRUE(s);
        EXPECT_EQ(s->windowTitle(), QStringLiteral("Brevano V : ") + QString::fromUtf8(t.title));
        EXPECT_EQ(shared(s)->tag(), QString::number(t.number));
        for (int n = 0; n < 18; ++n)
            EXPECT_EQ(!ui::find<QWidget>(s, QStringLiteral("PanDati_%1").arg(n))->isHidden(), n == t.number);
        JetQuery count("SELECT COUNT(*) FROM ");
        count << Jet::identifier(QString::fromUtf8(t.table));
        Rows rows = dataDb().select(count);
        rows.next();
        EXPECT_EQ(gridRows(s), rows.value(0).toInt());
        EXPECT_EQ(ui::find<QLabel>(s, QStringLiteral("lblValuta"))->isVisible(), t.number == 10);
    }
    EXPECT_EQ(screenCount(), 1);
    EXPECT_EQ(ui::text(tableScreen(), QStringLiteral("lblValuta")), QStringLiteral("Valuta / LIT"));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_FALSE(platform.busy);
    EXPECT_GE(platform.hourglassOn, 17);
}

TEST_F(Dispatch, OpeningTheSameTableAgainOnlyRecaptionsAndRaisesIt)
{
    openWindow();
    click(QStringLiteral("BIVA"));
    QWidget* s = tableScreen();
    ASSERT_TRUE(s);
    EXPECT_EQ(shared(s)->helpContext(), 5);
    EXPECT_EQ(shownHeadings(s), (QStringList{"Codice", "Descrizione", "Aliquota %"}));
    EXPECT_EQ(gridRows(s), 5);

    // A row added elsewhere meanwhile is not read again: the table is not reloaded.
    dataDb().execute(JetQuery("INSERT INTO IVA (Codice, \"Desc\", Perc) VALUES ('22', 'Aliquota 22%', 22)"));
    s->setWindowTitle(QStringLiteral("altro"));
    click(QStringLiteral("BIVA"));
    EXPECT_EQ(tableScreen(), s);
    EXPECT_EQ(s->windowTitle(), QStringLiteral("Brevano V : Tabella Codici ed Aliquote I.V.A."));
    EXPECT_EQ(shared(s)->helpContext(), 55);
    EXPECT_EQ(gridRows(s), 5);
    EXPECT_EQ(window->workspace()->activeSubWindow()->widget(), s);

    // Another table reloads the screen; zones are table number 0.
    click(QStringLiteral("BZone"));
    EXPECT_EQ(tableScreen(), s);
    EXPECT_EQ(shared(s)->tag(), QStringLiteral("0"));
    EXPECT_EQ(shared(s)->helpContext(), 550);
    EXPECT_EQ(gridRows(s), 3);
    EXPECT_EQ(shownHeadings(s), (QStringList{"Codice", "Descrizione"}));
    EXPECT_EQ(screenCount(), 1);

    // A zone being typed is not dropped by another table without the question closing asks.
    ui::click(s, QStringLiteral("BNuovo"));
    ui::type(ui::find<QWidget>(s, QStringLiteral("PanDati_0")), QStringLiteral("Codice"), QStringLiteral("9"));
    platform.answers.enqueue(Platform::Answer::No);
    click(QStringLiteral("BAttivita"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.lastText(), QStringLiteral("E' Stato Inserito un Nuovo Record.\r\rSi Desidera Uscire Perdendo le Modifiche?"));
    EXPECT_EQ(platform.last()->defaultAnswer, Platform::Answer::No);
    EXPECT_EQ(shared(s)->tag(), QStringLiteral("0"));
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(ui::text(s, QStringLiteral("Codice")), QStringLiteral("9"));
    click(QStringLiteral("BAttivita"));  // Yes: the zone goes, the activities come
    EXPECT_EQ(shared(s)->tag(), QStringLiteral("3"));
    EXPECT_EQ(base->EditingScreenCount, 0);
}

TEST_F(Dispatch, TheSharedScreenAddsAZoneAndRefusesADuplicateCode)
{
    openWindow();
    click(QStringLiteral("BZone"));
    QWidget* s = tableScreen();
    QWidget* zone = ui::find<QWidget>(s, QStringLiteral("PanDati_0"));
    ui::click(s, QStringLiteral("BNuovo"));
    EXPECT_EQ(base->EditingScreenCount, 1);
    ui::type(zone, QStringLiteral("Codice"), QStringLiteral("1"));
    ui::type(zone, QStringLiteral("Desc"), QStringLiteral("Nord-Ovest"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(ui::text(s, QStringLiteral("ErrorBar_1")), QStringLiteral("Codice già esistente"));
    EXPECT_TRUE(ui::enabled(s, QStringLiteral("BSalva")));
    ui::type(zone, QStringLiteral("Codice"), QStringLiteral("4"));
    ui::click(s, QStringLiteral("BSalva"));
    EXPECT_EQ(ui::text(s, QStringLiteral("ErrorBar_1")), QString());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(gridRows(s), 4);
    Rows added = dataDb().select(JetQuery("SELECT \"Desc\" FROM Zone WHERE Codice = '4'"));
    ASSERT_TRUE(added.next());
    EXPECT_EQ(added.value(0).toString(), QStringLiteral("Nord-Ovest"));
}

// Another workstation holding the archive: after a short wait the clerk is asked whether to try
// again, with everything typed still on screen; trying again saves it.
TEST_F(Dispatch, ASaveWaitingForAnotherWorkstationAsksToTryAgain)
{
    openWindow();
    click(QStringLiteral("BZone"));
    QWidget* s = tableScreen();
    QWidget* zone = ui::find<QWidget>(s, QStringLiteral("PanDati_0"));
    ui::click(s, QStringLiteral("BNuovo"));
    ui::type(zone, QStringLiteral("Codice"), QStringLiteral("7"));
    ui::type(zone, QStringLiteral("Desc"), QStringLiteral("Estero"));

    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/worker_dbholder"),
                 {program.dataDb(), QStringLiteral("HELD"), QString::number(Database::BusyTimeoutMs + 1500)});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    QString typedWhenAsked;
    platform.onMessage = [&](const ScriptedPlatform::Message&) { typedWhenAsked = ui::text(zone, QStringLiteral("Desc")); };
    ui::click(s, QStringLiteral("BSalva"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.lastText().startsWith("Archivio in uso da un'altra postazione ('" + program.dataDb() + "')"));
    EXPECT_TRUE(platform.lastText().endsWith("Riprovare adesso?"));
    EXPECT_EQ(typedWhenAsked, QStringLiteral("Estero"));
    EXPECT_EQ(base->EditingScreenCount, 0);
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);
    const Database data = dataDb();
    Rows added = data.select(JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('7', 'HELD') ORDER BY Codice"));
    QStringList codes;
    while (added.next())
        codes << added.value(0).toString();
    EXPECT_EQ(codes, (QStringList{"7", "HELD"}));
}

TEST_F(Dispatch, ATableScreenThatFailsShowsTheReason)
{
    openWindow();
    dataDb().execute(JetQuery("DROP TABLE attivita"));
    click(QStringLiteral("BAttivita"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.messages[0].icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("Brevano V"));
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("attivita")));
    EXPECT_FALSE(platform.busy);
}

TEST_F(Dispatch, ScreensOfThisSystemOpenOnceEach)
{
    openWindow();
    const QVector<QPair<QString, QString>> screens = {
        {"BLoc", "Localita"},           {"BModPag", "ModPaga"},        {"BAzienda", "DatiAzienda"},
        {"BNumeratori", "Numeratori"},  {"BGestLoc", "GestAccessi"},   {"BImporta", "Importazione"},
        {"BAUTOCOMP", "AutoComp"},
    };
    for (const auto& [tool, name] : screens) {
        SCOPED_TRACE(qPrintable(tool));
        click(tool);
        ASSERT_TRUE(screen(name));
        const int open = screenCount();
        click(tool);
        EXPECT_EQ(screenCount(), open);
        EXPECT_EQ(window->workspace()->activeSubWindow()->widget(), screen(name));
    }
}

TEST_F(Dispatch, ScreensOfTheBaseComponentOpenWithTheirTables)
{
    openWindow();
    const QVector<QPair<QString, QString>> screens = {
        {"BAgenti", "Agenti"},       {"BArticoli", "Articoli"}, {"BClienti", "Clienti"},
        {"BFornitori", "Fornitori"}, {"BListini", "Listini"},   {"BMateriali", "Materiali"},
        {"BServizi", "Servizi"},     {"BVettori", "Vettori"},   {"BGestImm", "GestioneImmagine"},
    };
    for (const auto& [tool, name] : screens) {
        SCOPED_TRACE(qPrintable(tool));
        click(tool);
        QWidget* s = screen(name);
        ASSERT_TRUE(s);
        EXPECT_TRUE(s->isVisible());
        EXPECT_TRUE(s->windowTitle().startsWith(QStringLiteral("Brevano V : ")));
    }
    Rows customers = dataDb().select(JetQuery("SELECT COUNT(*) FROM Clienti"));
    customers.next();
    EXPECT_EQ(gridRows(screen(QStringLiteral("Clienti"))), customers.value(0).toInt());
    EXPECT_EQ(gridRows(screen(QStringLiteral("Materiali"))), 2);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(Dispatch, ModuleCommandsShowTheScreensOfTheirComponents)
{
    openWindow();
    const QVector<QPair<QString, QString>> screens = {
        {"BGiacArt", "objgiacenze"}, {"BCauMag", "objcaumag"},     {"BMovMaga", "objmovmaga"},
        {"BDDT", "objddt"},          {"BDistinta", "objdistinta"}, {"BRESO", "objreso"},
        {"BInventa", "objinventario"}, {"BGestGiac", "objgestgiac"}, {"BFATAC", "objFATAC"},
        {"BFATVE", "objFATVE"},      {"BFATPRO", "objFATPRO"},     {"BFATSE", "objFATSE"},
        {"BFATNC", "objFATNC"},      {"BFATND", "objFATND"},       {"BStat", "objgraf"},
        {"BAgRiep", "objriepage"},   {"BORDAC", "objORDAC"},       {"BORDVE", "objORDVE"},
        {"BSCAD", "objSCAD"},
    };
    for (const auto& [tool, name] : screens) {
        SCOPED_TRACE(qPrintable(tool));
        click(tool);
        EXPECT_TRUE(screen(name));
    }
    EXPECT_TRUE(platform.messages.isEmpty());

    // Both the warehouse and the payments component: quotations are the warehouse's.
    click(QStringLiteral("BPREV"));
    EXPECT_TRUE(screen(QStringLiteral("objprev")));
    base->WarehouseModuleLoaded = false;
    click(QStringLiteral("BPREV"));
    EXPECT_TRUE(screen(QStringLiteral("objordprev")));

    // Opening stock is shown modal.
    QString shown;
    ui::onNextModal([&](QWidget* modal) {
        shown = modal->objectName() + QStringLiteral("|") + modal->windowTitle();
        ui::click(modal, QStringLiteral("BEsci"));
    });
    const int open = screenCount();
    click(QStringLiteral("BAperGiac"));
    EXPECT_EQ(shown, QStringLiteral("objapergiac|Brevano V : Apertura Giacenze"));
    EXPECT_EQ(screenCount(), open);
}

TEST_F(Dispatch, HelpTheMakersPageAndTheAboutBox)
{
    openWindow();
    click(QStringLiteral("BHELP"));
    EXPECT_EQ(platform.helpTopics, QStringList{program.file(QStringLiteral("BrevanoV.html")) + QStringLiteral("#260")});
    EXPECT_TRUE(QFile::exists(program.file(QStringLiteral("BrevanoV.html"))));
    click(QStringLiteral("BTarmel"));
    EXPECT_EQ(platform.openedUrls, QStringList{QStringLiteral("https://www.tarmel.it")});

    QStringList seen;
    // The version is read when the box becomes active.
    auto versionOf = [](QWidget* about) {
        EXPECT_TRUE(QTest::qWaitFor([about] { return !ui::text(about, QStringLiteral("Version")).isEmpty(); }, 5000));
        return ui::text(about, QStringLiteral("Version"));
    };
    ui::onNextModal([&](QWidget* about) {
        seen << about->objectName() << about->windowTitle() << versionOf(about)
             << ui::text(about, QStringLiteral("Esci"));
        // The label is read once per opening: becoming active again does not read it again.
        userDb().execute(JetQuery("UPDATE Versione SET Versione = 501"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(about, &activate);
        seen << ui::text(about, QStringLiteral("Version"));
        ui::click(about, QStringLiteral("Esci"));
    });
    click(QStringLiteral("BInfo"));
    EXPECT_EQ(seen, (QStringList{"frmAbout", "Brevano V : About", "Versione Numero : 500", "&Esci",
                                 "Versione Numero : 500"}));
    seen.clear();
    ui::onNextModal([&](QWidget* about) {
        seen << versionOf(about);
        ui::click(about, QStringLiteral("Esci"));
    });
    click(QStringLiteral("BInfo"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("Versione Numero : 501")});
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(Dispatch, ATableScreenThatMayNotOpenIsLeftSilently)
{
    openWindow();
    base->OpenScreenCount = BaseClass::MaxOpenScreens + 1;
    click(QStringLiteral("BZone"));
    EXPECT_EQ(base->DialogResult, QStringLiteral("Annulla Apertura"));
    ASSERT_EQ(platform.messages.size(), 1);  // the base component's own notice, nothing more
    EXPECT_NE(platform.messages[0].icon, Platform::Icon::Critical);
    EXPECT_FALSE(tableScreen());

    base->OpenScreenCount = 0;
    click(QStringLiteral("BZone"));
    EXPECT_TRUE(tableScreen());
    EXPECT_EQ(base->DialogResult, QString());
}
