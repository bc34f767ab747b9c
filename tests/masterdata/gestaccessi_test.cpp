// The lock-management screen: the locks of every workstation, and the removal of those left over,
// also by workstations as separate processes on one data folder (tests/workers/workstation.cpp).
#include "mainwindow/mainwindowfixture.h"
#include "support/workstation.h"

#include <QHeaderView>
#include <QTableView>

namespace {

class LockScreen : public MainWindowTest
{
protected:
    // A lock row as another workstation's base component writes it; returns its id.
    QString addLock(const QString& user, const QString& workstation, const QString& screenTitle, const QString& key,
                    const QString& table = "ModPag", const QString& archive = EmptySlot)
    {
        program.exec("user.mdb", QStringLiteral("INSERT INTO Accessi ([User], Postazione, Modulo, DescFrm, Ore, Tabella, "
                                                "Chiave1, Archivio) VALUES ('%1', '%2', 'BREVANO V', '%3', "
                                                "'2024-05-01 09:30:00', '%5', '%4', '%6')")
                                     .arg(user, workstation, screenTitle, key, table, archive));
        return program.rows("user.mdb", "SELECT max(id) FROM Accessi").value(0);
    }
    QTableView* grid() { return ui::find<QTableView>(s, "TDBGTabella"); }
    QString cell(int row, int column) { return grid()->model()->index(row, column).data().toString(); }
    void sortBy(int column)
    {
        QHeaderView* header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(column) + 5, 5));
        ui::settle();
    }
    QString shown() { return ui::text(s, "User") + "@" + ui::text(s, "Postazione") + " " + ui::text(s, "DescFrm"); }

    QWidget* s = nullptr;
};

TEST_F(LockScreen, ListsEveryLockWithTheCurrentOneInThePanelAndKeepsItAcrossSortsAndRefreshes)
{
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1");
    addLock("luigi", "POSTAZIONE3", "Gestione Numeratori", "idTipo=*");
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    addLock("luigi", "POSTAZIONE3", "Modalità Pagamento", "Codice=RD");
    s = open("BGestLoc", "GestAccessi");
    ASSERT_TRUE(s);
    ASSERT_EQ(grid()->model()->rowCount(), 4);
    EXPECT_EQ(cell(0, 0), "01/05/2024 09:30:00");
    EXPECT_EQ(shown(), "mario@POSTAZIONE2 Dati Azienda");
    EXPECT_EQ(ui::text(s, "Ore"), "01/05/2024 09:30:00");
    press(s, "BSucc");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Gestione Numeratori");

    // Sorting by workstation, then by user, keeps this very lock selected, not the first of its kind.
    sortBy(2);
    EXPECT_EQ(cell(0, 2) + " " + cell(1, 2), "POSTAZIONE0 POSTAZIONE2");
    EXPECT_EQ(grid()->currentIndex().row(), 2);
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Gestione Numeratori");
    press(s, "BUltimo");
    sortBy(1);
    EXPECT_EQ(cell(0, 1), "anna");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Modalità Pagamento");
    EXPECT_EQ(cell(grid()->currentIndex().row(), 4), "Modalità Pagamento");

    // Locks taken meanwhile show at a refresh, in the same order, the selection kept.
    addLock("bruno", "POSTAZIONE4", "Gestione Numeratori", "idTipo=M", "Numeratori");
    EXPECT_EQ(grid()->model()->rowCount(), 4) << "not before a refresh";
    press(s, "BRefresh");
    ASSERT_EQ(grid()->model()->rowCount(), 5);
    EXPECT_EQ(cell(1, 1), "bruno");
    EXPECT_EQ(shown(), "luigi@POSTAZIONE3 Modalità Pagamento");
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(LockScreen, DeletingAsksLeavesHeldRowsAndEmptiesThePanelWithTheLastLock)
{
    const QString held = addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1");
    // Another administrator's workstation holds that row of Accessi itself.
    addLock("luigi", "POSTAZIONE3", "Gestione Blocco Dati", "id=" + held, "Accessi", "user.mdb");
    s = open("BGestLoc", "GestAccessi");
    ASSERT_EQ(shown(), "mario@POSTAZIONE2 Dati Azienda");
    press(s, "BElimina");
    EXPECT_TRUE(platform.messages.isEmpty()) << "refused silently, without the question";
    EXPECT_EQ(program.lockHolders().size(), 2);

    program.exec("user.mdb", "DELETE FROM Accessi WHERE Tabella = 'Accessi'");
    platform.answers.enqueue(Platform::Answer::No);
    press(s, "BElimina");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|yesno|Brevano V|Sicuro di Voler Eliminare il Dato ? "});
    EXPECT_EQ(program.lockHolders().size(), 1);
    press(s, "BElimina");
    EXPECT_TRUE(program.lockHolders().isEmpty());
    EXPECT_EQ(grid()->model()->rowCount(), 0);
    for (const char* key : {"BPrimo", "BPrec", "BSucc", "BUltimo", "BElimina"})
        EXPECT_FALSE(ui::enabled(s, key)) << key;
    EXPECT_EQ(shown(), "@ ");
    EXPECT_EQ(ui::text(s, "Ore"), "");

    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    press(s, "BRefresh");
    EXPECT_TRUE(ui::enabled(s, "BElimina"));
    EXPECT_EQ(shown(), "anna@POSTAZIONE0 Modalità Pagamento");
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
    EXPECT_TRUE(again.ask("click BModifica").contains("Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: PC1"));
    QWidget* s = open("BGestLoc", "GestAccessi");
    ASSERT_TRUE(s);
    for (int i = 0; i < 5 && ui::text(s, "DescFrm") != "Gestione Numeratori"; ++i)
        press(s, "BSucc");
    press(s, "BElimina");
    EXPECT_EQ(again.ask("click BModifica"), "editing=2 screens=2");
}

} // namespace
