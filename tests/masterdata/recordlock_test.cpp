#include "common/database.h"
#include "components/base/baseclass.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QDateTime>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

LockIdentity companyRecord(const BaseComponent& base)
{
    LockIdentity id;
    id.owner = "BREVANO V";
    id.screenTitle = "Dati Azienda";
    id.table = "Azienda";
    id.keyFields[0] = "id";
    id.keyValues[0] = "1";
    id.archive = base.UserDbPath;
    return id;
}

LockIdentity paymentTerm(const QString& code)
{
    LockIdentity id;
    id.owner = "BREVANO V";
    id.screenTitle = "Modalità Pagamento";
    id.table = "ModPag";
    id.keyFields[0] = "Codice";
    id.keyValues[0] = code;
    id.keyKinds[0] = 1;
    return id;
}

class RecordLockTest : public ::testing::Test
{
protected:
    int lockRows()
    {
        Rows q = users().select(JetQuery("SELECT count(*) FROM Accessi"));
        q.next();
        return q.value(0).toInt();
    }
    Database users() { return Database::open(folder.userDb(), ProgramFolder::connectString()); }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> admin = folder.makeBase("admin", "POSTAZIONE1");
    std::unique_ptr<BaseClass> mario = folder.makeBase("mario", "POSTAZIONE2", false);
};

TEST_F(RecordLockTest, AcquireWritesOneRowThatNamesHolderScreenAndTime)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(admin->lock(LockMode::Acquire, companyRecord(*admin)));

    Rows row = users().select(JetQuery("SELECT [User], Postazione, Modulo, DescFrm, Ore, Tabella, Chiave1, "
                                            "Chiave2, Chiave3, Archivio FROM Accessi"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), "admin");
    EXPECT_EQ(row.value(1).toString(), "POSTAZIONE1");
    EXPECT_EQ(row.value(2).toString(), "BREVANO V");
    EXPECT_EQ(row.value(3).toString(), "Dati Azienda");
    const QDateTime taken = QDateTime::fromString(row.value(4).toString(), "yyyy-MM-dd HH:mm:ss");
    ASSERT_TRUE(taken.isValid()) << row.value(4).toString().toStdString();
    EXPECT_GE(taken, before);
    EXPECT_LE(taken, QDateTime::currentDateTime());
    // The identity: table, "field=value" key parts, the archive by its file name.
    EXPECT_EQ(row.value(5).toString(), "Azienda");
    EXPECT_EQ(row.value(6).toString(), "id=1");
    EXPECT_EQ(row.value(7).toString(), ":_:");
    EXPECT_EQ(row.value(8).toString(), ":_:");
    EXPECT_EQ(row.value(9).toString(), "user.mdb");
    EXPECT_FALSE(row.next());
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(RecordLockTest, AnotherHolderIsRefusedAndToldWhoHoldsTheRecordWhereAndSinceWhen)
{
    ASSERT_TRUE(admin->lock(LockMode::Acquire, companyRecord(*admin)));
    Rows ore = users().select(JetQuery("SELECT Ore FROM Accessi"));
    ore.next();
    const QString since = QDateTime::fromString(ore.value(0).toString(), "yyyy-MM-dd HH:mm:ss")
                              .toString("dd/MM/yyyy HH:mm:ss");

    EXPECT_FALSE(mario->lock(LockMode::Acquire, companyRecord(*mario)));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->text, "Dato in Modifica da Altro Utente.\rUtente: admin\rPostazione: POSTAZIONE1\r"
                                     "Dalle Ore: " + since);
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Information);
    EXPECT_EQ(platform.last()->title, "Brevano V");

    // The same user at another workstation is another holder too.
    auto adminElsewhere = folder.makeBase("admin", "POSTAZIONE3");
    EXPECT_FALSE(adminElsewhere->lock(LockMode::Acquire, companyRecord(*adminElsewhere)));
    // The holder itself is granted again, and still holds one row.
    EXPECT_TRUE(admin->lock(LockMode::Acquire, companyRecord(*admin)));
    EXPECT_EQ(lockRows(), 1);
}

TEST_F(RecordLockTest, ReleaseRemovesOnlyTheCallersOwnLock)
{
    ASSERT_TRUE(admin->lock(LockMode::Acquire, companyRecord(*admin)));
    EXPECT_FALSE(mario->lock(LockMode::Release, companyRecord(*mario)));
    EXPECT_EQ(lockRows(), 1);
    EXPECT_TRUE(admin->lock(LockMode::Release, companyRecord(*admin)));
    EXPECT_EQ(lockRows(), 0);
    EXPECT_FALSE(admin->lock(LockMode::Release, companyRecord(*admin)));
    // Free again for anyone.
    EXPECT_TRUE(mario->lock(LockMode::Acquire, companyRecord(*mario)));
}

TEST_F(RecordLockTest, CheckBeforeDeleteAnswersWhetherAnotherHolderHasTheRecordAndTakesNoLock)
{
    EXPECT_TRUE(mario->lock(LockMode::CheckBeforeDelete, paymentTerm("RB30")));
    EXPECT_EQ(lockRows(), 0);
    ASSERT_TRUE(admin->lock(LockMode::Acquire, paymentTerm("RB30")));
    EXPECT_TRUE(admin->lock(LockMode::CheckBeforeDelete, paymentTerm("RB30")));
    EXPECT_FALSE(mario->lock(LockMode::CheckBeforeDelete, paymentTerm("RB30")));
    EXPECT_TRUE(mario->lock(LockMode::CheckBeforeDelete, paymentTerm("RD")));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(RecordLockTest, KeysMatchAsTheArchiveMatchesThem)
{
    // Codes compare without regard to case, numbers by value, archives by file name: each
    // workstation reaches the data folder by its own path.
    ASSERT_TRUE(admin->lock(LockMode::Acquire, paymentTerm("rb30")));
    EXPECT_FALSE(mario->lock(LockMode::Acquire, paymentTerm("RB30")));
    EXPECT_TRUE(mario->lock(LockMode::Acquire, paymentTerm("RB3")));

    ASSERT_TRUE(admin->lock(LockMode::Acquire, companyRecord(*admin)));
    LockIdentity sameRecord = companyRecord(*mario);
    sameRecord.keyValues[0] = "01";
    sameRecord.archive = "/mnt/server/brevano/user.mdb";
    EXPECT_FALSE(mario->lock(LockMode::Acquire, sameRecord));

    // A text key is taken as written.
    LockIdentity numerator;
    numerator.owner = "MODULO BASE";
    numerator.screenTitle = "Gestione Numeratori";
    numerator.table = "Numeratori";
    for (int i = 0; i < 3; ++i)
        numerator.keyKinds[i] = 1;
    numerator.keyFields[0] = "idTipo";
    numerator.keyFields[1] = "idCodice";
    numerator.keyFields[2] = "idEsercizio";
    numerator.keyValues[0] = "FATVE";
    numerator.keyValues[1] = "01";
    numerator.keyValues[2] = "2025";
    ASSERT_TRUE(admin->lock(LockMode::Acquire, numerator));
    numerator.keyValues[1] = "1";
    EXPECT_TRUE(mario->lock(LockMode::Acquire, numerator));
}

TEST_F(RecordLockTest, QueryTellsWhetherALockRowCanBeManaged)
{
    ASSERT_TRUE(mario->lock(LockMode::Acquire, companyRecord(*mario)));
    QString id;
    {
        Rows q = users().select(JetQuery("SELECT id FROM Accessi"));
        ASSERT_TRUE(q.next());
        id = q.value(0).toString();
    }
    LockIdentity row;
    row.owner = "BREVANO V";
    row.screenTitle = "Gestione Blocco Dati";
    row.table = "Accessi";
    row.keyFields[0] = "id";
    row.keyValues[0] = id;
    row.archive = admin->UserDbPath;

    EXPECT_TRUE(admin->lock(LockMode::Query, row));
    EXPECT_TRUE(admin->lock(LockMode::CheckBeforeDelete, row));
    ASSERT_TRUE(mario->lock(LockMode::Release, companyRecord(*mario)));
    EXPECT_FALSE(admin->lock(LockMode::Query, row));
    EXPECT_EQ(lockRows(), 0);
}

TEST_F(RecordLockTest, AFailingArchiveIsReportedAndRefusesTheLock)
{
    admin->UserDbPath = folder.file("missing.mdb");
    EXPECT_FALSE(admin->lock(LockMode::Acquire, companyRecord(*admin)));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(platform.last()->icon, Platform::Icon::Critical);
    EXPECT_EQ(platform.last()->title, "Brevano V");
    EXPECT_TRUE(platform.last()->text.contains("missing.mdb"));
}

} // namespace
