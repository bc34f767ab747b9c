// Workstations as separate processes on one data folder (tests/workers/workstation.cpp).
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include <QDateTime>

namespace {

const QString Refused = "MESSAGE|information|ok|Brevano V|Dato in Modifica da Altro Utente.\\rUtente: ";

TEST_F(MainWindowTest, TheSecondWorkstationIsRefusedUntilTheFirstSaves)
{
    Workstation first(program, "admin", "PC-UFFICIO");
    Workstation second(program, "mario", "PC-MAGAZZINO");
    EXPECT_EQ(first.ask("click BAzienda"), "editing=0 screens=1");
    EXPECT_EQ(second.ask("click BAzienda"), "editing=0 screens=1");
    EXPECT_EQ(first.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(second.ask("click BModifica"), "editing=0 screens=1 | " + Refused + "admin\\rPostazione: PC-UFFICIO\\rDalle Ore: "
                                                 + QDateTime::fromString(program.rows("user.mdb", "SELECT Ore FROM Accessi").value(0), Qt::ISODate)
                                                       .toString("dd/MM/yyyy HH:mm:ss"));
    EXPECT_EQ(program.lockHolders(), QStringList{"admin@PC-UFFICIO"});

    first.ask("set Text4 Forniture Lombarde S.p.A.");
    EXPECT_EQ(first.ask("click BSalva"), "editing=0 screens=1");
    EXPECT_TRUE(program.lockHolders().isEmpty());
    EXPECT_EQ(second.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(second.ask("text Text4"), "Forniture Lombarde S.p.A.") << "the edit starts from what the first saved";
    EXPECT_TRUE(first.ask("click BModifica").startsWith("editing=0 screens=1 | " + Refused + "mario\\rPostazione: PC-MAGAZZINO"));
    EXPECT_EQ(second.ask("click BAnnulla"), "editing=0 screens=1");
    EXPECT_TRUE(program.lockHolders().isEmpty());
}

// A copy of the program that ended without closing leaves its lock: a sign-in at that workstation
// drops it while another copy there still runs its own, and an administrator can delete it.
TEST_F(MainWindowTest, LocksLeftByAnEndedCopyGoAtTheNextSignInThereOrOnTheLockScreen)
{
    Workstation ended(program, "admin", "PC1"), running(program, "admin", "PC1"), other(program, "mario", "PC2");
    EXPECT_EQ(ended.ask("click BModPag"), "editing=0 screens=1");
    EXPECT_EQ(ended.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(running.ask("click BNumeratori"), "editing=0 screens=1");
    EXPECT_EQ(running.ask("click BModifica"), "editing=1 screens=1");
    EXPECT_EQ(other.ask("click BAzienda"), "editing=0 screens=1");
    EXPECT_EQ(other.ask("click BModifica"), "editing=1 screens=1");
    ended.crash();

    Workstation again(program, "admin", "PC1");
    again.ask("signin");
    EXPECT_EQ(program.lockHolders(), (QStringList{"admin@PC1", "mario@PC2"})) << "the running copy keeps its lock";
    EXPECT_EQ(again.ask("click BModPag"), "editing=0 screens=1");
    EXPECT_EQ(again.ask("click BModifica"), "editing=1 screens=1");

    // The lock screen deletes what a stopped workstation left.
    running.crash();
    EXPECT_TRUE(again.ask("click BNumeratori").startsWith("editing=1 screens=2"));
    EXPECT_TRUE(again.ask("click BModifica").contains(Refused + "admin\\rPostazione: PC1"));
    QWidget* s = open("BGestLoc", "GestAccessi");
    ASSERT_TRUE(s);
    for (int i = 0; i < 5 && ui::text(s, "DescFrm") != "Gestione Numeratori"; ++i)
        press(s, "BSucc");
    press(s, "BElimina");
    EXPECT_EQ(again.ask("click BModifica"), "editing=2 screens=2");
}

} // namespace
