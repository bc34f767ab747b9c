#include "importedtables.h"

namespace {

JetQuery agents(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO Agenti ( Codice, Denominazione, Indirizzo1, Indirizzo2, Telefono1, Fax, Piva, CodFiscale,"
         " EMAIL, HTTP, ProvvAg, [Note])"
         " SELECT Agenti.CodiceAgente, Agenti.RagioneSociale, Agenti.Indirizzo1, Agenti.Indirizzo2, Agenti.Telefono,"
         " Agenti.Fax, Agenti.PartitaIVA, Agenti.CodiceFiscale, Agenti.email, Agenti.http, Agenti.Provvigione,"
         " Agenti.Note"
         " FROM " << Jet::archive(old) << ".Agenti;";
    return q;
}

// Every imported article goes to the warehouse 'DEP', whatever the old archive says.
JetQuery articles(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO Articoli ( Codice, Descrizione, idDeposito, PrezzoVen, PrezzoVenEuro, PrezzoAcq, PrezzoAcqEuro,"
         " PuntoGiacenzaMinima, PuntoGiacenzaMax, [Note])"
         " SELECT Articoli.CodiceArticolo, Articoli.Descrizione, 'DEP', Articoli.Prezzo1, Articoli.Euro1,"
         " Articoli.PrezzoDiAcquisto, Articoli.PrezzoDiAcquistoEuro, Articoli.ScortaMinima, Articoli.ScortaMassima,"
         " Articoli.Note"
         " FROM " << Jet::archive(old) << ".Articoli;";
    return q;
}

JetQuery customers(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO clienti ( Codice, Denominazione, Indirizzo1, Indirizzo2, Telefono1, Fax, Piva, CodFiscale,"
         " ContattoCogn, EMAIL, HTTP, Sconto, Fido, ProvvAg, EsenteIVA, Esente, [Note])"
         " SELECT clienti.CodiceCliente, clienti.RagioneSociale, clienti.Indirizzo1, clienti.Indirizzo2,"
         " clienti.Telefono, clienti.Fax, clienti.PartitaIVA, clienti.CodiceFiscale, clienti.Contatto, clienti.email,"
         " clienti.http, clienti.ScontoPercentuale, clienti.Fido, clienti.Provvigione, clienti.Esenzione,"
         " clienti.EsenteDaIVA, clienti.Note"
         " FROM " << Jet::archive(old) << ".clienti;";
    return q;
}

JetQuery warehouses(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO Depositi ( Codice, Indirizzo, Telefono, FAX, Contatto)"
         " SELECT Depositi.CodiceDeposito, Depositi.Indirizzo1, Depositi.Telefono, Depositi.Fax, Depositi.Contatto"
         " FROM " << Jet::archive(old) << ".Depositi;";
    return q;
}

JetQuery suppliers(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO fornitori ( Codice, Denominazione, Indirizzo1, Indirizzo2, Telefono1, Fax, ContattoCogn, Piva,"
         " CodFiscale, EMAIL, HTTP, [Note])"
         " SELECT fornitori.CodiceFornitore, fornitori.RagioneSociale, fornitori.Indirizzo1, fornitori.Indirizzo2,"
         " fornitori.Telefono, fornitori.Fax, fornitori.Contatto, fornitori.PartitaIVA, fornitori.CodiceFiscale,"
         " fornitori.email, fornitori.http, fornitori.Note"
         " FROM " << Jet::archive(old) << ".fornitori;";
    return q;
}

JetQuery taxRates(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO IVA ( Codice, [Desc], Perc)"
         " SELECT IVA.CodiceIVA, IVA.Descrizione, IVA.Aliquota"
         " FROM " << Jet::archive(old) << ".IVA;";
    return q;
}

JetQuery sectors(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO SettMerc ( [Desc], Codice)"
         " SELECT SettoriMerceologici.SettoreMerceologico, SettoriMerceologici.ID"
         " FROM " << Jet::archive(old) << ".SettoriMerceologici;";
    return q;
}

JetQuery units(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO UM ( Codice, [Desc])"
         " SELECT UnitaDiMisura.Breve, UnitaDiMisura.Descrizione"
         " FROM " << Jet::archive(old) << ".UnitaDiMisura;";
    return q;
}

JetQuery zones(const QString& old)
{
    JetQuery q;
    q << "INSERT INTO Zone ( Codice, [Desc])"
         " SELECT zone.ID, zone.Zona"
         " FROM " << Jet::archive(old) << ".zone;";
    return q;
}

} // namespace

const std::vector<ImportedTable>& importedTables()
{
    static const std::vector<ImportedTable> tables{
        {"OpAgenti", "Agenti", "Agenti", " Agenti su ", agents, JetQuery("DELETE * FROM Agenti")},
        {"OpArticoli", "Articoli", "Articoli", " Articoli su ", articles, JetQuery("DELETE * FROM Articoli")},
        {"OpClienti", "Clienti", "clienti", " Clienti su ", customers, JetQuery("DELETE * FROM Clienti")},
        {"OpDepositi", "Depositi", "Depositi", " Depositi su ", warehouses,
         JetQuery("DELETE * FROM Depositi where Codice <> 'DEP'")},
        {"OpFornitori", "Fornitori", "fornitori", " Fornitori su ", suppliers, JetQuery("DELETE * FROM Fornitori")},
        {"OpIva", "Aliquote IVA", "IVA", " Aliquote I.V.A. su ", taxRates, JetQuery("DELETE * FROM Iva")},
        {"OpMerc", "Sett. Merceologici", "SettoriMerceologici", " Settori Merceologici su ", sectors,
         JetQuery("DELETE * FROM SettMerc")},
        {"OpUnita", "Unità di Misura", "UnitaDiMisura", " Unità di Misura su ", units, JetQuery("DELETE * FROM Um")},
        {"OpZone", "Zone", "zone", " Zone su ", zones, JetQuery("DELETE * FROM Zone")},
    };
    return tables;
}
