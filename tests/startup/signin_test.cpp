// The sign-in dialog of a started program against table Password of the user archive.
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/session.h"
#include "support/snapshot.h"
#include "support/widgets.h"

#include "mainwindow/principale.h"
#include "startup/accesso.h"
#include "startup/splash.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QProcess>
#include <QTableView>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class SignIn : public ::testing::Test
{
protected:
    // The globals and the components as the start-up leaves them before the sign-in.
    void SetUp() override { start(folder.path()); }
    void start(const QString& path)
    {
        session = std::make_unique<Session>(path, QString(), platform.workstation, false);
        session->base->FiscalYear.clear();
        appGlobals() = session->globals;
        appGlobals().makeMainWindow = [](AppGlobals& globals) { return new Principale(globals); };
        dialog = new Accesso(appGlobals());
        dialog->show();
        ui::settle();
    }
    void TearDown() override
    {
        // The main window is dropped without its closing logic (which would ask and end).
        delete session->base->MainWindow();
        delete dialog.data();
        appGlobals() = AppGlobals();
    }
    void signIn(const QString& code, const QString& password)
    {
        ui::type(dialog, "Nome", code);
        ui::type(dialog, "Password", password);
        ui::click(dialog, "BTNOK");
        ui::settle();
    }
    QString password(const QString& code)
    {
        return folder.rows("user.mdb", "SELECT [Password] FROM Password WHERE Codice = '" + code + "'").value(0);
    }
    BaseClass& base() { return *session->base; }

    ScriptedPlatform platform;
    ProgramFolder folder{ProgramFolder::WholeProgram};
    std::unique_ptr<Session> session;
    QPointer<Accesso> dialog;
};

} // namespace

// A refused sign-in says why without title or icon, selects the field to correct, and lets the user try again; Enter
// moves from the code to the password and confirms from there. A code in any case signs in, as typed, and brings up the
// main window. Passwords are kept as digests; a row in clear signs in only in an archive not yet upgraded to digests,
// and is kept as a digest from then on.
TEST_F(SignIn, RefusalsSelectTheFieldToCorrectThenACodeInAnyCaseSignsIn)
{
    EXPECT_EQ(ui::problems(dialog, dialog), QStringList());
    EXPECT_EQ(snapshot::compare("Accesso", snapshot::describe(dialog, folder.path())), QString());
    EXPECT_TRUE(password("admin").startsWith("pbkdf2-sha256$")) << password("admin").toStdString();
    folder.exec("user.mdb", "ALTER TABLE Password RENAME TO Parole");  // an archive that fails is said, the dialog kept
    signIn("admin", "admin");
    EXPECT_TRUE(platform.lastText().startsWith("Operazione non riuscita sull'archivio")) << platform.lastText().toStdString();
    folder.exec("user.mdb", "ALTER TABLE Parole RENAME TO Password");
    folder.exec("user.mdb", "INSERT INTO Password (Codice, Password, esercizio, Tipo) VALUES ('ab\"c', 'p1', '2001', 'U')");
    folder.exec("user.mdb", "INSERT INTO Password (Codice, Password, esercizio, Tipo) VALUES ('ab', 'p2', '2002', 'a')");
    const struct { const char *code, *password, *message, *field; } refusals[] = {
        {"luigi", "admin", "Utente Errato", "Nome"}, {"admin", "Admin", "Password Errata", "Password"},
        {"x\" Or \"1\"=\"1", "p2", "Utente Errato", "Nome"}, {"ab\"c", "p2", "Password Errata", "Password"},
        {"ab", "p2", "Password Errata", "Password"}};
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.code);
        platform.clear();
        signIn(r.code, r.password);
        EXPECT_EQ(ScriptedPlatform::describe(platform.messages.value(0)), QString("MESSAGE|none|ok|<none>|") + r.message);
        EXPECT_EQ(QApplication::focusWidget(), ui::find<QLineEdit>(dialog, r.field));
        EXPECT_EQ(ui::find<QLineEdit>(dialog, r.field)->selectedText(), ui::text(dialog, r.field));
        EXPECT_EQ(base().MainWindow(), nullptr);
    }
    // The users' archive replaced while the sign-in waits (a copy put back) is read again once the
    // sign-in is active again: a user only the copy holds is known.
    const QString copy = folder.file("user-copia.mdb");
    ASSERT_TRUE(QFile::copy(folder.file("user.mdb"), copy));
    folder.exec("user-copia.mdb", "INSERT INTO Password (Codice, Password, esercizio, Tipo) VALUES ('nuovo', 'x', '2003', 'U')");
    ASSERT_EQ(std::rename(qPrintable(copy), qPrintable(folder.file("user.mdb"))), 0);
    QWidget other;
    other.show();
    other.activateWindow();
    dialog->activateWindow();
    ui::settle();
    platform.clear();
    signIn("nuovo", "y");
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages.value(0)), "MESSAGE|none|ok|<none>|Password Errata");

    // A password written in clear past the program signs in only before the archive's upgrade to digests.
    folder.exec("user.mdb", "PRAGMA user_version = 1");
    platform.clear();
    ui::type(dialog, "Nome", "AB");
    ui::find<QLineEdit>(dialog, "Nome")->setFocus();
    ui::key(dialog, "Nome", Qt::Key_Return, "\r");
    EXPECT_EQ(QApplication::focusWidget(), ui::find<QLineEdit>(dialog, "Password"));
    ui::find<QLineEdit>(dialog, "Password")->clear();
    ui::find<QLineEdit>(dialog, "Password")->insert(QString("p") + QChar(1) + "2");  // pasted: the control character dropped
    ui::key(dialog, "Password", Qt::Key_Return, "\r");
    ui::settle();
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    EXPECT_EQ(base().UserName + "|" + base().FiscalYear + "|" + QString::number(base().IsAdministrator), "AB|2002|0")
        << "the code as typed; only a capital A makes an administrator";
    EXPECT_TRUE(password("ab").startsWith("pbkdf2-sha256$"));
    EXPECT_TRUE(base().MainWindow() && base().MainWindow()->isVisible());
    EXPECT_TRUE(dialog.isNull()) << "unloaded";

    // The splash shows its picture, focused for the keys; a click on it or Enter goes on at once.
    for (const bool click : {true, false}) {
        QPointer<frmSplash> splash = new frmSplash(appGlobals());
        splash->show();
        splash->activateWindow();
        EXPECT_EQ(snapshot::compare("frmSplash", snapshot::describe(splash, folder.path())), QString());
        click ? QTest::mouseClick(ui::find<QWidget>(splash, "Picture1"), Qt::LeftButton) : QTest::keyClick(splash, Qt::Key_Return);
        ui::settle();
        EXPECT_TRUE(splash.isNull()) << click;
        const QScopedPointer next(qobject_cast<Accesso*>(QApplication::activeWindow()));  // the sign-in follows
        EXPECT_TRUE(next && next->isVisible());
    }
}

// A data folder nobody may write: users still sign in and read, and a save says the folder is read-only and keeps what
// was typed. Root may write anywhere, so as root the test runs again as an ordinary user on this same folder.
TEST_F(SignIn, AReadOnlyDataFolderStillLetsUsersSignInAndRead)
{
    const QString given = qEnvironmentVariable("BREVANO_READ_ONLY_FOLDER");
    if (given.isEmpty()) {
        for (const QFileInfo& f : QDir(folder.path()).entryInfoList(QDir::Files))
            QFile(f.filePath()).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        QFile(folder.path()).setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                            | QFile::ReadOther | QFile::ExeOther);
        if (geteuid() == 0) {
            QProcess reader;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("BREVANO_READ_ONLY_FOLDER", folder.path());
            reader.setProcessEnvironment(env);
            reader.start("runuser", {"-u", "nobody", "--", QCoreApplication::applicationFilePath(),
                                     "--gtest_filter=SignIn.AReadOnlyDataFolderStillLetsUsersSignInAndRead"});
            ASSERT_TRUE(reader.waitForFinished(60000));
            const QByteArray out = reader.readAllStandardOutput() + reader.readAllStandardError();
            EXPECT_EQ(reader.exitCode(), 0) << out.toStdString();
            EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
            QFile(folder.path()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return;
        }
    } else {
        TearDown();
        start(given);
    }
    signIn("admin", "admin");
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    EXPECT_TRUE(base().IsAdministrator);
    auto* window = qobject_cast<Principale*>(base().MainWindow());
    ASSERT_TRUE(window);
    ui::click(window, "BZone");
    ui::settle();
    QWidget* zones = window->findChild<QWidget*>("TableForm");
    ASSERT_TRUE(zones);
    EXPECT_GT(ui::find<QTableView>(zones, "TDBGTabella")->model()->rowCount(), 0);
    ui::click(zones, "BNuovo");
    QWidget* panel = ui::find<QWidget>(zones, "PanDati_0");
    ui::type(panel, "Codice", "9");
    ui::type(panel, "Desc", "Estero");
    ui::click(zones, "BSalva");
    EXPECT_TRUE(ui::text(zones, "ErrorBar_1").startsWith("La cartella dei dati è di sola lettura"))
        << ui::text(zones, "ErrorBar_1").toStdString();
    EXPECT_EQ(ui::text(panel, "Desc"), "Estero");
    platform.filesToChoose.enqueue(folder.path() + "/Sfondo.jpg");
    ui::click(window, "BSfondo");
    EXPECT_TRUE(platform.lastText().startsWith("La cartella dei dati è di sola lettura")) << platform.lastText().toStdString();
}

TEST_F(SignIn, EsciEndsTheProgramAndClosingUnloadsWithoutSigningIn)
{
    EXPECT_EXIT(ui::click(dialog, "BTNEsci"), ::testing::ExitedWithCode(0), "^PROGRAM ENDED\n$");
    QTest::keyClick(dialog, Qt::Key_Escape);  // closes the dialog as its close box does
    ui::settle();
    EXPECT_TRUE(dialog.isNull() && !base().MainWindow() && base().UserName.isEmpty());
}
