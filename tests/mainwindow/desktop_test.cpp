// The screens as a desktop user meets them at 1024x768: each opens inside the main window, whole,
// every control named for a screen reader, and the keyboard drives them.
#include "mainwindowfixture.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>

TEST_F(MainWindowTest, EveryMenuCommandOpensItsScreenInsideTheMainWindowWholeAndNamed)
{
    platform.todayDate = QDate(platform.todayDate.year(), platform.todayDate.month(), 28);
    Principale& w = openWindow();
    w.setWindowState(Qt::WindowNoState);
    w.resize(1024, 768);
    ui::settle();
    EXPECT_EQ(changedFrom("Principale", &w), QString());
    // Dialogs, actions and the exit are not screens of the workspace.
    const QStringList notScreens = {"BEsci", "BCS", "BInfo", "BRicEsercizio", "BAperGiac", "BSfondo", "BHELP", "BTarmel"};
    QStringList commands;
    for (QMenu* menu : w.menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->menu() && a->objectName().startsWith(u'B') && !notScreens.contains(a->objectName()))
                commands << a->objectName();

    // The dialogs of commands, the opening stock among them, open outside the workspace with the
    // normal pointer, and none is left busy after them.
    for (const char* command : {"BCS", "BInfo", "BRicEsercizio", "BAperGiac"}) {
        SCOPED_TRACE(command);
        bool busyOverDialog = true;
        ui::onNextModal([&](QWidget* dialog) {
            busyOverDialog = platform.busy;
            EXPECT_EQ(changedFrom(command, dialog), QString());
            EXPECT_EQ(ui::problems(dialog, dialog), QStringList());
            dialog->close();
        });
        click(command);
        EXPECT_FALSE(busyOverDialog || platform.busy);
    }

    // Each screen as it opens and after each command of its toolbar in turn, with what each said;
    // its first record deleted once every screen was seen, as a deletion shows on later screens.
    QRect area = window->workspace()->viewport()->rect();
    const QList<QStringList> passes = {{"BNuovo", "BSalva", "Z9", "BSalva", "BAnnulla", "BModifica", "BSalva", "BUltimo", "BIndietro", "BAvanti", "BPrimo", "BIndietro", "BUltimo", "BAvanti", "BModifica"}, {"BElimina"}};
    for (const QStringList& steps : passes)
    for (const QString& command : commands) {
        SCOPED_TRACE(command.toStdString());
        click(command);
        QMdiSubWindow* frame = window->workspace()->activeSubWindow();
        ASSERT_TRUE(frame) << "no screen inside the main window";
        EXPECT_TRUE(area.contains(frame->geometry())) << "frame outside the workspace";
        EXPECT_EQ(ui::problems(frame->widget(), frame), QStringList());
        EXPECT_FALSE(platform.busy) << "the pointer stays busy";
        QWidget* s = frame->widget();
        int n = steps.size() > 1 ? 0 : 15;
        if (!n) {  // another window activated, then this one again: as it opened, the cursor where it was,
                   // and Tab kept inside it
            QMdiSubWindow* other = window->workspace()->addSubWindow(new QLineEdit);
            other->show();
            window->workspace()->setActiveSubWindow(frame);
            ui::settle();
            EXPECT_EQ(changedFrom(command, s, 12), QString());
            delete other;
        }
        for (const QString& step : steps)  // a text is typed where a record is being written
            if (const QString button = step.startsWith(u'B') ? step : "BSalva"; ++n && s->findChild<QObject*>(button) && ui::enabled(s, button)) {
                platform.clear();
                button == step ? press(s, step) : typeKeys(step);
                EXPECT_EQ(ui::problems(s, frame), QStringList()) << step.toStdString();
                EXPECT_EQ(changedFrom(QString("%1-%2%3").arg(command).arg(n).arg(step), s, 12, messages()), QString());
            }
        // Esci, where the screen lets it, closes it as the frame's close button does, the record
        // being edited given up with its lock.
        platform.answers.enqueue(Platform::Answer::Yes);
        const QAction* esci = s->findChild<QAction*>("BEsci");
        esci && esci->isEnabled() ? press(s, "BEsci") : closeScreen(s);
        EXPECT_EQ(screenCount(), 0);
        EXPECT_EQ(program.lockHolders(), QStringList());
        EXPECT_EQ(base->EditingScreenCount, 0);
    }

    EXPECT_EQ(program.storedChanged("walk", rows("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")), QString())
        << "the company archive as the walk left it";

    // Opened beside another, or kept where a larger display showed it, a screen is in sight whole;
    // tiled narrow, a field shows the beginning of its value.
    click("BDDT");
    click("BGiacArt");
    EXPECT_TRUE(area.contains(window->workspace()->activeSubWindow()->geometry()));
    auto* divider = screen("objddt")->findChild<QSplitter*>();  // moved, a divider stays where it was left
    divider->setSizes({90, divider->height() - 90});
    const QList<int> sizes = divider->sizes();
    click("BAzienda");
    window->workspace()->tileSubWindows();
    for (const QLineEdit* field : screen("DatiAzienda")->findChildren<QLineEdit*>())
        EXPECT_EQ(field->cursorPosition(), 0) << field->objectName().toStdString();
    for (const QRect kept : {QRect(900, 700, 640, 900), QRect(10, 10, 40, 40)}) {  // or too small to show it
        window->workspace()->closeAllSubWindows();
        QSettings(program.file("finestre.ini"), QSettings::IniFormat).setValue("objgiacenze/geometria", kept);
        click("BGiacArt");
        const QMdiSubWindow* frame = window->workspace()->activeSubWindow();
        EXPECT_TRUE(area.contains(frame->geometry()) && frame->size() == frame->size().expandedTo(frame->minimumSizeHint()));
    }
    click("BDDT");
    EXPECT_EQ(screen("objddt")->findChild<QSplitter*>()->sizes(), sizes);

    // A screen larger than a small main window opens as large as its workspace.
    window->workspace()->closeAllSubWindows();
    QSettings(program.file("finestre.ini"), QSettings::IniFormat).remove("objddt");
    w.resize(640, 480);
    ui::settle();
    click("BDDT");
    EXPECT_TRUE(window->workspace()->viewport()->rect().contains(window->workspace()->activeSubWindow()->geometry()));
}

TEST_F(MainWindowTest, TheKeyboardDrivesAMaintenanceScreenAndItsMessagesAreReadOut)
{
    QWidget* s = openActive(QStringLiteral("BModPag"), QStringLiteral("ModPaga"));
    ASSERT_TRUE(s && s->isAncestorOf(QApplication::focusWidget())) << "a screen opens with the focus inside it";

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
    ASSERT_TRUE(ui::typable(s, QStringLiteral("tDesc"))) << "F2 starts the edit";
    auto* days = ui::find<QLineEdit>(s, QStringLiteral("R1"));
    days->setFocus();
    QTest::keyClicks(days, QStringLiteral("60"));
    days->insert(QStringLiteral("s"));  // a paste keeps digits only too
    EXPECT_EQ(days->text(), QStringLiteral("60"));
    QTest::keyClick(days, Qt::Key_S, Qt::ControlModifier);
    const QString refused = QStringLiteral("Numero Rate Diverso da Giorni Scadenze Rate");
    EXPECT_EQ(ui::text(s, QStringLiteral("SBMess_1")), refused);
    // What a screen reader says of the status panel when the alert comes is the reason itself.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(ui::find(s, QStringLiteral("SBMess_1")))->text(QAccessible::Name), refused);
    // A corrected value leaves no stale reason behind.
    ui::find<QLineEdit>(s, QStringLiteral("tRate"))->setFocus();
    QTest::keyClicks(ui::find<QLineEdit>(s, QStringLiteral("tRate")), QStringLiteral("1"));
    EXPECT_EQ(ui::text(s, QStringLiteral("SBMess_1")) + ui::text(s, QStringLiteral("tRate")), QStringLiteral("1"))
        << "a number field reached is selected whole, so typing replaces its 0";

    // Esc cancels the edit, then closes the screen.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(ui::typable(s, QStringLiteral("tDesc")));
    EXPECT_EQ(base->EditingScreenCount, 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ui::settle();
    EXPECT_FALSE(screen(QStringLiteral("ModPaga")));
}
