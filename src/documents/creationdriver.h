#pragma once
#include "documentcreation.h"

struct CreationState;

// The steps of a creation, in the order "Fine" runs them.

// Opens the source document and the empty view of the new header, then runs the conversion.
// A source that can no longer be read, or has no rows, takes no number and writes nothing.
CreationResult::Status LoadSourceDocument(CreationState& state);
// Takes the new number, then converts by the kind of the source, all in one transaction that
// is committed even after a failure, keeping what was written before it.
void RunConversion(CreationState& state);
// NewNumber from the base component's numbering of the target kind in the fiscal year.
void AllocateDocumentNumber(CreationState& state);
// The supplier of a purchase document: its key always, its name and address when found.
void FillSupplierFields(CreationState& state);
// Posts the requested warehouse movement and writes its keys into the unsaved new header.
void CreateWarehouseMovement(CreationState& state);
