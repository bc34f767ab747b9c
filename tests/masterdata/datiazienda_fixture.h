#pragma once
#include "common/database.h"
#include "components/base/baseclass.h"
#include "masterdata/datiazienda.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QLineEdit>
#include <QPointer>
#include <QSqlQuery>
#include <gtest/gtest.h>

// The company-data screen open on a fresh data folder, signed in as admin at POSTAZIONE1.
class CompanyScreenTest : public ::testing::Test
{
protected:
    void SetUp() override { openScreen(); }
    void TearDown() override { delete screen.data(); }

    void openScreen()
    {
        screen = new DatiAzienda(base.get());
        ASSERT_TRUE(screen->openScreen());
        screen->show();
        ui::settle();
    }

    QLineEdit* field(const char* name) { return ui::find<QLineEdit>(screen, QString::fromLatin1(name)); }
    void set(const char* name, const QString& text) { field(name)->setText(text); }
    QString panel1() { return ui::text(screen, "ErrorBar_1"); }
    bool editing() { return ui::typable(screen, "Text4"); }

    Database users() { return Database::open(folder.userDb(), ProgramFolder::connectString()); }
    QVariant stored(const char* column)
    {
        JetQuery q("SELECT ");
        q << Jet::identifier(QString::fromLatin1(column)) << " FROM Azienda WHERE id = 1";
        Rows row = users().select(q);
        return row.next() ? row.value(0) : QVariant();
    }
    // The holders of lock rows, as "user@workstation".
    QStringList lockHolders()
    {
        QStringList holders;
        Rows rows = users().select(JetQuery("SELECT [User], Postazione FROM Accessi ORDER BY id"));
        while (rows.next())
            holders << rows.value(0).toString() + "@" + rows.value(1).toString();
        return holders;
    }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<BaseClass> base = folder.makeBase("admin", "POSTAZIONE1");
    QPointer<DatiAzienda> screen;
};
