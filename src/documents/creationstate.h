#pragma once
#include "common/database.h"
#include "common/recordset.h"
#include "documentcreation.h"
#include "session.h"

#include <QDate>
#include <QString>

// What one creation works on, from the chosen source document to the saved new one: the
// source header and rows, the two views that receive the new document, its number and date,
// and the summary and movement number reported back.
struct CreationState
{
    CreationState(const DocumentSession& session, const CreationRequest& request)
        : session(session), request(request), db(session.archive) {}

    const DocumentSession& session;
    const CreationRequest& request;
    Database db;                    // the session's company archive

    QString SourceRowsTable;        // also named to the warehouse movement
    QString TargetRowsTable;
    Recordset SourceHeader;         // read only, the one header of the source
    Recordset SourceRows;           // read only, in Riga order; opened when rows are copied one by one
    Recordset TargetHeader;         // the empty view that receives the new header
    Recordset TargetRows;           // the empty view that receives rows copied one by one

    bool MovementRequested = false; // one validated movement serves one document
    qint32 MovementNumber = 0;
    qint32 NewNumber = 0;
    QDate Today;                    // read once, the date of the new header and of every row
    QString CreatedSummary;
    bool HeaderSaved = false;
    int RowsSaved = 0;
};
