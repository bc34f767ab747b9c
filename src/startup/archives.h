#pragma once
#include <QString>

struct AppGlobals;

// The archive check of the start-up: installs the archives from their templates on a first
// run, checks that the user, company and local archives exist and open, reads the company's
// currency settings from the first row of Azienda, and refuses to start while updated
// templates wait for the maintenance utility. Returns only when all is well; every failure
// shows its message and ends the program.
void OpenArchives(AppGlobals& globals, QString& baseCurrency, double& euroRate, qint16& euroDecimals,
                  qint16& baseCurrencyDecimals, const QString& connectString);
