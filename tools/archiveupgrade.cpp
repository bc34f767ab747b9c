#include "archiveupgrade.h"
#include "common/jetcollation.h"
#include "common/passwordhash.h"
#include "common/transaction.h"

namespace {

bool holds(const Database& db, const JetQuery& count)
{
    Rows q = db.select(count);
    return q.next() && q.value(0).toInt() > 0;
}

bool hasColumn(const Database& db, const QString& table, const QString& column)
{
    return holds(db, JetQuery("SELECT COUNT(*) FROM pragma_table_info(") << Jet::text(table) << ") WHERE name = "
                                                                           << Jet::text(column));
}

// Adds a column unless an earlier, interrupted attempt already did.
void addColumn(const Database& db, const QString& table, const QString& column, const JetQuery& alter)
{
    if (!hasColumn(db, table, column))
        db.execute(alter);
}

bool autoIncrements(const Database& db, const QString& table)
{
    return holds(db, JetQuery("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ") << Jet::text(table)
                                                                                                      << " AND sql LIKE '%AUTOINCREMENT%'");
}

// Makes a table anew from its copy "<table>_v1", created with the new definition and the same
// columns in the same order: every row is carried over with its id.
void replaceWithCopy(const Database& db, const QString& table)
{
    const JetQuery::Piece name = Jet::identifier(table), copy = Jet::identifier(table + QStringLiteral("_v1"));
    db.execute(JetQuery("INSERT INTO ") << copy << " SELECT * FROM " << name);
    db.execute(JetQuery("DROP TABLE ") << name);
    db.execute(JetQuery("ALTER TABLE ") << copy << " RENAME TO " << name);
}

// Version 1: the data of the electronic invoice.

void userVersion1(const Database& db)
{
    addColumn(db, "Azienda", "RegimeFiscale", JetQuery("ALTER TABLE Azienda ADD COLUMN RegimeFiscale TEXT COLLATE NOCASE"));
    // A lock row names the process that holds it.
    addColumn(db, "Accessi", "Processo", JetQuery("ALTER TABLE Accessi ADD COLUMN Processo TEXT COLLATE BINARY"));
    db.execute(JetQuery("PRAGMA user_version = 1"));
}

void dataVersion1(const Database& db)
{
    addColumn(db, "IVA", "Natura", JetQuery("ALTER TABLE IVA ADD COLUMN Natura TEXT COLLATE NOCASE"));
    addColumn(db, "tipopag", "ModalitaPagamento",
              JetQuery("ALTER TABLE tipopag ADD COLUMN ModalitaPagamento TEXT COLLATE NOCASE"));
    addColumn(db, "Clienti", "CodiceDestinatario",
              JetQuery("ALTER TABLE Clienti ADD COLUMN CodiceDestinatario TEXT COLLATE NOCASE"));
    addColumn(db, "Clienti", "PECDestinatario", JetQuery("ALTER TABLE Clienti ADD COLUMN PECDestinatario TEXT COLLATE NOCASE"));

    // The ids documents refer to become AUTOINCREMENT, so that a deleted customer's or supplier's
    // id is never given out again (the definitions as schema/data.sql has them).
    if (!autoIncrements(db, "Clienti")) {
        db.execute(JetQuery(
            "CREATE TABLE Clienti_v1 (id INTEGER PRIMARY KEY AUTOINCREMENT, Codice TEXT COLLATE NOCASE UNIQUE, "
            "Denominazione TEXT COLLATE NOCASE, Indirizzo1 TEXT COLLATE NOCASE, Indirizzo2 TEXT COLLATE NOCASE, "
            "Localita1 TEXT COLLATE NOCASE, idStato1 TEXT COLLATE NOCASE, idPV1 TEXT COLLATE NOCASE, "
            "idCAP1 TEXT COLLATE NOCASE, Telefono1 TEXT COLLATE NOCASE, Telefono2 TEXT COLLATE NOCASE, "
            "Fax TEXT COLLATE NOCASE, Piva TEXT COLLATE NOCASE, CodFiscale TEXT COLLATE NOCASE, "
            "ContattoCogn TEXT COLLATE NOCASE, ContattoNome TEXT COLLATE NOCASE, EMAIL TEXT COLLATE NOCASE, "
            "HTTP TEXT COLLATE NOCASE, idCategoria TEXT COLLATE NOCASE, idZona TEXT COLLATE NOCASE, "
            "idAgente TEXT COLLATE NOCASE, idPagamento TEXT COLLATE NOCASE, idModPag TEXT COLLATE NOCASE, "
            "idListino TEXT COLLATE NOCASE, idBanca TEXT COLLATE NOCASE, Sconto REAL, Fido REAL, ProvvAg REAL, "
            "EsenteIVA TEXT COLLATE NOCASE, Esente INTEGER, Note TEXT COLLATE NOCASE, "
            "CodiceDestinatario TEXT COLLATE NOCASE, PECDestinatario TEXT COLLATE NOCASE)"));
        replaceWithCopy(db, QStringLiteral("Clienti"));
    }
    if (!autoIncrements(db, "Fornitori")) {
        db.execute(JetQuery(
            "CREATE TABLE Fornitori_v1 (id INTEGER PRIMARY KEY AUTOINCREMENT, Codice TEXT COLLATE NOCASE UNIQUE, "
            "Denominazione TEXT COLLATE NOCASE, Indirizzo1 TEXT COLLATE NOCASE, Indirizzo2 TEXT COLLATE NOCASE, "
            "Localita1 TEXT COLLATE NOCASE, idStato1 TEXT COLLATE NOCASE, idPV1 TEXT COLLATE NOCASE, "
            "idCAP1 TEXT COLLATE NOCASE, Telefono1 TEXT COLLATE NOCASE, Telefono2 TEXT COLLATE NOCASE, "
            "Fax TEXT COLLATE NOCASE, Piva TEXT COLLATE NOCASE, CodFiscale TEXT COLLATE NOCASE, "
            "ContattoCogn TEXT COLLATE NOCASE, ContattoNome TEXT COLLATE NOCASE, EMAIL TEXT COLLATE NOCASE, "
            "HTTP TEXT COLLATE NOCASE, idCategoria TEXT COLLATE NOCASE, idPagamento TEXT COLLATE NOCASE, "
            "idModPag TEXT COLLATE NOCASE, idBanca TEXT COLLATE NOCASE, Note TEXT COLLATE NOCASE)"));
        replaceWithCopy(db, QStringLiteral("Fornitori"));
    }
    // A postal code is unique with its town within its province, no longer in the whole archive.
    if (!holds(db, JetQuery("SELECT COUNT(*) FROM sqlite_master WHERE name = 'CAP' AND sql LIKE '%UNIQUE (idStato%'"))) {
        db.execute(JetQuery("CREATE TABLE CAP_v1 (CAP TEXT COLLATE NOCASE NOT NULL, Descrizione TEXT COLLATE NOCASE, "
                            "idStato TEXT COLLATE NOCASE, idProvincia TEXT COLLATE NOCASE, "
                            "UNIQUE (idStato, idProvincia, CAP, Descrizione))"));
        replaceWithCopy(db, QStringLiteral("CAP"));
    }
    // Lists of master records read a page at a time in the order of their order keys.
    const struct
    {
        const char* index;
        const char* table;
        const char* column;
    } orders[] = {
        {"Clienti_ordine", "Clienti", "Codice"},     {"Fornitori_ordine", "Fornitori", "Codice"},
        {"Fornitori_nome", "Fornitori", "Denominazione"}, {"Agenti_ordine", "Agenti", "Codice"},
        {"Articoli_ordine", "Articoli", "Codice"},   {"Vettori_ordine", "Vettori", "Codice"},
        {"Listini_ordine", "Listini", "Codice"},     {"Materiali_ordine", "Materiali", "Codice"},
        {"Servizi_ordine", "Servizi", "Codice"},
    };
    for (const auto& o : orders)
        db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                   .arg(QLatin1String(o.index), QLatin1String(o.table), jetOrderKeySql(QLatin1String(o.column))));
    db.run(QStringLiteral("CREATE INDEX IF NOT EXISTS MovMagTes_ordine ON MovMagTes (DataReg, idCausale, NumInt)"));
    db.execute(JetQuery("PRAGMA user_version = 1"));
}

void localVersion1(const Database& db)
{
    db.execute(JetQuery("PRAGMA user_version = 1"));
}

// Version 2: the users' passwords as digests only; the installation of each workstation;
// documents written by hand.

void userVersion2(const Database& db)
{
    // Every password still in clear becomes its digest, an empty one included: from this version
    // on, sign-in accepts digests alone.
    QList<QPair<QString, QString>> clear;
    {
        Rows users = db.select(JetQuery("SELECT Codice, [Password] FROM Password"));
        while (users.next())
            if (!isPasswordHash(users.value(1).toString()))
                clear.append({users.value(0).toString(), users.value(1).toString()});
    }
    for (const auto& [code, password] : clear)
        db.execute(JetQuery("UPDATE Password SET [Password] = ") << Jet::text(hashPassword(password))
                                                                  << " WHERE Codice = " << Jet::text(code));
    // Locks of earlier builds name no installation, so no sign-in could ever prove them ended;
    // no program of an earlier build runs while its archives are upgraded.
    db.execute(JetQuery("DELETE FROM Accessi WHERE Processo IS NULL OR instr(Processo, '/') = 0"));
    db.execute(JetQuery("PRAGMA user_version = 2"));
}

void dataVersion2(const Database& db)
{
    for (const char* table : {"FATVETes", "FATNCTes"}) {
        const QString name = QString::fromLatin1(table);
        addColumn(db, name, "TipoFattura",
                  JetQuery("ALTER TABLE ") << Jet::identifier(name) << " ADD COLUMN TipoFattura TEXT COLLATE NOCASE");
        addColumn(db, name, "FatturaPANome",
                  JetQuery("ALTER TABLE ") << Jet::identifier(name) << " ADD COLUMN FatturaPANome TEXT COLLATE NOCASE");
        addColumn(db, name, "FatturaPAData",
                  JetQuery("ALTER TABLE ") << Jet::identifier(name) << " ADD COLUMN FatturaPAData TEXT COLLATE NOCASE");
    }
    db.execute(JetQuery("CREATE TABLE IF NOT EXISTS ListiniPrezzi (idListino TEXT COLLATE NOCASE NOT NULL, "
                        "idArticolo TEXT COLLATE NOCASE NOT NULL, Prezzo REAL, PrezzoEuro REAL, "
                        "PRIMARY KEY (idListino, idArticolo))"));
    db.execute(JetQuery("PRAGMA user_version = 2"));
}

void localVersion2(const Database& db)
{
    // The identifier itself is made at the workstation's first run, never copied with a template.
    db.execute(JetQuery("CREATE TABLE IF NOT EXISTS Installazione (Codice TEXT COLLATE BINARY NOT NULL)"));
    db.execute(JetQuery("PRAGMA user_version = 2"));
}

} // namespace

const QVector<UpgradeStep>& upgradeSteps()
{
    static const QVector<UpgradeStep> steps = {
        {1, ArchiveRole::User,
         "Regime fiscale dell'azienda per la Fattura Elettronica; blocchi dei record legati al programma che li "
         "ha presi",
         userVersion1},
        {1, ArchiveRole::Data,
         "Codice destinatario e PEC dei clienti, natura delle aliquote I.V.A. a zero, modalità di pagamento "
         "della Fattura Elettronica; codici interni di clienti e fornitori mai riutilizzati; più località con lo "
         "stesso C.A.P.; elenchi ordinati letti una pagina alla volta",
         dataVersion1},
        {1, ArchiveRole::Local, "Versione dello schema registrata nell'archivio", localVersion1},
        {2, ArchiveRole::User, "Password degli utenti conservate solo in forma cifrata", userVersion2},
        {2, ArchiveRole::Data,
         "Fatture proforma, fatture servizi e note di debito distinte nell'archivio; nome e ora della Fattura "
         "Elettronica scritta per un documento; prezzi degli articoli nei listini",
         dataVersion2},
        {2, ArchiveRole::Local, "Identificativo dell'installazione per i blocchi dei record", localVersion2},
    };
    return steps;
}

int currentArchiveVersion()
{
    return upgradeSteps().last().version;
}

int archiveVersion(const Database& db)
{
    Rows q = db.select(JetQuery("PRAGMA user_version"));
    return q.next() ? q.value(0).toInt() : 0;
}

int upgradeArchive(const Database& db, ArchiveRole role, const std::function<void()>& beforeChanges,
                   const std::function<void(const QString&)>& report)
{
    return inImmediateTransaction(db, [&] {
        const int found = archiveVersion(db);
        if (found >= currentArchiveVersion())
            return found;
        beforeChanges();
        for (const UpgradeStep& step : upgradeSteps()) {
            if (step.archive != role || step.version <= found)
                continue;
            step.apply(db);
            report(QStringLiteral("passo %1: %2").arg(step.version).arg(QString::fromUtf8(step.description)));
        }
        return found;
    });
}
