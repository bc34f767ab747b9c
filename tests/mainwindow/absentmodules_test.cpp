// The main window of a program folder from which module plugins were removed: the components
// are created by the real start-up code.
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include "common/programtitle.h"
#include "components/basecomponent.h"
#include "mainwindow/principale.h"
#include "common/appglobals.h"
#include "startup/modulecomponents.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

class AbsentModules : public ::testing::Test
{
protected:
    ~AbsentModules() override
    {
        window.reset();
        delete globals.warehouse;
        delete globals.invoicing;
        delete globals.payments;
        delete globals.base;
    }

    // Starts the components of the folder without the named plugins and shows the main window.
    Principale& start(const QStringList& removed)
    {
        for (const QString& plugin : removed)
            QFile::remove(program.file(plugin + QStringLiteral(".so")));
        globals.programTitle = ProgramTitle;
        globals.programFolder = program.path();
        globals.dataFolder = program.dataFolder();
        globals.dataDbPath = program.dataDb();
        globals.localDbPath = program.localDb();
        globals.connectString = ProgramFolder::connectString();
        CreateModuleComponents(globals, QStringLiteral("LIT"), 1936.27, 2, 0, globals.connectString);
        globals.base->UserName = QStringLiteral("admin");
        globals.base->IsAdministrator = true;
        globals.base->FiscalYear = QString::number(QDate::currentDate().year());
        window = std::make_unique<Principale>(globals);
        globals.base->setMainWindow(window.get());
        window->show();
        window->activateWindow();
        ui::settle();
        return *window;
    }

    bool shown(const char* menu, const char* band) const
    {
        const bool menuShown = window->findChild<QAction*>(QString::fromLatin1(menu))->isVisible();
        const bool bandShown = window->findChild<QToolBar*>(QString::fromLatin1(band))->isVisible();
        EXPECT_EQ(menuShown, bandShown) << menu;
        return menuShown;
    }

    QString onlyMessage() const
    {
        EXPECT_EQ(platform.messages.size(), 1);
        return platform.messages.isEmpty() ? QString() : ScriptedPlatform::describe(platform.messages.last());
    }

    ScriptedPlatform platform;
    ProgramFolder program{ProgramFolder::WholeProgram};
    AppGlobals globals;
    std::unique_ptr<Principale> window;
};

TEST_F(AbsentModules, WithoutTheInvoicingPluginItsMenuAndBandAreHiddenAndItsCommandsFail)
{
    start({QStringLiteral("fatt.fattclass")});
    EXPECT_FALSE(globals.base->InvoicingModuleLoaded);
    EXPECT_TRUE(shown("Magazzino", "BMaga"));
    EXPECT_FALSE(shown("Fatturazione", "BFatt"));
    EXPECT_TRUE(shown("Pagamenti", "BPaga"));

    window->DispatchCommand(QStringLiteral("FATVE"));
    EXPECT_EQ(onlyMessage(),
              QStringLiteral("MESSAGE|critical|ok|Brevano V|Variabile oggetto o variabile del blocco With non impostata"));
    EXPECT_FALSE(platform.busy);

    // The components that are there still work, with the real plugins.
    platform.clear();
    window->DispatchCommand(QStringLiteral("ddt"));
    EXPECT_TRUE(platform.messages.isEmpty());
    ASSERT_EQ(window->workspace()->subWindowList().size(), 1);
    EXPECT_EQ(window->workspace()->subWindowList().first()->widget()->objectName(), QStringLiteral("objddt"));
}

TEST_F(AbsentModules, QuotationsWithOnlyTheWarehouseGoToTheMissingPaymentsComponent)
{
    start({QStringLiteral("fatt.fattclass"), QStringLiteral("paga.pagaclass")});
    EXPECT_FALSE(shown("Pagamenti", "BPaga"));
    window->DispatchCommand(QStringLiteral("prev"));
    EXPECT_EQ(onlyMessage(),
              QStringLiteral("MESSAGE|critical|ok|Brevano V|Variabile oggetto o variabile del blocco With non impostata"));
    EXPECT_TRUE(window->workspace()->subWindowList().isEmpty());
}

TEST_F(AbsentModules, QuotationsWithOnlyThePaymentsComponentAreItsOwn)
{
    start({QStringLiteral("maga.magaclass")});
    EXPECT_FALSE(shown("Magazzino", "BMaga"));
    window->DispatchCommand(QStringLiteral("prev"));
    EXPECT_TRUE(platform.messages.isEmpty());
    ASSERT_EQ(window->workspace()->subWindowList().size(), 1);
    EXPECT_EQ(window->workspace()->subWindowList().first()->widget()->objectName(), QStringLiteral("objordprev"));
}
