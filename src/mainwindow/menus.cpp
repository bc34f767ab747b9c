#include "menus.h"

const QVector<ToolDefinition>& toolDefinitions()
{
    static const QVector<ToolDefinition> tools = {
        {"BEsci", "&Esci"},
        {"BAttivita", "&Attività"},
        {"BBanche", "&Banche"},
        {"BCauDoc", "Causali D&ocumenti"},
        {"BIVA", "Codici e Ali&q. I.V.A."},
        {"BDepositi", "&Depositi"},
        {"BEsercizio", "&Esercizio Azienda"},
        {"BLoc", "Località &Geografiche"},
        {"BModPag", "Modalità di Pagame&nto"},
        {"BSettMerc", "&Settori Merceologici"},
        {"BTipiPag", "Tipi &Pagamento"},
        {"BUM", "&Unità di Misura"},
        {"BValute", "&Valute"},
        {"BZone", "&Zone"},
        {"BCatAge", "Categoria Agen&ti"},
        {"BCatArt", "Categoria Artico&li"},
        {"BCatCli", "Categoria &Clienti"},
        {"BCatFor", "Categoria &Fornitori"},
        {"BCatMat", "Categoria Mate&riali"},
        {"BCatSer", "Categoria Serv&izi"},
        {"BAzienda", "A&zienda"},
        {"BAgenti", "&Agenti"},
        {"BArticoli", "A&rticoli"},
        {"BClienti", "&Clienti"},
        {"BFornitori", "&Fornitori"},
        {"BListini", "&Listini"},
        {"BMateriali", "&Materiali"},
        {"BServizi", "&Servizi"},
        {"BVettori", "&Vettori"},
        {"BGestGiac", "Gestione G&iacenze"},
        {"BGiacArt", "&Situazione Giacenze"},
        {"BCauMag", "&Causali Magazzino"},
        {"BMovMaga", "&Movimenti Magazzino"},
        {"BDDT", "&D.D.T."},
        {"BDistinta", "Distinta &Base"},
        {"BRESO", "&Resi da Clienti"},
        {"BInventa", "&Inventario"},
        {"BAperGiac", "&Apertura Giacenze"},
        {"BFATAC", "Fattura &Acquisto"},
        {"BFATVE", "Fatture &Vendita/Accompagantoria"},
        {"BFATPRO", "Fattura &Proforma"},
        {"BFATSE", "Fattura &Servizi"},
        {"BFATNC", "Note &Credito"},
        {"BFATND", "Note &Debito"},
        {"BStat", "S&tatistiche"},
        {"BAgRiep", "&Riepilogo Agenti"},
        {"BORDAC", "Ordini di &Acquisto"},
        {"BORDVE", "Ordini di &Vendita"},
        {"BPREV", "&Preventivi"},
        {"BSCAD", "Gestione &Scadenziario"},
        {"BCS", "&Client/Server"},
        {"BAccessi", "&Accessi"},
        {"BGestLoc", "Gestione &Bloccaggio"},
        {"BGestImm", "&Gestione Immagine"},
        {"BNumeratori", "&Numeratori"},
        {"BRicEsercizio", "Imposta &Esercizio"},
        {"BImporta", "Importazione &Dati"},
        {"BAUTOCOMP", "A&utocomposizione Documenti"},
        {"BSfondo", "S&fondo"},
        {"BTarmel", "&Tarmel Home Page"},
        {"BInfo", "&Informazioni..."},
        {"BHELP", "&Help Brevano V"},
    };
    return tools;
}

const QVector<MenuDefinition>& menuDefinitions()
{
    static const QVector<MenuDefinition> menus = {
        {"MFile", "&File", {"BEsci"}},
        {"MTabelle", "&Tabelle",
         {"BAttivita", "BBanche", "BCauDoc", "BIVA", "BDepositi", "BEsercizio", "BLoc", "BModPag", "BSettMerc",
          "BTipiPag", "BUM", "BValute", "BZone", "BCatAge", "BCatArt", "BCatCli", "BCatFor", "BCatMat", "BCatSer"}},
        {"BAnag", "&Anagrafiche",
         {"BAzienda", "BAgenti", "BArticoli", "BClienti", "BFornitori", "BListini", "BMateriali", "BServizi",
          "BVettori"}},
        {"Magazzino", "&Magazzino",
         {"BGestGiac", "BGiacArt", "BCauMag", "BMovMaga", "BDDT", "BDistinta", "BRESO", "BInventa", "BAperGiac"}},
        {"Fatturazione", "Fattu&ra", {"BFATAC", "BFATVE", "BFATPRO", "BFATSE", "BFATNC", "BFATND", "BStat", "BAgRiep"}},
        {"Pagamenti", "&Integra", {"BORDAC", "BORDVE", "BPREV", "BSCAD"}},
        {"MUtilità", "&Utilità",
         {"BCS", "BAccessi", "BGestLoc", "BGestImm", "BNumeratori", "BRicEsercizio", "BImporta", "BAUTOCOMP",
          "BSfondo", "BTarmel", "BInfo", "BHELP"}},
    };
    return menus;
}

const QVector<BandDefinition>& bandDefinitions()
{
    static const QVector<BandDefinition> bands = {
        {"BAnag", {"BAzienda", "BClienti", "BFornitori", "BArticoli", "BListini"}},
        {"BMaga", {"BDDT", "BMovMaga", "BDistinta", "BRESO", "BInventa", "BAperGiac"}},
        {"BPaga", {"BORDAC", "BORDVE", "BPREV", "BSCAD"}},
        {"BFatt", {"BFATAC", "BFATVE", "BFATPRO", "BFATSE", "BFATNC", "BFATND", "BStat", "BAgRiep"}},
        {"BStandard", {"BCS", "BAccessi", "BGestImm", "BInfo", "BEsci"}},
    };
    return bands;
}
