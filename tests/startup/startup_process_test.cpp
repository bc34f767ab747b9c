// The start-up from the pointer file to the sign-in, the archive check on the way and the
// maintenance program it sends the user to, each in real processes.
#include "scriptedrun.h"
#include "support/programfolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char* const Archives[] = {"user", "data", "locdata"};

const QString NoDataSource = QStringLiteral(
    "MESSAGE|information|ok|Brevano V|Non è possibile iniziare a lavorare senza aver impostato una fonte di dati.");
const QString NotFoundServer = QStringLiteral(
    "MESSAGE|critical|ok|Brevano V|Impossibile trovare fonte di dati: potrebbe essere necessario reinstallare il "
    "programma.");
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
const QString NoBase = QStringLiteral("MESSAGE|critical|ok|Brevano V|Errore Caricamento Modulo Base!");

// An archive ("data") of the folder, or its template ("data", "2").
QString archiveFile(const ProgramFolder& folder, const char* name, const char* suffix = "")
{
    return folder.file(QString::fromLatin1(name) + QString::fromLatin1(suffix) + ".mdb");
}

void replaceWithGarbage(const QString& archive)
{
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray(4096, 'x'));
}

} // namespace

TEST(StartupProcess, WithoutAPointerFileTheConfigurationComesBeforeAnyArchive)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    for (const char* name : Archives)  // the archives still the installer's templates
        ASSERT_TRUE(QFile::rename(archiveFile(folder, name), archiveFile(folder, name, "2")));

    const ScriptedRun cancelled = runScripted(folder.path(), {QStringLiteral("key=RicercaServer|Escape")});
    EXPECT_TRUE(cancelled.exited);
    EXPECT_EQ(cancelled.log, (QStringList{QStringLiteral("WINDOW|RicercaServer"), NoDataSource, QStringLiteral("PROGRAM ENDED")}));
    EXPECT_FALSE(QFile::exists(folder.file("brevanov.dat")));
    EXPECT_TRUE(QFile::exists(folder.file("user2.mdb")));  // no archive touched
    EXPECT_FALSE(QFile::exists(folder.file("user.mdb")));

    // Confirming the server role writes the pointer file; on this first start the templates
    // become the archives and the start goes on.
    const ScriptedRun confirmed =
        runScripted(folder.path(), {QStringLiteral("click=RicercaServer|BOK")}, QStringLiteral("frmSplash"));
    EXPECT_EQ(confirmed.log, (QStringList{QStringLiteral("WINDOW|RicercaServer"), QStringLiteral("WINDOW|frmSplash")}));
    EXPECT_EQ(contentOf(folder.file("brevanov.dat")), folder.dataFolder().toLocal8Bit() + "\r\n0\r\n");
    for (const char* name : Archives) {
        EXPECT_TRUE(QFile::exists(archiveFile(folder, name))) << name;
        EXPECT_FALSE(QFile::exists(archiveFile(folder, name, "2"))) << name;
    }
}

// Left alone, the splash goes on by itself after five seconds: startup_smoke waits for that.
TEST(StartupProcess, TheSplashGivesWayToTheSignInOnEnterAndEscEndsTheProgram)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    folder.writePointerFile(folder.dataFolder(), 0);

    // The test programs run under LANG=C.UTF-8: the start-up itself makes the program Italian.
    ASSERT_EQ(qgetenv("LANG"), "C.UTF-8");
    const ScriptedRun entered =
        runScripted(folder.path(), {"key=frmSplash|Return", "conventions=Accesso"}, QStringLiteral("Accesso"));
    EXPECT_EQ(entered.log, (QStringList{QStringLiteral("WINDOW|frmSplash"), QStringLiteral("WINDOW|Accesso"),
                                        QStringLiteral("CONVENTIONS|1.936,27|06/12/26|Ann&ulla")}));

    // Esc ends the program without the sign-in.
    const ScriptedRun escaped = runScripted(folder.path(), {QStringLiteral("key=frmSplash|Escape")});
    EXPECT_EQ(escaped.exitCode, 0) << "ended by itself";
    EXPECT_EQ(escaped.log, QStringList{QStringLiteral("WINDOW|frmSplash")});
}

// Each way the start stops, with the wording of the workstation's role: the server speaks of a reinstallation or of a
// check at the next start, a client of its network. Without module components the program starts with their menus
// hidden (absentmodules_test), without the base component it stops.
TEST(ArchiveCheck, EachMissingOrUnusablePieceStopsTheStartWithItsMessage)
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
        {"no base component", 0, [](F p, F) { QFile::remove(p.file("base.baseclass.so")); }, nullptr, NoBase},
        // A client needs the company archive (or its template) in its own program folder too,
        // although it works on the server's.
        {"a client's own company archive missing", 1, [](F p, F) { QFile::remove(p.dataDb()); }, nullptr, NoArchives},
        {"server on a folder that does not exist", 0, [](F p, F) { p.writePointerFile(p.file("nowhere/"), 0); }, nullptr, NotFoundServer},
        {"the server's company archive missing", 1, [](F, F d) { QFile::remove(d.dataDb()); }, nullptr, NotFoundClient},
        {"company archive is not an archive", 0, [](F p, F) { replaceWithGarbage(p.dataDb()); }, nullptr, OpenErrorServer},
        {"no company row", 0, nullptr, "DELETE FROM Azienda", OpenErrorServer},
        {"Null euro rate", 0, nullptr, "UPDATE Azienda SET CambioEuro = NULL", OpenErrorServer},
        {"euro decimals beyond 16 bits", 0, nullptr, "UPDATE Azienda SET DecimaliEuro = 40000", OpenErrorServer},
        {"a client of a server without its euro rate", 1, nullptr, "UPDATE Azienda SET CambioEuro = NULL", OpenErrorClient},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramFolder program(ProgramFolder::WholeProgram), server(ProgramFolder::ArchivesOnly);
        const ProgramFolder& data = c.role == 0 ? program : server;
        program.writePointerFile(data.dataFolder(), c.role);
        if (c.damage) c.damage(program, server);
        if (c.settingsSql) data.exec("user.mdb", c.settingsSql);
        const ScriptedRun run = runScripted(program.path());
        EXPECT_TRUE(run.exited);
        EXPECT_EQ(run.log, (QStringList{c.message, "PROGRAM ENDED"}));
    }
}

namespace {

struct Maintained { int exitCode = -1; QStringList report; };

Maintained maintain(const ProgramFolder& folder, const QStringList& options = {})
{
    QProcess p;
    p.start(QDir(ProgramFolder::builtProgramDir()).filePath(QStringLiteral("manutenzione")), options + QStringList{folder.path()});
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)};
}

// The version of an archive of the folder, or of its copy.
QString version(const ProgramFolder& folder, const QString& archive)
{
    return folder.rows(archive, QStringLiteral("PRAGMA user_version")).value(0);
}

// Archives of the previous version, with the templates of this one beside them.
void previousVersionWithNewTemplates(const ProgramFolder& folder)
{
    const QDir old(QStringLiteral(BREVANO_FIXTURES_DIR "/archives-v0"));
    for (const char* name : Archives) {
        const QString archive = archiveFile(folder, name);
        QFile::remove(archive);
        ASSERT_TRUE(QFile::copy(old.filePath(QString::fromLatin1(name) + ".mdb"), archive));
        QFile(archive).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        ASSERT_TRUE(QFile::copy(QDir(ProgramFolder::builtProgramDir()).filePath(QString::fromLatin1(name) + "2.mdb"),
                                archiveFile(folder, name, "2")));
    }
    folder.writePointerFile(folder.dataFolder(), 0);
}

} // namespace

// An installation left new templates beside archives of the previous version: the start sends
// the user to the maintenance program, which upgrades them; current archives are left alone.
TEST(Maintenance, UpgradesArchivesOfThePreviousVersionAndLeavesCurrentOnesUntouched)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    previousVersionWithNewTemplates(folder);
    const QString customers = "SELECT id, Codice FROM Clienti ORDER BY id";
    const QStringList before = folder.rows("data.mdb", customers);
    ASSERT_EQ(version(folder, "data.mdb"), "0");
    EXPECT_EQ(runScripted(folder.path()).log, (QStringList{UpdatesWaiting, "PROGRAM ENDED"}));

    const Maintained first = maintain(folder);
    EXPECT_EQ(first.exitCode, 0) << first.report.join(u'\n').toStdString();
    EXPECT_EQ(first.report.filter(QStringLiteral("aggiornato dalla versione 0 alla versione 3.")).size(), 3);
    for (const char* name : Archives) {
        SCOPED_TRACE(name);
        EXPECT_EQ(version(folder, QString::fromLatin1(name) + ".mdb"), "3");
        EXPECT_FALSE(QFile::exists(archiveFile(folder, name, "2")));
        // The dated copy is the archive as it was.
        const QStringList copies = QDir(folder.path()).entryList({QString::fromLatin1(name) + "_copia_*.mdb"});
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(version(folder, copies[0]), "0");
    }
    // Every customer keeps its id; a deleted customer's id is not given out again.
    EXPECT_EQ(folder.rows("data.mdb", customers), before);
    folder.exec("data.mdb", "DELETE FROM Clienti WHERE id = 5");
    folder.exec("data.mdb", "INSERT INTO Clienti (Codice, CodiceDestinatario) VALUES ('C006', 'ABC1234')");
    EXPECT_EQ(folder.rows("data.mdb", "SELECT id FROM Clienti WHERE Codice = 'C006'"), QStringList{"6"});
    EXPECT_EQ(folder.rows("user.mdb", "SELECT COUNT(RegimeFiscale) FROM Azienda"), QStringList{"0"});
    EXPECT_EQ(folder.rows("user.mdb", "SELECT COUNT(*) FROM Password WHERE [Password] NOT LIKE 'pbkdf2-sha256$%'"),
              QStringList{"0"}) << "passwords in clear become digests";
    EXPECT_EQ(folder.rows("data.mdb", "SELECT COUNT(TipoFattura) + COUNT(FatturaPAData) + (SELECT COUNT(PUnitEuro) FROM MovMagRig) "
                                      "FROM FATNCTes WHERE NOT EXISTS (SELECT Prezzo FROM ListiniPrezzi)"), QStringList{"0"});
    EXPECT_EQ(folder.rows("data.mdb", "SELECT (SELECT COUNT(OraCons) FROM DDTTes) + (SELECT COUNT(OraCons) FROM FATVETes) + "
                                      "(SELECT COUNT(OraCons) FROM RESOTes)"), QStringList{"0"});

    // The program starts again; a second run changes nothing.
    EXPECT_EQ(runScripted(folder.path(), {}, QStringLiteral("frmSplash")).log, QStringList{"WINDOW|frmSplash"});
    QHash<QString, QByteArray> contents;
    for (const char* name : Archives) contents[name] = contentOf(archiveFile(folder, name));
    const Maintained second = maintain(folder);
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.report.filter(QStringLiteral("già aggiornato (versione 3).")).size(), 3);
    for (const char* name : Archives) EXPECT_TRUE(contentOf(archiveFile(folder, name)) == contents[name]) << name;
}

TEST(Maintenance, AnArchiveThatCannotBeUpgradedKeepsTheTemplatesWaiting)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    previousVersionWithNewTemplates(folder);
    replaceWithGarbage(folder.dataDb());

    const Maintained run = maintain(folder);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.report.filter(QStringLiteral("Archivio data.mdb: aggiornamento non riuscito")).size(), 1);
    for (const char* name : Archives) EXPECT_TRUE(QFile::exists(archiveFile(folder, name, "2"))) << name;
}

// A damaged archive is never called sound: the maintenance program names what is damaged and
// what to do, and rebuilds it only when asked, keeping the damaged file aside.
TEST(Maintenance, ADamagedArchiveIsReportedAndRebuiltOnlyWhenAsked)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    folder.damageTable("data.mdb", "ModPag");
    const Maintained found = maintain(folder);
    EXPECT_EQ(found.exitCode, 1);
    EXPECT_EQ(found.report.filter("Archivio data.mdb DANNEGGIATO: tabelle non più leggibili: ModPag.").size(), 1);
    EXPECT_EQ(found.report.filter("\"manutenzione --recupera\"").size(), 1);

    const Maintained rebuilt = maintain(folder, {"--recupera"});
    EXPECT_EQ(rebuilt.exitCode, 1) << "rebuilt rows still want a look";
    EXPECT_EQ(QDir(folder.path()).entryList({"data_danneggiato_*.mdb"}).size(), 1);
    EXPECT_EQ(folder.rows("data.mdb", "PRAGMA integrity_check"), QStringList{"ok"});
    EXPECT_EQ(maintain(folder).exitCode, 0);
}
