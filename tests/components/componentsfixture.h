#pragma once
#include "mainwindow/mainwindowfixture.h"

// The component screens of a signed-in administrator, opened through the main window's commands.
class ComponentsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        openWindow();
    }

    QMdiArea* workspace() const { return window->workspace(); }

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
};
