#include "processidentity.h"
#include "database.h"
#include "transaction.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QStringList>
#include <QUuid>

namespace {

// The start time of a process in clock ticks since boot (field 22 of /proc/<pid>/stat); empty
// when there is no such process.
QString startTimeOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray line = stat.readAll();
    // The command name may hold spaces and parentheses: the fields that follow start after the
    // last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? QString::fromLatin1(fields[19]) : QString();
}

QString thisProcess()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QStringLiteral("%1@%2").arg(pid).arg(startTimeOf(pid));
}

// The installation's identifier, made and kept in table Installazione at the first asking.
QString readOrMakeInstallation(const QString& localDbPath, const QString& connectString)
{
    try {
        const Database local = Database::open(localDbPath, connectString);
        return inImmediateTransaction(local, [&] {
            if (Rows kept = local.select(JetQuery("SELECT Codice FROM Installazione")); kept.next())
                return kept.value(0).toString();
            const QString made = QUuid::createUuid().toString(QUuid::WithoutBraces);
            local.execute(JetQuery("INSERT INTO Installazione (Codice) VALUES (") << Jet::text(made) << ")");
            return made;
        });
    } catch (const DatabaseError&) {
        // A local archive of an earlier version, or one that cannot be written: no identifier,
        // so no lock is ever judged this installation's own.
        return {};
    }
}

QString installation(const QString& localDbPath, const QString& connectString)
{
    static QMutex mutex;
    static QHash<QString, QString> known;
    const QMutexLocker lock(&mutex);
    auto it = known.constFind(localDbPath);
    if (it == known.cend())
        it = known.insert(localDbPath, readOrMakeInstallation(localDbPath, connectString));
    return *it;
}

} // namespace

QString lockHolderIdentity(const QString& localDbPath, const QString& connectString)
{
    return installation(localDbPath, connectString) + u'/' + thisProcess();
}

bool isEndedHolderOfThisInstallation(const QString& holder, const QString& localDbPath, const QString& connectString)
{
    const QString ours = installation(localDbPath, connectString);
    const qsizetype slash = holder.indexOf(u'/');
    if (ours.isEmpty() || slash < 0 || holder.left(slash) != ours)
        return false;
    const QStringList parts = holder.mid(slash + 1).split(u'@');
    bool numeric = false;
    const qint64 pid = parts.value(0).toLongLong(&numeric);
    if (parts.size() != 2 || !numeric)
        return false;
    const QString started = startTimeOf(pid);
    return started.isEmpty() || started != parts[1];
}
