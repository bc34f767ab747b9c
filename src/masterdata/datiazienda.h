#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class DatiAzienda : public ChildScreen
{
    Q_OBJECT
public:
    explicit DatiAzienda(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("DatiAzienda"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Dati Aziendali")); }
};
