// The main window of a program folder from which module plugins were removed: the components are
// created by the real start-up code.
#include "mainwindowfixture.h"

#include "startup/modulecomponents.h"

#include <QFile>
#include <QMenu>
#include <QToolBar>

namespace {

class AbsentModules : public MainWindowTest
{
protected:
    ~AbsentModules() override { stop(); }
    void stop()
    {
        window.reset();
        for (QObject* component : {started.warehouse, started.invoicing, started.payments, static_cast<QObject*>(started.base)})
            delete component;
        started = AppGlobals();
    }
    // Starts the components of the folder without the named plugins and shows the main window.
    void start(const QStringList& removed)
    {
        for (const QString& plugin : removed) QFile::remove(program.file(plugin + ".so"));
        started = session->globals;
        CreateModuleComponents(started, "LIT", 1936.27, 2, 0, started.connectString);
        started.base->UserName = "admin";
        started.base->FiscalYear = QString::number(QDate::currentDate().year());
        globals = started;
        openWindow();
    }
    // Menu and band of a module are shown or hidden together.
    bool shown(const char* menu, const char* band) const
    {
        const bool menuShown = window->findChild<QAction*>(menu)->isVisible();
        EXPECT_EQ(menuShown, window->findChild<QToolBar*>(band)->isVisible()) << menu;
        const std::unique_ptr<QMenu> bands(window->createPopupMenu());  // the window's right-click menu
        EXPECT_EQ(menuShown, bands->actions().contains(window->findChild<QToolBar*>(band)->toggleViewAction())) << band;
        return menuShown;
    }
    AppGlobals started;
};

// Quotations belong to the warehouse, or to the payments component without it.
TEST_F(AbsentModules, MenusOfAbsentModulesAreHiddenAndThePresentOnesWork)
{
    const struct { QStringList removed; bool warehouse, invoicing, payments; const char *command, *screen; } cases[] = {
        {{"fatt.fattclass"}, true, false, true, "BPREV", "objprev"}, {{"maga.magaclass"}, false, true, true, "BPREV", "objordprev"},
        {{"fatt.fattclass", "paga.pagaclass"}, true, false, false, "BDDT", "objddt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.removed.join(' ').toStdString());
        start(c.removed);
        EXPECT_EQ(shown("Magazzino", "BMaga"), c.warehouse);
        EXPECT_EQ(shown("Fatturazione", "BFatt"), c.invoicing);
        EXPECT_EQ(shown("Pagamenti", "BPaga"), c.payments);
        click(c.command);
        EXPECT_TRUE(screen(c.screen) && platform.messages.isEmpty());
        stop();
        for (const char* plugin : {"maga.magaclass.so", "fatt.fattclass.so", "paga.pagaclass.so"})
            QFile::copy(ProgramFolder::builtProgramDir() + "/" + plugin, program.file(plugin));
    }
}

} // namespace
