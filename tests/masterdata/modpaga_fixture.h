#pragma once
#include "common/database.h"
#include "components/base/baseclass.h"
#include "masterdata/modpaga.h"
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QSqlQuery>
#include <gtest/gtest.h>

// A base component that remembers the mode of every lock call it serves.
class CountingBase : public BaseClass
{
public:
    void RecordLock(qint16& mode, QString& owner, QString& screenTitle, QString& table, QString& keyValue1,
                    QString& keyValue2, QString& keyValue3, QString& keyField1, QString& keyField2,
                    QString& keyField3, qint16& keyKind1, qint16& keyKind2, qint16& keyKind3, QString& archive,
                    bool& always, bool& result) override
    {
        modes << mode;
        BaseClass::RecordLock(mode, owner, screenTitle, table, keyValue1, keyValue2, keyValue3, keyField1, keyField2,
                              keyField3, keyKind1, keyKind2, keyKind3, archive, always, result);
    }
    QList<int> modes;
};

// The payment-terms screen on a fresh data folder, signed in as admin at POSTAZIONE1.
class PaymentTermsTest : public ::testing::Test
{
protected:
    PaymentTermsTest()
    {
        const auto plain = folder.makeBase("admin", "POSTAZIONE1");
        base->AppTitle = plain->AppTitle;
        base->AppPath = ProgramFolder::builtProgramDir();  // where the banner pictures are
        base->DataDbPath = plain->DataDbPath;
        base->UserDbPath = plain->UserDbPath;
        base->ConnectString = plain->ConnectString;
        base->UserName = plain->UserName;
        base->WorkstationName = plain->WorkstationName;
    }
    void TearDown() override { delete screen.data(); }

    void openScreen()
    {
        screen = new ModPaga(base.get());
        ASSERT_TRUE(screen->openScreen());
        screen->show();
        ui::settle();
    }

    QLineEdit* field(const QString& name) { return ui::find<QLineEdit>(screen, name); }
    void set(const QString& name, const QString& text) { field(name)->setText(text); }
    QString panel1() { return ui::text(screen, "SBMess_1"); }
    bool frameEnabled() { return ui::typable(screen, "tDesc"); }
    void click(const char* key) { ui::click(screen, QString::fromLatin1(key)); ui::settle(); }

    Database data() { return Database::open(folder.dataDb(), ProgramFolder::connectString()); }
    int termCount()
    {
        Rows q = data().select(JetQuery("SELECT count(*) FROM ModPag"));
        q.next();
        return q.value(0).toInt();
    }
    // The stored columns of a term (empty when there is none), found as the archive finds codes.
    QVariantMap stored(const QString& code)
    {
        Rows q = data().select(JetQuery("SELECT * FROM ModPag WHERE Codice = ") << Jet::text(code));
        QVariantMap row;
        if (q.next())
            for (const char* column : {"Codice", "Desc", "Rate", "FineMese", "Scad1", "Scad2", "Scad3", "Scad4"})
                row[QString::fromLatin1(column)] = q.value(QString::fromLatin1(column));
        return row;
    }
    QStringList lockKeys()
    {
        Database users = Database::open(folder.userDb(), ProgramFolder::connectString());
        Rows q = users.select(JetQuery("SELECT Tabella, Chiave1, [User], Postazione FROM Accessi ORDER BY id"));
        QStringList keys;
        while (q.next())
            keys << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                q.value(3).toString()}.join(u'|');
        return keys;
    }

    ScriptedPlatform platform;
    ProgramFolder folder;
    std::unique_ptr<CountingBase> base = std::make_unique<CountingBase>();
    QPointer<ModPaga> screen;
};
