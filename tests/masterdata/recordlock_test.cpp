// Record locks as other workstations meet them: the rows of Accessi, who is refused, who may release.
#include "components/base/baseclass.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

LockIdentity term(const QString& code)
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

LockIdentity company(const QString& key, const QString& archive)
{
    LockIdentity id;
    id.owner = "BREVANO V";
    id.screenTitle = "Dati Azienda";
    id.table = "Azienda";
    id.keyFields[0] = "id";
    id.keyValues[0] = key;
    id.archive = archive;
    return id;
}

LockIdentity numerator(const QString& code)
{
    LockIdentity id;
    id.owner = "MODULO BASE";
    id.screenTitle = "Gestione Numeratori";
    id.table = "Numeratori";
    const QString fields[] = {"idTipo", "idCodice", "idEsercizio"}, values[] = {"FATVE", code, "2025"};
    for (int i = 0; i < 3; ++i) {
        id.keyFields[i] = fields[i];
        id.keyValues[i] = values[i];
        id.keyKinds[i] = 1;
    }
    return id;
}

class RecordLocks : public ::testing::Test
{
protected:
    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> admin = folder.makeBase("admin", "POSTAZIONE1");
    std::unique_ptr<BaseClass> mario = folder.makeBase("mario", "POSTAZIONE2", false);
};

TEST_F(RecordLocks, ALockIsOneRowNamingItsHolderAndRefusesEveryOtherHolder)
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_TRUE(admin->lock(LockMode::Acquire, company("1", admin->UserDbPath)));
    const QStringList row = folder.rows("user.mdb", "SELECT [User], Postazione, Modulo, DescFrm, Tabella, Chiave1, Chiave2, "
                                                    "Chiave3, Archivio, Ore FROM Accessi");
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0].section(u'|', 0, 8), "admin|POSTAZIONE1|BREVANO V|Dati Azienda|Azienda|id=1|:_:|:_:|user.mdb");
    const QDateTime taken = QDateTime::fromString(row[0].section(u'|', 9), "yyyy-MM-dd HH:mm:ss");
    EXPECT_TRUE(taken >= before && taken <= QDateTime::currentDateTime()) << row[0].toStdString();
    EXPECT_TRUE(platform.messages.isEmpty());

    EXPECT_FALSE(mario->lock(LockMode::Acquire, company("1", mario->UserDbPath)));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              "MESSAGE|information|ok|Brevano V|Dato in Modifica da Altro Utente.\\rUtente: admin\\rPostazione: "
              "POSTAZIONE1\\rDalle Ore: " + taken.toString("dd/MM/yyyy HH:mm:ss"));
    auto adminElsewhere = folder.makeBase("admin", "POSTAZIONE3");
    EXPECT_FALSE(adminElsewhere->lock(LockMode::Acquire, company("1", admin->UserDbPath)));
    EXPECT_TRUE(admin->lock(LockMode::Acquire, company("1", admin->UserDbPath))) << "the holder is granted again";
    EXPECT_EQ(folder.lockHolders(), QStringList{"admin@POSTAZIONE1"});

    // Only the holder releases it; then it is anyone's.
    EXPECT_FALSE(mario->lock(LockMode::Release, company("1", mario->UserDbPath)));
    EXPECT_EQ(folder.lockHolders().size(), 1);
    EXPECT_TRUE(admin->lock(LockMode::Release, company("1", admin->UserDbPath)));
    EXPECT_FALSE(admin->lock(LockMode::Release, company("1", admin->UserDbPath)));
    EXPECT_TRUE(mario->lock(LockMode::Acquire, company("1", mario->UserDbPath)));
}

// Codes compare without regard to case, numbers by value, archives by file name (each
// workstation reaches the data folder by its own path), text keys as written.
TEST_F(RecordLocks, KeysMatchAsTheArchiveMatchesThem)
{
    const struct
    {
        const char* name;
        LockIdentity held, asked;
        bool sameRecord;
    } cases[] = {
        {"code in another case", term("rb30"), term("RB30"), true},
        {"another code", term("rb30"), term("RB3"), false},
        {"number with a leading zero, archive by another path", company("1", admin->UserDbPath),
         company("01", "/mnt/server/brevano/user.mdb"), true},
        {"another number", company("1", admin->UserDbPath), company("2", admin->UserDbPath), false},
        {"text key with a leading zero", numerator("01"), numerator("1"), false},
        {"text key as written", numerator("01"), numerator("01"), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.exec("user.mdb", "DELETE FROM Accessi");
        ASSERT_TRUE(admin->lock(LockMode::Acquire, c.held));
        EXPECT_EQ(mario->lock(LockMode::CheckBeforeDelete, c.asked), !c.sameRecord);
        EXPECT_EQ(mario->lock(LockMode::Acquire, c.asked), !c.sameRecord);
        EXPECT_TRUE(admin->lock(LockMode::CheckBeforeDelete, c.held)) << "the holder may delete its record";
    }
}

} // namespace
