#pragma once
#include "databaseerror.h"
#include "jetquery.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class Rows;
class QSqlRecord;

// An open archive. Copies share one connection; the last copy closes it.
// An archive is a SQLite file, or a schema of a PostgreSQL database when its path names a server
// (serverarchive.h); the differences of the two engines stay inside this layer.
// Opening never creates a file. Several processes may open one archive: a writer waits for
// another (busy timeout) instead of failing, and the rollback journal is kept (never WAL),
// because a data folder may lie on a network share. Every connection can write the file, even
// one opened for reading only, so that whichever connection comes first after a workstation
// died in the middle of a write rolls its journal back.
class Database
{
public:
    // connectString is the Jet form ";PWD=secret" (empty: an archive without password).
    static Database open(const QString& path, const QString& connectString, bool readOnly = false);

    using Engine = SqlEngine;
    Engine engine() const;

    // Creates a new, empty archive protected by the connect string's password (used by the
    // template builder and by tests).
    static Database create(const QString& path, const QString& connectString);

    QString path() const;
    QSqlDatabase& connection() const;
    // Another connection to the same archive, as this one was opened (for work in another
    // thread: a connection belongs to the thread that opens it).
    Database reopened() const;

    // Runs an action statement; returns the number of affected rows.
    int execute(const JetQuery& query) const;
    // Runs an insert of one row; false when a unique key already holds it. Either engine is told to
    // leave such a row out rather than fail (the server logs every failed statement); any other
    // refusal (a required value, a full disk) fails as ever.
    bool insertUnlessTaken(const JetQuery& insert) const;
    // Runs a selection, positioned before its first row.
    Rows select(const JetQuery& query, bool forwardOnly = true) const;
    // Runs SQL that wraps a query's paged text (rowpager.h): "%1" in the wrapper stands for it;
    // the values are the query's, then the extra ones.
    Rows selectAround(const JetQuery& query, const QString& wrapper, const QVariantList& extra) const;
    // Prepares raw SQLite text (no values spliced: callers bind them).
    QSqlQuery prepare(const QString& sqliteText) const;
    // SQL written for SQLite as this archive's engine reads it (names, reserved words).
    QString dialectText(const QString& sqliteText) const;
    // Runs a prepared statement, failing with the engine's classified error.
    void run(QSqlQuery& query) const;
    // Runs a statement without values (engine settings, transaction control).
    void run(const QString& sqliteText) const;

    bool inTransaction() const;
    // The outermost write transaction: one writer at a time on the archive, readers free.
    void begin() const;
    void commit() const;
    void rollback() const;

    // A table or column name as the engine spells it in a statement.
    QString quotedName(const QString& name) const;
    // The column of a table's row ids.
    QString rowidColumn() const;
    // An INSERT's text that reports the new row's id, and that id once it ran.
    QString insertReturningRowid(const QString& insertText) const;
    qint64 insertedRowid(QSqlQuery& insert) const;
    // The spelling the schema gives a name Qt reports (PostgreSQL reports names in lower case).
    QString schemaName(const QString& reported) const;
    QSqlRecord withSchemaNames(QSqlRecord record) const;
    // A value as SQLite gives it: Qt reads PostgreSQL's whole numbers that are not negative as
    // unsigned.
    static QVariant sameAsSQLite(const QVariant& value)
    {
        return value.typeId() == QMetaType::ULongLong ? QVariant(value.toLongLong()) : value;
    }
    // The version of the archive's schema (the templates' version once up to date).
    int schemaVersion() const;

    // The unique keys of a table (primary key and unique indexes), each as its columns.
    QVector<QStringList> uniqueKeys(const QString& table) const;
    // Refuses (Constraint) a row whose values repeat a unique key of another row, letters beyond
    // ASCII compared without regard to case: the archive's own keys compare only ASCII so.
    // Run it in the transaction that writes the row; rowid is the row's own (-1 when new).
    void refuseDuplicateKeys(const QString& table, const QHash<QString, QVariant>& values, qint64 rowid) const;
    bool isValid() const { return bool(d); }

    // How long a statement waits for another workstation's write before it gives up (and the
    // screen asks whether to try again).
    static constexpr int BusyTimeoutMs = 4000;

    static QString passwordOf(const QString& connectString);

    // The classified failure of a statement on this archive.
    DatabaseError failure(const QSqlError& error) const;

    struct Connection;

private:
    // The aliases of the other archives a query names, attached to the connection.
    QStringList attach(const JetQuery& query) const;
    QString executedText(const JetQuery& query) const;
    void rememberAliases(const QString& text) const;
    QString withoutRowsMissingValues(const QString& text) const;
    void startServerSession() const;
    void reconnect() const;
    // Before each statement: a closed server connection is made again (or the statement refused as
    // unreachable), and every statement of a transaction whose connection was lost is refused until
    // it is rolled back.
    void readyForStatement() const;
    bool mayRetry(const DatabaseError& error, bool wasWriting) const;
    void throwUnlessRetried(const QSqlError& error) const;
    // Prepares a statement, once more on a connection the server dropped and that was made again.
    void prepareOn(QSqlQuery& query, const QString& text) const;
    QStringList attachToServer(const JetQuery& query) const;
    // A prepared statement for the text: on PostgreSQL one kept from an earlier run when there is
    // one free (Rows and execute() give theirs back); keptAs is then the text to give it back under.
    QSqlQuery statement(const QString& text, bool forwardOnly, QString* keptAs) const;
    void keep(const QString& keptAs, QSqlQuery&& statement) const;
    friend class Rows;
    static Database openServer(const QString& path, const QString& connectString, bool readOnly);

    std::shared_ptr<Connection> d;
};

namespace detail {
struct OpenArchive
{
    Database archive;
};
} // namespace detail

// The rows a selection returns, read as with QSqlQuery. They keep their archive open while they
// are read, however briefly the caller held it ("data().select(...)" reads to the last row).
class Rows : private detail::OpenArchive, public QSqlQuery
{
public:
    Rows(Database archive, QSqlQuery query, QString keptAs = {})
        : OpenArchive{std::move(archive)}, QSqlQuery(std::move(query)), m_keptAs(std::move(keptAs)) {}
    Rows(Rows&&) = default;
    Rows& operator=(Rows&&) = default;
    // Gives the statement back to its archive, to run again without being prepared again.
    ~Rows();
    // The fields as the schema spells them and their values as SQLite gives them, on either
    // engine (a table's own row id is no field).
    QSqlRecord record() const;
    QVariant value(int i) const { return Database::sameAsSQLite(QSqlQuery::value(i)); }
    QVariant value(const QString& name) const { return Database::sameAsSQLite(QSqlQuery::value(name)); }

private:
    QString m_keptAs;
};
