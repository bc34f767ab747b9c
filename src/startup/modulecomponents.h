#pragma once
#include <QString>

struct AppGlobals;

// Creates the base component "base.baseclass" and hands it the run-wide values, then the
// warehouse, invoicing and payments components, each given the base component as ObjBase.
// A base component that cannot be created ends the program; a module component that cannot be
// created stays absent, silently, with its flag false.
void CreateModuleComponents(AppGlobals& globals, const QString& baseCurrency, double euroRate, qint16 euroDecimals,
                            qint16 baseCurrencyDecimals, const QString& connectString);
