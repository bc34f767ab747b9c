-- Brevano V - demo content of the user archive.
-- Placeholders replaced when the template is built: {{YEAR}} current year.

-- The company record (id 1). Base currency: Italian lira, no decimals,
-- euro exchange rate 1936.27 with 2 decimals; no logo ('0'); ordinary fiscal
-- regime (RF01) for the electronic invoices.
INSERT INTO Azienda (id, Denominazione, Indirizzo, CAP, Localita, Pv, Stato,
    PIVA, CodFisc, Telefono1, Telefono2, FAX, LuogoCCIAA, NumCCIAA,
    ValutaBase, DecimaliBase, CambioEuro, DecimaliEuro, Path, PathImg, RegimeFiscale)
VALUES (1, 'Forniture Lombarde S.r.l.', 'Via Giuseppe Verdi, 14', '20121', 'MILANO', 'MI', 'IT',
    '04587210963', '04587210963', '02 8645 2210', '02 8645 2211', '02 8645 2299', 'MILANO', '1754321',
    'LIT', 0, 1936.27, 2, '', '0', 'RF01');

-- Users: an administrator and an ordinary user.
INSERT INTO Password (Codice, Password, esercizio, Tipo, "Desc") VALUES ('admin', 'admin', '{{YEAR}}', 'A', 'Amministratore');
INSERT INTO Password (Codice, Password, esercizio, Tipo, "Desc") VALUES ('mario', 'Rossi1', '{{YEAR}}', 'U', 'Mario Rossi');

-- Version of the archives.
INSERT INTO Versione (Versione) VALUES (500);
