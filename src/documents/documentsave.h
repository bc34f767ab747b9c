#pragma once
#include "documentdraft.h"
#include "session.h"

// Saving a draft is one immediate transaction on the session's company archive: the number
// (from the numerator the wizard uses, on the first save), the header with its totals, the rows
// and, when the draft names a warehouse reason, the movement posted by the wizard's rules. An
// edit replaces the header, the rows and the movement in the same transaction. Any failure
// writes nothing and leaves the draft as it was; a refusal of the program's rules (checks, the
// invoice book) is a DatabaseError of kind Refused holding the sentence to show.

// Returns the document's number; the draft then knows where it is saved.
qint32 saveDraft(const DocumentSession& session, DocumentDraft& draft);

// Removes the document, its rows and its movement; the last number of an invoice book is given back.
void deleteDocument(const DocumentSession& session, const QString& kindCode, const QDate& dataReg, qint32 numInt);
