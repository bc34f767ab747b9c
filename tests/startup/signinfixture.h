#pragma once
// A started program in one process: globals and a base component as the start-up leaves them
// before the sign-in, on a fresh program folder, with the three module components loaded.
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include "common/archivepassword.h"
#include "common/database.h"
#include "components/base/baseclass.h"
#include "components/modules/modulecomponent.h"
#include "common/appglobals.h"
#include "mainwindow/principale.h"

#include <QApplication>
#include <QMainWindow>
#include <QStringList>
#include <gtest/gtest.h>

// The base component as shipped, recording the sign-ins registered with it.
class RecordingBase : public BaseClass
{
public:
    QStringList signIns;
    void RegisterSignIn(const QString& owner, const QString& user, const QString& workstation, QVariant& out) override
    {
        signIns << owner + u'|' + user + u'|' + workstation;
        BaseClass::RegisterSignIn(owner, user, workstation, out);
    }
};

class StartedProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.workstation = QStringLiteral("POSTAZIONE1");
        AppGlobals& g = appGlobals();
        g = AppGlobals();
        g.programTitle = QStringLiteral("Brevano V");
        g.connectString = archiveConnectString();
        useFolder(folder.path());
        g.makeMainWindow = [](AppGlobals& globals) { return new Principale(globals); };
        base.AppTitle = g.programTitle;
        base.WorkstationName = platform.workstation;
        base.ConnectString = g.connectString;
        base.BaseCurrency = QStringLiteral("LIT");
        base.EuroRate = 1936.27;
        base.EuroDecimals = 2;
        base.WarehouseModuleLoaded = base.InvoicingModuleLoaded = base.PaymentsModuleLoaded = true;
        g.base = &base;
        g.warehouse = &warehouse;
        g.invoicing = &invoicing;
        g.payments = &payments;
    }

    // The program folder, which is also the data folder, of the run.
    void useFolder(const QString& path)
    {
        AppGlobals& g = appGlobals();
        g.programFolder = path;
        g.localDbPath = path + QStringLiteral("/locdata.mdb");
        g.dataFolder = path + QStringLiteral("/");
        g.dataDbPath = g.dataFolder + QStringLiteral("data.mdb");
        g.userDbPath = g.dataFolder + QStringLiteral("user.mdb");
        base.AppPath = path;
        base.DataFolder = g.dataFolder;
        base.DataDbPath = g.dataDbPath;
        base.UserDbPath = g.userDbPath;
        base.LocalDbPath = g.localDbPath;
    }

    void TearDown() override
    {
        // The main window is dropped without its closing logic (which would ask and end).
        delete base.MainWindow();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("Accesso") || window->objectName() == QLatin1String("frmSplash"))
                delete window;
        appGlobals() = AppGlobals();
    }

    Database userDb() const { return Database::open(folder.userDb(), archiveConnectString()); }

    ScriptedPlatform platform;
    ProgramFolder folder{ProgramFolder::WholeProgram};
    RecordingBase base;
    ModuleComponent warehouse, invoicing, payments;
};
