#include "errorbar.h"

#include <QLabel>

ErrorBar::ErrorBar(const QString& name, QWidget* parent) : QStatusBar(parent), m_panel(new QLabel(this))
{
    setObjectName(name);
    setSizeGripEnabled(false);
    m_panel->setObjectName(name + QStringLiteral("_1"));
    addWidget(m_panel, 1);
}

void ErrorBar::setText(const QString& text)
{
    m_panel->setText(text);
}

QString ErrorBar::text() const
{
    return m_panel->text();
}
