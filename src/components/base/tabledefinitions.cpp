#include "tabledefinitions.h"

#include <QHash>

namespace {

const QString CodeMissing = QStringLiteral("Codice non Inserito");
const QString DescriptionMissing = QStringLiteral("Descrizione non Inserita");
const QString NameMissing = QStringLiteral("Denominazione non Inserita");

FieldSpec code() { return {QStringLiteral("Codice"), QStringLiteral("Codice"), FieldKind::Text, CodeMissing}; }
FieldSpec desc() { return {QStringLiteral("Desc"), QStringLiteral("Descrizione"), FieldKind::Text, DescriptionMissing}; }
FieldSpec text(const char* column, const char* label) { return {QString::fromUtf8(column), QString::fromUtf8(label), FieldKind::Text, {}}; }
FieldSpec decimal(const char* column, const char* label) { return {QString::fromUtf8(column), QString::fromUtf8(label), FieldKind::Decimal, {}}; }
FieldSpec amount(const char* column, const char* label) { return {QString::fromUtf8(column), QString::fromUtf8(label), FieldKind::Amount, {}}; }
FieldSpec euro(const char* column, const char* label) { return {QString::fromUtf8(column), QString::fromUtf8(label), FieldKind::EuroAmount, {}}; }
FieldSpec digits(const char* column, const char* label) { return {QString::fromUtf8(column), QString::fromUtf8(label), FieldKind::Digits, {}}; }

TableDefinition codeTable(const char* table, const char* layout = "base")
{
    return {QString::fromUtf8(table), QString::fromUtf8(layout), {code(), desc()}, {}};
}

// Addresses and contacts shared by customers, suppliers and agents.
QVector<FieldSpec> partyFields()
{
    return {code(),
            {QStringLiteral("Denominazione"), QStringLiteral("Denominazione"), FieldKind::Text, NameMissing},
            text("Indirizzo1", "Indirizzo"),
            text("Indirizzo2", "Indirizzo (segue)"),
            text("Localita1", "Località"),
            text("idCAP1", "C.A.P."),
            text("idPV1", "Provincia"),
            text("idStato1", "Stato"),
            text("Telefono1", "Telefono"),
            text("Fax", "Fax"),
            text("Piva", "Partita I.V.A."),
            text("CodFiscale", "Codice Fiscale"),
            text("EMAIL", "E-Mail"),
            text("HTTP", "Sito Internet"),
            text("idCategoria", "Categoria")};
}

} // namespace

const TableDefinition* tablePanel(int tableNumber)
{
    static const QVector<TableDefinition> panels = [] {
        QVector<TableDefinition> p(TablePanelCount);
        p[0] = codeTable("Zone");
        p[1] = codeTable("UM");
        // The electronic invoice names each kind of payment by its code (MP01 ... MP23).
        p[2] = {QStringLiteral("tipopag"), QStringLiteral("tipopag"),
                {code(), desc(), text("ModalitaPagamento", "Modalità Fattura Elettronica")}, {}};
        p[3] = codeTable("attivita");
        p[4] = codeTable("SettMerc");
        p[5] = {QStringLiteral("IVA"), QStringLiteral("iva"),
                {code(), desc(), decimal("Perc", "Aliquota %"), text("Natura", "Natura (aliquote a zero)")}, {}};
        p[6] = {QStringLiteral("Password"), QStringLiteral("password"),
                {code(),
                 {QStringLiteral("Password"), QStringLiteral("Password"), FieldKind::Secret, {}},
                 text("Desc", "Descrizione"),
                 {QStringLiteral("Tipo"), QStringLiteral("Tipo (A = Amministratore)"), FieldKind::Text,
                  QStringLiteral("Tipo Utente non Inserito")},
                 text("esercizio", "Esercizio")},
                {}};
        p[7] = codeTable("causalidoc");
        p[8] = codeTable("catcli");
        p[9] = {QStringLiteral("Esercizio"), QStringLiteral("esercizio"),
                {code(), desc(),
                 {QStringLiteral("DTIn"), QStringLiteral("Inizio Esercizio"), FieldKind::Date,
                  QStringLiteral("Data di Inizio non Inserita")},
                 {QStringLiteral("DTFi"), QStringLiteral("Fine Esercizio"), FieldKind::Date,
                  QStringLiteral("Data di Fine non Inserita")}},
                {}};
        p[10] = {QStringLiteral("Valute"), QStringLiteral("valute"),
                 {code(), desc(), decimal("Cambio", "Cambio"), digits("Decimali", "Decimali")}, {}};
        p[11] = {QStringLiteral("banche"), QStringLiteral("banche"),
                 {code(), desc(), text("Banca", "Banca"), text("Agenzia", "Agenzia"), text("ABI", "A.B.I."),
                  text("CAB", "C.A.B."), text("Conto", "Conto Corrente"), text("CIN", "C.I.N.")},
                 {}};
        p[12] = {QStringLiteral("Depositi"), QStringLiteral("depositi"),
                 {code(), desc(), text("Indirizzo", "Indirizzo"), text("Telefono", "Telefono"), text("FAX", "Fax"),
                  text("Contatto", "Contatto")},
                 {}};
        p[13] = codeTable("catart");
        p[14] = codeTable("catfor");
        p[15] = codeTable("catage");
        p[16] = codeTable("catmat");
        p[17] = codeTable("catser");
        return p;
    }();
    return &panels[tableNumber];
}

const TableDefinition& customersTable()
{
    static const TableDefinition t = [] {
        TableDefinition d{QStringLiteral("Clienti"), QStringLiteral("Clienti"), partyFields(), {}};
        d.fields << text("Telefono2", "Secondo Telefono") << text("ContattoCogn", "Contatto (Cognome)")
                 << text("ContattoNome", "Contatto (Nome)") << text("idZona", "Zona") << text("idAgente", "Agente")
                 << text("idPagamento", "Modalità Pagamento") << text("idModPag", "Tipo Pagamento")
                 << text("idListino", "Listino") << text("idBanca", "Banca") << decimal("Sconto", "Sconto %")
                 << amount("Fido", "Fido") << decimal("ProvvAg", "Provvigione Agente %")
                 << text("EsenteIVA", "Esenzione I.V.A.")
                 << FieldSpec{QStringLiteral("Esente"), QStringLiteral("Esente I.V.A."), FieldKind::Flag, {}}
                 << text("Note", "Note") << text("CodiceDestinatario", "Codice Destinatario")
                 << text("PECDestinatario", "PEC");
        return d;
    }();
    return t;
}

const TableDefinition& suppliersTable()
{
    static const TableDefinition t = [] {
        TableDefinition d{QStringLiteral("Fornitori"), QStringLiteral("Fornitori"), partyFields(), {}};
        d.fields << text("Telefono2", "Secondo Telefono") << text("ContattoCogn", "Contatto (Cognome)")
                 << text("ContattoNome", "Contatto (Nome)") << text("idPagamento", "Modalità Pagamento")
                 << text("idModPag", "Tipo Pagamento") << text("idBanca", "Banca") << text("Note", "Note");
        return d;
    }();
    return t;
}

const TableDefinition& agentsTable()
{
    static const TableDefinition t = [] {
        TableDefinition d{QStringLiteral("Agenti"), QStringLiteral("Agenti"), partyFields(), {}};
        d.fields << decimal("ProvvAg", "Provvigione %") << text("Note", "Note");
        return d;
    }();
    return t;
}

const TableDefinition& articlesTable()
{
    static const TableDefinition t{
        QStringLiteral("Articoli"), QStringLiteral("Articoli"),
        {code(),
         {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), FieldKind::Text, DescriptionMissing},
         text("UM", "Unità di Misura"), text("CdIva", "Codice I.V.A."), text("idDeposito", "Deposito"),
         text("idCategoria", "Categoria"), text("idSettMerc", "Settore Merceologico"),
         amount("PrezzoVen", "Prezzo di Vendita Lire"), euro("PrezzoVenEuro", "Prezzo di Vendita Euro"),
         amount("PrezzoAcq", "Prezzo di Acquisto Lire"), euro("PrezzoAcqEuro", "Prezzo di Acquisto Euro"),
         decimal("PuntoGiacenzaMinima", "Giacenza Minima"), decimal("PuntoGiacenzaMax", "Giacenza Massima"),
         text("Note", "Note")},
        {}};
    return t;
}

const TableDefinition& materialsTable()
{
    static const TableDefinition t{
        QStringLiteral("Materiali"), QStringLiteral("Materiali"),
        {code(),
         {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), FieldKind::Text, DescriptionMissing},
         text("UM", "Unità di Misura"), text("idCategoria", "Categoria"),
         amount("PrezzoAcq", "Prezzo di Acquisto Lire"), euro("PrezzoAcqEuro", "Prezzo di Acquisto Euro"),
         text("Note", "Note")},
        {}};
    return t;
}

const TableDefinition& servicesTable()
{
    static const TableDefinition t{
        QStringLiteral("Servizi"), QStringLiteral("Servizi"),
        {code(),
         {QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), FieldKind::Text, DescriptionMissing},
         text("UM", "Unità di Misura"), text("CdIva", "Codice I.V.A."), text("idCategoria", "Categoria"),
         amount("Prezzo", "Prezzo Lire"), euro("PrezzoEuro", "Prezzo Euro"), text("Note", "Note")},
        {}};
    return t;
}

const TableDefinition& carriersTable()
{
    static const TableDefinition t{
        QStringLiteral("Vettori"), QStringLiteral("Vettori"),
        {code(), {QStringLiteral("Denominazione"), QStringLiteral("Denominazione"), FieldKind::Text, NameMissing},
         text("Indirizzo1", "Indirizzo"), text("Localita1", "Località"), text("idCAP1", "C.A.P."),
         text("idPV1", "Provincia"), text("idStato1", "Stato"), text("Telefono1", "Telefono"), text("Note", "Note")},
        {}};
    return t;
}

const TableDefinition& priceListsTable()
{
    static const TableDefinition t = codeTable("Listini", "Listini");
    return t;
}

const TableDefinition& imagesTable()
{
    static const TableDefinition t{
        QStringLiteral("Immagini"), QStringLiteral("Immagini"),
        {code(), desc(),
         {QStringLiteral("Percorso"), QStringLiteral("File dell'Immagine"), FieldKind::Text,
          QStringLiteral("File dell'Immagine non Inserito")}},
        QStringLiteral("Percorso")};
    return t;
}

const TableDefinition& stockReasonsTable()
{
    static const TableDefinition t{
        QStringLiteral("CauMag"), QStringLiteral("CauMag"),
        {code(), desc(), text("Segno", "Segno (+ carico, - scarico)"), text("Tipo", "Tipo")},
        {}};
    return t;
}

const TableDefinition& billOfMaterialsTable()
{
    static const TableDefinition t{
        QStringLiteral("DistintaBase"), QStringLiteral("DistintaBase"),
        {code(), desc(),
         {QStringLiteral("idArticolo"), QStringLiteral("Articolo"), FieldKind::Text,
          QStringLiteral("Articolo non Inserito")},
         {QStringLiteral("idComponente"), QStringLiteral("Componente"), FieldKind::Text,
          QStringLiteral("Componente non Inserito")},
         decimal("Quantita", "Quantità")},
        {}};
    return t;
}

std::optional<Reference> referenceOf(const QString& table, const QString& column)
{
    static const QHash<QString, Reference> references = {
        {"Clienti|idCategoria", {"catcli", "Desc"}},    {"Clienti|idZona", {"Zone", "Desc"}},
        {"Clienti|idAgente", {"Agenti", "Denominazione"}}, {"Clienti|idPagamento", {"ModPag", "Desc"}},
        {"Clienti|idModPag", {"tipopag", "Desc"}},      {"Clienti|idListino", {"Listini", "Desc"}},
        {"Clienti|idBanca", {"banche", "Desc"}},        {"Fornitori|idCategoria", {"catfor", "Desc"}},
        {"Fornitori|idPagamento", {"ModPag", "Desc"}},  {"Fornitori|idModPag", {"tipopag", "Desc"}},
        {"Fornitori|idBanca", {"banche", "Desc"}},      {"Articoli|UM", {"UM", "Desc"}},
        {"Articoli|CdIva", {"IVA", "Desc"}},            {"Articoli|idDeposito", {"Depositi", "Desc"}},
        {"Articoli|idCategoria", {"catart", "Desc"}},   {"Articoli|idSettMerc", {"SettMerc", "Desc"}},
    };
    const auto found = references.constFind(table + u'|' + column);
    if (found == references.cend())
        return std::nullopt;
    return *found;
}
