#pragma once
#include <QtWidgets> // the widgets the tests drive, with the core
#include <QTest>
#include <functional>
#include <stdexcept>

// Finding and driving widgets by objectName, as a user would.
namespace ui {

template <typename T = QWidget>
T* find(QObject* root, const QString& name)
{
    T* found = root->objectName() == name ? qobject_cast<T*>(root) : nullptr;
    if (!found) found = root->findChild<T*>(name);
    if (!found) throw std::runtime_error(("no widget named " + name).toStdString());
    return found;
}

// Clicks a button or triggers a toolbar action named so.
void click(QObject* root, const QString& name);
// Types text into a field through its key handling (filters included), after clearing it.
void type(QObject* root, const QString& name, const QString& text);
// Presses one key in a widget.
void key(QObject* root, const QString& name, Qt::Key key, const QString& text = QString());
// Chooses a list entry by its text.
void choose(QObject* root, const QString& name, const QString& entry);
QString text(QObject* root, const QString& name);
bool enabled(QObject* root, const QString& name);
// A field the user can type into (enabled and not read-only).
bool typable(QObject* root, const QString& name);
// Runs a function on the next modal dialog that opens (for look-ups and file dialogs).
void onNextModal(std::function<void(QWidget*)> action);
void settle();
// What a user would miss in a screen shown in frame: controls cut by what they lie in or lying
// over one another, and controls a screen reader has no name for or names like another field.
QStringList problems(QWidget* screen, QWidget* frame);

} // namespace ui
