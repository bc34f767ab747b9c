#include "documentcreation.h"
#include "conversion.h"
#include "creationdriver.h"
#include "creationstate.h"
#include "documentkinds.h"
#include "documentrecords.h"
#include "common/transaction.h"

#include <QSqlQuery>

namespace {

bool hasRows(const Database& db, const QString& table, const QDate& dataReg, qint32 numInt)
{
    JetQuery q;
    q << "SELECT Riga FROM " << Jet::identifier(table) << " WHERE ((" << Jet::identifier(table) << ".DataReg = "
      << Jet::date(dataReg) << ") AND (" << Jet::identifier(table) << ".NumInt = " << Jet::number(numInt)
      << ")) LIMIT 1";
    return db.select(q).next();
}

const DocumentKind& kindOf(const QString& code)
{
    const DocumentKind* kind = documentKind(code);
    if (!kind)
        throw DatabaseError(DatabaseError::Kind::Refused, QStringLiteral("Tipo di documento sconosciuto: %1").arg(code));
    return *kind;
}

const DocumentKind& sourceKindOf(const CreationRequest& request)
{
    const SourceChoice* source = sourceChoice(request.sourceType);
    if (!source)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Tipo di documento di origine sconosciuto: %1").arg(qint16(request.sourceType)));
    return kindOf(source->kindCode);
}

const DocumentKind& targetKindOf(const CreationRequest& request)
{
    const TargetChoice* target = targetChoice(request.targetType);
    if (!target)
        throw DatabaseError(DatabaseError::Kind::Refused,
                            QStringLiteral("Tipo di documento da creare sconosciuto: %1").arg(qint16(request.targetType)));
    return kindOf(target->kindCode);
}

} // namespace

// The source is read, and the number, the movement, the header and the rows are written, in one
// immediate transaction on the session's archive: another workstation creating at the same moment
// waits instead of interleaving. There is no undoing a creation: after a failure the transaction
// keeps what was written before it, unless the connection to the server was lost, which undid all
// of it.
CreationResult::Status LoadSourceDocument(CreationState& state)
{
    const CreationRequest& request = state.request;
    const DocumentKind& source = sourceKindOf(request);
    const DocumentKind& target = targetKindOf(request);

    WriteTransaction creation(state.db, WriteTransaction::OnFailure::KeepWrittenWork);
    state.SourceRowsTable = source.rowsTable;
    state.SourceHeader = Recordset::open(
        state.db, documentSelection(source.headerTable, request.sourceDataReg, request.sourceNumInt),
        Recordset::Type::Dynaset, true);
    if (state.SourceHeader.isEmpty())
        return CreationResult::Status::SourceMissing;
    // The rows are only looked for here: a conversion copies them straight from the table.
    if (!hasRows(state.db, source.rowsTable, request.sourceDataReg, request.sourceNumInt))
        return CreationResult::Status::SourceWithoutRows;

    state.TargetRowsTable = target.rowsTable;
    state.TargetHeader = Recordset::open(state.db, emptySelection(target.headerTable));
    RunConversion(state);
    creation.commit();
    return CreationResult::Status::Created;
}

void RunConversion(CreationState& state)
{
    AllocateDocumentNumber(state);
    switch (state.request.sourceType) {
    case SourceKind::DeliveryNote: ConvertFromDeliveryNote(state); break;
    case SourceKind::CustomerOrder: ConvertFromCustomerOrder(state); break;
    case SourceKind::Quotation: ConvertFromQuotation(state); break;
    case SourceKind::Invoice: ConvertFromInvoice(state); break;
    case SourceKind::ReturnNote: ConvertFromReturnNote(state); break;
    case SourceKind::None: break;
    }
}

void AllocateDocumentNumber(CreationState& state)
{
    const DocumentKind& target = targetKindOf(state.request);
    state.NewNumber = state.session.numbering.nextNumber(QStringLiteral("*"), target.code,
                                                         state.session.values.fiscalYear, target.headerTable);
}

CreationResult createDocument(const DocumentSession& session, const CreationRequest& request)
{
    CreationState state(session, request);
    state.MovementRequested = request.movementRequested;
    CreationResult result;
    try {
        result.status = LoadSourceDocument(state);
    } catch (const DatabaseError& e) {
        result.status = CreationResult::Status::Failed;
        result.failure = e;
    }
    result.headerSaved = state.HeaderSaved;
    result.rowsSaved = state.RowsSaved;
    result.newNumber = state.NewNumber;
    result.createdSummary = state.CreatedSummary;
    result.movementNumber = state.MovementNumber;
    return result;
}
