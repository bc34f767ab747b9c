// The maintenance program ("Utility di Manutenzione"): brings the archives of a program folder
// up to the version of the templates an installation delivered beside them, then moves those
// templates aside, so that the program starts again.
// Usage: manutenzione [--recupera] [program folder]   (default: the folder of this program)
// Every archive is checked first (PRAGMA integrity_check): a damaged one is reported, with what to
// do, and is neither upgraded nor called sound; with --recupera it is rebuilt from what can still
// be read, the damaged file kept aside.
// Reports in Italian on standard output; exit code 0 when every archive is sound and up to date,
// 1 when one is not (it is then left as it was, and so are the templates).
#include "archiverepair.h"
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

// Whether an archive is sound. A damaged one is reported with what to do, and rebuilt when asked;
// even rebuilt it is not called sound until its rows have been looked at and the program run again.
bool sound(const Archive& a, const QString& stamp, bool recover)
{
    const QStringList problems = QFileInfo::exists(a.path) ? integrityProblems(a.path) : QStringList();
    if (problems.isEmpty())
        return true;
    const QStringList tables = unreadableTables(a.path);
    say(QStringLiteral("Archivio %1 DANNEGGIATO: %2. Il controllo di integrità ha trovato:")
            .arg(a.name, tables.isEmpty() ? QStringLiteral("le tabelle si leggono ancora, sono danneggiati indici o spazi liberi")
                                           : QStringLiteral("tabelle non più leggibili: ") + tables.join(QStringLiteral(", "))));
    for (const QString& problem : problems)
        say(QStringLiteral("    ") + problem);
    if (!recover) {
        say(QStringLiteral("Archivio %1: non è stato aggiornato. Con nessuna postazione al lavoro, rimettere al suo posto "
                           "l'ultima copia di sicurezza (fatta con .backup), oppure eseguire \"manutenzione --recupera\": "
                           "ricostruisce l'archivio in un nuovo file con tutte le righe ancora leggibili e conserva quello "
                           "danneggiato.").arg(a.name));
        return false;
    }
    const Recovery r = recoverArchive(a.path, stamp);
    if (!r.problem.isEmpty()) {
        say(QStringLiteral("Archivio %1: ricostruzione non riuscita (%2); l'archivio danneggiato resta com'era. "
                           "Rimettere al suo posto l'ultima copia di sicurezza.").arg(a.name, r.problem));
        return false;
    }
    say(QStringLiteral("Archivio %1: ricostruito con le righe ancora leggibili; l'archivio danneggiato è conservato come %2.")
            .arg(a.name, QDir::toNativeSeparators(r.damagedKeptAs)));
    if (!r.partialTables.isEmpty())
        say(QStringLiteral("Archivio %1: righe perse nelle tabelle %2.").arg(a.name, r.partialTables.join(QStringLiteral(", "))));
    say(QStringLiteral("Archivio %1: controllare i dati ricostruiti, o rimettere al suo posto l'ultima copia di sicurezza, "
                       "poi eseguire di nuovo la manutenzione.").arg(a.name));
    return false;
}

// Upgrades one archive, after a dated copy of it; false when it could not be brought up to date.
bool upgrade(const Archive& a, const QString& stamp)
{
    if (!QFileInfo::exists(a.path)) {
        say(QStringLiteral("Archivio %1 non presente: sarà installato all'avvio del programma.").arg(a.name));
        return true;
    }
    const QString copy = besideWith(a.path, QStringLiteral("copia"), stamp);
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
    QStringList args = app.arguments().mid(1);
    const bool recover = args.removeAll(QStringLiteral("--recupera")) > 0;
    if (args.size() > 1) {
        say(QStringLiteral("Uso: manutenzione [--recupera] [cartella del programma]"));
        return 2;
    }
    const QDir program(args.size() == 1 ? args[0] : app.applicationDirPath());
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
        done = sound(a, stamp, recover) && upgrade(a, stamp) && done;
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
