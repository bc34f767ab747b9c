#pragma once
#include "database.h"

#include <type_traits>

// Every write transaction on an archive, in one shape:
//
//   WriteTransaction tx(db);
//   ...reads and writes...
//   tx.commit();
//
// It begins immediately (BEGIN IMMEDIATE; on a server, a turn per archive taken at BEGIN): what it reads before writing cannot be changed by
// another workstation before the commit, and a writer that must wait does so at the start,
// not half way. Inside a transaction already open on the connection it is a savepoint, so that
// its work commits with the enclosing one and only its own work is undone.
//
// Left without commit() — an early return, an exception — it is rolled back, unless it was
// made to keep its work: then whatever was written before the failure is committed and the
// exception goes on (a document whose creation stops part way keeps its header and the rows
// copied so far). A connection to the server lost inside it undoes all of it, kept or not: every
// statement after the loss is refused until the transaction is rolled back. Its destructor never
// throws.
class WriteTransaction
{
public:
    enum class OnFailure { RollBack, KeepWrittenWork };

    explicit WriteTransaction(const Database& db, OnFailure onFailure = OnFailure::RollBack);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

private:
    void rollBack() noexcept;

    Database m_db;
    OnFailure m_onFailure;
    QString m_savepoint;     // empty: the outermost transaction
    int m_exceptionsAtStart;
    bool m_finished = false;
};

// Runs a function inside a WriteTransaction and commits when it returns.
template <typename F>
auto inImmediateTransaction(const Database& db, F&& work)
{
    WriteTransaction transaction(db);
    if constexpr (std::is_void_v<decltype(work())>) {
        work();
        transaction.commit();
    } else {
        auto result = work();
        transaction.commit();
        return result;
    }
}
