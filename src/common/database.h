#pragma once
#include "databaseerror.h"
#include "jetquery.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>

// An open archive. Copies share one connection; the last copy closes it.
// Opening never creates a file. Several processes may open one archive: a writer waits for
// another (busy timeout) instead of failing, and the rollback journal is kept (never WAL),
// because a data folder may lie on a network share.
class Database
{
public:
    // connectString is the Jet form ";PWD=secret" (empty: an archive without password).
    static Database open(const QString& path, const QString& connectString, bool readOnly = false);

    // Creates a new, empty archive protected by the connect string's password (used by the
    // template builder and by tests).
    static Database create(const QString& path, const QString& connectString);

    QString path() const;
    QSqlDatabase& connection() const;

    // Runs an action statement; returns the number of affected rows.
    int execute(const JetQuery& query) const;
    // Runs a selection, positioned before its first row.
    QSqlQuery select(const JetQuery& query, bool forwardOnly = true) const;
    // Prepares raw SQLite text (no values spliced: callers bind them).
    QSqlQuery prepare(const QString& sqliteText) const;

    // Read-then-write work runs in an immediate transaction so that two workstations cannot
    // interleave between the read and the write.
    void beginImmediate() const;
    void commit() const;
    void rollback() const;
    bool inTransaction() const;

    bool isValid() const { return bool(d); }

    // How long a statement waits for another workstation's write before it gives up.
    static constexpr int BusyTimeoutMs = 30000;

    static QString passwordOf(const QString& connectString);

    struct Connection;

private:
    std::shared_ptr<Connection> d;
};

// Runs a function inside an immediate transaction, committing on success and rolling back
// when it throws. Inside a transaction already open on the connection it runs in a savepoint,
// so that its work commits with the enclosing transaction and only its own work is undone.
template <typename F>
auto inImmediateTransaction(const Database& db, F&& work)
{
    const bool nested = db.inTransaction();
    if (nested)
        db.execute(JetQuery("SAVEPOINT NestedWork"));
    else
        db.beginImmediate();
    const auto finish = [&] { nested ? void(db.execute(JetQuery("RELEASE NestedWork"))) : db.commit(); };
    try {
        if constexpr (std::is_void_v<decltype(work())>) {
            work();
            finish();
        } else {
            auto result = work();
            finish();
            return result;
        }
    } catch (...) {
        if (nested) {
            db.execute(JetQuery("ROLLBACK TO NestedWork"));
            db.execute(JetQuery("RELEASE NestedWork"));
        } else {
            db.rollback();
        }
        throw;
    }
}
