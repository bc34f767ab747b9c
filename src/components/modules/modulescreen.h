#pragma once
#include "moduleviews.h"
#include "components/childscreen.h"

#include <QObject>
#include <QPointer>
#include <functional>

class ModuleComponent;
struct TableDefinition;

// A window of the main window that holds a read-only view.
class BrowserScreen : public ChildScreen
{
    Q_OBJECT
public:
    BrowserScreen(BaseComponent* base, const QString& name, BrowserSpec spec, QWidget* parent = nullptr);
    bool openScreen();

protected:
    // Esc and closing end the edit of a document first.
    void escapePressed() override;
    bool queryUnload() override;

private:
    QString m_title;
    RecordBrowser* m_view;
};

// The screen object a module component yields for one command. The shell calls Show on it by
// name: Show() brings up the screen (the open one when there is one), Show(1) shows it modal.
class ModuleScreen : public QObject
{
    Q_OBJECT
public:
    // Opens the window of the screen; null when it could not open.
    using Opener = std::function<QWidget*(BaseComponent* base)>;
    ModuleScreen(ModuleComponent* owner, const QString& name, Opener open, std::function<BrowserSpec()> modalView);

    Q_INVOKABLE void Show(int modal = 0);

private:
    void showModal(BaseComponent* base);

    ModuleComponent* m_owner;
    Opener m_open;
    std::function<BrowserSpec()> m_modalView;
    QPointer<QWidget> m_window;
};

// Openers for the kinds of screen.
ModuleScreen::Opener browserOpener(const QString& name, std::function<BrowserSpec()> view);
ModuleScreen::Opener tableOpener(const QString& name, const QString& title, const TableDefinition& table);
