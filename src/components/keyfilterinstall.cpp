#include "keyfilterinstall.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeyFilterObject : public QObject
{
public:
    KeyFilterObject(QWidget* widget, KeyFilter filter) : QObject(widget), m_filter(std::move(filter)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
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
        return m_filter(typed.at(0), current, cursor).isNull();
    }

private:
    KeyFilter m_filter;
};

} // namespace

void installKeyFilter(QWidget* widget, KeyFilter filter)
{
    widget->installEventFilter(new KeyFilterObject(widget, std::move(filter)));
}
