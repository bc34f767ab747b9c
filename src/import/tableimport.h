#pragma once
#include "importedtables.h"
#include "legacyarchive.h"

class Database;

struct ImportCount
{
    int added;  // rows the statement added
    int read;   // rows the old table holds
};

// Copies one table of the old archive into the company archive. Rows the target refuses (a
// code it already holds, a missing required value) are left out and the others go in.
// statementText receives the statement as written for the old archive's path. Throws
// DatabaseError when the old table or one of its columns is missing.
ImportCount importTable(const Database& current, LegacyArchive& old, const ImportedTable& table,
                        QString& statementText, const LegacyArchive::Progress& progress = {});
