#include "childscreen.h"

#include <QCloseEvent>
#include <QTimer>

ChildScreen::ChildScreen(BaseComponent* base, QWidget* parent) : QWidget(parent), m_base(base)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

ChildScreen::~ChildScreen()
{
    if (m_opened)
        finishClosing();
}

bool ChildScreen::openScreen(const QString& caption)
{
    ++m_base->OpenScreenCount;
    m_opened = true;
    if (!m_base->CanOpenScreen()) {
        finishClosing();
        deleteLater();
        return false;
    }
    m_base->PrepareScreen(this);
    setWindowTitle(caption);
    m_base->PrepareWindow(winId());
    return true;
}

void ChildScreen::finishClosing()
{
    m_opened = false;
    m_base->ScreenClosed();
    --m_base->OpenScreenCount;
}

void ChildScreen::closeEvent(QCloseEvent* event)
{
    if (m_opened && !queryUnload()) {
        event->ignore();
        return;
    }
    if (m_opened)
        finishClosing();
    event->accept();
    // The frame the main window gave the screen goes with it.
    if (QWidget* frame = parentWidget(); frame && frame->inherits("QMdiSubWindow"))
        frame->deleteLater();
}
