#pragma once
#include <QMainWindow>

struct AppGlobals;
class QMdiArea;

// PENDING: the main window's menus, status bar, background and exit come with its own work.
class Principale : public QMainWindow
{
    Q_OBJECT
public:
    explicit Principale(AppGlobals& globals, QWidget* parent = nullptr);
    QMdiArea* workspace() const { return m_workspace; }

private:
    AppGlobals& m_globals;
    QMdiArea* m_workspace;
};
