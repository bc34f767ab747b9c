#pragma once
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/session.h"
#include "support/snapshot.h"
#include "support/widgets.h"

#include "common/database.h"
#include "components/base/recordsetmodel.h"
#include "mainwindow/principale.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

// A signed-in user of a whole program folder in front of the main window; screens are opened
// through its menu commands, as users open them.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { signIn(QStringLiteral("admin"), true); }
    void TearDown() override { window.reset(); EXPECT_FALSE(platform.busy) << "the pointer left busy"; }

    void signIn(const QString& user, bool administrator)
    {
        window.reset();
        session = std::make_unique<Session>(program.path(), user, platform.workstation, administrator);
        base = session->base.get();
        globals = session->globals;
    }

    // Loads and shows the main window as the sign-in does.
    Principale& openWindow()
    {
        window = std::make_unique<Principale>(globals);
        globals.base->setMainWindow(window.get());
        window->show();
        window->activateWindow();
        ui::settle();
        return *window;
    }

    // Runs a menu command and returns the screen it opened, named so; throws when none opened.
    QWidget* open(const QString& command, const QString& screenName)
    {
        if (!window) openWindow();
        click(command);
        if (QWidget* s = screen(screenName)) {
            watchLists(s);
            return s;
        }
        throw std::runtime_error(("no screen " + screenName + " after " + command).toStdString());
    }

    // Qt's model tester stops the process on a change of a screen's list that breaks the rules views
    // rely on. Not on lists read a page at a time: the tester fetches more rows while it hears of a
    // reset, before it takes the reset as ended, and then holds those rows against the reset.
    static void watchLists(QWidget* s)
    {
        for (QAbstractItemView* list : s->findChildren<QAbstractItemView*>())
            if (QAbstractItemModel* m = list->model();
                m && !qobject_cast<RecordsetModel*>(m) && !m->findChild<QAbstractItemModelTester*>())
                new QAbstractItemModelTester(m, QAbstractItemModelTester::FailureReportingMode::Fatal, m);
    }

    // The same with the main window the active one, as the keyboard needs it.
    QWidget* openActive(const QString& command, const QString& screenName)
    {
        QApplication::setActiveWindow(&openWindow());
        return open(command, screenName);
    }
    // A screen or dialog as it stands against its snapshot of that name: the first differing line.
    QString changedFrom(const QString& name, QWidget* w, int tabs = 0, const QStringList& said = {}) const
    {
        return snapshot::compare(name, snapshot::describe(w, program.path(), tabs, said));
    }
    // The child screen of the workspace named so; null when there is none.
    QWidget* screen(const QString& name) const
    {
        for (QMdiSubWindow* frame : window->workspace()->subWindowList())
            if (frame->widget() && frame->widget()->objectName() == name) return frame->widget();
        return nullptr;
    }

    int screenCount() const { return int(window->workspace()->subWindowList().size()); }

    void click(const QString& tool)
    {
        ui::click(window.get(), tool);
        ui::settle();
    }
    // Clicks a control or toolbar command of one screen.
    static void press(QWidget* s, const QString& name)
    {
        ui::click(s, name);
        ui::settle();
    }
    // A key, or text one key at a time, to whatever has the focus (a grid's cell editor opens on the first).
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
        ui::settle();
    }
    static void tabs(int n) { while (n-- > 0) key(Qt::Key_Tab); }
    static void typeKeys(const QString& text)
    {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
            ui::settle();
        }
    }
    // Nuovo on the open document screen, dated 31 December of this year, for the counterpart typed:
    // the cursor then stands in the rows.
    static void startDocument(const QString& counterpart)
    {
        key(Qt::Key_N, Qt::ControlModifier);
        key(Qt::Key_Home);
        typeKeys("3112" + QString::number(QDate::currentDate().year()));
        key(Qt::Key_Tab);
        typeKeys(counterpart);
        key(Qt::Key_Tab);
    }
    // Closes a screen as its frame's close button does.
    static void closeScreen(QWidget* s)
    {
        s->parentWidget()->close();
        ui::settle();
    }

    Database userDb() const { return Database::open(program.userDb(), ProgramFolder::connectString()); }
    Database dataDb() const { return Database::open(program.dataDb(), ProgramFolder::connectString()); }
    // What the company archive holds: the rows a statement selects, its first value, a table's row count.
    QStringList rows(const QString& sql) const { return program.rows("data.mdb", sql); }
    QString one(const QString& sql) const { return rows(sql).value(0); }
    int count(const QString& table) const { return one("SELECT count(*) FROM " + table).toInt(); }
    static int gridRows(QWidget* s) { return ui::find<QTableView>(s, "TDBGTabella")->model()->rowCount(); }

    QString panel(int n) const { return ui::text(window.get(), QStringLiteral("StatusBar1_%1").arg(n)); }
    QStringList messages() const
    {
        QStringList out;
        for (const auto& m : platform.messages) out << ScriptedPlatform::describe(m);
        return out;
    }

    ScriptedPlatform platform;
    ProgramFolder program{ProgramFolder::WholeProgram};
    std::unique_ptr<Session> session;
    BaseClass* base = nullptr;
    AppGlobals globals;
    std::unique_ptr<Principale> window;
};
