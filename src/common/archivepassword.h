#pragma once
#include <QString>

// The connect string of the three archives, in the Jet form ";PWD=" and the password.
// The password is assembled from character codes so that it does not stand in the program
// as plain text.
inline QString archiveConnectString()
{
    const QChar password[] = {QChar(84), QChar(109), QChar(108)};
    return QStringLiteral(";PWD=") + QString(password, 3);
}
