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
