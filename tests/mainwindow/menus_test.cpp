// The main window's status bar, the menus of absent modules, and the background picture.
#include "mainwindowfixture.h"

#include "mainwindow/workspace.h"

#include <QMenu>


TEST_F(MainWindowTest, TheStatusBarShowsUserFiscalYearAndDate)
{
    platform.todayDate = QDate(2026, 3, 7);
    base->FiscalYear = QStringLiteral("2026");
    openWindow();
    EXPECT_EQ(panel(1) + "|" + panel(2) + "|" + panel(3),
              "Utente Collegato : admin|Esercizio Azienda : 2026   |Data : 07/03/2026   ");
    window.reset();
    base->FiscalYear.clear();
    openWindow();
    EXPECT_EQ(panel(2), QStringLiteral("Esercizio Azienda : Non Definito   "));
}

// The background of the workspace, kept in the workstation's options (OpzUtente).
TEST_F(MainWindowTest, TheBackgroundIsChosenForTheNextStartRemovedOrLeftAsItWas)
{
    auto stored = [this] { return program.rows("locdata.mdb", "SELECT Sfondo FROM OpzUtente").value(0); };
    auto restart = [this] {
        window.reset();
        openWindow();
        return window->background();
    };
    Workspace* area = restart();
    EXPECT_EQ(area->pictureFile(), program.file("Sfondo.jpg")) << "the shipped picture by default";

    const QString picture = program.file("Splash.bmp");
    platform.filesToChoose.enqueue(picture);
    click("BSfondo");
    EXPECT_EQ(platform.fileFilters.value(0), "Pictures (*.bmp;*.ico;*.jpg;*.gif)|*.bmp;*.ico;*.jpg;*.gif");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|none|ok|Brevano V|Lo Sfondo è stato Modificato. Le Modifiche Avranno "
                                      "Effetto dal Prossimo Riavvio"});
    EXPECT_EQ(stored(), picture);
    EXPECT_EQ(area->pictureFile(), program.file("Sfondo.jpg")) << "until the next start";
    area = restart();
    EXPECT_EQ(area->pictureFile(), picture);

    // No choice: No keeps the background, Yes removes it from the next start.
    platform.clear();
    platform.answers.enqueue(Platform::Answer::No);
    click("BSfondo");
    click("BSfondo");
    EXPECT_EQ(messages(), (QStringList{"MESSAGE|none|yesno|Brevano V|Non è stato Selezionato uno Sfondo, si Desidera "
                                       "Cancellare quello Esistente?",
                                       "MESSAGE|none|yesno|Brevano V|Non è stato Selezionato uno Sfondo, si Desidera "
                                       "Cancellare quello Esistente?",
                                       "MESSAGE|none|ok|<none>|Lo Sfondo è stato Eliminato. Le Modifiche Avranno "
                                       "Effetto dal Prossimo Riavvio"}));
    EXPECT_EQ(stored(), "Senza");
    EXPECT_TRUE(area->hasPicture());
    EXPECT_FALSE(restart()->hasPicture());

    // An unreadable picture is ignored; a failing dialog is said; an empty options table gets its row.
    program.exec("locdata.mdb", "UPDATE OpzUtente SET Sfondo = '" + program.file("Layout.grx") + "'");
    EXPECT_FALSE(restart()->hasPicture());
    platform.clear();
    platform.fileDialogFails = true;
    click("BSfondo");
    EXPECT_EQ(messages(), QStringList{"MESSAGE|critical|ok|Brevano V|Errore Durante l' Apertura dell' Immagine..."});
    platform.fileDialogFails = false;
    program.exec("locdata.mdb", "DELETE FROM OpzUtente");
    EXPECT_TRUE(restart()->hasPicture());
    platform.filesToChoose.enqueue("/immagini/logo.gif");
    click("BSfondo");
    EXPECT_EQ(stored(), "/immagini/logo.gif");
}

// The Finestra menu lists the open screens, the active one checked, and brings the one chosen forward.
TEST_F(MainWindowTest, TheWindowMenuListsTheScreensAndBringsOneForward)
{
    QWidget* terms = open("BModPag", "ModPaga");
    QWidget* company = open("BAzienda", "DatiAzienda");
    auto* menu = ui::find<QMenu>(window.get(), "MFinestra_menu");
    menu->popup(QPoint(0, 0));
    ui::settle();
    QStringList listed;
    QAction* termsItem = nullptr;
    for (QAction* a : menu->actions())
        if (a->isCheckable()) {
            listed << a->text() + (a->isChecked() ? " *" : "");
            if (a->text().contains("Modalità Pagamento"))
                termsItem = a;
        }
    menu->hide();
    EXPECT_EQ(listed, (QStringList{"&1 " + terms->parentWidget()->windowTitle(), "&2 " + company->parentWidget()->windowTitle() + " *"}));
    ASSERT_TRUE(termsItem);
    termsItem->trigger();
    ui::settle();
    EXPECT_EQ(window->workspace()->activeSubWindow()->widget(), terms);
}
