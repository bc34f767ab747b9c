#include "common/database.h"
#include "common/recordset.h"
#include "common/writeturn.h"
#include "support/programfolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

QString worker(const QString& name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/worker_") + name;
}

// Several workstations share one archive: a writer waits for another instead of failing.
TEST(ArchiveSharing, SecondWriterWaitsForTheFirst)
{
    ProgramFolder folder;
    QProcess holder;
    holder.start(worker("dbholder"), {folder.dataDb(), "FIRST", "1500"});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_TRUE(holder.readAll().contains("HOLDING"));

    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    QElapsedTimer waited;
    waited.start();
    EXPECT_NO_THROW(db.execute(JetQuery("INSERT INTO Zone (Codice, [Desc]) VALUES ('SECOND', 'me')")));
    EXPECT_GT(waited.elapsed(), 500);
    ASSERT_TRUE(holder.waitForFinished(10000));
    EXPECT_EQ(holder.exitCode(), 0);

    // Both rows are there, the holder's first.
    Recordset zones = Recordset::open(db, JetQuery("SELECT * FROM Zone WHERE Codice IN ('FIRST','SECOND')"),
                                      Recordset::Type::Snapshot);
    EXPECT_EQ(zones.RecordCount(), 2);
}

TEST(ArchiveSharing, ArchivesKeepTheRollbackJournalAndStayReadableByTheShell)
{
    ProgramFolder folder;
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    db.execute(JetQuery("INSERT INTO UM (Codice, [Desc]) VALUES (") << Jet::text("Perché") << ", " << Jet::text("è") << ")");
    QSqlQuery mode(db.connection());
    ASSERT_TRUE(mode.exec("PRAGMA journal_mode") && mode.next());
    EXPECT_EQ(mode.value(0).toString(), QStringLiteral("persist"));
    db = Database();

    // The stock shell reads the tables and finds its integrity intact after our writes.
    QProcess shell;
    shell.start("sqlite3", {folder.dataDb(), "PRAGMA integrity_check; SELECT [Desc] FROM UM WHERE Codice = 'Perché';"});
    if (!shell.waitForStarted(5000))
        GTEST_SKIP() << "sqlite3 shell not installed";
    ASSERT_TRUE(shell.waitForFinished(10000));
    const QString out = QString::fromUtf8(shell.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith("ok\n")) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("è"))) << out.toStdString();
}

TEST(ArchiveSharing, ReadThenWriteRunsInAnImmediateTransaction)
{
    ProgramFolder folder;
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    const int before = [&] {
        QSqlQuery q = db.select(JetQuery("SELECT count(*) FROM Zone"));
        q.next();
        return q.value(0).toInt();
    }();
    EXPECT_THROW(inImmediateTransaction(db,
                                        [&] {
                                            EXPECT_TRUE(db.inTransaction());
                                            db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T1')"));
                                            db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('T1')"));
                                        }),
                 DatabaseError);
    EXPECT_FALSE(db.inTransaction());
    QSqlQuery q = db.select(JetQuery("SELECT count(*) FROM Zone"));
    q.next();
    EXPECT_EQ(q.value(0).toInt(), before);
}

// Work asked for inside an open transaction (a number taken while a document is written) is
// undone alone when it fails, and otherwise commits with the enclosing transaction.
TEST(ArchiveSharing, WorkInsideAnOpenTransactionIsUndoneAloneOrCommitsWithIt)
{
    ProgramFolder folder;
    Database db = Database::open(folder.dataDb(), ProgramFolder::connectString());
    db.beginImmediate();
    db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('OUTER')"));
    EXPECT_THROW(inImmediateTransaction(db,
                                        [&] {
                                            db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('FAILS')"));
                                            db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('FAILS')"));
                                        }),
                 DatabaseError);
    EXPECT_TRUE(db.inTransaction());
    EXPECT_EQ(inImmediateTransaction(db, [&] { return db.execute(JetQuery("INSERT INTO Zone (Codice) VALUES ('INNER')")); }),
              1);
    EXPECT_TRUE(db.inTransaction());
    db.commit();

    Database other = Database::open(folder.dataDb(), ProgramFolder::connectString());
    QSqlQuery q = other.select(JetQuery("SELECT Codice FROM Zone WHERE Codice IN ('OUTER', 'INNER', 'FAILS') ORDER BY Codice"));
    QStringList written;
    while (q.next())
        written << q.value(0).toString();
    EXPECT_EQ(written, QStringList({"INNER", "OUTER"}));
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
    db.beginImmediate();
    { const WriteTurn turn(folder.dataDb(), 1000); }
    { const WriteTurn turn(folder.dataDb(), 1000); }

    QProcess other;
    other.start(worker("dbholder"), {folder.dataDb(), "OTHER", "0"});
    EXPECT_FALSE(other.waitForReadyRead(700)) << "another workstation wrote during this one's transaction";
    db.commit();
    ASSERT_TRUE(other.waitForFinished(10000));
    EXPECT_TRUE(other.readAll().contains("HOLDING"));
}

} // namespace
