#include "maintenancebars.h"

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
        connect(action, &QAction::triggered, this, [this, key = key] { emit buttonClicked(key); });
    }
}

QAction* KeyedToolbar::button(const QString& key) const
{
    return findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
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
