#pragma once
#include "support/programfolder.h"
#include "support/scriptedplatform.h"
#include "support/widgets.h"

#include "common/database.h"
#include "components/base/baseclass.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>
#include <memory>

// The base component of a signed-in administrator, with a main window whose workspace takes
// the screens.
class ComponentsTest : public ::testing::Test
{
protected:
    ComponentsTest()
    {
        mainWindow.setCentralWidget(new QMdiArea(&mainWindow));
        base->setMainWindow(&mainWindow);
        mainWindow.resize(1000, 700);
        mainWindow.show();
    }

    ~ComponentsTest() override
    {
        // Screens go before the base component they report to.
        for (QMdiSubWindow* frame : workspace()->subWindowList())
            delete frame;
    }

    QMdiArea* workspace() const { return static_cast<QMdiArea*>(mainWindow.centralWidget()); }
    Database dataDb() const { return Database::open(program.dataDb(), ProgramFolder::connectString()); }

    template <size_t N>
    QVariant valueOf(const char (&sql)[N])
    {
        Rows row = dataDb().select(JetQuery(sql));
        return row.next() ? row.value(0) : QVariant();
    }

    template <size_t N>
    QVariant valueOf(const char (&sql)[N], const QString& value)
    {
        JetQuery q(sql);
        q << Jet::text(value);
        Rows row = dataDb().select(q);
        return row.next() ? row.value(0) : QVariant();
    }

    ScriptedPlatform platform;
    ProgramFolder program{ProgramFolder::WholeProgram};
    std::unique_ptr<BaseClass> base = program.makeBase();
    QMainWindow mainWindow;
};
