#include "keyfilterinstall.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(QWidget* widget, KeyFilter filter) : QObject(widget), m_filter(std::move(filter)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || m_replaying)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab moves between fields: it is no typed character.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return false;
        const QString typed = key->text();
        if (typed.size() != 1 || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        QString current;
        int cursor = -1;
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            current = edit->text();
            cursor = edit->cursorPosition();
            if (edit->hasSelectedText()) {
                current.remove(edit->selectionStart(), edit->selectedText().size());
                cursor = edit->selectionStart();
            }
        }
        const QChar result = m_filter(typed.at(0), current, cursor);
        if (result.isNull())
            return true;
        if (result == typed.at(0))
            return false;
        // The key arrives in the widget as the character the filter chose.
        QKeyEvent replaced(QEvent::KeyPress, result == QChar(8) ? int(Qt::Key_Backspace) : 0,
                           key->modifiers(), QString(result));
        m_replaying = true;
        QApplication::sendEvent(watched, &replaced);
        m_replaying = false;
        return true;
    }

private:
    KeyFilter m_filter;
    bool m_replaying = false;
};

} // namespace

void installKeyFilter(QWidget* widget, KeyFilter filter)
{
    widget->installEventFilter(new KeyFilterObject(widget, std::move(filter)));
}
