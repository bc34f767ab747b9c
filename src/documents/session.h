#pragma once
#include "common/database.h"
#include "documenttotals.h"

#include <QDate>
#include <QString>

// What the work on documents needs of the signed-in session, and nothing more: a few run-wide
// values, the company archive the session keeps open, and the base component's numbering and
// warehouse movements. The base component implements these; tests and workers may too.

struct SessionValues
{
    QString userName;
    QString workstationName;
    QString fiscalYear;
};

class Numbering
{
public:
    virtual ~Numbering() = default;
    // The next number of the numerator (kind, code, fiscal year): "*" and a document kind code
    // for documents, "M" and a reason code for warehouse movements. It never falls to or below
    // the highest NumInt the controlled table holds for the year. Taken within the transaction
    // open on the session's company archive, when there is one.
    virtual qint32 nextNumber(const QString& kind, const QString& code, const QString& fiscalYear,
                              const QString& controlledTable) = 0;
};

// A warehouse movement made from the rows of a document.
struct StockMovementRequest
{
    QString sourceKindName;    // the origin written into the movement ("D.D.T.")
    QDate sourceDataReg;
    QString sourceNumero;
    qint32 sourceNumInt = 0;
    QString sourceRowsTable;
    QString movementDate;      // as typed, "dd/mm/yyyy"
    QString reasonCode;
    QString reasonKind;        // empty: the reason's own kind
};

struct PostedMovement
{
    qint32 number = 0;
    QString reasonKind;        // the kind asked for, or the reason's own
};

class StockMovements
{
public:
    virtual ~StockMovements() = default;
    // Posts the movement with one line per row of the source document.
    virtual PostedMovement PostStockMovement(const StockMovementRequest& request) = 0;
};

// The session as the creation of a document sees it.
struct DocumentSession
{
    SessionValues values;
    Database archive;          // the session's company archive
    Numbering& numbering;
    StockMovements& movements;
    Books books{};             // the company's: documents are priced in its currency
};
