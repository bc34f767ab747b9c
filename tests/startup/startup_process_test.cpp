// The start-up from the pointer file to the sign-in, in real processes.
#include "scriptedrun.h"
#include "support/programfolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString NoDataSource = QStringLiteral(
    "MESSAGE|information|ok|Brevano V|Non è possibile iniziare a lavorare senza aver impostato una fonte di dati.");

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(StartupProcess, WithoutAPointerFileTheConfigurationComesBeforeAnyArchive)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    for (const char* name : {"user", "data", "locdata"})
        ASSERT_TRUE(QFile::rename(folder.file(QString::fromLatin1(name) + ".mdb"),
                                  folder.file(QString::fromLatin1(name) + "2.mdb")));

    const ScriptedRun cancelled = runScripted(folder.path(), {QStringLiteral("key=RicercaServer|Escape")});
    EXPECT_TRUE(cancelled.exited);
    EXPECT_EQ(cancelled.log, (QStringList{QStringLiteral("WINDOW|RicercaServer"), NoDataSource,
                                          QStringLiteral("PROGRAM ENDED")}));
    EXPECT_FALSE(QFile::exists(folder.file("brevanov.dat")));
    EXPECT_TRUE(QFile::exists(folder.file("user2.mdb")));  // no archive touched
    EXPECT_FALSE(QFile::exists(folder.file("user.mdb")));

    // Confirming the server role writes the pointer file and the start goes on.
    const ScriptedRun confirmed =
        runScripted(folder.path(), {QStringLiteral("click=RicercaServer|BOK")}, QStringLiteral("frmSplash"));
    EXPECT_EQ(confirmed.log, (QStringList{QStringLiteral("WINDOW|RicercaServer"), QStringLiteral("WINDOW|frmSplash")}));
    EXPECT_EQ(contentOf(folder.file("brevanov.dat")), folder.dataFolder().toLocal8Bit() + "\r\n0\r\n");
    EXPECT_TRUE(QFile::exists(folder.file("user.mdb")));
}

TEST(StartupProcess, TheSplashGivesWayToTheSignInOnEnterOrByItselfAndEscEndsTheProgram)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    folder.writePointerFile(folder.dataFolder(), 0);

    // The test programs run under LANG=C.UTF-8: the start-up itself makes the program Italian.
    ASSERT_EQ(qgetenv("LANG"), "C.UTF-8");
    const ScriptedRun entered = runScripted(
        folder.path(), {QStringLiteral("key=frmSplash|Return"), QStringLiteral("conventions=Accesso")},
        QStringLiteral("Accesso"));
    EXPECT_EQ(entered.log, (QStringList{QStringLiteral("WINDOW|frmSplash"), QStringLiteral("WINDOW|Accesso"),
                                        QStringLiteral("CONVENTIONS|1.936,27|06/12/26|Ann&ulla")}));

    // Nobody touches the splash: its timer goes on after five seconds.
    const ScriptedRun waited = runScripted(folder.path(), {}, QStringLiteral("Accesso"));
    EXPECT_EQ(waited.log, (QStringList{QStringLiteral("WINDOW|frmSplash"), QStringLiteral("WINDOW|Accesso")}));

    // Esc ends the program without the sign-in.
    const ScriptedRun escaped = runScripted(folder.path(), {QStringLiteral("key=frmSplash|Escape")});
    EXPECT_TRUE(escaped.exited);
    EXPECT_EQ(escaped.exitCode, 0);
    EXPECT_EQ(escaped.log, QStringList{QStringLiteral("WINDOW|frmSplash")});
}

TEST(StartupProcess, AMissingSplashPictureIsReportedAndTheStartGoesOn)
{
    ProgramFolder folder(ProgramFolder::WholeProgram);
    folder.writePointerFile(folder.dataFolder(), 0);
    ASSERT_TRUE(QFile::remove(folder.file("Splash.bmp")));

    const ScriptedRun run = runScripted(folder.path(), {}, QStringLiteral("frmSplash"));
    EXPECT_EQ(run.log, (QStringList{
                           QStringLiteral("MESSAGE|critical|ok|Brevano V|Impossibile trovare l'immagine di avvio"),
                           QStringLiteral("WINDOW|frmSplash")}));
}

// Without the base component the program cannot start (without module components it starts
// with their menus hidden: absentmodules_test).
TEST(StartupProcess, WithoutTheBaseComponentTheProgramStops)
{
    ProgramFolder withoutBase(ProgramFolder::WholeProgram);
    withoutBase.writePointerFile(withoutBase.dataFolder(), 0);
    ASSERT_TRUE(QFile::remove(withoutBase.file("base.baseclass.so")));
    const ScriptedRun stopped = runScripted(withoutBase.path());
    EXPECT_TRUE(stopped.exited);
    EXPECT_EQ(stopped.log, (QStringList{QStringLiteral("MESSAGE|critical|ok|Brevano V|Errore Caricamento Modulo Base!"),
                                        QStringLiteral("PROGRAM ENDED")}));

}
