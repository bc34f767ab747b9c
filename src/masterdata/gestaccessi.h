#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class GestAccessi : public ChildScreen
{
    Q_OBJECT
public:
    explicit GestAccessi(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("GestAccessi"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Gestione Blocco Dati")); }
};
