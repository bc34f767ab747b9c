#include "wizardfixture.h"

void WizardTest::SetUp()
{
    MainWindowTest::SetUp();
    platform.todayDate = QDate(2041, 3, 5);
    base->FiscalYear = QStringLiteral("2041");
    db = Database::open(program.dataDb(), ProgramFolder::connectString());
    db.execute(JetQuery("INSERT INTO Esercizio (Codice, DTIn, DTFi) VALUES ('2041', ")
               << Jet::date(QDate(2041, 4, 1)) << ", " << Jet::date(QDate(2042, 3, 31)) << ")");
}

AutoComp* WizardTest::open()
{
    wizard = qobject_cast<AutoComp*>(MainWindowTest::open(QStringLiteral("BAUTOCOMP"), QStringLiteral("AutoComp")));
    EXPECT_TRUE(wizard);
    return wizard;
}

void WizardTest::toStep2(const QString& target)
{
    ui::click(wizard, "CMD1");
    ui::choose(wizard, "CBLista1", target);
    ui::click(wizard, "CMD4");
}

void WizardTest::toStep3(const QString& target, const QString& source)
{
    toStep2(target);
    ui::choose(wizard, "CBLista2", source);
    ui::click(wizard, "CMD7");
}

void WizardTest::addDdt(const QDate& date, int numInt, int customer)
{
    db.execute(JetQuery("INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, "
                        "TotDDTLire, TotDDTLEURO) VALUES (")
               << Jet::date(date) << ", " << Jet::number(numInt) << ", " << Jet::number(numInt) << ", 'VEN', '2041', "
               << Jet::number(customer) << ", 193627.0, 100.0)");
}

void WizardTest::addDdtRow(const QDate& date, int numInt, int riga)
{
    db.execute(JetQuery("INSERT INTO DDTRig (DataReg, NumInt, Riga, idArticolo, Quantita, TotRigaLit, TotRigaEuro) "
                        "VALUES (")
               << Jet::date(date) << ", " << Jet::number(numInt) << ", " << Jet::number(riga)
               << ", 'ART001', 2.0, 36000.0, 18.59)");
}

QString WizardTest::focused() const
{
    QWidget* w = wizard->focusWidget();
    return w ? w->objectName() : QString();
}

QString WizardTest::texts(const QStringList& fields) const
{
    QStringList out;
    for (const QString& field : fields)
        out << ui::text(wizard, field);
    return out.join(u'|');
}

QList<int> WizardTest::shownPages() const
{
    QList<int> shown;
    for (int i = 0; i < 5; ++i) {
        auto* page = ui::find(wizard, QStringLiteral("PB_%1").arg(i));
        if (!page->isHidden() && page->isEnabled())
            shown << i;
        else
            EXPECT_TRUE(page->isHidden() && !page->isEnabled()) << "PB_" << i << " half shown";
    }
    return shown;
}
