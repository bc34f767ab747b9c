-- Brevano V - demo content of the company archive.
-- Placeholders replaced when the template is built: {{YEAR}} current year,
-- {{MONTH}} current month (2 digits), {{PREVYEAR}} previous year.
-- Amounts are held in lire and in euro (1 euro = 1936.27 lire).

-- =====================================================================
-- Fiscal years and geography
-- =====================================================================

INSERT INTO Esercizio (Codice, "Desc", DTIn, DTFi) VALUES ('{{YEAR}}', 'Esercizio {{YEAR}}', '{{YEAR}}-01-01', '{{YEAR}}-12-31');
INSERT INTO Esercizio (Codice, "Desc", DTIn, DTFi) VALUES ('{{PREVYEAR}}', 'Esercizio {{PREVYEAR}}', '{{PREVYEAR}}-01-01', '{{PREVYEAR}}-12-31');

INSERT INTO Stati (id, Descrizione) VALUES
    ('IT', 'ITALIA'),
    ('FR', 'FRANCIA'),
    ('DE', 'GERMANIA'),
    ('CH', 'SVIZZERA'),
    ('SM', 'SAN MARINO');

INSERT INTO Provincie (id, Descrizione, idStato) VALUES
    ('MI', 'MILANO', 'IT'),
    ('MB', 'MONZA E BRIANZA', 'IT'),
    ('TO', 'TORINO', 'IT'),
    ('RM', 'ROMA', 'IT'),
    ('BO', 'BOLOGNA', 'IT'),
    ('NA', 'NAPOLI', 'IT'),
    ('FI', 'FIRENZE', 'IT'),
    ('TI', 'CANTON TICINO', 'CH');

INSERT INTO CAP (CAP, Descrizione, idStato, idProvincia) VALUES
    ('20121', 'MILANO', 'IT', 'MI'),
    ('20090', 'SEGRATE', 'IT', 'MI'),
    ('20900', 'MONZA', 'IT', 'MB'),
    ('10121', 'TORINO', 'IT', 'TO'),
    ('10024', 'MONCALIERI', 'IT', 'TO'),
    ('00184', 'ROMA', 'IT', 'RM'),
    ('40121', 'BOLOGNA', 'IT', 'BO'),
    ('80121', 'NAPOLI', 'IT', 'NA'),
    ('50122', 'FIRENZE', 'IT', 'FI'),
    ('6900', 'LUGANO', 'CH', 'TI');

INSERT INTO Zone (Codice, "Desc") VALUES
    ('1', 'Nord'),
    ('2', 'Centro'),
    ('3', 'Sud e Isole');

-- =====================================================================
-- Code tables
-- =====================================================================

INSERT INTO attivita (Codice, "Desc") VALUES
    ('COM', 'Commercio all''ingrosso'),
    ('DET', 'Commercio al dettaglio'),
    ('ART', 'Artigianato'),
    ('IND', 'Industria');

INSERT INTO banche (Codice, "Desc", Banca, Agenzia, ABI, CAB, Conto, CIN) VALUES
    ('B01', 'Conto corrente ordinario', 'Banca Popolare di Milano', 'Agenzia 12 - Milano', '05584', '01612', '000000012345', 'X'),
    ('B02', 'Conto anticipi', 'Banca Intesa', 'Filiale di Segrate', '03069', '33190', '000000067890', 'K'),
    ('B03', 'Conto corrente postale', 'Poste Italiane', 'Milano Centro', '07601', '01600', '000012345678', 'N');

INSERT INTO causalidoc (Codice, "Desc") VALUES
    ('VEN', 'Vendita'),
    ('ORD', 'Ordine da cliente'),
    ('OFF', 'Offerta a cliente'),
    ('RES', 'Reso da cliente'),
    ('ACQ', 'Acquisto da fornitore'),
    ('NC', 'Nota di credito a cliente');

-- The rates of nought carry their nature for the electronic invoice.
INSERT INTO IVA (Codice, "Desc", Perc, Natura) VALUES
    ('20', 'Aliquota ordinaria 20%', 20, NULL),
    ('10', 'Aliquota ridotta 10%', 10, NULL),
    ('04', 'Aliquota minima 4%', 4, NULL),
    ('E15', 'Escluso art. 15', 0, 'N1'),
    ('N8', 'Non imponibile art. 8', 0, 'N3.1');

INSERT INTO Depositi (Codice, "Desc", Indirizzo, Telefono, FAX, Contatto) VALUES
    ('DEP', 'Deposito principale', 'Via Giuseppe Verdi, 14 - Milano', '02 8645 2210', '02 8645 2299', 'Sig. Galli'),
    ('NEG', 'Negozio di Segrate', 'Via Cassanese, 100 - Segrate', '02 2135 7700', '02 2135 7701', 'Sig.ra Conti'),
    ('ESTERNO', 'Merce presso terzi', NULL, NULL, NULL, NULL);

INSERT INTO SettMerc (Codice, "Desc") VALUES
    ('1', 'Ferramenta'),
    ('2', 'Elettricità'),
    ('3', 'Idraulica'),
    ('4', 'Utensileria');

INSERT INTO tipopag (Codice, "Desc", ModalitaPagamento) VALUES
    ('RB', 'Ricevuta bancaria', 'MP12'),
    ('BB', 'Bonifico bancario', 'MP05'),
    ('RD', 'Rimessa diretta', 'MP01'),
    ('CON', 'Contanti', 'MP01');

INSERT INTO UM (Codice, "Desc") VALUES
    ('PZ', 'Pezzi'),
    ('KG', 'Chilogrammi'),
    ('MT', 'Metri'),
    ('LT', 'Litri'),
    ('CF', 'Confezioni');

INSERT INTO Valute (Codice, "Desc", Cambio, Decimali) VALUES
    ('LIT', 'Lira italiana', 1, 0),
    ('EUR', 'Euro', 1936.27, 2),
    ('USD', 'Dollaro USA', 2087.5, 2),
    ('CHF', 'Franco svizzero', 1275.4, 2),
    ('GBP', 'Sterlina inglese', 3120.8, 2);

INSERT INTO catage (Codice, "Desc") VALUES
    ('MON', 'Agente monomandatario'),
    ('PLU', 'Agente plurimandatario');

INSERT INTO catart (Codice, "Desc") VALUES
    ('UTE', 'Utensili manuali'),
    ('ELE', 'Utensili elettrici'),
    ('MAT', 'Materiale di consumo');

INSERT INTO catcli (Codice, "Desc") VALUES
    ('RIV', 'Rivenditori'),
    ('IMP', 'Imprese edili'),
    ('PRI', 'Privati');

INSERT INTO catfor (Codice, "Desc") VALUES
    ('PRO', 'Produttori'),
    ('GRO', 'Grossisti');

INSERT INTO catmat (Codice, "Desc") VALUES
    ('MET', 'Metalli'),
    ('PLA', 'Materie plastiche');

INSERT INTO catser (Codice, "Desc") VALUES
    ('TRA', 'Trasporti'),
    ('MAN', 'Manutenzioni'),
    ('CON', 'Consulenze');

-- =====================================================================
-- Payment terms
-- =====================================================================

INSERT INTO ModPag (Codice, "Desc", Rate, FineMese, Scad1, Scad2, Scad3) VALUES
    ('RD', 'Rimessa diretta', 0, 0, NULL, NULL, NULL),
    ('RB30', 'Ricevuta bancaria 30 gg', 1, 0, 30, NULL, NULL),
    ('RB3060', 'Ricevuta bancaria 30/60 gg fine mese', 2, 1, 30, 60, NULL),
    ('BB306090', 'Bonifico bancario 30/60/90 gg', 3, 0, 30, 60, 90);

-- =====================================================================
-- Reasons
-- =====================================================================

-- Segno '+' loads, '-' unloads, '' (NEU) neither.
INSERT INTO CauMag (Codice, "Desc", Segno, Tipo) VALUES
    ('CAR', 'Carico da fornitore', '+', 'C'),
    ('RES', 'Reso da cliente', '+', 'R'),
    ('SCA', 'Scarico di magazzino', '-', 'S'),
    ('VEN', 'Vendita', '-', 'V'),
    ('NEU', 'Movimento neutro', '', 'N');

INSERT INTO CauFat (Codice, "Desc") VALUES
    ('FI', 'Fattura immediata'),
    ('FA', 'Fattura accompagnatoria'),
    ('NC', 'Nota di credito'),
    ('FAC', 'Fattura di acquisto');

INSERT INTO CauPag (Codice, "Desc") VALUES
    ('INC', 'Incasso da cliente'),
    ('PAG', 'Pagamento a fornitore'),
    ('ABB', 'Abbuono');

-- =====================================================================
-- Master data
-- =====================================================================

INSERT INTO Clienti (id, Codice, Denominazione, Indirizzo1, Indirizzo2, Localita1, idStato1, idPV1, idCAP1,
    Telefono1, Fax, Piva, CodFiscale, ContattoCogn, ContattoNome, EMAIL, HTTP, idCategoria, idZona, idAgente,
    idPagamento, idModPag, idListino, Sconto, Fido, ProvvAg, EsenteIVA, Esente, Note) VALUES
    (1, 'C001', 'Rossi Ferramenta S.n.c.', 'Via Dante, 5', NULL, 'MILANO', 'IT', 'MI', '20121',
     '02 7200 1133', '02 7200 1134', '01873450152', '01873450152', 'Rossi', 'Giovanni', 'info@rossiferramenta.it', NULL, 'RIV', '1', 'AG01',
     'RB30', 'RB', 'L1', 5, 20000000, 5, NULL, 0, 'Cliente storico'),
    (2, 'C002', 'Bianchi Costruzioni S.p.A.', 'Corso Francia, 110', 'Cantiere: Via Nizza, 20', 'TORINO', 'IT', 'TO', '10121',
     '011 433 2100', '011 433 2101', '07654320012', '07654320012', 'Bianchi', 'Paolo', 'acquisti@bianchicostruzioni.it', 'www.bianchicostruzioni.it', 'IMP', '1', 'AG01',
     'RB3060', 'RB', 'L1', 0, 50000000, 4, NULL, 0, NULL),
    (3, 'C003', 'Edilnova S.r.l.', 'Via Appia Nuova, 230', NULL, 'ROMA', 'IT', 'RM', '00184',
     '06 7812 5500', NULL, '05123450587', '05123450587', 'De Santis', 'Marco', NULL, NULL, 'IMP', '2', 'AG02',
     'BB306090', 'BB', 'L1', 3, 30000000, 3, NULL, 0, NULL),
    (4, 'C004', 'Idraulica Emiliana di Ferri Luca', 'Via Emilia Ponente, 45', NULL, 'BOLOGNA', 'IT', 'BO', '40121',
     '051 634 1290', NULL, '02233440375', 'FRRLCU68C12A944K', 'Ferri', 'Luca', 'luca.ferri@idraulicaemiliana.it', NULL, 'RIV', '2', NULL,
     'RB30', 'RB', NULL, 0, 5000000, 0, NULL, 0, NULL),
    (5, 'C005', 'Colombo Arredamenti', 'Via Manzoni, 8', NULL, 'MONZA', 'IT', 'MB', '20900',
     '039 231 4455', '039 231 4456', '03344550961', '03344550961', 'Colombo', 'Sergio', NULL, NULL, 'PRI', '1', 'AG02',
     'RB3060', 'RB', 'L2', 0, 10000000, 4.5, 'Esente art. 8 lett. c', 1, 'Esportatore abituale: lettera d''intento in archivio');

-- Where the customers receive their electronic invoices: a recipient code, or
-- (Rossi Ferramenta) only a certified e-mail address.
UPDATE Clienti SET PECDestinatario = 'rossiferramenta@pec.it' WHERE id = 1;
UPDATE Clienti SET CodiceDestinatario = 'KRRH6B9' WHERE id = 2;
UPDATE Clienti SET CodiceDestinatario = 'T04ZHR3', PECDestinatario = 'edilnova@legalmail.it' WHERE id = 3;
UPDATE Clienti SET CodiceDestinatario = 'USAL8PV' WHERE id = 4;
UPDATE Clienti SET CodiceDestinatario = 'W7YVJK9' WHERE id = 5;

INSERT INTO Fornitori (id, Codice, Denominazione, Indirizzo1, Indirizzo2, Localita1, idStato1, idPV1, idCAP1,
    Telefono1, Fax, Piva, CodFiscale, ContattoCogn, ContattoNome, EMAIL, HTTP, idCategoria, idPagamento, idModPag, Note) VALUES
    (1, 'F001', 'Utensileria Italiana S.p.A.', 'Via Cassanese, 224', NULL, 'SEGRATE', 'IT', 'MI', '20090',
     '02 2692 3300', '02 2692 3301', '08123450158', '08123450158', 'Marini', 'Elena', 'ordini@utensileriaitaliana.it', 'www.utensileriaitaliana.it', 'PRO', 'RB3060', 'RB', NULL),
    (2, 'F002', 'Viterie Piemontesi S.r.l.', 'Strada Genova, 180', NULL, 'MONCALIERI', 'IT', 'TO', '10024',
     '011 640 2211', NULL, '09876540018', '09876540018', 'Gallo', 'Franco', NULL, NULL, 'PRO', 'RB30', 'RB', NULL),
    (3, 'F003', 'Tubi e Raccordi del Sud S.r.l.', 'Via Marina, 12', NULL, 'NAPOLI', 'IT', 'NA', '80121',
     '081 552 3300', '081 552 3301', '04567890634', '04567890634', 'Esposito', 'Ciro', 'info@tubiraccordisud.it', NULL, 'GRO', 'BB306090', 'BB', 'Consegne il martedì e il venerdì');

INSERT INTO Agenti (id, Codice, Denominazione, Indirizzo1, Localita1, idStato1, idPV1, idCAP1,
    Telefono1, Fax, Piva, CodFiscale, EMAIL, idCategoria, ProvvAg, Note) VALUES
    (1, 'AG01', 'Bianchi Luigi', 'Via Padova, 72', 'MILANO', 'IT', 'MI', '20121',
     '335 612 4478', NULL, '07788990151', 'BNCLGU60A01F205X', 'l.bianchi@agenti.it', 'MON', 5, NULL),
    (2, 'AG02', 'Verdi Anna', 'Viale Libertà, 3', 'MONZA', 'IT', 'MB', '20900',
     '348 901 2233', NULL, '06677880964', 'VRDNNA72M41F704Z', NULL, 'PLU', 4.5, 'Zona Brianza e Lazio');

INSERT INTO Articoli (id, Codice, Descrizione, idDeposito, UM, CdIva, idCategoria, idSettMerc,
    PrezzoVen, PrezzoVenEuro, PrezzoAcq, PrezzoAcqEuro, PuntoGiacenzaMinima, PuntoGiacenzaMax, Note) VALUES
    (1, 'ART001', 'Martello da carpentiere 500 g', 'DEP', 'PZ', '20', 'UTE', '1', 18000, 9.3, 11000, 5.68, 10, 100, NULL),
    (2, 'ART002', 'Cacciavite a croce PH2', 'DEP', 'PZ', '20', 'UTE', '4', 6500, 3.36, 3800, 1.96, 20, 200, NULL),
    (3, 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'DEP', 'CF', '20', 'MAT', '1', 9800, 5.06, 5200, 2.69, 30, 300, NULL),
    (4, 'ART004', 'Tubo rame diametro 18 mm', 'DEP', 'MT', '20', 'MAT', '3', 7200, 3.72, 4300, 2.22, 50, 500, 'Venduto a metro, barre da 5 m'),
    (5, 'ART005', 'Trapano a percussione 750 W', 'DEP', 'PZ', '20', 'ELE', '4', 145000, 74.89, 92000, 47.51, 2, 15, NULL),
    (6, 'ART006', 'Silicone sigillante trasparente 310 ml', 'DEP', 'PZ', '20', 'MAT', '3', 8400, 4.34, 4500, 2.32, 24, 240, NULL),
    (7, 'ART007', 'Cavo elettrico FS17 sezione 2,5 mmq', 'DEP', 'MT', '20', 'MAT', '2', 1200, 0.62, 650, 0.34, 200, 2000, NULL),
    (8, 'ART008', 'Guanti da lavoro in pelle (qualità extra)', 'DEP', 'PZ', '20', 'MAT', '1', 5500, 2.84, 2900, 1.5, 20, 200, NULL);

INSERT INTO Vettori (id, Codice, Denominazione, Indirizzo1, Localita1, idStato1, idPV1, idCAP1, Telefono1, Note) VALUES
    (1, 'V01', 'Trasporti Rapidi S.r.l.', 'Via dell''Industria, 9', 'SEGRATE', 'IT', 'MI', '20090', '02 2130 4400', NULL),
    (2, 'V02', 'Autotrasporti Piemonte S.n.c.', 'Corso Savona, 40', 'MONCALIERI', 'IT', 'TO', '10024', '011 642 8800', 'Ritiro entro le ore 17');

INSERT INTO Listini (Codice, "Desc") VALUES
    ('L1', 'Listino rivenditori'),
    ('L2', 'Listino al pubblico');

-- =====================================================================
-- Documents (dated in the current month)
-- =====================================================================

-- Delivery note 1, with its warehouse movement (VEN number 1).
INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, CausaleTrasp, Colli, Aspetto, PesoKG, idVett1, NoteVett1, idVett2, NoteVett2, Porto, ACura, Zona, MMDataReg, MMidCausaleDoc, MMNumInt, ImponDDTLire, ImponDDTLEURO, ImpostaDDTLire, ImpostaDDTLEURO, TotDDTLire, TotDDTLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-02', 1, 1, 'VEN', '{{YEAR}}', 1, 'Rossi Ferramenta S.n.c.', 'Via Dante, 5', 'MILANO', 'IT', 'MI', '20121', 'Merce controllata alla partenza', 'RB30', 'RB', 'L1', 'AG01', 0.0, '{{YEAR}}-{{MONTH}}-03', 'Vendita', 3, 'Scatole di cartone', 18.5, 'V01', 'Consegna entro le ore 12', NULL, NULL, 'Franco', 'Vettore', '1', '{{YEAR}}-{{MONTH}}-02', 'VEN', 1, 319860.0, 165.19, 63972.0, 33.04, 383832.0, 198.23);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-02', 1, 1, 'DEP', 'A', 'ART001', 'Martello da carpentiere 500 g', 'PZ', '20', 10.0, 18000.0, 9.3, 0.0, 0.0, 0.0, 180000.0, 92.96, 36000.0, 18.59, 216000.0, 111.55);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-02', 1, 2, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', '20', 5.0, 9800.0, 5.06, 10.0, 4900.0, 2.53, 44100.0, 22.78, 8820.0, 4.56, 52920.0, 27.33);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-02', 1, 3, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', '20', 12.0, 8400.0, 4.34, 5.0, 5040.0, 2.6, 95760.0, 49.46, 19152.0, 9.89, 114912.0, 59.35);

-- Delivery note 2: its customer key (99) matches no customer.
INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, CausaleTrasp, Colli, Aspetto, PesoKG, Porto, ACura, Zona, ImponDDTLire, ImponDDTLEURO, ImpostaDDTLire, ImpostaDDTLEURO, TotDDTLire, TotDDTLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-05', 2, 2, 'VEN', '{{YEAR}}', 99, 'Cliente occasionale al banco', 'Via Torino, 3', 'MILANO', 'IT', 'MI', '20121', 'Ritiro a cura del cliente', 'RD', 'CON', 'L1', 'AG02', 0.0, '{{YEAR}}-{{MONTH}}-05', 'Vendita', 2, 'Sfuso', 4.2, 'Franco', 'Destinatario', '1', 255000.0, 131.7, 51000.0, 26.34, 306000.0, 158.04);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-05', 2, 1, 'DEP', 'A', 'ART005', 'Trapano a percussione 750 W', 'PZ', '20', 1.0, 145000.0, 74.89, 0.0, 0.0, 0.0, 145000.0, 74.89, 29000.0, 14.98, 174000.0, 89.86);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-05', 2, 2, 'DEP', 'A', 'ART008', 'Guanti da lavoro in pelle (qualità extra)', 'PZ', '20', 20.0, 5500.0, 2.84, 0.0, 0.0, 0.0, 110000.0, 56.81, 22000.0, 11.36, 132000.0, 68.17);

-- Delivery note 3: rows numbered with gaps (1, 3, 7).
INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, CausaleTrasp, Colli, Aspetto, PesoKG, idVett1, NoteVett1, idVett2, NoteVett2, Porto, ACura, Zona, ImponDDTLire, ImponDDTLEURO, ImpostaDDTLire, ImpostaDDTLEURO, TotDDTLire, TotDDTLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-09', 3, 3, 'VEN', '{{YEAR}}', 2, 'Bianchi Costruzioni S.p.A.', 'Corso Francia, 110', 'TORINO', 'IT', 'TO', '10121', 'Cantiere di Corso Francia', 'RB3060', 'RB', 'L1', 'AG01', 0.0, '{{YEAR}}-{{MONTH}}-10', 'Vendita', 4, 'Rotoli e scatole', 32.0, 'V01', NULL, 'V02', 'Trasbordo a Torino', 'Assegnato', 'Vettore', '1', 339000.0, 175.08, 67800.0, 35.02, 406800.0, 210.09);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-09', 3, 1, 'DEP', 'A', 'ART004', 'Tubo rame diametro 18 mm', 'MT', '20', 25.0, 7200.0, 3.72, 0.0, 0.0, 0.0, 180000.0, 92.96, 36000.0, 18.59, 216000.0, 111.55);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-09', 3, 3, 'DEP', 'A', 'ART007', 'Cavo elettrico FS17 sezione 2,5 mmq', 'MT', '20', 100.0, 1200.0, 0.62, 0.0, 0.0, 0.0, 120000.0, 61.97, 24000.0, 12.39, 144000.0, 74.37);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-09', 3, 7, 'DEP', 'A', 'ART002', 'Cacciavite a croce PH2', 'PZ', '20', 6.0, 6500.0, 3.36, 0.0, 0.0, 0.0, 39000.0, 20.14, 7800.0, 4.03, 46800.0, 24.17);

-- A delivery note of the previous fiscal year.
INSERT INTO DDTTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, CausaleTrasp, Colli, Aspetto, PesoKG, Porto, ACura, Zona, ImponDDTLire, ImponDDTLEURO, ImpostaDDTLire, ImpostaDDTLEURO, TotDDTLire, TotDDTLEURO)
VALUES ('{{PREVYEAR}}-12-15', 15, 15, 'VEN', '{{PREVYEAR}}', 4, 'Idraulica Emiliana di Ferri Luca', 'Via Emilia Ponente, 45', 'BOLOGNA', 'IT', 'BO', '40121', NULL, 'RD', 'BB', 'L1', 'AG02', 0.0, '{{PREVYEAR}}-12-16', 'Vendita', 1, 'Scatola', 6.0, 'Franco', 'Mittente', '1', 105600.0, 54.54, 21120.0, 10.91, 126720.0, 65.45);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{PREVYEAR}}-12-15', 15, 1, 'DEP', 'A', 'ART004', 'Tubo rame diametro 18 mm', 'MT', '20', 10.0, 7200.0, 3.72, 0.0, 0.0, 0.0, 72000.0, 37.18, 14400.0, 7.44, 86400.0, 44.62);
INSERT INTO DDTRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{PREVYEAR}}-12-15', 15, 2, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', '20', 4.0, 8400.0, 4.34, 0.0, 0.0, 0.0, 33600.0, 17.35, 6720.0, 3.47, 40320.0, 20.82);

-- Customer order 1, with two expense lines.
INSERT INTO ORDVETes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, ImponORDVELire, ImponORDVELEURO, ImpostaORDVELire, ImpostaORDVELEURO, TotORDVELire, TotORDVELEURO, DSSpesa1, DSSpesa2, Spesa1Lire, Spesa2Lire, Spesa1Euro, Spesa2Euro, SpeseLire, SpeseEuro)
VALUES ('{{YEAR}}-{{MONTH}}-03', 1, 1, 'ORD', '{{YEAR}}', 3, 'Edilnova S.r.l.', 'Via Appia Nuova, 230', 'ROMA', 'IT', 'RM', '00184', 'Consegna richiesta entro fine mese', 'BB306090', 'BB', 'L1', 'AG01', 0.0, 531700.0, 274.6, 106340.0, 54.92, 638040.0, 329.52, 'Spese di trasporto', 'Imballo', 45000.0, 15000.0, 23.24, 7.75, 60000.0, 30.99);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-03', 1, 1, 'DEP', 'A', 'ART005', 'Trapano a percussione 750 W', 'PZ', '20', 2.0, 145000.0, 74.89, 5.0, 14500.0, 7.49, 275500.0, 142.28, 55100.0, 28.46, 330600.0, 170.74);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-03', 1, 2, 'DEP', 'A', 'ART001', 'Martello da carpentiere 500 g', 'PZ', '20', 6.0, 18000.0, 9.3, 0.0, 0.0, 0.0, 108000.0, 55.78, 21600.0, 11.16, 129600.0, 66.93);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-03', 1, 3, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', '20', 10.0, 9800.0, 5.06, 10.0, 9800.0, 5.06, 88200.0, 45.55, 17640.0, 9.11, 105840.0, 54.66);

-- Customer order 2: no notes, price list, agent or discount (NULL).
INSERT INTO ORDVETes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, ImponORDVELire, ImponORDVELEURO, ImpostaORDVELire, ImpostaORDVELEURO, TotORDVELire, TotORDVELEURO)
VALUES ('{{YEAR}}-{{MONTH}}-06', 2, 2, 'ORD', '{{YEAR}}', 4, 'Idraulica Emiliana di Ferri Luca', 'Via Emilia Ponente, 45', 'BOLOGNA', 'IT', 'BO', '40121', NULL, 'RB30', 'RB', NULL, NULL, NULL, 372000.0, 192.12, 74400.0, 38.42, 446400.0, 230.55);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-06', 2, 1, 'DEP', 'A', 'ART004', 'Tubo rame diametro 18 mm', 'MT', '20', 40.0, 7200.0, 3.72, 0.0, 0.0, 0.0, 288000.0, 148.74, 57600.0, 29.75, 345600.0, 178.49);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-06', 2, 2, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', '20', 10.0, 8400.0, 4.34, 0.0, 0.0, 0.0, 84000.0, 43.38, 16800.0, 8.68, 100800.0, 52.06);

-- Customer order 3, four rows with discounts.
INSERT INTO ORDVETes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, ImponORDVELire, ImponORDVELEURO, ImpostaORDVELire, ImpostaORDVELEURO, TotORDVELire, TotORDVELEURO)
VALUES ('{{YEAR}}-{{MONTH}}-10', 3, 3, 'ORD', '{{YEAR}}', 5, 'Colombo Arredamenti', 'Via Manzoni, 8', 'MONZA', 'IT', 'MB', '20900', 'Ordine telefonico del sig. Colombo', 'RB3060', 'RB', 'L2', 'AG02', 0.0, 587100.0, 303.21, 117420.0, 60.64, 704520.0, 363.85);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 3, 1, 'DEP', 'A', 'ART008', 'Guanti da lavoro in pelle (qualità extra)', 'PZ', '20', 30.0, 5500.0, 2.84, 0.0, 0.0, 0.0, 165000.0, 85.22, 33000.0, 17.04, 198000.0, 102.26);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 3, 2, 'DEP', 'A', 'ART002', 'Cacciavite a croce PH2', 'PZ', '20', 12.0, 6500.0, 3.36, 5.0, 3900.0, 2.01, 74100.0, 38.27, 14820.0, 7.65, 88920.0, 45.92);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 3, 3, 'DEP', 'A', 'ART007', 'Cavo elettrico FS17 sezione 2,5 mmq', 'MT', '20', 250.0, 1200.0, 0.62, 8.0, 24000.0, 12.39, 276000.0, 142.54, 55200.0, 28.51, 331200.0, 171.05);
INSERT INTO ORDVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 3, 4, 'DEP', 'A', 'ART001', 'Martello da carpentiere 500 g', 'PZ', '20', 4.0, 18000.0, 9.3, 0.0, 0.0, 0.0, 72000.0, 37.18, 14400.0, 7.44, 86400.0, 44.62);

-- Quotation 1.
INSERT INTO PREVTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idListino, PercSconto, ImponPREVLire, ImponPREVLEURO, ImpostaPREVLire, ImpostaPREVLEURO, TotPREVLire, TotPREVLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-04', 1, 1, 'OFF', '{{YEAR}}', 5, 'Colombo Arredamenti', 'Via Manzoni, 8', 'MONZA', 'IT', 'MB', '20900', 'Validità dell''offerta: 30 giorni', 'L2', 0.0, 652750.0, 337.12, 130550.0, 67.42, 783300.0, 404.54);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-04', 1, 1, 'DEP', 'A', 'ART005', 'Trapano a percussione 750 W', 'PZ', '20', 3.0, 145000.0, 74.89, 10.0, 43500.0, 22.47, 391500.0, 202.19, 78300.0, 40.44, 469800.0, 242.63);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-04', 1, 2, 'DEP', 'A', 'ART008', 'Guanti da lavoro in pelle (qualità extra)', 'PZ', '20', 50.0, 5500.0, 2.84, 5.0, 13750.0, 7.1, 261250.0, 134.92, 52250.0, 26.98, 313500.0, 161.91);

-- Quotation 2, four rows.
INSERT INTO PREVTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, ImponPREVLire, ImponPREVLEURO, ImpostaPREVLire, ImpostaPREVLEURO, TotPREVLire, TotPREVLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-08', 2, 2, 'OFF', '{{YEAR}}', 1, 'Rossi Ferramenta S.n.c.', 'Via Dante, 5', 'MILANO', 'IT', 'MI', '20121', 'Offerta per rifornimento di magazzino', 'RB30', 'RB', 'L1', 'AG01', 0.0, 821170.0, 424.1, 164234.0, 84.82, 985404.0, 508.92);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-08', 2, 1, 'DEP', 'A', 'ART001', 'Martello da carpentiere 500 g', 'PZ', '20', 20.0, 18000.0, 9.3, 0.0, 0.0, 0.0, 360000.0, 185.92, 72000.0, 37.18, 432000.0, 223.11);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-08', 2, 2, 'DEP', 'A', 'ART002', 'Cacciavite a croce PH2', 'PZ', '20', 20.0, 6500.0, 3.36, 0.0, 0.0, 0.0, 130000.0, 67.14, 26000.0, 13.43, 156000.0, 80.57);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-08', 2, 3, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', '20', 15.0, 9800.0, 5.06, 5.0, 7350.0, 3.8, 139650.0, 72.12, 27930.0, 14.42, 167580.0, 86.55);
INSERT INTO PREVRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-08', 2, 4, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', '20', 24.0, 8400.0, 4.34, 5.0, 10080.0, 5.21, 191520.0, 98.91, 38304.0, 19.78, 229824.0, 118.69);

-- Sales invoice 1.
INSERT INTO FATVETes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, CausaleTrasp, Colli, Aspetto, PesoKG, idVett1, NoteVett1, Porto, ACura, Zona, ImponFATVELire, ImponFATVELEURO, ImpostaFATVELire, ImpostaFATVELEURO, TotFATVELire, TotFATVELEURO)
VALUES ('{{YEAR}}-{{MONTH}}-07', 1, 1, 'VEN', '{{YEAR}}', 2, 'Bianchi Costruzioni S.p.A.', 'Corso Francia, 110', 'TORINO', 'IT', 'TO', '10121', 'Fattura accompagnatoria', 'RB30', 'RB', 'L1', 'AG01', 0.0, '{{YEAR}}-{{MONTH}}-07', 'Vendita', 2, 'Scatole di cartone', 12.0, 'V02', NULL, 'Franco', 'Vettore', '1', 385000.0, 198.84, 77000.0, 39.77, 462000.0, 238.6);
INSERT INTO FATVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-07', 1, 1, 'DEP', 'A', 'ART005', 'Trapano a percussione 750 W', 'PZ', '20', 1.0, 145000.0, 74.89, 0.0, 0.0, 0.0, 145000.0, 74.89, 29000.0, 14.98, 174000.0, 89.86);
INSERT INTO FATVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-07', 1, 2, 'DEP', 'A', 'ART007', 'Cavo elettrico FS17 sezione 2,5 mmq', 'MT', '20', 200.0, 1200.0, 0.62, 0.0, 0.0, 0.0, 240000.0, 123.95, 48000.0, 24.79, 288000.0, 148.74);

-- Sales invoice 2, a service invoice: notes, delivery date, agent and transport data NULL.
INSERT INTO FATVETes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idListino, idAgente, PercSconto, DtCons, ImponFATVELire, ImponFATVELEURO, ImpostaFATVELire, ImpostaFATVELEURO, TotFATVELire, TotFATVELEURO)
VALUES ('{{YEAR}}-{{MONTH}}-10', 2, 2, 'VEN', '{{YEAR}}', 3, 'Edilnova S.r.l.', 'Via Appia Nuova, 230', 'ROMA', 'IT', 'RM', '00184', NULL, 'RD', 'CON', 'L1', NULL, 0.0, NULL, 226800.0, 117.13, 36720.0, 18.96, 263520.0, 136.1);
INSERT INTO FATVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 2, 1, 'DEP', 'A', 'ART001', 'Martello da carpentiere 500 g', 'PZ', '20', 5.0, 18000.0, 9.3, 0.0, 0.0, 0.0, 90000.0, 46.48, 18000.0, 9.3, 108000.0, 55.78);
INSERT INTO FATVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 2, 2, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', '20', 6.0, 8400.0, 4.34, 0.0, 0.0, 0.0, 50400.0, 26.03, 10080.0, 5.21, 60480.0, 31.24);
INSERT INTO FATVERig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-10', 2, 3, 'DEP', 'A', 'ART004', 'Tubo rame diametro 18 mm', 'MT', '10', 12.0, 7200.0, 3.72, 0.0, 0.0, 0.0, 86400.0, 44.62, 8640.0, 4.46, 95040.0, 49.08);

UPDATE FATVETes SET TipoFattura = 'FS' WHERE NumInt = 2;

-- Credit note 1 of the previous fiscal year: a taxed row and a row excluded
-- from VAT (art. 15).
INSERT INTO FATNCTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idAgente, ImponFATNCLire, ImponFATNCLEURO, ImpostaFATNCLire, ImpostaFATNCLEURO, TotFATNCLire, TotFATNCLEURO)
VALUES ('{{PREVYEAR}}-12-20', 1, 1, 'NC', '{{PREVYEAR}}', 1, 'Rossi Ferramenta S.n.c.', 'Via Dante, 5', 'MILANO', 'IT', 'MI', '20121', 'Storno per merce difettosa', 'RD', 'RD', 'AG01', 38963.0, 20.12, 3920.0, 2.02, 42883.0, 22.14);
INSERT INTO FATNCRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{PREVYEAR}}-12-20', 1, 1, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', '20', 2.0, 9800.0, 5.06, 0.0, 0.0, 0.0, 19600.0, 10.12, 3920.0, 2.02, 23520.0, 12.15);
INSERT INTO FATNCRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{PREVYEAR}}-12-20', 1, 2, 'DEP', 'S', NULL, 'Rimborso spese di trasporto anticipate', NULL, 'E15', 1.0, 19363.0, 10.0, 0.0, 0.0, 0.0, 19363.0, 10.0, 0.0, 0.0, 19363.0, 10.0);

-- Debit note 2 of the previous fiscal year, numbered with the credit notes.
INSERT INTO FATNCTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, DSCli, Indirizzo, Localita, Stato, PV, CAP, NoteDoc, idPagamento, idModPag, idAgente, ImponFATNCLire, ImponFATNCLEURO, ImpostaFATNCLire, ImpostaFATNCLEURO, TotFATNCLire, TotFATNCLEURO, TipoFattura)
VALUES ('{{PREVYEAR}}-12-22', 2, 2, 'NC', '{{PREVYEAR}}', 1, 'Rossi Ferramenta S.n.c.', 'Via Dante, 5', 'MILANO', 'IT', 'MI', '20121', 'Addebito per merce non resa', 'RD', 'RD', 'AG01', 19600.0, 10.12, 3920.0, 2.02, 23520.0, 12.14, 'ND');
INSERT INTO FATNCRig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{PREVYEAR}}-12-22', 2, 1, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', '20', 2.0, 9800.0, 5.06, 0.0, 0.0, 0.0, 19600.0, 10.12, 3920.0, 2.02, 23520.0, 12.14);

-- Return note 1.
INSERT INTO RESOTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, NoteDoc, DtCons, TotRESOLire, TotRESOLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-11', 1, 1, 'RES', '{{YEAR}}', 1, 'Reso merce difettosa del DDT n. 1', '{{YEAR}}-{{MONTH}}-11', 26600.0, 13.74);
INSERT INTO RESORig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-11', 1, 1, 'DEP', 'A', 'ART003', 'Viti autofilettanti 4x30 (conf. 200 pz)', 'CF', NULL, 1.0, 9800.0, 5.06, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 9800.0, 5.06);
INSERT INTO RESORig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-11', 1, 2, 'DEP', 'A', 'ART006', 'Silicone sigillante trasparente 310 ml', 'PZ', NULL, 2.0, 8400.0, 4.34, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 16800.0, 8.68);

-- Return note 2.
INSERT INTO RESOTes (DataReg, NumInt, Numero, idCausaleDoc, idEsercizio, idCliente, NoteDoc, DtCons, TotRESOLire, TotRESOLEURO)
VALUES ('{{YEAR}}-{{MONTH}}-12', 2, 2, 'RES', '{{YEAR}}', 2, NULL, '{{YEAR}}-{{MONTH}}-12', 30500.0, 15.75);
INSERT INTO RESORig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-12', 2, 1, 'DEP', 'A', 'ART007', 'Cavo elettrico FS17 sezione 2,5 mmq', 'MT', NULL, 20.0, 1200.0, 0.62, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 24000.0, 12.39);
INSERT INTO RESORig (DataReg, NumInt, Riga, Deposito, TipoRiga, idArticolo, Descrizione, UM, CdIva, Quantita, PUnitLit, PUnitEuro, Sconto, TotScontiLit, TotScontiEuro, ValoreLit, ValoreEuro, ImpostaLit, ImpostaEuro, TotRigaLit, TotRigaEuro)
VALUES ('{{YEAR}}-{{MONTH}}-12', 2, 2, 'DEP', 'A', 'ART002', 'Cacciavite a croce PH2', 'PZ', NULL, 1.0, 6500.0, 3.36, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 6500.0, 3.36);

-- =====================================================================
-- Warehouse movements
-- =====================================================================

-- Movement VEN number 1 of the current year, posted with delivery note 1.
INSERT INTO MovMagTes (DataReg, NumInt, idCausale, Segno, Tipo, idEsercizio, Origine, OrigDataReg, OrigNumero, OrigNumInt, Note)
VALUES ('{{YEAR}}-{{MONTH}}-02', 1, 'VEN', '-', 'V', '{{YEAR}}', 'D.D.T.', '{{YEAR}}-{{MONTH}}-02', '1', 1, NULL);
INSERT INTO MovMagRig (DataReg, NumInt, idCausale, idEsercizio, Riga, idArticolo, Deposito, Quantita, Segno) VALUES
    ('{{YEAR}}-{{MONTH}}-02', 1, 'VEN', '{{YEAR}}', 1, 'ART001', 'DEP', 10, '-'),
    ('{{YEAR}}-{{MONTH}}-02', 1, 'VEN', '{{YEAR}}', 2, 'ART003', 'DEP', 5, '-'),
    ('{{YEAR}}-{{MONTH}}-02', 1, 'VEN', '{{YEAR}}', 3, 'ART006', 'DEP', 12, '-');

-- =====================================================================
-- Numerators
-- =====================================================================

-- Document numbering ('*'): Progressivo is the highest NumInt of the kind in the year.
INSERT INTO Numeratori (idTipo, idCodice, idEsercizio, Progressivo, "Desc", TabellaContr) VALUES
    ('*', 'DDT', '{{YEAR}}', 3, 'Documenti di trasporto', 'DDTTes'),
    ('*', 'ORDVE', '{{YEAR}}', 3, 'Ordini da clienti', 'ORDVETes'),
    ('*', 'PREV', '{{YEAR}}', 2, 'Preventivi', 'PREVTes'),
    ('*', 'FATVE', '{{YEAR}}', 2, 'Fatture di vendita', 'FATVETes'),
    ('*', 'RESO', '{{YEAR}}', 2, 'Bolle di reso', 'RESOTes'),
    ('*', 'DDT', '{{PREVYEAR}}', 15, 'Documenti di trasporto', 'DDTTes'),
    ('*', 'FATNC', '{{PREVYEAR}}', 2, 'Note di credito', 'FATNCTes');

-- Warehouse movements of reason VEN ('M').
INSERT INTO Numeratori (idTipo, idCodice, idEsercizio, Progressivo, "Desc", TabellaContr) VALUES
    ('M', 'VEN', '{{YEAR}}', 1, 'Movimenti di magazzino per vendita', 'MovMagTes');

-- =====================================================================
-- Materials, services and bills of materials
-- =====================================================================

INSERT INTO Materiali (id, Codice, Descrizione, UM, idCategoria, PrezzoAcq, PrezzoAcqEuro, Note) VALUES
    (1, 'MAT01', 'Lamiera zincata 10/10', 'KG', 'MET', 2100, 1.08, NULL),
    (2, 'MAT02', 'Granulo di polipropilene', 'KG', 'PLA', 1500, 0.77, NULL);

INSERT INTO Servizi (id, Codice, Descrizione, UM, CdIva, idCategoria, Prezzo, PrezzoEuro, Note) VALUES
    (1, 'SER01', 'Trasporto e consegna in zona', 'PZ', '20', 'TRA', 25000, 12.91, NULL),
    (2, 'SER02', 'Manutenzione ordinaria (ora)', 'PZ', '20', 'MAN', 45000, 23.24, NULL);

INSERT INTO DistintaBase (Codice, "Desc", idArticolo, idComponente, Quantita) VALUES
    ('DB001', 'Kit fissaggio: viti', 'ART001', 'ART003', 1);
