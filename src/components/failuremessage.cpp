#include "failuremessage.h"
#include "reportfailures.h"
#include "common/serverarchive.h"

#include <QFileInfo>

namespace {

QString archiveName(const DatabaseError& error)
{
    return error.archive().isEmpty() ? QStringLiteral("archivio") : error.archive();
}

QString withDetail(const QString& sentence, const DatabaseError& error)
{
    if (error.detail().isEmpty())
        return sentence;
    return sentence + QStringLiteral("\rDettaglio: ") + error.detail();
}

} // namespace

QString failureMessage(const DatabaseError& error)
{
    const QString archive = archiveName(error);
    switch (error.kind()) {
    case DatabaseError::Kind::Refused:
        return error.detail();
    case DatabaseError::Kind::NotFound:
        return QStringLiteral("Impossibile trovare il file '%1'.").arg(archive);
    case DatabaseError::Kind::NotAnArchive:
        return QStringLiteral("Il file '%1' non è un archivio valido.").arg(archive);
    case DatabaseError::Kind::WrongPassword:
        return QStringLiteral("Password non valida.");
    case DatabaseError::Kind::Busy:
        return withDetail(QStringLiteral("Archivio in uso da un'altra postazione ('%1').\r"
                                         "Nulla è stato salvato: riprovare tra qualche istante.").arg(archive), error);
    case DatabaseError::Kind::ReadOnly:
        return withDetail(QStringLiteral("La cartella dei dati è di sola lettura ('%1').\r"
                                         "Nulla è stato salvato: chiedere all'amministratore il permesso di scrittura.")
                              .arg(archive), error);
    case DatabaseError::Kind::DiskFull:
        return withDetail(QStringLiteral("Spazio su disco esaurito per l'archivio '%1'.\r"
                                         "Nessun dato è stato sovrascritto: liberare spazio e riprovare.").arg(archive),
                          error);
    case DatabaseError::Kind::Damaged:
        return withDetail(QStringLiteral("L'archivio '%1' risulta danneggiato.\r"
                                         "Nessun dato è stato sovrascritto: ripristinare l'ultima copia di sicurezza "
                                         "o eseguire l'Utility di Manutenzione.").arg(archive), error);
    case DatabaseError::Kind::Unreachable:
        if (ServerArchive::isServer(error.archive()))
            return withDetail(QStringLiteral("Impossibile raggiungere l'archivio '%1' sul server (servizio %2).\r"
                                             "Quanto già salvato resta sul server: riprovare quando il server risponde.")
                                  .arg(ServerArchive::archiveFileOf(error.archive()), ServerArchive::serviceOf(error.archive())),
                              error);
        return withDetail(QStringLiteral("Impossibile raggiungere l'archivio '%1'.\r"
                                         "Assicurarsi che il computer sia connesso correttamente alla rete.").arg(archive),
                          error);
    case DatabaseError::Kind::Constraint:
        return withDetail(QStringLiteral("Il dato esiste già o manca un valore richiesto: nulla è stato salvato."), error);
    case DatabaseError::Kind::BadValue:
        return withDetail(QStringLiteral("L'archivio '%1' non può conservare un valore digitato: un codice troppo lungo "
                                         "o un carattere non ammesso (come un carattere nullo incollato).\r"
                                         "Nulla è stato salvato: correggere il valore e salvare di nuovo.")
                              .arg(ServerArchive::isServer(archive) ? ServerArchive::archiveFileOf(archive) : archive),
                          error);
    case DatabaseError::Kind::Failed:
        break;
    }
    return withDetail(QStringLiteral("Operazione non riuscita sull'archivio '%1'.").arg(archive), error);
}

bool askToRetryBusyArchive(const DatabaseError& busy, const QString& title)
{
    const QString question = QStringLiteral("Archivio in uso da un'altra postazione ('%1').\r"
                                            "Nulla è stato salvato e i dati restano sullo schermo.\r\r"
                                            "Riprovare adesso?").arg(archiveName(busy));
    return Platform::instance().ask(question, title);
}
