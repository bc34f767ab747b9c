// Numbering and warehouse movements of the base component. The rules themselves live with the
// documents; here they run on the company archive the session keeps open, so that a document
// being created takes its number and posts its movement within its own transaction.
#include "baseclass.h"
#include "common/jetdate.h"
#include "documents/numbering.h"
#include "documents/stockmovement.h"
#include "common/transaction.h"

qint32 BaseClass::nextNumber(const QString& kind, const QString& code, const QString& fiscalYear,
                             const QString& controlledTable)
{
    const Database db = dataArchive();
    return inImmediateTransaction(db, [&] { return takeNextNumber(db, kind, code, fiscalYear, controlledTable); });
}

// The kind number, the empty reason and the two trailing values add nothing to what kind, code
// and year already identify.
qint32 BaseClass::NextDocumentNumber(const QString& kind, const QString& documentCode, const QString& fiscalYear,
                                     qint16, const QString&, const QString& headerTable, qint32, qint16)
{
    return nextNumber(kind, documentCode, fiscalYear, headerTable);
}

PostedMovement BaseClass::PostStockMovement(const StockMovementRequest& request)
{
    return ::postStockMovement(dataArchive(), FiscalYear, request);
}

// The source document's date arrives as text: day first as users see it, or as stored. The
// wizard window, the two data controls and the trailing -1 are not needed: the source document
// is named by the other arguments.
void BaseClass::PostStockMovement(QWidget*, const QString& sourceKindName, const QString& sourceDataReg,
                                  const QString& sourceNumero, const QString& movementDate, const QString& reasonCode,
                                  qint32& movementNumber, QString& reasonKind, QString& sourceRowsTable,
                                  DataControl*, DataControl*, qint32, qint32 sourceNumInt)
{
    const std::optional<QDate> typed = parseTypedDate(sourceDataReg);
    const PostedMovement posted = PostStockMovement({sourceKindName, typed ? *typed : storedDate(sourceDataReg),
                                                     sourceNumero, sourceNumInt, sourceRowsTable, movementDate,
                                                     reasonCode, reasonKind});
    movementNumber = posted.number;
    reasonKind = posted.reasonKind;
}
