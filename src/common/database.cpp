#include "database.h"
#include "jetcollation.h"
#include "serverarchive.h"
#include "writeturn.h"

#include <QAtomicInt>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <sqlite3.h>

namespace {

QAtomicInt connectionCounter;

// Marks an archive whose indexes follow SQLite's own collations ("BrV5"). Archives written by
// earlier builds, whose connections replaced NOCASE, have their indexes rebuilt once.
constexpr int ArchiveApplicationId = 0x42725635;

QString passwordDigest(const QString& password)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(("BrevanoV:" + password).toUtf8(), QCryptographicHash::Sha256).toHex());
}

DatabaseError::Kind sqliteKind(int extendedCode)
{
    switch (extendedCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return DatabaseError::Kind::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM: return DatabaseError::Kind::ReadOnly;
    case SQLITE_FULL: return DatabaseError::Kind::DiskFull;
    case SQLITE_CORRUPT: return DatabaseError::Kind::Damaged;
    case SQLITE_NOTADB: return DatabaseError::Kind::NotAnArchive;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR: return DatabaseError::Kind::Unreachable;
    case SQLITE_CONSTRAINT: return DatabaseError::Kind::Constraint;
    case SQLITE_TOOBIG: return DatabaseError::Kind::BadValue;
    default: return DatabaseError::Kind::Failed;
    }
}

// PostgreSQL's SQLSTATE; a failure to connect has none and is told by its text.
DatabaseError::Kind postgresKind(const QString& state, const QString& text)
{
    using Kind = DatabaseError::Kind;
    static const QHash<QString, Kind> exact = {
        {QStringLiteral("40001"), Kind::Busy},          {QStringLiteral("40P01"), Kind::Busy},
        {QStringLiteral("55P03"), Kind::Busy},          {QStringLiteral("57014"), Kind::Busy},
        {QStringLiteral("25006"), Kind::ReadOnly},      {QStringLiteral("42501"), Kind::ReadOnly},
        {QStringLiteral("53100"), Kind::DiskFull},      {QStringLiteral("XX001"), Kind::Damaged},
        {QStringLiteral("XX002"), Kind::Damaged},       {QStringLiteral("28P01"), Kind::WrongPassword},
        {QStringLiteral("28000"), Kind::WrongPassword}, {QStringLiteral("3D000"), Kind::NotFound},
        {QStringLiteral("3F000"), Kind::NotFound},      {QStringLiteral("57P01"), Kind::Unreachable},
        {QStringLiteral("57P02"), Kind::Unreachable},   {QStringLiteral("57P03"), Kind::Unreachable},
        // A key too long for its index, a NUL or a character the database cannot hold, a text too long.
        {QStringLiteral("54000"), Kind::BadValue},      {QStringLiteral("22021"), Kind::BadValue},
        {QStringLiteral("22P05"), Kind::BadValue},      {QStringLiteral("22001"), Kind::BadValue},
    };
    if (const auto it = exact.constFind(state); it != exact.cend())
        return *it;
    if (state.startsWith(QLatin1String("23")))
        return Kind::Constraint;
    if (state.startsWith(QLatin1String("08")))
        return Kind::Unreachable;
    if (!state.isEmpty())
        return Kind::Failed;
    if (text.contains(QLatin1String("password")))
        return Kind::WrongPassword;
    if (text.contains(QLatin1String("does not exist")))
        return Kind::NotFound;
    if (text.contains(QLatin1String("connect")) || text.contains(QLatin1String("server")) || text.contains(QLatin1String("timeout")))
        return Kind::Unreachable;
    return Kind::Failed;
}

// The archives this process found damaged. Nothing is written into them again: a write could
// spread the damage, and a screen that meets it says so instead of saving beside it.
QMutex damagedLock;
QSet<QString> damagedArchives;

void rememberDamage(const DatabaseError& e)
{
    if (e.kind() != DatabaseError::Kind::Damaged)
        return;
    const QMutexLocker lock(&damagedLock);
    damagedArchives.insert(e.archive());
}

} // namespace

DatabaseError DatabaseError::fromEngine(const QSqlError& error, const QString& archive)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    if (ServerArchive::isServer(archive))
        return DatabaseError(postgresKind(error.nativeErrorCode().trimmed(), text), text, archive);
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric);
    return DatabaseError(numeric ? sqliteKind(code) : Kind::Failed, text, archive);
}

struct Database::Connection
{
    QString name;
    QString path;
    QString connectString;
    bool readOnly = false;
    QSqlDatabase db;
    QHash<QString, QString> attached;  // archive path -> alias
    QHash<QString, QVector<QStringList>> uniqueKeys;  // lower-case table name -> keys
    Database::Engine engine = Database::Engine::SQLite;
    QString schema;                        // PostgreSQL: the schema of the archive
    QHash<QString, QString> names;         // PostgreSQL: lower case -> the schema's spelling
    QSet<QString> namedTexts;              // statements whose aliases are in names
    bool writing = false;                  // PostgreSQL: a transaction is open
    bool lostTransaction = false;          // PostgreSQL: the connection went with an open transaction
    bool reconnecting = false;             // PostgreSQL: the connection is being made again
    int version = 0;
    std::chrono::steady_clock::time_point busySince;
    QHash<QString, QSqlQuery> kept;        // PostgreSQL: prepared statements free to run again
    ~Connection()
    {
        kept.clear();
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

static Database::Connection* connect(const QString& path, bool create)
{
    auto* c = new Database::Connection;
    c->name = QStringLiteral("brevano-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    c->path = path;
    c->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c->name);
    // A URI with mode=rw opens an existing file only: a missing archive is never created. A file
    // the system lets us only read is opened for reading.
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri += create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw");
    c->db.setDatabaseName(uri);
    c->db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(Database::BusyTimeoutMs));
    return c;
}

// A busy archive is tried again every fraction of a millisecond until the busy timeout: the
// engine's own back-off sleeps up to 100 ms at a time, long enough for the other workstations
// to keep taking the archive before a waiting one looks again. While another workstation writes
// in its turn, the wait sleeps until that turn ends rather than taking the processor from it.
static int waitForArchive(void* connection, int attempt)
{
    auto* c = static_cast<Database::Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        c->busySince = now;
    const auto left = std::chrono::milliseconds(Database::BusyTimeoutMs) - (now - c->busySince);
    if (left <= std::chrono::milliseconds::zero())
        return 0;
    // A turn is a commit's length; a longer one is a stuck workstation, whose archive another
    // writer may be using without a turn: look again after a short while.
    constexpr int LongestTurnWaitMs = 20;
    const int turnWaitMs = std::min<int>(LongestTurnWaitMs, int(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    if (!WriteTurn::waitWhileAnotherWrites(c->path, turnWaitMs))
        QThread::usleep(attempt < 1000 ? 100 : 1000);
    return 1;
}

static sqlite3* handleOf(const QSqlDatabase& db)
{
    QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3**>(handle.data());
}

static void waitInShortSteps(Database::Connection* c)
{
    if (sqlite3* sqlite = handleOf(c->db))
        sqlite3_busy_handler(sqlite, waitForArchive, c);
}

DatabaseError Database::failure(const QSqlError& error) const
{
    const QString path = d->path;
    DatabaseError e = DatabaseError::fromEngine(error, path);
    rememberDamage(e);
    if (d->engine == Engine::PostgreSQL) {
        // A connection the server dropped is made again for the next statement: what this one
        // was writing is lost with the transaction, what was committed stays.
        if (e.kind() == DatabaseError::Kind::Unreachable || !d->db.isOpen()) {
            reconnect();
            return DatabaseError(DatabaseError::Kind::Unreachable, e.detail(), path);
        }
        return e;
    }
    // A journal that cannot be made beside an archive we can still read: a read-only folder.
    const QFileInfo file(path);
    if (e.kind() == DatabaseError::Kind::Unreachable && file.isFile() && !QFileInfo(file.absolutePath()).isWritable())
        return DatabaseError(DatabaseError::Kind::ReadOnly, e.detail(), path);
    return e;
}

Database Database::open(const QString& path, const QString& connectString, bool readOnly)
{
    if (ServerArchive::isServer(path))
        return openServer(path, connectString, readOnly);
    if (!QFileInfo(path).isFile())
        throw DatabaseError(DatabaseError::Kind::NotFound, QString(), path);
    Database result;
    result.d.reset(connect(path, false));
    QSqlDatabase& db = result.d->db;
    if (!db.open())
        throw result.failure(db.lastError());
    waitInShortSteps(result.d.get());
    registerJetCollation(db);

    // The first read tells a file that is not an archive (and rolls back the journal of a
    // workstation that died while writing); the password table tells ours.
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        throw result.failure(check.lastError());
    QString stored;
    if (check.exec(QStringLiteral("SELECT Digest FROM MSysPassword")) && check.next())
        stored = check.value(0).toString();
    const QString given = passwordOf(connectString);
    if (!stored.isEmpty() ? stored != passwordDigest(given) : !given.isEmpty())
        throw DatabaseError(DatabaseError::Kind::WrongPassword, QString(), path);
    result.d->connectString = connectString;
    result.d->readOnly = readOnly;
    if (readOnly) {
        check.exec(QStringLiteral("PRAGMA query_only=ON"));
        return result;
    }
    // The rollback journal, never WAL (a data folder may lie on a network share); kept
    // between transactions rather than deleted, which spares a directory sync on every commit.
    check.exec(QStringLiteral("PRAGMA journal_mode=PERSIST"));
    if (check.exec(QStringLiteral("PRAGMA application_id")) && check.next()
        && check.value(0).toInt() != ArchiveApplicationId) {
        // A folder that cannot be written keeps its indexes until someone can.
        check.exec(QStringLiteral("REINDEX"))
            && check.exec(QStringLiteral("PRAGMA application_id=%1").arg(ArchiveApplicationId));
    }
    return result;
}

Database Database::create(const QString& path, const QString& connectString)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Il file '%1' esiste già.").arg(path), path);
    Database result;
    result.d.reset(connect(path, true));
    QSqlDatabase& db = result.d->db;
    if (!db.open())
        throw result.failure(db.lastError());
    waitInShortSteps(result.d.get());
    registerJetCollation(db);
    result.run(QStringLiteral("PRAGMA journal_mode=DELETE"));
    result.run(QStringLiteral("PRAGMA application_id=%1").arg(ArchiveApplicationId));
    const QString password = passwordOf(connectString);
    if (!password.isEmpty()) {
        result.run(QStringLiteral("CREATE TABLE MSysPassword (Digest TEXT NOT NULL)"));
        QSqlQuery q = result.prepare(QStringLiteral("INSERT INTO MSysPassword (Digest) VALUES (?)"));
        q.addBindValue(passwordDigest(password));
        result.run(q);
    }
    return result;
}

Database Database::openServer(const QString& path, const QString& connectString, bool readOnly)
{
    Database result;
    auto* c = new Connection;
    result.d.reset(c);
    c->name = QStringLiteral("brevano-%1").arg(connectionCounter.fetchAndAddRelaxed(1));
    c->path = path;
    c->engine = Engine::PostgreSQL;
    c->schema = ServerArchive::schemaOf(path);
    c->db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), c->name);
    if (!c->db.isValid())
        throw DatabaseError(DatabaseError::Kind::Unreachable, QStringLiteral("QPSQL driver missing"), path);
    // Host, port, database and user come from the service file, the password from the password
    // file: the pointer file names only the service.
    c->db.setConnectOptions(QStringLiteral("service=%1;connect_timeout=5;application_name=brevano")
                                .arg(ServerArchive::serviceOf(path)));
    // A connection never made is told by its reason (a wrong password is not the network).
    if (!c->db.open())
        throw DatabaseError::fromEngine(c->db.lastError(), path);
    if (ServerArchive::archiveFileOf(path).isEmpty()) {
        // The database itself, for the work that makes its archives.
        result.run(QStringLiteral("SET lock_timeout = %1").arg(BusyTimeoutMs));
        return result;
    }
    QSqlQuery q(c->db);
    q.prepare(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?"));
    q.addBindValue(c->schema);
    result.run(q);
    if (!q.next())
        throw DatabaseError(DatabaseError::Kind::NotFound, QString(), path);
    result.startServerSession();
    QString stored;
    if (!q.exec(QStringLiteral("SELECT name FROM msysnames")))
        throw DatabaseError(DatabaseError::Kind::NotAnArchive, q.lastError().text(), path);
    while (q.next())
        c->names.insert(q.value(0).toString().toLower(), q.value(0).toString());
    if (q.exec(QStringLiteral("SELECT digest FROM msyspassword")) && q.next())
        stored = q.value(0).toString();
    const QString given = passwordOf(connectString);
    if (!stored.isEmpty() ? stored != passwordDigest(given) : !given.isEmpty())
        throw DatabaseError(DatabaseError::Kind::WrongPassword, QString(), path);
    if (q.exec(QStringLiteral("SELECT version FROM msysversion")) && q.next())
        c->version = q.value(0).toInt();
    c->connectString = connectString;
    c->readOnly = readOnly;
    if (readOnly)
        result.run(QStringLiteral("SET default_transaction_read_only = on"));
    return result;
}

void Database::startServerSession() const
{
    // Temporary copies of other archives' tables come last: they never hide the archive's own.
    run(QStringLiteral("SET search_path TO %1, public, pg_temp").arg(d->schema));
    // A statement waits for another workstation's write as long as on a shared folder.
    run(QStringLiteral("SET lock_timeout = %1").arg(BusyTimeoutMs));
    if (d->readOnly)
        run(QStringLiteral("SET default_transaction_read_only = on"));
}

void Database::reconnect() const
{
    if (d->reconnecting)
        return;
    const bool wasWriting = d->writing;
    d->writing = false;
    d->kept.clear();
    d->db.close();
    if (d->db.open()) {
        d->reconnecting = true;
        try {
            startServerSession();
        } catch (const DatabaseError&) {
            // The server went again: the next statement says so.
        }
        d->reconnecting = false;
    }
    // The server undid the open transaction with the connection: the rest of it must not run
    // on the new one, where each statement would commit by itself.
    d->lostTransaction = d->lostTransaction || wasWriting;
}

Database::Engine Database::engine() const { return d->engine; }

void Database::begin() const
{
    {
        const QMutexLocker lock(&damagedLock);
        if (damagedArchives.contains(d->path))
            throw DatabaseError(DatabaseError::Kind::Damaged, QString(), d->path);
    }
    if (d->engine == Engine::SQLite) {
        run(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    run(QStringLiteral("BEGIN"));
    d->writing = true;
    // One writer at a time on each archive, as SQLite's immediate transaction: what a writer
    // reads before writing stays as it read it until its commit.
    QSqlQuery turn = prepare(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(?))"));
    turn.addBindValue(d->schema);
    try {
        run(turn);
    } catch (...) {
        rollback();
        throw;
    }
}

void Database::commit() const
{
    run(QStringLiteral("COMMIT"));
    d->writing = false;
}

void Database::rollback() const
{
    d->writing = false;
    if (d->lostTransaction) {
        // Nothing of it is left on the server to undo.
        d->lostTransaction = false;
        return;
    }
    run(QStringLiteral("ROLLBACK"));
}

void Database::readyForStatement() const
{
    // A connection the server dropped, and that could not be made again then, is tried first.
    if (d->engine == Engine::PostgreSQL && !d->db.isOpen()) {
        reconnect();
        if (!d->db.isOpen())
            throw DatabaseError(DatabaseError::Kind::Unreachable, d->db.lastError().text(), d->path);
    }
    if (d->lostTransaction)
        throw DatabaseError(DatabaseError::Kind::Unreachable,
                            QStringLiteral("connessione persa durante la transazione: nulla di essa è stato salvato"), d->path);
}

QString Database::quotedName(const QString& name) const
{
    return d->engine == Engine::PostgreSQL ? u'"' + name.toLower() + u'"' : u'[' + name + u']';
}

QString Database::rowidColumn() const
{
    return d->engine == Engine::PostgreSQL ? QStringLiteral("__rowid__") : QStringLiteral("rowid");
}

QString Database::insertReturningRowid(const QString& insertText) const
{
    return d->engine == Engine::PostgreSQL ? insertText + QStringLiteral(" RETURNING __rowid__") : insertText;
}

qint64 Database::insertedRowid(QSqlQuery& insert) const
{
    if (d->engine == Engine::PostgreSQL)
        return insert.next() ? insert.value(0).toLongLong() : -1;
    return insert.lastInsertId().toLongLong();
}

QString Database::schemaName(const QString& reported) const
{
    if (d->engine == Engine::SQLite)
        return reported;
    return d->names.value(reported.toLower(), reported);
}

QSqlRecord Database::withSchemaNames(QSqlRecord record) const
{
    if (d->engine == Engine::SQLite)
        return record;
    if (record.count() > 0 && record.fieldName(record.count() - 1) == QLatin1String("__rowid__"))
        record.remove(record.count() - 1);
    for (int i = 0; i < record.count(); ++i) {
        QSqlField f = record.field(i);
        f.setName(schemaName(f.name()));
        if (f.metaType().id() == QMetaType::ULongLong)
            f.setMetaType(QMetaType::fromType<qlonglong>());
        f.setValue(sameAsSQLite(f.value()));
        record.replace(i, f);
    }
    return record;
}

int Database::schemaVersion() const
{
    if (d->engine == Engine::PostgreSQL)
        return d->version;
    QSqlQuery q(d->db);
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : 0;
}

Rows::~Rows()
{
    if (!m_keptAs.isEmpty())
        archive.keep(m_keptAs, std::move(static_cast<QSqlQuery&>(*this)));
}

QSqlRecord Rows::record() const
{
    return archive.withSchemaNames(QSqlQuery::record());
}

QString Database::path() const { return d->path; }

Database Database::reopened() const
{
    return open(d->path, d->connectString, d->readOnly);
}
QSqlDatabase& Database::connection() const { return d->db; }

QString Database::dialectText(const QString& sqliteText) const
{
    return d->engine == Engine::PostgreSQL ? Jet::postgresText(sqliteText) : sqliteText;
}

QSqlQuery Database::prepare(const QString& sqliteText) const
{
    QSqlQuery q(d->db);
    prepareOn(q, d->engine == Engine::PostgreSQL ? Jet::postgresText(sqliteText) : sqliteText);
    return q;
}

// Whether a failed statement may go once more: the server dropped the connection outside a
// transaction and it was made again, so the server ran nothing of it.
bool Database::mayRetry(const DatabaseError& error, bool wasWriting) const
{
    return d->engine == Engine::PostgreSQL && error.kind() == DatabaseError::Kind::Unreachable && !wasWriting
           && d->db.isOpen();
}

// A failed statement: its classified error is thrown unless the statement may go once more
// (whether a transaction was open is read before the failure makes the connection again).
void Database::throwUnlessRetried(const QSqlError& error) const
{
    const bool wasWriting = d->writing;
    const DatabaseError failed = failure(error);
    if (!mayRetry(failed, wasWriting))
        throw failed;
}

void Database::prepareOn(QSqlQuery& query, const QString& text) const
{
    readyForStatement();
    if (query.prepare(text))
        return;
    throwUnlessRetried(query.lastError());
    QSqlQuery again(d->db);
    again.setForwardOnly(query.isForwardOnly());
    if (!again.prepare(text))
        throw failure(again.lastError());
    query = std::move(again);
}

void Database::run(QSqlQuery& query) const
{
    readyForStatement();
    // PostgreSQL's texts cannot hold a NUL, and Qt's driver would cut the statement short at it.
    if (d->engine == Engine::PostgreSQL)
        for (const QVariant& value : query.boundValues())
            if (value.typeId() == QMetaType::QString && value.toString().contains(QChar(0)))
                throw DatabaseError(DatabaseError::Kind::BadValue, QStringLiteral("carattere nullo (NUL) in un testo"), d->path);
    if (query.exec())
        return;
    throwUnlessRetried(query.lastError());
    QSqlQuery again(d->db);
    again.setForwardOnly(query.isForwardOnly());
    prepareOn(again, query.lastQuery());
    for (const QVariant& value : query.boundValues())
        again.addBindValue(value);
    if (!again.exec())
        throw failure(again.lastError());
    query = std::move(again);
}

void Database::run(const QString& sqliteText) const
{
    readyForStatement();
    const QString text = d->engine == Engine::PostgreSQL ? Jet::postgresText(sqliteText) : sqliteText;
    QSqlQuery q(d->db);
    if (q.exec(text))
        return;
    throwUnlessRetried(q.lastError());
    QSqlQuery again(d->db);
    if (!again.exec(text))
        throw failure(again.lastError());
}

// Another archive named in a statement is attached to the connection the first time, under an
// alias of its own, and stays attached while the connection is open: selections and action
// statements follow the same rule.
QStringList Database::attach(const JetQuery& query) const
{
    if (d->engine == Engine::PostgreSQL)
        return attachToServer(query);
    QStringList aliases;
    for (const QString& path : query.archives()) {
        QString alias = d->attached.value(path);
        if (alias.isEmpty()) {
            if (!QFileInfo(path).isFile())
                throw DatabaseError(DatabaseError::Kind::NotFound, QString(), path);
            alias = QStringLiteral("ext%1").arg(d->attached.size());
            QSqlQuery attach = prepare(QStringLiteral("ATTACH DATABASE ? AS ") + alias);
            attach.addBindValue(path);
            run(attach);
            QSqlQuery probe(d->db);
            if (!probe.exec(QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(alias))) {
                const DatabaseError error = DatabaseError::fromEngine(probe.lastError(), path);
                QSqlQuery(d->db).exec(QStringLiteral("DETACH DATABASE ") + alias);
                throw error;
            }
            d->attached.insert(path, alias);
        }
        aliases << alias;
    }
    return aliases;
}

namespace {

void bindAll(QSqlQuery& q, const QVariantList& values)
{
    for (const QVariant& v : values)
        q.addBindValue(v);
}

} // namespace

QString Database::executedText(const JetQuery& query) const
{
    const QString text = query.executedText(d->engine, attach(query));
    rememberAliases(text);
    return d->engine == Engine::PostgreSQL ? withoutRowsMissingValues(text) : text;
}

// SQLite's INSERT OR IGNORE leaves out a row without a required value too; PostgreSQL's
// ON CONFLICT DO NOTHING does not, so the copy leaves such rows out itself.
QString Database::withoutRowsMissingValues(const QString& text) const
{
    static const QRegularExpression copy(QStringLiteral("^\\s*INSERT INTO (\\w+)\\s*\\(([^)]*)\\)\\s*(SELECT\\b.*) ON CONFLICT DO NOTHING$"),
                                         QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = copy.match(text);
    if (!m.hasMatch())
        return text;
    QSqlQuery q(d->db);
    q.prepare(QStringLiteral("SELECT column_name FROM information_schema.columns WHERE table_schema = current_schema() "
                             "AND table_name = ? AND is_nullable = 'NO'"));
    q.addBindValue(m.captured(1).toLower());
    run(q);
    QStringList required;
    while (q.next())
        required << q.value(0).toString();
    QStringList columns, present;
    for (const QString& column : m.captured(2).split(u',')) {
        const QString name = u'"' + column.trimmed().remove(u'"').toLower() + u'"';
        columns << name;
        if (required.contains(column.trimmed().remove(u'"').toLower()))
            present << name + QStringLiteral(" IS NOT NULL");
    }
    if (present.isEmpty())
        return text;
    return QStringLiteral("INSERT INTO %1 (%2) SELECT * FROM (%3) AS copied (%2) WHERE %4 ON CONFLICT DO NOTHING")
        .arg(m.captured(1), columns.join(QStringLiteral(", ")), m.captured(3), present.join(QStringLiteral(" AND ")));
}

// PostgreSQL reports the names a selection gives its columns in lower case: the selection's own
// spelling is kept.
void Database::rememberAliases(const QString& text) const
{
    if (d->engine == Engine::SQLite || d->namedTexts.contains(text))
        return;
    static const QRegularExpression alias(QStringLiteral("\\bAS\\s+(\\w+)"), QRegularExpression::CaseInsensitiveOption);
    for (auto it = alias.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!d->names.contains(name.toLower()))
            d->names.insert(name.toLower(), name);
    }
    d->namedTexts.insert(text);
}

namespace {

// How many prepared statements a connection to the server keeps at most.
constexpr qsizetype KeptStatements = 64;

// A statement that changes the schema: plans prepared before it may no longer fit the tables.
bool changesSchema(const QString& text)
{
    static const QRegularExpression ddl(QStringLiteral("^\\s*(CREATE|ALTER|DROP)\\b"), QRegularExpression::CaseInsensitiveOption);
    return ddl.match(text).hasMatch();
}

} // namespace

// Qt's PostgreSQL driver prepares a statement on the server, runs it and deallocates it: three
// round trips for every statement prepared anew. A statement kept prepared runs again in one.
// A kept statement serves one user at a time; a second user of the same text gets one of its own.
QSqlQuery Database::statement(const QString& text, bool forwardOnly, QString* keptAs) const
{
    if (d->engine == Engine::PostgreSQL) {
        if (changesSchema(text)) {
            d->kept.clear();
        } else {
            *keptAs = (forwardOnly ? u'f' : u's') + text;
            if (const auto it = d->kept.find(*keptAs); it != d->kept.end()) {
                QSqlQuery q = std::move(it.value());
                d->kept.erase(it);
                return q;
            }
        }
    }
    QSqlQuery q(d->db);
    q.setForwardOnly(forwardOnly);
    prepareOn(q, text);
    return q;
}

void Database::keep(const QString& keptAs, QSqlQuery&& statement) const
{
    if (!d->db.isOpen() || d->kept.size() >= KeptStatements || d->kept.contains(keptAs))
        return;
    statement.finish();
    d->kept.emplace(keptAs, std::move(statement));
}

int Database::execute(const JetQuery& query) const
{
    QString keptAs;
    QSqlQuery q = statement(executedText(query), true, &keptAs);
    bindAll(q, query.bindings());
    run(q);
    const int affected = q.numRowsAffected();
    if (!keptAs.isEmpty())
        keep(keptAs, std::move(q));
    return affected;
}

bool Database::insertUnlessTaken(const JetQuery& insert) const
{
    return execute(JetQuery(insert) << " ON CONFLICT DO NOTHING") == 1;
}

Rows Database::select(const JetQuery& query, bool forwardOnly) const
{
    QString keptAs;
    QSqlQuery q = statement(executedText(query), forwardOnly, &keptAs);
    bindAll(q, query.bindings());
    run(q);
    return Rows(*this, std::move(q), keptAs);
}

Rows Database::selectAround(const JetQuery& query, const QString& wrapper, const QVariantList& extra) const
{
    QString text = wrapper.arg(query.pagedText(d->engine, attach(query)));
    // The wrapper's sort keys name columns as the query's text does.
    if (d->engine == Engine::PostgreSQL)
        text = Jet::postgresText(text);
    rememberAliases(text);
    QString keptAs;
    QSqlQuery q = statement(text, true, &keptAs);
    bindAll(q, query.bindings());
    bindAll(q, extra);
    run(q);
    return Rows(*this, std::move(q), keptAs);
}

bool Database::inTransaction() const
{
    if (d->engine == Engine::PostgreSQL)
        return d->writing;
    sqlite3* sqlite = handleOf(d->db);
    return sqlite && sqlite3_get_autocommit(sqlite) == 0;
}

QVector<QStringList> Database::uniqueKeys(const QString& table) const
{
    const QString name = table.toLower();
    if (const auto it = d->uniqueKeys.constFind(name); it != d->uniqueKeys.cend())
        return *it;
    QVector<QStringList> keys;
    QSqlQuery indexes = prepare(QStringLiteral("SELECT name FROM pragma_index_list(?) WHERE \"unique\" = 1"));
    indexes.addBindValue(table);
    run(indexes);
    while (indexes.next()) {
        QSqlQuery columns = prepare(QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"));
        columns.addBindValue(indexes.value(0));
        run(columns);
        QStringList key;
        while (columns.next())
            key << columns.value(0).toString();
        keys << key;
    }
    d->uniqueKeys.insert(name, keys);
    return keys;
}

void Database::refuseDuplicateKeys(const QString& table, const QHash<QString, QVariant>& values, qint64 rowid) const
{
    // PostgreSQL's keys compare by the collation jet_nocase themselves.
    if (d->engine == Engine::PostgreSQL)
        return;
    const auto beyondAscii = [](const QVariant& v) {
        if (v.typeId() != QMetaType::QString)
            return false;
        for (QChar c : v.toString())
            if (c.unicode() >= 0x80)
                return true;
        return false;
    };
    for (const QStringList& key : uniqueKeys(table)) {
        // A key with a Null part repeats nothing; a key of ASCII values is the index's own work.
        bool complete = true, needed = false;
        for (const QString& column : key) {
            const QVariant value = values.value(column.toLower());
            complete = complete && !value.isNull();
            needed = needed || beyondAscii(value);
        }
        if (!complete || !needed)
            continue;
        JetQuery q("SELECT 1 FROM ");
        q << Jet::identifier(table) << " WHERE rowid <> " << Jet::number(rowid);
        for (const QString& column : key) {
            const QVariant value = values.value(column.toLower());
            q << " AND " << Jet::identifier(column) << " = ";
            q << (value.typeId() == QMetaType::QString ? Jet::text(value.toString()) : Jet::number(value.toDouble()));
        }
        if (select(q).next())
            throw DatabaseError(DatabaseError::Kind::Constraint,
                                QStringLiteral("UNIQUE constraint failed: %1.%2").arg(table, key.join(u',')), d->path);
    }
}
