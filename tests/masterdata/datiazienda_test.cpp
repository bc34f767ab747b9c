#include "datiazienda_fixture.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The caption a form gives a field (directly or in a row of its own).
QString captionOf(QWidget* screen, const char* fieldName)
{
    auto* edit = ui::find<QWidget>(screen, QString::fromLatin1(fieldName));
    auto* form = qobject_cast<QFormLayout*>(edit->parentWidget()->layout());
    if (!form)
        return {};
    for (int row = 0; row < form->rowCount(); ++row) {
        QLayoutItem* item = form->itemAt(row, QFormLayout::FieldRole);
        const bool here = item && (item->widget() == edit || (item->layout() && item->layout()->indexOf(edit) >= 0));
        if (here)
            return qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())->text();
    }
    return {};
}

TEST_F(CompanyScreenTest, OpensInBrowseModeWithEveryControlAndTheCompanyRecord)
{
    EXPECT_EQ(screen->windowTitle(), "Brevano V: Dati Aziendali");
    EXPECT_EQ(base->OpenScreenCount, 1);

    const std::vector<std::pair<const char*, const char*>> captions = {
        {"Text4", "Denominazione"}, {"Text5", "Indirizzo"},     {"Text3", "C.A.P."},
        {"Text6", "Località"},      {"Text1", "Stato"},         {"Text7", "Partita I.V.A."},
        {"Text9", "Cd. Fiscale"},   {"Text11", "Telefono"},     {"Text8", "Telefono"},
        {"Text13", "FAX"},          {"Text10", "C.C.I.A.A."},   {"Text14", "Numero"},
        {"tValutaBase", "Valuta Base"}, {"tDecValutaBase", "Dec. Valuta Base"}, {"tCambio", "Cambio Euro"},
        {"tDecEuro", "Dec. Euro"},  {"tDocumenti", "Directory Doc."}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(captionOf(screen, name), QString::fromUtf8(caption)) << name;
    ui::find<QLineEdit>(screen, "Text2");
    ui::find<QLineEdit>(screen, "Immagine");
    ui::find<QLabel>(screen, "Immag");
    EXPECT_EQ(ui::text(screen, "Sfoglia"), "Sfoglia...");
    EXPECT_EQ(ui::text(screen, "BInserisciImmagine"), "Inserisci Immagine");
    EXPECT_EQ(ui::text(screen, "BEliminaImmagine"), "Elimina Immagine");
    EXPECT_EQ(ui::find<QLabel>(screen, "Immag")->parentWidget()->property("title").toString(), "Logo dell ' Azienda");
    EXPECT_TRUE(ui::find<QLabel>(screen, "Immag")->parentWidget()->parentWidget()->objectName() == "PanImg");

    auto* toolbar = ui::find<QWidget>(screen, "Toolbar");
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"BModifica", "  Modifica  "}, {"BAnnulla", "Annulla"}, {"BSalva", "Salva"}, {"BEsci", "Esci"}};
    for (const auto& [key, caption] : buttons)
        EXPECT_EQ(ui::find<QAction>(toolbar, key)->text(), caption);

    // The demo company, the rate in the workstation's format.
    EXPECT_EQ(field("Text4")->text(), "Forniture Lombarde S.r.l.");
    EXPECT_EQ(field("Text2")->text(), "MI");
    EXPECT_EQ(field("Text14")->text(), "1754321");
    EXPECT_EQ(field("tValutaBase")->text(), "LIT");
    EXPECT_EQ(field("tDecValutaBase")->text(), "0");
    EXPECT_EQ(field("tCambio")->text(), "1.936,27");
    EXPECT_EQ(field("tDecEuro")->text(), "2");
    EXPECT_EQ(field("Immagine")->text(), "0");

    for (const char* field : {"Text4", "tCambio"})
        EXPECT_FALSE(ui::typable(screen, field)) << field;
    EXPECT_FALSE(ui::enabled(screen, "BEliminaImmagine"));
    EXPECT_TRUE(ui::enabled(screen, "BModifica"));
    EXPECT_TRUE(ui::enabled(screen, "BEsci"));
    EXPECT_FALSE(ui::enabled(screen, "BSalva"));
    EXPECT_FALSE(ui::enabled(screen, "BAnnulla"));

    ui::click(screen, "BEsci");
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(base->OpenScreenCount, 0);
}

TEST_F(CompanyScreenTest, EditHoldsTheLockAndCancelDiscardsAndReleasesIt)
{
    ui::click(screen, "BModifica");
    EXPECT_TRUE(editing());
    for (const char* panel : {"Pan2", "PanImg"})
        EXPECT_TRUE(ui::enabled(screen, panel)) << panel;
    EXPECT_FALSE(ui::enabled(screen, "BModifica"));
    EXPECT_TRUE(ui::enabled(screen, "BSalva"));
    EXPECT_TRUE(ui::enabled(screen, "BAnnulla"));
    EXPECT_EQ(screen->focusWidget(), field("Text4"));
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(lockHolders(), QStringList{"admin@POSTAZIONE1"});

    set("Text4", "Altra Ragione Sociale");
    set("tValutaBase", "EUR");
    ui::click(screen, "BAnnulla");
    EXPECT_FALSE(editing());
    EXPECT_TRUE(ui::enabled(screen, "BModifica"));
    EXPECT_FALSE(ui::enabled(screen, "BSalva"));
    EXPECT_EQ(field("Text4")->text(), "Forniture Lombarde S.r.l.");
    EXPECT_EQ(field("tValutaBase")->text(), "LIT");
    EXPECT_EQ(stored("Denominazione").toString(), "Forniture Lombarde S.r.l.");
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_TRUE(lockHolders().isEmpty());
    EXPECT_EQ(base->BaseCurrency, "LIT");
}

TEST_F(CompanyScreenTest, EditStartsFromTheRecordAsStoredNow)
{
    users().execute(JetQuery("UPDATE Azienda SET Denominazione = ") << Jet::text("Cambiata Altrove S.p.A.")
                                                                     << " WHERE id = 1");
    EXPECT_EQ(field("Text4")->text(), "Forniture Lombarde S.r.l.");
    ui::click(screen, "BModifica");
    EXPECT_EQ(field("Text4")->text(), "Cambiata Altrove S.p.A.");
    set("Text5", "Via Nuova, 1");
    ui::click(screen, "BSalva");
    EXPECT_EQ(stored("Denominazione").toString(), "Cambiata Altrove S.p.A.");
    EXPECT_EQ(stored("Indirizzo").toString(), "Via Nuova, 1");
}

struct ValidationCase
{
    std::vector<std::pair<const char*, QString>> fields;
    QString message;
    const char* refused;
};

TEST_F(CompanyScreenTest, ValidationStopsAtTheFirstFailingRuleAndKeepsTheEdit)
{
    const std::vector<ValidationCase> cases = {
        {{{"tValutaBase", ""}, {"tDecEuro", "abc"}}, "Valuta Base Non Inserita", "tValutaBase"},
        {{{"tDecValutaBase", "abc"}, {"tCambio", "-1"}}, "Numero Decimali Errato", "tDecValutaBase"},
        {{{"tDecValutaBase", "4"}}, "Valore Massimo Decimali = 3", "tDecValutaBase"},
        {{{"tCambio", "-1"}, {"tDecEuro", "abc"}}, "Cambio in Euro Errato", "tCambio"},
        {{{"tCambio", "1,2,3"}}, "Cambio in Euro Errato", "tCambio"},
        {{{"tDecEuro", "abc"}}, "Numero Decimali Errato", "tDecEuro"},
        {{{"tDecEuro", "4"}}, "Valore Massimo Decimali = 3", "tDecEuro"},
    };
    ui::click(screen, "BModifica");
    for (const ValidationCase& c : cases) {
        for (const char* name : {"tValutaBase", "tDecValutaBase", "tCambio", "tDecEuro"})
            set(name, QString::fromLatin1(name) == "tValutaBase" ? "EUR" : "2");
        for (const auto& [name, text] : c.fields)
            set(name, text);
        ui::click(screen, "BSalva");
        EXPECT_EQ(panel1(), c.message) << c.refused;
        EXPECT_EQ(screen->focusWidget(), field(c.refused)) << c.refused;
        EXPECT_EQ(field(c.refused)->selectedText(), field(c.refused)->text()) << c.refused;
        EXPECT_TRUE(editing());
    }
    // Nothing was written, the settings and the lock are untouched.
    EXPECT_EQ(stored("ValutaBase").toString(), "LIT");
    EXPECT_EQ(base->BaseCurrency, "LIT");
    EXPECT_EQ(base->EuroDecimals, 2);
    EXPECT_EQ(lockHolders(), QStringList{"admin@POSTAZIONE1"});
    EXPECT_EQ(base->EditingScreenCount, 1);

    // A valid save clears the panel.
    set("tDecEuro", "2");
    ui::click(screen, "BSalva");
    EXPECT_EQ(panel1(), "");
    EXPECT_FALSE(editing());
}

TEST_F(CompanyScreenTest, SaveRewritesTheRateAndHandsTheSettingsToTheRunningProgram)
{
    ui::click(screen, "BModifica");
    set("tValutaBase", "EUR");
    set("tDecValutaBase", "3");
    set("tCambio", "1234567,8912");
    set("tDecEuro", "2");
    ui::click(screen, "BSalva");

    EXPECT_EQ(panel1(), "");
    EXPECT_EQ(field("tCambio")->text(), "1.234.567,89");
    EXPECT_EQ(stored("ValutaBase").toString(), "EUR");
    EXPECT_EQ(stored("DecimaliBase").toInt(), 3);
    EXPECT_DOUBLE_EQ(stored("CambioEuro").toDouble(), 1234567.89);
    EXPECT_EQ(stored("DecimaliEuro").toInt(), 2);
    EXPECT_EQ(base->BaseCurrency, "EUR");
    EXPECT_EQ(base->BaseCurrencyDecimals, 3);
    EXPECT_DOUBLE_EQ(base->EuroRate, 1234567.89);
    EXPECT_EQ(base->EuroDecimals, 2);

    EXPECT_FALSE(editing());
    EXPECT_TRUE(ui::enabled(screen, "BModifica"));
    EXPECT_FALSE(ui::enabled(screen, "BSalva"));
    EXPECT_FALSE(ui::enabled(screen, "BAnnulla"));
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_TRUE(lockHolders().isEmpty());

    // Three decimals are accepted for the euro as well; an empty rate is saved as 0.
    ui::click(screen, "BModifica");
    set("tCambio", "");
    set("tDecEuro", "3");
    ui::click(screen, "BSalva");
    EXPECT_EQ(field("tCambio")->text(), "0,000");
    EXPECT_EQ(stored("CambioEuro").toDouble(), 0.0);
    EXPECT_EQ(stored("DecimaliEuro").toInt(), 3);
    EXPECT_EQ(base->EuroRate, 0.0);
    EXPECT_EQ(base->EuroDecimals, 3);
}

TEST_F(CompanyScreenTest, ClosingWhileEditingAsksAndNoKeepsTheEditAndTheLock)
{
    ui::click(screen, "BModifica");
    set("Text4", "Modifica in Sospeso");
    platform.answers.enqueue(Platform::Answer::No);
    screen->close();
    ui::settle();
    ASSERT_FALSE(screen.isNull());
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, "Dati in Modifica. Uscire Perdendo le Modifiche ?");
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_TRUE(platform.last()->title.isNull());
    EXPECT_TRUE(editing());
    EXPECT_EQ(field("Text4")->text(), "Modifica in Sospeso");
    EXPECT_EQ(lockHolders(), QStringList{"admin@POSTAZIONE1"});
    EXPECT_EQ(base->EditingScreenCount, 1);
    EXPECT_EQ(base->OpenScreenCount, 1);

    ui::click(screen, "BEsci");  // answered Yes
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_TRUE(lockHolders().isEmpty());
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(base->OpenScreenCount, 0);
    EXPECT_EQ(stored("Denominazione").toString(), "Forniture Lombarde S.r.l.");
}

TEST_F(CompanyScreenTest, ARefusedEditStaysInBrowseAndClosingLeavesTheOtherLockAlone)
{
    auto mario = folder.makeBase("mario", "POSTAZIONE2", false);
    LockIdentity company;
    company.owner = "BREVANO V";
    company.screenTitle = "Dati Azienda";
    company.table = "Azienda";
    company.keyFields[0] = "id";
    company.keyValues[0] = "1";
    company.archive = mario->UserDbPath;
    ASSERT_TRUE(mario->lock(LockMode::Acquire, company));

    ui::click(screen, "BModifica");
    EXPECT_FALSE(editing());
    EXPECT_TRUE(ui::enabled(screen, "BModifica"));
    EXPECT_FALSE(ui::enabled(screen, "BSalva"));
    EXPECT_EQ(base->EditingScreenCount, 0);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Information);
    EXPECT_TRUE(platform.last()->text.contains("Utente: mario\rPostazione: POSTAZIONE2\r"));
    EXPECT_EQ(panel1(), "");

    screen->close();
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(platform.messages.size(), 1);  // no question
    EXPECT_EQ(base->EditingScreenCount, 0);
    EXPECT_EQ(lockHolders(), QStringList{"mario@POSTAZIONE2"});
}

} // namespace
