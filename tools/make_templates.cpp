// Writes the template archives next to the executable from the schema and demo SQL files.
// Usage: make_templates <program folder> <schema folder>
#include "common/archivepassword.h"
#include "common/database.h"
#include "common/jetcollation.h"
#include "common/passwordhash.h"
#include "common/transaction.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

namespace {

QString readScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    // Demo documents are dated in the current month of the current year.
    const QDate today = QDate::currentDate();
    text.replace(QLatin1String("{{YEAR}}"), QString::number(today.year()));
    text.replace(QLatin1String("{{PREVYEAR}}"), QString::number(today.year() - 1));
    text.replace(QLatin1String("{{MONTH}}"), QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0')));
    // The order keys of lists, written out as the program's queries write them.
    static const QRegularExpression orderKey(QStringLiteral("\\{\\{ORDER_KEY:(\\w+)\\}\\}"));
    for (auto m = orderKey.match(text); m.hasMatch(); m = orderKey.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), jetOrderKeySql(m.captured(1)));
    return text;
}

// Statements end with ";" at the end of a line; "--" lines are comments.
QStringList statements(const QString& script)
{
    QStringList out;
    QString current;
    for (const QString& line : script.split(u'\n')) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        current += line + u'\n';
        if (line.trimmed().endsWith(u';')) {
            out << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

bool build(const QString& target, const QStringList& scripts)
{
    QFile::remove(target);
    Database db = Database::create(target, archiveConnectString());
    // A script that fails leaves no half-built template: the destructor rolls back.
    WriteTransaction all(db);
    QSqlQuery q(db.connection());
    for (const QString& script : scripts) {
        const QString text = readScript(script);
        if (text.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(script));
            return false;
        }
        for (const QString& statement : statements(text)) {
            if (!q.exec(statement)) {
                std::fprintf(stderr, "%s: %s\n  in: %s\n", qPrintable(script), qPrintable(q.lastError().text()),
                             qPrintable(statement.left(300)));
                return false;
            }
        }
    }
    q.finish();
    all.commit();
    return true;
}

// The demo users' passwords are written as digests: an archive never holds them as typed.
bool hashPasswords(const QString& target)
{
    Database db = Database::open(target, archiveConnectString());
    QList<QPair<QString, QString>> clear;
    {
        Rows users = db.select(JetQuery("SELECT Codice, [Password] FROM Password"));
        while (users.next())
            if (!users.value(1).toString().isEmpty())
                clear.append({users.value(0).toString(), users.value(1).toString()});
    }
    for (const auto& [code, password] : clear)
        db.execute(JetQuery("UPDATE Password SET [Password] = ") << Jet::text(hashPassword(password))
                                                                  << " WHERE Codice = " << Jet::text(code));
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_templates <program folder> <schema folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir schema(QString::fromLocal8Bit(argv[2]));
    for (const char* name : {"user", "data", "locdata"}) {
        const QString archive = QString::fromLatin1(name);
        QStringList scripts{schema.filePath(archive + ".sql")};
        if (QFile::exists(schema.filePath("demo_" + archive + ".sql")))
            scripts << schema.filePath("demo_" + archive + ".sql");
        try {
            if (!build(out.filePath(archive + "2.mdb"), scripts)
                || (archive == QLatin1String("user") && !hashPasswords(out.filePath(archive + "2.mdb")))) {
                QFile::remove(out.filePath(archive + "2.mdb"));
                return 1;
            }
        } catch (const DatabaseError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    return 0;
}
