// The pointer file, the archive check when all is well, and the creation of the components.
#include "support/programfolder.h"
#include "support/scriptedplatform.h"

#include "common/archivepassword.h"
#include "components/basecomponent.h"
#include "common/appglobals.h"
#include "startup/archives.h"
#include "startup/modulecomponents.h"
#include "startup/pointerfile.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

AppGlobals readFrom(const ProgramFolder& folder)
{
    AppGlobals g;
    g.programFolder = folder.path();
    ReadPointerFile(g, pointerFilePath(folder.path()));
    return g;
}

AppGlobals startedGlobals(const ProgramFolder& folder)
{
    AppGlobals g;
    g.programTitle = QStringLiteral("Brevano V");
    g.programFolder = folder.path();
    g.localDbPath = folder.localDb();
    g.connectString = archiveConnectString();
    g.dataFolder = folder.dataFolder();
    g.dataDbPath = folder.dataDb();
    return g;
}

} // namespace

TEST(PointerFile, WindowsAndUnixLineEndsReadAlike)
{
    ProgramFolder folder;
    for (const QByteArray& lineEnd : {QByteArray("\r\n"), QByteArray("\n")}) {
        writeRaw(folder.file("brevanov.dat"), "/srv/brevano/" + lineEnd + "1" + lineEnd);
        const AppGlobals g = readFrom(folder);
        EXPECT_EQ(g.dataFolder, QStringLiteral("/srv/brevano/"));
        EXPECT_EQ(g.dataDbPath, QStringLiteral("/srv/brevano/data.mdb"));
        EXPECT_EQ(g.clientMode, 1);
    }
}

TEST(PointerFile, WhatWasReadBeforeAFailureStays)
{
    ProgramFolder folder;
    // One line: the role stays server.
    writeRaw(folder.file("brevanov.dat"), "/srv/brevano/\r\n");
    AppGlobals g = readFrom(folder);
    EXPECT_EQ(g.dataFolder, QStringLiteral("/srv/brevano/"));
    EXPECT_EQ(g.clientMode, 0);

    // A role that is no number is not taken either.
    writeRaw(folder.file("brevanov.dat"), "/srv/brevano/\r\nclient\r\n");
    g = readFrom(folder);
    EXPECT_EQ(g.dataDbPath, QStringLiteral("/srv/brevano/data.mdb"));
    EXPECT_EQ(g.clientMode, 0);

    // The folder line is not repaired.
    writeRaw(folder.file("brevanov.dat"), "/srv/brevano\r\n1\r\n");
    g = readFrom(folder);
    EXPECT_EQ(g.dataDbPath, QStringLiteral("/srv/brevanodata.mdb"));
}

TEST(ArchiveCheckInProcess, ReturnsTheCompanySettingsWithTheHourglassShownMeanwhile)
{
    ScriptedPlatform platform;
    ProgramFolder folder;
    AppGlobals g = startedGlobals(folder);
    QString currency;
    double rate = 0;
    qint16 euroDecimals = -1, baseDecimals = -1;
    OpenArchives(g, currency, rate, euroDecimals, baseDecimals, g.connectString);
    EXPECT_EQ(currency, QStringLiteral("LIT"));
    EXPECT_DOUBLE_EQ(rate, 1936.27);
    EXPECT_EQ(euroDecimals, 2);
    EXPECT_EQ(baseDecimals, 0);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(platform.hourglassOn, 1);
    EXPECT_FALSE(platform.busy);
}

TEST(Components, TheBaseComponentGetsTheRunWideValuesAndTheModulesTheirBase)
{
    ScriptedPlatform platform;
    platform.workstation = QStringLiteral("CASSA2");
    ProgramFolder folder(ProgramFolder::WholeProgram);
    AppGlobals g = startedGlobals(folder);
    g.clientMode = 1;
    CreateModuleComponents(g, QStringLiteral("EUR"), 1.0, 2, 2, g.connectString);

    BaseComponent* base = g.base;
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->UserName, QString());
    EXPECT_EQ(base->WorkstationName, QStringLiteral("CASSA2"));
    EXPECT_EQ(base->AppTitle, QStringLiteral("Brevano V"));
    EXPECT_EQ(base->FiscalYear, QString());
    EXPECT_EQ(base->ConnectString, archiveConnectString());
    EXPECT_EQ(base->DataFolder, folder.dataFolder());
    EXPECT_EQ(base->DataDbPath, folder.dataDb());
    EXPECT_EQ(base->LocalDbPath, folder.localDb());
    EXPECT_EQ(base->UserDbPath, folder.userDb());
    EXPECT_EQ(base->ClientMode, 1);
    EXPECT_EQ(base->BaseCurrency, QStringLiteral("EUR"));
    EXPECT_EQ(base->BaseCurrencyDecimals, 2);
    EXPECT_EQ(base->EuroDecimals, 2);
    EXPECT_DOUBLE_EQ(base->EuroRate, 1.0);
    EXPECT_EQ(base->AppPath, folder.path());
    EXPECT_EQ(g.userDbPath, folder.userDb());

    EXPECT_TRUE(base->WarehouseModuleLoaded);
    EXPECT_TRUE(base->InvoicingModuleLoaded);
    EXPECT_TRUE(base->PaymentsModuleLoaded);
    for (QObject* module : {g.warehouse, g.invoicing, g.payments}) {
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(module->property("ObjBase").value<QObject*>(), base);
    }
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST(Components, AMissingModuleStaysAbsentSilently)
{
    ScriptedPlatform platform;
    ProgramFolder folder(ProgramFolder::WholeProgram);
    ASSERT_TRUE(QFile::remove(folder.file("fatt.fattclass.so")));
    AppGlobals g = startedGlobals(folder);
    CreateModuleComponents(g, QStringLiteral("LIT"), 1936.27, 2, 0, g.connectString);
    ASSERT_NE(g.base, nullptr);
    EXPECT_TRUE(g.base->WarehouseModuleLoaded);
    EXPECT_FALSE(g.base->InvoicingModuleLoaded);
    EXPECT_TRUE(g.base->PaymentsModuleLoaded);
    EXPECT_EQ(g.invoicing, nullptr);
    EXPECT_NE(g.payments, nullptr);
    EXPECT_TRUE(platform.messages.isEmpty());
}
