#include "database.h"
#include "jetcollation.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QUrl>
#include <chrono>
#include <sqlite3.h>

namespace {

QAtomicInt connectionCounter;

QString passwordDigest(const QString& password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(("BrevanoV:" + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

DatabaseError::Kind kindOf(const QSqlError& error)
{
    const QString native = error.nativeErrorCode();
    const int code = native.toInt();
    switch (code & 0xff) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return DatabaseError::Kind::Busy;
    case 19: // SQLITE_CONSTRAINT
        return DatabaseError::Kind::Constraint;
    case 26: // SQLITE_NOTADB
        return DatabaseError::Kind::NotAnArchive;
    default:
        return DatabaseError::Kind::Statement;
    }
}

[[noreturn]] void fail(const QSqlError& error, const QString& what)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    throw DatabaseError(kindOf(error), what.isEmpty() ? text : what + QStringLiteral(": ") + text);
}

} // namespace

struct Database::Connection
{
    QString name;
    QString path;
    QSqlDatabase db;
    std::chrono::steady_clock::time_point busySince;
    ~Connection()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
};

QString Database::passwordOf(const QString& connectString)
{
    for (const QString& part : connectString.split(u';', Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(u'=');
        if (eq > 0 && part.left(eq).trimmed().compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return {};
}

static Database::Connection* connect(const QString& path, bool readOnly, bool create)
{
    auto* c = new Database::Connection;
    c->name = QStringLiteral("brevano-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    c->path = path;
    c->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->name);
    // A URI with mode=rw opens an existing file only: a missing archive is never created.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri += readOnly ? QStringLiteral("?mode=ro") : create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw");
    c->db.setDatabaseName(uri);
    c->db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(Database::BusyTimeoutMs));
    return c;
}

// A busy archive is tried again every fraction of a millisecond until the busy timeout: the
// engine's own back-off sleeps up to 100 ms at a time, long enough for the other workstations
// to keep taking the archive before a waiting one looks again.
static int waitForArchive(void* connection, int attempt)
{
    auto* c = static_cast<Database::Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        c->busySince = now;
    if (now - c->busySince >= std::chrono::milliseconds(Database::BusyTimeoutMs))
        return 0;
    QThread::usleep(attempt < 1000 ? 100 : 1000);
    return 1;
}

static void waitInShortSteps(Database::Connection* c)
{
    QVariant handle = c->db.driver()->handle();
    if (auto* sqlite = *static_cast<sqlite3**>(handle.data()))
        sqlite3_busy_handler(sqlite, waitForArchive, c);
}

Database Database::open(const QString& path, const QString& connectString, bool readOnly)
{
    if (!QFileInfo(path).isFile())
        throw DatabaseError(DatabaseError::Kind::NotFound,
                            QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
    Database result;
    result.d.reset(connect(path, readOnly, false));
    QSqlDatabase& db = result.d->db;
    if (!db.open())
        fail(db.lastError(), QStringLiteral("Impossibile aprire '%1'").arg(path));
    waitInShortSteps(result.d.get());
    registerJetCollation(db);

    // The first read tells a file that is not an archive; the password table tells ours.
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        throw DatabaseError(kindOf(check.lastError()) == DatabaseError::Kind::Busy ? DatabaseError::Kind::Busy
                                                                                 : DatabaseError::Kind::NotAnArchive,
                            QStringLiteral("Il file '%1' non è un archivio valido.").arg(path));
    QString stored;
    if (check.exec(QStringLiteral("SELECT Digest FROM MSysPassword")) && check.next())
        stored = check.value(0).toString();
    const QString given = passwordOf(connectString);
    if (!stored.isEmpty() ? stored != passwordDigest(given) : !given.isEmpty())
        throw DatabaseError(DatabaseError::Kind::WrongPassword, QStringLiteral("Password non valida."));
    // The rollback journal, never WAL (a data folder may lie on a network share); kept between
    // transactions rather than deleted, which spares a directory sync on every commit.
    if (!readOnly)
        check.exec(QStringLiteral("PRAGMA journal_mode=PERSIST"));
    return result;
}

Database Database::create(const QString& path, const QString& connectString)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(DatabaseError::Kind::Statement, QStringLiteral("Il file '%1' esiste già.").arg(path));
    Database result;
    result.d.reset(connect(path, false, true));
    QSqlDatabase& db = result.d->db;
    if (!db.open())
        fail(db.lastError(), QStringLiteral("Impossibile creare '%1'").arg(path));
    waitInShortSteps(result.d.get());
    registerJetCollation(db);
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    const QString password = passwordOf(connectString);
    if (!password.isEmpty()) {
        if (!q.exec(QStringLiteral("CREATE TABLE MSysPassword (Digest TEXT NOT NULL)")))
            fail(q.lastError(), {});
        q.prepare(QStringLiteral("INSERT INTO MSysPassword (Digest) VALUES (?)"));
        q.addBindValue(passwordDigest(password));
        if (!q.exec())
            fail(q.lastError(), {});
    }
    return result;
}

QString Database::path() const { return d->path; }
QSqlDatabase& Database::connection() const { return d->db; }

QSqlQuery Database::prepare(const QString& sqliteText) const
{
    QSqlQuery q(d->db);
    if (!q.prepare(sqliteText))
        fail(q.lastError(), {});
    return q;
}

namespace {

// Other archives named in a query are attached for the statement's duration.
class AttachedArchives
{
public:
    AttachedArchives(QSqlDatabase& db, const QStringList& paths) : m_db(db)
    {
        for (const QString& path : paths) {
            if (!QFileInfo(path).isFile())
                throw DatabaseError(DatabaseError::Kind::NotFound,
                                    QStringLiteral("Impossibile trovare il file '%1'.").arg(path));
            QSqlQuery q(m_db);
            q.prepare(QStringLiteral("ATTACH DATABASE ? AS ext%1").arg(m_count));
            q.addBindValue(path);
            if (!q.exec())
                fail(q.lastError(), {});
            ++m_count;
            QSqlQuery probe(m_db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM ext%1.sqlite_master").arg(m_count - 1)))
                throw DatabaseError(DatabaseError::Kind::NotAnArchive,
                                    QStringLiteral("Il file '%1' non è un archivio valido.").arg(path));
        }
    }
    ~AttachedArchives()
    {
        for (int i = 0; i < m_count; ++i)
            QSqlQuery(m_db).exec(QStringLiteral("DETACH DATABASE ext%1").arg(i));
    }

private:
    QSqlDatabase& m_db;
    int m_count = 0;
};

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    for (const QVariant& v : values)
        q.addBindValue(v);
}

} // namespace

int Database::execute(const JetQuery& query) const
{
    AttachedArchives attached(d->db, query.archives());
    QSqlQuery q = prepare(query.sqliteText());
    bindAll(q, query.bindings());
    if (!q.exec())
        fail(q.lastError(), {});
    return q.numRowsAffected();
}

QSqlQuery Database::select(const JetQuery& query, bool forwardOnly) const
{
    QSqlQuery q(d->db);
    q.setForwardOnly(forwardOnly);
    if (!q.prepare(query.sqliteText()))
        fail(q.lastError(), {});
    bindAll(q, query.bindings());
    if (!q.exec())
        fail(q.lastError(), {});
    return q;
}

void Database::beginImmediate() const
{
    QSqlQuery q(d->db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        fail(q.lastError(), {});
}

void Database::commit() const
{
    QSqlQuery q(d->db);
    if (!q.exec(QStringLiteral("COMMIT")))
        fail(q.lastError(), {});
}

void Database::rollback() const
{
    QSqlQuery(d->db).exec(QStringLiteral("ROLLBACK"));
}

bool Database::inTransaction() const
{
    QVariant handle = d->db.driver()->handle();
    auto* sqlite = *static_cast<sqlite3**>(handle.data());
    return sqlite && sqlite3_get_autocommit(sqlite) == 0;
}
