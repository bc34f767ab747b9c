#include "commands.h"
#include "components/basecomponent.h"

#include <QHash>
#include <QVector>

QString commandKeyOfTool(const QString& toolName)
{
    static const QHash<QString, QString> keys = {
        {"BAttivita", "attività"},      {"BBanche", "banche"},           {"BCauDoc", "caudocumenti"},
        {"BIVA", "aliva"},              {"BDepositi", "depositi"},       {"BEsercizio", "esercizio"},
        {"BSettMerc", "settmerc"},      {"BTipiPag", "tipopag"},         {"BUM", "unità"},
        {"BValute", "valute"},          {"BZone", "zone"},               {"BCatAge", "catagenti"},
        {"BCatArt", "catarticoli"},     {"BCatCli", "catclienti"},       {"BCatFor", "catfornitori"},
        {"BCatMat", "catmateriali"},    {"BCatSer", "catservizi"},       {"BAccessi", "password"},
        {"BLoc", "località"},           {"BModPag", "modpaga"},          {"BAzienda", "azienda"},
        {"BNumeratori", "numeratori"},  {"BGestLoc", "gestioneloc"},     {"BImporta", "importadati"},
        {"BAUTOCOMP", "AUTOCOMP"},      {"BCS", "server"},               {"BInfo", "info"},
        {"BRicEsercizio", "ricesercizio"}, {"BHELP", "aiuto"},           {"BTarmel", "tarmel"},
        {"BAgenti", "agenti"},          {"BArticoli", "articoli"},       {"BClienti", "clienti"},
        {"BFornitori", "fornitori"},    {"BListini", "listini"},         {"BMateriali", "materiali"},
        {"BServizi", "servizi"},        {"BVettori", "vettori"},         {"BGestImm", "gestimm"},
        {"BGiacArt", "giacenzeart"},    {"BCauMag", "caumag"},           {"BMovMaga", "movmaga"},
        {"BDDT", "ddt"},                {"BDistinta", "distinta"},       {"BRESO", "reso"},
        {"BInventa", "inventario"},     {"BAperGiac", "apergiac"},       {"BGestGiac", "gestionegiacenze"},
        {"BFATAC", "FATAC"},            {"BFATVE", "FATVE"},             {"BFATPRO", "FATPRO"},
        {"BFATSE", "FATSE"},            {"BFATNC", "FATNC"},             {"BFATND", "FATND"},
        {"BStat", "STAT"},              {"BAgRiep", "riepage"},          {"BORDAC", "ORDAC"},
        {"BORDVE", "ORDVE"},            {"BSCAD", "SCAD"},               {"BPREV", "prev"},
    };
    return keys.value(toolName);
}

const TableCommand* tableCommand(const QString& key)
{
    static const QVector<TableCommand> commands = {
        {"attività", 3, "Tabella Attività", "attivita", 0, false},
        {"banche", 11, "Coordinate Bancarie", "banche", 11, false},
        {"caudocumenti", 7, "Causali Documenti", "causalidoc", 0, false},
        {"aliva", 5, "Tabella Codici ed Aliquote I.V.A.", "iva", 5, false},
        {"depositi", 12, "Depositi", "depositi", 12, false},
        {"esercizio", 9, "Esercizi Azienda", "esercizio", 9, false},
        {"settmerc", 4, "Tabella Settori Merceologici", "settmerc", 0, false},
        {"tipopag", 2, "Tabella Tipi di Pagamento", "tipopag", 2, false},
        {"unità", 1, "Tabella Unità di Misura", "um", 0, false},
        {"valute", 10, "Tabella Valute", "Valute", 10, false},
        {"zone", 0, "Tabella Zone", "zone", 0, false},
        {"catagenti", 15, "Categoria Agenti", "catage", 0, false},
        {"catarticoli", 13, "Categoria Articoli", "catart", 0, false},
        {"catclienti", 8, "Categoria Clienti", "catcli", 0, false},
        {"catfornitori", 14, "Categoria Fornitori", "catfor", 0, false},
        {"catmateriali", 16, "Categoria Materiali", "catmat", 0, false},
        {"catservizi", 17, "Categoria Servizi", "catser", 0, false},
        {"password", 6, "Gestione Accessi", "password", 6, true},
    };
    // Keys compare exactly, accents and case included.
    for (const TableCommand& c : commands)
        if (c.key == key)
            return &c;
    return nullptr;
}

QString gridLayoutName(qint16 kind)
{
    switch (kind) {
    case 0: return QStringLiteral("base");
    case 2: return QStringLiteral("tipopag");
    case 5: return QStringLiteral("iva");
    case 6: return QStringLiteral("password");
    case 9: return QStringLiteral("esercizio");
    case 10: return QStringLiteral("valute");
    case 11: return QStringLiteral("banche");
    case 12: return QStringLiteral("depositi");
    default: return QString();
    }
}

BaseScreen baseScreenCommand(const QString& key)
{
    static const QHash<QString, BaseScreen> screens = {
        {"agenti", &BaseComponent::AgentsForm},       {"articoli", &BaseComponent::ArticlesForm},
        {"clienti", &BaseComponent::CustomersForm},   {"fornitori", &BaseComponent::SuppliersForm},
        {"listini", &BaseComponent::PriceListsForm},  {"materiali", &BaseComponent::MaterialsForm},
        {"servizi", &BaseComponent::ServicesForm},    {"vettori", &BaseComponent::CarriersForm},
        {"gestimm", &BaseComponent::ImageManagerForm},
    };
    return screens.value(key, nullptr);
}

const ModuleCommand* moduleCommand(const QString& key)
{
    static const QVector<ModuleCommand> commands = {
        {"giacenzeart", Module::Warehouse, "objgiacenze", false},
        {"caumag", Module::Warehouse, "objcaumag", false},
        {"movmaga", Module::Warehouse, "objmovmaga", false},
        {"ddt", Module::Warehouse, "objddt", false},
        {"distinta", Module::Warehouse, "objdistinta", false},
        {"reso", Module::Warehouse, "objreso", false},
        {"inventario", Module::Warehouse, "objinventario", false},
        {"apergiac", Module::Warehouse, "objapergiac", true},
        {"gestionegiacenze", Module::Warehouse, "objgestgiac", false},
        {"FATAC", Module::Invoicing, "objFATAC", false},
        {"FATVE", Module::Invoicing, "objFATVE", false},
        {"FATPRO", Module::Invoicing, "objFATPRO", false},
        {"FATSE", Module::Invoicing, "objFATSE", false},
        {"FATNC", Module::Invoicing, "objFATNC", false},
        {"FATND", Module::Invoicing, "objFATND", false},
        {"STAT", Module::Invoicing, "objgraf", false},
        {"riepage", Module::Invoicing, "objriepage", false},
        {"ORDAC", Module::Payments, "objORDAC", false},
        {"ORDVE", Module::Payments, "objORDVE", false},
        {"SCAD", Module::Payments, "objSCAD", false},
    };
    for (const ModuleCommand& c : commands)
        if (c.key == key)
            return &c;
    return nullptr;
}
