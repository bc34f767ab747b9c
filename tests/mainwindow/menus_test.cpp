// The main window's menus, bands, status bar and background.
#include "mainwindowfixture.h"

#include "common/recordset.h"
#include "mainwindow/workspace.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using Tools = QVector<QPair<QString, QString>>;

QStringList names(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (!a->isSeparator())
            out << a->objectName();
    return out;
}

Tools toolsOf(const QList<QAction*>& actions)
{
    Tools out;
    for (QAction* a : actions)
        out << qMakePair(a->objectName(), a->text());
    return out;
}

} // namespace

TEST_F(MainWindowTest, TheMenuBarHoldsEveryMenuAndToolInOrderWithItsCaption)
{
    Principale& w = openWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Brevano V"));
    auto* bar = ui::find<QMenuBar>(&w, QStringLiteral("Menù Generale"));
    EXPECT_EQ(toolsOf(bar->actions()),
              (Tools{{"MFile", "&File"}, {"MTabelle", "&Tabelle"}, {"BAnag", "&Anagrafiche"}, {"Magazzino", "&Magazzino"},
                     {"Fatturazione", "Fattu&ra"}, {"Pagamenti", "&Integra"}, {"MUtilità", "&Utilità"},
                     {"MFinestra", "Fi&nestra"}, {"MBlocca", "Menù S&bloccati"}}));

    const QMap<QString, Tools> menus = {
        {"MFile", {{"BEsci", "&Esci"}}},
        {"MTabelle",
         {{"BAttivita", "&Attività"}, {"BBanche", "&Banche"}, {"BCauDoc", "Causali D&ocumenti"},
          {"BIVA", "Codici e Ali&q. I.V.A."}, {"BDepositi", "&Depositi"}, {"BEsercizio", "&Esercizio Azienda"},
          {"BLoc", "Località &Geografiche"}, {"BModPag", "Modalità di Pagame&nto"}, {"BSettMerc", "&Settori Merceologici"},
          {"BTipiPag", "Tipi &Pagamento"}, {"BUM", "&Unità di Misura"}, {"BValute", "&Valute"}, {"BZone", "&Zone"},
          {"BCatAge", "Categoria Agen&ti"}, {"BCatArt", "Categoria Artico&li"}, {"BCatCli", "Categoria &Clienti"},
          {"BCatFor", "Categoria &Fornitori"}, {"BCatMat", "Categoria Mate&riali"}, {"BCatSer", "Categoria Serv&izi"}}},
        {"BAnag",
         {{"BAzienda", "A&zienda"}, {"BAgenti", "&Agenti"}, {"BArticoli", "A&rticoli"}, {"BClienti", "&Clienti"},
          {"BFornitori", "&Fornitori"}, {"BListini", "&Listini"}, {"BMateriali", "&Materiali"}, {"BServizi", "&Servizi"},
          {"BVettori", "&Vettori"}}},
        {"Magazzino",
         {{"BGestGiac", "Gestione G&iacenze"}, {"BGiacArt", "&Situazione Giacenze"}, {"BCauMag", "&Causali Magazzino"},
          {"BMovMaga", "&Movimenti Magazzino"}, {"BDDT", "&D.D.T."}, {"BDistinta", "Distinta &Base"},
          {"BRESO", "&Resi da Clienti"}, {"BInventa", "&Inventario"}, {"BAperGiac", "&Apertura Giacenze"}}},
        {"Fatturazione",
         {{"BFATAC", "Fattura &Acquisto"}, {"BFATVE", "Fatture &Vendita/Accompagantoria"}, {"BFATPRO", "Fattura &Proforma"},
          {"BFATSE", "Fattura &Servizi"}, {"BFATNC", "Note &Credito"}, {"BFATND", "Note &Debito"},
          {"BStat", "S&tatistiche"}, {"BAgRiep", "&Riepilogo Agenti"}}},
        {"Pagamenti",
         {{"BORDAC", "Ordini di &Acquisto"}, {"BORDVE", "Ordini di &Vendita"}, {"BPREV", "&Preventivi"},
          {"BSCAD", "Gestione &Scadenziario"}}},
        {"MUtilità",
         {{"BCS", "&Client/Server"}, {"BAccessi", "&Accessi"}, {"BGestLoc", "Gestione &Bloccaggio"},
          {"BGestImm", "&Gestione Immagine"}, {"BNumeratori", "&Numeratori"}, {"BRicEsercizio", "Imposta &Esercizio"},
          {"BImporta", "Importazione &Dati"}, {"BAUTOCOMP", "A&utocomposizione Documenti"}, {"BSfondo", "S&fondo"},
          {"BTarmel", "&Tarmel Home Page"}, {"BInfo", "&Informazioni..."}, {"BHELP", "&Help Brevano V"}}},
    };
    for (QAction* menuAction : bar->actions()) {
        if (!menuAction->menu())
            continue;
        EXPECT_EQ(toolsOf(menuAction->menu()->actions()), menus.value(menuAction->objectName()))
            << qPrintable(menuAction->objectName());
    }
    // A tool is one action wherever it stands.
    EXPECT_EQ(w.findChildren<QAction*>(QStringLiteral("BEsci")).size(), 1);
}

TEST_F(MainWindowTest, TheFiveBandsCarryTheirShortcuts)
{
    Principale& w = openWindow();
    const QMap<QString, QStringList> bands = {
        {"BAnag", {"BAzienda", "BClienti", "BFornitori", "BArticoli", "BListini"}},
        {"BMaga", {"BDDT", "BMovMaga", "BDistinta", "BRESO", "BInventa", "BAperGiac"}},
        {"BPaga", {"BORDAC", "BORDVE", "BPREV", "BSCAD"}},
        {"BFatt", {"BFATAC", "BFATVE", "BFATPRO", "BFATSE", "BFATNC", "BFATND", "BStat", "BAgRiep"}},
        {"BStandard", {"BCS", "BAccessi", "BGestImm", "BInfo", "BEsci"}},
    };
    for (auto it = bands.begin(); it != bands.end(); ++it) {
        auto* band = ui::find<QToolBar>(&w, it.key());
        EXPECT_EQ(names(band->actions()), it.value()) << qPrintable(it.key());
        EXPECT_TRUE(band->isVisible());
        EXPECT_TRUE(band->isMovable());
    }
    // The band and the menu of the same name are told apart by kind.
    EXPECT_EQ(w.findChild<QAction*>(QStringLiteral("BAnag"))->text(), QStringLiteral("&Anagrafiche"));
}

TEST_F(MainWindowTest, TheStatusBarShowsUserFiscalYearAndDate)
{
    platform.todayDate = QDate(2026, 3, 7);
    base->FiscalYear = QStringLiteral("2026");
    openWindow();
    EXPECT_EQ(panel(1), QStringLiteral("Utente Collegato : admin"));
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : 2026   "));
    EXPECT_EQ(panel(3), QStringLiteral("Data : 07/03/2026   "));
}

TEST_F(MainWindowTest, WithoutAFiscalYearTheStatusBarSaysItIsNotDefined)
{
    base->FiscalYear.clear();
    openWindow();
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : Non Definito   "));
}

TEST_F(MainWindowTest, AbsentModulesLoseTheirMenusAndBandsOnFirstActivation)
{
    base->InvoicingModuleLoaded = false;
    base->PaymentsModuleLoaded = false;
    Principale& w = openWindow();
    EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("Magazzino"))->isVisible());
    EXPECT_TRUE(w.findChild<QToolBar*>(QStringLiteral("BMaga"))->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("Fatturazione"))->isVisible());
    EXPECT_FALSE(w.findChild<QToolBar*>(QStringLiteral("BFatt"))->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("Pagamenti"))->isVisible());
    EXPECT_FALSE(w.findChild<QToolBar*>(QStringLiteral("BPaga"))->isVisible());
    // Their bands cannot be brought back by hand.
    std::unique_ptr<QMenu> bands(w.createPopupMenu());
    QStringList offered;
    for (QAction* a : bands->actions())
        offered << a->text();
    EXPECT_EQ(offered, (QStringList{"Anagrafiche", "Magazzino", "Standard"}));
}

// The background of the workspace, by the workstation's OpzUtente row.
class Background : public MainWindowTest
{
protected:
    void setBackground(const QVariant& value)
    {
        JetQuery update("UPDATE OpzUtente SET Sfondo = ");
        if (value.isNull())
            update << "NULL";
        else
            update << Jet::text(value.toString());
        localDb().execute(update);
    }

    QString storedBackground()
    {
        Recordset options = Recordset::openTable(localDb(), QStringLiteral("OpzUtente"));
        return options.value(QStringLiteral("Sfondo")).toString();
    }

    Workspace* area() { return window->background(); }
};

TEST_F(Background, TheShippedPictureIsTheDefaultSenzaMeansNoneAndAnUnreadableFileIsIgnored)
{
    openWindow();
    EXPECT_TRUE(area()->hasPicture());
    EXPECT_EQ(area()->pictureFile(), program.file(QStringLiteral("Sfondo.jpg")));
    window.reset();

    setBackground(QStringLiteral("Senza"));
    openWindow();
    EXPECT_FALSE(area()->hasPicture());
    window.reset();

    setBackground(program.file(QStringLiteral("Layout.grx")));
    openWindow();
    EXPECT_FALSE(area()->hasPicture());
    EXPECT_TRUE(platform.messages.isEmpty());
    window.reset();

    localDb().execute(JetQuery("DELETE FROM OpzUtente"));
    openWindow();
    EXPECT_TRUE(area()->hasPicture());
}

TEST_F(Background, ChoosingAPictureStoresItsPathForTheNextStart)
{
    openWindow();
    const QString picture = program.file(QStringLiteral("Splash.bmp"));
    platform.filesToChoose.enqueue(picture);
    click(QStringLiteral("BSfondo"));
    EXPECT_EQ(platform.fileFilters.value(0), QStringLiteral("Pictures (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|none|ok|Brevano V|Lo Sfondo è stato Modificato. Le Modifiche Avranno Effetto dal "
                             "Prossimo Riavvio"));
    EXPECT_EQ(storedBackground(), picture);
    // The window keeps its picture until the next start.
    EXPECT_EQ(area()->pictureFile(), program.file(QStringLiteral("Sfondo.jpg")));
    window.reset();
    openWindow();
    EXPECT_EQ(area()->pictureFile(), picture);
}

TEST_F(Background, NoChoiceOffersToRemoveTheBackground)
{
    openWindow();
    platform.answers.enqueue(Platform::Answer::No);
    click(QStringLiteral("BSfondo"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|none|yesno|Brevano V|Non è stato Selezionato uno Sfondo, si Desidera Cancellare "
                             "quello Esistente?"));
    EXPECT_EQ(storedBackground(), QString());

    platform.clear();
    click(QStringLiteral("BSfondo"));
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[1]),
              QStringLiteral("MESSAGE|none|ok|<none>|Lo Sfondo è stato Eliminato. Le Modifiche Avranno Effetto dal "
                             "Prossimo Riavvio"));
    EXPECT_EQ(storedBackground(), QStringLiteral("Senza"));
    EXPECT_TRUE(area()->hasPicture());

    // An empty options table gets its first row.
    localDb().execute(JetQuery("DELETE FROM OpzUtente"));
    platform.filesToChoose.enqueue(QStringLiteral("/immagini/logo.gif"));
    click(QStringLiteral("BSfondo"));
    EXPECT_EQ(storedBackground(), QStringLiteral("/immagini/logo.gif"));
}

TEST_F(Background, AFailingPictureDialogIsReported)
{
    openWindow();
    platform.fileDialogFails = true;
    click(QStringLiteral("BSfondo"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|critical|ok|Brevano V|Errore Durante l' Apertura dell' Immagine..."));
    EXPECT_EQ(storedBackground(), QString());
}
