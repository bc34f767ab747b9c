#include "errorbar.h"
#include "components/screenframe.h"

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
    // A refusal is read out as it appears: the user may not be looking at the status bar.
    ScreenFrame::announce(m_panel, text);
}

QString ErrorBar::text() const
{
    return m_panel->text();
}
