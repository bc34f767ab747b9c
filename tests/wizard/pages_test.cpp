#include "wizardfixture.h"
#include "common/jetdate.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

using Pages = WizardTest;

struct TargetCase
{
    const char* name;
    qint16 targetType;
    QStringList sources;
    bool supplier;
    bool movement;
};

TEST_F(Pages, EachTargetOffersItsSourcesAndItsFrames)
{
    const QList<TargetCase> cases = {
        {"Fattura Immediata", 1, {"D.D.T.", "Ordine Cliente", "Preventivo"}, false, true},
        {"Fattura Accompagnatoria", 2, {"Ordine Cliente", "Preventivo"}, false, true},
        {"Fattura di Acquisto", 3, {"Ordine Cliente"}, true, true},
        {"Nota di Credito", 4, {"Fattura", "Bolla di Reso"}, false, true},
        {"D.D.T.", 5, {"Ordine Cliente", "Preventivo"}, false, true},
        {"Preventivo", 7, {"Ordine Cliente"}, false, false},
        {"Ordine Cliente", 8, {"Preventivo"}, false, false},
        {"Ordine Fornitore", 9, {"Ordine Cliente"}, true, true},
        {"Bolla di Reso", 10, {"D.D.T."}, false, false},
    };
    open();
    ui::click(wizard, "CMD1");
    for (const TargetCase& c : cases) {
        ui::choose(wizard, "CBLista1", c.name);
        ui::click(wizard, "CMD4");
        EXPECT_EQ(wizard->TargetType, c.targetType) << c.name;
        auto* sources = ui::find<QComboBox>(wizard, "CBLista2");
        QStringList offered;
        for (int i = 0; i < sources->count(); ++i)
            offered << sources->itemText(i);
        EXPECT_EQ(offered, c.sources) << c.name;
        EXPECT_EQ(sources->currentIndex(), 0) << c.name;
        EXPECT_EQ(!ui::find(wizard, "FRMDatiFor")->isHidden(), c.supplier) << c.name;
        EXPECT_EQ(!ui::find(wizard, "FRMDatiMag")->isHidden(), c.movement) << c.name;
        ui::click(wizard, "CMD6");
    }
}

TEST_F(Pages, BackToStepOneAndForwardEmptiesOnlyTheMovementDate)
{
    open();
    toStep2("Fattura di Acquisto");
    ui::type(wizard, "tRicCodFor", "F001");
    ui::type(wizard, "tDtMag", "15052041");
    ui::type(wizard, "tCauMag", "CAR");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->displayText(), "15/05/2041");
    ui::click(wizard, "CMD6");
    ui::click(wizard, "CMD4");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->displayText(), EmptyMaskedDate);
    EXPECT_EQ(ui::text(wizard, "tCauMag"), "CAR");
    EXPECT_EQ(ui::text(wizard, "tDescCauMag"), "Carico da fornitore");
    EXPECT_EQ(ui::text(wizard, "tRicCodFor"), "F001");
    EXPECT_EQ(ui::text(wizard, "tRicDescFor"), "Utensileria Italiana S.p.A.");
    EXPECT_EQ(ui::text(wizard, "tAppoRicFor"), "1");
}

TEST_F(Pages, KeysTypedPassThroughTheFilters)
{
    open();
    toStep2("Fattura di Acquisto");
    // The date takes digits only; the codes take any printable character.
    ui::type(wizard, "tDtMag", "0a1-0x52041");
    EXPECT_EQ(ui::find<QLineEdit>(wizard, "tDtMag")->displayText(), "01/05/2041");
    ui::type(wizard, "tCauMag", "v'E n");
    EXPECT_EQ(ui::text(wizard, "tCauMag"), "v'E n");
    ui::type(wizard, "tRicCodFor", "\"F 1");
    EXPECT_EQ(ui::text(wizard, "tRicCodFor"), "\"F 1");
}

TEST_F(Pages, ExitAsksOnEveryStepButTheWelcomePage)
{
    open();
    ui::click(wizard, "CMD2");
    ui::settle();
    EXPECT_TRUE(wizard.isNull());
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(base->OpenScreenCount, 0);

    addDdt({2041, 3, 20}, 1, 1);
    open();
    const QList<std::pair<const char*, const char*>> steps = {
        {"CMD1", "CMD5"}, {"CMD4", "CMD8"}, {"CMD7", "CMD11"}, {"CMD9", "CMD14"}};
    for (const auto& [forward, exit] : steps) {
        ui::click(wizard, forward);
        EXPECT_EQ(ui::problems(wizard, wizard), QStringList());
        const int page = wizard->CurrentPage;
        platform.clear();
        platform.answers.enqueue(Platform::Answer::No);
        ui::click(wizard, exit);
        ui::settle();
        ASSERT_FALSE(wizard.isNull()) << exit;
        EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Uscita da Autocomposizione|Si Desidera Interrompere l' "
                                          "Autocomposizione Guidata dei Documenti ?"});
        EXPECT_EQ(wizard->CurrentPage, page);
        EXPECT_EQ(shownPages(), QList<int>({page - 1}));
    }
    // Esc asks the same; Enter presses the page's forward button.
    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(wizard, "CMD13");
    QTest::keyClick(wizard, Qt::Key_Escape);
    ui::settle();
    ASSERT_FALSE(wizard.isNull());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(wizard->CurrentPage, 4);
    ui::find<QWidget>(wizard, "GridRic")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(wizard->CurrentPage, 5);
    // The question does not depend on why the window closes; Yes lets it go.
    platform.clear();
    wizard->close();
    ui::settle();
    EXPECT_TRUE(wizard.isNull());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(base->OpenScreenCount, 0);
}

} // namespace
