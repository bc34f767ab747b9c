// Step 2 of the wizard: the warehouse movement's date and reason, and the supplier of purchase
// documents, checked when the user goes on; look-ups fill the fields.
#include "wizardfixture.h"

namespace {

struct Step2Case
{
    const char* target;
    const char *date, *reason, *supplier;
    const char* refusal;  // empty: step 3 follows
    const char* focused;
};

class Step2 : public WizardTest
{
protected:
    // Types step 2 and presses "Avanti"; what step 2's bar says, back on step 2.
    QString check(const Step2Case& c)
    {
        ui::choose(wizard, "CBLista1", c.target);
        ui::click(wizard, "CMD4");
        if (!ui::find(wizard, "FRMDatiFor")->isHidden())
            ui::type(wizard, "tRicCodFor", c.supplier);
        ui::type(wizard, "tDtMag", c.date);
        ui::type(wizard, "tCauMag", c.reason);
        ui::click(wizard, "CMD7");
        const QString message = status("ErrBar2");
        EXPECT_EQ(wizard->CurrentPage, *c.refusal ? 3 : 4);
        if (*c.refusal) {
            EXPECT_EQ(focused(), c.focused);
            EXPECT_EQ(ui::find<QLineEdit>(wizard, c.focused)->selectedText(), ui::find<QLineEdit>(wizard, c.focused)->displayText());
        } else {
            ui::click(wizard, "CMD10");
        }
        ui::click(wizard, "CMD6");
        return message;
    }
};

TEST_F(Step2, MovementAndSupplierAreCheckedRuleByRule)
{
    const char* const WrongDate = "Data Movimento Magazzino Errata";
    const char* const OutsideYear = "Data Movimento Magazzino Errata per Esercizio";
    const char* const WrongReason = "Causale Mov. Magazzino Errata";
    const char* const WrongSign = "Causale con Segno Operazione Errata";
    const char* const WrongSupplier = "Codice Fornitore Errato";
    const Step2Case cases[] = {
        // The fiscal year runs from 1 April 2041 to 31 March 2042.
        {"Fattura Immediata", "01042041", "VEN", "", "", ""},
        {"Fattura Immediata", "31032042", "ven", "", "", ""},
        {"Fattura Immediata", "31032041", "VEN", "", OutsideYear, "tDtMag"},
        {"Fattura Immediata", "01042042", "VEN", "", OutsideYear, "tDtMag"},
        {"Fattura Immediata", "31022042", "VEN", "", WrongDate, "tDtMag"},
        {"Fattura Immediata", "", "VEN", "", WrongDate, "tDtMag"},
        {"Fattura Immediata", "", "", "", "", ""},  // no movement, nothing checked
        {"Fattura Immediata", "01052041", "", "", WrongReason, "tCauMag"},
        {"Fattura Immediata", "01052041", "XYZ", "", WrongReason, "tCauMag"},
        // The reason's sign must be the document's; a reason with no sign suits none.
        {"Fattura Immediata", "01052041", "SCA", "", "", ""},
        {"Fattura Immediata", "01052041", "CAR", "", WrongSign, "tCauMag"},
        {"Fattura Immediata", "01052041", "NEU", "", WrongSign, "tCauMag"},
        {"Fattura Accompagnatoria", "01052041", "RES", "", WrongSign, "tCauMag"},
        {"D.D.T.", "01052041", "CAR", "", WrongSign, "tCauMag"},
        {"D.D.T.", "01052041", "VEN", "", "", ""},
        {"Nota di Credito", "01052041", "VEN", "", WrongSign, "tCauMag"},
        {"Nota di Credito", "01052041", "RES", "", "", ""},
        // Purchase documents need a known supplier, found whatever the case of its code.
        {"Fattura di Acquisto", "01052041", "CAR", "", WrongSupplier, "tRicCodFor"},
        {"Fattura di Acquisto", "01052041", "CAR", "F0099", WrongSupplier, "tRicCodFor"},
        {"Fattura di Acquisto", "01052041", "VEN", "F001", WrongSign, "tCauMag"},
        {"Fattura di Acquisto", "01052041", "CAR", "f002", "", ""},
        {"Ordine Fornitore", "01052041", "SCA", "F001", WrongSign, "tCauMag"},
        {"Ordine Fornitore", "", "", "F003", "", ""},
        // Without frames step 2 checks nothing.
        {"Preventivo", "", "NONESISTE", "", "", ""},
        {"Ordine Cliente", "", "NONESISTE", "", "", ""},
        {"Bolla di Reso", "", "NONESISTE", "", "", ""},
    };
    open();
    ui::click(wizard, "CMD1");
    for (const Step2Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " " + c.date + " " + c.reason + " " + c.supplier);
        EXPECT_EQ(check(c), c.refusal);
    }
    // Without a fiscal year, or with one the archive does not know, no movement date is right.
    for (const char* year : {"", "2050"}) {
        base->FiscalYear = QString::fromLatin1(year);
        EXPECT_EQ(check({"D.D.T.", "01052041", "VEN", "", "Esercizio Azienda non Definito", "tDtMag"}),
                  "Esercizio Azienda non Definito");
    }
}

TEST_F(Step2, ReasonAndSupplierAreLookedUpWhileTypingAndFromTheirLists)
{
    open();
    toStep2("Fattura di Acquisto");
    ui::type(wizard, "tCauMag", "car");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "Carico da fornitore");
    ui::type(wizard, "tCauMag", "CARX");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "");
    ui::type(wizard, "tRicCodFor", "f002");
    EXPECT_EQ(ui::text(wizard, "tRicDescFor") + "|" + ui::text(wizard, "tAppoRicFor"), "Viterie Piemontesi S.r.l.|2");
    ui::type(wizard, "tRicCodFor", "F00");
    EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "");

    QString caption;
    auto pick = [&caption](const QString& search) {
        ui::onNextModal([&caption, search](QWidget* dialog) {
            caption = dialog->windowTitle();
            if (search.isEmpty())
                return ui::click(dialog, "BTNAnnulla");
            ui::type(dialog, "tCerca", search);
            ui::click(dialog, "BTNOK");
        });
    };
    pick("Reso");
    QTest::mouseDClick(ui::find(wizard, "tCauMag"), Qt::LeftButton);
    EXPECT_EQ(caption, "Brevano V : Causali di Magazzino");
    EXPECT_EQ(ui::text(wizard, "tCauMag") + "|" + ui::text(wizard, "tDescCauMag"), "RES|Reso da cliente");
    pick("Tubi");
    QTest::mouseDClick(ui::find(wizard, "tRicDescFor"), Qt::LeftButton);
    EXPECT_EQ(ui::text(wizard, "tAppoRicFor") + "|" + ui::text(wizard, "tRicCodFor") + "|" + ui::text(wizard, "tRicDescFor"),
              "3|F003|Tubi e Raccordi del Sud S.r.l.");
    pick("");
    QTest::mouseDClick(ui::find(wizard, "tRicCodFor"), Qt::LeftButton);
    EXPECT_EQ(ui::text(wizard, "tRicCodFor"), "F003") << "a search left without a choice changes nothing";
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
