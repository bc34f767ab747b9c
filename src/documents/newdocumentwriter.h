#pragma once
#include "conversion.h"

#include <vector>

struct CreationState;

// The most rows one document holds: the row counter is a 16-bit whole number.
constexpr int MaxDocumentRows = 32767;

// Saves the filled new header, then every source row in Riga order as rows 1, 2, 3... with the
// entries of rowEntries that the TargetType takes, then the header's totals computed from those
// rows (headertotals.h), within the creation's open transaction. A
// failing write (or a source row past the row counter's limit) stops the copy and is thrown;
// the header and the rows before it are left written, for the creation to commit.
void saveNewDocument(CreationState& state, const std::vector<MappingEntry>& rowEntries);
