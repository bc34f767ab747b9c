#include "widgets.h"

#include <QTimer>
#include <QToolButton>

namespace ui {

void click(QObject* root, const QString& name)
{
    if (auto* action = root->findChild<QAction*>(name)) {
        if (!action->isEnabled())
            throw std::runtime_error(("action disabled: " + name).toStdString());
        action->trigger();
        return;
    }
    auto* button = find<QAbstractButton>(root, name);
    if (!button->isEnabled())
        throw std::runtime_error(("button disabled: " + name).toStdString());
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
    if (index < 0)
        throw std::runtime_error(("no entry " + entry + " in " + name).toStdString());
    combo->setCurrentIndex(index);
}

QString text(QObject* root, const QString& name)
{
    QObject* object = root->findChild<QObject*>(name);
    if (!object && root->objectName() == name)
        object = root;
    if (!object)
        throw std::runtime_error(("no widget named " + name).toStdString());
    return object->property("text").toString();
}

bool enabled(QObject* root, const QString& name)
{
    if (auto* action = root->findChild<QAction*>(name))
        return action->isEnabled();
    return find<QWidget>(root, name)->isEnabled();
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
