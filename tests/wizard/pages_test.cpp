// Steps 1 and 2 of the wizard: the targets and their sources, the warehouse movement's date and
// reason and the supplier of purchase documents, checked when the user goes on; leaving asks.
#include "wizardfixture.h"
#include "common/jetdate.h"


namespace {

using Pages = WizardTest;

TEST_F(Pages, EachTargetOffersItsSourcesAndItsFrames)
{
    const struct { const char* name; QStringList sources; } cases[] = {
        {"Fattura Immediata", {"D.D.T.", "Ordine Cliente", "Preventivo"}}, {"Fattura Accompagnatoria", {"Ordine Cliente", "Preventivo"}},
        {"Fattura di Acquisto", {"Ordine Cliente"}}, {"Nota di Credito", {"Fattura", "Bolla di Reso"}},
        {"D.D.T.", {"Ordine Cliente", "Preventivo"}}, {"Preventivo", {"Ordine Cliente"}}, {"Ordine Cliente", {"Preventivo"}},
        {"Ordine Fornitore", {"Ordine Cliente"}}, {"Bolla di Reso", {"D.D.T."}}};
    open();
    ui::click(wizard, "CMD1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::choose(wizard, "CBLista1", c.name);
        ui::click(wizard, "CMD4");
        auto* sources = ui::find<QComboBox>(wizard, "CBLista2");
        QStringList offered;
        for (int i = 0; i < sources->count(); ++i) offered << sources->itemText(i);
        EXPECT_EQ(offered, c.sources);
        EXPECT_EQ(changedFrom(QString("AutoComp-2-") + c.name, wizard), QString());  // its frames shown or hidden
        ui::click(wizard, "CMD6");
    }
}

// The date takes digits only, the codes any printable character; back on step 1 and forward
// again, only the movement date is emptied. Reason and supplier are filled from their codes.
TEST_F(Pages, KeysPassTheFiltersGoingBackEmptiesOnlyTheDateAndCodesAreLookedUp)
{
    open();
    toStep2("Fattura di Acquisto");
    ui::type(wizard, "tDtMag", "0a1-0x52041");
    ui::type(wizard, "tCauMag", "v'E n");
    ui::type(wizard, "tRicCodFor", "\"F 1");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->displayText(), "01/05/2041");
    EXPECT_EQ(texts({"tCauMag", "tRicCodFor"}), "v'E n|\"F 1");

    ui::type(wizard, "tRicCodFor", "F001");
    ui::type(wizard, "tCauMag", "CAR");
    ui::click(wizard, "CMD6");
    ui::click(wizard, "CMD4");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->displayText(), EmptyMaskedDate);
    EXPECT_EQ(texts({"tCauMag", "tDescCauMag", "tRicCodFor", "tRicDescFor", "tAppoRicFor"}),
              "CAR|Carico da fornitore|F001|Utensileria Italiana S.p.A.|1");

    // A double click opens the field's look-up.
    const struct { const char *clicked, *search; QStringList fields; const char* filled; } lookups[] = {
        {"tCauMag", "Reso", {"tCauMag", "tDescCauMag"}, "RES|Reso da cliente"},
        {"tRicDescFor", "Tubi", {"tAppoRicFor", "tRicCodFor", "tRicDescFor"}, "3|F003|Tubi e Raccordi del Sud S.r.l."}};
    for (const auto& l : lookups) {
        SCOPED_TRACE(l.clicked);
        ui::onNextModal([&l](QWidget* dialog) {
            ui::type(dialog, "tCerca", l.search);
            ui::click(dialog, "BTNOK");
        });
        QTest::mouseDClick(ui::find(wizard, l.clicked), Qt::LeftButton);
        EXPECT_EQ(texts(l.fields), l.filled);
    }
    ui::type(wizard, "tRicCodFor", "F0099");
    EXPECT_EQ(texts({"tRicCodFor", "tRicDescFor"}), "F0099|") << "a code that names no supplier shows no name";
    EXPECT_TRUE(platform.messages.isEmpty());
    program.exec("data.mdb", "ALTER TABLE Fornitori RENAME TO Altro");
    QTest::mouseDClick(ui::find(wizard, "tRicDescFor"), Qt::LeftButton);
    EXPECT_TRUE(platform.lastText().contains("Fornitori")) << platform.lastText().toStdString();
}

// Leaving asks on every step but the welcome page. On every step Enter in a field presses the forward button, the
// step's default one (its snapshot shows it); on a focused button Enter presses that button.
TEST_F(Pages, ExitAsksOnEveryStepButTheWelcomePageAndEnterGoesOn)
{
    open();
    ui::click(wizard, "CMD2");
    ui::settle();
    EXPECT_TRUE(wizard.isNull() && platform.messages.isEmpty());
    EXPECT_EQ(base->OpenScreenCount, 0);

    addDdt({2041, 3, 20}, 1, 1);
    open();
    const struct { const char *field, *exit; Qt::Key key; } steps[] = {
        {"CBLista1", "CMD5", Qt::Key_Return}, {"tDtMag", "CMD8", Qt::Key_Enter},
        {"CBLista2", "CMD11", Qt::Key_Return}, {"GridRic", "CMD14", Qt::Key_Enter}};
    for (int page = 1; page <= 4; ++page) {
        const auto& step = steps[page - 1];
        SCOPED_TRACE(step.field);
        ui::find<QWidget>(wizard, step.field)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), step.key);
        ASSERT_EQ(wizard->CurrentPage, page + 1);
        EXPECT_EQ(ui::problems(wizard, wizard), QStringList());
        platform.clear();
        platform.answers.enqueue(Platform::Answer::No);
        ui::click(wizard, step.exit);
        ui::settle();
        ASSERT_FALSE(wizard.isNull()) << step.exit;
        EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Uscita da Autocomposizione|Si Desidera Interrompere l' "
                                          "Autocomposizione Guidata dei Documenti ?"});
        EXPECT_EQ(wizard->CurrentPage, page + 1);
        EXPECT_EQ(shownPages(), QList<int>({page}));
    }
    // Enter on Indietro goes back; Esc asks as the exit does.
    ui::find<QWidget>(wizard, "CMD13")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(wizard->CurrentPage, 4);
    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    QTest::keyClick(wizard, Qt::Key_Escape);
    ui::settle();
    ASSERT_FALSE(wizard.isNull());
    EXPECT_EQ(platform.messages.size(), 1);
    ui::find<QWidget>(wizard, "GridRic")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(wizard->CurrentPage, 5);
    // The focus went with the hidden page to the forward button of the shown one, not to Indietro.
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "CMD12");
    // The question does not depend on why the window closes; Yes lets it go.
    platform.clear();
    wizard->close();
    ui::settle();
    EXPECT_TRUE(wizard.isNull());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(base->OpenScreenCount, 0);
}

TEST_F(Pages, StepTwoChecksTheMovementAndTheSupplierRuleByRule)
{
    struct Case { const char *target, *date, *reason, *supplier, *refusal, *focused; };  // no refusal: step 3 follows
    // Types step 2 and presses "Avanti"; what step 2's bar says, back on step 1.
    const auto check = [this](const Case& c) {
        platform.clear();
        ui::choose(wizard, "CBLista1", c.target);
        ui::click(wizard, "CMD4");
        if (!ui::find(wizard, "FRMDatiFor")->isHidden()) ui::type(wizard, "tRicCodFor", c.supplier);
        ui::type(wizard, "tDtMag", c.date);
        ui::type(wizard, "tCauMag", c.reason);
        ui::click(wizard, "CMD7");
        const QString message = status("ErrBar2") + platform.lastText();
        EXPECT_EQ(wizard->CurrentPage, *c.refusal ? 3 : 4);
        if (*c.focused) {
            EXPECT_EQ(focused(), c.focused);
            EXPECT_EQ(ui::find<QLineEdit>(wizard, c.focused)->selectedText(), ui::find<QLineEdit>(wizard, c.focused)->displayText());
        } else if (!*c.refusal) {
            ui::click(wizard, "CMD10");
        }
        ui::click(wizard, "CMD6");
        return message;
    };
    const char* const OutsideYear = "Data Movimento Magazzino Errata per Esercizio";
    const char *const WrongSupplier = "Codice Fornitore Errato", *const WrongReason = "Causale Mov. Magazzino Errata";
    const Case cases[] = {
        // The fiscal year runs from 1 April 2041 to 31 March 2042.
        {"Fattura Immediata", "01042041", "VEN", "", "", ""}, {"Fattura Immediata", "31032042", "ven", "", "", ""},
        {"Fattura Immediata", "31032041", "VEN", "", OutsideYear, "tDtMag"},
        {"Fattura Immediata", "01042042", "VEN", "", OutsideYear, "tDtMag"},
        {"Fattura Immediata", "", "VEN", "", "Data Movimento Magazzino Errata", "tDtMag"},
        {"Fattura Immediata", "", "", "", "", ""},  // no movement, nothing checked
        {"Fattura Immediata", "01052041", "XYZ", "", WrongReason, "tCauMag"}, {"Fattura Immediata", "01052041", "", "", WrongReason, "tCauMag"},
        // The reason's sign must be the document's ("-" sales, "+" purchases and returns).
        {"Fattura Immediata", "01052041", "CAR", "", "Causale con Segno Operazione Errata", "tCauMag"},
        {"Nota di Credito", "01052041", "RES", "", "", ""},
        // Purchase documents need a known supplier, found whatever the case of its code.
        {"Fattura di Acquisto", "01052041", "CAR", "", WrongSupplier, "tRicCodFor"},
        {"Fattura di Acquisto", "01052041", "CAR", "F0099", WrongSupplier, "tRicCodFor"},
        {"Fattura di Acquisto", "01052041", "CAR", "f002", "", ""}, {"Ordine Fornitore", "", "", "F003", "", ""},
        // Without frames step 2 checks nothing.
        {"Preventivo", "", "NONESISTE", "", "", ""}};
    open();
    ui::click(wizard, "CMD1");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " " + c.date + " " + c.reason + " " + c.supplier);
        EXPECT_EQ(check(c), c.refusal);
    }
    // With a fiscal year the archive does not know, no movement date is right.
    base->FiscalYear = "2050";
    EXPECT_EQ(check({"D.D.T.", "01052041", "VEN", "", "Esercizio Azienda non Definito", "tDtMag"}),
              "Esercizio Azienda non Definito");
    // An archive that fails while read says so, and step 2 stays.
    base->FiscalYear = "2041";
    program.exec("data.mdb", "ALTER TABLE Esercizio RENAME TO Altro");
    EXPECT_TRUE(check({"D.D.T.", "01052041", "VEN", "", "said", ""}).startsWith("Operazione non riuscita sull'archivio"));
}

} // namespace
