#include "modulecomponents.h"
#include "common/appglobals.h"
#include "workstation.h"

#include "components/basecomponent.h"
#include "components/componentfactory.h"

#include <QVariant>

namespace {

QObject* createModule(AppGlobals& g, const char* identifier, bool& loaded)
{
    QObject* module = createComponent(g.programFolder, QString::fromLatin1(identifier));
    if (module) {
        loaded = true;
        module->setProperty("ObjBase", QVariant::fromValue<QObject*>(g.base));
    }
    return module;
}

} // namespace

void CreateModuleComponents(AppGlobals& g, const QString& baseCurrency, double euroRate, qint16 euroDecimals,
                            qint16 baseCurrencyDecimals, const QString& connectString)
{
    QObject* created = createComponent(g.programFolder, QStringLiteral("base.baseclass"));
    auto* base = qobject_cast<BaseComponent*>(created);
    if (!base) {
        delete created;
        Platform::instance().refuse(QStringLiteral("Errore Caricamento Modulo Base!"), g.programTitle);
        Platform::instance().endProgram();
    }
    g.base = base;

    base->UserName = QString();
    base->WorkstationName = GetWorkstationName();
    base->AppTitle = g.programTitle;
    base->FiscalYear = QString();
    base->ConnectString = connectString;
    base->DataFolder = g.dataFolder;
    base->DataDbPath = g.dataDbPath;
    base->LocalDbPath = g.localDbPath;
    base->UserDbPath = g.dataFolder + QStringLiteral("user.mdb");
    base->ClientMode = g.clientMode;
    base->BaseCurrency = baseCurrency;
    base->BaseCurrencyDecimals = baseCurrencyDecimals;
    base->EuroDecimals = euroDecimals;
    base->EuroRate = euroRate;
    base->AppPath = g.programFolder;
    base->ConnectString = connectString;

    g.userDbPath = g.dataFolder + QStringLiteral("user.mdb");

    g.warehouse = createModule(g, "maga.magaclass", base->WarehouseModuleLoaded);
    g.invoicing = createModule(g, "fatt.fattclass", base->InvoicingModuleLoaded);
    g.payments = createModule(g, "paga.pagaclass", base->PaymentsModuleLoaded);
}
