#pragma once
#include <QObject>
#include <QPointer>
#include <QString>

class BaseComponent;

// The entry procedure's globals, alive for the whole run.
struct AppGlobals
{
    QString programTitle;
    QString programFolder;      // the folder of the executable, no final separator
    QString localDbPath;
    QString connectString;
    QString dataFolder;         // ends with the separator
    QString dataDbPath;
    QString userDbPath;
    qint32 clientMode = 0;
    BaseComponent* base = nullptr;
    QObject* warehouse = nullptr;
    QObject* invoicing = nullptr;
    QObject* payments = nullptr;
};

AppGlobals& appGlobals();
