#include "serverarchive.h"
#include "databaseerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace ServerArchive {

bool isServer(const QString& pathOrLine)
{
    return pathOrLine.startsWith(Marker);
}

QString locator(const QString& service, const QString& archiveFile)
{
    return Marker + service + u'/' + archiveFile;
}

QString serviceOf(const QString& pathOrLine)
{
    const QString rest = pathOrLine.mid(Marker.size()).trimmed();
    return rest.left(rest.indexOf(u'/') < 0 ? rest.size() : rest.indexOf(u'/'));
}

QString archiveFileOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

QString schemaOf(const QString& path)
{
    QString name = archiveFileOf(path).toLower();
    name.chop(name.endsWith(QLatin1String(".mdb")) ? 4 : 0);
    return QStringLiteral("brevano_") + name;
}

namespace {

QString homeFile(const char* variable, const char* name)
{
    const QString given = qEnvironmentVariable(variable);
    return given.isEmpty() ? QDir::home().filePath(QString::fromLatin1(name)) : given;
}

// The lines of a text file; none when it does not exist.
QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

void writeLines(const QString& path, const QStringList& lines, bool secret)
{
    QSaveFile file(path);
    const QByteArray text = lines.join(u'\n').toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()
        || (secret && !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) || !file.commit())
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Impossibile scrivere il file %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
}

// A field of the password file, its separators escaped as libpq reads them.
QString passField(const QString& value)
{
    QString out = value;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u':', QStringLiteral("\\:"));
    return out;
}

} // namespace

QString serviceFilePath() { return homeFile("PGSERVICEFILE", ".pg_service.conf"); }
QString passwordFilePath() { return homeFile("PGPASSFILE", ".pgpass"); }

Settings readService(const QString& service)
{
    Settings s;
    s.service = service;
    bool inside = false;
    for (const QString& raw : linesOf(serviceFilePath())) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inside = line == u'[' + service + u']';
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (!inside || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed(), value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("host"))
            s.host = value;
        else if (key == QLatin1String("port"))
            s.port = value.toInt();
        else if (key == QLatin1String("dbname"))
            s.database = value;
        else if (key == QLatin1String("user"))
            s.user = value;
    }
    return s;
}

void writeService(const Settings& s)
{
    QStringList lines;
    bool inside = false;
    for (const QString& line : linesOf(serviceFilePath())) {
        if (line.trimmed().startsWith(u'['))
            inside = line.trimmed() == u'[' + s.service + u']';
        if (!inside)
            lines << line;
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    lines << u'[' + s.service + u']' << QStringLiteral("host=") + s.host << QStringLiteral("port=%1").arg(s.port)
          << QStringLiteral("dbname=") + s.database << QStringLiteral("user=") + s.user << QString();
    writeLines(serviceFilePath(), lines, false);
    if (s.password.isEmpty())
        return;
    // libpq matches the host as given, a socket folder by its path too; only a connection
    // without a host looks for "localhost".
    const QString host = s.host.isEmpty() ? QStringLiteral("localhost") : s.host;
    const QString prefix = QStringList{passField(host), QString::number(s.port), passField(s.database), passField(s.user)}.join(u':') + u':';
    QStringList pass;
    for (const QString& line : linesOf(passwordFilePath()))
        if (!line.startsWith(prefix) && !line.trimmed().isEmpty())
            pass << line;
    pass << prefix + passField(s.password) << QString();
    writeLines(passwordFilePath(), pass, true);
}

QStringList postgresPrelude()
{
    return {QStringLiteral("CREATE COLLATION IF NOT EXISTS public.jet_nocase "
                           "(provider = icu, locale = 'und-u-ks-level2', deterministic = false)")};
}

namespace {

QString withoutComments(const QString& sql)
{
    static const QRegularExpression comment(QStringLiteral("--[^\n]*"));
    return QString(sql).remove(comment);
}

// Quoted names become the lower-case names PostgreSQL folds unquoted ones to.
QString lowerQuotedNames(QString sql)
{
    static const QRegularExpression quoted(QStringLiteral("\"(\\w+)\"|\\[(\\w+)\\]"));
    QString out;
    qsizetype at = 0;
    for (auto it = quoted.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        out += sql.mid(at, m.capturedStart() - at);
        out += u'"' + (m.captured(1) + m.captured(2)).toLower() + u'"';
        at = m.capturedEnd();
    }
    return out + sql.mid(at);
}

QString translateTypes(QString sql)
{
    const auto ci = QRegularExpression::CaseInsensitiveOption;
    static const QRegularExpression identity(QStringLiteral("\\bINTEGER\\s+PRIMARY\\s+KEY(\\s+AUTOINCREMENT)?\\b"), ci);
    static const QRegularExpression integer(QStringLiteral("\\bINTEGER\\b"), ci);
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"), ci);
    static const QRegularExpression date(QStringLiteral("\\bDATE(TIME)?\\b"), ci);
    static const QRegularExpression blob(QStringLiteral("\\bBLOB\\b"), ci);
    static const QRegularExpression nocase(QStringLiteral("\\bCOLLATE\\s+NOCASE\\b"), ci);
    static const QRegularExpression binary(QStringLiteral("\\bCOLLATE\\s+BINARY\\b"), ci);
    // A whole-number key the engine fills in, as SQLite's INTEGER PRIMARY KEY is.
    sql.replace(identity, QStringLiteral("bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    sql.replace(integer, QStringLiteral("bigint"));
    sql.replace(real, QStringLiteral("double precision"));
    // Dates keep their text 'YYYY-MM-DD', as every screen reads them on either engine.
    sql.replace(date, QStringLiteral("text"));
    sql.replace(blob, QStringLiteral("bytea"));
    // PostgreSQL computes a column from others only when it writes the row.
    static const QRegularExpression virtualColumn(QStringLiteral("\\)\\s*VIRTUAL\\b"), ci);
    sql.replace(virtualColumn, QStringLiteral(") STORED"));
    sql.replace(nocase, QStringLiteral("COLLATE jet_nocase"));
    sql.replace(binary, QStringLiteral("COLLATE \"C\""));
    return sql;
}

// The terms of a parenthesised list, split at its top-level commas.
QStringList terms(const QString& list)
{
    QStringList out;
    int depth = 0;
    QString current;
    bool inString = false;
    for (QChar c : list) {
        if (c == u'\'')
            inString = !inString;
        if (!inString && c == u'(')
            ++depth;
        if (!inString && c == u')')
            --depth;
        if (!inString && depth == 0 && c == u',') {
            out << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    out << current.trimmed();
    return out;
}

// An index on order keys (lower() and replace() over a column) serves lists that PostgreSQL
// sorts by the column itself, its collation placing "Élite" beside "Elena".
QString translateIndex(const QString& sql)
{
    const int open = sql.indexOf(u'(');
    const int close = sql.lastIndexOf(u')');
    if (open < 0 || close < open)
        return sql;
    static const QRegularExpression orderKey(QStringLiteral("coalesce\\(\\s*(\"?\\w+\"?)\\s*,\\s*''\\s*\\)(.*)$"),
                                             QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression direction(QStringLiteral("\\)\\s*((ASC|DESC)\\s*)?$"), QRegularExpression::CaseInsensitiveOption);
    QStringList out;
    for (const QString& term : terms(sql.mid(open + 1, close - open - 1))) {
        const auto m = orderKey.match(term);
        if (!m.hasMatch()) {
            out << term;
            continue;
        }
        const auto d = direction.match(term);
        out << QStringLiteral("(coalesce(%1, ''))").arg(m.captured(1)) + (d.hasMatch() ? u' ' + d.captured(1).trimmed() : QString());
    }
    return sql.left(open + 1) + out.join(QStringLiteral(", ")) + sql.mid(close);
}

} // namespace

QStringList postgresSchema(const QString& sqliteStatement)
{
    QString sql = translateTypes(lowerQuotedNames(withoutComments(sqliteStatement))).trimmed();
    if (sql.endsWith(u';'))
        sql.chop(1);
    static const QRegularExpression table(QStringLiteral("^CREATE\\s+TABLE\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression index(QStringLiteral("^CREATE\\s+(UNIQUE\\s+)?INDEX\\b"), QRegularExpression::CaseInsensitiveOption);
    if (table.match(sql).hasMatch()) {
        const int close = int(sql.lastIndexOf(u')'));
        // The row id lists page by and recordsets change rows through.
        sql.insert(close, QStringLiteral(",\n    __rowid__ bigint GENERATED BY DEFAULT AS IDENTITY UNIQUE\n"));
        return {sql};
    }
    if (index.match(sql).hasMatch())
        return {translateIndex(sql)};
    return {sql};
}

} // namespace ServerArchive
