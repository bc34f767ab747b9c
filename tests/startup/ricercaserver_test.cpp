// The data-folder configuration at start-up and from inside the program.
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include "components/base/baseclass.h"
#include "common/appglobals.h"
#include "startup/pointerfile.h"
#include "startup/ricercaserver.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class RicercaServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g.programTitle = QStringLiteral("Brevano V");
        g.programFolder = program.path();
        platform.driveList = {QStringLiteral("/")};
    }

    QByteArray pointerFile() const
    {
        QFile file(pointerFilePath(program.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void chooseFolder(RicercaServer& dialog, const QString& path)
    {
        auto* view = ui::find<QTreeView>(&dialog, QStringLiteral("Dir1"));
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        view->setCurrentIndex(model->index(path));
    }

    ScriptedPlatform platform;
    ProgramFolder program;
    AppGlobals g;
};

} // namespace

TEST_F(RicercaServerTest, AtStartUpTheServerIsProposedOnTheProgramFolder)
{
    RicercaServer dialog(g);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brevano V: Impostazioni Client/Server"));
    EXPECT_TRUE(ui::find<QRadioButton>(&dialog, QStringLiteral("Option1_0"))->isChecked());
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("Option1_0")), QStringLiteral("Server"));
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("Option1_1")), QStringLiteral("Client"));
    EXPECT_EQ(ui::find<QGroupBox>(&dialog, QStringLiteral("FRMClient"))->title(), QStringLiteral("Impostazioni Client"));
    EXPECT_FALSE(ui::enabled(&dialog, QStringLiteral("FRMClient")));
    EXPECT_TRUE(ui::enabled(&dialog, QStringLiteral("BOK")));
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("TPath")), program.path());
    EXPECT_EQ(ui::find<QWidget>(&dialog, QStringLiteral("TPath"))->toolTip(), program.path());
    EXPECT_EQ(ui::find<QComboBox>(&dialog, QStringLiteral("Drive1"))->currentText(), QStringLiteral("/"));
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("BAnnulla")), QStringLiteral("Annulla"));
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("Label1")),
              QStringLiteral("Scegliere la fonte di dati a cui si deve collegare questa applicazione: Server, indica "
                             "che i dati sono presenti su questa stessa macchina, Client, indica che i dati sono "
                             "presenti su una macchina Server connessa in rete."));
}

TEST_F(RicercaServerTest, AClientConfirmsOnlyAFolderHoldingAPointerFile)
{
    ProgramFolder server;
    server.writePointerFile(server.dataFolder(), 0);
    QTemporaryDir elsewhere;
    const QString plain = elsewhere.path();

    RicercaServer dialog(g);
    ui::click(&dialog, QStringLiteral("Option1_1"));
    EXPECT_TRUE(ui::enabled(&dialog, QStringLiteral("FRMClient")));
    chooseFolder(dialog, plain);
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("TPath")), plain);
    EXPECT_EQ(ui::find<QWidget>(&dialog, QStringLiteral("TPath"))->toolTip(), plain);
    EXPECT_FALSE(ui::enabled(&dialog, QStringLiteral("BOK")));

    chooseFolder(dialog, server.path());
    ASSERT_TRUE(ui::enabled(&dialog, QStringLiteral("BOK")));
    ui::click(&dialog, QStringLiteral("BOK"));

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(pointerFile(), server.dataFolder().toLocal8Bit() + "\r\n1\r\n");
    EXPECT_EQ(g.dataFolder, server.dataFolder());
    EXPECT_EQ(g.dataDbPath, server.dataDb());
    EXPECT_EQ(g.clientMode, 1);
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(RicercaServerTest, TheServerRoleWritesTheProgramFolder)
{
    RicercaServer dialog(g);
    ui::click(&dialog, QStringLiteral("Option1_1"));
    ui::click(&dialog, QStringLiteral("Option1_0"));
    EXPECT_FALSE(ui::enabled(&dialog, QStringLiteral("FRMClient")));
    ui::click(&dialog, QStringLiteral("BOK"));
    EXPECT_EQ(pointerFile(), program.dataFolder().toLocal8Bit() + "\r\n0\r\n");
    EXPECT_EQ(g.dataFolder, program.dataFolder());
    EXPECT_EQ(g.dataDbPath, program.dataDb());
    EXPECT_EQ(g.clientMode, 0);
}

TEST_F(RicercaServerTest, AMissingPointerFileShowsTheConfigurationFirst)
{
    ui::onNextModal([](QWidget* modal) {
        EXPECT_EQ(modal->objectName(), QStringLiteral("RicercaServer"));
        ui::click(modal, QStringLiteral("BOK"));
    });
    ReadPointerFile(g, pointerFilePath(program.path()));
    EXPECT_EQ(pointerFile(), program.dataFolder().toLocal8Bit() + "\r\n0\r\n");
    EXPECT_EQ(g.dataDbPath, program.dataDb());
}

TEST_F(RicercaServerTest, AnUnavailableDriveLeavesTheListsAsTheyWere)
{
    platform.driveList = {QStringLiteral("/"), program.file("unplugged")};
    RicercaServer dialog(g);
    ui::click(&dialog, QStringLiteral("Option1_1"));
    ui::choose(&dialog, QStringLiteral("Drive1"), program.file("unplugged"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|information|ok|Brevano V - Ricerca Server|Il Drive non è al momento disponibile"));
    EXPECT_EQ(ui::find<QComboBox>(&dialog, QStringLiteral("Drive1"))->currentText(), QStringLiteral("/"));
    EXPECT_EQ(ui::text(&dialog, QStringLiteral("TPath")), program.path());
}

TEST_F(RicercaServerTest, CancellingAtStartUpEndsTheProgram)
{
    const char* expected = "MESSAGE\\|information\\|ok\\|Brevano V\\|Non è possibile iniziare a lavorare senza aver "
                           "impostato una fonte di dati\\.\nPROGRAM ENDED";
    EXPECT_EXIT(
        {
            RicercaServer dialog(g);
            ui::click(&dialog, QStringLiteral("BAnnulla"));
        },
        ::testing::ExitedWithCode(0), expected);
    // The window's own close control cancels too.
    EXPECT_EXIT(
        {
            RicercaServer dialog(g);
            dialog.show();
            dialog.close();
        },
        ::testing::ExitedWithCode(0), expected);
}

TEST_F(RicercaServerTest, AServerOnANetworkFolderEndsTheProgram)
{
    platform.networkPaths << program.path();
    EXPECT_EXIT(
        {
            RicercaServer dialog(g);
            ui::click(&dialog, QStringLiteral("BOK"));
        },
        ::testing::ExitedWithCode(0),
        "MESSAGE\\|critical\\|ok\\|Brevano V\\|Il Server Deve Essere Installato e Configurato in Locale!\n"
        "PROGRAM ENDED");
    EXPECT_TRUE(pointerFile().isEmpty());
}

TEST_F(RicercaServerTest, FromTheMenuCancelKeepsEverythingAndConfirmEndsTheProgram)
{
    program.writePointerFile(program.dataFolder(), 0);
    ReadPointerFile(g, pointerFilePath(program.path()));
    BaseClass base;
    base.AppTitle = QStringLiteral("Brevano V");
    base.AppPath = program.path();
    base.ClientMode = 0;
    g.base = &base;
    const AppGlobals before = g;
    const QByteArray file = pointerFile();

    {
        RicercaServer dialog(g);
        dialog.Tag = QStringLiteral("Nel Prog");
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Brevano V: Impostazioni Client/Server"));
        EXPECT_TRUE(ui::find<QRadioButton>(&dialog, QStringLiteral("Option1_0"))->isChecked());
        dialog.show();
        ui::click(&dialog, QStringLiteral("Option1_1"));
        ui::click(&dialog, QStringLiteral("BAnnulla"));
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(pointerFile(), file);
    EXPECT_EQ(g.dataFolder, before.dataFolder);
    EXPECT_EQ(g.clientMode, before.clientMode);
    EXPECT_TRUE(platform.messages.isEmpty());

    ProgramFolder server;
    server.writePointerFile(server.dataFolder(), 0);
    EXPECT_EXIT(
        {
            RicercaServer dialog(g);
            dialog.Tag = QStringLiteral("Nel Prog");
            ui::click(&dialog, QStringLiteral("Option1_1"));
            chooseFolder(dialog, server.path());
            ui::click(&dialog, QStringLiteral("BOK"));
        },
        ::testing::ExitedWithCode(0),
        "MESSAGE\\|information\\|ok\\|Brevano V\\|Rilanciare il Programma per rendere Effettive le Impostazioni\n"
        "PROGRAM ENDED");
    EXPECT_EQ(pointerFile(), server.dataFolder().toLocal8Bit() + "\r\n1\r\n");
}

TEST_F(RicercaServerTest, FromTheMenuAClientWorkstationOpensOnTheClientRole)
{
    BaseClass base;
    base.AppTitle = QStringLiteral("Brevano V");
    base.AppPath = program.path();
    base.ClientMode = 1;
    g.base = &base;
    RicercaServer dialog(g);
    EXPECT_TRUE(ui::find<QRadioButton>(&dialog, QStringLiteral("Option1_1"))->isChecked());
    EXPECT_TRUE(ui::enabled(&dialog, QStringLiteral("FRMClient")));
    // The program folder of a client holds no server installation's pointer file here.
    EXPECT_FALSE(ui::enabled(&dialog, QStringLiteral("BOK")));
}
