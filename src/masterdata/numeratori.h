#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class Numeratori : public ChildScreen
{
    Q_OBJECT
public:
    explicit Numeratori(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("Numeratori"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Gestione Numeratori")); }
};
