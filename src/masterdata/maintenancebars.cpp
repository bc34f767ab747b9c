#include "maintenancebars.h"

#include "components/screenframe.h"

#include <QAction>

KeyedToolbar::KeyedToolbar(const QString& name, const std::vector<Button>& buttons, QWidget* parent)
    : QToolBar(parent)
{
    setObjectName(name);
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const auto& [key, caption] : buttons) {
        QAction* action = addAction(caption);
        action->setObjectName(key);
        m_buttons.insert(key, action);
        connect(action, &QAction::triggered, this, [this, key = key] { emit buttonClicked(key); });
    }
}

QAction* KeyedToolbar::button(const QString& key) const
{
    return m_buttons.value(key);
}

void KeyedToolbar::setButtonsEnabled(const QStringList& keys, bool enabled)
{
    for (const QString& key : keys)
        if (QAction* action = button(key))
            action->setEnabled(enabled);
}

PanelStatusBar::PanelStatusBar(const QString& name, QWidget* parent) : QStatusBar(parent)
{
    setObjectName(name);
    setSizeGripEnabled(false);
    m_panel1 = new QLabel(this);
    m_panel1->setObjectName(name + QStringLiteral("_1"));
    addWidget(m_panel1, 1);
}

void PanelStatusBar::setPanel1(const QString& text)
{
    ScreenFrame::announce(m_panel1, text);
}

void PanelStatusBar::refuse(const QString& text, const QList<QLineEdit*>& fields)
{
    setPanel1(text);
    // A corrected value leaves no stale reason behind.
    for (QLineEdit* field : fields)
        connect(field, &QLineEdit::textEdited, m_panel1, [this, text] {
            if (m_panel1->text() == text)
                setPanel1(QString());
        }, Qt::SingleShotConnection);
}
