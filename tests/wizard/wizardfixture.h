#pragma once
#include "components/base/baseclass.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"
#include "wizard/autocomp.h"

#include <QPointer>
#include <gtest/gtest.h>

// A wizard on fresh archives, today being 5 March 2041 in fiscal year "2041" (1 April 2041 to
// 31 March 2042), with the program's grid layouts.
class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens and shows the wizard.
    AutoComp* open();
    // From the welcome page to step 2 with a target kind chosen.
    void toStep2(const QString& target);
    // On to step 3 with a source kind chosen.
    void toStep3(const QString& target, const QString& source);

    void addDdt(const QDate& date, int numInt, int customer);
    void addDdtRow(const QDate& date, int numInt, int riga);
    int count(const char* table);

    QString status(const QString& bar) const { return ui::text(wizard, bar + QStringLiteral("_1")); }
    QString focused() const;
    // Pages shown, as panel indexes (exactly one when the machine is right).
    QList<int> shownPages() const;

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base;
    Database db;
    QPointer<AutoComp> wizard;
};
