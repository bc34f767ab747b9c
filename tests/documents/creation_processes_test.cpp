// Several workstations creating documents of one kind at the same moment on one data folder.
#include "creation_fixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QSqlQuery>
#include <QThread>
#include <memory>

namespace {

using CreationAcrossWorkstations = CreationTest;

TEST_F(CreationAcrossWorkstations, FourWorkstationsGetDistinctNumbersAndCompleteDocuments)
{
    // Sources of sales invoices: source type, NumInt, target type, and the rows each has; the
    // last workstation types its invoices by hand (dated today, after the demo invoices).
    const int sources[][4] = {{1, 1, 1, 3}, {2, 1, 2, 3}, {3, 2, 1, 4}, {0, 0, 1, 2}};
    for (const char* table : {"FATVETes", "FATVERig"})
        folder.exec("data.mdb", QString("UPDATE %1 SET DataReg = '%2'").arg(table, stored(platform.todayDate.addDays(1 - platform.todayDate.day()))));
    constexpr int perWorkstation = 100;
    std::vector<std::unique_ptr<QProcess>> workers;
    for (const auto& s : sources) {
        workers.push_back(std::make_unique<QProcess>());
        workers.back()->start(QCoreApplication::applicationDirPath() + "/worker_creation_worker",
                              {folder.dataDb(), year(), QString::number(s[0]), QString::number(s[1]),
                               QString::number(s[2]), QString::number(perWorkstation)});
    }

    QSet<int> numbers;
    int expectedRows = 0;
    for (size_t w = 0; w < workers.size(); ++w) {
        QProcess& worker = *workers[w];
        ASSERT_TRUE(worker.waitForFinished(300000));
        const QString out = QString::fromUtf8(worker.readAllStandardOutput());
        EXPECT_EQ(worker.exitCode(), 0) << out.toStdString() << worker.readAllStandardError().toStdString();
        int created = 0;
        for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
            if (!line.startsWith("CREATED ")) continue;
            const int number = line.mid(8).toInt();
            EXPECT_FALSE(numbers.contains(number)) << "number given twice: " << number;
            numbers.insert(number);
            ++created;
            // Every document holds all the rows of its source.
            EXPECT_EQ(rows("FATVERig", platform.todayDate, number).size(), sources[w][3]) << number;
        }
        EXPECT_EQ(created, perWorkstation);
        expectedRows += created * sources[w][3];
    }
    EXPECT_EQ(numbers.size(), 4 * perWorkstation);
    EXPECT_EQ(count("SELECT Count(*) FROM FATVETes WHERE NumInt > 2"), 4 * perWorkstation);
    EXPECT_EQ(count("SELECT Count(*) FROM FATVERig WHERE NumInt > 2"), expectedRows);
    EXPECT_EQ(numerator("FATVE"), 2 + 4 * perWorkstation);
}

// A workstation killed in the middle of a creation leaves its journal behind: the next one to
// look at the archive, even only to read it, finds it whole and goes on with its work.
TEST_F(CreationAcrossWorkstations, AWorkstationKilledWhileWritingNeverMakesTheArchiveLookInvalid)
{
    const CreationRequest invoice = request(1, 1, 1);
    for (int kill = 0; kill < 8; ++kill) {
        SCOPED_TRACE(kill);
        QProcess worker;
        worker.start(QCoreApplication::applicationDirPath() + "/worker_creation_worker",
                     {folder.dataDb(), year(), "1", "1", "1", "100000"});
        ASSERT_TRUE(worker.waitForReadyRead(10000));
        QThread::msleep(kill * 5);
        worker.kill();
        worker.waitForFinished(5000);

        // What the wizard reads before it creates.
        EXPECT_NO_THROW({
            const Database reader = Database::open(folder.dataDb(), ProgramFolder::connectString(), true);
            Rows reasons = reader.select(JetQuery("SELECT Codice FROM CauMag"));
            EXPECT_TRUE(reasons.next());
        });
        const CreationResult created = create(invoice);
        EXPECT_EQ(created.status, CreationResult::Status::Created) << detailOf(created).toStdString();
    }
    EXPECT_EQ(count("SELECT Count(*) FROM FATVETes WHERE NumInt > 2 AND NOT EXISTS (SELECT 1 FROM FATVERig r "
                    "WHERE r.DataReg = FATVETes.DataReg AND r.NumInt = FATVETes.NumInt)"), 0);
}

// The server drops a creation's connection while its rows are written: nothing of that creation
// stays, and the next creation on the same workstation takes the next number.
TEST_F(CreationAcrossWorkstations, AConnectionLostWhileWritingRowsLeavesNothingOfThatCreation)
{
    if (!ProgramFolder::onServer()) GTEST_SKIP() << "a connection to a server only";
    for (const char* sql : {"CREATE SEQUENCE cuts", "CREATE FUNCTION cut() RETURNS trigger LANGUAGE plpgsql AS 'BEGIN IF "
                            "nextval(''cuts'') = 1 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; RETURN NULL; END'",
                            "CREATE TRIGGER cut BEFORE INSERT ON fatverig FOR EACH STATEMENT EXECUTE FUNCTION cut()"})
        ASSERT_TRUE(QSqlQuery(db.connection()).exec(sql)) << sql;
    const int last = numerator("FATVE");
    QProcess worker;
    worker.start(QCoreApplication::applicationDirPath() + "/worker_creation_worker", {folder.dataDb(), year(), "1", "1", "1", "2"});
    ASSERT_TRUE(worker.waitForFinished(60000));
    const QString said = worker.readAllStandardOutput().trimmed();
    EXPECT_TRUE(said.startsWith("FAILED ") && said.count("CREATED") == 1 && said.endsWith(QString("CREATED %1").arg(last + 1)))
        << said.toStdString();
    EXPECT_EQ(count(QString("SELECT Count(*) FROM FATVERig WHERE NumInt = %1").arg(last + 1)), 3) << "no orphan rows";
}

} // namespace
