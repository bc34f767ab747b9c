#pragma once
#include "basecomponent.h"

#include <QPointer>
#include <QWidget>

// A child screen of the main window. Opening raises OpenScreenCount and asks CanOpenScreen
// (false: the screen closes at once), then PrepareScreen (which places it in the main window)
// and PrepareWindow; closing runs queryUnload() (which may refuse), then ScreenClosed and
// lowers OpenScreenCount. A closed screen is deleted; its owner creates a new one next time.
// Like any desktop window it opens at a size that shows it (or where the user left it on this
// workstation), its toolbar commands have keys, and Esc cancels an edit (the screen's enabled
// `BAnnulla`) or else closes it.
class ChildScreen : public QWidget
{
    Q_OBJECT
public:
    explicit ChildScreen(BaseComponent* base, QWidget* parent = nullptr);
    ~ChildScreen() override;

    // Runs the opening sequence; false when the screen may not open (it is then closed).
    bool openScreen(const QString& caption);
    BaseComponent* base() const { return m_base; }
    bool isOpened() const { return m_opened; }

    // Sizes the frame again to show the screen, after its content changed.
    void fitFrame();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Esc: cancels the edit in progress, or closes the screen.
    virtual void escapePressed();
    // Asked before the screen closes; false keeps it open.
    virtual bool queryUnload() { return true; }
    // Called once an edit has started and the fields show what it starts from: Esc then asks
    // before it drops whatever is typed afterwards.
    void editStarted();

private:
    void finishClosing();
    bool typedSinceEditStarted() const;

    BaseComponent* m_base;
    bool m_opened = false;
    bool m_shown = false;
    // The fields' values when the edit started.
    QList<std::pair<QPointer<QWidget>, QString>> m_editStart;
};

// Brings up a screen of the main window, creating it on first use and reusing the one instance
// while it is open.
template <typename Screen, typename... Args>
Screen* showScreen(QPointer<Screen>& instance, Args&&... args)
{
    if (!instance) {
        instance = new Screen(std::forward<Args>(args)...);
        if (!instance->openScreen())
            return nullptr;
    }
    if (instance) {
        QWidget* frame = instance->parentWidget() ? instance->parentWidget() : instance.data();
        frame->show();
        instance->show();
        frame->raise();
        frame->activateWindow();
    }
    return instance;
}
