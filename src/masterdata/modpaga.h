#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class ModPaga : public ChildScreen
{
    Q_OBJECT
public:
    explicit ModPaga(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("ModPaga"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(": Modalità Pagamento")); }
};
