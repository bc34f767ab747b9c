#pragma once
#include "common/databaseerror.h"
#include "documentkinds.h"
#include "session.h"

#include <QDate>
#include <QString>
#include <optional>

// What the wizard asks for when "Fine" is confirmed: which document to start from, what to
// create, the supplier of a purchase document and the warehouse movement to record.
struct CreationRequest
{
    SourceKind sourceType = SourceKind::None;
    TargetKind targetType = TargetKind::None;
    QString sourceKindName{};     // the text of the source list ("D.D.T."), passed to the movement
    QDate sourceDataReg{};        // the chosen row of the source list
    qint32 sourceNumInt = 0;
    QString sourceNumero{};       // as text, passed to the movement
    QString supplierCode{};       // the supplier code typed in step 2
    QString supplierKey{};        // the hidden supplier key (text of the key field)
    bool movementRequested = false;
    QString movementDate{};       // as typed, "dd/mm/yyyy"
    QString movementReason{};
    QString reasonKind{};
};

struct CreationResult
{
    enum class Status { Created, SourceMissing, SourceWithoutRows, Failed };
    Status status = Status::Failed;
    qint32 newNumber = 0;
    QString createdSummary;       // "Data : " date " Numero : " number
    qint32 movementNumber = 0;
    std::optional<DatabaseError> failure;  // why it Failed
    // What a creation that Failed part way kept: the new header, and how many of its rows.
    bool headerSaved = false;
    int rowsSaved = 0;
};

// Creates the new document (header, rows, warehouse movement) with the session's numbering and
// movement operations, on its company archive. Callable without any window.
CreationResult createDocument(const DocumentSession& session, const CreationRequest& request);
