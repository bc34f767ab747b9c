// The archive check of the start-up, each outcome reached in a real process.
#include "scriptedrun.h"
#include "support/programfolder.h"

#include "common/database.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString NotFoundServer = QStringLiteral(
    "MESSAGE|critical|ok|Brevano V|Impossibile trovare fonte di dati: potrebbe essere necessario reinstallare il "
    "programma.");
const QString NotFoundClient = QStringLiteral(
    "MESSAGE|critical|ok|Brevano V|E' stato riscontrato un errore durante il collegamento alla fonte di dati."
    "\\rAssicurarsi che il computer sia connesso correttamente alla rete.");
const QString OpenErrorServer = QStringLiteral(
    "MESSAGE|exclamation|ok|Brevano V|E' stato riscontrato un errore durante l'apertura della fonte di dati."
    "\\rSarà necessario controllare l'integrità dei dati al prossimo avvio del programma."
    "\\rAssicurarsi che non ci siano Client connessi.");
const QString OpenErrorClient = QStringLiteral(
    "MESSAGE|exclamation|ok|Brevano V|E' stato riscontrato un errore durante il collegamento alla fonte di dati."
    "\\rAssicurarsi che non ci siano problemi di rete.");
const QString NoArchives =
    QStringLiteral("MESSAGE|critical|ok|Brevano V|Attenzione, Impossibile Eseguire il Programma senza Archivi.");
const QString UpdatesWaiting = QStringLiteral(
    "MESSAGE|information|ok|Brevano V|Sono stati rilevati degli Aggiornamenti."
    "\\rEseguire l'Utility di Manutenzione ed aggiornare gli Archivi!");

// The log of a start that stopped with exactly one message.
QStringList stoppedWith(const QString& message)
{
    return {message, QStringLiteral("PROGRAM ENDED")};
}

// A whole program folder whose archives are still the installer's templates.
void backToTemplates(const ProgramFolder& folder)
{
    for (const char* name : {"user", "data", "locdata"})
        ASSERT_TRUE(QFile::rename(folder.file(QString::fromLatin1(name) + ".mdb"),
                                  folder.file(QString::fromLatin1(name) + "2.mdb")));
}

void execute(const QString& archive, const JetQuery& statement)
{
    Database::open(archive, ProgramFolder::connectString()).execute(statement);
}

void replaceWithGarbage(const QString& archive)
{
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
}

} // namespace

TEST(ArchiveCheck, FirstStartInstallsTheTemplatesAndASecondStartStopsForNewTemplates)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    backToTemplates(folder);
    folder.writePointerFile(folder.dataFolder(), 0);

    const ScriptedRun first = runScripted(folder.path(), {}, QStringLiteral("frmSplash"));
    EXPECT_TRUE(first.showed(QStringLiteral("frmSplash")));
    EXPECT_TRUE(first.messages().isEmpty()) << first.log.join(u'\n').toStdString();
    EXPECT_FALSE(first.ended());
    for (const char* name : {"user", "data", "locdata"}) {
        EXPECT_TRUE(QFile::exists(folder.file(QString::fromLatin1(name) + ".mdb"))) << name;
        EXPECT_FALSE(QFile::exists(folder.file(QString::fromLatin1(name) + "2.mdb"))) << name;
    }

    // A later installation delivers a new company template next to the working archive.
    ASSERT_TRUE(QFile::copy(QDir(ProgramFolder::builtProgramDir()).filePath("data2.mdb"), folder.file("data2.mdb")));
    const ScriptedRun second = runScripted(folder.path());
    EXPECT_TRUE(second.exited);
    EXPECT_EQ(second.log, stoppedWith(UpdatesWaiting));
    EXPECT_TRUE(QFile::exists(folder.file("data2.mdb")));
}

TEST(ArchiveCheck, AnArchiveWithoutItsTemplateStopsTheStart)
{
    ProgramFolder server(ProgramFolder::WholeProgram);
    server.writePointerFile(server.dataFolder(), 0);
    ASSERT_TRUE(QFile::remove(server.file("locdata.mdb")));
    EXPECT_EQ(runScripted(server.path()).log, stoppedWith(NoArchives));

    // A client needs the company archive (or its template) in its own program folder too,
    // although it works on the server's.
    ProgramFolder data(ProgramFolder::ArchivesOnly);
    ProgramFolder client(ProgramFolder::WholeProgram);
    client.writePointerFile(data.dataFolder(), 1);
    ASSERT_TRUE(QFile::remove(client.file("data.mdb")));
    EXPECT_EQ(runScripted(client.path()).log, stoppedWith(NoArchives));
}

TEST(ArchiveCheck, AMissingDataSourceHasTheServerOrTheClientWording)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    const QString nowhere = folder.file("nowhere") + QDir::separator();

    folder.writePointerFile(nowhere, 0);
    EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(NotFoundServer));

    folder.writePointerFile(nowhere, 1);
    EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(NotFoundClient));

    // Without a role line the workstation counts as the server.
    {
        QFile pointer(folder.file("brevanov.dat"));
        ASSERT_TRUE(pointer.open(QIODevice::WriteOnly | QIODevice::Truncate));
        pointer.write(nowhere.toLocal8Bit() + "\r\n");
    }
    EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(NotFoundServer));

    // The folder line is taken as it is: without its final separator it names no archive.
    folder.writePointerFile(folder.path(), 0);
    EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(NotFoundServer));

    // The company archive is looked for too.
    ProgramFolder data(ProgramFolder::ArchivesOnly);
    ASSERT_TRUE(QFile::remove(data.dataDb()));
    folder.writePointerFile(data.dataFolder(), 1);
    EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(NotFoundClient));
}

TEST(ArchiveCheck, AnArchiveThatDoesNotOpenOrHasNoUsableSettingsStopsTheStart)
{
    struct Damage
    {
        const char* what;
        std::function<void(const ProgramFolder&)> apply;
    };
    const std::vector<Damage> damages = {
        {"user archive is not an archive", [](const ProgramFolder& f) { replaceWithGarbage(f.userDb()); }},
        {"company archive is not an archive", [](const ProgramFolder& f) { replaceWithGarbage(f.dataDb()); }},
        {"local archive is not an archive", [](const ProgramFolder& f) { replaceWithGarbage(f.localDb()); }},
        {"company archive has another password",
         [](const ProgramFolder& f) {
             QFile::remove(f.dataDb());
             Database::create(f.dataDb(), QStringLiteral(";PWD=abc"));
         }},
        {"no company row", [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("DELETE FROM Azienda")); }},
        {"no company table", [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("DROP TABLE Azienda")); }},
        {"Null base currency",
         [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("UPDATE Azienda SET ValutaBase = NULL")); }},
        {"Null base decimals",
         [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("UPDATE Azienda SET DecimaliBase = NULL")); }},
        {"Null euro rate",
         [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("UPDATE Azienda SET CambioEuro = NULL")); }},
        {"Null euro decimals",
         [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("UPDATE Azienda SET DecimaliEuro = NULL")); }},
        {"euro decimals beyond 16 bits",
         [](const ProgramFolder& f) { execute(f.userDb(), JetQuery("UPDATE Azienda SET DecimaliEuro = 40000")); }},
    };
    for (const Damage& damage : damages) {
        ProgramFolder folder(ProgramFolder::WholeProgram);
        folder.writePointerFile(folder.dataFolder(), 0);
        damage.apply(folder);
        EXPECT_EQ(runScripted(folder.path()).log, stoppedWith(OpenErrorServer)) << damage.what;
    }

    // A client reports the same failures as a network problem.
    ProgramFolder data(ProgramFolder::ArchivesOnly);
    ProgramFolder client(ProgramFolder::WholeProgram);
    client.writePointerFile(data.dataFolder(), 1);
    execute(data.userDb(), JetQuery("UPDATE Azienda SET CambioEuro = NULL"));
    EXPECT_EQ(runScripted(client.path()).log, stoppedWith(OpenErrorClient));
}

TEST(ArchiveCheck, AClientWorksOnTheServersArchivesAndInstallsItsOwnTemplates)
{
    ProgramFolder server(ProgramFolder::ArchivesOnly);
    ProgramFolder client(ProgramFolder::WholeProgram);
    backToTemplates(client);
    client.writePointerFile(server.dataFolder(), 1);

    const ScriptedRun run = runScripted(client.path(), {}, QStringLiteral("frmSplash"));
    EXPECT_TRUE(run.showed(QStringLiteral("frmSplash")));
    EXPECT_TRUE(run.messages().isEmpty()) << run.log.join(u'\n').toStdString();
    // Every template of the program folder became an archive there, the user archive included.
    for (const char* name : {"user", "data", "locdata"})
        EXPECT_TRUE(QFile::exists(client.file(QString::fromLatin1(name) + ".mdb"))) << name;
}
