#pragma once
#include "session.h"

#include <QVariant>
#include <optional>

// Posts a warehouse movement on the company archive: numbered per reason and fiscal year
// through the numerator ("M", reason, year), one line per row of the source document that names
// an article (article, warehouse, quantity, prices) with the reason's sign. The number, the
// header and the lines are written in one immediate transaction, or within the caller's when one
// is open.
PostedMovement postStockMovement(const Database& db, const QString& fiscalYear, const StockMovementRequest& request);

// A warehouse reason (CauMag) as its movements record it: its code as stored, its sign ("+"
// loads, "-" unloads) and its kind; and its description.
struct MovementReason
{
    QString code, sign, kind, description;
};
std::optional<MovementReason> readMovementReason(const Database& db, const QString& code);

// The header of a movement (MovMagTes). A movement posted with a document names it as its
// origin; one typed by hand has none, or the opening stock's.
struct MovementHeader
{
    QDate date;
    qint32 number = 0;
    MovementReason reason;
    QString fiscalYear;
    QVariant origin, originDataReg, originNumero, originNumInt, note;
};
void writeMovementHeader(const Database& db, const MovementHeader& header);
