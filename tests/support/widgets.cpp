#include "widgets.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QLabel>
#include <QTimer>

namespace ui {

namespace {

// Where a control is cut by any widget it lies in, up to its screen's frame.
QString clipping(QWidget* control, QWidget* frame)
{
    for (QWidget* up = control->parentWidget(); up && up != frame->parentWidget(); up = up->parentWidget()) {
        const QRect inside(control->mapTo(up, QPoint(0, 0)), control->size());
        if (!up->rect().contains(inside))
            return QStringLiteral("cut by ") + up->metaObject()->className() + u' ' + up->objectName();
    }
    // A caption too narrow for its text: a button's, or a label's that neither wraps nor is a picture.
    const auto* label = qobject_cast<QLabel*>(control);
    const bool captioned = label ? !label->wordWrap() && label->pixmap().isNull() : qobject_cast<QAbstractButton*>(control) != nullptr;
    return captioned && control->width() < control->minimumSizeHint().width() ? QStringLiteral("caption cut") : QString();
}

// The parts of a grid (headers, corner, cell editors) or of a spin box are theirs to name.
bool partOfAControl(QWidget* w)
{
    for (QWidget* up = w->parentWidget(); up; up = up->parentWidget())
        if (qobject_cast<QAbstractItemView*>(up) || qobject_cast<QAbstractSpinBox*>(up)) return true;
    return false;
}

bool interactive(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w)
           || qobject_cast<QAbstractItemView*>(w);
}

QString described(QWidget* control)
{
    return QString::fromLatin1(control->metaObject()->className()) + u' ' + control->objectName() + u' ';
}

} // namespace

QStringList problems(QWidget* screen, QWidget* frame)
{
    QStringList found, spokenFields;
    QList<QWidget*> shown;
    for (QWidget* control : screen->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(frame) || partOfAControl(control) || (!interactive(control) && !qobject_cast<QLabel*>(control)))
            continue;
        const QString what = described(control);
        if (const QString cut = clipping(control, frame); !cut.isEmpty()) found << what + cut;
        // Pictures are decoration and may lie over one another.
        if (auto* label = qobject_cast<QLabel*>(control); !label || label->pixmap().isNull()) {
            const QRect place(control->mapTo(frame, QPoint(0, 0)), control->size());
            for (QWidget* other : shown)
                if (!other->isAncestorOf(control) && !control->isAncestorOf(other)
                    && place.intersects(QRect(other->mapTo(frame, QPoint(0, 0)), other->size())))
                    found << what + "over " + described(other);
            shown << control;
        }
        QAccessibleInterface* spoken = interactive(control) ? QAccessible::queryAccessibleInterface(control) : nullptr;
        const QString name = spoken ? spoken->text(QAccessible::Name).trimmed() : QString();
        if (spoken && name.isEmpty()) found << what + "without a name";
        if (qobject_cast<QLineEdit*>(control) && !name.isEmpty() && spokenFields.contains(name))
            found << what + "named as another field: " + name;
        spokenFields << name;
    }
    return found;
}

void click(QObject* root, const QString& name)
{
    if (auto* action = root->findChild<QAction*>(name)) {
        if (!action->isEnabled()) throw std::runtime_error(("action disabled: " + name).toStdString());
        action->trigger();
        return;
    }
    auto* button = find<QAbstractButton>(root, name);
    if (!button->isEnabled()) throw std::runtime_error(("button disabled: " + name).toStdString());
    button->click();
}

void type(QObject* root, const QString& name, const QString& text)
{
    auto* widget = find<QWidget>(root, name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->clear();
        edit->setCursorPosition(0);
    }
    QTest::keyClicks(widget, text);
}

void key(QObject* root, const QString& name, Qt::Key k, const QString& text)
{
    auto* widget = find<QWidget>(root, name);
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

void choose(QObject* root, const QString& name, const QString& entry)
{
    auto* combo = find<QComboBox>(root, name);
    const int index = combo->findText(entry);
    if (index < 0) throw std::runtime_error(("no entry " + entry + " in " + name).toStdString());
    combo->setCurrentIndex(index);
}

QString text(QObject* root, const QString& name)
{
    return find<QObject>(root, name)->property("text").toString();
}

bool enabled(QObject* root, const QString& name)
{
    const auto* action = root->findChild<QAction*>(name);
    return action ? action->isEnabled() : find<QWidget>(root, name)->isEnabled();
}

bool typable(QObject* root, const QString& name)
{
    auto* edit = find<QLineEdit>(root, name);
    return edit->isEnabled() && !edit->isReadOnly();
}

void onNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

void settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace ui
