#include "childscreen.h"
#include "screenframe.h"
#include "common/platform.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

ChildScreen::ChildScreen(BaseComponent* base, QWidget* parent) : QWidget(parent), m_base(base)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &ChildScreen::escapePressed);
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
    ScreenFrame::useCommandKeys(this);
    ScreenFrame::nameControls(this);
    ScreenFrame::place(this, m_base->AppPath);
    return true;
}

void ChildScreen::fitFrame()
{
    auto* frame = parentWidget();
    if (!frame || !frame->inherits("QMdiSubWindow"))
        return;
    QSize wanted = frame->sizeHint().expandedTo(frame->minimumSizeHint());
    wanted.setWidth(std::max(wanted.width(), ScreenFrame::captionWidth(frame)));
    frame->resize(frame->size().expandedTo(wanted));
    // Placed by the workspace or kept from another session, it is in sight whole (smaller if it must be).
    ScreenFrame::keepInside(this);
    ScreenFrame::releaseMinimums(this);
}

void ChildScreen::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Its rows are read by now: the frame grows to show their columns.
    if (!m_shown) {
        m_shown = true;
        fitFrame();
    }
    // A screen opens with the focus inside it, on its list when it has one, so that the keys of
    // its commands work at once.
    QTimer::singleShot(0, this, [this] {
        // The workspace may have given it to the first toolbar button: that is no place to work.
        QWidget* focus = QApplication::focusWidget();
        if (!isVisible() || (isAncestorOf(focus) && !qobject_cast<QToolBar*>(focus->parentWidget())))
            return;
        // The first list in the order Tab follows, otherwise the first control Tab reaches.
        QWidget* first = nullptr;
        for (QWidget* next = nextInFocusChain(); next && next != this && isAncestorOf(next); next = next->nextInFocusChain()) {
            if (!next->isVisibleTo(this) || !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus))
                continue;
            if (qobject_cast<QAbstractItemView*>(next)) {
                first = next;
                break;
            }
            if (!first)
                first = next;
        }
        if (first)
            first->setFocus(Qt::OtherFocusReason);
    });
}

void ChildScreen::escapePressed()
{
    if (auto* cancel = findChild<QAction*>(QStringLiteral("BAnnulla")); cancel && cancel->isEnabled() && cancel->isVisible()) {
        // A key pressed by mistake never throws typed data away unasked.
        if (typedSinceEditStarted()
            && !Platform::instance().askDestructive(QStringLiteral("I Dati Digitati Andranno Persi.\r\rSi Desidera Annullare le Modifiche?"),
                                                    m_base->AppTitle))
            return;
        cancel->trigger();
        return;
    }
    close();
}

namespace {

// What a field holds, as far as typing changes it; null for a widget that holds nothing typed.
QString typedValue(const QWidget* w)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->text();
    if (auto* text = qobject_cast<const QPlainTextEdit*>(w))
        return text->toPlainText();
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->currentText();
    if (auto* button = qobject_cast<const QAbstractButton*>(w); button && button->isCheckable())
        return button->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return QString();
}

} // namespace

void ChildScreen::editStarted()
{
    m_editStart.clear();
    for (QWidget* w : findChildren<QWidget*>())
        if (const QString value = typedValue(w); !value.isNull())
            m_editStart.push_back({w, value});
}

bool ChildScreen::typedSinceEditStarted() const
{
    return std::any_of(m_editStart.cbegin(), m_editStart.cend(),
                       [](const auto& field) { return field.first && typedValue(field.first) != field.second; });
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
    ScreenFrame::remember(this, m_base->AppPath);
    if (m_opened)
        finishClosing();
    // The frame the main window gave the screen goes with it.
    if (QWidget* frame = parentWidget(); frame && frame->inherits("QMdiSubWindow"))
        frame->deleteLater();
}
