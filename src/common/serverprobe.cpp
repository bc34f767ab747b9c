#include "serverprobe.h"
#include "databaseerror.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInt probeCounter;

QString unreachable(const ServerArchive::Settings& s)
{
    return QStringLiteral("Impossibile raggiungere il server PostgreSQL '%1' sulla porta %2.\r"
                          "Controllare il nome del server, la porta e la rete.").arg(s.host).arg(s.port);
}

QString checkConnection(QSqlDatabase& db, const ServerArchive::Settings& s, int expectedVersion)
{
    db.setHostName(s.host);
    db.setPort(s.port);
    db.setDatabaseName(s.database);
    db.setUserName(s.user);
    db.setPassword(s.password);
    db.setConnectOptions(QStringLiteral("connect_timeout=5;application_name=brevano"));
    if (!db.open()) {
        const QSqlError error = db.lastError();
        if (error.text().contains(QLatin1String("role \"")))
            return QStringLiteral("Il server non conosce l'utente '%1'.").arg(s.user);
        switch (DatabaseError::fromEngine(error, ServerArchive::locator(s.service, QString())).kind()) {
        case DatabaseError::Kind::NotFound:
            return QStringLiteral("Il database '%1' non esiste sul server '%2'.").arg(s.database, s.host);
        case DatabaseError::Kind::WrongPassword:
            return QStringLiteral("Password errata: il server non accetta l'utente '%1' con la password indicata.").arg(s.user);
        default:
            return unreachable(s);
        }
    }
    for (const char* archive : {"user.mdb", "data.mdb"}) {
        const QString schema = ServerArchive::schemaOf(QString::fromLatin1(archive));
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("SELECT version FROM %1.msysversion").arg(schema)) || !q.next())
            return QStringLiteral("Il database '%1' non contiene gli archivi del programma.\r"
                                  "Trasferirli con il programma trasferisci.").arg(s.database);
        if (q.value(0).toInt() != expectedVersion)
            return QStringLiteral("Gli archivi del database '%1' sono di un'altra versione del programma "
                                  "(versione %2, richiesta %3).").arg(s.database).arg(q.value(0).toInt()).arg(expectedVersion);
    }
    return {};
}

} // namespace

QString probeServer(const ServerArchive::Settings& settings, int expectedVersion)
{
    const QString name = QStringLiteral("brevano-probe-%1").arg(probeCounter.fetchAndAddRelaxed(1));
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        problem = db.isValid() ? checkConnection(db, settings, expectedVersion) : unreachable(settings);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}
