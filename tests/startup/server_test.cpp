// Archives on a PostgreSQL server: the configuration that points a workstation at it, the
// start-up that opens them there, a connection lost while working. Run on the server engine.
#include "mainwindow/mainwindowfixture.h"
#include "scriptedrun.h"
#include "common/serverarchive.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QSqlQuery>

namespace {

const QString Search = "MESSAGE|exclamation|ok|Brevano V - Ricerca Server|";

class OnServer : public MainWindowTest
{
protected:
    void SetUp() override
    {
        if (!ProgramFolder::onServer()) GTEST_SKIP() << "archives on a PostgreSQL server only";
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        MainWindowTest::SetUp();
    }
    ServerArchive::Settings server() const { return ServerArchive::readService(program.service()); }
    // Fills the PostgreSQL part of the configuration opened from the menu and lets the action end it.
    void configure(const ServerArchive::Settings& s, const std::function<void(QWidget*)>& action)
    {
        if (!window) openWindow();
        ui::onNextModal([&](QWidget* dialog) {
            ui::click(dialog, "Option1_2");
            EXPECT_FALSE(ui::find<QLineEdit>(dialog, "TPath")->isEnabled()) << "no folder of the share is in use";
            ui::find<QLineEdit>(dialog, "THost")->setText(s.host);
            ui::find<QLineEdit>(dialog, "TDatabase")->setText(s.database);
            ui::find<QLineEdit>(dialog, "TUtente")->setText(s.user);
            ui::find<QLineEdit>(dialog, "TPassword")->setText(s.password);
            action(dialog);
        });
        click("BCS");
    }
    // Tests the connection with these settings, then cancels the configuration.
    void tryConnection(const ServerArchive::Settings& s)
    {
        configure(s, [this](QWidget* d) { ui::click(d, "BProva"); EXPECT_FALSE(platform.busy) << "the pointer left busy"; ui::click(d, "BAnnulla"); });
    }
};

TEST_F(OnServer, TheConnectionTestSaysWhatIsWrong)
{
    const ServerArchive::Settings good = server();
    ProgramFolder older;
    older.exec("user.mdb", "UPDATE msysversion SET version = 99");
    const struct { QString host, database, user, password, said; } cases[] = {
        {good.host, good.database, "brevano", "", "MESSAGE|information|ok|Brevano V - Ricerca Server|Connessione riuscita: "
                                                  "il database contiene gli archivi del programma."},
        {"/nessuna/cartella", good.database, "brevano", "", Search + "Impossibile raggiungere il server PostgreSQL "
                                                            "'/nessuna/cartella' sulla porta 5432.\\rControllare il nome del server, la porta e la rete."},
        {good.host, "nessuno", "brevano", "", Search + "Il database 'nessuno' non esiste sul server '" + good.host + "'."},
        {good.host, good.database, "cassa", "sbagliata", Search + "Password errata: il server non accetta l'utente 'cassa' con la password indicata."},
        {good.host, good.database, "sconosciuto", "", Search + "Il server non conosce l'utente 'sconosciuto'."},
        {good.host, "postgres", "brevano", "", Search + "Il database 'postgres' non contiene gli archivi del programma.\\r"
                                                        "Trasferirli con il programma trasferisci."},
        {good.host, older.service(), "brevano", "", Search + "Gli archivi del database '" + older.service()
                                                    + "' sono di un'altra versione del programma (versione 99, richiesta 3)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.database + " " + c.user).toStdString());
        platform.clear();
        tryConnection({QString(), c.host, 5432, c.database, c.user, c.password});
        EXPECT_EQ(messages(), QStringList{c.said});
    }
    EXPECT_TRUE(QFile(program.file("brevanov.dat")).open(QIODevice::ReadOnly)) << "cancelled: the pointer file stays";
}

// Opened again, the configuration shows the server in use as its service knows it, ready to confirm.
TEST_F(OnServer, TheConfigurationReopensOnTheServerInUse)
{
    const ServerArchive::Settings s = server();
    globals.dataFolder = ServerArchive::Marker + program.service() + u'/';  // as the pointer file names it
    openWindow();
    QString shown;
    ui::onNextModal([&](QWidget* dialog) {
        shown = QStringList{ui::text(dialog, "THost"), ui::text(dialog, "TPorta"), ui::text(dialog, "TDatabase"),
                            ui::text(dialog, "TUtente")}.join(u'|');
        EXPECT_TRUE(ui::find<QRadioButton>(dialog, "Option1_2")->isChecked() && ui::enabled(dialog, "BOK"));
        ui::click(dialog, "BAnnulla");
    });
    click("BCS");
    EXPECT_EQ(shown, QStringList({s.host, QString::number(s.port), s.database, s.user}).join(u'|'));
}

TEST_F(OnServer, ConfirmingAServerWritesItsServiceAndThePasswordApartThenEnds)
{
    ServerArchive::Settings s = server();
    s.password = "segreta:1\\";
    const QString pointer = program.file("brevanov.dat");
    platform.onMessage = [&](const ScriptedPlatform::Message&) {
        const QByteArray written = contentOf(pointer), service = contentOf(ServerArchive::serviceFilePath()),
                         password = contentOf(ServerArchive::passwordFilePath());
        const bool right = written == ("PGSERVICE:" + s.database + "/\r\n1\r\n").toUtf8()
                           && service.contains(("[" + s.database + "]\nhost=" + s.host + "\nport=5432\ndbname=" + s.database
                                                + "\nuser=brevano\n").toUtf8())
                           && !service.contains("segreta") && password.contains((s.host + ":5432:" + s.database + ":brevano:segreta\\:1\\\\").toUtf8())
                           && !written.contains("segreta");
        std::fprintf(stderr, "%s\n", right ? "SERVICE WRITTEN" : "WRONG");
    };
    EXPECT_EXIT(configure(s, [](QWidget* dialog) { ui::click(dialog, "BOK"); }), ::testing::ExitedWithCode(0),
                "SERVICE WRITTEN\n.*Rilanciare il Programma per rendere Effettive le Impostazioni\nPROGRAM ENDED");
}

// A password file the workstation cannot write is said, and the configuration stays open.
TEST_F(OnServer, APasswordFileThatCannotBeWrittenIsSaid)
{
    ServerArchive::Settings s = server();
    s.password = "segreta";
    const QByteArray passwords = qgetenv("PGPASSFILE");
    ASSERT_TRUE(QDir().mkpath(program.file("pgpass")));  // a folder where the file should be
    qputenv("PGPASSFILE", program.file("pgpass").toUtf8());
    configure(s, [](QWidget* dialog) { ui::click(dialog, "BOK"); ui::click(dialog, "BAnnulla"); });
    passwords.isNull() ? qunsetenv("PGPASSFILE") : qputenv("PGPASSFILE", passwords);
    EXPECT_TRUE(platform.lastText().startsWith("Impossibile scrivere il file " + program.file("pgpass"))) << platform.lastText().toStdString();
}

// The pointer file names the service: the archives open on the server, and a server that does
// not answer stops the start as a share out of reach does.
TEST(ServerStartup, AServiceOpensTheArchivesThereAndAnUnreachableServerEndsTheStart)
{
    if (!ProgramFolder::onServer()) GTEST_SKIP() << "archives on a PostgreSQL server only";
    ProgramFolder folder(ProgramFolder::WholeProgram);
    const ScriptedRun reached = runScripted(folder.path(), {}, "Accesso");
    EXPECT_EQ(reached.log, (QStringList{"WINDOW|frmSplash", "WINDOW|Accesso"}));

    ServerArchive::Settings away = ServerArchive::readService(folder.service());
    away.host = folder.file("spento");
    ServerArchive::writeService(away);
    const ScriptedRun unreachable = runScripted(folder.path(), {}, "Accesso");
    EXPECT_TRUE(unreachable.exited);
    EXPECT_EQ(unreachable.log, (QStringList{NotFoundClient, "PROGRAM ENDED"}));
}

// The workstations' role works and takes locks; the server refuses it any change of the users or
// of their kinds, whatever SQL it sends.
TEST_F(OnServer, TheWorkstationsRoleWorksButTheServerRefusesItAChangeOfTheUsers)
{
    ServerArchive::Settings s = server();
    s.service = program.service() + "_postazione";
    s.user = "postazione";
    ServerArchive::writeService(s);
    const Database users = Database::open(ServerArchive::locator(s.service, "user.mdb"), ProgramFolder::connectString());
    const Database data = Database::open(ServerArchive::locator(s.service, "data.mdb"), ProgramFolder::connectString());
    users.execute(JetQuery("INSERT INTO Accessi ([User], Postazione, Tabella, Chiave1) VALUES ('mario', 'PC2', 'ModPag', 'Codice=RD')"));
    EXPECT_EQ(data.execute(JetQuery("UPDATE ModPag SET [Desc] = 'Rimessa' WHERE Codice = 'RD'")), 1);
    const auto refusedKind = [&](const JetQuery& change) {
        try {
            users.execute(change);
        } catch (const DatabaseError& e) {
            return int(e.kind());
        }
        return -1;
    };
    EXPECT_EQ(refusedKind(JetQuery("UPDATE Password SET [Password] = 'x' WHERE Codice = 'admin'")), int(DatabaseError::Kind::ReadOnly));
    EXPECT_EQ(refusedKind(JetQuery("UPDATE Password SET Tipo = 'A' WHERE Codice = 'mario'")), int(DatabaseError::Kind::ReadOnly));
    EXPECT_EQ(refusedKind(JetQuery("INSERT INTO Password (Codice, Tipo) VALUES ('nuovo', 'A')")), int(DatabaseError::Kind::ReadOnly));
    EXPECT_EQ(refusedKind(JetQuery("DELETE FROM Password")), int(DatabaseError::Kind::ReadOnly));
    EXPECT_EQ(program.rows("user.mdb", "SELECT Tipo FROM Password ORDER BY Codice"), (QStringList{"A", "U"}));
}

// A server given as a socket folder gets the password line libpq reads for it: a user who must
// give a password connects with it; a wrong one stops the start-up saying so, not blaming the network.
TEST(ServerStartup, ThePasswordLineWrittenIsTheOneLibpqReadsAndAWrongOneIsSaid)
{
    if (!ProgramFolder::onServer()) GTEST_SKIP() << "archives on a PostgreSQL server only";
    ProgramFolder folder(ProgramFolder::WholeProgram);
    const ServerArchive::Settings s = ServerArchive::readService(folder.service());
    ServerArchive::writeService({s.service, s.host, s.port, s.database, "cassa", "giusta"});
    EXPECT_NO_THROW(Database::open(ServerArchive::locator(folder.service(), QString()), QString()));
    ServerArchive::writeService({s.service, s.host, s.port, s.database, "cassa", "sbagliata"});
    const QString refused = runScripted(folder.path(), {}, "Accesso").log.value(0);
    EXPECT_TRUE(refused.contains("|Password errata: il server PostgreSQL (servizio " + folder.service() + ")")) << refused.toStdString();
}

// The transfer program copies a data folder into an empty database once (every server test works
// on a copy it made): its own check finds every row alike, and a second copy is refused.
TEST_F(OnServer, TheTransferCopiesAFolderOnceAndRefusesASecondCopy)
{
    const Database cluster = Database::open(ServerArchive::locator("brevano_admin", QString()), QString());
    const QString empty = program.service() + "_vuoto";
    cluster.run("CREATE DATABASE " + empty);
    ServerArchive::Settings target = server();
    target.service = target.database = empty;
    ServerArchive::writeService(target);
    ProgramFolder files(ProgramFolder::TemplatesOnly);
    for (const char* name : {"user", "data"})
        ASSERT_TRUE(QFile::rename(files.file(QString::fromLatin1(name) + "2.mdb"), files.file(QString::fromLatin1(name) + ".mdb")));
    const auto transfer = [&] {
        QProcess tool;
        tool.start(ProgramFolder::builtProgramDir() + "/trasferisci", {files.path(), empty});
        tool.waitForFinished(120000);
        return std::make_pair(tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()));
    };
    // Two codes the file's index told apart but the server would refuse as one: every such pair is
    // listed, and nothing is written until they are renamed. Keys with a Null part repeat nothing.
    const Database file = Database::open(files.file("data.mdb"), ProgramFolder::connectString());
    file.run("INSERT INTO ModPag (Codice, \"Desc\") VALUES ('Ó1', 'a'), ('ó1', 'b'), ('Ñ2', 'c'), ('ñ2', 'd')");
    file.run("INSERT INTO CAP (CAP, Descrizione) VALUES ('00100', 'ROMA'), ('00100', 'ROMA')");
    file.run("INSERT INTO CAP (CAP, Descrizione) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
             "SELECT printf('%05d', i), 'PAESE' FROM n");  // more rows than one statement carries
    const auto [refused, listed] = transfer();
    EXPECT_EQ(refused, 1);
    EXPECT_TRUE(listed.contains("tabella ModPag (Codice): 'Ó1' e 'ó1' sono lo stesso codice")) << listed.toStdString();
    EXPECT_TRUE(listed.contains("'Ñ2' e 'ñ2'") && listed.contains("nulla è stato scritto: 2 codici")) << listed.toStdString();
    {
        const Database target = Database::open(ServerArchive::locator(empty, QString()), QString());
        QSqlQuery schemas = target.prepare("SELECT count(*) FROM pg_namespace WHERE nspname LIKE 'brevano%'");
        target.run(schemas);
        EXPECT_TRUE(schemas.next() && schemas.value(0).toInt() == 0) << "nothing written";
    }
    file.run("UPDATE ModPag SET Codice = Codice || 'b' WHERE \"Desc\" IN ('b', 'd')");
    // A copy restored from a text backup (.dump) has lost its version: the transfer refuses it
    // before writing, the maintenance program mends it, then the move and the configuration work.
    ASSERT_EQ(QProcess::execute("sh", {"-c", "cd '" + files.path() + "' && sqlite3 data.mdb .dump > data.sql && rm data.mdb "
                                             "&& sqlite3 data.mdb < data.sql"}), 0);
    const auto [outdated, why] = transfer();
    EXPECT_TRUE(outdated == 1 && why.contains("L'archivio data.mdb dichiara la versione 0, questo programma richiede la versione 3")) << why.toStdString();
    EXPECT_EQ(QProcess::execute(ProgramFolder::builtProgramDir() + "/manutenzione", {files.path()}), 0);

    const auto [copied, report] = transfer();
    EXPECT_EQ(copied, 0) << report.toStdString();
    EXPECT_FALSE(report.contains("NON CORRISPONDENTE"));
    tryConnection({QString(), target.host, 5432, empty, "brevano", ""});
    EXPECT_EQ(messages(), QStringList{"MESSAGE|information|ok|Brevano V - Ricerca Server|Connessione riuscita: il database "
                                      "contiene gli archivi del programma."});
    const auto [again, refusal] = transfer();
    EXPECT_EQ(again, 1);
    EXPECT_TRUE(refusal.contains("contiene già degli archivi: trasferimento rifiutato, nulla è stato scritto")) << refusal.toStdString();
    cluster.run("DROP DATABASE " + empty + " WITH (FORCE)");
}

// The server drops every connection while a term is edited and lets no one in: the save says so
// and keeps the typed text on screen; once the server is back the next save stores it.
TEST_F(OnServer, ALostConnectionKeepsWhatWasTypedAndTheNextSaveStoresIt)
{
    QWidget* s = open("BModPag", "ModPaga");
    ui::click(s, "BModifica");
    ui::find<QLineEdit>(s, "tDesc")->setText("Rimessa diretta 30 gg");
    const Database cluster = Database::open(ServerArchive::locator("brevano_admin", QString()), QString());
    cluster.run("ALTER DATABASE " + program.service() + " ALLOW_CONNECTIONS false");
    cluster.run("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '" + program.service() + "'");
    ui::click(s, "BSalva");
    cluster.run("ALTER DATABASE " + program.service() + " ALLOW_CONNECTIONS true");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Impossibile raggiungere l'archivio 'data.mdb' sul server ("))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(ui::text(s, "tDesc"), "Rimessa diretta 30 gg");
    platform.clear();
    ui::click(s, "BSalva");
    EXPECT_TRUE(platform.messages.isEmpty()) << messages().join("\n").toStdString();
    EXPECT_EQ(program.rows("data.mdb", "SELECT count(*) FROM ModPag WHERE [Desc] = 'Rimessa diretta 30 gg'"), QStringList{"1"});
}

} // namespace
