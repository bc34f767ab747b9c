#include "processidentity.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

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

} // namespace

QString currentProcessIdentity()
{
    const qint64 pid = QCoreApplication::applicationPid();
    return QStringLiteral("%1@%2").arg(pid).arg(startTimeOf(pid));
}

bool isProcessRunning(const QString& identity)
{
    const QStringList parts = identity.split(u'@');
    bool numeric = false;
    const qint64 pid = parts.value(0).toLongLong(&numeric);
    if (parts.size() != 2 || !numeric)
        return false;
    const QString started = startTimeOf(pid);
    return !started.isEmpty() && started == parts[1];
}
