#pragma once
#include "common/database.h"
#include "mainwindow/mainwindowfixture.h"
#include "wizard/autocomp.h"

// The wizard opened from the main window on fresh archives, today being 5 March 2041 in fiscal
// year "2041" (1 April 2041 to 31 March 2042).
class WizardTest : public MainWindowTest
{
protected:
    void SetUp() override;

    // Opens the wizard from the menu.
    AutoComp* open();
    // From the welcome page to step 2 with a target kind chosen.
    void toStep2(const QString& target);
    // On to step 3 with a source kind chosen.
    void toStep3(const QString& target, const QString& source);

    void addDdt(const QDate& date, int numInt, int customer);
    void addDdtRow(const QDate& date, int numInt, int riga);
    int count(const QString& table) const
    {
        return program.rows("data.mdb", "SELECT count(*) FROM " + table).value(0).toInt();
    }

    QString status(const QString& bar) const { return ui::text(wizard, bar + QStringLiteral("_1")); }
    QString focused() const;
    // The texts of some of the wizard's fields, joined by '|'.
    QString texts(const QStringList& fields) const;
    // Pages shown, as panel indexes (exactly one when the machine is right).
    QList<int> shownPages() const;

    Database db;
    QPointer<AutoComp> wizard;
};
