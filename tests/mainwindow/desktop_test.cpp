// The screens as a desktop user meets them at 1024x768: each opens inside the main window, whole,
// every control named for a screen reader.
#include "mainwindowfixture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>

namespace {

// Where a control is cut by any widget it lies in, up to its screen's frame.
QString clipping(QWidget* control, QWidget* frame)
{
    for (QWidget* up = control->parentWidget(); up && up != frame->parentWidget(); up = up->parentWidget()) {
        const QRect inside(control->mapTo(up, QPoint(0, 0)), control->size());
        if (!up->rect().contains(inside))
            return QStringLiteral("cut by ") + up->metaObject()->className() + u' ' + up->objectName();
    }
    if (auto* label = qobject_cast<QLabel*>(control); label && !label->wordWrap() && label->pixmap().isNull()
        && control->width() < control->minimumSizeHint().width())
        return QStringLiteral("caption cut");
    if (qobject_cast<QAbstractButton*>(control) && control->width() < control->minimumSizeHint().width())
        return QStringLiteral("caption cut");
    return {};
}

// The parts of a grid (headers, corner, cell editors) are the grid's own business.
bool partOfAGrid(QWidget* w)
{
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<QAbstractItemView*>(up))
            return true;
    return false;
}

bool interactive(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
           || qobject_cast<QAbstractItemView*>(w);
}

// What a user would miss in a screen: controls cut by what they lie in, and controls a screen
// reader has no name for or names like another field.
QStringList problems(QWidget* screen, QWidget* frame)
{
    QStringList found, spokenFields;
    for (QWidget* control : screen->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(frame) || partOfAGrid(control) || (!interactive(control) && !qobject_cast<QLabel*>(control)))
            continue;
        const QString what = QString::fromLatin1(control->metaObject()->className()) + u' ' + control->objectName() + u' ';
        if (const QString cut = clipping(control, frame); !cut.isEmpty())
            found << what + cut;
        QAccessibleInterface* spoken = interactive(control) ? QAccessible::queryAccessibleInterface(control) : nullptr;
        const QString name = spoken ? spoken->text(QAccessible::Name).trimmed() : QString();
        if (spoken && name.isEmpty())
            found << what + "without a name";
        if (qobject_cast<QLineEdit*>(control) && !name.isEmpty() && spokenFields.contains(name))
            found << what + "named as another field: " + name;
        spokenFields << name;
    }
    return found;
}

} // namespace

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
        QFont bold = frame->font();
        bold.setBold(true);
        EXPECT_GT(frame->width(), QFontMetrics(bold).horizontalAdvance(frame->windowTitle())) << "caption cut";
        for (QToolBar* bar : frame->findChildren<QToolBar*>())
            for (QAction* a : bar->actions()) {
                if (a->isVisible() && bar->widgetForAction(a)) {
                    EXPECT_TRUE(bar->widgetForAction(a)->isVisible()) << "behind the toolbar's extension: "
                                                                      << a->objectName().toStdString();
                }
            }
        EXPECT_EQ(problems(frame->widget(), frame), QStringList());
        platform.answers.enqueue(Platform::Answer::Yes);
        frame->close();
        ui::settle();
    }

    // The opening stock is a dialog of its own, outside the workspace.
    QString modal;
    ui::onNextModal([&modal](QWidget* dialog) {
        modal = dialog->objectName();
        EXPECT_EQ(problems(dialog, dialog), QStringList());
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
