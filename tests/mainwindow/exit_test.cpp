// Leaving the program from the main window, and the menu lock kept in the layout file.
#include "mainwindowfixture.h"

#include "common/recordset.h"

#include <QFile>
#include <QToolBar>

namespace {

const QStringList Bands = {"Menù Generale", "BAnag", "BMaga", "BFatt", "BPaga", "BStandard"};

} // namespace

class Exit : public MainWindowTest
{
protected:
    void addLock(const QString& user, const QString& workstation, const QString& key)
    {
        JetQuery insert("INSERT INTO Accessi (User, Postazione, Modulo, DescFrm, Tabella, Chiave1) VALUES (");
        insert << Jet::text(user) << ", " << Jet::text(workstation) << ", 'BREVANO V', 'Dati Aziendali', 'Azienda', "
               << Jet::text(key) << ")";
        userDb().execute(insert);
    }

    QStringList locks()
    {
        QStringList out;
        Recordset rows = Recordset::open(userDb(), JetQuery("SELECT * FROM Accessi ORDER BY Chiave1"),
                                         Recordset::Type::Snapshot);
        for (; !rows.isEOF(); rows.MoveNext())
            out << rows.value(QStringLiteral("User")).toString() + u'@' + rows.value(QStringLiteral("Postazione")).toString();
        return out;
    }

    QString fiscalYearOf(const QString& user)
    {
        JetQuery q("SELECT esercizio FROM Password WHERE Codice = ");
        q << Jet::text(user);
        Rows row = userDb().select(q);
        return row.next() ? row.value(0).toString() : QStringLiteral("<none>");
    }

    QVector<qint32> flags() const
    {
        QVector<qint32> out;
        for (const QString& band : Bands)
            out << window->bandFlags(band);
        return out;
    }

    QVector<bool> movable() const
    {
        QVector<bool> out;
        for (QToolBar* band : window->findChildren<QToolBar*>())
            out << band->isMovable();
        return out;
    }

    // Leaves with Yes to the question: the program ends.
    void leave()
    {
        EXPECT_EXIT(
            {
                window->close();
                std::fprintf(stderr, "STILL RUNNING\n");
                std::_Exit(1);
            },
            ::testing::ExitedWithCode(0), "PROGRAM ENDED");
    }
};

TEST_F(Exit, NoKeepsTheWindowAndAScreenInEditModeRefusesTheExit)
{
    Principale& w = openWindow();
    platform.answers.enqueue(Platform::Answer::No);
    click(QStringLiteral("BEsci"));
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[0]),
              QStringLiteral("MESSAGE|none|yesno|Brevano V|Si Desidera Terminare la Sessione di Lavoro?"));
    EXPECT_TRUE(w.isVisible());

    platform.clear();
    base->EditingScreenCount = 1;
    EXPECT_FALSE(w.close());
    ASSERT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(ScriptedPlatform::describe(platform.messages[1]),
              QStringLiteral("MESSAGE|critical|ok|Brevano V|Attenzione: Non è possibile Uscire se delle Maschere sono in "
                             "Modifica!"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(w.layoutFile()));
}

TEST_F(Exit, YesStoresTheFiscalYearDropsThisWorkstationsLocksAndSavesTheLayout)
{
    addLock(QStringLiteral("admin"), QStringLiteral("POSTAZIONE1"), QStringLiteral("1"));
    addLock(QStringLiteral("ADMIN"), QStringLiteral("postazione1"), QStringLiteral("2"));
    addLock(QStringLiteral("admin"), QStringLiteral("POSTAZIONE2"), QStringLiteral("3"));
    addLock(QStringLiteral("mario"), QStringLiteral("POSTAZIONE1"), QStringLiteral("4"));
    // The code as typed at sign-in finds the user whatever its case.
    base->UserName = QStringLiteral("Admin");
    base->FiscalYear = QStringLiteral("2031");
    openWindow();
    leave();
    EXPECT_EQ(fiscalYearOf(QStringLiteral("admin")), QStringLiteral("2031"));
    EXPECT_EQ(fiscalYearOf(QStringLiteral("mario")), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(locks(), (QStringList{"admin@POSTAZIONE2", "mario@POSTAZIONE1"}));
    EXPECT_TRUE(QFile::exists(program.file(QStringLiteral("layout.tb"))));
}

TEST_F(Exit, AFailingCleanUpLetsTheWindowCloseSilently)
{
    Principale& w = openWindow();
    QFile::remove(program.userDb());
    EXPECT_TRUE(w.close());
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Exit, LockingTheMenuTwiceReturnsEveryBandToItsFirstStateAcrossARestart)
{
    Principale& w = openWindow();
    const QVector<qint32> first = flags();
    EXPECT_EQ(ui::text(&w, QStringLiteral("MBlocca")), QStringLiteral("Menù S&bloccati"));
    EXPECT_FALSE(w.menusLocked());

    click(QStringLiteral("MBlocca"));
    EXPECT_EQ(ui::text(&w, QStringLiteral("MBlocca")), QStringLiteral("Menù &Bloccati"));
    QVector<qint32> locked = first;
    for (qint32& f : locked)
        f += 256;
    EXPECT_EQ(flags(), locked);
    EXPECT_EQ(movable(), QVector<bool>(5, false));
    leave();

    window.reset();
    openWindow();
    EXPECT_TRUE(window->menusLocked());
    EXPECT_EQ(ui::text(window.get(), QStringLiteral("MBlocca")), QStringLiteral("Menù &Bloccati"));
    EXPECT_EQ(flags(), locked);
    EXPECT_EQ(movable(), QVector<bool>(5, false));

    click(QStringLiteral("MBlocca"));
    EXPECT_EQ(ui::text(window.get(), QStringLiteral("MBlocca")), QStringLiteral("Menù S&bloccati"));
    EXPECT_EQ(flags(), first);
    leave();

    window.reset();
    openWindow();
    EXPECT_FALSE(window->menusLocked());
    EXPECT_EQ(flags(), first);
    EXPECT_EQ(movable(), QVector<bool>(5, true));
}

TEST_F(Exit, AMissingOrDamagedLayoutFileGivesTheDefaultLayout)
{
    for (const QByteArray& content : {QByteArray("garbage"), QByteArray("{\"state\": \"AAAA\", \"locked\": true, "
                                                                        "\"bands\": {\"BAnag\": 256}}")}) {
        QFile file(program.file(QStringLiteral("layout.tb")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        openWindow();
        EXPECT_FALSE(window->menusLocked());
        EXPECT_EQ(flags(), QVector<qint32>(6, 0));
        EXPECT_EQ(movable(), QVector<bool>(5, true));
        EXPECT_TRUE(window->findChild<QToolBar*>(QStringLiteral("BFatt"))->isVisible());
        window.reset();
    }
}
