#include "transaction.h"

#include <QAtomicInt>
#include <exception>

namespace {
QAtomicInt savepointCounter;
}

WriteTransaction::WriteTransaction(const Database& db, OnFailure onFailure)
    : m_db(db), m_onFailure(onFailure), m_exceptionsAtStart(std::uncaught_exceptions())
{
    if (m_db.inTransaction()) {
        m_savepoint = QStringLiteral("work%1").arg(savepointCounter.fetchAndAddRelaxed(1));
        m_db.run(QStringLiteral("SAVEPOINT ") + m_savepoint);
    } else {
        m_db.begin();
    }
}

WriteTransaction::~WriteTransaction()
{
    if (m_finished)
        return;
    const bool failing = std::uncaught_exceptions() > m_exceptionsAtStart;
    if (failing && m_onFailure == OnFailure::KeepWrittenWork) {
        try {
            commit();
            return;
        } catch (...) {
            // The work cannot be kept: it is undone like any other.
        }
    }
    rollBack();
}

void WriteTransaction::commit()
{
    if (m_savepoint.isEmpty())
        m_db.commit();
    else
        m_db.run(QStringLiteral("RELEASE ") + m_savepoint);
    m_finished = true;
}

void WriteTransaction::rollBack() noexcept
{
    m_finished = true;
    try {
        if (m_savepoint.isEmpty()) {
            m_db.rollback();
        } else {
            m_db.run(QStringLiteral("ROLLBACK TO ") + m_savepoint);
            m_db.run(QStringLiteral("RELEASE ") + m_savepoint);
        }
    } catch (...) {
        // The engine has already undone the transaction (a failed commit, a lost connection).
    }
}
