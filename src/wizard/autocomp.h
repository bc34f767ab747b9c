#pragma once
#include "components/childscreen.h"

// PENDING: placeholder until the screen is built.
class AutoComp : public ChildScreen
{
    Q_OBJECT
public:
    explicit AutoComp(BaseComponent* base, QWidget* parent = nullptr) : ChildScreen(base, parent)
    {
        setObjectName(QStringLiteral("AutoComp"));
    }
    bool openScreen() { return ChildScreen::openScreen(base()->AppTitle + QStringLiteral(" : Autocomposizione Documenti")); }
};
