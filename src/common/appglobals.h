#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class BaseComponent;
class QMainWindow;

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
    // Makes the main window once the user has signed in; the program sets it at start.
    std::function<QMainWindow*(AppGlobals&)> makeMainWindow;
};

AppGlobals& appGlobals();
