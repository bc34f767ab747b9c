-- Brevano V - local archive of a workstation (locdata.mdb / template locdata2.mdb)
--
-- Settings of this workstation. Same conventions as the other archives:
-- text columns TEXT COLLATE NOCASE, no foreign keys, no triggers.

-- Options of the workstation; only the first row is used.
-- Sfondo: background picture of the main window. NULL (or no row) means the
-- picture Sfondo.jpg of the program folder, 'Senza' no picture, any other
-- text the full path of the picture file.
CREATE TABLE OpzUtente (
    Sfondo      TEXT COLLATE NOCASE
);

-- The identifier of this installation of the program (one row), made at its first run: lock
-- rows name their holder by it, so that another machine with the same name is never taken for
-- this one.
CREATE TABLE Installazione (
    Codice      TEXT COLLATE BINARY NOT NULL
);

-- Version of the archive's schema, read by the maintenance program (tools/archiveupgrade.cpp).
PRAGMA user_version = 2;
