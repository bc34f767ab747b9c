#include "principale.h"
#include "startup/appglobals.h"

#include <QMdiArea>

Principale::Principale(AppGlobals& globals, QWidget* parent) : QMainWindow(parent), m_globals(globals)
{
    setObjectName(QStringLiteral("Principale"));
    m_workspace = new QMdiArea(this);
    setCentralWidget(m_workspace);
    setWindowTitle(m_globals.programTitle);
}
