#pragma once
#include "documentdraft.h"

#include <optional>

// Why a draft cannot be saved, and the field the cursor goes back to ("Cliente", "Data",
// "Riga 3 Articolo", ...).
struct DraftRefusal
{
    QString field;
    QString message;
};

// The checks before saving: what is missing is listed in one message (the counterpart, the rows,
// the date); then a date outside the fiscal year, an unknown counterpart, reason, movement
// reason, article or VAT code is named with its field. The counterpart's id is taken on the way.
std::optional<DraftRefusal> checkDraft(const Database& db, DocumentDraft& draft, const QString& fiscalYear);

// A date outside the fiscal year (its first and last day are inside), named in the message.
std::optional<DraftRefusal> fiscalYearRefusal(const Database& db, const QDate& date, const QString& fiscalYear);

// The checks of a warehouse movement typed by hand (a draft of StockMovementKind): what is
// missing in one message (the date, the reason, the rows); then a date outside the fiscal year,
// an unknown reason or one without a sign (the opening stock only loads), and per row the article,
// the warehouse and a quantity above zero, each named with its field.
std::optional<DraftRefusal> checkMovement(const Database& db, const DocumentDraft& draft, const QString& fiscalYear);
