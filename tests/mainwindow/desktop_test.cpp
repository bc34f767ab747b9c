// The screens as a desktop user meets them at 1024x768: each opens inside the main window, whole,
// every control named for a screen reader. The main window's background picture.
#include "mainwindowfixture.h"

#include "mainwindow/workspace.h"

#include <QAccessible>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

TEST_F(MainWindowTest, EveryMenuCommandOpensItsScreenInsideTheMainWindowWholeAndNamed)
{
    Principale& w = openWindow();
    w.setWindowState(Qt::WindowNoState);
    w.resize(1024, 768);
    ui::settle();
    // Dialogs, actions and the exit are not screens of the workspace.
    const QStringList notScreens = {"BEsci", "BCS", "BInfo", "BRicEsercizio", "BAperGiac", "BSfondo", "BHELP", "BTarmel"};
    QStringList commands;
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->menu() && a->objectName().startsWith(u'B') && !notScreens.contains(a->objectName()))
                commands << a->objectName();
    ASSERT_GE(commands.size(), 50);

    QRect area = window->workspace()->viewport()->rect();
    for (const QString& command : commands) {
        SCOPED_TRACE(command.toStdString());
        click(command);
        QMdiSubWindow* frame = window->workspace()->activeSubWindow();
        ASSERT_TRUE(frame) << "no screen inside the main window";
        ASSERT_FALSE(frame->isWindow());
        EXPECT_TRUE(area.contains(frame->geometry())) << "frame outside the workspace";
        EXPECT_GT(frame->widget()->height(), 200) << "opened as a bare title bar";
        for (QToolBar* bar : frame->findChildren<QToolBar*>())
            for (QAction* a : bar->actions()) {
                if (a->isVisible() && bar->widgetForAction(a)) {
                    EXPECT_TRUE(bar->widgetForAction(a)->isVisible()) << "hidden: " << a->objectName().toStdString();
                }
            }
        EXPECT_EQ(ui::problems(frame->widget(), frame), QStringList());
        platform.answers.enqueue(Platform::Answer::Yes);
        frame->close();
        ui::settle();
    }

    // The opening stock is a dialog of its own, outside the workspace.
    QString modal;
    ui::onNextModal([&modal](QWidget* dialog) {
        modal = dialog->objectName();
        EXPECT_EQ(ui::problems(dialog, dialog), QStringList());
        ui::click(dialog, "BEsci");
    });
    click("BAperGiac");
    EXPECT_EQ(modal, "objapergiac");
    EXPECT_TRUE(window->workspace()->subWindowList().isEmpty());
}

TEST_F(MainWindowTest, TheKeyboardDrivesAMaintenanceScreenAndItsMessagesAreReadOut)
{
    Principale& w = openWindow();
    QApplication::setActiveWindow(&w);
    click(QStringLiteral("BModPag"));
    QWidget* s = screen(QStringLiteral("ModPaga"));
    ASSERT_TRUE(s);
    ASSERT_TRUE(s->isAncestorOf(QApplication::focusWidget())) << "a screen opens with the focus inside it";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_TRUE(ui::typable(s, QStringLiteral("tDesc"))) << "F2 starts the edit";
    // A digits-only field keeps digits whatever arrives (a letter, a paste).
    auto* days = ui::find<QLineEdit>(s, QStringLiteral("R1"));
    days->setFocus();
    QTest::keyClicks(days, QStringLiteral("60s"));
    days->insert(QStringLiteral("s"));
    EXPECT_EQ(days->text(), QStringLiteral("60"));
    QTest::keyClick(days, Qt::Key_S, Qt::ControlModifier);
    const QString refused = QStringLiteral("Numero Rate Diverso da Giorni Scadenze Rate");
    EXPECT_EQ(ui::text(s, QStringLiteral("SBMess_1")), refused);
    // What a screen reader says of the status panel when the alert comes is the reason itself.
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(ui::find<QWidget>(s, QStringLiteral("SBMess_1")));
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->text(QAccessible::Name), refused);
    // A corrected value leaves no stale reason behind.
    ui::find<QLineEdit>(s, QStringLiteral("tRate"))->setFocus();
    QTest::keyClicks(ui::find<QLineEdit>(s, QStringLiteral("tRate")), QStringLiteral("1"));
    EXPECT_EQ(ui::text(s, QStringLiteral("SBMess_1")), QString());

    // Esc cancels the edit, then closes the screen.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(ui::typable(s, QStringLiteral("tDesc")));
    EXPECT_EQ(base->EditingScreenCount, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ui::settle();
    EXPECT_FALSE(screen(QStringLiteral("ModPaga")));
}

// The background of the workspace, kept in the workstation's options (OpzUtente) for the next start.
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
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(stored(), picture);
    EXPECT_EQ(area->pictureFile(), program.file("Sfondo.jpg")) << "until the next start";
    EXPECT_EQ(restart()->pictureFile(), picture);

    // No choice: No keeps the background, Yes removes it from the next start.
    platform.answers.enqueue(Platform::Answer::No);
    click("BSfondo");
    EXPECT_EQ(stored(), picture);
    click("BSfondo");
    EXPECT_EQ(stored(), "Senza");
    EXPECT_FALSE(restart()->hasPicture());

    // An empty options table gets its row.
    program.exec("locdata.mdb", "DELETE FROM OpzUtente");
    EXPECT_TRUE(restart()->hasPicture());
    platform.filesToChoose.enqueue("/immagini/logo.gif");
    click("BSfondo");
    EXPECT_EQ(stored(), "/immagini/logo.gif");
}
