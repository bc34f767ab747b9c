// The maintenance program ("Utility di Manutenzione"): brings the archives of a program folder
// up to the version of the templates an installation delivered beside them, then moves those
// templates aside, so that the program starts again.
// Usage: manutenzione [program folder]   (default: the folder of this program)
// Reports in Italian on standard output; exit code 0 when every archive is up to date, 1 when
// one could not be brought there (it is then left as it was, and so are the templates).
#include "archiveupgrade.h"
#include "common/archivepassword.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

void say(const QString& line)
{
    std::fputs(qUtf8Printable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// The data folder named by the pointer file; the program folder itself on a server without one.
QString dataFolderOf(const QDir& program)
{
    QFile pointer(program.filePath(QStringLiteral("brevanov.dat")));
    if (pointer.open(QIODevice::ReadOnly)) {
        const QString line = QString::fromLocal8Bit(pointer.readLine()).trimmed();
        if (!line.isEmpty())
            return line;
    }
    return program.path();
}

struct Archive
{
    QString name;       // "user.mdb"
    QString path;
    QString templateName;
    ArchiveRole role;
};

// Upgrades one archive, after a dated copy of it; false when it could not be brought up to date.
bool upgrade(const Archive& a, const QString& stamp)
{
    if (!QFileInfo::exists(a.path)) {
        say(QStringLiteral("Archivio %1 non presente: sarà installato all'avvio del programma.").arg(a.name));
        return true;
    }
    const QString copy = QFileInfo(a.path).dir().filePath(QFileInfo(a.name).completeBaseName() + QStringLiteral("_copia_")
                                                          + stamp + QStringLiteral(".mdb"));
    try {
        const Database db = Database::open(a.path, archiveConnectString());
        const int found = upgradeArchive(
            db, a.role,
            [&] {
                if (!QFile::copy(a.path, copy))
                    throw DatabaseError(DatabaseError::Kind::Refused,
                                        QStringLiteral("impossibile creare la copia di sicurezza ") + copy);
                say(QStringLiteral("Archivio %1: copia di sicurezza %2").arg(a.name, QDir::toNativeSeparators(copy)));
            },
            [&](const QString& step) { say(QStringLiteral("Archivio %1: %2").arg(a.name, step)); });
        if (found >= currentArchiveVersion())
            say(QStringLiteral("Archivio %1: già aggiornato (versione %2).").arg(a.name).arg(found));
        else
            say(QStringLiteral("Archivio %1: aggiornato dalla versione %2 alla versione %3.")
                    .arg(a.name)
                    .arg(found)
                    .arg(currentArchiveVersion()));
        return true;
    } catch (const DatabaseError& e) {
        say(QStringLiteral("Archivio %1: aggiornamento non riuscito, l'archivio resta com'era (%2).").arg(a.name, e.detail()));
        QFile::remove(copy);
        return false;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2) {
        say(QStringLiteral("Uso: manutenzione [cartella del programma]"));
        return 2;
    }
    const QDir program(args.size() == 2 ? args[1] : app.applicationDirPath());
    const QDir data(dataFolderOf(program));
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    say(QStringLiteral("Utility di Manutenzione di Brevano V - versione degli archivi %1").arg(currentArchiveVersion()));
    say(QStringLiteral("Cartella del programma: ") + QDir::toNativeSeparators(program.path()));
    say(QStringLiteral("Cartella dei dati: ") + QDir::toNativeSeparators(data.path()));

    const Archive archives[] = {
        {"user.mdb", data.filePath("user.mdb"), "user2.mdb", ArchiveRole::User},
        {"data.mdb", data.filePath("data.mdb"), "data2.mdb", ArchiveRole::Data},
        {"locdata.mdb", program.filePath("locdata.mdb"), "locdata2.mdb", ArchiveRole::Local},
    };
    bool done = true;
    for (const Archive& a : archives)
        done = upgrade(a, stamp) && done;
    if (!done) {
        say(QStringLiteral("Manutenzione non completata: gli aggiornamenti restano nella cartella del programma."));
        return 1;
    }

    // The templates of archives that exist have been merged; a template without its archive is
    // left for the program to install.
    const QString aside = program.filePath(QStringLiteral("Aggiornamenti applicati"));
    for (const Archive& a : archives) {
        const QString templ = program.filePath(a.templateName);
        if (!QFileInfo::exists(templ) || !QFileInfo::exists(a.path))
            continue;
        const QString target = QDir(aside).filePath(QFileInfo(a.templateName).completeBaseName() + u'_' + stamp + ".mdb");
        if (!QDir().mkpath(aside) || !QFile::rename(templ, target)) {
            say(QStringLiteral("Impossibile spostare l'aggiornamento %1 in %2.").arg(a.templateName, QDir::toNativeSeparators(aside)));
            done = false;
            continue;
        }
        say(QStringLiteral("Aggiornamento %1 spostato in %2").arg(a.templateName, QDir::toNativeSeparators(target)));
    }
    say(done ? QStringLiteral("Manutenzione completata.") : QStringLiteral("Manutenzione non completata."));
    return done ? 0 : 1;
}
