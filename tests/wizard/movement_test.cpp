#include "wizardfixture.h"

#include <QLineEdit>

namespace {

class Movement : public WizardTest
{
protected:
    // Types the movement of step 2 and presses "Avanti"; the message of step 2 comes back.
    QString check(const QString& date, const QString& reason)
    {
        ui::type(wizard, "tDtMag", date);
        ui::type(wizard, "tCauMag", reason);
        ui::click(wizard, "CMD7");
        const QString message = status("ErrBar2");
        if (wizard->CurrentPage == 4)
            ui::click(wizard, "CMD10");
        return message;
    }
};

TEST_F(Movement, DateMustBeValidAndInsideTheFiscalYear)
{
    open();
    toStep2("Fattura Immediata");
    EXPECT_EQ(check("01042041", "VEN"), "");
    EXPECT_TRUE(wizard->MovementRequested);
    EXPECT_EQ(wizard->ReasonKind, "V");
    EXPECT_EQ(check("31032042", "VEN"), "");

    EXPECT_EQ(check("31032041", "VEN"), "Data Movimento Magazzino Errata per Esercizio");
    EXPECT_EQ(focused(), "tDtMag");
    EXPECT_EQ(wizard->CurrentPage, 3);
    EXPECT_FALSE(wizard->MovementRequested);
    EXPECT_EQ(check("01042042", "VEN"), "Data Movimento Magazzino Errata per Esercizio");

    EXPECT_EQ(check("31022042", "VEN"), "Data Movimento Magazzino Errata");
    EXPECT_EQ(focused(), "tDtMag");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->selectedText(), "31/02/2042");
    // A reason without a date is not "no movement".
    EXPECT_EQ(check("", "VEN"), "Data Movimento Magazzino Errata");

    // Both empty: no movement, nothing checked.
    EXPECT_EQ(check("", ""), "");
    EXPECT_FALSE(wizard->MovementRequested);
}

TEST_F(Movement, FiscalYearMustBeChosenAndKnown)
{
    open();
    toStep2("D.D.T.");
    for (const char* year : {"", "2050"}) {
        base->FiscalYear = QString::fromLatin1(year);
        EXPECT_EQ(check("01052041", "VEN"), "Esercizio Azienda non Definito") << year;
        EXPECT_EQ(focused(), "tDtMag");
    }
}

TEST_F(Movement, ReasonMustExistWithTheSignTheDocumentNeeds)
{
    open();
    toStep2("Fattura Immediata");
    // A date without a reason, an unknown reason.
    EXPECT_EQ(check("01052041", ""), "Causale Mov. Magazzino Errata");
    EXPECT_EQ(focused(), "tCauMag");
    EXPECT_EQ(check("01052041", "XYZ"), "Causale Mov. Magazzino Errata");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tCauMag")->selectedText(), "XYZ");
    ui::click(wizard, "CMD6");

    struct Case
    {
        const char* target;
        const char* accepted;
        const char* refused;
    };
    const QList<Case> cases = {{"Fattura Immediata", "SCA", "CAR"}, {"Fattura Accompagnatoria", "VEN", "RES"},
                               {"D.D.T.", "VEN", "CAR"},            {"Fattura di Acquisto", "CAR", "VEN"},
                               {"Nota di Credito", "RES", "VEN"},   {"Ordine Fornitore", "CAR", "SCA"}};
    ui::find<QLineEdit>(wizard, "tRicCodFor")->setText("F001");
    for (const Case& c : cases) {
        ui::choose(wizard, "CBLista1", c.target);
        ui::click(wizard, "CMD4");
        EXPECT_EQ(check("01052041", c.refused), "Causale con Segno Operazione Errata") << c.target;
        EXPECT_EQ(focused(), "tCauMag");
        // A reason with no sign suits no document.
        EXPECT_EQ(check("01052041", "NEU"), "Causale con Segno Operazione Errata") << c.target;
        EXPECT_EQ(check("01052041", c.accepted), "") << c.target;
        EXPECT_TRUE(wizard->MovementRequested) << c.target;
        ui::click(wizard, "CMD6");
    }
}

TEST_F(Movement, ReasonIsLookedUpWhileTypingAndFromTheList)
{
    open();
    toStep2("Nota di Credito");
    ui::type(wizard, "tCauMag", "res");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "Reso da cliente");
    ui::type(wizard, "tCauMag", "RESX");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "");

    QString caption;
    ui::onNextModal([&caption](QWidget* dialog) {
        caption = dialog->windowTitle();
        ui::type(dialog, "tCerca", "Carico");
        ui::click(dialog, "BTNOK");
    });
    QTest::mouseDClick(ui::find(wizard, "tCauMag"), Qt::LeftButton);
    EXPECT_EQ(caption, "Brevano V : Causali di Magazzino");
    EXPECT_EQ(ui::text(wizard, "tCauMag"), "CAR");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "Carico da fornitore");
    EXPECT_TRUE(platform.messages.isEmpty());
}

} // namespace
