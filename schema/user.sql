-- Brevano V - user archive (user.mdb / template user2.mdb)
--
-- Users, the company record, the record locks and the archive version.
-- Conventions of every archive:
--   only SQLite's built-in collations (text columns TEXT COLLATE NOCASE);
--   letters beyond ASCII compare through the program's own collation, as in
--   data.sql,
--   whole numbers and booleans (1 true, 0 false) are INTEGER, amounts REAL,
--   dates are DATE holding 'YYYY-MM-DD', date-times DATETIME holding
--   'YYYY-MM-DD HH:MM:SS',
--   no foreign keys, no triggers.

-- Users. Codice is found without regard to case (NOCASE key).
-- The password is kept as a salted, slow digest ("pbkdf2-sha256$..."), never
-- as typed; the program compares the digest of what is typed, exactly. A row
-- still in clear (an earlier build) becomes a digest at its first sign-in.
-- NULL means an empty password.
-- Tipo 'A' marks an administrator (the program compares it case-sensitively).
-- esercizio is the user's current fiscal year, written back at exit.
CREATE TABLE Password (
    Codice      TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    Password    TEXT COLLATE BINARY,
    esercizio   TEXT COLLATE NOCASE,
    Tipo        TEXT COLLATE NOCASE,
    "Desc"      TEXT COLLATE NOCASE
);

-- The company record: one row, id = 1.
-- PathImg holds the logo file path, '0' when there is no logo.
-- RegimeFiscale: the fiscal regime of the electronic invoice (RF01 ordinary, ...).
CREATE TABLE Azienda (
    id              INTEGER PRIMARY KEY,
    Denominazione   TEXT COLLATE NOCASE,
    Indirizzo       TEXT COLLATE NOCASE,
    CAP             TEXT COLLATE NOCASE,
    Localita        TEXT COLLATE NOCASE,
    Pv              TEXT COLLATE NOCASE,
    Stato           TEXT COLLATE NOCASE,
    PIVA            TEXT COLLATE NOCASE,
    CodFisc         TEXT COLLATE NOCASE,
    Telefono1       TEXT COLLATE NOCASE,
    Telefono2       TEXT COLLATE NOCASE,
    FAX             TEXT COLLATE NOCASE,
    LuogoCCIAA      TEXT COLLATE NOCASE,
    NumCCIAA        TEXT COLLATE NOCASE,
    ValutaBase      TEXT COLLATE NOCASE,
    DecimaliBase    INTEGER,
    CambioEuro      REAL,
    DecimaliEuro    INTEGER,
    Path            TEXT COLLATE NOCASE,
    PathImg         TEXT COLLATE NOCASE,
    RegimeFiscale   TEXT COLLATE NOCASE
);

-- Record locks. One row per lock held.
-- The identity of a lock is (Tabella, Chiave1, Chiave2, Chiave3, Archivio):
-- the table name, the three key parts and the archive (the user archive's
-- full path, or ':_:' for the company archive). A key part that is not needed
-- holds the empty-slot marker ':_:'. The identity columns are NOT NULL so that
-- the unique key really applies (SQLite treats NULLs as distinct): acquiring a
-- lock is one atomic INSERT that fails when another row holds the identity.
-- User, Postazione: holder; Modulo: owner string; DescFrm: screen title,
-- Ore: time the lock was taken; Processo: the holder's process at that
-- workstation ("id@start"), so that a second copy of the program started by
-- the same user is another holder, and the sign-in drops only the rows of a
-- copy that no longer runs.
CREATE TABLE Accessi (
    id          INTEGER PRIMARY KEY AUTOINCREMENT,
    "User"      TEXT COLLATE NOCASE,
    Postazione  TEXT COLLATE NOCASE,
    Modulo      TEXT COLLATE NOCASE,
    DescFrm     TEXT COLLATE NOCASE,
    Ore         DATETIME,
    Tabella     TEXT COLLATE NOCASE NOT NULL,
    Chiave1     TEXT COLLATE NOCASE NOT NULL,
    Chiave2     TEXT COLLATE NOCASE NOT NULL DEFAULT ':_:',
    Chiave3     TEXT COLLATE NOCASE NOT NULL DEFAULT ':_:',
    Archivio    TEXT COLLATE NOCASE NOT NULL DEFAULT ':_:',
    Processo    TEXT COLLATE BINARY,
    UNIQUE (Tabella, Chiave1, Chiave2, Chiave3, Archivio)
);

-- Sign-in and exit clean-up delete by user and workstation.
CREATE INDEX Accessi_UserPostazione ON Accessi ("User", Postazione);

-- Version of the archives (first row read by the about box).
CREATE TABLE Versione (
    Versione    INTEGER
);

-- Version of the archive's schema, read by the maintenance program (tools/archiveupgrade.cpp).
PRAGMA user_version = 2;
