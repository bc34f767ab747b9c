// Leaving the program from the main window, and the menu lock kept in the layout file.
#include "mainwindowfixture.h"
#include "common/processidentity.h"
#include "mainwindow/workspace.h"

#include <QFile>

class Exit : public MainWindowTest
{
protected:
    void SetUp() override { MainWindowTest::SetUp(); platform.todayDate = QDate(2031, 6, 28); }  // shown in the status bar
    // The main window as its snapshot of bands locked in place or free.
    QString bands(bool locked) const
    {
        return changedFrom(locked ? "Principale-bloccato" : "Principale-libero", window.get());
    }
    // Leaves with Yes to the question, in a process of its own: the program ends, and a lock the
    // session still holds goes with it.
    void leave()
    {
        LockIdentity held{.owner = "BREVANO V", .screenTitle = "Zone", .table = "Zone"};
        held.keyFields[0] = "Codice";
        EXPECT_EXIT({
            if (!base->lock(LockMode::Acquire, held)) std::_Exit(2);
            window->close();
            std::fprintf(stderr, "STILL RUNNING\n");
            std::_Exit(1);
        }, ::testing::ExitedWithCode(0), "PROGRAM ENDED");
    }
};

// A screen in edit mode holds back the exit and the data folder configuration alike.
TEST_F(Exit, AScreenInEditModeRefusesTheExit)
{
    Principale& w = openWindow();
    QWidget* terms = open("BModPag", "ModPaga");
    press(terms, "BModifica");
    click("BCS");
    EXPECT_FALSE(w.close()) << "the window stays";
    // The configuration is refused; the exit is asked, then refused.
    ASSERT_EQ(platform.messages.size(), 3);
    EXPECT_TRUE(platform.messages[0].text.contains("Alcune Maschere sono in Modifica"));
    EXPECT_EQ(platform.messages[2].text, "Attenzione: Non è possibile Uscire se delle Maschere sono in Modifica!");
    EXPECT_EQ(screenCount(), 1);
    EXPECT_FALSE(QFile::exists(w.layoutFile()));
}

// Leaving stores the fiscal year and drops this workstation's locks; locked menus keep every band
// in place, across a restart, until they are unlocked.
TEST_F(Exit, YesStoresTheYearDropsTheLocksAndKeepsTheMenuLockAcrossARestart)
{
    // Locks of an ended copy here and elsewhere; never taken for ended: two written otherwise, one of another installation.
    const QString ours = lockHolderIdentity(base->LocalDbPath, base->ConnectString).section(u'/', 0, 0);
    for (const char* holder : {"'admin', 'POSTAZIONE1', '1', '/1@0'", "'ADMIN', 'postazione1', '2', '/1@0'", "'admin', 'POSTAZIONE2', '3', '/1@0'",
                               "'mario', 'POSTAZIONE1', '4', '/1@0'", "'admin', 'POSTAZIONE1', '5', '/1'", "'admin', 'POSTAZIONE1', '6', '/x@0'",
                               "'admin', 'POSTAZIONE1', '7', 'altra/1@0'"})
        program.exec("user.mdb", QString("INSERT INTO Accessi (User, Postazione, Chiave1, Processo, Modulo, DescFrm, Tabella) VALUES (%1, "
                                         "'BREVANO V', 'Dati Aziendali', 'Azienda')").arg(QString(holder).replace("'/", "'" + ours + "/")));
    // The code as typed at sign-in finds the user whatever its case.
    base->UserName = "Admin";
    base->FiscalYear = "2031";
    openWindow();
    click("MBlocca");
    EXPECT_EQ(bands(true), QString());
    // The background chosen shows from the next start (stored where no option was): the program's own, two others, then none.
    program.exec("locdata.mdb", "DELETE FROM OpzUtente");
    const QStringList backgrounds{program.file("Sfondo.jpg"), program.file("ImageTarmel.png"), program.file("ImageTarmel2.png"), ""};
    const auto chooseBackground = [&](int start) {
        EXPECT_EQ(window->background()->pictureFile(), backgrounds[start]);
        platform.filesToChoose.enqueue(backgrounds[start + 1]);
        click("BSfondo");
    };
    chooseBackground(0);
    window->setGeometry(40, 30, 700, 500);
    leave();
    EXPECT_EQ(program.rows("user.mdb", "SELECT Codice || '=' || esercizio FROM Password ORDER BY Codice"),
              (QStringList{"admin=2031", "mario=" + QString::number(QDate::currentDate().year())}));
    EXPECT_EQ(program.lockHolders(), (QStringList{"admin@POSTAZIONE2", "mario@POSTAZIONE1", "admin@POSTAZIONE1", "admin@POSTAZIONE1", "admin@POSTAZIONE1"}));

    for (bool lockedAtStart : {true, false}) {
        SCOPED_TRACE(lockedAtStart);
        window.reset();
        openWindow();
        EXPECT_EQ(window->normalGeometry(), QRect(40, 30, 700, 500));
        window->showMaximized();
        EXPECT_EQ(bands(lockedAtStart), QString());
        chooseBackground(lockedAtStart ? 1 : 2);
        click("MBlocca");
        leave();
    }

    // A missing or damaged layout file gives the default layout.
    for (const QByteArray& content : {QByteArray("garbage"), QByteArray("{\"state\": \"AAAA\", \"locked\": true, "
                                                                        "\"bands\": {\"BAnag\": 256}}")}) {
        QFile file(program.file("layout.tb"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        window.reset();
        openWindow();
        EXPECT_EQ(bands(false), QString());
        EXPECT_EQ(window->normalGeometry(), window->screen()->availableGeometry()) << "un-maximised, it fills the screen";
        EXPECT_FALSE(window->background()->hasPicture());
        EXPECT_EQ(window->background()->viewport()->grab().toImage().pixelColor(5, 5), window->background()->background().color());
    }
}
