#pragma once
#include <QHash>
#include <QMainWindow>
#include <memory>

struct AppGlobals;
class CommandDispatcher;
class QCloseEvent;
class QAction;
class QLabel;
class QToolBar;
class QMdiArea;
class Workspace;

// The main window: the menu bar "Menù Generale" with its pull-down menus, the tool bands, the
// status bar `StatusBar1` (panels `StatusBar1_1` user, `StatusBar1_2` fiscal year,
// `StatusBar1_3` date) and the workspace where child screens open over the background
// picture. Every tool click goes to the command dispatch. Closing asks, refuses while screens
// are in edit mode, stores the fiscal year, drops this user's locks at this workstation, saves
// the menu layout and ends the program.
//
// The bands' flag words: LockedBandFlag (menulayout.h) is the lock flag; the lock item `MBlocca` adds it to every band
// when checked and takes it away when unchecked, and a locked tool band cannot be moved. Bands
// of absent modules are hidden on first activation and after a layout is loaded, and are left
// out of the bands' context menu, so they cannot come back by hand.
class Principale : public QMainWindow
{
    Q_OBJECT
public:
    explicit Principale(AppGlobals& globals, QWidget* parent = nullptr);
    ~Principale() override;

    QMdiArea* workspace() const;
    Workspace* background() const { return m_workspace; }

    // Shows the module menus and bands of the modules that were loaded, hides the others.
    void ApplyModuleMenus();
    // Asks for a new background picture; it applies from the next start.
    void ChooseBackground();
    // Carries out a command key of the menus.
    void DispatchCommand(const QString& key);

    qint32 bandFlags(const QString& band) const { return m_bandFlags.value(band); }
    bool menusLocked() const;
    // Panel 2 of the status bar.
    void setFiscalYearPanel(const QString& text);
    QString layoutFile() const;
    // The bands' context menu, without the bands of absent modules.
    QMenu* createPopupMenu() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildWindowMenu();
    void buildStatusBar();
    void loadLayout();
    void applyLock();
    void toolClicked(const QString& name);
    void toggleLock();
    void loadBackground();
    void storeBackground(const QString& value);
    void saveLayout(const QString& file) const;
    QStringList absentModuleBands() const;

    AppGlobals& m_globals;
    Workspace* m_workspace;
    QHash<QString, qint32> m_bandFlags;
    QHash<QString, QAction*> m_menus;   // the pull-down menus by tool name
    QHash<QString, QToolBar*> m_bands;  // the tool bands by name
    QAction* m_lock = nullptr;          // the lock item `MBlocca`
    QLabel* m_panels[3] = {};
    bool m_activated = false;
    std::unique_ptr<CommandDispatcher> m_dispatcher;
};
