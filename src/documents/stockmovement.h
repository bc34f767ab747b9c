#pragma once
#include "session.h"

// Posts a warehouse movement on the company archive: numbered per reason and fiscal year
// through the numerator ("M", reason, year), one line per row of the source document that names
// an article (article, warehouse, quantity) with the reason's sign. The number, the header and
// the lines are written in one immediate transaction, or within the caller's when one is open.
PostedMovement postStockMovement(const Database& db, const QString& fiscalYear, const StockMovementRequest& request);
