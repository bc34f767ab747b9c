#include "wizardfixture.h"

#include <QDialog>
#include <QLineEdit>

namespace {

using Supplier = WizardTest;

TEST_F(Supplier, PurchaseDocumentsNeedAKnownSupplier)
{
    open();
    for (const char* target : {"Fattura di Acquisto", "Ordine Fornitore"}) {
        toStep2(target);
        ui::type(wizard, "tRicCodFor", "");
        ui::click(wizard, "CMD7");
        EXPECT_EQ(status("ErrBar2"), "Codice Fornitore Errato") << target;
        EXPECT_EQ(focused(), "tRicCodFor");
        EXPECT_EQ(wizard->CurrentPage, 3);

        // A code that names no supplier leaves the name empty and is refused alike.
        ui::type(wizard, "tRicCodFor", "F0099");
        EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "");
        ui::click(wizard, "CMD7");
        EXPECT_EQ(status("ErrBar2"), "Codice Fornitore Errato") << target;
        EXPECT_EQ(ui::find<QLineEdit>(wizard, "tRicCodFor")->selectedText(), "F0099");
        EXPECT_EQ(wizard->CurrentPage, 3);

        // The code is found without regard to case.
        ui::type(wizard, "tRicCodFor", "f002");
        EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "Viterie Piemontesi S.r.l.");
        EXPECT_EQ(ui::text(wizard, "tAppoRicFor"), "2");
        ui::click(wizard, "CMD7");
        EXPECT_EQ(status("ErrBar2"), "");
        EXPECT_EQ(wizard->CurrentPage, 4) << target;
        ui::click(wizard, "CMD10");
        ui::click(wizard, "CMD6");
        ui::click(wizard, "CMD3");
    }
}

TEST_F(Supplier, SearchFillsKeyCodeAndName)
{
    open();
    toStep2("Ordine Fornitore");
    ui::onNextModal([](QWidget* dialog) {
        ui::type(dialog, "tCerca", "Tubi");
        ui::click(dialog, "BTNOK");
    });
    QTest::mouseDClick(ui::find(wizard, "tRicDescFor"), Qt::LeftButton);
    EXPECT_EQ(ui::text(wizard, "tAppoRicFor"), "3");
    EXPECT_EQ(ui::text(wizard, "tRicCodFor"), "F003");
    EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "Tubi e Raccordi del Sud S.r.l.");

    // A search left without a choice changes nothing.
    ui::onNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    QTest::mouseDClick(ui::find(wizard, "tRicCodFor"), Qt::LeftButton);
    EXPECT_EQ(ui::text(wizard, "tRicCodFor"), "F003");

    // Typing a code that does not exist empties the name.
    ui::type(wizard, "tRicCodFor", "F00");
    EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "");
}

} // namespace
