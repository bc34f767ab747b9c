#pragma once
#include "common/jetquery.h"

#include <QString>
#include <vector>

// A master-data table that the import copies from the previous generation's archive and
// that the emptying clears.
struct ImportedTable
{
    QString option;      // the check box that selects it
    QString caption;     // the check box's text
    QString oldTable;    // its name in the old archive
    QString countWord;   // its word in the count message
    // The insert-select that copies the old table, named by the old archive's full path.
    JetQuery (*insertSelect)(const QString& oldArchivePath);
    JetQuery emptying;
};

// The nine tables, in the order in which both operations treat them.
const std::vector<ImportedTable>& importedTables();
