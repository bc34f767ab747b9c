#include "common/database.h"
#include "common/writeturn.h"
#include "support/programfolder.h"
#include "common/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString worker(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/worker_") + name;
}

QStringList zoneCodes(const Database& db)
{
    Rows q = db.select(JetQuery("SELECT Codice FROM Zone WHERE Codice LIKE 'T%' ORDER BY Codice"));
    QStringList codes;
    while (q.next())
        codes << q.value(0).toString();
    return codes;
}

// A write inside an open transaction is undone alone when it fails, and otherwise commits with
// the enclosing one (a number taken inside a document's creation).
TEST(ArchiveSharing, AWriteInsideAnotherIsUndoneAloneOrCommitsWithIt)
{
    ProgramFolder folder;
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    {
        WriteTransaction outer(db);
        db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T1')"));
        EXPECT_THROW(inImmediateTransaction(db, [&] {
                         db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T2')"));
                         db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T2')"));
                     }),
                     DatabaseError);
        EXPECT_TRUE(db.inTransaction());
        EXPECT_EQ(inImmediateTransaction(db, [&] { return db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T3')")); }),
                  1);
        outer.commit();
    }
    EXPECT_EQ(zoneCodes(Database::open(folder.dataDb(), ProgramFolder::connectString())), QStringList({"T1", "T3"}));
}

// Writers take turns: a turn held by another workstation is waited for until it is left, or
// until the timeout when that workstation keeps it too long.
TEST(ArchiveSharing, WritersWaitForTheTurnOfAnotherWorkstationUpToTheTimeout)
{
    ProgramFolder folder;
    QProcess holder;
    holder.start(worker("turnholder"), {folder.userDb(), "800"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    QElapsedTimer waited;
    waited.start();
    {
        const WriteTurn turn(folder.userDb(), 10000);
        EXPECT_TRUE(turn.taken());
        EXPECT_GT(waited.elapsed(), 400);
    }
    ASSERT_TRUE(holder.waitForFinished(10000));

    QProcess keeper;
    keeper.start(worker("turnholder"), {folder.userDb(), "20000"});
    ASSERT_TRUE(keeper.waitForReadyRead(10000));
    waited.restart();
    {
        const WriteTurn turn(folder.userDb(), 300);
        EXPECT_FALSE(turn.taken());
    }
    EXPECT_GE(waited.elapsed(), 250);
    EXPECT_LT(waited.elapsed(), 5000);
    // Without a turn the write still goes through, the engine deciding as ever.
    Database db = Database::open(folder.userDb(), ProgramFolder::connectString());
    EXPECT_NO_THROW(db.execute(JetQuery("DELETE FROM Accessi")));
    keeper.kill();
    keeper.waitForFinished(5000);
}

// Taking and leaving a turn must not loosen the engine's own locks held by this process.
TEST(ArchiveSharing, LeavingATurnKeepsTheWriteLockOfThisProcess)
{
    ProgramFolder folder;
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    WriteTransaction transaction(db);
    { const WriteTurn turn(folder.dataDb(), 1000); }
    { const WriteTurn turn(folder.dataDb(), 1000); }

    QProcess other;
    other.start(worker("dbholder"), {folder.dataDb(), "OTHER", "0"});
    EXPECT_FALSE(other.waitForReadyRead(700)) << "another workstation wrote during this one's transaction";
    transaction.commit();
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_TRUE(other.readAll().contains("HOLDING"));
}

} // namespace
