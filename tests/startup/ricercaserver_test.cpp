// The data-folder configuration opened from the main window (at start-up: startup_process_test).
#include "mainwindow/mainwindowfixture.h"
#include "scriptedrun.h"

#include <QFileSystemModel>
#include <QTreeView>

namespace {

class Configuration : public MainWindowTest
{
protected:
    // The dialog's folder list runs threads: a test that ends the program runs again in a process of its own.
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        MainWindowTest::SetUp();
        program.writePointerFile(program.dataFolder(), 0);
        server.writePointerFile(server.dataFolder(), 0);
    }

    // Opens the configuration from the menu and lets the action work it.
    void configure(const std::function<void(QWidget*)>& action)
    {
        if (!window) openWindow();
        ui::onNextModal(action);
        click("BCS");
    }
    static void chooseFolder(QWidget* dialog, const QString& path)
    {
        auto* view = ui::find<QTreeView>(dialog, "Dir1");
        view->setCurrentIndex(qobject_cast<QFileSystemModel*>(view->model())->index(path));
    }
    QByteArray pointerFile() const { return contentOf(program.file("brevanov.dat")); }

    ProgramFolder server;  // a data folder holding a pointer file of its own
};

// The server role is proposed to a server (the configuration's snapshot shows it); a client needs a
// folder holding a pointer file.
TEST_F(Configuration, TheServerRoleIsProposedToAServerAndAClientNeedsAFolderHoldingAPointerFile)
{
    QTemporaryDir plain;
    bool okOnPlain = true, okOnServer = false;
    configure([&](QWidget* dialog) {
        // What each role lets be filled (the share's folder for a client, the server's fields for
        // PostgreSQL): its snapshot.
        for (const char* role : {"Option1_2", "Option1_0", "Option1_1"}) {
            ui::click(dialog, role);
            EXPECT_EQ(changedFrom(QString("BCS-") + role, dialog), QString());
        }
        chooseFolder(dialog, plain.path());
        okOnPlain = ui::enabled(dialog, "BOK");
        chooseFolder(dialog, server.path());
        okOnServer = ui::enabled(dialog, "BOK");
        ui::click(dialog, "BAnnulla");
    });
    EXPECT_TRUE(!okOnPlain && okOnServer);
    EXPECT_EQ(pointerFile(), program.dataFolder().toLocal8Bit() + "\r\n0\r\n") << "cancelled: nothing changes";
    EXPECT_TRUE(platform.messages.isEmpty());

    // A workstation set up as a client opens it again as a client, on its folder, the drive shown
    // the longest root holding it; another drive chosen shows its root, where no data folder is.
    base->ClientMode = 1;
    const QString parent = QFileInfo(program.path()).path();
    platform.driveRoots = {"/", program.path(), parent, program.path() + "x"};
    configure([&](QWidget* dialog) {
        EXPECT_EQ(changedFrom("BCS-cliente", dialog), QString());
        ui::choose(dialog, "Drive1", parent);
        EXPECT_TRUE(ui::text(dialog, "TPath") == QDir::toNativeSeparators(parent) && !ui::enabled(dialog, "BOK"));
        ui::click(dialog, "BAnnulla");
    });
}

// Confirming ends the program with a word why: another data folder is written, a server on a network share is refused,
// a pointer file that cannot be written is said. Said before the program ends: the pointer file as it is then.
TEST_F(Configuration, ConfirmingWritesAnotherDataFolderOrRefusesARemoteServerAndEnds)
{
    platform.onMessage = [&](const ScriptedPlatform::Message&) {
        const QByteArray names = pointerFile().replace(server.dataFolder().toLocal8Bit(), "SERVER/").replace("\r\n", " ");
        std::fprintf(stderr, "POINTER FILE %s\n", names.constData());
    };
    EXPECT_EXIT(configure([&](QWidget* dialog) {
                    ui::click(dialog, "Option1_1");
                    chooseFolder(dialog, server.path());
                    ui::click(dialog, "BOK");
                }),
                ::testing::ExitedWithCode(0),
                "POINTER FILE SERVER/ 1 \nMESSAGE\\|information\\|ok\\|Brevano V\\|"
                "Rilanciare il Programma per rendere Effettive le Impostazioni\nPROGRAM ENDED");

    ASSERT_TRUE(QFile::remove(program.file("brevanov.dat")));
    platform.networkPaths << program.path();
    EXPECT_EXIT(configure([](QWidget* dialog) { ui::click(dialog, "BOK"); }), ::testing::ExitedWithCode(0),
                "POINTER FILE \n.*Il Server Deve Essere Installato e Configurato in Locale!\nPROGRAM ENDED");

    // A pointer file that cannot be written (a folder holds its name) is said, and nothing more.
    platform.networkPaths.clear();
    ASSERT_TRUE(QDir().mkdir(program.file("brevanov.dat")));
    EXPECT_EXIT(configure([&](QWidget* dialog) { ui::click(dialog, "Option1_1"); ui::click(dialog, "BOK"); }),
                ::testing::ExitedWithCode(0), "POINTER FILE \nMESSAGE\\|critical\\|ok\\|Brevano V\\|[^\n]*\nPROGRAM ENDED");
}

} // namespace
