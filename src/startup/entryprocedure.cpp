#include "entryprocedure.h"

#include <QLabel>

void EntryProcedure::run()
{
    auto* label = new QLabel(QStringLiteral("Brevano V"));
    label->setAttribute(Qt::WA_DeleteOnClose);
    label->show();
}
