#pragma once
#include "common/database.h"
#include "common/recordset.h"

#include <QDate>
#include <QString>

// Reading documents. A document is its header row and its rows, all carrying the same DataReg
// and NumInt; rows are read in Riga order. A new document is appended through an empty view of
// its table: no stored document has NumInt -1.

// SELECT * FROM X WHERE ((X.DataReg = #mm/dd/yyyy#) AND (X.NumInt = n))
JetQuery documentSelection(const QString& table, const QDate& dataReg, qint32 numInt);
// The same on a rows table, ORDER BY X.Riga.
JetQuery documentRowsSelection(const QString& rowsTable, const QDate& dataReg, qint32 numInt);
// SELECT * FROM X WHERE (X.NumInt = -1)
JetQuery emptySelection(const QString& table);

// Read-only sets of one document's header (at most one row) and of its rows.
Recordset openDocumentHeader(const Database& db, const QString& headerTable, const QDate& dataReg, qint32 numInt);
Recordset openDocumentRows(const Database& db, const QString& rowsTable, const QDate& dataReg, qint32 numInt);
// An updatable, empty set on a table, to add records to.
Recordset openForAppend(const Database& db, const QString& table);
