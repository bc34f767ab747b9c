#pragma once
#include "database.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Rows of a SQLite archive that its own unique keys let stand side by side but a PostgreSQL
// server would refuse as one: keys whose texts differ only in case where the file's index
// compared ASCII letters alone (an archive written before both engines folded every letter
// alike, or by another tool). The transfer lists them all before it writes anything.
struct ServerDuplicate
{
    QString table;
    QStringList columns;
    QStringList first;   // the key's values in the row met first
    QStringList second;  // and in the row that repeats it
};

QVector<ServerDuplicate> serverDuplicates(const Database& sqlite);
