#pragma once
#include <QDialog>

struct AppGlobals;

// PENDING: placeholder until the data-folder configuration screen is built.
class RicercaServer : public QDialog
{
    Q_OBJECT
public:
    explicit RicercaServer(AppGlobals& globals, QWidget* parent = nullptr) : QDialog(parent), m_globals(globals)
    {
        setObjectName(QStringLiteral("RicercaServer"));
    }

private:
    AppGlobals& m_globals;
};
