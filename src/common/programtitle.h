#pragma once
#include <QString>

// The product name: first part of every caption and title of most message boxes.
inline const QString ProgramTitle = QStringLiteral("Brevano V");
