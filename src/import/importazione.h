#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class Importazione : public ChildScreen
{
    Q_OBJECT
public:
    explicit Importazione(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("Importazione"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Importazione da Brevano IV")); }
};
