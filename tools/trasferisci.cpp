// Moves an office's data folder onto a PostgreSQL server: copies the user and company archives
// into an empty database, checks the copy table by table (rows and a digest of every value) and
// reports in Italian. It never writes into a database that already holds archives.
// Usage: trasferisci <data folder> <service> [<workstations' role>]
//   The service (host, port, database, user) is an entry of the service file, its password a
//   line of the password file (libpq's ~/.pg_service.conf and ~/.pgpass); see the README.
//   Its user becomes the administrators' role (it owns the archives); a workstations' role, when
//   named, is given what the workstations need and nothing over the users (serverroles.h).
// Exit code 0 when both archives were copied and match, 1 otherwise (the database is then left
// without archives), 2 for a wrong command line.
#include "archiveupgrade.h"
#include "common/archivecopy.h"
#include "common/archivepassword.h"
#include "common/serverarchive.h"
#include "common/serverduplicates.h"
#include "common/serverroles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs(qUtf8Printable(line + u'\n'), stdout);
    std::fflush(stdout);
}

const char* const ArchiveFiles[] = {"user.mdb", "data.mdb"};

// Removes what a failed copy left, so that the database can receive the archives again.
void dropCopies(const QString& service)
{
    try {
        const Database server = Database::open(ServerArchive::locator(service, QString()), QString());
        for (const char* file : ArchiveFiles)
            server.run(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE")
                           .arg(ServerArchive::schemaOf(ServerArchive::locator(service, QString::fromLatin1(file)))));
    } catch (const DatabaseError&) {
        say(QStringLiteral("Attenzione: impossibile eliminare la copia incompleta dal database."));
    }
}

QString quoted(const QStringList& values)
{
    QStringList out;
    for (const QString& v : values)
        out << u'\'' + v + u'\'';
    return out.join(QStringLiteral(", "));
}

// Every key the server would refuse as a repeat, all of them at once, before anything is written:
// the office renames them with the program and runs the transfer again. True when there is none.
bool noServerDuplicates(const QDir& data)
{
    int count = 0;
    for (const char* file : ArchiveFiles) {
        const QString name = QString::fromLatin1(file);
        const Database source = Database::open(data.filePath(name), archiveConnectString(), true);
        for (const ServerDuplicate& d : serverDuplicates(source)) {
            say(QStringLiteral("%1, tabella %2 (%3): %4 e %5 sono lo stesso codice per il server, che non distingue "
                               "maiuscole e minuscole.")
                    .arg(name, d.table, d.columns.join(QStringLiteral(", ")), quoted(d.first), quoted(d.second)));
            ++count;
        }
    }
    if (count > 0)
        say(QStringLiteral("Trasferimento rifiutato, nulla è stato scritto: %1 codici ripetuti. Rinominarli con il "
                           "programma, poi ripetere il trasferimento.").arg(count));
    return count == 0;
}

QString reason(const DatabaseError& e)
{
    switch (e.kind()) {
    case DatabaseError::Kind::Unreachable: return QStringLiteral("server non raggiungibile");
    case DatabaseError::Kind::NotFound: return QStringLiteral("database o archivio inesistente");
    case DatabaseError::Kind::WrongPassword: return QStringLiteral("password errata");
    case DatabaseError::Kind::Damaged: return QStringLiteral("archivio danneggiato: eseguire prima l'Utility di Manutenzione");
    case DatabaseError::Kind::BadValue: return QStringLiteral("un valore che il server non può conservare: ") + e.detail();
    case DatabaseError::Kind::Refused: return e.detail();
    default: return e.detail();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 && args.size() != 4) {
        say(QStringLiteral("Uso: trasferisci <cartella dei dati> <servizio PostgreSQL> [<ruolo delle postazioni>]"));
        return 2;
    }
    const QString workstations = args.value(3);
    const QDir data(args[1]);
    const QString service = args[2];
    say(QStringLiteral("Trasferimento degli archivi di %1 sul server PostgreSQL (servizio %2)")
            .arg(QDir::toNativeSeparators(data.path()), service));
    for (const char* file : ArchiveFiles) {
        if (!QFileInfo(data.filePath(QString::fromLatin1(file))).isFile()) {
            say(QStringLiteral("Archivio %1 non trovato nella cartella dei dati: nessun trasferimento.").arg(QString::fromLatin1(file)));
            return 1;
        }
    }
    try {
        if (!noServerDuplicates(data))
            return 1;
    } catch (const DatabaseError& e) {
        say(QStringLiteral("Impossibile leggere gli archivi della cartella dei dati (%1).").arg(reason(e)));
        return 1;
    }
    try {
        // Refused before anything is written: a database that holds archives keeps them as they are.
        const Database server = Database::open(ServerArchive::locator(service, QString()), QString());
        QSqlQuery held = server.prepare(QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname LIKE 'brevano\\_%'"));
        server.run(held);
        if (held.next() && held.value(0).toInt() > 0) {
            say(QStringLiteral("Il database del servizio %1 contiene già degli archivi: trasferimento rifiutato, "
                               "nulla è stato scritto. Indicare un database vuoto.").arg(service));
            return 1;
        }
        if (!workstations.isEmpty() && !ServerRoles::exists(server, workstations)) {
            say(QStringLiteral("Il ruolo delle postazioni %1 non esiste sul server: trasferimento rifiutato, nulla è "
                               "stato scritto. Crearlo prima (createuser).").arg(workstations));
            return 1;
        }
    } catch (const DatabaseError& e) {
        say(QStringLiteral("Impossibile collegarsi al server PostgreSQL (%1).").arg(reason(e)));
        return 1;
    }
    // The server keeps the version an archive declares: one that declares another than this
    // program's (as a copy restored from a .dump does) would be refused by every workstation.
    for (const char* file : ArchiveFiles) {
        int version = -1;
        try {
            version = archiveVersion(Database::open(data.filePath(QString::fromLatin1(file)), archiveConnectString(), true));
        } catch (const DatabaseError& e) {
            say(QStringLiteral("Impossibile leggere l'archivio %1 (%2): nessun trasferimento.").arg(QString::fromLatin1(file), reason(e)));
            return 1;
        }
        if (version != currentArchiveVersion()) {
            say(QStringLiteral("L'archivio %1 dichiara la versione %2, questo programma richiede la versione %3 (una copia "
                               "ripristinata da un file .dump non conserva la versione): trasferimento rifiutato, nulla è "
                               "stato scritto. Eseguire prima l'Utility di Manutenzione (manutenzione) sulla cartella dei "
                               "dati, poi ripetere il trasferimento.")
                    .arg(QString::fromLatin1(file)).arg(version).arg(currentArchiveVersion()));
            return 1;
        }
    }

    bool matches = true;
    try {
        for (const char* file : ArchiveFiles) {
            const QString name = QString::fromLatin1(file);
            const QString target = ServerArchive::locator(service, name);
            const Database source = Database::open(data.filePath(name), archiveConnectString(), true);
            copyArchiveToServer(source, target, [&](const QString& table) { say(QStringLiteral("%1: copia della tabella %2").arg(name, table)); });
            const Database copy = Database::open(target, archiveConnectString(), true);
            for (const TableCheck& c : compareArchives(source, copy)) {
                say(QStringLiteral("%1 %2: %3 righe, copiate %4, controllo %5")
                        .arg(name, c.table).arg(c.sourceRows).arg(c.copiedRows)
                        .arg(c.matches() ? QStringLiteral("corretto") : QStringLiteral("NON CORRISPONDENTE")));
                matches = matches && c.matches();
            }
        }
    } catch (const DatabaseError& e) {
        say(QStringLiteral("Trasferimento non riuscito (%1).").arg(reason(e)));
        matches = false;
    }
    if (matches && !workstations.isEmpty()) {
        try {
            ServerRoles::grantWorkstations(Database::open(ServerArchive::locator(service, QString()), QString()), workstations);
            say(QStringLiteral("Ruolo delle postazioni %1: legge e scrive gli archivi e prende i blocchi dei record, "
                               "non modifica gli utenti.").arg(workstations));
        } catch (const DatabaseError& e) {
            say(QStringLiteral("Permessi del ruolo delle postazioni non assegnati (%1).").arg(reason(e)));
            matches = false;
        }
    }
    if (!matches) {
        dropCopies(service);
        say(QStringLiteral("Trasferimento non completato: il database è stato lasciato senza archivi; i dati restano nella cartella."));
        return 1;
    }
    say(QStringLiteral("Trasferimento completato: archivi copiati e controllati. Puntare ora le postazioni al server "
                       "(Impostazioni Client/Server, Server PostgreSQL)."));
    return 0;
}
