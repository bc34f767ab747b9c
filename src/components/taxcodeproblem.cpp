#include "taxcodeproblem.h"
#include "common/platform.h"
#include "documents/taxcodes.h"

QString vatNumberProblem(const QString& code)
{
    switch (vatNumberFault(code)) {
    case TaxCodeFault::None: break;
    case TaxCodeFault::Length: return QStringLiteral("La Partita I.V.A. Deve Avere 11 Cifre");
    case TaxCodeFault::Characters: return QStringLiteral("La Partita I.V.A. Deve Contenere Solo Cifre");
    case TaxCodeFault::CheckDigit: return QStringLiteral("Partita I.V.A. Errata: la Cifra di Controllo non Corrisponde");
    }
    return {};
}

QString fiscalCodeProblem(const QString& code)
{
    switch (fiscalCodeFault(code)) {
    case TaxCodeFault::None: break;
    case TaxCodeFault::Length:
        return QStringLiteral("Il Codice Fiscale Deve Avere 16 Caratteri (11 Cifre per le Società)");
    case TaxCodeFault::Characters:
        return QStringLiteral("Il Codice Fiscale Contiene Caratteri non Validi o Fuori Posto");
    case TaxCodeFault::CheckDigit:
        return QStringLiteral("Codice Fiscale Errato: il Carattere di Controllo non Corrisponde");
    }
    return {};
}

bool keepDoubtfulCode(const QString& problem, const QString& title)
{
    return Platform::instance().askDestructive(
        problem + QStringLiteral("\r\rSe il Codice è Estero o Comunque Corretto, Salvarlo Così?"), title);
}
