#pragma once
#include "mainwindow/mainwindowfixture.h"
#include "wizard/autocomp.h"

// The wizard opened from the main window on fresh archives, today being 5 March 2041 in fiscal
// year "2041" (1 April 2041 to 31 March 2042).
class WizardTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        platform.todayDate = QDate(2041, 3, 5);
        base->FiscalYear = "2041";
        program.exec("data.mdb", "INSERT INTO Esercizio (Codice, DTIn, DTFi) VALUES ('2041', '2041-04-01', '2042-03-31')");
    }

    void open()
    {
        wizard = qobject_cast<AutoComp*>(MainWindowTest::open("BAUTOCOMP", "AutoComp"));
        ASSERT_TRUE(wizard);
    }
    // From the welcome page to step 2 with a target kind chosen.
    void toStep2(const QString& target)
    {
        ui::click(wizard, "CMD1");
        ui::choose(wizard, "CBLista1", target);
        ui::click(wizard, "CMD4");
    }
    // On to step 3 with a source kind chosen.
    void toStep3(const QString& target, const QString& source)
    {
        toStep2(target);
        ui::choose(wizard, "CBLista2", source);
        ui::click(wizard, "CMD7");
    }

    void addDdt(const QDate& date, int numInt, int customer)
    {
        const QString sql = "INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, "
                            "TotDDTLire, TotDDTLEURO) VALUES ('%1', %2, %2, 'VEN', '2041', %3, 193627.0, 100.0)";
        program.exec("data.mdb", sql.arg(date.toString(Qt::ISODate)).arg(numInt).arg(customer));
    }

    QString status(const QString& bar) const { return ui::text(wizard, bar + "_1"); }
    QString focused() const { return wizard->focusWidget() ? wizard->focusWidget()->objectName() : QString(); }
    // The texts of some of the wizard's fields, joined by '|'.
    QString texts(const QStringList& fields) const
    {
        QStringList out;
        for (const QString& field : fields) out << ui::text(wizard, field);
        return out.join(u'|');
    }
    // Pages shown, as panel indexes (exactly one when the machine is right).
    QList<int> shownPages() const
    {
        QList<int> shown;
        for (int i = 0; i < 5; ++i)
            if (!ui::find(wizard, QString("PB_%1").arg(i))->isHidden()) shown << i;
        return shown;
    }

    QPointer<AutoComp> wizard;
};
