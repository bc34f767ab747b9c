#pragma once
#include "common/database.h"

// The rows of one document numbered 1, 2, 3... in Riga order, for an insert-select that writes
// them with new row numbers: what is returned follows FROM, and "numbered.n" is a row's number.
// On SQLite the numbers go first into a temporary table of the connection and the rows are read
// back by row id: a window function there costs as much as a third of the copy itself.
JetQuery numberedRows(const Database& db, const QString& rowsTable, const QDate& dataReg, qint32 numInt);
