#pragma once
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include "common/database.h"
#include "common/programtitle.h"
#include "components/base/baseclass.h"
#include "components/modules/modulecomponent.h"
#include "mainwindow/principale.h"
#include "common/appglobals.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>
#include <memory>

// A signed-in user of a whole program folder in front of the main window: the run-wide values
// in the base component, the three module components with it as their base.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { signIn(QStringLiteral("admin"), true); }

    void signIn(const QString& user, bool administrator)
    {
        base = program.makeBase(user, platform.workstation, administrator);
        warehouse = std::make_unique<WarehouseComponent>();
        invoicing = std::make_unique<InvoicingComponent>();
        payments = std::make_unique<PaymentsComponent>();
        for (ModuleComponent* m : {static_cast<ModuleComponent*>(warehouse.get()),
                                   static_cast<ModuleComponent*>(invoicing.get()),
                                   static_cast<ModuleComponent*>(payments.get())})
            m->setObjBase(base.get());
        globals.programTitle = ProgramTitle;
        globals.programFolder = program.path();
        globals.localDbPath = program.localDb();
        globals.connectString = ProgramFolder::connectString();
        globals.dataFolder = program.dataFolder();
        globals.dataDbPath = program.dataDb();
        globals.userDbPath = program.userDb();
        globals.clientMode = 0;
        globals.base = base.get();
        globals.warehouse = warehouse.get();
        globals.invoicing = invoicing.get();
        globals.payments = payments.get();
    }

    // Loads and shows the main window as the sign-in does.
    Principale& openWindow()
    {
        window = std::make_unique<Principale>(globals);
        globals.base->setMainWindow(window.get());
        window->show();
        window->activateWindow();
        ui::settle();
        return *window;
    }

    // The child screen of the workspace named so; null when there is none.
    QWidget* screen(const QString& name) const
    {
        for (QMdiSubWindow* frame : window->workspace()->subWindowList())
            if (frame->widget() && frame->widget()->objectName() == name)
                return frame->widget();
        return nullptr;
    }

    int screenCount() const { return int(window->workspace()->subWindowList().size()); }

    void click(const QString& tool)
    {
        ui::click(window.get(), tool);
        ui::settle();
    }

    Database userDb() const { return Database::open(program.userDb(), ProgramFolder::connectString()); }
    Database dataDb() const { return Database::open(program.dataDb(), ProgramFolder::connectString()); }
    Database localDb() const { return Database::open(program.localDb(), ProgramFolder::connectString()); }

    QString panel(int n) const { return ui::text(window.get(), QStringLiteral("StatusBar1_%1").arg(n)); }

    ScriptedPlatform platform;
    ProgramFolder program{ProgramFolder::WholeProgram};
    std::unique_ptr<BaseClass> base;
    std::unique_ptr<WarehouseComponent> warehouse;
    std::unique_ptr<InvoicingComponent> invoicing;
    std::unique_ptr<PaymentsComponent> payments;
    AppGlobals globals;
    std::unique_ptr<Principale> window;
};
