#include "splash.h"
#include "accesso.h"
#include "common/appglobals.h"

#include "common/platform.h"
#include "components/basecomponent.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The picture box's own size, kept when there is no picture to show.
constexpr QSize EmptyPictureSize(480, 300);
} // namespace

frmSplash::frmSplash(AppGlobals& globals, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_globals(globals)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(globals.programTitle);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_picture->setFocusPolicy(Qt::StrongFocus);
    m_picture->installEventFilter(this);
    QPixmap picture;
    if (picture.load(globals.programFolder + QDir::separator() + QStringLiteral("Splash.bmp"))) {
        m_picture->setPixmap(picture);
        m_picture->setFixedSize(picture.size());
    } else {
        Platform::instance().refuse(QStringLiteral("Impossibile trovare l'immagine di avvio"), globals.programTitle);
        m_picture->setFixedSize(EmptyPictureSize);
    }

    // The invitation lies on the lower edge of the picture.
    auto* label = new QLabel(QStringLiteral("Clicca qui per proseguire, Esc per uscire"), m_picture);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color: white; background: rgba(0, 0, 0, 110); padding: 4px;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setGeometry(0, m_picture->height() - 28, m_picture->width(), 28);

    setFixedSize(m_picture->size());
    if (globals.base)
        globals.base->PrepareDialog(this);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(5000);
    connect(m_timer, &QTimer::timeout, this, &frmSplash::proceed);
    m_timer->start();
}

void frmSplash::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_picture->setFocus(Qt::ActiveWindowFocusReason);
    QWidget::changeEvent(event);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_picture && event->type() == QEvent::MouseButtonRelease) {
        proceed();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Keys pressed in the picture box arrive here too: a label leaves them to its window.
void frmSplash::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        proceed();
        return;
    case Qt::Key_Escape:
        m_leaving = true;
        m_timer->stop();
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmSplash::proceed()
{
    if (m_leaving)
        return;
    m_leaving = true;
    m_timer->stop();
    // The sign-in is on screen before the splash goes, so that a window always remains.
    auto* signIn = new Accesso(m_globals);
    signIn->show();
    close();
}
