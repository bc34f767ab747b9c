#include "baseclass.h"
#include "common/keyfilters.h"
#include "common/platform.h"

#include <QDateTime>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

BaseClass::BaseClass(QObject* parent) : BaseComponent(parent) {}
BaseClass::~BaseClass() = default;

bool BaseClass::CanOpenScreen()
{
    if (OpenScreenCount <= MaxOpenScreens)
        return true;
    Platform::instance().inform(QStringLiteral("Troppe maschere aperte: chiuderne qualcuna e ritentare."), AppTitle);
    return false;
}

void BaseClass::PrepareScreen(QWidget* screen)
{
    // Child screens live in the main window's workspace when there is one.
    if (!m_mainWindow || screen->parentWidget())
        return;
    if (auto* area = qobject_cast<QMdiArea*>(m_mainWindow->centralWidget())) {
        QMdiSubWindow* frame = area->addSubWindow(screen);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->setWindowIcon(m_mainWindow->windowIcon());
    }
}

void BaseClass::PrepareWindow(WId)
{
    // The window handle needs no treatment: PrepareScreen already placed the screen.
}

void BaseClass::ScreenClosed() {}

void BaseClass::PrepareDialog(QWidget* dialog)
{
    if (m_mainWindow)
        dialog->setWindowIcon(m_mainWindow->windowIcon());
}

void BaseClass::setMainWindow(QMainWindow* window)
{
    m_mainWindow = window;
}

QMainWindow* BaseClass::MainWindow() const
{
    return m_mainWindow;
}

void BaseClass::RegisterSignIn(const QString& owner, const QString& user, const QString& workstation, QVariant& out)
{
    // The sign-in is remembered as "who, where, when"; the caller reads nothing back.
    out = QStringLiteral("%1|%2|%3|%4").arg(owner, user, workstation,
                                            QDateTime::currentDateTime().toString(Qt::ISODate));
}

QChar BaseClass::FilterTextKey(QChar key) { return filterTextKey(key); }
QChar BaseClass::FilterDigitKey(QChar key) { return filterDigitKey(key); }
QChar BaseClass::FilterDecimalKey(QChar key, const QString& textSoFar, int cursorPosition)
{
    return filterDecimalKey(key, textSoFar, cursorPosition);
}

void BaseClass::FocusAndSelectAll(QWidget* control)
{
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    // The fields selected whole are line edits: no screen selects a spin box or a text area.
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->selectAll();
}
