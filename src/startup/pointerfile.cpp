#include "pointerfile.h"
#include "common/appglobals.h"
#include "ricercaserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace {

// One line of ANSI text without its line end; false when the file has no more lines.
bool readLine(QFile& file, QString& line)
{
    if (file.atEnd())
        return false;
    QByteArray bytes = file.readLine();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    line = QString::fromLocal8Bit(bytes);
    return true;
}

} // namespace

QString pointerFilePath(const QString& programFolder)
{
    return programFolder + QDir::separator() + QStringLiteral("brevanov.dat");
}

void ReadPointerFile(AppGlobals& globals, const QString& path)
{
    if (!QFileInfo::exists(path)) {
        RicercaServer configuration(globals);
        configuration.exec();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QString line;
    if (!readLine(file, line))
        return;
    globals.dataFolder = line;
    globals.dataDbPath = line + QStringLiteral("data.mdb");
    if (!readLine(file, line))
        return;
    bool ok = false;
    const qint32 role = line.trimmed().toInt(&ok);
    if (ok)
        globals.clientMode = role;
}

void WritePointerFile(const AppGlobals& globals, qint32 role)
{
    QFile file(pointerFilePath(globals.programFolder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(file.errorString().toStdString());
    file.write(globals.dataFolder.toLocal8Bit() + "\r\n" + QByteArray::number(role) + "\r\n");
    if (!file.flush())  // a full disk shows here: writing only fills the buffer
        throw std::runtime_error(file.errorString().toStdString());
}
