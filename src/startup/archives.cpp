#include "archives.h"
#include "common/appglobals.h"

#include "common/database.h"
#include "common/platform.h"
#include "common/recordset.h"
#include "common/serverarchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <limits>

namespace {

const char* const Archives[] = {"user", "data", "locdata"};

QString inProgramFolder(const AppGlobals& g, const QString& name)
{
    return g.programFolder + QDir::separator() + name;
}

// Shows a fatal message; the program ends as soon as it is confirmed.
void stop(const QString& text, Platform::Icon icon, const AppGlobals& g)
{
    Platform::instance().message(text, icon, Platform::Buttons::Ok, g.programTitle);
    Platform::instance().endProgram();
}

// The archives are there but cannot be read: a wrong password, a busy or damaged archive, a
// missing company row or a Null setting.
void unreadable(bool client, const AppGlobals& g)
{
    if (client)
        stop(QStringLiteral("E' stato riscontrato un errore durante il collegamento alla fonte di dati.\r"
                            "Assicurarsi che non ci siano problemi di rete."),
             Platform::Icon::Exclamation, g);
    else
        stop(QStringLiteral("E' stato riscontrato un errore durante l'apertura della fonte di dati.\r"
                            "Sarà necessario controllare l'integrità dei dati al prossimo avvio del programma.\r"
                            "Assicurarsi che non ci siano Client connessi."),
             Platform::Icon::Exclamation, g);
}

// A data folder read from the pointer file is absolute; anything else names no archive. An
// archive on a server exists when the server answers and holds it.
bool archiveExists(const QString& path, const QString& connectString)
{
    if (ServerArchive::isServer(path)) {
        try {
            Database::open(path, connectString, true);
        } catch (const DatabaseError& e) {
            return e.kind() != DatabaseError::Kind::Unreachable && e.kind() != DatabaseError::Kind::NotFound;
        }
        return true;
    }
    const QFileInfo info(path);
    return info.isAbsolute() && info.isFile();
}

// The conversions of the settings: a Null or a value that does not fit fails, as the
// original's typed reads did.
struct ConversionError
{
};

QString asText(const QVariant& v)
{
    if (v.isNull())
        throw ConversionError();
    return v.toString();
}

double asDouble(const QVariant& v)
{
    bool ok = false;
    const double d = v.isNull() ? 0 : v.toDouble(&ok);
    if (!ok)
        throw ConversionError();
    return d;
}

qint16 asInt16(const QVariant& v)
{
    // Halves round to even, as the original's integer conversion did.
    const double rounded = std::nearbyint(asDouble(v));
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max())
        throw ConversionError();
    return qint16(rounded);
}

void readSettings(const AppGlobals& g, QString& baseCurrency, double& euroRate, qint16& euroDecimals,
                  qint16& baseCurrencyDecimals, const QString& connectString)
{
    {
        Database user = Database::open(g.dataFolder + QStringLiteral("user.mdb"), connectString);
        Recordset azienda = Recordset::openTable(user, QStringLiteral("Azienda"), true);
        if (azienda.isEOF())
            throw ConversionError();
        baseCurrency = asText(azienda.value(QStringLiteral("ValutaBase")));
        baseCurrencyDecimals = asInt16(azienda.value(QStringLiteral("DecimaliBase")));
        euroRate = asDouble(azienda.value(QStringLiteral("CambioEuro")));
        euroDecimals = asInt16(azienda.value(QStringLiteral("DecimaliEuro")));
    }
    Database::open(g.dataDbPath, connectString);
    Database::open(g.localDbPath, connectString);
}

} // namespace

void OpenArchives(AppGlobals& g, QString& baseCurrency, double& euroRate, qint16& euroDecimals,
                  qint16& baseCurrencyDecimals, const QString& connectString)
{
    Platform::instance().setHourglass(true);
    // A workstation that reaches a server is its client, whatever the role line says.
    const bool client = g.clientMode == 1 || ServerArchive::isServer(g.dataFolder);

    // First run: the installer's templates become the archives.
    for (const char* name : Archives) {
        const QString archive = inProgramFolder(g, QString::fromLatin1(name) + QStringLiteral(".mdb"));
        if (QFileInfo::exists(archive))
            continue;
        if (!QFile::rename(inProgramFolder(g, QString::fromLatin1(name) + QStringLiteral("2.mdb")), archive))
            stop(QStringLiteral("Attenzione, Impossibile Eseguire il Programma senza Archivi."),
                 Platform::Icon::Critical, g);
    }

    if (!archiveExists(g.dataFolder + QStringLiteral("user.mdb"), connectString)
        || !archiveExists(g.dataDbPath, connectString) || !archiveExists(g.localDbPath, connectString)) {
        if (client)
            stop(QStringLiteral("E' stato riscontrato un errore durante il collegamento alla fonte di dati.\r"
                                "Assicurarsi che il computer sia connesso correttamente alla rete."),
                 Platform::Icon::Critical, g);
        else
            stop(QStringLiteral("Impossibile trovare fonte di dati: potrebbe essere necessario reinstallare il "
                                "programma."),
                 Platform::Icon::Critical, g);
    }

    try {
        readSettings(g, baseCurrency, euroRate, euroDecimals, baseCurrencyDecimals, connectString);
    } catch (const DatabaseError& e) {
        // A server that turns this workstation's password away is no problem of the network.
        if (e.kind() == DatabaseError::Kind::WrongPassword && ServerArchive::isServer(e.archive()))
            stop(QStringLiteral("Password errata: il server PostgreSQL (servizio %1) non accetta l'utente e la password "
                                "di questa postazione.\rCorreggere la password nel file %2, oppure eliminare il file "
                                "brevanov.dat e riavviare il programma per reimpostare la connessione.")
                     .arg(ServerArchive::serviceOf(e.archive()), QDir::toNativeSeparators(ServerArchive::passwordFilePath())),
                 Platform::Icon::Exclamation, g);
        unreadable(client, g);
    } catch (...) {
        unreadable(client, g);
    }

    // Updated templates are merged by the maintenance utility, never by this program.
    for (const char* name : Archives)
        if (QFileInfo::exists(inProgramFolder(g, QString::fromLatin1(name) + QStringLiteral("2.mdb"))))
            stop(QStringLiteral("Sono stati rilevati degli Aggiornamenti.\r"
                                "Eseguire l'Utility di Manutenzione ed aggiornare gli Archivi!"),
                 Platform::Icon::Information, g);

    Platform::instance().setHourglass(false);
}
