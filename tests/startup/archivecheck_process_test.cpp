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

// Each way the check stops the start, with the wording of the workstation's role: the server
// speaks of a reinstallation or of a check at the next start, a client of its network.
TEST(ArchiveCheck, EachMissingOrUnusableArchiveStopsTheStartWithItsMessage)
{
    using F = const ProgramFolder&;
    const struct
    {
        const char* what;
        int role;                // the program folder's pointer file names its own folder (0) or the server's (1)
        void (*damage)(F program, F server);
        const char* settingsSql;  // run on the user archive the program reads
        QString message;
    } cases[] = {
        {"local archive and its template missing", 0, [](F p, F) { QFile::remove(p.localDb()); }, nullptr, NoArchives},
        // A client needs the company archive (or its template) in its own program folder too,
        // although it works on the server's.
        {"a client's own company archive missing", 1, [](F p, F) { QFile::remove(p.dataDb()); }, nullptr, NoArchives},
        {"server on a folder that does not exist", 0, [](F p, F) { p.writePointerFile(p.file("nowhere/"), 0); }, nullptr,
         NotFoundServer},
        {"client on a folder that does not exist", 1, [](F p, F) { p.writePointerFile(p.file("nowhere/"), 1); }, nullptr,
         NotFoundClient},
        {"no role line: the workstation counts as the server", 1,
         [](F p, F) {
             QFile pointer(p.file("brevanov.dat"));
             ASSERT_TRUE(pointer.open(QIODevice::WriteOnly | QIODevice::Truncate));
             pointer.write(p.file("nowhere/").toLocal8Bit() + "\r\n");
         },
         nullptr, NotFoundServer},
        {"folder line without its final separator", 0, [](F p, F) { p.writePointerFile(p.path(), 0); }, nullptr,
         NotFoundServer},
        {"the server's company archive missing", 1, [](F, F d) { QFile::remove(d.dataDb()); }, nullptr, NotFoundClient},
        {"user archive is not an archive", 0, [](F p, F) { replaceWithGarbage(p.userDb()); }, nullptr, OpenErrorServer},
        {"company archive is not an archive", 0, [](F p, F) { replaceWithGarbage(p.dataDb()); }, nullptr, OpenErrorServer},
        {"local archive is not an archive", 0, [](F p, F) { replaceWithGarbage(p.localDb()); }, nullptr, OpenErrorServer},
        {"company archive with another password", 0,
         [](F p, F) {
             QFile::remove(p.dataDb());
             Database::create(p.dataDb(), QStringLiteral(";PWD=abc"));
         },
         nullptr, OpenErrorServer},
        {"no company row", 0, nullptr, "DELETE FROM Azienda", OpenErrorServer},
        {"no company table", 0, nullptr, "DROP TABLE Azienda", OpenErrorServer},
        {"Null base currency", 0, nullptr, "UPDATE Azienda SET ValutaBase = NULL", OpenErrorServer},
        {"Null base decimals", 0, nullptr, "UPDATE Azienda SET DecimaliBase = NULL", OpenErrorServer},
        {"Null euro rate", 0, nullptr, "UPDATE Azienda SET CambioEuro = NULL", OpenErrorServer},
        {"Null euro decimals", 0, nullptr, "UPDATE Azienda SET DecimaliEuro = NULL", OpenErrorServer},
        {"euro decimals beyond 16 bits", 0, nullptr, "UPDATE Azienda SET DecimaliEuro = 40000", OpenErrorServer},
        {"a client of a server without its euro rate", 1, nullptr, "UPDATE Azienda SET CambioEuro = NULL", OpenErrorClient},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder program(ProgramFolder::WholeProgram), server(ProgramFolder::ArchivesOnly);
        const ProgramFolder& data = c.role == 0 ? program : server;
        program.writePointerFile(data.dataFolder(), c.role);
        if (c.damage)
            c.damage(program, server);
        if (c.settingsSql)
            Database::open(data.userDb(), ProgramFolder::connectString()).run(QString::fromLatin1(c.settingsSql));
        EXPECT_EQ(runScripted(program.path()).log, stoppedWith(c.message));
    }
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
