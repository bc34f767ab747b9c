#include "modpaga_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>

namespace {

const QStringList BrowseKeys = {"BNuovo", "BModifica", "BElimina", "BPrimo", "BIndietro", "BAvanti", "BUltimo"};

class PaymentTermsOpenTest : public PaymentTermsTest
{
protected:
    void SetUp() override { openScreen(); }

    // Browse: moves, new, edit, delete enabled; save and cancel disabled; fields disabled.
    void expectBrowsing()
    {
        for (const QString& key : BrowseKeys)
            EXPECT_TRUE(ui::enabled(screen, key)) << key.toStdString();
        EXPECT_FALSE(ui::enabled(screen, "BSalva"));
        EXPECT_FALSE(ui::enabled(screen, "BAnnulla"));
        EXPECT_FALSE(frameEnabled());
    }
    void expectPending()
    {
        for (const QString& key : BrowseKeys)
            EXPECT_FALSE(ui::enabled(screen, key)) << key.toStdString();
        EXPECT_TRUE(ui::enabled(screen, "BSalva"));
        EXPECT_TRUE(ui::enabled(screen, "BAnnulla"));
        EXPECT_TRUE(frameEnabled());
    }
};

TEST_F(PaymentTermsOpenTest, OpensOnTheFirstTermWithEveryControl)
{
    EXPECT_EQ(screen->windowTitle(), "Brevano V: Modalità Pagamento");
    EXPECT_EQ(base->OpenScreenCount, 1);
    auto* toolbar = ui::find<QWidget>(screen, "AnagToolbar");
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"BNuovo", "Nuovo"},   {"BModifica", " Modifica "}, {"BAnnulla", "Annulla"}, {"BSalva", "Salva"},
        {"BElimina", "Elimina"}, {"BPrimo", "Primo"},        {"BIndietro", "Prec."},  {"BAvanti", "Succ."},
        {"BUltimo", "Ultimo"}, {"BEsci", "Esci"}};
    for (const auto& [key, caption] : buttons)
        EXPECT_EQ(ui::find<QAction>(toolbar, key)->text(), caption);
    EXPECT_EQ(ui::text(screen, "tFineMese"), "Fine Mese");
    EXPECT_EQ(ui::find<QGroupBox>(screen, "FRMScad")->title(), "Giorni di Scadenze Rate ");
    QStringList captions;
    for (QLabel* label : screen->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption : {"Codice", "Descrizione", "Numero delle Rate", "1", "12"})
        EXPECT_TRUE(captions.contains(QString::fromUtf8(caption))) << caption;
    // The banner and the logo come with the program.
    EXPECT_FALSE(ui::find<QLabel>(screen, "ImageTarmel")->pixmap().isNull());
    EXPECT_FALSE(ui::find<QLabel>(screen, "ImageTarmel2")->pixmap().isNull());

    expectBrowsing();
    EXPECT_EQ(field("tCod")->text(), "RD");
    EXPECT_EQ(field("tDesc")->text(), "Rimessa diretta");
    EXPECT_EQ(field("tRate")->text(), "0");
    EXPECT_EQ(panel1(), "");
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_TRUE(base->modes.isEmpty());
}

TEST_F(PaymentTermsOpenTest, MovesStayBetweenTheFirstAndTheLastTerm)
{
    click("BIndietro");
    EXPECT_EQ(field("tCod")->text(), "RD");
    click("BUltimo");
    EXPECT_EQ(field("tCod")->text(), "BB306090");
    EXPECT_EQ(field("R3")->text(), "90");
    EXPECT_EQ(field("R4")->text(), "");
    ui::find<QLabel>(screen, "SBMess_1")->setText("vecchio messaggio");
    click("BAvanti");
    EXPECT_EQ(field("tCod")->text(), "BB306090");
    EXPECT_EQ(panel1(), "");
    click("BIndietro");
    EXPECT_EQ(field("tCod")->text(), "RB3060");
    EXPECT_TRUE(ui::find<QCheckBox>(screen, "tFineMese")->isChecked());
    click("BPrimo");
    click("BAvanti");
    EXPECT_EQ(field("tCod")->text(), "RB30");
    EXPECT_FALSE(ui::find<QCheckBox>(screen, "tFineMese")->isChecked());
}

TEST_F(PaymentTermsOpenTest, ANewTermIsCheckedRuleByRuleThenSavedAndShown)
{
    click("BNuovo");
    expectPending();
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_TRUE(field("tCod")->text().isEmpty());
    EXPECT_TRUE(field("tCod")->isEnabled());

    struct Step
    {
        std::vector<std::pair<const char*, QString>> fields;
        QString message;
        const char* focused;
    };
    const std::vector<Step> steps = {
        {{}, "Codice non Inserito", "tCod"},
        {{{"tCod", "rb30"}, {"tDesc", "Prova"}}, "Codice già esistente", "tCod"},
        {{{"tCod", "RB90"}, {"tDesc", ""}}, "Descrizione non Inserita", "tDesc"},
        {{{"tDesc", "Ricevuta bancaria 30/60/90"}, {"R1", "30"}}, "Numero Rate non Inserito", nullptr},
        {{{"tRate", "3"}, {"R2", "60"}}, "Numero Rate Diverso da Giorni Scadenze Rate", nullptr},
        {{{"tRate", "2"}, {"R2", ""}, {"R3", "90"}}, "Giorni di Scadenza Rate non Inserite Correttamente", nullptr},
    };
    for (const Step& step : steps) {
        for (const auto& [name, text] : step.fields)
            set(name, text);
        click("BSalva");
        EXPECT_EQ(panel1(), step.message);
        if (step.focused) {
            EXPECT_EQ(screen->focusWidget(), field(step.focused)) << step.focused;
            EXPECT_EQ(field(step.focused)->selectedText(), field(step.focused)->text());
        }
        expectPending();
    }
    EXPECT_EQ(termCount(), 4);

    set("tRate", "3");
    set("R2", "60");
    ui::find<QCheckBox>(screen, "tFineMese")->setChecked(true);
    click("BSalva");
    EXPECT_EQ(panel1(), "");
    expectBrowsing();
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(field("tCod")->text(), "RB90");
    const QVariantMap term = stored("RB90");
    EXPECT_EQ(term["Desc"].toString(), "Ricevuta bancaria 30/60/90");
    EXPECT_EQ(term["Rate"].toInt(), 3);
    EXPECT_EQ(term["FineMese"].toInt(), 1);
    EXPECT_EQ(term["Scad1"].toInt(), 30);
    EXPECT_EQ(term["Scad2"].toInt(), 60);
    EXPECT_EQ(term["Scad3"].toInt(), 90);
    EXPECT_TRUE(term["Scad4"].isNull());
    // Adding takes no lock and releases none.
    EXPECT_TRUE(base->modes.isEmpty());
}

TEST_F(PaymentTermsOpenTest, AnEmptyRateWithoutDaysIsSavedAsZero)
{
    click("BNuovo");
    set("tCod", "CONT");
    set("tDesc", "Contanti");
    click("BSalva");
    EXPECT_EQ(panel1(), "");
    EXPECT_EQ(field("tRate")->text(), "0");
    EXPECT_EQ(stored("CONT")["Rate"].toInt(), 0);
    EXPECT_TRUE(stored("CONT")["Scad1"].isNull());
}

TEST_F(PaymentTermsOpenTest, CodesWithQuotesAreStoredLockedAndFoundVerbatim)
{
    const QString code = "30\"GG'FM";
    click("BNuovo");
    ui::type(screen, "tCod", code);
    EXPECT_EQ(field("tCod")->text(), code);
    set("tDesc", "Trenta giorni \"fine mese\"");
    click("BSalva");
    EXPECT_EQ(panel1(), "");
    EXPECT_EQ(stored(code)["Codice"].toString(), code);
    EXPECT_EQ(stored(code)["Desc"].toString(), "Trenta giorni \"fine mese\"");

    click("BModifica");
    EXPECT_EQ(lockKeys(), QStringList{"ModPag|Codice=" + code + "|admin|POSTAZIONE1"});
    EXPECT_FALSE(field("tCod")->isEnabled());
    set("tDesc", "Trenta giorni d.f.f.m.");
    click("BSalva");
    EXPECT_EQ(stored(code)["Desc"].toString(), "Trenta giorni d.f.f.m.");
    EXPECT_TRUE(lockKeys().isEmpty());

    click("BNuovo");
    set("tCod", "30\"gg'fm");
    set("tDesc", "Doppione");
    click("BSalva");
    EXPECT_EQ(panel1(), "Codice già esistente");
    EXPECT_EQ(termCount(), 5);
}

TEST_F(PaymentTermsOpenTest, EditingHoldsTheLockUntilSaveOrCancel)
{
    click("BAvanti");
    click("BModifica");
    expectPending();
    EXPECT_FALSE(field("tCod")->isEnabled());
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(lockKeys(), QStringList{"ModPag|Codice=RB30|admin|POSTAZIONE1"});

    // An existing code is no reason to refuse the save of the record itself.
    set("tDesc", "Ricevuta bancaria a 30 giorni");
    click("BSalva");
    EXPECT_EQ(panel1(), "");
    expectBrowsing();
    EXPECT_TRUE(field("tCod")->isEnabledTo(ui::find<QWidget>(screen, "FRMDati")));
    EXPECT_EQ(field("tCod")->text(), "RB30");
    EXPECT_EQ(stored("RB30")["Desc"].toString(), "Ricevuta bancaria a 30 giorni");
    EXPECT_TRUE(lockKeys().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(base->modes, (QList<int>{1, 3}));

    click("BModifica");
    set("tDesc", "Da non salvare");
    click("BAnnulla");
    expectBrowsing();
    EXPECT_EQ(field("tDesc")->text(), "Ricevuta bancaria a 30 giorni");
    EXPECT_EQ(field("tCod")->text(), "RB30");
    EXPECT_TRUE(lockKeys().isEmpty());
    EXPECT_EQ(base->modes, (QList<int>{1, 3, 1, 3}));

    // A new term never locked is cancelled without a release.
    click("BNuovo");
    set("tCod", "NUOVO");
    click("BAnnulla");
    expectBrowsing();
    EXPECT_EQ(field("tCod")->text(), "RB30");
    EXPECT_EQ(base->modes, (QList<int>{1, 3, 1, 3}));
    EXPECT_EQ(base->EditingScreenCount, 0);
}

TEST_F(PaymentTermsOpenTest, EditingStartsFromTheTermAsStoredNowAndNeverFromOneDeletedMeanwhile)
{
    click("BAvanti");
    data().execute(JetQuery("UPDATE ModPag SET [Desc] = ") << Jet::text("Cambiata altrove") << " WHERE Codice = 'RB30'");
    click("BModifica");
    EXPECT_EQ(field("tCod")->text(), "RB30");
    EXPECT_EQ(field("tDesc")->text(), "Cambiata altrove");
    click("BAnnulla");

    data().execute(JetQuery("DELETE * FROM ModPag WHERE Codice = 'RB30'"));
    click("BModifica");
    expectBrowsing();
    EXPECT_EQ(field("tCod")->text(), "RD");
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_TRUE(lockKeys().isEmpty());
    EXPECT_EQ(base->modes, (QList<int>{1, 3, 1, 3}));
}

TEST_F(PaymentTermsOpenTest, ATermHeldElsewhereCanBeNeitherEditedNorDeleted)
{
    auto mario = folder.makeBase("mario", "POSTAZIONE2", false);
    LockIdentity term;
    term.owner = "BREVANO V";
    term.screenTitle = "Modalità Pagamento";
    term.table = "ModPag";
    term.keyFields[0] = "Codice";
    term.keyValues[0] = "rb30";
    term.keyKinds[0] = 1;
    ASSERT_TRUE(mario->lock(LockMode::Acquire, term));

    click("BAvanti");
    click("BModifica");
    expectBrowsing();
    EXPECT_EQ(base->EditingScreenCount, 0);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Information);

    click("BElimina");
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(platform.last()->text, "Dato in Modifica da Altro Utente. Impossibile Eliminare");
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    EXPECT_EQ(termCount(), 4);
    EXPECT_EQ(base->modes, (QList<int>{1, 2}));

    // Closing after the refusals releases nothing.
    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(base->modes, (QList<int>{1, 2}));
    EXPECT_EQ(lockKeys(), QStringList{"ModPag|Codice=rb30|mario|POSTAZIONE2"});
}

TEST_F(PaymentTermsOpenTest, DeletingAsksAndTheLastDeletionLeavesANewTermPending)
{
    platform.answers.enqueue(Platform::Answer::No);
    click("BElimina");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, "Si Desidera Cancellare la Modalità di Pagamento?");
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    EXPECT_EQ(termCount(), 4);

    click("BUltimo");
    click("BElimina");
    EXPECT_EQ(termCount(), 3);
    EXPECT_TRUE(stored("BB306090").isEmpty());
    EXPECT_EQ(field("tCod")->text(), "RD");
    expectBrowsing();
    EXPECT_TRUE(lockKeys().isEmpty());

    for (int i = 0; i < 3; ++i)
        click("BElimina");
    EXPECT_EQ(termCount(), 0);
    expectPending();
    EXPECT_TRUE(field("tCod")->text().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 1);

    // Cancelling on an empty table starts a new term again, still counted once.
    click("BAnnulla");
    expectPending();
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(panel1(), "");
    set("tCod", "RD");
    set("tDesc", "Rimessa diretta");
    click("BSalva");
    expectBrowsing();
    EXPECT_EQ(field("tCod")->text(), "RD");
    EXPECT_EQ(base->EditingScreenCount, 0);
}

TEST_F(PaymentTermsTest, AnEmptyTableStartsWithANewTermCountedOnce)
{
    data().execute(JetQuery("DELETE * FROM ModPag"));
    openScreen();
    EXPECT_TRUE(ui::enabled(screen, "BAnnulla"));
    EXPECT_TRUE(ui::enabled(screen, "BSalva"));
    EXPECT_FALSE(ui::enabled(screen, "BNuovo"));
    EXPECT_TRUE(frameEnabled());
    EXPECT_EQ(base->EditingScreenCount, 1);

    screen->hide();
    screen->show();
    ui::settle();
    EXPECT_EQ(base->EditingScreenCount, 1);

    set("tCod", "RD");
    set("tDesc", "Rimessa diretta");
    click("BSalva");
    EXPECT_EQ(termCount(), 1);
    EXPECT_EQ(field("tCod")->text(), "RD");
    EXPECT_FALSE(frameEnabled());
    EXPECT_EQ(base->EditingScreenCount, 0);
}

TEST_F(PaymentTermsOpenTest, ClosingWithAPendingTermAsksOneOfTwoQuestions)
{
    click("BModifica");
    set("tDesc", "Cambiata");
    platform.answers.enqueue(Platform::Answer::No);
    click("BEsci");
    ASSERT_FALSE(screen.isNull());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text,
              "I Dati Sono Stati Modificati.\r\rSi Desidera Uscire Perdendo le Modifiche?");
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    expectPending();
    EXPECT_EQ(field("tDesc")->text(), "Cambiata");
    EXPECT_EQ(lockKeys(), QStringList{"ModPag|Codice=RD|admin|POSTAZIONE1"});
    EXPECT_EQ(base->EditingScreenCount, 1);

    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(lockKeys().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(base->OpenScreenCount, 0);
    EXPECT_EQ(stored("RD")["Desc"].toString(), "Rimessa diretta");

    openScreen();
    base->modes.clear();
    click("BNuovo");
    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(platform.last()->text,
              "E' Stato Inserito una Nuova Modalità.\r\rSi Desidera Uscire Perdendo le Modifiche?");
    EXPECT_TRUE(base->modes.isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(termCount(), 4);
}

TEST_F(PaymentTermsOpenTest, TheBannerSpansTheWidthAndTheLogoKeepsFiftyFromTheRightEdge)
{
    auto* banner = ui::find<QLabel>(screen, "ImageTarmel");
    auto* logo = ui::find<QLabel>(screen, "ImageTarmel2");
    const int logoTop = logo->y();
    screen->resize(700, 500);
    ui::settle();
    EXPECT_EQ(banner->x(), 0);
    EXPECT_EQ(banner->width(), 700);
    EXPECT_EQ(logo->x(), 700 - logo->width() - 50);
    EXPECT_EQ(logo->y(), logoTop);

    // Narrower than 100 the pictures stay where they are.
    QResizeEvent narrow(QSize(90, 500), screen->size());
    QApplication::sendEvent(screen, &narrow);
    EXPECT_EQ(banner->width(), 700);
    EXPECT_EQ(logo->x(), 700 - logo->width() - 50);
}

} // namespace
