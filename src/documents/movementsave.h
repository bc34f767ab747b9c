#pragma once
#include "documentdraft.h"
#include "session.h"

#include <optional>

// Warehouse movements typed by hand (Movimenti Magazzino, Apertura Giacenze), saved by the rules
// of the movements posted with documents: numbered per fiscal year and reason through the
// numerator ("M", reason, year), with the reason's sign and kind in the header and the sign on
// every line. Saving and deleting are one immediate transaction each on the session's company
// archive: any failure writes nothing. A movement posted with a document is refused here (a
// DatabaseError of kind Refused holding the sentence): it is corrected with its document.

// A movement is numbered per fiscal year and reason.
struct MovementKey
{
    QString fiscalYear, reason;
    qint32 number = 0;
};

// Reads a movement into a draft of StockMovementKind, each row described by its article;
// nothing when it is not there.
std::optional<DocumentDraft> readMovement(const Database& db, const MovementKey& key);

// Saves the draft as a new movement, or in place of the one `replaced` names, whose header and
// rows it replaces: under the same number while the reason stays, under the new reason's next
// number when it changes. Returns where the movement is saved.
MovementKey saveMovement(const DocumentSession& session, const DocumentDraft& draft,
                         const std::optional<MovementKey>& replaced);

// Removes the movement and its rows.
void deleteMovement(const DocumentSession& session, const MovementKey& key);
