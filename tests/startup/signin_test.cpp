// The sign-in dialog against table Password of the user archive.
#include "signinfixture.h"
#include "support/widgets.h"

#include "common/recordset.h"
#include "startup/accesso.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QDate>
#include <unistd.h>

namespace {

class SignIn : public StartedProgram
{
protected:
    Accesso* openDialog()
    {
        dialog = new Accesso(appGlobals());
        dialog->show();
        ui::settle();
        return dialog;
    }

    void signIn(const QString& code, const QString& password)
    {
        ui::type(dialog, QStringLiteral("Nome"), code);
        ui::type(dialog, QStringLiteral("Password"), password);
        ui::click(dialog, QStringLiteral("BTNOK"));
        ui::settle();
    }

    void addLock(const QString& user, const QString& workstation, const QString& key)
    {
        JetQuery insert("INSERT INTO Accessi (User, Postazione, Modulo, DescFrm, Tabella, Chiave1) VALUES (");
        insert << Jet::text(user) << ", " << Jet::text(workstation) << ", " << Jet::text("BREVANO V") << ", "
               << Jet::text("Dati Aziendali") << ", " << Jet::text("Azienda") << ", " << Jet::text(key) << ")";
        userDb().execute(insert);
    }

    QStringList remainingLocks() const
    {
        QStringList keys;
        Recordset locks = Recordset::open(userDb(), JetQuery("Select * From Accessi Order By Chiave1"),
                                          Recordset::Type::Snapshot);
        for (; !locks.isEOF(); locks.MoveNext())
            keys << locks.value(QStringLiteral("Chiave1")).toString();
        return keys;
    }

    QPointer<Accesso> dialog;
};

} // namespace

TEST_F(SignIn, ACodeInAnyCaseSignsInAndBringsUpTheMainWindow)
{
    openDialog();
    signIn(QStringLiteral("ADMIN"), QStringLiteral("admin"));

    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    EXPECT_EQ(base.UserName, QStringLiteral("ADMIN"));  // as typed
    EXPECT_EQ(base.FiscalYear, QString::number(QDate::currentDate().year()));
    EXPECT_TRUE(base.IsAdministrator);
    EXPECT_EQ(base.signIns, QStringList{QStringLiteral("BREVANO V|ADMIN|POSTAZIONE1")});

    QMainWindow* main = base.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->objectName(), QStringLiteral("Principale"));
    EXPECT_TRUE(main->isVisible());
    for (ModuleComponent* module : {&warehouse, &invoicing, &payments})
        EXPECT_EQ(module->mdiHwnd(), qint32(main->winId()));
    EXPECT_TRUE(dialog.isNull());  // unloaded
}

// Passwords are kept as digests; a row still in clear (an earlier build) signs in as before and
// is kept as a digest from then on.
TEST_F(SignIn, APasswordMustMatchExactlyAndTheDialogLetsTheUserTryAgain)
{
    const auto storedPassword = [this](const char* code) {
        Rows q = userDb().select(JetQuery("SELECT [Password] FROM Password WHERE Codice = ") << Jet::text(code));
        return q.next() ? q.value(0).toString() : QString();
    };
    EXPECT_TRUE(storedPassword("admin").startsWith("pbkdf2-sha256$")) << storedPassword("admin").toStdString();
    userDb().execute(JetQuery("UPDATE Password SET [Password] = 'Rossi1' WHERE Codice = 'mario'"));
    openDialog();
    signIn(QStringLiteral("mario"), QStringLiteral("rossi1"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]), QStringLiteral("MESSAGE|none|ok|<none>|Password Errata"));
    ASSERT_FALSE(dialog.isNull());
    auto* password = ui::find<QLineEdit>(dialog, QStringLiteral("Password"));
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_EQ(password->selectedText(), QStringLiteral("rossi1"));
    EXPECT_EQ(base.UserName, QString());
    EXPECT_EQ(base.MainWindow(), nullptr);

    // Enter in the password field confirms.
    ui::type(dialog, QStringLiteral("Password"), QStringLiteral("Rossi1"));
    ui::key(dialog, QStringLiteral("Password"), Qt::Key_Return, QStringLiteral("\r"));
    ui::settle();
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(base.UserName, QStringLiteral("mario"));
    EXPECT_FALSE(base.IsAdministrator);
    EXPECT_NE(base.MainWindow(), nullptr);
    EXPECT_TRUE(storedPassword("mario").startsWith("pbkdf2-sha256$")) << storedPassword("mario").toStdString();
    EXPECT_FALSE(storedPassword("mario").contains("Rossi1"));
}

TEST_F(SignIn, AnUnknownCodeIsRefusedWithoutTitleOrIcon)
{
    openDialog();
    signIn(QStringLiteral("luigi"), QStringLiteral("admin"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]), QStringLiteral("MESSAGE|none|ok|<none>|Utente Errato"));
    auto* nome = ui::find<QLineEdit>(dialog, QStringLiteral("Nome"));
    EXPECT_EQ(QApplication::focusWidget(), nome);
    EXPECT_EQ(nome->selectedText(), QStringLiteral("luigi"));
    EXPECT_EQ(base.MainWindow(), nullptr);
    EXPECT_TRUE(base.signIns.isEmpty());
}

TEST_F(SignIn, EnterInTheCodeMovesToThePassword)
{
    openDialog();
    ui::type(dialog, QStringLiteral("Nome"), QStringLiteral("admin"));
    ui::type(dialog, QStringLiteral("Password"), QStringLiteral("vecchia"));
    ui::find<QLineEdit>(dialog, QStringLiteral("Nome"))->setFocus();
    ui::key(dialog, QStringLiteral("Nome"), Qt::Key_Return, QStringLiteral("\r"));
    auto* password = ui::find<QLineEdit>(dialog, QStringLiteral("Password"));
    EXPECT_EQ(QApplication::focusWidget(), password);
    EXPECT_EQ(password->selectedText(), QStringLiteral("vecchia"));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(SignIn, OnlyACapitalAMakesAnAdministratorAndANullPasswordIsEmpty)
{
    userDb().execute(JetQuery("UPDATE Password SET Tipo = 'a', Password = NULL WHERE Codice = 'mario'"));
    openDialog();
    signIn(QStringLiteral("Mario"), QString());
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    EXPECT_EQ(base.UserName, QStringLiteral("Mario"));
    EXPECT_FALSE(base.IsAdministrator);
}

TEST_F(SignIn, OnlyTheUsersLocksAtThisWorkstationAreDropped)
{
    addLock(QStringLiteral("admin"), QStringLiteral("POSTAZIONE1"), QStringLiteral("K1"));
    addLock(QStringLiteral("Admin"), QStringLiteral("postazione1"), QStringLiteral("K2"));
    addLock(QStringLiteral("admin"), QStringLiteral("POSTAZIONE2"), QStringLiteral("K3"));
    addLock(QStringLiteral("mario"), QStringLiteral("POSTAZIONE1"), QStringLiteral("K4"));
    openDialog();
    signIn(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_EQ(remainingLocks(), (QStringList{QStringLiteral("K3"), QStringLiteral("K4")}));
}

TEST_F(SignIn, ACodeWithAQuoteSignsInOnlyItsOwnUser)
{
    userDb().execute(JetQuery("INSERT INTO Password (Codice, Password, esercizio, Tipo) VALUES ('ab\"c', 'p1', '2001', 'U')"));
    userDb().execute(JetQuery("INSERT INTO Password (Codice, Password, esercizio, Tipo) VALUES ('ab', 'p2', '2002', 'A')"));
    addLock(QStringLiteral("ab\"c"), QStringLiteral("POSTAZIONE1"), QStringLiteral("K1"));
    addLock(QStringLiteral("ab"), QStringLiteral("POSTAZIONE1"), QStringLiteral("K2"));

    openDialog();
    signIn(QStringLiteral("x\" Or \"1\"=\"1"), QStringLiteral("p2"));
    EXPECT_EQ(platform.lastText(), QStringLiteral("Utente Errato"));

    signIn(QStringLiteral("ab\"c"), QStringLiteral("p2"));
    EXPECT_EQ(platform.lastText(), QStringLiteral("Password Errata"));

    platform.clear();
    signIn(QStringLiteral("ab\"c"), QStringLiteral("p1"));
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(base.UserName, QStringLiteral("ab\"c"));
    EXPECT_EQ(base.FiscalYear, QStringLiteral("2001"));
    EXPECT_FALSE(base.IsAdministrator);
    EXPECT_EQ(remainingLocks(), QStringList{QStringLiteral("K2")});
}

// A data folder nobody may write: users still sign in and read, and a save says the folder is
// read-only and keeps what was typed. Root may write anywhere, so as root the test runs again as
// an ordinary user on this same folder.
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
        useFolder(given);
    }
    openDialog();
    signIn(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_TRUE(platform.messages.isEmpty()) << platform.lastText().toStdString();
    auto* window = qobject_cast<Principale*>(base.MainWindow());
    ASSERT_TRUE(window);

    window->DispatchCommand(QStringLiteral("zone"));
    ui::settle();
    QWidget* zones = window->findChild<QWidget*>(QStringLiteral("TableForm"));
    ASSERT_TRUE(zones);
    EXPECT_GT(ui::find<QTableView>(zones, QStringLiteral("TDBGTabella"))->model()->rowCount(), 0);
    ui::click(zones, QStringLiteral("BNuovo"));
    QWidget* panel = ui::find<QWidget>(zones, QStringLiteral("PanDati_0"));
    ui::type(panel, QStringLiteral("Codice"), QStringLiteral("9"));
    ui::type(panel, QStringLiteral("Desc"), QStringLiteral("Estero"));
    ui::click(zones, QStringLiteral("BSalva"));
    EXPECT_TRUE(ui::text(zones, QStringLiteral("ErrorBar_1")).startsWith("La cartella dei dati è di sola lettura"))
        << ui::text(zones, QStringLiteral("ErrorBar_1")).toStdString();
    EXPECT_TRUE(ui::enabled(zones, QStringLiteral("BSalva")));
    EXPECT_EQ(ui::text(panel, QStringLiteral("Desc")), QStringLiteral("Estero"));
}

TEST_F(SignIn, EsciEndsTheProgramAtOnce)
{
    openDialog();
    EXPECT_EXIT(ui::click(dialog, QStringLiteral("BTNEsci")), ::testing::ExitedWithCode(0), "^PROGRAM ENDED\n$");
}

TEST_F(SignIn, ClosingTheDialogUnloadsItWithoutSigningIn)
{
    openDialog();
    dialog->close();
    ui::settle();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(base.MainWindow(), nullptr);
    EXPECT_TRUE(base.signIns.isEmpty());
}
