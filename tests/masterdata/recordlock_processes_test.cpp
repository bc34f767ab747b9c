// Workstations as separate processes on one data folder, each with the company-data screen open.
#include "common/database.h"
#include "components/base/baseclass.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using State = QMap<QString, QString>;

// One workstation process, driven through files (see tests/workers/lockscreen.cpp).
class Workstation
{
public:
    Workstation(const ProgramFolder& folder, const QString& user, const QString& workstation)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationDirPath() + "/worker_lockscreen",
                        {folder.path(), user, workstation, m_exchange.path()});
    }
    ~Workstation()
    {
        if (m_process.state() != QProcess::NotRunning) {
            send("quit");
            if (!m_process.waitForFinished(5000))
                kill();
        }
    }
    State ready() { return waitFor("ready"); }
    State send(const QString& command)
    {
        ++m_sent;
        const QString path = m_exchange.filePath(QStringLiteral("cmd-%1").arg(m_sent));
        QFile file(path + ".tmp");
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(command.toUtf8());
        file.close();
        QFile::rename(path + ".tmp", path);
        return command == "quit" ? State() : waitFor(QStringLiteral("reply-%1").arg(m_sent));
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    State waitFor(const QString& name)
    {
        QElapsedTimer waited;
        waited.start();
        QFile file(m_exchange.filePath(name));
        while (!file.exists() && waited.elapsed() < 30000 && m_process.state() != QProcess::NotRunning)
            QThread::msleep(10);
        State state;
        if (!file.open(QIODevice::ReadOnly))
            return state;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
            state[line.section(u'=', 0, 0)] = line.section(u'=', 1);
        return state;
    }

    QTemporaryDir m_exchange;
    QProcess m_process;
    int m_sent = 0;
};

class WorkstationsTest : public ::testing::Test
{
protected:
    QStringList lockHolders()
    {
        Database users = Database::open(folder.userDb(), ProgramFolder::connectString());
        Rows rows = users.select(JetQuery("SELECT [User], Postazione FROM Accessi ORDER BY id"));
        QStringList holders;
        while (rows.next())
            holders << rows.value(0).toString() + "@" + rows.value(1).toString();
        return holders;
    }

    ProgramFolder folder;
};

TEST_F(WorkstationsTest, TheSecondWorkstationIsRefusedUntilTheFirstSaves)
{
    Workstation first(folder, "admin", "PC-UFFICIO");
    Workstation second(folder, "mario", "PC-MAGAZZINO");
    ASSERT_EQ(first.ready()["open"], "1");
    ASSERT_EQ(second.ready()["open"], "1");

    State a = first.send("BModifica");
    EXPECT_EQ(a["Pan1"], "1");
    EXPECT_EQ(a["count"], "1");

    State b = second.send("BModifica");
    EXPECT_EQ(b["Pan1"], "0");
    EXPECT_EQ(b["BModifica"], "1");
    EXPECT_EQ(b["BSalva"], "0");
    EXPECT_EQ(b["count"], "0");
    EXPECT_EQ(b["messages"], "1");
    EXPECT_TRUE(b["last"].startsWith("MESSAGE|information|ok|Brevano V|Dato in Modifica da Altro Utente."
                                     "\\rUtente: admin\\rPostazione: PC-UFFICIO\\rDalle Ore: "))
        << b["last"].toStdString();
    EXPECT_EQ(lockHolders(), QStringList{"admin@PC-UFFICIO"});

    first.send("set Text4 Forniture Lombarde S.p.A.");
    a = first.send("BSalva");
    EXPECT_EQ(a["Pan1"], "0");
    EXPECT_EQ(a["count"], "0");
    EXPECT_TRUE(lockHolders().isEmpty());

    // The second now edits, starting from what the first saved.
    b = second.send("BModifica");
    EXPECT_EQ(b["Pan1"], "1");
    EXPECT_EQ(b["count"], "1");
    EXPECT_EQ(b["Text4"], "Forniture Lombarde S.p.A.");
    EXPECT_EQ(lockHolders(), QStringList{"mario@PC-MAGAZZINO"});
    a = first.send("BModifica");
    EXPECT_EQ(a["Pan1"], "0");
    EXPECT_TRUE(a["last"].contains("Utente: mario\\rPostazione: PC-MAGAZZINO")) << a["last"].toStdString();
    b = second.send("BAnnulla");
    EXPECT_EQ(b["count"], "0");
    EXPECT_TRUE(lockHolders().isEmpty());
}

TEST_F(WorkstationsTest, ARefusedWorkstationClosesWithoutReleasingOrLoweringItsCount)
{
    Workstation first(folder, "admin", "PC1");
    Workstation second(folder, "admin", "PC2");  // one user at two workstations
    ASSERT_EQ(first.ready()["open"], "1");
    ASSERT_EQ(second.ready()["open"], "1");
    first.send("BModifica");
    EXPECT_EQ(second.send("BModifica")["Pan1"], "0");

    const State closed = second.send("close");
    EXPECT_EQ(closed["open"], "0");
    EXPECT_EQ(closed["count"], "0");
    EXPECT_EQ(closed["messages"], "1");  // the refusal only: no question on closing
    EXPECT_EQ(lockHolders(), QStringList{"admin@PC1"});

    // The holder answers No when closing: still editing, still holding.
    first.send("no");
    State a = first.send("close");
    EXPECT_EQ(a["open"], "1");
    EXPECT_EQ(a["Pan1"], "1");
    EXPECT_EQ(a["count"], "1");
    EXPECT_TRUE(a["last"].endsWith("|yesno|<none>|Dati in Modifica. Uscire Perdendo le Modifiche ?"))
        << a["last"].toStdString();
    EXPECT_EQ(lockHolders(), QStringList{"admin@PC1"});
    a = first.send("close");
    EXPECT_EQ(a["open"], "0");
    EXPECT_EQ(a["count"], "0");
    EXPECT_TRUE(lockHolders().isEmpty());
}

// Two copies of the program started by one user at one workstation are two holders: signing in
// the second keeps the lock of the first, which is refused to the second; once the first is
// killed, the next sign-in there drops its rows. Other workstations keep theirs.
TEST_F(WorkstationsTest, SigningInDropsOnlyTheLocksOfCopiesNoLongerRunning)
{
    auto elsewhere = folder.makeBase("admin", "PC3");
    LockIdentity term;
    term.owner = "BREVANO V";
    term.screenTitle = "Modalità Pagamento";
    term.table = "ModPag";
    term.keyFields[0] = "Codice";
    term.keyValues[0] = "RB30";
    term.keyKinds[0] = 1;
    ScriptedPlatform platform;
    ASSERT_TRUE(elsewhere->lock(LockMode::Acquire, term));

    Workstation first(folder, "admin", "PC1");
    ASSERT_EQ(first.ready()["open"], "1");
    ASSERT_EQ(first.send("BModifica")["Pan1"], "1");

    Workstation second(folder, "admin", "PC1");
    ASSERT_EQ(second.ready()["open"], "1");
    second.send("signin");
    EXPECT_EQ(lockHolders(), (QStringList{"admin@PC3", "admin@PC1"}));
    const State refused = second.send("BModifica");
    EXPECT_EQ(refused["Pan1"], "0");
    EXPECT_TRUE(refused["last"].contains("Dato in Modifica da Altro Utente.")) << refused["last"].toStdString();

    first.kill();
    second.send("signin");
    EXPECT_EQ(lockHolders(), QStringList{"admin@PC3"});
    EXPECT_EQ(second.send("BModifica")["Pan1"], "1");
}

} // namespace
