#include "fieldevents.h"

#include <QEvent>
#include <QWidget>

namespace {

class EventHook : public QObject
{
public:
    EventHook(QWidget* widget, QEvent::Type type, std::function<void()> action)
        : QObject(widget), m_type(type), m_action(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    // A disabled field takes no part, as a user cannot reach it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == m_type && static_cast<QWidget*>(watched)->isEnabled())
            m_action();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_action;
};

} // namespace

void onDoubleClick(QWidget* widget, std::function<void()> action)
{
    new EventHook(widget, QEvent::MouseButtonDblClick, std::move(action));
}

void onFocusIn(QWidget* widget, std::function<void()> action)
{
    new EventHook(widget, QEvent::FocusIn, std::move(action));
}
