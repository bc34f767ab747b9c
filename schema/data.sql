-- Brevano V - company archive (data.mdb / template data2.mdb)
--
-- The company's business tables and documents.
-- Conventions of every archive:
--   only SQLite's built-in collations: text columns are TEXT COLLATE NOCASE,
--   so any SQLite tool can check, vacuum, reindex, dump and reload the file;
--   the program compares letters beyond ASCII without regard to case with a
--   collation of its own named in its queries ('caffè' = 'CAFFÈ'), and
--   refuses such duplicates of a key inside the transaction that writes it,
--   whole numbers and booleans (1 true, 0 false) are INTEGER, amounts REAL,
--   dates are DATE holding 'YYYY-MM-DD' (day only),
--   no foreign keys, no triggers,
--   table and column names are case-insensitive, so each table is defined once
--   (Clienti = clienti, IVA = iva, Esercizio = esercizio, ...).
-- A code table has Codice as NOT NULL primary key: a code that the table
-- already holds, in any letter case, is refused (the key refuses ASCII
-- duplicates, the program the others).

-- =====================================================================
-- Fiscal years and geography
-- =====================================================================

-- Fiscal years of the company: first day DTIn, last day DTFi.
CREATE TABLE Esercizio (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    DTIn        DATE,
    DTFi        DATE
);

-- States. Codes and names are kept in upper case by the localities screen.
CREATE TABLE Stati (
    id          TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Descrizione TEXT COLLATE NOCASE
);

-- Provinces. The province code is unique in the whole archive, not only
-- within its state: a code the archive already holds is a duplicate
-- ("Codice Provincia Duplicato"), whatever state it belongs to.
CREATE TABLE Provincie (
    id          TEXT COLLATE NOCASE NOT NULL UNIQUE,
    Descrizione TEXT COLLATE NOCASE,
    idStato     TEXT COLLATE NOCASE
);
CREATE INDEX Provincie_idStato ON Provincie (idStato);

-- Postal codes. Many towns share one postal code (20090 is Segrate, Assago,
-- Buccinasco, ...): a postal code is unique together with its town within
-- its province, and only such a true duplicate is refused ("Codice Cap
-- Duplicato"). The key also serves the list of a province's postal codes.
CREATE TABLE CAP (
    CAP         TEXT COLLATE NOCASE NOT NULL,
    Descrizione TEXT COLLATE NOCASE,
    idStato     TEXT COLLATE NOCASE,
    idProvincia TEXT COLLATE NOCASE,
    UNIQUE (idStato, idProvincia, CAP, Descrizione)
);

-- Zones (Codice: the previous generation's numeric ID, stored as given).
CREATE TABLE Zone (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- =====================================================================
-- Code tables of the "Tabelle" menu
-- =====================================================================

CREATE TABLE attivita (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- Bank coordinates.
CREATE TABLE banche (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Banca       TEXT COLLATE NOCASE,
    Agenzia     TEXT COLLATE NOCASE,
    ABI         TEXT COLLATE NOCASE,
    CAB         TEXT COLLATE NOCASE,
    Conto       TEXT COLLATE NOCASE,
    CIN         TEXT COLLATE NOCASE
);

-- Document reasons (idCausaleDoc of the documents).
CREATE TABLE causalidoc (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- VAT codes and rates. Natura: why a rate of 0 bears no tax, as the electronic
-- invoice names it (N1 ... N7).
CREATE TABLE IVA (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Perc        REAL,
    Natura      TEXT COLLATE NOCASE
);

-- Warehouses. The warehouse 'DEP' is the default one (every imported article
-- is placed in it, and emptying the table keeps it).
CREATE TABLE Depositi (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Indirizzo   TEXT COLLATE NOCASE,
    Telefono    TEXT COLLATE NOCASE,
    FAX         TEXT COLLATE NOCASE,
    Contatto    TEXT COLLATE NOCASE
);

-- Product sectors (Codice: the previous generation's numeric ID, stored as given).
CREATE TABLE SettMerc (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- Payment kinds. ModalitaPagamento: the kind as the electronic invoice names it
-- (MP01 cash, MP05 bank transfer, MP12 bank receipt, ...).
CREATE TABLE tipopag (
    Codice              TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"              TEXT COLLATE NOCASE,
    ModalitaPagamento   TEXT COLLATE NOCASE
);

-- Units of measure.
CREATE TABLE UM (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- Currencies: Cambio is the value of one unit in the base currency.
CREATE TABLE Valute (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Cambio      REAL,
    Decimali    INTEGER
);

-- Categories of agents, articles, customers, suppliers, materials, services.
CREATE TABLE catage (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

CREATE TABLE catart (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

CREATE TABLE catcli (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

CREATE TABLE catfor (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

CREATE TABLE catmat (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

CREATE TABLE catser (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- =====================================================================
-- Payment terms
-- =====================================================================

-- Rate: number of instalments; FineMese: due dates at month end (boolean),
-- Scad1..Scad12: days to the due date of each instalment.
CREATE TABLE ModPag (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Rate        INTEGER,
    FineMese    INTEGER,
    Scad1       INTEGER,
    Scad2       INTEGER,
    Scad3       INTEGER,
    Scad4       INTEGER,
    Scad5       INTEGER,
    Scad6       INTEGER,
    Scad7       INTEGER,
    Scad8       INTEGER,
    Scad9       INTEGER,
    Scad10      INTEGER,
    Scad11      INTEGER,
    Scad12      INTEGER
);

-- =====================================================================
-- Reasons and numerators
-- =====================================================================

-- Warehouse movement reasons. Segno: '+' load, '-' unload, anything else
-- (for instance '') neither. Tipo: kind of reason, passed on to the movement.
CREATE TABLE CauMag (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Segno       TEXT COLLATE NOCASE,
    Tipo        TEXT COLLATE NOCASE
);

-- Invoicing document reasons.
CREATE TABLE CauFat (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- Payment reasons.
CREATE TABLE CauPag (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- Document numerators.
-- idTipo: 'M' warehouse reasons (CauMag), 'F' invoicing reasons (CauFat),
-- 'P' payment reasons (CauPag), '*' document numbering without a reason.
-- idCodice: the reason code ('M', 'F', 'P') or the document code ('*').
-- Progressivo: last number used. TabellaContr: the table whose NumInt this
-- numerator gives out (its documents are those of idEsercizio and, for
-- 'M', 'F', 'P', idCausaleDoc = idCodice).
CREATE TABLE Numeratori (
    idTipo          TEXT COLLATE NOCASE NOT NULL,
    idCodice        TEXT COLLATE NOCASE NOT NULL,
    idEsercizio     TEXT COLLATE NOCASE NOT NULL,
    Progressivo     INTEGER,
    "Desc"          TEXT COLLATE NOCASE,
    TabellaContr    TEXT COLLATE NOCASE,
    PRIMARY KEY (idTipo, idCodice, idEsercizio)
);

-- =====================================================================
-- Master data
-- =====================================================================

-- Customers. id is the key the documents carry in idCliente: AUTOINCREMENT, so
-- that the id of a deleted customer is never given to another. Codice is unique
-- without regard to case (an import leaves out case variants of a code).
-- EsenteIVA: VAT exemption (text); Esente: exempt from VAT (boolean).
-- CodiceDestinatario, PECDestinatario: where the electronic invoices go (the
-- recipient code of 7 characters, or the certified e-mail address).
CREATE TABLE Clienti (
    id              INTEGER PRIMARY KEY AUTOINCREMENT,
    Codice          TEXT COLLATE NOCASE UNIQUE,
    Denominazione   TEXT COLLATE NOCASE,
    Indirizzo1      TEXT COLLATE NOCASE,
    Indirizzo2      TEXT COLLATE NOCASE,
    Localita1       TEXT COLLATE NOCASE,
    idStato1        TEXT COLLATE NOCASE,
    idPV1           TEXT COLLATE NOCASE,
    idCAP1          TEXT COLLATE NOCASE,
    Telefono1       TEXT COLLATE NOCASE,
    Telefono2       TEXT COLLATE NOCASE,
    Fax             TEXT COLLATE NOCASE,
    Piva            TEXT COLLATE NOCASE,
    CodFiscale      TEXT COLLATE NOCASE,
    ContattoCogn    TEXT COLLATE NOCASE,
    ContattoNome    TEXT COLLATE NOCASE,
    EMAIL           TEXT COLLATE NOCASE,
    HTTP            TEXT COLLATE NOCASE,
    idCategoria     TEXT COLLATE NOCASE,
    idZona          TEXT COLLATE NOCASE,
    idAgente        TEXT COLLATE NOCASE,
    idPagamento     TEXT COLLATE NOCASE,
    idModPag        TEXT COLLATE NOCASE,
    idListino       TEXT COLLATE NOCASE,
    idBanca         TEXT COLLATE NOCASE,
    Sconto          REAL,
    Fido            REAL,
    ProvvAg         REAL,
    EsenteIVA       TEXT COLLATE NOCASE,
    Esente          INTEGER,
    Note            TEXT COLLATE NOCASE,
    CodiceDestinatario  TEXT COLLATE NOCASE,
    PECDestinatario     TEXT COLLATE NOCASE
);

-- Suppliers. id is the key the purchase documents carry in idFornitore
-- (AUTOINCREMENT, as for customers).
CREATE TABLE Fornitori (
    id              INTEGER PRIMARY KEY AUTOINCREMENT,
    Codice          TEXT COLLATE NOCASE UNIQUE,
    Denominazione   TEXT COLLATE NOCASE,
    Indirizzo1      TEXT COLLATE NOCASE,
    Indirizzo2      TEXT COLLATE NOCASE,
    Localita1       TEXT COLLATE NOCASE,
    idStato1        TEXT COLLATE NOCASE,
    idPV1           TEXT COLLATE NOCASE,
    idCAP1          TEXT COLLATE NOCASE,
    Telefono1       TEXT COLLATE NOCASE,
    Telefono2       TEXT COLLATE NOCASE,
    Fax             TEXT COLLATE NOCASE,
    Piva            TEXT COLLATE NOCASE,
    CodFiscale      TEXT COLLATE NOCASE,
    ContattoCogn    TEXT COLLATE NOCASE,
    ContattoNome    TEXT COLLATE NOCASE,
    EMAIL           TEXT COLLATE NOCASE,
    HTTP            TEXT COLLATE NOCASE,
    idCategoria     TEXT COLLATE NOCASE,
    idPagamento     TEXT COLLATE NOCASE,
    idModPag        TEXT COLLATE NOCASE,
    idBanca         TEXT COLLATE NOCASE,
    Note            TEXT COLLATE NOCASE
);

-- Sales agents (documents carry the agent's Codice in idAgente).
-- ProvvAg: commission percentage.
CREATE TABLE Agenti (
    id              INTEGER PRIMARY KEY,
    Codice          TEXT COLLATE NOCASE UNIQUE,
    Denominazione   TEXT COLLATE NOCASE,
    Indirizzo1      TEXT COLLATE NOCASE,
    Indirizzo2      TEXT COLLATE NOCASE,
    Localita1       TEXT COLLATE NOCASE,
    idStato1        TEXT COLLATE NOCASE,
    idPV1           TEXT COLLATE NOCASE,
    idCAP1          TEXT COLLATE NOCASE,
    Telefono1       TEXT COLLATE NOCASE,
    Fax             TEXT COLLATE NOCASE,
    Piva            TEXT COLLATE NOCASE,
    CodFiscale      TEXT COLLATE NOCASE,
    EMAIL           TEXT COLLATE NOCASE,
    HTTP            TEXT COLLATE NOCASE,
    idCategoria     TEXT COLLATE NOCASE,
    ProvvAg         REAL,
    Note            TEXT COLLATE NOCASE
);

-- Articles (document rows carry the article's Codice in idArticolo).
-- Prices in lire (PrezzoVen, PrezzoAcq) and in euro; stock thresholds.
CREATE TABLE Articoli (
    id                  INTEGER PRIMARY KEY,
    Codice              TEXT COLLATE NOCASE UNIQUE,
    Descrizione         TEXT COLLATE NOCASE,
    idDeposito          TEXT COLLATE NOCASE,
    UM                  TEXT COLLATE NOCASE,
    CdIva               TEXT COLLATE NOCASE,
    idCategoria         TEXT COLLATE NOCASE,
    idSettMerc          TEXT COLLATE NOCASE,
    PrezzoVen           REAL,
    PrezzoVenEuro       REAL,
    PrezzoAcq           REAL,
    PrezzoAcqEuro       REAL,
    PuntoGiacenzaMinima REAL,
    PuntoGiacenzaMax    REAL,
    Note                TEXT COLLATE NOCASE
);

-- Carriers (idVett1, idVett2 of the documents).
CREATE TABLE Vettori (
    id              INTEGER PRIMARY KEY,
    Codice          TEXT COLLATE NOCASE UNIQUE,
    Denominazione   TEXT COLLATE NOCASE,
    Indirizzo1      TEXT COLLATE NOCASE,
    Localita1       TEXT COLLATE NOCASE,
    idStato1        TEXT COLLATE NOCASE,
    idPV1           TEXT COLLATE NOCASE,
    idCAP1          TEXT COLLATE NOCASE,
    Telefono1       TEXT COLLATE NOCASE,
    Note            TEXT COLLATE NOCASE
);

-- Price lists (idListino of the documents).
CREATE TABLE Listini (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE
);

-- The price of an article in a price list, in lire and in euro: a row of a
-- document whose price list holds the article takes this price.
CREATE TABLE ListiniPrezzi (
    idListino   TEXT COLLATE NOCASE NOT NULL,
    idArticolo  TEXT COLLATE NOCASE NOT NULL,
    Prezzo      REAL,
    PrezzoEuro  REAL,
    PRIMARY KEY (idListino, idArticolo)
);

-- =====================================================================
-- Warehouse movements posted with the documents
-- =====================================================================

-- Movement headers. A movement is numbered per fiscal year and reason:
-- unique (idEsercizio, idCausale, NumInt). Segno and Tipo are those of the
-- reason (CauMag). Origine names the source document kind (the wizard's
-- source type name, e.g. 'D.D.T.'); OrigDataReg, OrigNumero, OrigNumInt
-- identify the source document.
-- idCausaleDoc is a read-only alias of idCausale: the numerators of kind 'M'
-- (TabellaContr 'MovMagTes') find their highest number with the same query as
-- every document table, "... WHERE idEsercizio = ... AND idCausaleDoc = ...".
-- Write idCausale; never write idCausaleDoc.
CREATE TABLE MovMagTes (
    DataReg         DATE,
    NumInt          INTEGER,
    idCausale       TEXT COLLATE NOCASE,
    Segno           TEXT COLLATE NOCASE,
    Tipo            TEXT COLLATE NOCASE,
    idEsercizio     TEXT COLLATE NOCASE,
    Origine         TEXT COLLATE NOCASE,
    OrigDataReg     DATE,
    OrigNumero      TEXT COLLATE NOCASE,
    OrigNumInt      INTEGER,
    Note            TEXT COLLATE NOCASE,
    idCausaleDoc    TEXT COLLATE NOCASE GENERATED ALWAYS AS (idCausale) VIRTUAL,
    UNIQUE (idEsercizio, idCausale, NumInt)
);

-- Movement rows: one per row of the source document.
CREATE TABLE MovMagRig (
    DataReg         DATE,
    NumInt          INTEGER,
    idCausale       TEXT COLLATE NOCASE,
    idEsercizio     TEXT COLLATE NOCASE,
    Riga            INTEGER,
    idArticolo      TEXT COLLATE NOCASE,
    Deposito        TEXT COLLATE NOCASE,
    Quantita        REAL,
    Segno           TEXT COLLATE NOCASE,
    UNIQUE (idEsercizio, idCausale, NumInt, Riga)
);
CREATE INDEX MovMagRig_Articolo ON MovMagRig (idArticolo, Deposito);

-- =====================================================================
-- Documents
-- =====================================================================
--
-- One header table (code + 'Tes') and one row table (code + 'Rig') per kind:
-- FATVE sales invoices, FATAC purchase invoices, FATNC credit notes,
-- DDT delivery notes, PREV quotations, ORDVE customer orders,
-- ORDAC supplier orders, RESO return notes.
-- A document is identified by DataReg (day only) and NumInt; its rows carry
-- the same two columns and the row number Riga. Numero is the number shown.
-- Every header table has the same descriptive columns and every row table the
-- same row columns, each with one type everywhere, so that a conversion can
-- copy a column from any kind to any other. The totals are the kind's own:
-- Impon/Imposta/Tot + code + 'Lire' and + 'LEURO' ('EURO' for FATAC and ORDAC,
-- RESO has only its document total). Row amounts end in 'Lit' and 'Euro'.
-- idCliente = Clienti.id, idFornitore = Fornitori.id. MMDataReg,
-- MMidCausaleDoc, MMNumInt are the keys of the warehouse movement posted
-- with the document (MovMagTes).
-- Sales invoices and notes: TipoFattura tells the invoices and notes that are
-- not ordinary ones ('PF' pro-forma, 'FS' service invoice, 'ND' debit note;
-- NULL ordinary); FatturaPANome and FatturaPAData are the file name and the
-- time (yyyy-mm-ddThh:mm:ss) of the electronic invoice written for it.

-- Headers of the sales invoices (FATVE).
CREATE TABLE FATVETes (
    DataReg              DATE NOT NULL,
    NumInt               INTEGER NOT NULL,
    Numero               INTEGER,
    idCausaleDoc         TEXT COLLATE NOCASE,
    idEsercizio          TEXT COLLATE NOCASE,
    idCliente            INTEGER,
    DSCli                TEXT COLLATE NOCASE,
    idFornitore          INTEGER,
    DSFor                TEXT COLLATE NOCASE,
    Indirizzo            TEXT COLLATE NOCASE,
    Localita             TEXT COLLATE NOCASE,
    Stato                TEXT COLLATE NOCASE,
    PV                   TEXT COLLATE NOCASE,
    CAP                  TEXT COLLATE NOCASE,
    NoteDoc              TEXT COLLATE NOCASE,
    idPagamento          TEXT COLLATE NOCASE,
    idModPag             TEXT COLLATE NOCASE,
    idListino            TEXT COLLATE NOCASE,
    idAgente             TEXT COLLATE NOCASE,
    PercSconto           REAL,
    DtCons               DATE,
    CausaleTrasp         TEXT COLLATE NOCASE,
    Colli                INTEGER,
    Aspetto              TEXT COLLATE NOCASE,
    PesoKG               REAL,
    idVett1              TEXT COLLATE NOCASE,
    NoteVett1            TEXT COLLATE NOCASE,
    idVett2              TEXT COLLATE NOCASE,
    NoteVett2            TEXT COLLATE NOCASE,
    Porto                TEXT COLLATE NOCASE,
    ACura                TEXT COLLATE NOCASE,
    Zona                 TEXT COLLATE NOCASE,
    MMDataReg            DATE,
    MMidCausaleDoc       TEXT COLLATE NOCASE,
    MMNumInt             INTEGER,
    ImponFATVELire       REAL,
    ImponFATVELEURO      REAL,
    ImpostaFATVELire     REAL,
    ImpostaFATVELEURO    REAL,
    TotFATVELire         REAL,
    TotFATVELEURO        REAL,
    TipoFattura          TEXT COLLATE NOCASE,
    FatturaPANome        TEXT COLLATE NOCASE,
    FatturaPAData        TEXT COLLATE NOCASE,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX FATVETes_Esercizio ON FATVETes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the sales invoices (FATVE).
CREATE TABLE FATVERig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the purchase invoices (FATAC).
CREATE TABLE FATACTes (
    DataReg             DATE NOT NULL,
    NumInt              INTEGER NOT NULL,
    Numero              INTEGER,
    idCausaleDoc        TEXT COLLATE NOCASE,
    idEsercizio         TEXT COLLATE NOCASE,
    idCliente           INTEGER,
    DSCli               TEXT COLLATE NOCASE,
    idFornitore         INTEGER,
    DSFor               TEXT COLLATE NOCASE,
    Indirizzo           TEXT COLLATE NOCASE,
    Localita            TEXT COLLATE NOCASE,
    Stato               TEXT COLLATE NOCASE,
    PV                  TEXT COLLATE NOCASE,
    CAP                 TEXT COLLATE NOCASE,
    NoteDoc             TEXT COLLATE NOCASE,
    idPagamento         TEXT COLLATE NOCASE,
    idModPag            TEXT COLLATE NOCASE,
    idListino           TEXT COLLATE NOCASE,
    idAgente            TEXT COLLATE NOCASE,
    PercSconto          REAL,
    DtCons              DATE,
    CausaleTrasp        TEXT COLLATE NOCASE,
    Colli               INTEGER,
    Aspetto             TEXT COLLATE NOCASE,
    PesoKG              REAL,
    idVett1             TEXT COLLATE NOCASE,
    NoteVett1           TEXT COLLATE NOCASE,
    idVett2             TEXT COLLATE NOCASE,
    NoteVett2           TEXT COLLATE NOCASE,
    Porto               TEXT COLLATE NOCASE,
    ACura               TEXT COLLATE NOCASE,
    Zona                TEXT COLLATE NOCASE,
    MMDataReg           DATE,
    MMidCausaleDoc      TEXT COLLATE NOCASE,
    MMNumInt            INTEGER,
    ImponFATACLire      REAL,
    ImponFATACEURO      REAL,
    ImpostaFATACLire    REAL,
    ImpostaFATACEURO    REAL,
    TotFATACLire        REAL,
    TotFATACEURO        REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX FATACTes_Esercizio ON FATACTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the purchase invoices (FATAC).
CREATE TABLE FATACRig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the credit notes (FATNC).
CREATE TABLE FATNCTes (
    DataReg              DATE NOT NULL,
    NumInt               INTEGER NOT NULL,
    Numero               INTEGER,
    idCausaleDoc         TEXT COLLATE NOCASE,
    idEsercizio          TEXT COLLATE NOCASE,
    idCliente            INTEGER,
    DSCli                TEXT COLLATE NOCASE,
    idFornitore          INTEGER,
    DSFor                TEXT COLLATE NOCASE,
    Indirizzo            TEXT COLLATE NOCASE,
    Localita             TEXT COLLATE NOCASE,
    Stato                TEXT COLLATE NOCASE,
    PV                   TEXT COLLATE NOCASE,
    CAP                  TEXT COLLATE NOCASE,
    NoteDoc              TEXT COLLATE NOCASE,
    idPagamento          TEXT COLLATE NOCASE,
    idModPag             TEXT COLLATE NOCASE,
    idListino            TEXT COLLATE NOCASE,
    idAgente             TEXT COLLATE NOCASE,
    PercSconto           REAL,
    DtCons               DATE,
    CausaleTrasp         TEXT COLLATE NOCASE,
    Colli                INTEGER,
    Aspetto              TEXT COLLATE NOCASE,
    PesoKG               REAL,
    idVett1              TEXT COLLATE NOCASE,
    NoteVett1            TEXT COLLATE NOCASE,
    idVett2              TEXT COLLATE NOCASE,
    NoteVett2            TEXT COLLATE NOCASE,
    Porto                TEXT COLLATE NOCASE,
    ACura                TEXT COLLATE NOCASE,
    Zona                 TEXT COLLATE NOCASE,
    MMDataReg            DATE,
    MMidCausaleDoc       TEXT COLLATE NOCASE,
    MMNumInt             INTEGER,
    ImponFATNCLire       REAL,
    ImponFATNCLEURO      REAL,
    ImpostaFATNCLire     REAL,
    ImpostaFATNCLEURO    REAL,
    TotFATNCLire         REAL,
    TotFATNCLEURO        REAL,
    TipoFattura          TEXT COLLATE NOCASE,
    FatturaPANome        TEXT COLLATE NOCASE,
    FatturaPAData        TEXT COLLATE NOCASE,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX FATNCTes_Esercizio ON FATNCTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the credit notes (FATNC).
CREATE TABLE FATNCRig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the delivery notes (DDT).
CREATE TABLE DDTTes (
    DataReg            DATE NOT NULL,
    NumInt             INTEGER NOT NULL,
    Numero             INTEGER,
    idCausaleDoc       TEXT COLLATE NOCASE,
    idEsercizio        TEXT COLLATE NOCASE,
    idCliente          INTEGER,
    DSCli              TEXT COLLATE NOCASE,
    idFornitore        INTEGER,
    DSFor              TEXT COLLATE NOCASE,
    Indirizzo          TEXT COLLATE NOCASE,
    Localita           TEXT COLLATE NOCASE,
    Stato              TEXT COLLATE NOCASE,
    PV                 TEXT COLLATE NOCASE,
    CAP                TEXT COLLATE NOCASE,
    NoteDoc            TEXT COLLATE NOCASE,
    idPagamento        TEXT COLLATE NOCASE,
    idModPag           TEXT COLLATE NOCASE,
    idListino          TEXT COLLATE NOCASE,
    idAgente           TEXT COLLATE NOCASE,
    PercSconto         REAL,
    DtCons             DATE,
    CausaleTrasp       TEXT COLLATE NOCASE,
    Colli              INTEGER,
    Aspetto            TEXT COLLATE NOCASE,
    PesoKG             REAL,
    idVett1            TEXT COLLATE NOCASE,
    NoteVett1          TEXT COLLATE NOCASE,
    idVett2            TEXT COLLATE NOCASE,
    NoteVett2          TEXT COLLATE NOCASE,
    Porto              TEXT COLLATE NOCASE,
    ACura              TEXT COLLATE NOCASE,
    Zona               TEXT COLLATE NOCASE,
    MMDataReg          DATE,
    MMidCausaleDoc     TEXT COLLATE NOCASE,
    MMNumInt           INTEGER,
    ImponDDTLire       REAL,
    ImponDDTLEURO      REAL,
    ImpostaDDTLire     REAL,
    ImpostaDDTLEURO    REAL,
    TotDDTLire         REAL,
    TotDDTLEURO        REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX DDTTes_Esercizio ON DDTTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the delivery notes (DDT).
CREATE TABLE DDTRig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the quotations (PREV).
CREATE TABLE PREVTes (
    DataReg             DATE NOT NULL,
    NumInt              INTEGER NOT NULL,
    Numero              INTEGER,
    idCausaleDoc        TEXT COLLATE NOCASE,
    idEsercizio         TEXT COLLATE NOCASE,
    idCliente           INTEGER,
    DSCli               TEXT COLLATE NOCASE,
    idFornitore         INTEGER,
    DSFor               TEXT COLLATE NOCASE,
    Indirizzo           TEXT COLLATE NOCASE,
    Localita            TEXT COLLATE NOCASE,
    Stato               TEXT COLLATE NOCASE,
    PV                  TEXT COLLATE NOCASE,
    CAP                 TEXT COLLATE NOCASE,
    NoteDoc             TEXT COLLATE NOCASE,
    idPagamento         TEXT COLLATE NOCASE,
    idModPag            TEXT COLLATE NOCASE,
    idListino           TEXT COLLATE NOCASE,
    idAgente            TEXT COLLATE NOCASE,
    PercSconto          REAL,
    DtCons              DATE,
    CausaleTrasp        TEXT COLLATE NOCASE,
    Colli               INTEGER,
    Aspetto             TEXT COLLATE NOCASE,
    PesoKG              REAL,
    idVett1             TEXT COLLATE NOCASE,
    NoteVett1           TEXT COLLATE NOCASE,
    idVett2             TEXT COLLATE NOCASE,
    NoteVett2           TEXT COLLATE NOCASE,
    Porto               TEXT COLLATE NOCASE,
    ACura               TEXT COLLATE NOCASE,
    Zona                TEXT COLLATE NOCASE,
    MMDataReg           DATE,
    MMidCausaleDoc      TEXT COLLATE NOCASE,
    MMNumInt            INTEGER,
    ImponPREVLire       REAL,
    ImponPREVLEURO      REAL,
    ImpostaPREVLire     REAL,
    ImpostaPREVLEURO    REAL,
    TotPREVLire         REAL,
    TotPREVLEURO        REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX PREVTes_Esercizio ON PREVTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the quotations (PREV).
CREATE TABLE PREVRig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the customer orders (ORDVE).
-- The order also carries five expense lines (DSSpesa, SpesaLire, SpesaEuro)
-- with their totals SpeseLire and SpeseEuro.
CREATE TABLE ORDVETes (
    DataReg              DATE NOT NULL,
    NumInt               INTEGER NOT NULL,
    Numero               INTEGER,
    idCausaleDoc         TEXT COLLATE NOCASE,
    idEsercizio          TEXT COLLATE NOCASE,
    idCliente            INTEGER,
    DSCli                TEXT COLLATE NOCASE,
    idFornitore          INTEGER,
    DSFor                TEXT COLLATE NOCASE,
    Indirizzo            TEXT COLLATE NOCASE,
    Localita             TEXT COLLATE NOCASE,
    Stato                TEXT COLLATE NOCASE,
    PV                   TEXT COLLATE NOCASE,
    CAP                  TEXT COLLATE NOCASE,
    NoteDoc              TEXT COLLATE NOCASE,
    idPagamento          TEXT COLLATE NOCASE,
    idModPag             TEXT COLLATE NOCASE,
    idListino            TEXT COLLATE NOCASE,
    idAgente             TEXT COLLATE NOCASE,
    PercSconto           REAL,
    DtCons               DATE,
    CausaleTrasp         TEXT COLLATE NOCASE,
    Colli                INTEGER,
    Aspetto              TEXT COLLATE NOCASE,
    PesoKG               REAL,
    idVett1              TEXT COLLATE NOCASE,
    NoteVett1            TEXT COLLATE NOCASE,
    idVett2              TEXT COLLATE NOCASE,
    NoteVett2            TEXT COLLATE NOCASE,
    Porto                TEXT COLLATE NOCASE,
    ACura                TEXT COLLATE NOCASE,
    Zona                 TEXT COLLATE NOCASE,
    MMDataReg            DATE,
    MMidCausaleDoc       TEXT COLLATE NOCASE,
    MMNumInt             INTEGER,
    ImponORDVELire       REAL,
    ImponORDVELEURO      REAL,
    ImpostaORDVELire     REAL,
    ImpostaORDVELEURO    REAL,
    TotORDVELire         REAL,
    TotORDVELEURO        REAL,
    DSSpesa1             TEXT COLLATE NOCASE,
    DSSpesa2             TEXT COLLATE NOCASE,
    DSSpesa3             TEXT COLLATE NOCASE,
    DSSpesa4             TEXT COLLATE NOCASE,
    DSSpesa5             TEXT COLLATE NOCASE,
    Spesa1Lire           REAL,
    Spesa2Lire           REAL,
    Spesa3Lire           REAL,
    Spesa4Lire           REAL,
    Spesa5Lire           REAL,
    Spesa1Euro           REAL,
    Spesa2Euro           REAL,
    Spesa3Euro           REAL,
    Spesa4Euro           REAL,
    Spesa5Euro           REAL,
    SpeseLire            REAL,
    SpeseEuro            REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX ORDVETes_Esercizio ON ORDVETes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the customer orders (ORDVE).
CREATE TABLE ORDVERig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the supplier orders (ORDAC).
CREATE TABLE ORDACTes (
    DataReg             DATE NOT NULL,
    NumInt              INTEGER NOT NULL,
    Numero              INTEGER,
    idCausaleDoc        TEXT COLLATE NOCASE,
    idEsercizio         TEXT COLLATE NOCASE,
    idCliente           INTEGER,
    DSCli               TEXT COLLATE NOCASE,
    idFornitore         INTEGER,
    DSFor               TEXT COLLATE NOCASE,
    Indirizzo           TEXT COLLATE NOCASE,
    Localita            TEXT COLLATE NOCASE,
    Stato               TEXT COLLATE NOCASE,
    PV                  TEXT COLLATE NOCASE,
    CAP                 TEXT COLLATE NOCASE,
    NoteDoc             TEXT COLLATE NOCASE,
    idPagamento         TEXT COLLATE NOCASE,
    idModPag            TEXT COLLATE NOCASE,
    idListino           TEXT COLLATE NOCASE,
    idAgente            TEXT COLLATE NOCASE,
    PercSconto          REAL,
    DtCons              DATE,
    CausaleTrasp        TEXT COLLATE NOCASE,
    Colli               INTEGER,
    Aspetto             TEXT COLLATE NOCASE,
    PesoKG              REAL,
    idVett1             TEXT COLLATE NOCASE,
    NoteVett1           TEXT COLLATE NOCASE,
    idVett2             TEXT COLLATE NOCASE,
    NoteVett2           TEXT COLLATE NOCASE,
    Porto               TEXT COLLATE NOCASE,
    ACura               TEXT COLLATE NOCASE,
    Zona                TEXT COLLATE NOCASE,
    MMDataReg           DATE,
    MMidCausaleDoc      TEXT COLLATE NOCASE,
    MMNumInt            INTEGER,
    ImponORDACLire      REAL,
    ImponORDACEURO      REAL,
    ImpostaORDACLire    REAL,
    ImpostaORDACEURO    REAL,
    TotORDACLire        REAL,
    TotORDACEURO        REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX ORDACTes_Esercizio ON ORDACTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the supplier orders (ORDAC).
CREATE TABLE ORDACRig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);

-- Headers of the return notes (RESO).
CREATE TABLE RESOTes (
    DataReg           DATE NOT NULL,
    NumInt            INTEGER NOT NULL,
    Numero            INTEGER,
    idCausaleDoc      TEXT COLLATE NOCASE,
    idEsercizio       TEXT COLLATE NOCASE,
    idCliente         INTEGER,
    DSCli             TEXT COLLATE NOCASE,
    idFornitore       INTEGER,
    DSFor             TEXT COLLATE NOCASE,
    Indirizzo         TEXT COLLATE NOCASE,
    Localita          TEXT COLLATE NOCASE,
    Stato             TEXT COLLATE NOCASE,
    PV                TEXT COLLATE NOCASE,
    CAP               TEXT COLLATE NOCASE,
    NoteDoc           TEXT COLLATE NOCASE,
    idPagamento       TEXT COLLATE NOCASE,
    idModPag          TEXT COLLATE NOCASE,
    idListino         TEXT COLLATE NOCASE,
    idAgente          TEXT COLLATE NOCASE,
    PercSconto        REAL,
    DtCons            DATE,
    CausaleTrasp      TEXT COLLATE NOCASE,
    Colli             INTEGER,
    Aspetto           TEXT COLLATE NOCASE,
    PesoKG            REAL,
    idVett1           TEXT COLLATE NOCASE,
    NoteVett1         TEXT COLLATE NOCASE,
    idVett2           TEXT COLLATE NOCASE,
    NoteVett2         TEXT COLLATE NOCASE,
    Porto             TEXT COLLATE NOCASE,
    ACura             TEXT COLLATE NOCASE,
    Zona              TEXT COLLATE NOCASE,
    MMDataReg         DATE,
    MMidCausaleDoc    TEXT COLLATE NOCASE,
    MMNumInt          INTEGER,
    TotRESOLire       REAL,
    TotRESOLEURO      REAL,
    UNIQUE (DataReg, NumInt)
);
CREATE INDEX RESOTes_Esercizio ON RESOTes (idEsercizio, idCausaleDoc, NumInt);

-- Rows of the return notes (RESO).
CREATE TABLE RESORig (
    DataReg          DATE NOT NULL,
    NumInt           INTEGER NOT NULL,
    Riga             INTEGER NOT NULL,
    Deposito         TEXT COLLATE NOCASE,
    TipoRiga         TEXT COLLATE NOCASE,
    idArticolo       TEXT COLLATE NOCASE,
    Descrizione      TEXT COLLATE NOCASE,
    UM               TEXT COLLATE NOCASE,
    CdIva            TEXT COLLATE NOCASE,
    Quantita         REAL,
    PUnitLit         REAL,
    PUnitEuro        REAL,
    Sconto           REAL,
    TotScontiLit     REAL,
    TotScontiEuro    REAL,
    ValoreLit        REAL,
    ValoreEuro       REAL,
    ImpostaLit       REAL,
    ImpostaEuro      REAL,
    TotRigaLit       REAL,
    TotRigaEuro      REAL,
    UNIQUE (DataReg, NumInt, Riga)
);


-- =====================================================================
-- Master data of the base component's own screens
-- =====================================================================

-- Materials (idCategoria: catmat). Purchase prices in lire and in euro.
CREATE TABLE Materiali (
    id              INTEGER PRIMARY KEY,
    Codice          TEXT COLLATE NOCASE NOT NULL UNIQUE,
    Descrizione     TEXT COLLATE NOCASE,
    UM              TEXT COLLATE NOCASE,
    idCategoria     TEXT COLLATE NOCASE,
    PrezzoAcq       REAL,
    PrezzoAcqEuro   REAL,
    Note            TEXT COLLATE NOCASE
);

-- Services (idCategoria: catser). Prices in lire and in euro.
CREATE TABLE Servizi (
    id              INTEGER PRIMARY KEY,
    Codice          TEXT COLLATE NOCASE NOT NULL UNIQUE,
    Descrizione     TEXT COLLATE NOCASE,
    UM              TEXT COLLATE NOCASE,
    CdIva           TEXT COLLATE NOCASE,
    idCategoria     TEXT COLLATE NOCASE,
    Prezzo          REAL,
    PrezzoEuro      REAL,
    Note            TEXT COLLATE NOCASE
);

-- Pictures kept by the image manager: Percorso is the full path of the file.
CREATE TABLE Immagini (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"      TEXT COLLATE NOCASE,
    Percorso    TEXT COLLATE NOCASE
);

-- Bills of materials: each row says how much of a component (idComponente, an article code)
-- goes into one unit of an article (idArticolo).
CREATE TABLE DistintaBase (
    Codice          TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    "Desc"          TEXT COLLATE NOCASE,
    idArticolo      TEXT COLLATE NOCASE,
    idComponente    TEXT COLLATE NOCASE,
    Quantita        REAL
);

-- =====================================================================
-- Lists
-- =====================================================================

-- The lists of master records are read a page at a time in the order of
-- their code (suppliers also of their name), sorted as Italians sort:
-- accents and capitals aside. That order is the order key
-- {{ORDER_KEY:column}}, an expression of lower() and replace() only that the
-- template builder writes out; an index on it serves every page of a list,
-- whatever the table holds.
CREATE INDEX Clienti_ordine ON Clienti ({{ORDER_KEY:Codice}});
CREATE INDEX Fornitori_ordine ON Fornitori ({{ORDER_KEY:Codice}});
CREATE INDEX Fornitori_nome ON Fornitori ({{ORDER_KEY:Denominazione}});
CREATE INDEX Agenti_ordine ON Agenti ({{ORDER_KEY:Codice}});
CREATE INDEX Articoli_ordine ON Articoli ({{ORDER_KEY:Codice}});
CREATE INDEX Vettori_ordine ON Vettori ({{ORDER_KEY:Codice}});
CREATE INDEX Listini_ordine ON Listini ({{ORDER_KEY:Codice}});
CREATE INDEX Materiali_ordine ON Materiali ({{ORDER_KEY:Codice}});
CREATE INDEX Servizi_ordine ON Servizi ({{ORDER_KEY:Codice}});
-- Warehouse movements are listed by day, reason and number.
CREATE INDEX MovMagTes_ordine ON MovMagTes (DataReg, idCausale, NumInt);

-- Version of the archive's schema, read by the maintenance program (tools/archiveupgrade.cpp).
PRAGMA user_version = 2;
