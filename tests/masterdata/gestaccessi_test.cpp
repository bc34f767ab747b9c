#include "components/base/baseclass.h"
#include "common/database.h"
#include "common/datacontrol.h"
#include "masterdata/gestaccessi.h"
#include "numeratori_workstation.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QAction>
#include <QHeaderView>
#include <QPointer>
#include <QSqlQuery>
#include <QTableView>
#include <gtest/gtest.h>

namespace {

class GestAccessiTest : public ::testing::Test
{
protected:
    void TearDown() override { delete screen.data(); }

    void open()
    {
        screen = new GestAccessi(base.get());
        ASSERT_TRUE(screen->openScreen());
        screen->show();
        ui::settle();
    }

    // A lock row as the base component writes it; returns its id.
    qint64 addLock(const QString& user, const QString& workstation, const QString& screenTitle, const QString& key,
                   const QString& table = QStringLiteral("Numeratori"), const QString& archive = QStringLiteral(":_:"))
    {
        Database db = Database::open(folder.userDb(), ProgramFolder::connectString());
        QSqlQuery q = db.prepare(db.insertReturningRowid("INSERT INTO Accessi ([User], Postazione, Modulo, DescFrm, Ore, Tabella, Chiave1, Archivio) "
                                                         "VALUES (?, ?, 'BREVANO V', ?, '2024-05-01 09:30:00', ?, ?, ?)"));
        for (const QString& v : {user, workstation, screenTitle, table, key, archive})
            q.addBindValue(v);
        EXPECT_TRUE(q.exec());
        return db.insertedRowid(q);
    }

    int lockCount()
    {
        Database db = Database::open(folder.userDb(), ProgramFolder::connectString());
        Rows q = db.select(JetQuery("SELECT count(*) FROM Accessi"));
        q.next();
        return q.value(0).toInt();
    }

    QTableView* grid() { return ui::find<QTableView>(screen, "TDBGTabella"); }
    int gridRows() { return grid()->model()->rowCount(); }
    int currentRow() { return grid()->currentIndex().row(); }
    QString cell(int row, int column) { return grid()->model()->index(row, column).data().toString(); }
    void sortBy(int column) { emit grid()->horizontalHeader()->sectionClicked(column); }

    static constexpr const char* RowButtons[] = {"BPrimo", "BPrec", "BSucc", "BUltimo", "BElimina"};

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base = folder.makeBase();
    QPointer<GestAccessi> screen;
};

TEST_F(GestAccessiTest, ListsTheLocksWithTheCurrentOneInThePanel)
{
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1", "Azienda", "user.mdb");
    addLock("luigi", "POSTAZIONE3", "Gestione Numeratori", "idTipo=*");
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    open();

    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Brevano V : Gestione Blocco Dati"));
    QStringList headings;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        headings << grid()->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headings, QStringList({"Ore", "User", "Postazione", "Modulo", "Modifica"}));
    ASSERT_EQ(gridRows(), 3);
    EXPECT_EQ(cell(0, 0), QStringLiteral("01/05/2024 09:30:00"));
    EXPECT_EQ(cell(2, 4), QStringLiteral("Modalità Pagamento"));
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("mario"));
    EXPECT_EQ(ui::text(screen, "Postazione"), QStringLiteral("POSTAZIONE2"));
    EXPECT_EQ(ui::text(screen, "DescFrm"), QStringLiteral("Dati Azienda"));
    EXPECT_EQ(ui::text(screen, "Ore"), QStringLiteral("01/05/2024 09:30:00"));
    EXPECT_EQ(ui::text(screen, "Modulo"), QStringLiteral("BREVANO V"));
    for (const char* key : RowButtons)
        EXPECT_TRUE(ui::enabled(screen, key)) << key;
    EXPECT_EQ(ui::text(screen, "BRefresh"), QStringLiteral("  Refresh  "));
    for (const char* absent : {"BNuovo", "BModifica", "BAnnulla", "BSalva", "BStampa"})
        EXPECT_EQ(screen->findChild<QAction*>(absent), nullptr) << absent;

    ui::click(screen, "BSucc");
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("luigi"));
    EXPECT_EQ(currentRow(), 1);
    ui::click(screen, "BUltimo");
    ui::click(screen, "BSucc");
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("anna")) << "stays on the last row";
    EXPECT_EQ(currentRow(), 2);
    ui::click(screen, "BPrimo");
    ui::click(screen, "BPrec");
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("mario")) << "stays on the first row";

    grid()->setCurrentIndex(grid()->model()->index(1, 2));
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("luigi"));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(GestAccessiTest, SortingByAColumnKeepsTheSelectedLock)
{
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1", "Azienda", "user.mdb");
    addLock("luigi", "POSTAZIONE3", "Gestione Numeratori", "idTipo=*");
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    addLock("luigi", "POSTAZIONE3", "Modalità Pagamento", "Codice=RD");
    open();
    ui::click(screen, "BSucc");
    sortBy(2);
    EXPECT_EQ(screen->findChild<DataControl*>("DataTabelle")->RecordSource.jetText(),
              QStringLiteral("Select * from Accessi order by [Postazione]"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("POSTAZIONE0"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("POSTAZIONE2"));
    EXPECT_EQ(currentRow(), 2);
    EXPECT_EQ(ui::text(screen, "DescFrm"), QStringLiteral("Gestione Numeratori"));

    // The second lock of the same workstation stays selected too, not the first one found.
    ui::click(screen, "BUltimo");
    EXPECT_EQ(ui::text(screen, "DescFrm"), QStringLiteral("Modalità Pagamento"));
    sortBy(1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("anna"));
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("luigi"));
    EXPECT_EQ(ui::text(screen, "DescFrm"), QStringLiteral("Modalità Pagamento"));
    EXPECT_EQ(cell(currentRow(), 4), QStringLiteral("Modalità Pagamento"));

    // The sort order holds across a refresh.
    ui::click(screen, "BRefresh");
    EXPECT_EQ(cell(0, 1), QStringLiteral("anna"));
    EXPECT_EQ(ui::text(screen, "DescFrm"), QStringLiteral("Modalità Pagamento"));
}

TEST_F(GestAccessiTest, RefreshShowsTheLocksOfOtherWorkstationsAndKeepsTheSelection)
{
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1", "Azienda", "user.mdb");
    open();
    ui::click(screen, "BUltimo");
    ASSERT_EQ(ui::text(screen, "User"), QStringLiteral("mario"));

    NumeratorWorkstation other(folder, "luigi", "POSTAZIONE3");
    ASSERT_EQ(other.ask("goto * DDT"), QStringLiteral("AT * DDT 3"));
    ASSERT_EQ(other.ask("edit"), QStringLiteral("EDITING"));
    EXPECT_EQ(gridRows(), 2) << "not before a refresh";
    ui::click(screen, "BRefresh");
    ASSERT_EQ(gridRows(), 3);
    EXPECT_EQ(cell(2, 1), QStringLiteral("luigi"));
    EXPECT_EQ(cell(2, 3), QStringLiteral("MODULO BASE"));
    EXPECT_EQ(cell(2, 4), QStringLiteral("Gestione Numeratori"));
    EXPECT_EQ(currentRow(), 1) << "the selection stays on the same lock";
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("mario"));

    // Released by its workstation, the lock goes from the list at the next refresh.
    ui::click(screen, "BUltimo");
    ASSERT_EQ(other.ask("cancel"), QStringLiteral("CANCELLED"));
    ui::click(screen, "BRefresh");
    EXPECT_EQ(gridRows(), 2);
    EXPECT_EQ(currentRow(), 0);
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("anna"));
}

TEST_F(GestAccessiTest, DeletingALeftOverLockLetsTheRecordBeEditedElsewhere)
{
    {
        NumeratorWorkstation stopped(folder, "luigi", "POSTAZIONE3");
        ASSERT_EQ(stopped.ask("goto * DDT"), QStringLiteral("AT * DDT 3"));
        ASSERT_EQ(stopped.ask("edit"), QStringLiteral("EDITING"));
        stopped.crash();
    }
    NumeratorWorkstation other(folder, "mario", "POSTAZIONE2");
    ASSERT_EQ(other.ask("goto * DDT"), QStringLiteral("AT * DDT 3"));
    EXPECT_TRUE(other.ask("edit").startsWith(QStringLiteral("BROWSING")));

    open();
    ASSERT_EQ(gridRows(), 1);
    platform.answers.enqueue(Platform::Answer::No);
    ui::click(screen, "BElimina");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, QStringLiteral("Sicuro di Voler Eliminare il Dato ? "));
    EXPECT_EQ(platform.last()->buttons, Platform::Buttons::YesNo);
    EXPECT_EQ(platform.last()->title, QStringLiteral("Brevano V"));
    EXPECT_EQ(lockCount(), 1);

    ui::click(screen, "BElimina");
    EXPECT_EQ(lockCount(), 0);
    EXPECT_EQ(other.ask("edit"), QStringLiteral("EDITING"));
}

TEST_F(GestAccessiTest, DeletingTheLastLockDisablesTheButtonsAndClearsThePanel)
{
    addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1", "Azienda", "user.mdb");
    open();
    ASSERT_EQ(ui::text(screen, "User"), QStringLiteral("mario"));
    ui::click(screen, "BElimina");
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(lockCount(), 0);
    for (const char* key : RowButtons)
        EXPECT_FALSE(ui::enabled(screen, key)) << key;
    for (const char* field : {"User", "Postazione", "DescFrm", "Ore", "Modulo"})
        EXPECT_TRUE(ui::text(screen, field).isEmpty()) << field;
    EXPECT_TRUE(ui::enabled(screen, "BRefresh"));
    EXPECT_TRUE(ui::enabled(screen, "BEsci"));

    // An empty table from the start looks the same; new locks come with a refresh.
    delete screen.data();
    open();
    EXPECT_FALSE(ui::enabled(screen, "BElimina"));
    addLock("anna", "POSTAZIONE0", "Modalità Pagamento", "Codice=RB");
    ui::click(screen, "BRefresh");
    EXPECT_TRUE(ui::enabled(screen, "BElimina"));
    EXPECT_EQ(ui::text(screen, "User"), QStringLiteral("anna"));
    ui::click(screen, "BEsci");
    ui::settle();
    EXPECT_TRUE(screen.isNull());
    EXPECT_EQ(base->OpenScreenCount, 0);
}

TEST_F(GestAccessiTest, ALockRowHeldByAnotherUserIsNotDeleted)
{
    const qint64 held = addLock("mario", "POSTAZIONE2", "Dati Azienda", "id=1", "Azienda", "user.mdb");
    // Another administrator's workstation holds that row of Accessi itself.
    addLock("luigi", "POSTAZIONE3", "Gestione Blocco Dati", "id=" + QString::number(held), "Accessi", "user.mdb");
    open();
    ASSERT_EQ(ui::text(screen, "User"), QStringLiteral("mario"));
    ui::click(screen, "BElimina");
    EXPECT_TRUE(platform.messages.isEmpty()) << "refused silently, without the question";
    EXPECT_EQ(lockCount(), 2);
}

} // namespace
