#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class Localita : public ChildScreen
{
    Q_OBJECT
public:
    explicit Localita(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("Localita"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Località geografiche")); }
};
